#include "MainWindowFixture.h"

#include "PaintedRegion.h"
#include "ProgramAssets.h"
#include "StartValues.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QThread>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

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

// A finger's tap on a material list, on its text as on its arrow, opens its rows a
// fingertip tall without entering the field; a tap on a row picks it. The mouse opens the
// rows as they always were.
TEST_F(MainWindow, AFingerOpensAListWithRowsItCanHit) {
    QPointingDevice* finger = QTest::createTouchDevice();
    QComboBox* list = form1->ComboBox2;
    QAbstractItemView* rows = list->view();
    const int fingertip = static_cast<int>(0.35 * list->screen()->physicalDotsPerInch());
    for (const QPoint at : {QPoint(20, 10), QPoint(list->width() - 6, 10)}) {
        QTest::touchEvent(window, finger).press(0, at, list);
        QTest::touchEvent(window, finger).release(0, at, list);
        ASSERT_TRUE(rows->isVisible()) << at.x();
        EXPECT_FALSE(list->lineEdit()->hasFocus());
        EXPECT_GE(rows->visualRect(rows->model()->index(1, 0)).height(), fingertip);
        list->hidePopup();
    }
    QTest::touchEvent(window, finger).press(0, {20, 10}, list);
    QTest::touchEvent(window, finger).release(0, {20, 10}, list);
    ASSERT_TRUE(rows->isVisible());
    const QPoint third = rows->visualRect(rows->model()->index(2, 0)).center();
    QTest::touchEvent(rows->window(), finger).press(0, third, rows->viewport());
    QTest::touchEvent(rows->window(), finger).release(0, third, rows->viewport());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rows->isVisible(); }));
    EXPECT_EQ(list->currentText(), "NL 800-2");
    EXPECT_EQ(state.WorkMaterial, 3);

    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, {list->width() - 6, 10});
    ASSERT_TRUE(rows->isVisible());
    EXPECT_LT(rows->visualRect(rows->model()->index(1, 0)).height(), fingertip);
    list->hidePopup();
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
