#include "ChartMenu.h"
#include "MessageRecorder.h"
#include "PaintedRegion.h"
#include "ProgramAssets.h"
#include "ProgramWindows.h"
#include "StartValues.h"
#include "WindowPlacement.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        windows->Form1.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&windows->Form1));
        form1->Button1->setFocus();
    }

    // Replaces the whole text of a spin edit by typing, as a user does after selecting it.
    void Type(SpinEdit* spinEdit, const QString& text) {
        spinEdit->lineEdit()->setFocus();
        spinEdit->lineEdit()->selectAll();
        QTest::keyClicks(spinEdit->lineEdit(), text);
    }
    void Pick(QComboBox* combo, int index) { combo->setCurrentIndex(index); }
    // The chart's menu, opened by a right click on the chart after `ticks` ticks of a run
    // with the first materials of both lists.
    QMenu* ChartMenu(int ticks = 0) {
        if (ticks > 0) {
            Pick(form1->ComboBox1, 0);
            Pick(form1->ComboBox2, 0);
            QTest::mouseClick(form1->Button3, Qt::LeftButton);
            form1->Timer1->stop();
            form1->Tick(ticks);
            QApplication::processEvents();
        }
        QTest::mouseClick(form1->ChartProbe.Plot(), Qt::RightButton, Qt::NoModifier,
                          form1->ChartProbe.PlottingArea().center());
        auto* menu = window->findChild<QMenu*>(QStringLiteral("ChartMenu"));
        EXPECT_TRUE(menu != nullptr && menu->isVisible());
        if (menu != nullptr) {
            menu->close();
        }
        return menu;
    }
    QLabel* Label(const char* name) const { return window->findChild<QLabel*>(name); }

    SimulationState state;
    std::unique_ptr<ProgramWindows> windows = std::make_unique<ProgramWindows>(state);
    TForm1* window = &windows->Form1;
    TForm2* form2 = &windows->Form2;
    const MainWindowControls* form1 = &windows->Controls;
    // Every event notes whether the timer runs at that moment.
    MessageRecorder recorder{
        [timer = form1->Timer1] { return timer->isActive() ? std::string(" [running]") : ""; }};
};

TEST_F(MainWindow, StartsAsFormCreateLeavesIt) {
    SimulationState expected;
    Initialise(expected);
    EXPECT_TRUE(state == expected);
    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_EQ(form1->Timer1->interval(), 50);
    EXPECT_TRUE(form1->RadioButton1->isChecked());
    EXPECT_FALSE(form1->SpinEdit5->isVisible());
    EXPECT_FALSE(Label("Label6")->isVisible());
    EXPECT_EQ(form1->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(form1->ComboBox1->currentText(), "Materijal alata");
    EXPECT_EQ(form1->ComboBox2->currentText(), "Materijal obratka");
    EXPECT_EQ(form1->Edit1->text(), "20");
    EXPECT_EQ(form1->Edit2->text(), QString("0") + QLocale().decimalPoint() + "2");
    EXPECT_EQ(form1->ChartProbe.Series1()->dataCount(), 0);
    // The spin edits, the state and the chart's axes start from the same start values.
    const std::pair<const SpinEdit*, int> starts[] = {
        {form1->SpinEdit1, StartDrillSize},
        {form1->SpinEdit2, StartCuttingSpeedMPerMin},
        {form1->SpinEdit3, StartFeedHundredths},
        {form1->SpinEdit4, StartHoleDepthMm},
        {form1->SpinEdit6, StartForceAxisMaximumKiloNewtons},
        {form1->SpinEdit7, StartMomentAxisMaximumNm}};
    for (const auto& [spinEdit, start] : starts) {
        EXPECT_EQ(spinEdit->text(), QString::number(start)) << spinEdit->objectName().toStdString();
    }
    EXPECT_EQ(state.DrillSize, StartDrillSize);
    EXPECT_EQ(state.CuttingSpeed, StartCuttingSpeedMPerMin);
    EXPECT_EQ(state.Feed, StartFeedHundredths / 100.0);
    EXPECT_EQ(form1->ChartProbe.ForceAxisRange().Maximum,
              1000.0 * StartForceAxisMaximumKiloNewtons);
    EXPECT_EQ(form1->ChartProbe.MomentAxisRange().Maximum, StartMomentAxisMaximumNm);
    EXPECT_TRUE(window->FrameBitmap().width() == 45 && window->FrameBitmap().height() == 370);
    EXPECT_EQ(window->Scene().size(), QSize(369, 353));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(QApplication::focusWidget(), form1->Button1);
    EXPECT_FALSE(form2->isVisible());
}

TEST_F(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    // Relative to the parent; a label sizes itself to its text, so only its place counts.
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"Image1", {232, 0, 369, 353}},    {"Button1", {8, 464, 57, 25}},
        {"Button2", {72, 464, 57, 25}},    {"Panel1", {8, 8, 217, 281}},
        {"Label1", {48, 8, 0, 0}},         {"Label2", {16, 40, 0, 0}},
        {"Edit1", {128, 32, 33, 21}},      {"SpinEdit1", {160, 32, 17, 22}},
        {"RadioButton1", {8, 64, 17, 17}}, {"Label12", {32, 64, 0, 0}},
        {"RadioButton2", {8, 88, 17, 17}}, {"Label13", {32, 88, 0, 0}},
        {"Label6", {24, 112, 0, 0}},       {"Label7", {24, 128, 0, 0}},
        {"SpinEdit5", {128, 120, 49, 22}}, {"GroupBox2", {8, 152, 201, 113}},
        {"Label3", {8, 24, 0, 0}},         {"SpinEdit2", {144, 16, 49, 22}},
        {"Label4", {8, 56, 0, 0}},         {"Edit2", {144, 48, 33, 21}},
        {"SpinEdit3", {176, 48, 17, 22}},  {"Label5", {8, 88, 0, 0}},
        {"SpinEdit4", {144, 80, 49, 22}},  {"ComboBox1", {8, 296, 217, 21}},
        {"ComboBox2", {8, 328, 217, 21}},  {"Chart1", {232, 360, 369, 137}},
        {"Button3", {8, 384, 57, 25}},     {"Button4", {72, 384, 57, 25}},
        {"Button5", {8, 424, 121, 25}},    {"Panel2", {136, 360, 89, 137}},
        {"Label8", {16, 8, 0, 0}},         {"Label9", {18, 24, 0, 0}},
        {"SpinEdit6", {16, 40, 49, 22}},   {"Label11", {16, 72, 0, 0}},
        {"Label10", {10, 88, 0, 0}},       {"SpinEdit7", {16, 104, 49, 22}},
    };
    for (const Place& p : places) {
        const QWidget* widget = window->findChild<QWidget*>(p.name);
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(p.rect.isEmpty() ? QRect(widget->pos(), QSize(0, 0)) : widget->geometry(), p.rect)
            << p.name;
    }
    // An open list shows 8 entries at the most, each a line of the font high and a pixel
    // above and below it.
    for (QComboBox* list : {form1->ComboBox1, form1->ComboBox2}) {
        list->showPopup();
        const QAbstractItemView* view = list->view();
        const int rowPx = view->sizeHintForRow(0);
        EXPECT_EQ(rowPx, QFontMetrics(view->font()).height() + 2);
        EXPECT_EQ(view->viewport()->height() / rowPx, std::min(list->count(), 8));
        list->hidePopup();
    }
    struct Range {
        const SpinEdit* spinEdit;
        int minimum, maximum, step;
        const char* start;
    };
    const Range ranges[] = {
        {form1->SpinEdit1, 1, 7, 1, "4"},    {form1->SpinEdit2, 5, 80, 1, "30"},
        {form1->SpinEdit3, 5, 100, 5, "20"}, {form1->SpinEdit4, 1, 130, 1, "20"},
        {form1->SpinEdit5, 0, 30, 1, "0"},   {form1->SpinEdit6, 1, 20, 1, "6"},
        {form1->SpinEdit7, 1, 200, 1, "60"}};
    for (const Range& r : ranges) {
        EXPECT_EQ(r.spinEdit->minimum(), r.minimum) << r.start;
        EXPECT_EQ(r.spinEdit->maximum(), r.maximum) << r.start;
        EXPECT_EQ(r.spinEdit->step(), r.step) << r.start;
        EXPECT_EQ(r.spinEdit->text(), r.start);
    }
    EXPECT_EQ(Label("Label3")->buddy(), form1->SpinEdit2);
    // Screen readers announce the focused field of a spin edit by its caption.
    struct Announced {
        QWidget* field;
        const char* name;
    };
    const Announced announced[] = {
        {form1->SpinEdit2->lineEdit(), "Brzina rezanja, m/min"},
        {form1->SpinEdit1->lineEdit(), "Prečnik burgije, mm"},
        {form1->SpinEdit4->lineEdit(), "Dubina otvora, mm"},
        {form1->SpinEdit6->lineEdit(), "Maksimalna sila, N"},
        {form1->RadioButton2, "Proširivanje"},
    };
    for (const Announced& a : announced) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(a.field);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(a.name));
    }
}

