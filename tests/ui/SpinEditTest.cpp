#include "SpinEdit.h"

#include "MessageRecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A window with a field before and after the spin edit, so that the focus can
// enter and leave it by Tab as in the program's window. Every change records
// the text the handler would read.
class SpinEditFixture {
  public:
    SpinEditFixture(int minimum, int maximum, int step, int start) {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        spin = new SpinEdit(minimum, maximum, step, start, &window);
        after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(spin);
        layout->addWidget(after);
        QObject::connect(spin, &SpinEdit::Changed, [this] { changes.push_back(spin->text()); });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus(Qt::OtherFocusReason);
    }
    ~SpinEditFixture() { QLocale::setDefault(QLocale::c()); }

    // Tab from the field before, which selects the whole text.
    void TabIn() { QTest::keyClick(before, Qt::Key_Tab); }
    void TabOut() { QTest::keyClick(spin->lineEdit(), Qt::Key_Tab); }
    // Into the field with the cursor at the end of the text.
    void ClickIn() {
        QTest::mouseClick(spin->lineEdit(), Qt::LeftButton);
        QTest::keyClick(spin->lineEdit(), Qt::Key_End);
    }

    QWidget window;
    QLineEdit* before = nullptr;
    SpinEdit* spin = nullptr;
    QLineEdit* after = nullptr;
    MessageRecorder sink;
    std::vector<QString> changes;
};

struct TypingCase {
    const char* locale;
    const char* typed; // typed as keys after the start text "30"
    const char* expectedText;
    int expectedBeeps;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.locale << " \"" << c.typed << '"';
}

class SpinEditTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(SpinEditTyping, FiltersTypedCharactersWithABeep) {
    const TypingCase& c = GetParam();
    QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
    SpinEditFixture f(5, 80, 1, 30);
    f.ClickIn();
    QTest::keyClicks(f.spin->lineEdit(), QString::fromUtf8(c.typed));
    EXPECT_EQ(f.spin->text(), QString::fromUtf8(c.expectedText));
    EXPECT_EQ(f.sink.beeps, c.expectedBeeps);
    const bool textChanged = f.spin->text() != QStringLiteral("30");
    EXPECT_EQ(f.changes.size(),
              textChanged ? QString::fromUtf8(c.typed).size() - c.expectedBeeps : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SpinEditTyping,
    ::testing::Values(TypingCase{"en_US", "a", "30", 1}, TypingCase{"en_US", " ", "30", 1},
                      TypingCase{"en_US", "5", "305", 0}, TypingCase{"en_US", "+-", "30+-", 0},
                      TypingCase{"en_US", ".", "30.", 0}, TypingCase{"en_US", ",", "30", 1},
                      TypingCase{"de_DE", ",", "30,", 0}, TypingCase{"de_DE", ".", "30", 1},
                      TypingCase{"sr_Latn_RS", ",", "30,", 0},
                      TypingCase{"en_US", "1x2$", "3012", 2}));

TEST(SpinEditKeys, EnterOnlyBeepsAndBackspaceEdits) {
    SpinEditFixture f(5, 80, 1, 30);
    f.ClickIn();
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Return);
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(f.sink.beeps, 2);
    EXPECT_TRUE(f.changes.empty());
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(f.sink.beeps, 2);
    EXPECT_EQ(f.changes, (std::vector<QString>{"3", ""}));
}

enum class StepInput { UpKey, DownKey, UpArrow, DownArrow };
using enum StepInput;

struct StepCase {
    int minimum, maximum, step;
    const char* startText; // put in as a paste would
    StepInput input;
    const char* expectedText;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.minimum << ".." << c.maximum << " step " << c.step << " from \"" << c.startText
        << "\" input " << static_cast<int>(c.input);
}

class SpinEditSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(SpinEditSteps, ConvertStepClampAndFireOnlyOnChange) {
    const StepCase& c = GetParam();
    SpinEditFixture f(c.minimum, c.maximum, c.step, c.minimum);
    f.spin->setText(QString::fromUtf8(c.startText));
    f.changes.clear();
    if (c.input == UpKey || c.input == DownKey) {
        f.ClickIn();
        QTest::keyClick(f.spin->lineEdit(), c.input == UpKey ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QTest::mouseClick(c.input == UpArrow ? f.spin->upButton() : f.spin->downButton(),
                          Qt::LeftButton);
    }
    const QString expected = QString::fromUtf8(c.expectedText);
    EXPECT_EQ(f.spin->text(), expected);
    // One change with the new text, none if the step left the text as it was.
    EXPECT_EQ(f.changes, expected == QString::fromUtf8(c.startText) ? std::vector<QString>{}
                                                                    : std::vector{expected});
    EXPECT_TRUE(f.spin->lineEdit()->hasFocus());
    EXPECT_EQ(f.sink.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SpinEditSteps,
    ::testing::Values(
        StepCase{5, 100, 5, "", UpArrow, "10"}, StepCase{5, 100, 5, "", UpKey, "10"},
        StepCase{5, 100, 5, "", DownArrow, "5"}, StepCase{5, 100, 5, "-", UpKey, "10"},
        StepCase{5, 100, 5, "6,", UpArrow, "10"}, StepCase{5, 100, 5, "20", DownKey, "15"},
        StepCase{1, 7, 1, "7", UpArrow, "7"}, StepCase{1, 7, 1, "7", UpKey, "7"},
        StepCase{1, 7, 1, "1", DownArrow, "1"}, StepCase{5, 80, 1, "200", UpKey, "80"},
        StepCase{5, 80, 1, "200", DownArrow, "80"}, StepCase{5, 80, 1, "-7", UpArrow, "5"},
        StepCase{5, 80, 1, "$A", UpArrow, "11"}, StepCase{5, 80, 1, " 07", UpKey, "8"},
        StepCase{-10, 10, 3, "-4", DownKey, "-7"},
        StepCase{INT32_MIN, INT32_MAX, 5, "2147483647", UpKey, "2147483647"},
        StepCase{INT32_MIN, INT32_MAX, 5, "-2147483647", DownArrow, "-2147483648"}));

struct FocusLossCase {
    const char* typed; // typed over the selected start text "30"
    const char* expectedText;
};

class SpinEditFocusLoss : public ::testing::TestWithParam<FocusLossCase> {};

TEST_P(SpinEditFocusLoss, ClampsAConvertingTextOnlyWithOneMoreChange) {
    const FocusLossCase& c = GetParam();
    SpinEditFixture f(5, 80, 1, 30);
    f.TabIn();
    QTest::keyClicks(f.spin->lineEdit(), QString::fromUtf8(c.typed));
    const QString typedText = f.spin->text();
    const std::size_t changesBefore = f.changes.size();
    f.TabOut();
    EXPECT_TRUE(f.after->hasFocus());
    EXPECT_EQ(f.spin->text(), QString::fromUtf8(c.expectedText));
    if (typedText == f.spin->text()) {
        EXPECT_EQ(f.changes.size(), changesBefore);
    } else {
        ASSERT_EQ(f.changes.size(), changesBefore + 1);
        EXPECT_EQ(f.changes.back(), f.spin->text());
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, SpinEditFocusLoss,
                         ::testing::Values(FocusLossCase{"99", "80"}, FocusLossCase{"3", "5"},
                                           FocusLossCase{"-2", "5"}, FocusLossCase{"80", "80"},
                                           FocusLossCase{"5", "5"}, FocusLossCase{"50", "50"},
                                           FocusLossCase{"-", "-"}, FocusLossCase{"6-", "6-"},
                                           FocusLossCase{"99999999999", "99999999999"}));

TEST(SpinEditSequence, NinetyNineOverTheSelectedTextThenLeaving) {
    SpinEditFixture f(5, 80, 1, 30);
    f.TabIn();
    EXPECT_EQ(f.spin->lineEdit()->selectedText(), QStringLiteral("30"));
    QTest::keyClicks(f.spin->lineEdit(), QStringLiteral("99"));
    f.TabOut();
    EXPECT_EQ(f.changes, (std::vector<QString>{"9", "99", "80"}));
}

TEST(SpinEditSequence, ClearingThenUpArrowWritesMinimumPlusStep) {
    SpinEditFixture f(5, 100, 5, 20);
    f.TabIn();
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Delete);
    QTest::mouseClick(f.spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(f.changes, (std::vector<QString>{"", "10"}));
}

TEST(SpinEditClipboard, PasteAndCutBringAnyTextWithOneChange) {
    SpinEditFixture f(1, 130, 1, 20);
    QApplication::clipboard()->setText(QStringLiteral("$A"));
    f.TabIn();
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("$A"));
    EXPECT_EQ(f.changes, std::vector<QString>{"$A"});
    QApplication::clipboard()->setText(QStringLiteral("a b"));
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("a b"));
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.changes, (std::vector<QString>{"$A", "a b", ""}));
    EXPECT_EQ(f.sink.beeps, 0);
}

