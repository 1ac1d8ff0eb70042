#include "OscillographTestSupport.h"

#include "ChartTexts.h"
#include "ProgramError.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST_F(OscillographTest, ShortOrSidewaysDragsChangeNothing) {
    const Ranges before = Current();
    const QPoint start = Area().center() - QPoint(40, 30);
    for (const QPoint by : {QPoint(100, 10), QPoint(16, 16), QPoint(16, 60), QPoint(60, 16),
                            QPoint(17, 16), QPoint(-16, -16), QPoint(-60, 16), QPoint(0, 0)}) {
        Drag(Qt::LeftButton, start, start + by);
        ExpectRanges(before);
        EXPECT_FALSE(probe.RangesRemembered()) << by.x() << "," << by.y();
        EXPECT_FALSE(probe.ZoomDragActive());
    }
    // A restore without a zoom before it has nothing to go back to.
    Drag(Qt::LeftButton, Area().center(), Area().center() - QPoint(40, 30));
    ExpectRanges(before);
    EXPECT_FALSE(probe.RangesRemembered());
}

TEST_F(OscillographTest, TwoNestedZoomsAndOneRestore) {
    const Ranges before = Current();
    const Ranges afterFirst =
        ZoomTo(Area().topLeft() + QPoint(20, 10), Area().bottomRight() - QPoint(30, 20));
    ExpectRanges(afterFirst);
    EXPECT_TRUE(probe.RangesRemembered());
    EXPECT_NEAR(probe.Plot()->yAxis->range().upper, afterFirst.Force.Maximum, 1e-9);

    const QPoint second0 = Area().topLeft() + QPoint(30, 5);
    const Ranges afterSecond = ZoomTo(second0, second0 + QPoint(60, 40));
    ExpectRanges(afterSecond);
    KeepPicture(chart.grab().toImage(), "zoomed");
    EXPECT_GT(afterSecond.Time.Minimum, afterFirst.Time.Minimum);
    EXPECT_LT(afterSecond.Force.Maximum, afterFirst.Force.Maximum);

    // The traces keep scrolling under a fixed zoomed window.
    for (int k = 0; k < SampleCount; ++k) {
        state.TimeAxis[k] += 5.0;
    }
    chart.PlotTraces(state);
    ExpectRanges(afterSecond);

    Drag(Qt::LeftButton, Area().center(), Area().center() - QPoint(30, 30));
    EXPECT_EQ(probe.TimeAxisRange(), (AxisRange{true, state.TimeAxis[0], state.TimeAxis[276]}));
    EXPECT_EQ(probe.ForceAxisRange(), before.Force);
    EXPECT_EQ(probe.MomentAxisRange(), before.Moment);
    EXPECT_FALSE(probe.RangesRemembered());
}

TEST_F(OscillographTest, EveryNonZoomDirectionRestores) {
    const Ranges before = Current();
    for (const QPoint by : {QPoint(-17, -17), QPoint(30, -30), QPoint(-30, 30)}) {
        ZoomTo(Area().topLeft() + QPoint(10, 10), Area().bottomRight() - QPoint(10, 10));
        ASSERT_TRUE(probe.RangesRemembered());
        Drag(Qt::LeftButton, Area().center(), Area().center() + by);
        ExpectRanges(before);
        EXPECT_FALSE(probe.RangesRemembered()) << by.x() << "," << by.y();
    }
}

TEST_F(OscillographTest, PressesStartAGestureOnlyOnTheAreaOrNearItsAxisLines) {
    const QRect area = Area();
    const int midX = area.center().x();
    const int midY = area.center().y();
    struct Case {
        const char* Where;
        QPoint At;
        bool Starts;
    };
    const Case cases[] = {
        {"inside", area.center(), true},
        {"top left corner of the area", area.topLeft(), true},
        {"11 px below the bottom axis", QPoint(midX, area.bottom() + 11), true},
        {"12 px below the bottom axis", QPoint(midX, area.bottom() + 12), false},
        {"11 px left of the left axis", QPoint(area.left() - 11, midY), true},
        {"12 px left of the left axis", QPoint(area.left() - 12, midY), false},
        {"11 px right of the right axis", QPoint(area.right() + 11, midY), true},
        {"12 px right of the right axis", QPoint(area.right() + 12, midY), false},
        {"just above the area", QPoint(midX, area.top() - 1), false},
        {"on the title", QPoint(ChartWidthPx / 2, area.top() / 2), false},
    };
    for (const Case& c : cases) {
        Press(Qt::LeftButton, c.At);
        EXPECT_EQ(probe.ZoomDragActive(), c.Starts) << c.Where;
        Release(Qt::LeftButton, c.At);
        Press(Qt::RightButton, c.At);
        EXPECT_EQ(probe.PanDragActive(), c.Starts) << c.Where;
        Release(Qt::RightButton, c.At);
        EXPECT_FALSE(probe.ZoomDragActive());
        EXPECT_FALSE(probe.PanDragActive());
    }
}