// The stems of a text as drawn: the median length of the runs of ink along its rows. The
// bold texts draw 2-pixel stems, the regular ones 1-pixel stems.
TEST_F(MainWindow, BoldTextsAreDrawnBold) {
    const auto dark = [](QColor c) { return c.lightness() < 100; };
    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    const QImage chart = form1->Chart1->grab().toImage();
    struct Case {
        const char* text;
        QImage image;
        std::function<bool(QColor)> ink;
        int stemPx;
    };
    const Case cases[] = {
        {"POLAZNI PODACI", Label("Label1")->grab().toImage(), dark, 2},
        {"Oscilograf", chart.copy(0, 0, chart.width(), form1->ChartProbe.PlottingArea().top() - 8),
         blue, 2},
        {"Prečnik burgije, mm", Label("Label2")->grab().toImage(), dark, 1},
        {"Vreme, s", chart.copy(0, chart.height() - 20, chart.width(), 20), dark, 1},
    };
    for (const Case& c : cases) {
        std::vector<int> runs;
        for (int y = 0; y < c.image.height(); ++y) {
            int run = 0;
            for (int x = 0; x <= c.image.width(); ++x) {
                if (x < c.image.width() && c.ink(QColor(c.image.pixel(x, y)))) {
                    ++run;
                } else if (run > 0) {
                    runs.push_back(run);
                    run = 0;
                }
            }
        }
        ASSERT_GT(runs.size(), 20u) << c.text;
        std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
        EXPECT_EQ(runs[runs.size() / 2], c.stemPx) << c.text;
    }
}

TEST_F(MainWindow, TabOrderFollowsTheLayout) {
    const char* const expected[] = {"Button2",   "SpinEdit2", "SpinEdit3", "Edit2",
                                    "SpinEdit4", "Edit1",     "SpinEdit1", "RadioButton1",
                                    "ComboBox1", "ComboBox2", "Button3",   "Button4",
                                    "Button5",   "SpinEdit6", "SpinEdit7", "Button1"};
    for (const char* name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focus = QApplication::focusWidget();
        const QWidget* widget = window->findChild<QWidget*>(name);
        EXPECT_TRUE(focus != nullptr && (focus == widget || widget->isAncestorOf(focus)))
            << "expected " << name << ", got "
            << (focus ? focus->objectName().toStdString() : "nothing");
    }
}

TEST_F(MainWindow, SpeedWarningFor5MmFrom32MetresPerMinute) {
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(form1->SpinEdit1->lineEdit(), Qt::Key_Down);
    }
    EXPECT_EQ(form1->SpinEdit1->text(), "1");
    EXPECT_EQ(form1->Edit1->text(), "5");
    EXPECT_EQ(state.DrillDiameter, 5.0);
    Type(form1->SpinEdit2, "31");
    recorder.events.clear();
    QTest::keyClick(form1->SpinEdit2->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(state.CuttingSpeed, 32.0);
    const std::vector<std::string> expected = {"beep", "warning: Broj obrta vretena prelazi 2000 "
                                                       "\u043e/min!"};
    EXPECT_EQ(recorder.events, expected);
}

TEST_F(MainWindow, DrillSizeWarnsAfterRedrawingAndUpdatingTheDiameter) {
    Type(form1->SpinEdit2, "70"); // fine for 20 mm
    recorder.events.clear();
    int frameWidthAtWarning = 0;
    QString edit1AtWarning;
    recorder.onBox = [&] {
        frameWidthAtWarning = window->FrameBitmap().width();
        edit1AtWarning = form1->Edit1->text();
    };
    form1->SpinEdit1->setText("2");     // 10 mm at 70 m/min: 2228 rev/min
    EXPECT_EQ(frameWidthAtWarning, 25); // the 10 mm frame was already drawn
    EXPECT_EQ(edit1AtWarning, "10");
}

TEST_F(MainWindow, ABadDepthTextStopsADrillSizeChangeAfterTheSectionModulus) {
    form1->SpinEdit4->setText("");
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0], "report Busenje: '' is not a valid integer value.");
    recorder.events.clear();
    const std::int32_t travel = state.TravelLimit;
    form1->SpinEdit1->setText("7");
    EXPECT_EQ(state.DrillDiameter, 35.0);
    EXPECT_DOUBLE_EQ(state.SectionModulus, 0.02 * 0.035 * 0.035 * 0.035);
    EXPECT_EQ(state.TravelLimit, travel);
    EXPECT_EQ(form1->Edit1->text(), "20"); // the rest of the handler did not run
    EXPECT_EQ(recorder.events,
              std::vector<std::string>{"report Busenje: '' is not a valid integer value."});
}

