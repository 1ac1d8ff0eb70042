#pragma once

#include "NumberFormat.h"
#include "Oscillograph.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

// What the tests, benchmarks and fuzz targets read of the chart beyond what the program
// calls: its axes' ranges, its gestures' state, the read-out, and the chart library's plot
// and series to drive and to measure.
class OscillographProbe {
  public:
    explicit OscillographProbe(const Oscillograph& chart) : chart_(chart) {}

    AxisRange TimeAxisRange() const { return chart_.axes_[Oscillograph::TimeAxisIndex]; }
    AxisRange ForceAxisRange() const { return chart_.axes_[Oscillograph::ForceAxisIndex]; }
    AxisRange MomentAxisRange() const { return chart_.axes_[Oscillograph::MomentAxisIndex]; }
    // Whether the ranges from before the first zoom or pan are held for a restore.
    bool RangesRemembered() const { return chart_.remembered_.has_value(); }
    bool ZoomDragActive() const { return chart_.zoomDrag_; }
    bool PanDragActive() const { return chart_.panDrag_; }

    // The read-out's text, empty while none is shown.
    QString ReadOut() const {
        return chart_.readOutText_->visible() ? chart_.readOutText_->text() : QString();
    }
    // The column of the read-out's line in the chart's pixels, -1 while none is shown.
    int ReadOutLineX() const {
        if (!chart_.readOutLine_->visible()) {
            return -1;
        }
        const double time = chart_.readOutLine_->start->coords().x();
        return RoundToInt32(chart_.plot_->xAxis->coordToPixel(time)) + chart_.plot_->pos().x();
    }
    // The read-out's box in the chart's pixels, empty while none is shown.
    QRect ReadOutBox() const {
        if (!chart_.readOutText_->visible()) {
            return {};
        }
        const QPoint topLeft = chart_.readOutText_->topLeft->pixelPosition().toPoint();
        const QPoint bottomRight = chart_.readOutText_->bottomRight->pixelPosition().toPoint();
        return QRect(topLeft, bottomRight - QPoint(1, 1)).translated(chart_.plot_->pos());
    }

    // The key of the kept runs: their names and dash patterns, oldest first, and its box in
    // the chart's pixels, empty while it is hidden.
    QStringList KeyNames() const {
        QStringList names;
        for (const ComparisonKey::Entry& entry : chart_.key_->Entries()) {
            names << entry.Name;
        }
        return names;
    }
    std::vector<Qt::PenStyle> KeyPatterns() const {
        std::vector<Qt::PenStyle> patterns;
        for (const ComparisonKey::Entry& entry : chart_.key_->Entries()) {
            patterns.push_back(entry.ForcePen.style());
        }
        return patterns;
    }
    QRect KeyBox() const {
        return chart_.key_->visible() ? chart_.key_->Box().translated(chart_.plot_->pos())
                                      : QRect();
    }

    QCustomPlot* Plot() const { return chart_.plot_; }
    QCPGraph* Series1() const { return chart_.series1_; }
    QCPGraph* Series2() const { return chart_.series2_; }
    // The plotting area (the black back wall) in the chart's pixels, as last drawn.
    QRect PlottingArea() const { return chart_.PlottingArea(); }

  private:
    const Oscillograph& chart_;
};
