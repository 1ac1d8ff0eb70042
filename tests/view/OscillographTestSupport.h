#pragma once

#include "Materials.h"
#include "Oscillograph.h"
#include "OscillographProbe.h"
#include "ProcessTick.h"
#include "RecordingViews.h"
#include "SimulationState.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

// The chart at its size in the main window, shown, with the steps the chart's tests share:
// pointer gestures in the chart's pixels, and the ranges a zoom should give.
inline constexpr int ChartWidthPx = 369;
inline constexpr int ChartHeightPx = 137;

// Keeps a picture of the chart when BUSENJE_CHART_PNG names a path prefix, to look at.
inline void KeepPicture(const QImage& image, const char* name) {
    if (const QByteArray prefix = qgetenv("BUSENJE_CHART_PNG"); !prefix.isEmpty()) {
        image.save(QString::fromLocal8Bit(prefix) + QString::fromLatin1(name) + ".png");
    }
}

class OscillographTest : public ::testing::Test {
  protected:
    void SetUp() override {
        chart.resize(ChartWidthPx, ChartHeightPx);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        Initialise(state);
        ResetToStart(state);
        chart.PlotTraces(state);
        Redraw();
    }

    // The queued repaint done now, so that the plotting area is where the user sees it.
    void Redraw() { probe.Plot()->replot(); }

    QRect Area() const { return probe.PlottingArea(); }

    // Views that hand every tick's traces to the chart, as the window does, and note the
    // time axis each tick left.
    RecordingViews ChartViews() {
        RecordingViews views(state);
        views.onPlot = [this] {
            chart.PlotTraces(state);
            plottedTimeRanges.push_back(probe.TimeAxisRange());
        };
        return views;
    }
    std::vector<AxisRange> plottedTimeRanges;

    void Press(Qt::MouseButton button, QPoint at) {
        QTest::mousePress(probe.Plot(), button, Qt::NoModifier, at);
    }
    void Move(QPoint to) { QTest::mouseMove(probe.Plot(), to); }
    void Release(Qt::MouseButton button, QPoint at) {
        QTest::mouseRelease(probe.Plot(), button, Qt::NoModifier, at);
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Press(button, from);
        Move((from + to) / 2);
        Move(to);
        Release(button, to);
        Redraw();
    }

    // The values under a pixel of this widget on the chart's three axes.
    double TimeAt(int x) const { return probe.Plot()->xAxis->pixelToCoord(x); }
    double ForceAt(int y) const { return probe.Plot()->yAxis->pixelToCoord(y); }
    double MomentAt(int y) const { return probe.Plot()->yAxis2->pixelToCoord(y); }
    int ForcePixel(double force) const {
        return static_cast<int>(std::lround(probe.Plot()->yAxis->coordToPixel(force)));
    }

    struct Ranges {
        AxisRange Time, Force, Moment;
    };
    Ranges Current() const {
        return {probe.TimeAxisRange(), probe.ForceAxisRange(), probe.MomentAxisRange()};
    }
    void ExpectRanges(const Ranges& expected) const {
        EXPECT_EQ(probe.TimeAxisRange(), expected.Time);
        EXPECT_EQ(probe.ForceAxisRange(), expected.Force);
        EXPECT_EQ(probe.MomentAxisRange(), expected.Moment);
    }
    // A zoom from `from` to `to` and the ranges the user expects to see afterwards.
    Ranges ZoomTo(QPoint from, QPoint to) {
        const Ranges expected{AxisRange{false, TimeAt(from.x()), TimeAt(to.x())},
                              AxisRange{false, ForceAt(to.y()), ForceAt(from.y())},
                              AxisRange{false, MomentAt(to.y()), MomentAt(from.y())}};
        Drag(Qt::LeftButton, from, to);
        return expected;
    }

    SimulationState state;
    Oscillograph chart;
    const OscillographProbe probe{chart};
};
