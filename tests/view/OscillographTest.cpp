#include "OscillographTestSupport.h"

#include "ChartTexts.h"
#include "PaintedRegion.h"

#include <QFontInfo>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

TEST_F(OscillographTest, StartsEmptyWithFixedScales) {
    Oscillograph fresh;
    EXPECT_EQ(fresh.objectName(), QStringLiteral("Chart1"));
    EXPECT_EQ(OscillographProbe(fresh).Series1()->dataCount(), 0);
    EXPECT_EQ(OscillographProbe(fresh).Series2()->dataCount(), 0);
    EXPECT_EQ(OscillographProbe(fresh).ForceAxisRange(), (AxisRange{false, 0.0, 6000.0}));
    EXPECT_EQ(OscillographProbe(fresh).MomentAxisRange(), (AxisRange{false, 0.0, 60.0}));
    EXPECT_TRUE(OscillographProbe(fresh).TimeAxisRange().Automatic);
    EXPECT_FALSE(OscillographProbe(fresh).RangesRemembered());
    EXPECT_EQ(OscillographProbe(fresh).Plot()->interactions(), QCP::Interactions());
    EXPECT_FALSE(OscillographProbe(fresh).Plot()->legend->visible());
    auto* title =
        qobject_cast<QCPTextElement*>(OscillographProbe(fresh).Plot()->plotLayout()->element(0, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Oscilograf"));
    EXPECT_TRUE(QFontInfo(title->font()).bold());
}

TEST_F(OscillographTest, ResetShowsFlatLinesOverTheTimeWindow) {
    const double timeStep = 20.0 / 159.0;
    ASSERT_EQ(probe.Series1()->dataCount(), SampleCount);
    ASSERT_EQ(probe.Series2()->dataCount(), SampleCount);
    for (QCPGraph* series : {probe.Series1(), probe.Series2()}) {
        int k = 0;
        for (const QCPGraphData& point : *series->data()) {
            EXPECT_DOUBLE_EQ(point.key, (k - 276) * timeStep) << "point " << k;
            EXPECT_EQ(point.value, 0.0) << "point " << k;
            ++k;
        }
    }
    EXPECT_NEAR(probe.TimeAxisRange().Minimum, -34.72, 0.005);
    EXPECT_EQ(probe.TimeAxisRange(), (AxisRange{true, state.TimeAxis[0], 0.0}));
    EXPECT_EQ(probe.Plot()->xAxis->range().lower, state.TimeAxis[0]);
    EXPECT_EQ(probe.Plot()->xAxis->range().upper, state.TimeAxis[NewestSample]);
}

TEST_F(OscillographTest, TimeAxisSpansEachTicksWindowExactly) {
    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    ASSERT_FALSE(PrepareProcessStart(state).has_value());
    RecordingViews views = ChartViews();
    for (int tick = 0; tick < 40; ++tick) {
        ASSERT_EQ(AdvanceProcess(state, views), TickResult::Continued);
    }
    ASSERT_EQ(plottedTimeRanges.size(), 40u);
    for (std::size_t i = 0; i < plottedTimeRanges.size(); ++i) {
        EXPECT_EQ(plottedTimeRanges[i],
                  (AxisRange{true, views.plotted[i].FirstTime, views.plotted[i].NewestTime}))
            << "tick " << i;
    }
    // The traces are the buffers as they stood when the tick plotted them: the newest
    // force sample is the one the buffers have since scrolled to index 275.
    EXPECT_EQ((probe.Series1()->data()->end() - 1)->value, state.ForceTrace[NewestSample - 1]);
    EXPECT_EQ((probe.Series2()->data()->end() - 1)->value, state.MomentTrace[NewestSample - 1]);
    EXPECT_GT(state.ForceTrace[NewestSample - 1], 0.0);
    // Times that are no numbers at all leave the automatic axis at 0..0.
    state.TimeAxis.fill(std::nan(""));
    chart.PlotTraces(state);
    EXPECT_EQ(probe.TimeAxisRange(), (AxisRange{true, 0.0, 0.0}));
}

TEST_F(OscillographTest, PointsOutOfTimeOrderGoAfterTheLastPointNotLater) {
    for (int k = 0; k < SampleCount; ++k) {
        state.TimeAxis[k] = k;
        state.ForceTrace[k] = k;
        state.MomentTrace[k] = -k;
    }
    state.TimeAxis[100] = 50.5; // goes between the points at 50 and 51
    state.TimeAxis[200] = 150;  // equal to an earlier time: goes after it
    chart.PlotTraces(state);
    std::vector<double> forces;
    std::vector<double> times;
    for (const QCPGraphData& point : *probe.Series1()->data()) {
        forces.push_back(point.value);
        times.push_back(point.key);
    }
    ASSERT_EQ(forces.size(), static_cast<std::size_t>(SampleCount));
    struct Case {
        int Position;
        double Force;
    };
    for (const Case& c : {Case{50, 50}, Case{51, 100}, Case{52, 51}, Case{100, 99}, Case{101, 101},
                          Case{150, 150}, Case{151, 200}, Case{152, 151}, Case{276, 276}}) {
        EXPECT_EQ(forces[c.Position], c.Force) << "position " << c.Position;
    }
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_EQ((probe.Series2()->data()->begin() + 51)->value, -100.0);
    EXPECT_EQ(probe.TimeAxisRange(), (AxisRange{true, 0.0, 276.0}));
}

TEST_F(OscillographTest, AnAxisOfNoHeightStillDraws) {
    chart.SetForceAxisMaximum(0.0);
    EXPECT_EQ(probe.ForceAxisRange(), (AxisRange{false, 0.0, 0.0}));
    Redraw();
    const QCPRange shown = probe.Plot()->yAxis->range();
    EXPECT_EQ(shown.lower, 0.0);
    EXPECT_EQ(shown.upper, 1.0);
    // The flat traces at 0 lie along the bottom edge of the plotting area.
    const QRgb bottom = chart.grab().toImage().pixel(Area().center().x(), Area().bottom());
    EXPECT_TRUE(bottom == qRgb(255, 128, 128) || bottom == qRgb(128, 255, 255))
        << std::hex << bottom;
}

// The three axis titles stand beside the plotting area in their colours: red at the left
// for the force, blue at the right for the moment, black below for the time.
TEST_F(OscillographTest, AxisTitlesBesideTheAreaInTheirColours) {
    const QImage image = chart.grab().toImage();
    const QRect area = Area();
    auto count = [&image](QRect region, auto isColour) {
        int n = 0;
        for (int y = region.top(); y <= region.bottom(); ++y) {
            for (int x = region.left(); x <= region.right(); ++x) {
                n += isColour(QColor(image.pixel(x, y))) ? 1 : 0;
            }
        }
        return n;
    };
    const auto red = [](QColor c) { return c.red() > 200 && c.green() < 120 && c.blue() < 120; };
    const auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 120 && c.green() < 120; };
    const auto dark = [](QColor c) { return c.lightness() < 80; };
    const QRect leftStrip(0, area.top(), 18, area.height());
    const QRect rightStrip(image.width() - 18, area.top(), 18, area.height());
    const QRect bottomStrip(area.left(), image.height() - 20, area.width(), 18);
    EXPECT_GT(count(leftStrip, red), 30);
    EXPECT_EQ(count(leftStrip, blue), 0);
    EXPECT_GT(count(rightStrip, blue), 30);
    EXPECT_EQ(count(rightStrip, red), 0);
    EXPECT_GT(count(bottomStrip, dark), 30);
}

TEST_F(OscillographTest, AxesLabelTheirTicksInTheUsersLocale) {
    const QVector<double> ticks = probe.Plot()->yAxis->tickVector();
    const QVector<QString> labels = probe.Plot()->yAxis->tickVectorLabels();
    ASSERT_FALSE(ticks.isEmpty());
    ASSERT_EQ(ticks.size(), labels.size());
    for (int i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(labels[i], FormatTickLabel(ticks[i], QLocale())) << ticks[i];
    }
    EXPECT_TRUE(ticks.contains(6000.0));
    // The numbers are set in Arial, or in a face with Arial's metrics.
    const QString face = QFontInfo(probe.Plot()->yAxis->tickLabelFont()).family();
    EXPECT_TRUE(face == "Arial" || face == "Liberation Sans" || face == "Arimo")
        << face.toStdString();
}

// A run of a few hundred ticks with materials 1/1 draws both traces in their colours inside
// the black area under the gradient.
TEST_F(OscillographTest, RunDrawsBothTracesInTheirColours) {
    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    ASSERT_FALSE(PrepareProcessStart(state).has_value());
    RecordingViews views = ChartViews();
    // The default depth ends the travel after about 240 ticks.
    TickResult result = TickResult::Continued;
    for (int tick = 0; tick < 300 && result == TickResult::Continued; ++tick) {
        result = AdvanceProcess(state, views);
    }
    ASSERT_EQ(result, TickResult::TimerDisabled);
    // The force rises to about 4,700 N: on a scale of 2,000 N its trace leaves the plotting
    // area at the top, and nothing of it may show outside.
    chart.SetForceAxisMaximum(2000.0);
    Redraw();
    const QImage image = chart.grab().toImage();
    KeepPicture(image, "run");
    const QRect area = Area();
    int forcePixels = 0;
    int momentPixels = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool trace = pixel == qRgb(255, 128, 128) || pixel == qRgb(128, 255, 255);
            if (trace && !area.adjusted(-1, -1, 1, 1).contains(x, y)) {
                ++outside;
            }
            forcePixels += pixel == qRgb(255, 128, 128);
            momentPixels += pixel == qRgb(128, 255, 255);
        }
    }
    EXPECT_GT(forcePixels, 30); // the rise below 2,000 N
    EXPECT_GT(momentPixels, area.width() / 2);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(image.pixel(area.left() + 3, area.top() + 3), qRgb(0, 0, 0));
    EXPECT_GT(QColor(image.pixel(1, 1)).blue(), 250);
    EXPECT_LT(QColor(image.pixel(1, image.height() - 2)).blue(), 160);
}

