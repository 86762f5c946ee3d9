#include "runtime/picture_box.h"

#include <QPainter>

namespace rt {

PictureBox::PictureBox(QWidget* parent, const QPixmap& picture, const QPixmap& picture2x)
    : QLabel(parent), picture_(picture), picture2x_(picture2x) {
    picture2x_.setDevicePixelRatio(2);
    setPixmap(picture_);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
}

const QPixmap& PictureBox::pictureFor(qreal ratio) {
    if (ratio <= 1 || picture2x_.isNull()) return picture_;
    if (ratio == 2) return picture2x_;
    if (scaled_.isNull() || scaled_.devicePixelRatio() != ratio) {
        // Scaled once per density, smoothly; copied pixel for pixel after that.
        scaled_ = picture2x_.scaled((QSizeF(picture_.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
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