// A release lost to a modal box leaves no drag behind that would zoom from its old press.
TEST_F(OscillographTest, APressAfterALostReleaseStartsAFreshZoom) {
    Press(Qt::LeftButton, Area().topLeft() + QPoint(2, 2));
    ExpectRanges(ZoomTo(Area().center(), Area().center() + QPoint(20, 20)));
}

TEST_F(OscillographTest, ZoomFromBelowTheBottomAxisUsesThePressPoint) {
    const QPoint from(Area().left() + 20, Area().bottom() + 8);
    ExpectRanges(ZoomTo(from, from + QPoint(80, 30)));
    EXPECT_LT(probe.ForceAxisRange().Maximum, 0.0);
}

TEST_F(OscillographTest, RestoreBringsBackTheMaximumFromBeforeTheZoom) {
    ZoomTo(Area().topLeft() + QPoint(10, 10), Area().bottomRight() - QPoint(10, 10));
    chart.SetMomentAxisMaximum(100.0);
    EXPECT_EQ(probe.MomentAxisRange().Maximum, 100.0);
    EXPECT_GT(probe.MomentAxisRange().Minimum, 0.0);
    Drag(Qt::LeftButton, Area().center(), Area().center() - QPoint(30, 30));
    EXPECT_EQ(probe.MomentAxisRange(), (AxisRange{false, 0.0, 60.0}));
    // The next change of the spin edit applies its value again.
    chart.SetMomentAxisMaximum(100.0);
    EXPECT_EQ(probe.MomentAxisRange(), (AxisRange{false, 0.0, 100.0}));
}

TEST_F(OscillographTest, MaximumBelowTheZoomedMinimumIsRefused) {
    const int top = ForcePixel(5000.0);
    const int bottom = ForcePixel(3000.0);
    ZoomTo(QPoint(Area().left() + 5, top), QPoint(Area().right() - 5, bottom));
    const AxisRange zoomed = probe.ForceAxisRange();
    ASSERT_NEAR(zoomed.Minimum, 3000.0, 60.0);
    ASSERT_NEAR(zoomed.Maximum, 5000.0, 60.0);

    try {
        chart.SetForceAxisMaximum(2000.0);
        ADD_FAILURE() << "no error for a maximum below the minimum";
    } catch (const ProgramError& error) {
        EXPECT_EQ(std::string(error.what()), std::string(AxisMaximumText));
    }
    EXPECT_EQ(probe.ForceAxisRange(), zoomed);

    // Above the minimum the zoomed axis takes the new top.
    chart.SetForceAxisMaximum(4000.0);
    EXPECT_EQ(probe.ForceAxisRange(), (AxisRange{false, zoomed.Minimum, 4000.0}));
}

