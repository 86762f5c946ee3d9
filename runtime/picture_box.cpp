// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/picture_box.h"

#include <QPainter>

namespace rt {
namespace {

QPixmap decode(std::string_view encoded) {
    QPixmap pixmap;
    pixmap.loadFromData(reinterpret_cast<const uchar*>(encoded.data()), static_cast<uint>(encoded.size()));
    return pixmap;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, std::string_view picture, std::string_view picture2x)
    : QLabel(parent), encoded_(picture), encoded2x_(picture2x) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
}

QSize PictureBox::sizeHint() const { return const_cast<PictureBox*>(this)->picture().size(); }

const QPixmap& PictureBox::picture() {
    if (picture_.isNull() && !encoded_.empty()) picture_ = decode(encoded_);
    return picture_;
}

const QPixmap& PictureBox::picture2x() {
    if (picture2x_.isNull() && !encoded2x_.empty()) {
        picture2x_ = decode(encoded2x_);
        picture2x_.setDevicePixelRatio(2);
    }
    return picture2x_;
}

const QPixmap& PictureBox::pictureFor(qreal ratio) {
    if (ratio <= 1 || picture2x().isNull()) return picture();
    if (ratio == 2) return picture2x_;
    if (scaled_.isNull() || scaled_.devicePixelRatio() != ratio) {
        // Scaled once per density, smoothly; copied pixel for pixel after that.
        scaled_ = picture2x_.scaled((QSizeF(picture().size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
        scaled_.setDevicePixelRatio(ratio);
    }
    return scaled_;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, 0), pictureFor(devicePixelRatioF()));
}

}  // namespace rt
