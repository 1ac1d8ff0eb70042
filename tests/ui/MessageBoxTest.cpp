#include "MessageBox.h"
#include "MessageRecorder.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(MessageBoxOrder, BeepComesBeforeEveryBox) {
    MessageRecorder recorder;
    ShowMessage(MessageKind::Warning, QStringLiteral("Otvor obraditi prosirivacem!"));
    ShowMessage(MessageKind::Error, QStringLiteral("Nastaje lom burgije!"));
    SystemBeep();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"beep", "warning: Otvor obraditi prosirivacem!", "beep",
                                        "error: Nastaje lom burgije!", "beep"}));
}

// What the real box looked like while it was open, read from inside its own
// event loop, and the key or click that closed it.
struct OpenBox {
    QString caption;
    QString text;
    QStringList buttons;
    bool okIsDefault = false;
    bool hasIcon = false;
    int textWidthPx = 0;
    bool textWraps = false;
    QPoint centreOffset;
    QRect iconRect, textRect, okRect;
    int boxWidthPx = 0;
    int textHintWidthPx = 0;
    int layoutGapPx = -1;
    // Whether ShowMessage returned while the box was still open, and whether the box
    // was gone once it had been closed.
    bool returnedWhileOpen = false;
    bool goneAfterClose = false;
};

enum class CloseBy { Escape, Enter, ClickOk };

OpenBox ShowAndClose(MessageKind kind, const QString& text, CloseBy closeBy,
                     BoxWaiting waiting = BoxWaiting::InItsOwnLoop) {
    OpenBox seen;
    bool inspected = false;
    QPointer<QDialog> box;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        inspected = true;
        box = dialog;
        seen.caption = dialog->windowTitle();
        const auto* label = dialog->findChild<QLabel*>(QStringLiteral("messageText"));
        seen.text = label != nullptr ? label->text() : QString();
        seen.textWidthPx = label != nullptr ? label->width() : 0;
        seen.textWraps = label != nullptr && label->wordWrap();
        seen.textRect = label != nullptr ? label->geometry() : QRect();
        seen.textHintWidthPx = label != nullptr ? label->sizeHint().width() : 0;
        seen.boxWidthPx = dialog->width();
        if (const auto* grid = qobject_cast<const QGridLayout*>(dialog->layout())) {
            seen.layoutGapPx = grid->horizontalSpacing();
        }
        for (const QLabel* l : dialog->findChildren<QLabel*>()) {
            if (!l->pixmap().isNull()) {
                seen.hasIcon = true;
                seen.iconRect = l->geometry();
            }
        }
        QPushButton* ok = nullptr;
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            seen.buttons << b->text();
            ok = b;
        }
        seen.okIsDefault = ok != nullptr && ok->isDefault();
        seen.okRect = ok != nullptr ? QRect(ok->mapTo(dialog, QPoint()), ok->size()) : QRect();
        seen.centreOffset =
            dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center();
        if (closeBy != CloseBy::ClickOk) {
            QTest::keyClick(dialog, closeBy == CloseBy::Escape ? Qt::Key_Escape : Qt::Key_Return);
        } else if (ok != nullptr) {
            QTest::mouseClick(ok, Qt::LeftButton);
        }
    });
    // A box that the timer could not close would hang here; close it from a
    // second timer as a safety net so that the test fails instead.
    QTimer::singleShot(5000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the box did not close by the key or click";
            modal->close();
        }
    });
    SetBoxWaiting(waiting);
    ShowMessage(kind, text);
    SetBoxWaiting(BoxWaiting::InItsOwnLoop);
    seen.returnedWhileOpen = CurrentBox() != nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] { return inspected && box == nullptr; }));
    seen.goneAfterClose = CurrentBox() == nullptr && QApplication::activeModalWidget() == nullptr;
    return seen;
}

struct RealBoxCase {
    MessageKind kind;
    CloseBy closeBy;
    const char* caption;
    BoxWaiting waiting = BoxWaiting::InItsOwnLoop;
};

void PrintTo(const RealBoxCase& c, std::ostream* os) {
    *os << c.caption << " closed by " << static_cast<int>(c.closeBy) << " waiting "
        << static_cast<int>(c.waiting);
}

class RealMessageBox : public ::testing::TestWithParam<RealBoxCase> {};

