#include "WindowPlacement.h"

#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// Watches a window for its first show, then goes.
class FirstShowPlacement : public QObject {
  public:
    explicit FirstShowPlacement(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            PlaceOnScreen(*static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    // The show event comes after the native window exists, so its frame is known, and
    // before the window appears. The window's position is that of its frame; its
    // geometry may not yet account for the frame, so the new place is given as the client
    // area's geometry, which does not depend on that.
    static void PlaceOnScreen(QWidget& window) {
        const QScreen* screen = window.screen();
        const QWindow* handle = window.windowHandle();
        if (screen == nullptr || handle == nullptr) {
            return;
        }
        const QMargins frameMargins = handle->frameMargins();
        const QRect frame(window.pos(), window.size().grownBy(frameMargins));
        const QPoint place = FramePositionOnScreen(frame, screen->availableGeometry());
        if (place != frame.topLeft()) {
            window.setGeometry(
                QRect(place + QPoint(frameMargins.left(), frameMargins.top()), window.size()));
        }
    }
};

} // namespace

// The far edges are brought in first, then the near ones: where the frame is longer than
// the area, the near edge wins.
QPoint FramePositionOnScreen(QRect frame, const QRect& availableArea) {
    if (frame.right() > availableArea.right()) {
        frame.moveRight(availableArea.right());
    }
    if (frame.bottom() > availableArea.bottom()) {
        frame.moveBottom(availableArea.bottom());
    }
    if (frame.left() < availableArea.left()) {
        frame.moveLeft(availableArea.left());
    }
    if (frame.top() < availableArea.top()) {
        frame.moveTop(availableArea.top());
    }
    return frame.topLeft();
}

void KeepOnScreenWhenFirstShown(QWidget& window) {
    new FirstShowPlacement(window);
}
