#include "SpinEdit.h"

#include "MessageBox.h"
#include "StrictConversion.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QTouchEvent>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int ArrowWidthPx = 15;
constexpr int ArrowsOnlyWidthPx = 17;
constexpr int NormalWidthPx = 49;
constexpr int HeightPx = 22;
constexpr int RepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 100;

bool IsControlText(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

bool IsAcceptedTyping(const QString& text) {
    if (text == QLocale().decimalPoint()) {
        return true;
    }
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-'; });
}

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelayMs);
    button->setAutoRepeatInterval(RepeatIntervalMs);
    return button;
}

} // namespace

SpinEdit::SpinEdit(int minimum, int maximum, int step, int startValue, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), step_(step),
      lastText_(QString::number(startValue)), edit_(new QLineEdit(lastText_, this)),
      up_(MakeArrow(Qt::UpArrow, this)), down_(MakeArrow(Qt::DownArrow, this)) {
    // Typing goes through the key filter only; composed input would bypass it.
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit_->installEventFilter(this);
    setFocusPolicy(edit_->focusPolicy());
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::textChanged, this, &SpinEdit::TextOfEditChanged);
    connect(up_, &QToolButton::pressed, this, [this] { ArrowPressed(+1); });
    connect(down_, &QToolButton::pressed, this, [this] { ArrowPressed(-1); });
    // A touch is taken where it lands, by the part under it, and handled here.
    for (QWidget* part : std::initializer_list<QWidget*>{edit_, up_, down_}) {
        part->setAttribute(Qt::WA_AcceptTouchEvents);
        part->installEventFilter(this);
    }
    resize(sizeHint());
}

// The line edit is destroyed after this object's own part; its last focus-out
// must not reach the filter any more.
SpinEdit::~SpinEdit() {
    edit_->removeEventFilter(this);
    disconnect(edit_, nullptr, this, nullptr);
}

QString SpinEdit::text() const {
    return edit_->text();
}

void SpinEdit::setText(const QString& text) {
    edit_->setText(text);
}

void SpinEdit::setArrowsOnly(bool arrowsOnly) {
    arrowsOnly_ = arrowsOnly;
    if (arrowsOnly) {
        setFixedWidth(ArrowsOnlyWidthPx);
    } else {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
    updateGeometry();
    LayoutChildren();
}

QSize SpinEdit::sizeHint() const {
    return {arrowsOnly_ ? ArrowsOnlyWidthPx : NormalWidthPx, HeightPx};
}

QSize SpinEdit::minimumSizeHint() const {
    return {ArrowsOnlyWidthPx, HeightPx};
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutChildren();
}

void SpinEdit::LayoutChildren() {
    const int arrowLeft = std::max(0, width() - ArrowWidthPx);
    const int upHeight = height() / 2;
    edit_->setGeometry(0, 0, arrowLeft, height());
    up_->setGeometry(arrowLeft, 0, width() - arrowLeft, upHeight);
    down_->setGeometry(arrowLeft, upHeight, width() - arrowLeft, height() - upHeight);
}

// A finger is wider than the arrows: a touch on the upper half of the box presses the up
// arrow, one on the lower half the down arrow, held as long as the finger rests, repeating
// as the arrow does under the mouse. The field is not entered, so no screen keyboard rises.
bool SpinEdit::Touch(QWidget* part, QTouchEvent* touch) {
    switch (touch->type()) {
    case QEvent::TouchBegin: {
        const QPointF at = part->mapTo(this, touch->points().front().position());
        touchedArrow_ = at.y() < height() / 2.0 ? up_ : down_;
        PressArrow(QEvent::MouseButtonPress);
        break;
    }
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        PressArrow(QEvent::MouseButtonRelease);
        touchedArrow_ = nullptr;
        break;
    default:
        break;
    }
    // Accepted point by point, so that the rest of the touch comes here too.
    touch->setAccepted(true);
    return true;
}

// The arrow is pressed as by the mouse: a press with the finger's own device would end the
// finger's touch for the windowing system.
void SpinEdit::PressArrow(QEvent::Type type) {
    if (touchedArrow_ == nullptr) {
        return;
    }
    const QPointF centre = QRectF(touchedArrow_->rect()).center();
    QMouseEvent press(type, centre, touchedArrow_->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(touchedArrow_, &press);
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return Touch(static_cast<QWidget*>(watched), static_cast<QTouchEvent*>(event));
    default:
        break;
    }
    if (watched == edit_) {
        if (event->type() == QEvent::KeyPress) {
            return FilterKey(static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::FocusOut) {
            ReleaseArrows();
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // A popup menu or another window (a message box) taking the focus
            // is not leaving the field.
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                ClampToRange();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Digits, signs, the locale's decimal separator and control characters other
// than Enter pass; every other typed character, and Enter, only beeps. Key
// combinations with Ctrl (clipboard, undo) are shortcuts, not typing; AltGr
// arrives as Ctrl+Alt and is typing.
bool SpinEdit::FilterKey(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        StepBy(+1);
        return true;
    case Qt::Key_Down:
        StepBy(-1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SystemBeep();
        return true;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed == QStringLiteral("\r")) {
        SystemBeep();
        return true;
    }
    if (typed.isEmpty() || IsControlText(typed)) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrlOrMeta = modifiers & (Qt::ControlModifier | Qt::MetaModifier);
    const bool alt = modifiers & Qt::AltModifier;
    if (ctrlOrMeta && !alt) {
        return false;
    }
    if (alt && !ctrlOrMeta) {
        return true;
    }
    if (IsAcceptedTyping(typed)) {
        return false;
    }
    SystemBeep();
    return true;
}

void SpinEdit::ArrowPressed(int direction) {
    if (stepping_ || boxOfStep_ != nullptr) {
        // A box opened by the previous step's handler is open (in its own event loop,
        // or beside the program's in the browser); the held button must not go on
        // stepping underneath it.
        ReleaseArrows();
        return;
    }
    if (!edit_->hasFocus()) {
        edit_->setFocus(Qt::MouseFocusReason);
    }
    StepBy(direction);
}

// A text that does not convert counts as the minimum. The sum is formed in 64
// bits, so a typed value near the 32-bit bounds cannot overflow before the clamp.
void SpinEdit::StepBy(int direction) {
    stepping_ = true;
    const std::int64_t current = TryStrToIntStrict(edit_->text()).value_or(minimum_);
    const std::int64_t next =
        std::clamp<std::int64_t>(current + std::int64_t{direction} * step_, minimum_, maximum_);
    edit_->setText(QString::number(next));
    boxOfStep_ = CurrentBox();
    stepping_ = false;
}

void SpinEdit::ClampToRange() {
    const auto value = TryStrToIntStrict(edit_->text());
    if (!value) {
        return;
    }
    if (*value < minimum_) {
        edit_->setText(QString::number(minimum_));
    } else if (*value > maximum_) {
        edit_->setText(QString::number(maximum_));
    }
}

void SpinEdit::ReleaseArrows() {
    up_->setDown(false);
    down_->setDown(false);
}

void SpinEdit::TextOfEditChanged(const QString& text) {
    if (text == lastText_) {
        return;
    }
    lastText_ = text;
    emit Changed();
}
