#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// An image control: shows a picture from its top-left corner at its own size, neither
// stretched nor centred. On a screen of higher density the picture is enlarged by whole
// pixels without smoothing.
class ImageView : public QWidget {
    Q_OBJECT

  public:
    explicit ImageView(QWidget* parent = nullptr);
    // The window's image control Image1 at its place, showing `image`.
    ImageView(const QImage* image, QRect place, QWidget* parent);

    void SetImage(const QImage* image);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage* image_ = nullptr;
};
