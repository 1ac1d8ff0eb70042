#include "ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
}

void ImageView::SetImage(const QImage* image) {
    image_ = image;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (image_ == nullptr || image_->isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), *image_);
}
