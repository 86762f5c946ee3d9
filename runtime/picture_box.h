// Inside the run time only: a picture shown at its natural size in the
// top-left corner, the window colour around it. Given a copy at twice the
// size, it draws that one on dense screens, so the picture stays sharp at any
// scale factor.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace rt {

class PictureBox : public QLabel {
public:
    PictureBox(QWidget* parent, const QPixmap& picture, const QPixmap& picture2x);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The picture for `ratio` device pixels per pixel.
    const QPixmap& pictureFor(qreal ratio);

    QPixmap picture_;
    QPixmap picture2x_;
    QPixmap scaled_;  // made from the larger copy for a ratio other than 1 or 2
};

}  // namespace rt