TEST_F(MainWindow, FeedAndDepthAndPilotHole) {
    form1->SpinEdit3->setText("5");
    EXPECT_EQ(state.Feed, 0.05);
    EXPECT_EQ(form1->Edit2->text(), QString("0") + QLocale().decimalPoint() + "05");
    form1->SpinEdit1->setText("3");
    form1->SpinEdit1->setText("4");
    form1->SpinEdit4->setText("21");
    form1->SpinEdit4->setText("20");
    EXPECT_EQ(state.TravelLimit, 58);
    // Enlarging: the pilot-hole field appears; value 14 with 20 mm warns without redraw.
    QTest::mouseClick(form1->RadioButton2, Qt::LeftButton);
    EXPECT_EQ(state.Operation, MachiningOperation::Enlarging);
    EXPECT_TRUE(form1->SpinEdit5->isVisible());
    EXPECT_TRUE(Label("Label7")->isVisible());
    recorder.events.clear();
    form1->SpinEdit5->setText("14");
    EXPECT_EQ(state.PilotHoleSize, 15);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"beep", "warning: Otvor obraditi prosirivacem!"}));
    // A click on the label beside a radio button selects nothing.
    QTest::mouseClick(Label("Label12"), Qt::LeftButton);
    EXPECT_TRUE(form1->RadioButton2->isChecked());
    QTest::mouseClick(form1->RadioButton1, Qt::LeftButton);
    EXPECT_EQ(state.Operation, MachiningOperation::Drilling);
    EXPECT_FALSE(form1->SpinEdit5->isVisible());
    // Pasting "$A" into the depth runs the handler with 10.
    form1->SpinEdit4->setText("$A");
    EXPECT_EQ(state.TravelLimit, 2 * 10 + 13 + 5);
}

// The drill diameter and the feed boxes show what the run uses: typing, deleting or pasting
// into them changes neither their text nor the run, and they look as ordinary boxes do.
TEST_F(MainWindow, TheDiameterAndFeedBoxesShowWhatRuns) {
    const struct {
        QLineEdit* Edit;
        const char* Typed;
    } cases[] = {{form1->Edit1, "10"}, {form1->Edit2, "0,4"}};
    for (const auto& c : cases) {
        const QString shown = c.Edit->text();
        QLineEdit ordinary(shown, c.Edit->parentWidget());
        ordinary.setGeometry(c.Edit->geometry());
        EXPECT_EQ(ordinary.grab().toImage(), c.Edit->grab().toImage()) << c.Typed;
        c.Edit->setFocus();
        QTest::keyClick(c.Edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(c.Edit, QString::fromLatin1(c.Typed));
        QTest::keyClick(c.Edit, Qt::Key_Backspace);
        QTest::keyClick(c.Edit, Qt::Key_Delete);
        QApplication::clipboard()->setText(QStringLiteral("10"));
        QTest::keyClick(c.Edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(c.Edit->text(), shown) << c.Typed;
    }
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    form1->Timer1->stop();
    EXPECT_EQ(state.DrillDiameter, 20.0);
    EXPECT_EQ(state.Feed, 0.2);
    EXPECT_TRUE(recorder.events.empty());
}

// A refusal of "Proces" is the beep and the box of its kind, and the run does not start.
// Which refusal comes first is the simulation's own test.
TEST_F(MainWindow, ProcesRefusesAndLeavesTheTimerAlone) {
    QTest::mouseClick(form1->RadioButton2, Qt::LeftButton);
    form1->SpinEdit1->setText("1");
    form1->SpinEdit5->setText("10"); // 11 > 5 mm: blocked
    recorder.events.clear();
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    QTest::mouseClick(form1->RadioButton1, Qt::LeftButton);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    const std::vector<std::string> expected = {"beep", "error: Modeliranje nije izvodljivo!",
                                               "beep",
                                               "warning: Izaberite materijal alata i obratka!"};
    EXPECT_EQ(recorder.events, expected);
    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_EQ(state.CpDrill, 0.0);
}

// Typed text only shows in a material list's field: neither leaving the field, nor Enter,
// nor "Proces" choose the entry it spells or begins. Picking with the arrow keys does.
TEST_F(MainWindow, TypedComboTextKeepsTheLastPick) {
    Pick(form1->ComboBox1, 2); // K40
    Pick(form1->ComboBox2, 2); // NL 800-2 goes with K40 only
    struct Case {
        QComboBox* list;
        const char* typed;
        Qt::Key finish; // Qt::Key_unknown: press "Proces" instead
    };
    const Case cases[] = {{form1->ComboBox1, "C", Qt::Key_unknown},
                          {form1->ComboBox1, "K50", Qt::Key_Tab},
                          {form1->ComboBox2, "a", Qt::Key_Return},
                          {form1->ComboBox2, "C1540", Qt::Key_Enter},
                          {form1->ComboBox1, "xyz", Qt::Key_unknown}};
    for (const Case& c : cases) {
        c.list->setFocus();
        c.list->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), c.typed);
        EXPECT_EQ(c.list->currentText(), c.typed);
        if (c.finish == Qt::Key_unknown) {
            QTest::mouseClick(form1->Button3, Qt::LeftButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), c.finish);
            form1->Button4->setFocus();
        }
        EXPECT_EQ(state.ToolMaterial, 3) << c.typed;
        EXPECT_EQ(state.WorkMaterial, 3) << c.typed;
    }
    EXPECT_TRUE(form1->Timer1->isActive());
    EXPECT_EQ(state.CpDrill, 427.0);
    EXPECT_TRUE(recorder.events.empty());
    form1->ComboBox1->setFocus();
    QTest::keyClick(form1->ComboBox1, Qt::Key_Down);
    EXPECT_EQ(form1->ComboBox1->currentText(), "K50");
    EXPECT_EQ(state.ToolMaterial, 4);
}

// The wheel over a closed material list changes it only while the list has the focus.
TEST_F(MainWindow, TheWheelChangesOnlyAFocusedList) {
    for (const bool focused : {false, true}) {
        Pick(form1->ComboBox1, 0); // C7680
        form1->Button1->setFocus();
        if (focused) {
            form1->ComboBox1->setFocus();
        }
        for (int step = 0; step < 2; ++step) {
            QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(form1->ComboBox1, &wheel);
        }
        EXPECT_EQ(form1->ComboBox1->currentText(), focused ? "K40" : "C7680") << focused;
        EXPECT_EQ(state.ToolMaterial, focused ? 3 : 1) << focused;
        EXPECT_EQ(form1->ComboBox1->hasFocus(), focused);
    }
}