TEST_F(OscillographTest, PanFollowsThePointerAndRestores) {
    const Ranges before = Current();
    const QPoint start = Area().center();
    const QPoint end = start + QPoint(30, 20);
    const double timeShift = TimeAt(start.x()) - TimeAt(end.x());
    const double forceShift = ForceAt(start.y()) - ForceAt(end.y());
    const double momentShift = MomentAt(start.y()) - MomentAt(end.y());
    Press(Qt::RightButton, start);
    Move(start + QPoint(30, 0));
    Move(end);
    Release(Qt::RightButton, end);
    Redraw();

    const AxisRange time = probe.TimeAxisRange();
    EXPECT_FALSE(time.Automatic);
    EXPECT_NEAR(time.Minimum, before.Time.Minimum + timeShift, 1e-9);
    EXPECT_NEAR(time.Maximum, before.Time.Maximum + timeShift, 1e-9);
    EXPECT_LT(timeShift, 0.0); // dragged right: earlier times come into view
    EXPECT_NEAR(probe.ForceAxisRange().Minimum, forceShift, 1e-6);
    EXPECT_NEAR(probe.ForceAxisRange().Maximum, 6000.0 + forceShift, 1e-6);
    EXPECT_GT(forceShift, 0.0);
    EXPECT_NEAR(probe.MomentAxisRange().Maximum, 60.0 + momentShift, 1e-9);
    EXPECT_TRUE(probe.RangesRemembered());

    Drag(Qt::LeftButton, Area().center(), Area().center() - QPoint(30, 30));
    ExpectRanges(before);
    EXPECT_FALSE(probe.RangesRemembered());
}

// A pan ends when the pointer leaves the plotting area, and on the release of any button
// (a left press meanwhile starts no zoom); later moves shift nothing.
TEST_F(OscillographTest, PanEndsOutsideTheAreaOrOnAnyRelease) {
    const QPoint start = Area().center();
    for (const bool leave : {true, false}) {
        Press(Qt::RightButton, start);
        Move(start + QPoint(10, 5));
        if (leave) {
            Move(QPoint(start.x(), Area().top() - 3));
        } else {
            Press(Qt::LeftButton, start + QPoint(10, 5));
            EXPECT_FALSE(probe.ZoomDragActive());
            Release(Qt::LeftButton, start + QPoint(10, 5));
        }
        EXPECT_FALSE(probe.PanDragActive()) << leave;
        const Ranges after = Current();
        Move(start + QPoint(40, 25));
        Release(Qt::RightButton, start + QPoint(40, 25));
        ExpectRanges(after);
    }
}

// The rubber band is drawn over the traces, again after a repaint in mid-drag, and gone
// after the release.
TEST_F(OscillographTest, RubberBandSurvivesARepaintMidDrag) {
    const QPoint from = Area().topLeft() + QPoint(20, 10);
    const QPoint to = from + QPoint(50, 30);
    const QRgb black = qRgb(0, 0, 0);
    // A point of the band's top edge where the plotting area is bare (no grid line).
    const QImage before = chart.grab().toImage();
    QPoint onTopEdge((from.x() + to.x()) / 2, from.y());
    while (before.pixel(onTopEdge) != black && onTopEdge.x() < to.x() - 2) {
        onTopEdge.rx() += 1;
    }
    ASSERT_EQ(before.pixel(onTopEdge), black);

    Press(Qt::LeftButton, from);
    Move(to);
    state.ForceTrace.fill(6000.0 * 0.5);
    chart.PlotTraces(state);
    Redraw();
    const QImage during = chart.grab().toImage();
    KeepPicture(during, "drag");
    EXPECT_NE(during.pixel(onTopEdge), black);
    EXPECT_NE(during.pixel(QPoint(from.x(), (from.y() + to.y()) / 2)), black);
    // Inside the band, every bare point of the plotting area stays bare but the trace's
    // row: wherever the titles' fonts put the grid lines.
    const int traceRow = ForcePixel(6000.0 * 0.5);
    int bare = 0;
    int filled = 0;
    for (int y = from.y() + 2; y < to.y() - 1; ++y) {
        for (int x = from.x() + 2; x < to.x() - 1; ++x) {
            if (std::abs(y - traceRow) > 1 && before.pixel(x, y) == black) {
                ++bare;
                filled += during.pixel(x, y) != black ? 1 : 0;
            }
        }
    }
    EXPECT_GT(bare, 200);
    EXPECT_EQ(filled, 0) << "the band has a fill";

    Release(Qt::LeftButton, from + QPoint(5, 5));
    Redraw();
    EXPECT_EQ(chart.grab().toImage().pixel(onTopEdge), black);
}

