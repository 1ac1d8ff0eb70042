#pragma once

#include <QEvent>
#include <QPointer>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QTouchEvent;
class QLineEdit;
class QToolButton;

// The spin edit of the window: a text field with an up and a down arrow button.
// It holds its value as text, which the handlers read and convert themselves;
// typed numbers are not clamped while it has the focus, only when it loses it.
// Changed() fires once for every change of the text and never for a step or a
// correction that leaves the text as it was.
class SpinEdit : public QWidget {
    Q_OBJECT

  public:
    SpinEdit(int minimum, int maximum, int step, int startValue, QWidget* parent = nullptr);
    ~SpinEdit() override;

    QString text() const;
    // Replaces the text as a paste would: any text, one Changed() if it differs.
    void setText(const QString& text);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int step() const { return step_; }

    // The 17-px form in which little more than the arrows shows; the text field
    // stays there, a sliver wide, and still takes the focus and typing.
    void setArrowsOnly(bool arrowsOnly);
    bool arrowsOnly() const { return arrowsOnly_; }

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void Changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void StepBy(int direction);
    void ArrowPressed(int direction);
    void ClampToRange();
    void ReleaseArrows();
    bool Touch(QWidget* part, QTouchEvent* touch);
    void PressArrow(QEvent::Type type);
    bool FilterKey(const QKeyEvent* event);
    void TextOfEditChanged(const QString& text);
    void LayoutChildren();

    int minimum_;
    int maximum_;
    int step_;
    bool arrowsOnly_ = false;
    bool stepping_ = false;
    // The box the last step's handler opened, while it is open (where a box does not wait
    // in a loop of its own, see BoxWaiting).
    QPointer<QWidget> boxOfStep_;
    QString lastText_;
    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    // The arrow a finger holds down.
    QPointer<QToolButton> touchedArrow_;
};
