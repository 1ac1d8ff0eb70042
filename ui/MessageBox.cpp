#include "MessageBox.h"

#include "UserTexts.h"
#include "Utf8Text.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <memory>

namespace {

constexpr int IconSizePx = 32;
// Room the title bar takes beside its caption: the window's icon and its close button.
constexpr int TitleBarButtonsPx = 128;

MessageSink* currentSink = nullptr;

#if defined(Q_OS_WASM)
BoxWaiting boxWaiting = BoxWaiting::WithoutLoop;
#else
BoxWaiting boxWaiting = BoxWaiting::InItsOwnLoop;
#endif
QPointer<QDialog> openBox;

QScreen* ScreenOfActiveWindow() {
    if (QWidget* active = QApplication::activeWindow()) {
        if (QScreen* screen = active->screen()) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

void SetMessageSink(MessageSink* sink) {
    currentSink = sink;
}

MessageSink* CurrentMessageSink() {
    return currentSink;
}

void SystemBeep() {
    if (currentSink != nullptr) {
        currentSink->Beep();
        return;
    }
    QApplication::beep();
}

void ShowMessage(MessageKind kind, const QString& text) {
    SystemBeep();
    ShowMessageBox(kind, text);
}

void ShowMessageBox(MessageKind kind, const QString& text) {
    if (currentSink != nullptr) {
        currentSink->Box(kind, text);
        return;
    }
    const bool warning = kind == MessageKind::Warning;
    ShowModalBox(warning ? BoxIcon::Exclamation : BoxIcon::Stop,
                 QString::fromUtf8(warning ? WarningCaption.data() : ErrorCaption.data(),
                                   warning ? qsizetype(WarningCaption.size())
                                           : qsizetype(ErrorCaption.size())),
                 text);
}

namespace {

// A text wider than half the screen is wrapped at exactly that width, as the
// platform's own message dialogs do; a shorter one stays on one line.
QLabel* MakeTextLabel(const QString& text, QWidget* dialog) {
    auto* textLabel = new QLabel(text, dialog);
    textLabel->setObjectName(QStringLiteral("messageText"));
    textLabel->setTextFormat(Qt::PlainText);
    const int wrapWidthPx = ScreenOfActiveWindow()->geometry().width() / 2;
    if (QFontMetrics(textLabel->font()).horizontalAdvance(text) > wrapWidthPx) {
        textLabel->setWordWrap(true);
        textLabel->setFixedWidth(wrapWidthPx);
    }
    return textLabel;
}

// The one button "OK", centred; the box is at least as wide as its title bar needs to
// show the whole caption.
QPushButton* AddOkButton(const QString& caption, QDialog& dialog, QGridLayout& layout) {
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->setCenterButtons(true);
    const QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    buttons->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(caption) +
                             TitleBarButtonsPx);
    QPushButton* ok = buttons->addButton(FromUtf8(OkButtonText), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout.addWidget(buttons, 1, 0, 1, 2);
    return ok;
}

// The position of a window is that of its frame; the frame's margins are known once the
// native window exists. The box stands in the middle of the screen, not over its parent.
// create() makes the native window; winId() would do so too, but would mark the box as
// native, and Qt then gives every control of the window beneath a native window of its
// own (which the browser's Qt leaves blank).
class BoxDialog : public QDialog {
  public:
    using QDialog::QDialog;
    using QWidget::create;
};

void CentreOnScreen(BoxDialog& dialog) {
    dialog.adjustSize();
    dialog.create();
    const QMargins frameMargins =
        dialog.windowHandle() != nullptr ? dialog.windowHandle()->frameMargins() : QMargins();
    const QRect screenArea = ScreenOfActiveWindow()->availableGeometry();
    QRect frame(QPoint(), dialog.size().grownBy(frameMargins));
    frame.moveCenter(screenArea.center());
    dialog.move(frame.topLeft());
}

} // namespace

void ShowModalBox(BoxIcon icon, const QString& caption, const QString& text) {
    auto dialog = std::make_unique<BoxDialog>(QApplication::activeWindow());
    dialog->setWindowTitle(caption);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    auto* iconLabel = new QLabel(dialog.get());
    const QStyle::StandardPixmap pixmap =
        icon == BoxIcon::Exclamation ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxCritical;
    iconLabel->setPixmap(dialog->style()->standardIcon(pixmap).pixmap(IconSizePx, IconSizePx));
    iconLabel->setFixedSize(IconSizePx, IconSizePx);

    // The text stands one layout gap right of the icon. Where the title bar makes the box
    // wider than icon and text, the width goes to the text's column, to the right of the
    // text, and the icon's column keeps the icon's width.
    auto* layout = new QGridLayout(dialog.get());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(iconLabel, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(MakeTextLabel(text, dialog.get()), 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
    QPushButton* ok = AddOkButton(caption, *dialog, *layout);
    CentreOnScreen(*dialog);
    ok->setFocus();
    openBox = dialog.get();
    // Esc and the close box reject the dialog, Enter and "OK" accept it; the result is
    // not used.
    if (boxWaiting == BoxWaiting::InItsOwnLoop) {
        dialog->exec();
        return;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog.release()->open();
}

void SetBoxWaiting(BoxWaiting waiting) {
    boxWaiting = waiting;
}

QWidget* CurrentBox() {
    return openBox != nullptr && openBox->isVisible() ? openBox.data() : nullptr;
}