// A run of 150 ticks with materials 1/1: sample k stands at (k - 126) x 20/159 s. The pointer
// resting over the plotting area shows the sample nearest in time, in the user's locale,
// with a line at that sample; leaving the chart, pressing a button, moving out of the
// plotting area or an empty chart show none.
TEST_F(OscillographTest, ReadOutShowsTheSampleUnderThePointer) {
    chart.hide(); // the pointer meets the chart made here
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Oscillograph german;
    const OscillographProbe germanProbe(german);
    QLocale::setDefault(QLocale::c());
    german.resize(ChartWidthPx, ChartHeightPx);
    german.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&german));
    QApplication::processEvents();
    const QRect area = germanProbe.PlottingArea();
    QTest::mouseMove(germanProbe.Plot(), area.center());
    EXPECT_EQ(germanProbe.ReadOut(), QString()) << "no samples yet";

    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    ASSERT_FALSE(PrepareProcessStart(state).has_value());
    RecordingViews views(state);
    views.onPlot = [&] { german.PlotTraces(state); };
    for (int tick = 0; tick < 150; ++tick) {
        AdvanceProcess(state, views);
    }
    QApplication::processEvents();
    // The plotted loads: nothing before the drill meets the block, the rise, and the full
    // engagement at this depth.
    const auto plotted = [&germanProbe](int k) {
        return std::array{germanProbe.Series1()->data()->at(k)->value,
                          germanProbe.Series2()->data()->at(k)->value};
    };
    EXPECT_EQ(plotted(0), (std::array{0.0, 0.0}));
    EXPECT_NEAR(plotted(200)[0], 4018.26, 0.005);
    EXPECT_NEAR(plotted(200)[1], 29.5053, 5e-5);
    EXPECT_NEAR(plotted(201)[0], 4254.29, 0.005);
    EXPECT_NEAR(plotted(201)[1], 33.0760, 5e-5);
    EXPECT_NEAR(plotted(275)[0], 4735.99, 0.005);
    EXPECT_NEAR(plotted(275)[1], 40.9123, 5e-5);
    // Sample k stands at (k - 126) x 20/159 s, a pixel in about every 0.133 s.
    const auto timeOf = [](int k) { return (k - 126) * 20.0 / 159.0; };
    const auto pixelOf = [&](double t) {
        return static_cast<int>(std::lround(germanProbe.Plot()->xAxis->coordToPixel(t)));
    };
    const struct {
        QPoint At;
        const char* Text; // empty: no read-out
        int Sample;
    } cases[] = {
        {{area.right(), area.center().y()}, "t = 18,74 s   F = 4.736 N   M = 40,91 Nm", 275},
        {{pixelOf(timeOf(200)), area.top()}, "t = 9,31 s   F = 4.018 N   M = 29,51 Nm", 200},
        {{pixelOf(timeOf(201)), area.bottom()}, "t = 9,43 s   F = 4.254 N   M = 33,08 Nm", 201},
        {{area.left(), area.center().y()}, "t = -15,85 s   F = 0 N   M = 0,00 Nm", 0},
        {{area.center().x(), area.top() - 2}, "", -1},
        {{area.right() + 3, area.center().y()}, "", -1},
    };
    for (const auto& c : cases) {
        QTest::mouseMove(germanProbe.Plot(), c.At);
        QApplication::processEvents();
        EXPECT_EQ(germanProbe.ReadOut().toStdString(), c.Text) << c.At.x() << "," << c.At.y();
        EXPECT_EQ(germanProbe.ReadOutLineX(), c.Sample < 0 ? -1 : pixelOf(timeOf(c.Sample)))
            << c.Text;
    }
    const QImage withoutReadOut = german.grab().toImage();
    // Shown: the line in its grey, the values in white. Gone on a press, back on a move.
    QTest::mouseMove(germanProbe.Plot(), {pixelOf(0.0), area.center().y()});
    QApplication::processEvents();
    const QImage shown = german.grab().toImage();
    EXPECT_EQ(shown.pixel(pixelOf(0.0), area.center().y() + 7), qRgb(160, 160, 160));
    EXPECT_FALSE(germanProbe.ReadOut().isEmpty());
    QTest::mousePress(germanProbe.Plot(), Qt::LeftButton, Qt::NoModifier, area.center());
    EXPECT_EQ(germanProbe.ReadOut(), QString()) << "a drag started";
    QTest::mouseMove(germanProbe.Plot(), area.center() + QPoint(5, 5));
    EXPECT_EQ(germanProbe.ReadOut(), QString()) << "during the drag";
    QTest::mouseRelease(germanProbe.Plot(), Qt::LeftButton, Qt::NoModifier,
                        area.center() + QPoint(5, 5));
    EXPECT_FALSE(germanProbe.ReadOut().isEmpty()) << "resting again after the drag";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(germanProbe.Plot(), &leave);
    QApplication::processEvents();
    EXPECT_EQ(germanProbe.ReadOut(), QString()) << "the pointer left";
    EXPECT_EQ(german.grab().toImage(), withoutReadOut) << "line and values gone whole";
}