TEST_F(MainWindow, AFullRunToTheEndOfTravel) {
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    ASSERT_TRUE(form1->Timer1->isActive());
    const QImage start = window->Scene().copy();
    form1->Tick(245);
    EXPECT_TRUE(form1->Timer1->isActive());
    EXPECT_EQ(form1->ChartProbe.Series1()->dataCount(), 277);
    EXPECT_NE(window->Scene(), start);
    form1->Tick(1);
    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_DOUBLE_EQ(form1->ChartProbe.TimeAxisRange().Maximum, state.TimeAxis[NewestSample]);
    EXPECT_TRUE(recorder.events.empty());
}

// A redraw repaints only the columns of the cross-section that the old and the new scene
// use, some forty for a tick, and every pixel that changed lies in them: on ticks, on
// "Polazno stanje", and on a change of the drill's size, which uses other columns.
TEST_F(MainWindow, TheCrossSectionRepaintsOnlyTheColumnsInUse) {
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    form1->Timer1->stop();
    QApplication::processEvents();
    PaintedRegion painted(form1->Image1);
    const struct {
        const char* What;
        std::function<void()> Action;
        int WidestPx;
    } steps[] = {
        {"a tick", [&] { form1->Tick(); }, 45},
        {"ten ticks", [&] { form1->Tick(10); }, 45},
        {"Polazno stanje", [&] { QTest::mouseClick(form1->Button5, Qt::LeftButton); }, 45},
        {"a larger drill", [&] { QTest::keyClick(form1->SpinEdit1->lineEdit(), Qt::Key_Up); }, 55},
    };
    for (const auto& step : steps) {
        const QImage before = window->Scene().copy();
        painted.region = QRegion();
        step.Action();
        QApplication::processEvents();
        QApplication::processEvents();
        const QImage& after = window->Scene();
        int unpainted = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                unpainted +=
                    after.pixel(x, y) != before.pixel(x, y) && !painted.region.contains({x, y});
            }
        }
        EXPECT_EQ(unpainted, 0) << step.What;
        EXPECT_NE(after, before) << step.What;
        EXPECT_LE(painted.region.boundingRect().width(), step.WidestPx) << step.What;
    }
}

// Answers the dialogs of a save as a user does: the file dialog with `fileName`, a question
// whether to replace the file with yes.
class DialogAnswers {
  public:
    explicit DialogAnswers(QString fileName) : fileName_(std::move(fileName)) {
        // The file dialog is accepted at once, in the same step as the name is put in, so
        // that none of the dialog's own work comes between.
        QObject::connect(&fileDialog_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            // Typed into the name field, as a user does: selectFile leaves a field that has
            // the focus alone.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) {
                return;
            }
            if (proposed.isEmpty()) {
                proposed = dialog->selectedFiles().value(0);
                for (QWidget* shown : dialog->findChildren<QWidget*>()) {
                    const auto* button = qobject_cast<QAbstractButton*>(shown);
                    const QString text = qobject_cast<QLabel*>(shown) != nullptr
                                             ? static_cast<QLabel*>(shown)->text()
                                             : (button != nullptr ? button->text() : QString());
                    dialogTexts << (text.isEmpty() ? shown->toolTip() : text);
                }
                dialogTexts.removeAll(QString());
            }
            name->setText(fileName_);
            if (dialog->selectedFiles() == QStringList{fileName_}) {
                ++fileDialogs;
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        // A question the accepting opens runs while the first timer's step has not
        // returned; a timer of its own answers it.
        QObject::connect(&question_, &QTimer::timeout, [this] {
            if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                questions << question->text();
                for (QAbstractButton* button : question->buttons()) {
                    questionButtons << button->text();
                }
                question->button(QMessageBox::Yes)->click();
            }
        });
        fileDialog_.start(10);
        question_.start(10);
    }
    int fileDialogs = 0;
    // The file the dialog proposed, and the texts and tips of its labels and buttons,
    // before the name was typed.
    QString proposed;
    QStringList dialogTexts;
    // The questions the dialog asked, and their buttons.
    QStringList questions;
    QStringList questionButtons;

  private:
    QString fileName_;
    QTimer fileDialog_;
    QTimer question_;
};

#if defined(Q_OS_LINUX)
// A folder in which no file can be made or replaced while the guard lives: made immutable
// for root, whom permissions do not stop, read-only for everyone else.
class ProtectedFolder {
  public:
    explicit ProtectedFolder(const QString& path) : path_(path) { Set(true); }
    ~ProtectedFolder() { Set(false); }

  private:
    void Set(bool on) {
        if (geteuid() != 0) {
            QFile::setPermissions(path_,
                                  on ? QFile::ReadOwner | QFile::ExeOwner
                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return;
        }
        const int folder = open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(folder, 0);
        int flags = 0;
        ASSERT_EQ(ioctl(folder, FS_IOC_GETFLAGS, &flags), 0);
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        EXPECT_EQ(ioctl(folder, FS_IOC_SETFLAGS, &flags), 0);
        close(folder);
    }
    QString path_;
};

// A file system of 64 KiB of its own at `path`, mounted while the guard lives, where the
// tests may mount (as root).
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const QString& path) : path_(QFile::encodeName(path)) {
        mounted_ = mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) {
            umount2(path_.constData(), MNT_DETACH);
        }
    }
    bool Mounted() const { return mounted_; }
    // Takes every free byte into a file of its own.
    void Fill() const {
        QFile filler(QFile::decodeName(path_) + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, '\0');
        while (filler.write(page) == page.size()) {
        }
    }

  private:
    QByteArray path_;
    bool mounted_ = false;
};
#endif

