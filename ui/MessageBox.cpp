#include "MessageBox.h"

#include "WindowMessages.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

namespace {

constexpr int IconSizePx = 32;

MessageSink* currentSink = nullptr;

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

// A text wider than half the screen is wrapped at exactly that width, as the
// platform's own message dialogs do; a shorter one stays on one line. The box
// is placed explicitly in the middle of the screen, not over its parent.
void ShowModalBox(BoxIcon icon, const QString& caption, const QString& text) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    auto* iconLabel = new QLabel(&dialog);
    const QStyle::StandardPixmap pixmap =
        icon == BoxIcon::Exclamation ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxCritical;
    iconLabel->setPixmap(dialog.style()->standardIcon(pixmap).pixmap(IconSizePx, IconSizePx));
    iconLabel->setFixedSize(IconSizePx, IconSizePx);

    auto* textLabel = new QLabel(text, &dialog);
    textLabel->setObjectName(QStringLiteral("messageText"));
    textLabel->setTextFormat(Qt::PlainText);
    const int wrapWidthPx = ScreenOfActiveWindow()->geometry().width() / 2;
    if (QFontMetrics(textLabel->font()).horizontalAdvance(text) > wrapWidthPx) {
        textLabel->setWordWrap(true);
        textLabel->setFixedWidth(wrapWidthPx);
    }

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->setCenterButtons(true);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);

    auto* layout = new QGridLayout(&dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(iconLabel, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(textLabel, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(buttons, 1, 0, 1, 2);

    dialog.adjustSize();
    // The position of a window is that of its frame; the frame's margins are
    // known once the native window exists.
    dialog.winId();
    const QMargins frameMargins =
        dialog.windowHandle() != nullptr ? dialog.windowHandle()->frameMargins() : QMargins();
    const QRect screenArea = ScreenOfActiveWindow()->availableGeometry();
    QRect frame(QPoint(), dialog.size().grownBy(frameMargins));
    frame.moveCenter(screenArea.center());
    dialog.move(frame.topLeft());
    ok->setFocus();
    // Esc and the close box reject the dialog, Enter and "OK" accept it; the
    // result is not used.
    dialog.exec();
}