// The read-out's box stands whole inside the plotting area, on the side away from the
// pointer, and the force and moment axes' tick marks, drawn above it, cross none of it:
// drawn green here, none of them shows inside the box.
TEST_F(OscillographTest, TheReadOutStandsWholeInsideThePlottingArea) {
    for (QCPAxis* axis : {probe.Plot()->yAxis, probe.Plot()->yAxis2}) {
        axis->setTickPen(QPen(Qt::green, 0));
        axis->setSubTickPen(QPen(Qt::green, 0));
    }
    state.TimeStep = 0.5;
    ResetToStart(state);
    chart.PlotTraces(state);
    Redraw();
    const QRect area = Area();
    const struct {
        int PointerX;
        bool BoxAtLeft;
    } cases[] = {{area.right() - 1, true}, {area.left() + 1, false}};
    for (const auto& c : cases) {
        Move({c.PointerX, area.center().y()});
        QApplication::processEvents();
        const QRect box = probe.ReadOutBox();
        ASSERT_FALSE(box.isEmpty()) << c.PointerX;
        EXPECT_TRUE(area.contains(box)) << c.PointerX;
        EXPECT_EQ(box.top(), area.top());
        EXPECT_EQ(box.center().x() < area.center().x(), c.BoxAtLeft) << c.PointerX;
        const QImage shown = chart.grab().toImage();
        int green = 0, ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                green += shown.pixel(x, y) == qRgb(0, 255, 0);
                ink += qGray(shown.pixel(x, y)) > 128;
            }
        }
        EXPECT_EQ(green, 0) << c.PointerX;
        EXPECT_GT(ink, 100) << "the values are written in the box";
    }
}

// Pan and zoom move the samples under a resting pointer: the read-out follows them.
TEST_F(OscillographTest, ReadOutFollowsZoomAndPan) {
    state.TimeStep = 0.5;
    ResetToStart(state);
    for (int k = 0; k < SampleCount; ++k) {
        state.ForceTrace[k] = 10.0 * k;
        state.MomentTrace[k] = 0.5 * k;
    }
    chart.PlotTraces(state);
    Redraw();
    const QPoint middle = Area().center();
    Move(middle);
    QApplication::processEvents();
    const QString before = probe.ReadOut();
    ASSERT_FALSE(before.isEmpty());
    // The sample nearest in time to a pixel, worked out from the samples' times, k x 0.5 s
    // after -138 s (the first or the last where the pointer is beyond them), and the
    // read-out the user expects there.
    const auto expectReadOutAt = [this](QPoint at, const char* what) {
        Move(at);
        QApplication::processEvents();
        const double t = probe.Plot()->xAxis->pixelToCoord(at.x());
        const int k = std::clamp(static_cast<int>(std::lround(t / 0.5)) + 276, 0, 276);
        EXPECT_EQ(probe.ReadOut(),
                  ReadOutText((k - 276) * 0.5, 10.0 * k, 0.5 * k, probe.Plot()->locale()))
            << what;
        EXPECT_EQ(probe.ReadOutLineX(),
                  std::lround(probe.Plot()->xAxis->coordToPixel((k - 276) * 0.5)))
            << what;
    };
    expectReadOutAt(middle + QPoint(0, 1), "whole view");
    // Dragged 40 px to the right: the samples under the pointer are earlier ones.
    Press(Qt::RightButton, middle);
    Move(middle + QPoint(40, 0));
    Release(Qt::RightButton, middle + QPoint(40, 0));
    expectReadOutAt(middle + QPoint(0, 2), "panned");
    EXPECT_NE(probe.ReadOut(), before);
    // Zoomed into the left half and the lower part.
    ZoomTo(Area().topLeft() + QPoint(1, 20), QPoint(middle.x(), Area().bottom() - 1));
    expectReadOutAt({Area().right() - 2, middle.y()}, "zoomed");
    expectReadOutAt({Area().left() + 7, middle.y() + 3}, "zoomed, left of the first sample");
}