QByteArray ContentOf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A right click on the chart opens its menu; its table of samples, saved where the user
// chose, reads back to the plotted samples, its pictures have their sizes; and a folder
// that cannot be written keeps the file already there and reports why.
TEST_F(MainWindow, TheChartMenuSavesTheSamples) {
    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    Oscillograph* chart = form1->Chart1;
    QStringList items;
    for (QAction* action : menu->actions()) {
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(items, QStringList({QString::fromUtf8("Sačuvaj sliku oscilograma (PNG)…"),
                                  QString::fromUtf8("Sačuvaj sliku za štampu, dvostruke "
                                                    "veličine (PNG)…"),
                                  QString::fromUtf8("Sačuvaj oscilogram kao PDF…"),
                                  QString::fromUtf8("Sačuvaj uzorke kao tabelu (CSV)…"), "-",
                                  QString::fromUtf8("Kopiraj sliku oscilograma")}));

    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("run.csv"));
    {
        DialogAnswers answers(fileName);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.fileDialogs, 1);
    }
    QFile saved(fileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n', Qt::SkipEmptyParts);
    saved.close();
    ASSERT_EQ(lines.size(), 1 + SampleCount);
    EXPECT_EQ(lines.front(), "Vreme (s),Aksijalni otpor (N),Moment (Nm)");
    for (int k = 0; k < SampleCount; ++k) {
        const QStringList cells = lines[k + 1].split(u',');
        ASSERT_EQ(cells.size(), 3) << k;
        EXPECT_EQ(cells[0].toDouble(), form1->ChartProbe.Series1()->data()->at(k)->key) << k;
        EXPECT_EQ(cells[1].toDouble(), form1->ChartProbe.Series1()->data()->at(k)->value) << k;
        EXPECT_EQ(cells[2].toDouble(), form1->ChartProbe.Series2()->data()->at(k)->value) << k;
    }
    // The pictures: at the chart's size, twice it for printing, a PDF, and the clipboard's.
    const struct {
        int Item;
        const char* Name;
        QSize Size; // of the picture saved; empty for the PDF
    } pictures[] = {{0, "run.png", chart->size()},
                    {1, "run-print.png", chart->size() * 2},
                    {2, "run.pdf", QSize()}};
    for (const auto& picture : pictures) {
        const QString pictureName = QDir(folder.path()).filePath(QString::fromLatin1(picture.Name));
        DialogAnswers answers(pictureName);
        menu->actions().at(picture.Item)->trigger();
        QFile file(pictureName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << picture.Name;
        const QByteArray bytes = file.readAll();
        if (picture.Size.isEmpty()) {
            EXPECT_TRUE(bytes.startsWith("%PDF-")) << picture.Name;
        } else {
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), picture.Size) << picture.Name;
        }
    }
    QApplication::clipboard()->clear();
    menu->actions().at(5)->trigger();
    EXPECT_EQ(QApplication::clipboard()->pixmap().size(), chart->size());
    EXPECT_TRUE(recorder.events.empty());

#if defined(Q_OS_LINUX)
    // Ten ticks later the samples differ, but the folder takes no file now.
    form1->Tick(10);
    QApplication::processEvents();
    QFile before(fileName);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    {
        ProtectedFolder locked(folder.path());
        DialogAnswers answers(fileName);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.fileDialogs, 1);
        EXPECT_EQ(answers.questions.size(), 1) << "whether to replace run.csv";
    }
    QFile after(fileName);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files) << "no file left behind";
    ASSERT_EQ(recorder.reports, 1);
    const std::string report = recorder.events.back();
    const std::string start = "report Busenje: Datoteka " +
                              QDir::toNativeSeparators(fileName).toStdString() + " nije sačuvana: ";
    EXPECT_EQ(report.rfind(start, 0), 0u) << report;
    EXPECT_GT(report.size(), start.size() + 2) << "a reason follows: " << report;
#endif
}

// Each item saves the chart as it stood when the menu opened, however far the run has gone
// while the user chose the file's name.
TEST_F(MainWindow, TheMenuSavesTheChartAsItStoodWhenItOpened) {
    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    Oscillograph* chart = form1->Chart1;
    const ChartSnapshot then = chart->Snapshot();
    const QByteArray samplesThen = then.SamplesCsv;
    const QImage pictureThen = then.Picture.toImage();
    form1->Tick(20);
    QApplication::processEvents();
    ASSERT_NE(chart->Snapshot().SamplesCsv, samplesThen);

    QTemporaryDir folder;
    const struct {
        int Item;
        const char* Name; // empty: the clipboard
    } cases[] = {{3, "then.csv"}, {0, "then.png"}, {5, ""}};
    for (const auto& c : cases) {
        if (*c.Name == '\0') {
            menu->actions().at(c.Item)->trigger();
            EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(pictureThen.format()),
                      pictureThen);
            continue;
        }
        const QString fileName = QDir(folder.path()).filePath(QString::fromLatin1(c.Name));
        DialogAnswers answers(fileName);
        form1->Tick(5); // the run goes on while the menu is open
        menu->actions().at(c.Item)->trigger();
        QByteArray saved = ContentOf(fileName);
        if (fileName.endsWith(QStringLiteral(".csv"))) {
            EXPECT_EQ(saved.replace("\r\n", "\n"), samplesThen); // Windows ends lines so
        } else {
            EXPECT_EQ(QImage::fromData(saved, "PNG").convertToFormat(pictureThen.format()),
                      pictureThen);
        }
    }
    EXPECT_TRUE(recorder.events.empty());
}

#if defined(Q_OS_LINUX)
// The save dialog opens in the documents folder, or in the home folder where the account
// has none, and then where the last file went while that folder is there. (The test moves
// the home folder as Linux finds it, through HOME.)
TEST_F(MainWindow, TheSaveDialogOpensInAFolderThatIsThere) {
    QTemporaryDir home;
    // The account's home folder is `home` while the guard lives.
    struct MovedHome {
        explicit MovedHome(const QString& path) {
            qputenv("HOME", QFile::encodeName(path));
            qunsetenv("XDG_CONFIG_HOME");
        }
        ~MovedHome() {
            qputenv("HOME", home);
            if (!config.isNull()) {
                qputenv("XDG_CONFIG_HOME", config);
            }
        }
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    };
    const QDir at(home.path());
    const struct {
        const char* What;
        std::function<void()> Before;
        const char* Proposed; // in the home folder
        const char* SavedAs;
    } steps[] = {
        {"no documents folder", [] {}, "oscilogram.csv", "run.csv"},
        {"the folder of the last file", [&] { at.mkpath(QStringLiteral("Documents")); },
         "oscilogram.csv", "Documents/kept/run.csv"},
        {"the last file's folder is gone",
         [&] { QDir(at.filePath(QStringLiteral("Documents/kept"))).removeRecursively(); },
         "Documents/oscilogram.csv", "Documents/run.csv"},
    };
    const MovedHome moved(home.path());
    QMenu* menu = ChartMenu();
    ASSERT_NE(menu, nullptr);
    for (const auto& step : steps) {
        step.Before();
        const QString savedAs = at.filePath(QString::fromLatin1(step.SavedAs));
        at.mkpath(QFileInfo(savedAs).path());
        DialogAnswers answers(savedAs);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.proposed, at.filePath(QString::fromLatin1(step.Proposed))) << step.What;
        EXPECT_TRUE(QFile::exists(savedAs)) << step.What;
    }
    EXPECT_TRUE(recorder.events.empty());
}
#endif