TEST_P(RealMessageBox, CaptionIconOneOkCentredAndClosedByKeyOrClick) {
    const RealBoxCase& c = GetParam();
    const QString text = QStringLiteral("Materijal obratka nije zadat!");
    const OpenBox seen = ShowAndClose(c.kind, text, c.closeBy, c.waiting);
    // A box waiting in its own loop has closed when ShowMessage returns; one without a
    // loop (the browser's) is still open then.
    EXPECT_EQ(seen.returnedWhileOpen, c.waiting == BoxWaiting::WithoutLoop);
    EXPECT_TRUE(seen.goneAfterClose);
    EXPECT_EQ(seen.caption, QString::fromLatin1(c.caption));
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_TRUE(seen.okIsDefault);
    EXPECT_TRUE(seen.hasIcon);
    // The icon at the top left, the text to its right, "OK" below both.
    EXPECT_LT(seen.iconRect.right(), seen.textRect.left());
    EXPECT_LE(seen.iconRect.top(), seen.textRect.top());
    EXPECT_GT(seen.okRect.top(), std::max(seen.iconRect.bottom(), seen.textRect.bottom()));
    EXPECT_FALSE(seen.textWraps);
    EXPECT_LE(std::abs(seen.centreOffset.x()), 1);
    EXPECT_LE(std::abs(seen.centreOffset.y()), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RealMessageBox,
    ::testing::Values(
        RealBoxCase{MessageKind::Warning, CloseBy::Escape, "Warning"},
        RealBoxCase{MessageKind::Error, CloseBy::Enter, "Error"},
        RealBoxCase{MessageKind::Error, CloseBy::ClickOk, "Error"},
        RealBoxCase{MessageKind::Warning, CloseBy::Escape, "Warning", BoxWaiting::WithoutLoop},
        RealBoxCase{MessageKind::Error, CloseBy::Enter, "Error", BoxWaiting::WithoutLoop},
        RealBoxCase{MessageKind::Error, CloseBy::ClickOk, "Error", BoxWaiting::WithoutLoop}));

TEST(RealMessageBoxWrap, ALongTextWrapsAtHalfTheScreenWidth) {
    const QString text = QStringLiteral("Nastaje lom burgije ").repeated(60);
    const OpenBox seen = ShowAndClose(MessageKind::Warning, text, CloseBy::Escape);
    EXPECT_TRUE(seen.textWraps);
    EXPECT_EQ(seen.textWidthPx, QGuiApplication::primaryScreen()->geometry().width() / 2);
}

// The text stands one layout gap right of the icon, in a box that its caption widens beyond
// icon and text as in one that it does not; the rest of the width lies right of the text, and
// "OK" stands in the middle below.
TEST(RealMessageBoxLayout, TheTextStandsOneGapRightOfTheIcon) {
    struct Case {
        MessageKind kind;
        QString text;
        bool wraps;
    };
    const Case cases[] = {
        {MessageKind::Error, QStringLiteral("Nastaje lom burgije!"), false},
        {MessageKind::Error, QStringLiteral("Stream read error."), false},
        {MessageKind::Warning, QStringLiteral("Izaberite materijal alata i obratka!"), false},
        {MessageKind::Warning, QStringLiteral("Nastaje lom burgije ").repeated(60), true},
    };
    for (const Case& c : cases) {
        const std::string name = c.text.left(40).toStdString();
        const OpenBox seen = ShowAndClose(c.kind, c.text, CloseBy::Enter);
        EXPECT_GT(seen.layoutGapPx, 0) << name;
        EXPECT_EQ(seen.textRect.left() - seen.iconRect.right() - 1, seen.layoutGapPx) << name;
        EXPECT_EQ(seen.textWraps, c.wraps) << name;
        EXPECT_EQ(seen.textRect.width(), seen.textHintWidthPx) << name;
        EXPECT_GE(seen.boxWidthPx - seen.textRect.right() - 1, seen.iconRect.left()) << name;
        EXPECT_LE(std::abs(2 * seen.okRect.left() + seen.okRect.width() - seen.boxWidthPx), 1)
            << name;
        EXPECT_LE(std::abs(seen.centreOffset.x()), 1) << name;
    }
}

// The box leaves the controls of the window beneath as they were: without native windows
// of their own, which the browser's Qt would leave blank.
TEST(RealMessageBoxLayout, TheWindowBeneathKeepsItsControlsWithoutNativeWindows) {
    for (const BoxWaiting waiting : {BoxWaiting::InItsOwnLoop, BoxWaiting::WithoutLoop}) {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Proces"), &window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        bool nativeWhileOpen = true;
        QTimer::singleShot(0, [&] {
            nativeWhileOpen = button->internalWinId() != WId{};
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->close();
            }
        });
        SetBoxWaiting(waiting);
        ShowMessage(MessageKind::Warning, QStringLiteral("Materijal obratka nije zadat!"));
        SetBoxWaiting(BoxWaiting::InItsOwnLoop);
        EXPECT_TRUE(QTest::qWaitFor([] { return CurrentBox() == nullptr; }));
        EXPECT_FALSE(nativeWhileOpen);
        EXPECT_FALSE(button->testAttribute(Qt::WA_NativeWindow));
    }
}

} // namespace
