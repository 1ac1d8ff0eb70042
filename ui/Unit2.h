#pragma once

#include <QImage>
#include <QWidget>

class ImageView;

// The instructions window: one page of written instructions, shown by "Help" without
// waiting and hidden again by its close button. It keeps its place and size while hidden.
class TForm2 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm2(QWidget* parent = nullptr);

  private:
    QImage page_;
    ImageView* Image1 = nullptr;
};
