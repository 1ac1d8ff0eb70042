#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSharedPointer>
#include <QString>
#include <qcustomplot.h>

#include <vector>

// The parts of the chart that its layered redraw is made of. On every tick only the
// traces, the time axis and its grid lines move; they are drawn into a buffer of their own
// (the layer "main"), between the buffer of what stands beneath them (the background, the
// force grid, the titles) and the buffer of what stands above them (the force and moment
// axes, whose tick marks cross the traces, and the rubber band). A tick redraws that one
// buffer and repaints only the band of the widget it covers.

// The chart's plot.
class ChartPlot : public QCustomPlot {
  public:
    using QCustomPlot::QCustomPlot;

    // Redraws `layer` alone and repaints `area`; a whole replot instead where one is waiting
    // or the buffers were set up anew since the last one.
    void ReplotLayer(QCPLayer* layer, const QRect& area);

    // The chart drawn as the screen shows it, at its size. An export draws the axis numbers
    // afresh; here they come from the same cached pictures of their texts as on the screen,
    // whose glyphs' edges would otherwise differ.
    QPixmap ScreenPicture();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The time axis, whose ticks a tick brings up to date without a whole replot.
class TimeAxis : public QCPAxis {
  public:
    explicit TimeAxis(QCPAxisRect* area) : QCPAxis(area, QCPAxis::atBottom) {}
    void UpdateTicks() { setupTickVectors(); }
};

// Tick labels in "#,##0.###" whatever step the ticker chose.
QSharedPointer<QCPAxisTicker> MakeGroupedTicker();

// The backdrop, `brush` over the whole widget, and the black back wall of the plotting
// area, both on the bottom layer "background", drawn once, not on every tick.
void AddBackdropAndWall(QCustomPlot* plot, const QBrush& brush);

// The chart's title line, centred above the plotting area.
QCPTextElement* MakeChartTitle(QCustomPlot* plot, const QString& text, const QFont& font);

// An axis title beside the plotting area `alongside`, centred along it: below it for the
// time axis (Qt::Horizontal), at its sides for the force and moment axes, turned to read
// from bottom to top (Qt::Vertical).
QCPLayoutElement* MakeAxisTitle(QCustomPlot* plot, QCPAxisRect* alongside,
                                Qt::Orientation orientation, const QString& text, const QFont& font,
                                const QColor& colour);

// A trace of `valueAxis` against `keyAxis`, reaching down to the plotting area's bottom row.
QCPGraph* MakeTrace(QCPAxis* keyAxis, QCPAxis* valueAxis);

// The key of the kept traces: for each kept run a short piece of its force and its moment
// trace, one above the other in their pens, and its name; in white on a shaded box at the
// top left of the plotting area, `insetPx` in from its left edge. Hidden while it has no
// entries.
class ComparisonKey : public QCPLayerable {
  public:
    struct Entry {
        QPen ForcePen;
        QPen MomentPen;
        QString Name;
    };

    ComparisonKey(QCustomPlot* plot, QCPAxisRect* area, const QFont& font, int insetPx);

    void SetEntries(std::vector<Entry> entries);
    const std::vector<Entry>& Entries() const { return entries_; }
    // Where the key stands in the plot's pixels, as the next redraw draws it.
    QRect Box() const;

  protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

  private:
    QCPAxisRect* area_;
    QFont font_;
    int insetPx_;
    std::vector<Entry> entries_;
};