// The save dialog and its question whether to replace a file speak Serbian, as the
// program does: Qt's own texts come translated with it.
TEST_F(MainWindow, TheSaveDialogSpeaksSerbian) {
    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("run.csv"));
    QFile(fileName).open(QIODevice::WriteOnly);
    DialogAnswers answers(fileName);
    ChartMenu()->actions().at(3)->trigger();
    QStringList shown = answers.dialogTexts + answers.questionButtons;
    shown.replaceInStrings(QStringLiteral("&"), QString());
    shown.sort();
    EXPECT_EQ(shown,
              QStringList({"Da", "Ime datoteke:", "Nadređena fascikla", "Napravi novu fasciklu",
                           "Napred", "Nazad", "Ne", "Otkaži", "Pojedinosti", "Sačuvaj", "Spisak",
                           "Traži u:", "Vrsta datoteka:"}));
    EXPECT_EQ(answers.questions,
              QStringList({"run.csv već postoji.\nDa li želite da je zamenite?"}));
    EXPECT_TRUE(recorder.events.empty());
}

#if defined(Q_OS_LINUX)
// On a full disk every item that writes a file keeps the file of that name as it was,
// leaves no part of a new one, and reports the file and the reason. The disk is a real
// file system the test mounts; without the rights to mount one it skips, unless told that
// it must run.
TEST_F(MainWindow, ASaveOntoAFullDiskKeepsEveryFile) {
    QTemporaryDir folder;
    const SmallFileSystem disk(folder.path());
    if (!disk.Mounted()) {
        if (qEnvironmentVariableIsSet("BUSENJE_REQUIRE_FULL_DISK_TEST")) {
            FAIL() << "cannot mount a small file system: " << std::strerror(errno);
        }
        GTEST_SKIP() << "cannot mount a small file system here (as root it can)";
    }
    const QDir at(folder.path());
    const QByteArray old = "the file saved before\n";
    for (const char* name : {"old.png", "old.pdf", "old.csv"}) {
        QFile file(at.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    disk.Fill();
    const QStringList files = at.entryList(QDir::Files);

    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    const struct {
        int Item;
        const char* Name;
    } cases[] = {{0, "old.png"}, {0, "new.png"}, {1, "old.png"}, {1, "new.png"},
                 {2, "old.pdf"}, {2, "new.pdf"}, {3, "old.csv"}, {3, "new.csv"}};
    for (const auto& c : cases) {
        const QString fileName = at.filePath(QString::fromLatin1(c.Name));
        const bool replacing = QFile::exists(fileName);
        const int reports = recorder.reports;
        {
            DialogAnswers answers(fileName);
            menu->actions().at(c.Item)->trigger();
            EXPECT_EQ(answers.questions.size(), replacing ? 1 : 0) << c.Name;
        }
        EXPECT_EQ(at.entryList(QDir::Files), files) << c.Item << " " << c.Name;
        if (replacing) {
            EXPECT_EQ(ContentOf(fileName), old) << c.Item << " " << c.Name;
        }
        ASSERT_EQ(recorder.reports, reports + 1) << c.Item << " " << c.Name;
        EXPECT_EQ(recorder.events.back(), "report Busenje: Datoteka " + fileName.toStdString() +
                                              " nije sačuvana: nema dovoljno mesta na disku.")
            << c.Item;
    }
}
#endif

// Why a file could not be written, as the box gives it: the four reasons a student meets,
// in Serbian, and the system's own words for anything else.
TEST(SaveFailure, TheReasonInTheUsersWords) {
    QTemporaryDir folder;
    const QDir at(folder.path());
    at.mkpath(QStringLiteral("locked"));
    const QString longName = QString(256, u'a') + QStringLiteral(".csv");
    const struct {
        QString FileName;
        QFileDevice::FileError Error;
        std::string Reason;
    } cases[] = {
        {at.filePath("x.csv"), QFileDevice::ResourceError, "nema dovoljno mesta na disku"},
        {at.filePath("missing/x.csv"), QFileDevice::OpenError, "fascikla ne postoji"},
        {at.filePath(longName), QFileDevice::OpenError, "ime je predugačko"},
        {at.filePath(longName + "/x.csv"), QFileDevice::OpenError, "ime je predugačko"},
        {at.filePath("x.csv"), QFileDevice::RenameError, "system words"},
#if defined(Q_OS_LINUX)
        {at.filePath("locked/x.csv"), QFileDevice::OpenError, "nema dozvole za upis"},
#endif
    };
#if defined(Q_OS_LINUX)
    ProtectedFolder locked(at.filePath(QStringLiteral("locked")));
#endif
    for (const auto& c : cases) {
        EXPECT_EQ(SaveFailureReason(c.FileName, c.Error, QStringLiteral("system words")), c.Reason)
            << c.FileName.toStdString();
    }
}

TEST_F(MainWindow, TheRealTimerDrivesTheRun) {
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    QTest::qWait(400);
    EXPECT_GT(state.DrillTopY, -300.0);
    // "Pauza" holds the run where it is; "Proces" continues from there.
    QTest::mouseClick(form1->Button4, Qt::LeftButton);
    const double top = state.DrillTopY;
    QTest::qWait(200);
    EXPECT_EQ(state.DrillTopY, top);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_GT(state.DrillTopY, top);
    // "Polazno stanje" during the run stops it and puts the drill back.
    QTest::mouseClick(form1->Button5, Qt::LeftButton);
    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_EQ(state.DrillTopY, -300.0);
    EXPECT_EQ(form1->ChartProbe.Series1()->dataCount(), 277);
    EXPECT_EQ(form1->ChartProbe.Series1()->data()->at(276)->value, 0.0);
}

TEST_F(MainWindow, BreakageShowsItsBoxAfterTheTimerStopped) {
    form1->SpinEdit1->setText("1"); // 5 mm breaks once it cuts with its full width
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    recorder.events.clear();
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    form1->Tick(38);
    EXPECT_FALSE(form1->Timer1->isActive());
    // The beep while the timer still runs, then the box once it has stopped.
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"beep [running]", "error: Nastaje lom burgije!"}));
    EXPECT_GT(state.ShearStress, state.AllowedStress);
}

// During a run "Proces" checks the pair anew: refused, the run goes on with the set it
// has; accepted, it loads the new set and goes on, the timer's period not restarted.
TEST_F(MainWindow, AMaterialChangeDuringARunTakesEffectOnProces) {
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 4); // C4730
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    form1->Tick(50);
    Pick(form1->ComboBox2, 1); // C1530 does not go with C7680
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{
                  "beep [running]",
                  "error: Izabrani materijali ne odgovaraju zadatim varijantama! [running]"}));
    EXPECT_TRUE(form1->Timer1->isActive());
    Pick(form1->ComboBox2, 5); // 30HGSA
    EXPECT_EQ(state.ForceFactor, 1.18);
    // 30 of the timer's 50 ms pass with no event handled, so it cannot fire meanwhile.
    form1->Timer1->start();
    QThread::msleep(30);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    EXPECT_EQ(state.ForceFactor, 1.31);
    EXPECT_GT(state.DrillTopY, -300.0);
    EXPECT_LT(form1->Timer1->remainingTime(), 40) << "the period started again";
}

