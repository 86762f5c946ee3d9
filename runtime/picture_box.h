// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: a picture shown at its natural size in the
// top-left corner, the window colour around it. Given a copy at twice the
// size, it draws that one on dense screens, so the picture stays sharp at any
// scale factor. The encoded images are decoded when first drawn: for the
// main window that is after the constitution window, off the start-up path.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <string_view>

namespace rt {

class PictureBox : public QLabel {
public:
    PictureBox(QWidget* parent, std::string_view picture, std::string_view picture2x);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The picture for `ratio` device pixels per pixel.
    const QPixmap& pictureFor(qreal ratio);
    const QPixmap& picture();
    const QPixmap& picture2x();

    std::string_view encoded_;
    std::string_view encoded2x_;
    QPixmap picture_;
    QPixmap picture2x_;
    QPixmap scaled_;  // made from the larger copy for a ratio other than 1 or 2
};

}  // namespace rt