// A right click without movement asks for the menu at its place on the screen; a right
// drag pans and asks for nothing, nor does a left click or a right press let go elsewhere.
TEST_F(OscillographTest, ARightClickWithoutMovementAsksForTheMenu) {
    QSignalSpy asked(&chart, &Oscillograph::MenuRequested);
    const QPoint middle = Area().center();
    const QPoint title(ChartWidthPx / 2, 5);
    const struct {
        const char* What;
        std::vector<QPoint> Path; // pressed at the first point, released at the last
        Qt::MouseButton Button;
        bool Menu;
        bool Pans;
    } cases[] = {
        {"a right click", {middle}, Qt::RightButton, true, false},
        {"a right click on the title", {title}, Qt::RightButton, true, false},
        {"a right drag", {middle, middle + QPoint(20, 10)}, Qt::RightButton, false, true},
        {"a right drag back to where it began",
         {middle, middle + QPoint(20, 0), middle},
         Qt::RightButton,
         false,
         true},
        {"a left click", {middle}, Qt::LeftButton, false, false},
    };
    for (const auto& c : cases) {
        asked.clear();
        const Ranges before = Current();
        Press(c.Button, c.Path.front());
        for (std::size_t i = 1; i < c.Path.size(); ++i) {
            Move(c.Path[i]);
        }
        Release(c.Button, c.Path.back());
        ASSERT_EQ(asked.size(), c.Menu ? 1 : 0) << c.What;
        if (c.Menu) {
            EXPECT_EQ(asked.front().front().toPoint(), chart.mapToGlobal(c.Path.back())) << c.What;
        }
        EXPECT_EQ(probe.TimeAxisRange() != before.Time, c.Pans) << c.What;
        Drag(Qt::LeftButton, middle, middle - QPoint(30, 30)); // back to the whole view
    }
}

} // namespace

// A finger held still asks for the menu where it rests, and drops the zoom drag its press
// began; a finger that moves or lets go first, and the mouse held as long, ask for nothing.
TEST_F(OscillographTest, AFingerHeldStillAsksForTheMenu) {
    QSignalSpy asked(&chart, &Oscillograph::MenuRequested);
    QPointingDevice* finger = QTest::createTouchDevice();
    const int hold = QGuiApplication::styleHints()->mousePressAndHoldInterval();
    const QPoint middle = Area().center();
    const struct {
        const char* What;
        bool Touch;
        QPoint MovedBy;
        int HeldMs;
        bool Menu;
    } cases[] = {
        {"a finger held still", true, {0, 0}, hold + 200, true},
        {"a finger held, a pixel off", true, {1, 1}, hold + 200, true},
        {"a finger that moves", true, {25, 20}, hold + 200, false},
        {"a tap", true, {0, 0}, hold / 4, false},
        {"the left button held", false, {0, 0}, hold + 200, false},
    };
    for (const auto& c : cases) {
        asked.clear();
        const QPoint to = middle + c.MovedBy;
        if (c.Touch) {
            QTest::touchEvent(&chart, finger).press(0, middle, probe.Plot());
            QTest::touchEvent(&chart, finger).move(0, to, probe.Plot());
        } else {
            Press(Qt::LeftButton, middle);
            Move(to);
        }
        QTest::qWait(c.HeldMs);
        ASSERT_EQ(asked.size(), c.Menu ? 1 : 0) << c.What;
        if (c.Menu) {
            EXPECT_EQ(asked.front().front().toPoint(), chart.mapToGlobal(middle)) << c.What;
            EXPECT_FALSE(probe.ZoomDragActive()) << c.What;
        }
        if (c.Touch) {
            QTest::touchEvent(&chart, finger).release(0, to, probe.Plot());
        } else {
            Release(Qt::LeftButton, to);
        }
        EXPECT_EQ(asked.size(), c.Menu ? 1 : 0) << c.What;
        Drag(Qt::LeftButton, middle, middle - QPoint(30, 30)); // back to the whole view
    }
}
