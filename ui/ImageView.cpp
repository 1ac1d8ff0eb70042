#include "ImageView.h"

#include <QPaintEvent>
#include <QPainter>

// The control paints all of itself, so nothing beneath it is painted first; where the
// picture does not reach, it shows the window's background colour.
ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::NoFocus);
}

ImageView::ImageView(const QImage* image, QRect place, QWidget* parent) : ImageView(parent) {
    setObjectName(QStringLiteral("Image1"));
    setGeometry(place);
    SetImage(image);
}

void ImageView::SetImage(const QImage* image) {
    image_ = image;
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect area = event->rect();
    const QRect picture = image_ != nullptr ? image_->rect() : QRect();
    if (!picture.contains(area)) {
        painter.fillRect(area, palette().window());
    }
    const QRect shown = area.intersected(picture);
    if (!shown.isEmpty()) {
        painter.drawImage(shown.topLeft(), *image_, shown);
    }
}