// A tick draws the traces, the time axis and its grid anew on their own: the chart shows
// what a whole replot shows, every pixel that changed is repainted, and the titles and
// the force and moment numbers beside the plotting area are not.
TEST_F(OscillographTest, ATickRepaintsWhatMovesAndNothingElse) {
    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    ASSERT_FALSE(PrepareProcessStart(state).has_value());
    RecordingViews views = ChartViews();
    PaintedRegion painted(probe.Plot());
    for (int tick = 1; tick <= 120; ++tick) {
        const QImage before = chart.grab().toImage();
        painted.region = QRegion();
        ASSERT_EQ(AdvanceProcess(state, views), TickResult::Continued);
        // The queued redraw, then the repaint it asks for.
        QApplication::processEvents();
        QApplication::processEvents();
        const QRegion repainted = painted.region;
        const QImage after = chart.grab().toImage();
        int unpainted = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                unpainted += after.pixel(x, y) != before.pixel(x, y) && !repainted.contains({x, y});
            }
        }
        ASSERT_EQ(unpainted, 0) << "tick " << tick;
        const QRect area = Area();
        ASSERT_FALSE(repainted.isEmpty()) << "tick " << tick;
        // Not the title above the plotting area, nor the axis titles at either side.
        EXPECT_FALSE(repainted.intersects(QRect(0, 0, ChartWidthPx, area.top() - 1)));
        EXPECT_FALSE(repainted.intersects(QRect(0, 0, 1, ChartHeightPx)));
        EXPECT_FALSE(repainted.intersects(QRect(ChartWidthPx - 1, 0, 1, ChartHeightPx)));
    }
    const QImage ticked = chart.grab().toImage();
    Redraw();
    EXPECT_EQ(chart.grab().toImage(), ticked) << "a whole replot changes what the ticks drew";
}

// The saved picture is the chart as on the screen, at its size or twice it, without the
// read-out; the PDF is one page.
TEST_F(OscillographTest, PicturesAreTheChartAsOnTheScreen) {
    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    ASSERT_FALSE(PrepareProcessStart(state).has_value());
    RecordingViews views = ChartViews();
    for (int tick = 0; tick < 150; ++tick) {
        AdvanceProcess(state, views);
    }
    QApplication::processEvents();
    const QImage screen = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Move(Area().center());
    QApplication::processEvents();
    ASSERT_FALSE(probe.ReadOut().isEmpty());
    const ChartSnapshot snapshot = chart.Snapshot();
    const QImage picture = snapshot.Picture.toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(picture, screen) << "the read-out is not in the picture";
    EXPECT_EQ(snapshot.PrintPicture.size(), QSize(2 * ChartWidthPx, 2 * ChartHeightPx));
    EXPECT_FALSE(probe.ReadOut().isEmpty()) << "the read-out stays on the screen";
    EXPECT_TRUE(snapshot.Pdf.startsWith("%PDF-"));
    EXPECT_EQ(snapshot.Pdf.count("/Type /Page\n") + snapshot.Pdf.count("/Type /Page "), 1);
}

} // namespace