// The handler stores the maximum first, then sets the axis: a maximum below the axis's
// minimum is reported after ForceAxisMax already holds it, and a product beyond 32 bits
// sets nothing.
TEST_F(MainWindow, AxisMaximaFollowTheirSpinEdits) {
    struct Case {
        const char* text;
        double axisMaximum;
        std::int32_t forceAxisMax;
        bool refused;
    };
    const Case cases[] = {{"2", 2000.0, 2000, false},
                          {"25", 25000.0, 25000, false},
                          {"0", 0.0, 0, false},
                          {"-5", 0.0, -5000, true},
                          {"3000000", 0.0, -5000, false}};
    for (const Case& c : cases) {
        recorder.events.clear();
        form1->SpinEdit6->setText(c.text);
        EXPECT_EQ(form1->ChartProbe.ForceAxisRange().Maximum, c.axisMaximum) << c.text;
        EXPECT_EQ(state.ForceAxisMax, c.forceAxisMax) << c.text;
        const std::string report = "report Busenje: Axis Maximum Value must be >= Minimum.";
        EXPECT_EQ(recorder.events, std::vector<std::string>(c.refused ? 1 : 0, report)) << c.text;
    }
    Type(form1->SpinEdit6, "25");
    EXPECT_EQ(state.ForceAxisMax, 25000);
    EXPECT_EQ(form1->ChartProbe.ForceAxisRange().Maximum, 25000.0);
    // A click on the chart leaves the focus, and the typed number, where they were.
    QTest::mouseClick(form1->ChartProbe.Plot(), Qt::LeftButton, Qt::NoModifier,
                      form1->ChartProbe.PlottingArea().center());
    EXPECT_EQ(QApplication::focusWidget(), form1->SpinEdit6->lineEdit());
    EXPECT_EQ(form1->SpinEdit6->text(), "25");
    form1->Button1->setFocus(); // leaving the field clamps it to 20
    EXPECT_EQ(form1->SpinEdit6->text(), "20");
    EXPECT_EQ(form1->ChartProbe.ForceAxisRange().Maximum, 20000.0);
    Type(form1->SpinEdit7, "100");
    EXPECT_EQ(state.MomentAxisMax, 100);
    EXPECT_EQ(form1->ChartProbe.MomentAxisRange().Maximum, 100.0);
}

TEST_F(MainWindow, HelpTwiceShowsOneWindowAndExitCloses) {
    QTest::mouseClick(form1->Button2, Qt::LeftButton);
    EXPECT_TRUE(form2->isVisible());
    form2->move(300, 200);
    form2->close();
    EXPECT_FALSE(form2->isVisible());
    QTest::mouseClick(form1->Button2, Qt::LeftButton);
    QTest::mouseClick(form1->Button2, Qt::LeftButton);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->pos(), QPoint(300, 200));
    // Minimised, it comes back at its last normal bounds.
    const QRect bounds = form2->geometry();
    form2->showMinimized();
    ASSERT_TRUE(form2->isMinimized());
    QTest::mouseClick(form1->Button2, Qt::LeftButton);
    EXPECT_FALSE(form2->isMinimized());
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->geometry(), bounds);
    const auto topLevel = QApplication::topLevelWidgets();
    EXPECT_EQ(
        std::count_if(topLevel.begin(), topLevel.end(),
                      [](QWidget* w) { return w->objectName() == "Form2" && w->isVisible(); }),
        1);
    QTest::mouseClick(form1->Button1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form2->isVisible());
}

TEST(InstructionsWindow, PageFrameAndWindowShape) {
    ProgramWindows::SetUpOnce();
    const QImage page = InstructionsPage();
    ASSERT_EQ(page.size(), QSize(404, 391));
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), paper = qRgb(254, 254, 153);
    struct Pixel {
        int x, y;
        QRgb colour;
    };
    const Pixel pixels[] = {
        {0, 1, black},     {200, 1, black}, {401, 1, black},   {0, 389, black},   {200, 389, black},
        {401, 200, black}, {0, 200, black}, {200, 0, white},   {200, 390, white}, {402, 200, white},
        {403, 200, white}, {2, 3, paper},   {399, 387, paper}, {200, 386, paper},
    };
    for (const Pixel& p : pixels) {
        EXPECT_EQ(page.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // The text stands between columns 9 and 391: some black there, none in the margins.
    int inked = 0, inMargin = 0;
    for (int y = 3; y < 388; ++y) {
        for (int x = 1; x < 401; ++x) {
            const bool ink = qGray(page.pixel(x, y)) < 100;
            (x >= 9 && x <= 391 ? inked : inMargin) += ink ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 5000);
    EXPECT_EQ(inMargin, 0);
    // The whole text fits its area, whatever serif face the machine has: the suite runs
    // this test under a font configuration of the DejaVu fonts alone as well.
    const std::unique_ptr<QTextDocument> text = InstructionsText();
    EXPECT_LE(text->size().height(), InstructionsTextHeightPx);
    if (qEnvironmentVariable("FONTCONFIG_FILE").endsWith("dejavu-only.conf")) {
        EXPECT_EQ(QFontInfo(text->defaultFont()).family(), "DejaVu Serif");
    }

    TForm2 form2;
    EXPECT_EQ(form2.windowTitle(), "Instrukcije");
    EXPECT_FALSE(form2.isVisible());
    EXPECT_FALSE(form2.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form2.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form2.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form2.geometry(), QRect(192, 107, 416, 407));
    ImageView* image = form2.findChild<ImageView*>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(8, 8, 401, 393));
    // Shown at its own size, not scaled: the window's first pixel row of the image is the
    // page's row 0 (white), the next its black frame.
    const QImage shown = image->grab().toImage();
    EXPECT_EQ(shown.pixel(200, 0), white);
    EXPECT_EQ(shown.pixel(200, 1), black);
    EXPECT_EQ(shown.pixel(400, 200), page.pixel(400, 200));
    // The control is two rows taller than the page: the window's background shows there.
    EXPECT_EQ(shown.pixel(200, 391), form2.palette().window().color().rgb());
    EXPECT_EQ(shown.pixel(200, 392), form2.palette().window().color().rgb());
    // On a screen of twice the density the page is enlarged by whole pixels: its frame
    // line becomes two black rows, with nothing blended beside them.
    QImage doubled(image->size() * 2, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2.0);
    image->render(&doubled);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(doubled.pixel(200, y), y < 2 ? white : (y < 4 ? black : paper)) << y;
    }
}