TEST(SpinEditFocus, ArrowPressMovesTheFocusInWithoutSelecting) {
    SpinEditFixture f(5, 80, 1, 30);
    ASSERT_TRUE(f.before->hasFocus());
    QTest::mousePress(f.spin->upButton(), Qt::LeftButton);
    EXPECT_TRUE(f.spin->lineEdit()->hasFocus());
    EXPECT_EQ(f.spin->text(), QStringLiteral("31"));
    EXPECT_TRUE(f.spin->upButton()->isDown());
    // The focus going elsewhere (as when a box opens) lets go of the held arrow,
    // so that it stops repeating.
    f.after->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_FALSE(f.spin->upButton()->isDown());
    QTest::mouseRelease(f.spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(f.changes, std::vector<QString>{"31"});
}

// A held arrow whose step opens a real box lets go when the box takes the focus,
// so that it does not go on stepping under the open box; so too where the box does not
// wait in a loop of its own (the browser's), and the arrow repeats while it is open.
TEST(SpinEditFocus, HeldArrowStopsWhenAStepOpensABox) {
    for (const BoxWaiting waiting : {BoxWaiting::InItsOwnLoop, BoxWaiting::WithoutLoop}) {
        SCOPED_TRACE(static_cast<int>(waiting));
        SpinEditFixture f(1, 200, 1, 60);
        SetMessageSink(nullptr);
        SetBoxWaiting(waiting);
        bool downWhileBoxOpen = true;
        QPointer<QWidget> box;
        QObject::connect(f.spin, &SpinEdit::Changed, [&] {
            QTimer::singleShot(0, [&] {
                box = QApplication::activeModalWidget();
                ASSERT_NE(box, nullptr);
                EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == box; }));
                emit f.spin->upButton()->pressed();
                downWhileBoxOpen = f.spin->upButton()->isDown();
                QTest::keyClick(box, Qt::Key_Escape);
            });
            ShowMessage(MessageKind::Warning, QStringLiteral("Broj obrta vretena prelazi 2000!"));
        });
        QTest::mousePress(f.spin->upButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !downWhileBoxOpen && box == nullptr; }));
        SetBoxWaiting(BoxWaiting::InItsOwnLoop);
        EXPECT_FALSE(f.spin->upButton()->isDown());
        QTest::mouseRelease(f.spin->upButton(), Qt::LeftButton);
        EXPECT_EQ(f.changes, std::vector<QString>{"61"});
    }
}

TEST(SpinEditFocus, AnotherWindowTakingTheFocusDoesNotClamp) {
    SpinEditFixture f(5, 80, 1, 30);
    f.TabIn();
    QTest::keyClicks(f.spin->lineEdit(), QStringLiteral("99"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(f.spin->text(), QStringLiteral("99"));
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    EXPECT_TRUE(f.spin->lineEdit()->hasFocus());
    EXPECT_FALSE(f.spin->lineEdit()->hasSelectedText());
    f.TabOut();
    EXPECT_EQ(f.changes, (std::vector<QString>{"9", "99", "80"}));
}

TEST(SpinEditArrowsOnly, NarrowFormStillStepsAndTakesTheFocus) {
    SpinEditFixture f(1, 7, 1, 4);
    f.spin->setArrowsOnly(true);
    QApplication::processEvents();
    EXPECT_EQ(f.spin->width(), 17);
    EXPECT_TRUE(f.spin->upButton()->isVisible());
    // The arrows share the height, the up arrow on top.
    const int half = f.spin->height() / 2;
    EXPECT_EQ(f.spin->upButton()->geometry(), QRect(2, 0, 15, half));
    EXPECT_EQ(f.spin->downButton()->geometry(), QRect(2, half, 15, f.spin->height() - half));
    EXPECT_LE(f.spin->lineEdit()->width(), 2);
    QTest::mouseClick(f.spin->upButton(), Qt::LeftButton);
    QTest::mouseClick(f.spin->downButton(), Qt::LeftButton);
    QTest::mouseClick(f.spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(f.changes, (std::vector<QString>{"5", "4", "3"}));
    QTest::keyClick(f.spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(f.spin->text(), QStringLiteral("4"));
}

// A finger steps by the half of the box it lands on, the text's part as well as the arrows',
// without entering the field (which would raise a phone's keyboard); held, it repeats.
TEST(SpinEditTouch, AFingerStepsByTheHalfOfTheBoxItLandsOn) {
    QPointingDevice* finger = QTest::createTouchDevice();
    const struct {
        QPoint At;
        int HeldMs;
        std::vector<QString> Changes;
    } cases[] = {
        {{5, 3}, 0, {"31"}},   {{5, 18}, 0, {"29"}},  {{44, 2}, 0, {"31"}},
        {{44, 20}, 0, {"29"}}, {{24, 10}, 0, {"31"}}, {{24, 11}, 0, {"29"}},
    };
    for (const auto& c : cases) {
        SpinEditFixture f(5, 80, 1, 30);
        QTest::touchEvent(&f.window, finger).press(0, c.At, f.spin);
        QTest::touchEvent(&f.window, finger).release(0, c.At, f.spin);
        EXPECT_EQ(f.changes, c.Changes) << c.At.x() << "," << c.At.y();
        EXPECT_FALSE(f.spin->upButton()->isDown() || f.spin->downButton()->isDown());
        EXPECT_TRUE(f.before->hasFocus() || f.spin->lineEdit()->hasFocus());
        EXPECT_FALSE(f.spin->lineEdit()->hasSelectedText());
    }
    SpinEditFixture held(5, 80, 1, 30);
    QTest::touchEvent(&held.window, finger).press(0, {5, 3}, held.spin);
    EXPECT_TRUE(held.spin->upButton()->isDown());
    QTest::qWait(700);
    QTest::touchEvent(&held.window, finger).release(0, {5, 3}, held.spin);
    EXPECT_GE(held.changes.size(), 3u);
    EXPECT_FALSE(held.spin->upButton()->isDown());
}

} // namespace