// The page's lines as its layout breaks them with the usual serif face (Liberation Serif,
// or Times New Roman where the machine has it): 23 lines beginning with these words, six
// of them the first of a paragraph, a fixed distance of about 15.5 pixels apart, the last
// ending by row 360 of the page.
TEST(InstructionsPage, TheUsualFaceBreaksTheTextIntoItsLines) {
    ProgramWindows::SetUpOnce();
    const std::unique_ptr<QTextDocument> text = InstructionsText();
    const QString family = QFontInfo(text->defaultFont()).family();
    EXPECT_TRUE(family == "Liberation Serif" || family == "Times New Roman")
        << family.toStdString();
    struct Line {
        const char* begins;
        bool opensParagraph;
    };
    const Line expected[] = {
        {"Program je namenjen", true},
        {"momenta pei", false},
        {"Potrebno je uneti", true},
        {"podatke u uslovima", false},
        {"(proširivanja), izabrati", false},
        {"taster „Proces“. Pri", false},
        {"dopunski uneti", false},
        {"U grafičkom prozoru", true},
        {"bušenja (proširivanja) a na", false},
        {"aksijalnog otpora i momenta bušenja", false},
        {"oscilograma može se menjati", false},
        {"sila - Fmax“", false},
        {"Za zaustavljanje", true},
        {"„Pauza“ , a za", false},
        {"Aktiviranjem ekranskog", true},
        {"animacija u početnu", false},
        {"Svaki segment", true},
        {"na sledeći način", false},
        {"pritisnite levi taster miša i obeležite", false},
        {"miša sa leva na desno", false},
        {"može izvesti više puta", false},
        {"mišem realizovati", false},
        {"pomerajte ga u levo", false},
    };
    std::vector<QString> lines;
    std::vector<bool> opening;
    std::vector<qreal> tops;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back(block.text().mid(line.textStart(), line.textLength()));
            opening.push_back(i == 0);
            tops.push_back(layout->position().y() + line.y());
        }
    }
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].startsWith(QString::fromUtf8(expected[i].begins)))
            << "line " << i + 1 << ": " << lines[i].toStdString();
        EXPECT_EQ(opening[i], expected[i].opensParagraph) << "line " << i + 1;
    }
    const qreal pitch = tops[1] - tops[0];
    EXPECT_GE(pitch, 15.0);
    EXPECT_LE(pitch, 16.0);
    for (std::size_t i = 1; i < tops.size(); ++i) {
        EXPECT_DOUBLE_EQ(tops[i] - tops[i - 1], pitch) << "line " << i + 1;
    }
    EXPECT_LE(9 + text->size().height(), 360.0);
}

// Frames of the main window (614 x 529) and the instructions window (424 x 434) on screens
// with and without panels, a second screen to the right of a first, and screens scaled up.
TEST(WindowPlacement, AFrameGoesWhollyOntoTheAvailableArea) {
    struct Case {
        const char* what;
        QRect frame, area;
        QPoint expected;
    };
    const Case cases[] = {
        {"inside", {194, 196, 614, 529}, {0, 0, 1280, 1024}, {194, 196}},
        {"touching the right and bottom edges",
         {666, 495, 614, 529},
         {0, 0, 1280, 1024},
         {666, 495}},
        {"out on the right", {700, 196, 614, 529}, {0, 0, 1280, 1024}, {666, 196}},
        {"out at the bottom", {194, 500, 614, 529}, {0, 0, 1280, 1024}, {194, 495}},
        {"over a panel at the top", {194, 10, 614, 529}, {0, 32, 1280, 992}, {194, 32}},
        {"off the left and top", {-50, -20, 424, 434}, {0, 0, 1024, 768}, {0, 0}},
        {"taller than a scaled laptop", {194, 196, 608, 504}, {0, 0, 683, 360}, {75, 0}},
        {"larger than the area", {194, 196, 608, 504}, {0, 0, 400, 300}, {0, 0}},
        {"on a second screen", {2000, 500, 424, 434}, {1280, 0, 1024, 740}, {1880, 306}},
        {"larger than a second screen", {1300, 50, 614, 529}, {1280, 24, 600, 500}, {1280, 24}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FramePositionOnScreen(c.frame, c.area), c.expected) << c.what;
    }
}

// Both windows as they open on the screen the tests run on: the offscreen platform's
// 800 x 800 pixels, or 1280 x 1024 pixels at twice the scale, 640 x 512 in the windows'
// pixels. The platform's frame is two pixels wide, one at twice the scale.
TEST(WindowPlacement, TheWindowsOpenWhollyOnTheScreen) {
    SimulationState state;
    ProgramWindows windows(state);
    const QRect area = windows.Form1.screen()->availableGeometry();
    struct Screen {
        QSize size;
        qreal scale;
        QPoint form1, form2;
    };
    const Screen screens[] = {
        // The main window's frame, 610 pixels wide, comes in from the right; the
        // instructions window stands where it was laid out.
        {{800, 800}, 1.0, {190, 196}, {192, 107}},
        // Both frames come in: 608 x 504 from the right and the bottom, 418 x 409 from the
        // bottom.
        {{640, 512}, 2.0, {32, 8}, {192, 103}},
    };
    const auto screen = std::find_if(std::begin(screens), std::end(screens),
                                     [&](const Screen& s) { return s.size == area.size(); });
    ASSERT_NE(screen, std::end(screens)) << area.width() << " x " << area.height();
    EXPECT_EQ(windows.Form1.devicePixelRatio(), screen->scale);
    QTest::mouseClick(windows.Controls.Button2, Qt::LeftButton);
    ASSERT_TRUE(windows.Form2.isVisible());
    const std::pair<QWidget*, QPoint> placed[] = {{&windows.Form1, screen->form1},
                                                  {&windows.Form2, screen->form2}};
    for (const auto& [window, place] : placed) {
        const std::string name = window->objectName().toStdString();
        EXPECT_EQ(window->pos(), place) << name;
        EXPECT_EQ(window->frameGeometry().topLeft(), place) << name;
        EXPECT_TRUE(area.contains(window->frameGeometry())) << name;
    }
    // Moved by the user, even partly off the screen, the instructions window shows there
    // again on the next "Help".
    const QPoint moved = area.bottomRight() - QPoint(100, 100);
    windows.Form2.move(moved);
    windows.Form2.close();
    QTest::mouseClick(windows.Controls.Button2, Qt::LeftButton);
    EXPECT_TRUE(windows.Form2.isVisible());
    EXPECT_EQ(windows.Form2.pos(), moved);
}

// The focus starts on "Exit": Enter or Space right after start closes the window.
TEST_F(MainWindow, EnterOrSpaceRightAfterStartPressesExit) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        form1->Button1->setFocus();
        ASSERT_TRUE(window->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), form1->Button1);
        QTest::keyClick(form1->Button1, key);
        EXPECT_FALSE(window->isVisible()) << key;
    }
}

} // namespace
