#pragma once

#include "SimulationState.h"

#include <QByteArray>
#include <QEvent>
#include <QIODevice>
#include <QLocale>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>
#include <qcustomplot.h>

#include <array>
#include <cstdint>
#include <optional>

// The range of one chart axis as the user set it. An automatic axis fits the x range of
// the traces exactly, with no margin.
struct AxisRange {
    bool Automatic = false;
    double Minimum = 0.0;
    double Maximum = 0.0;

    bool operator==(const AxisRange&) const = default;
};

// Tick label of the chart's axes: thousands grouped, at most three decimals, trailing
// zeros dropped, in the given locale's separators (6000 -> "6,000", 0.125 -> "0.125").
QString FormatTickLabel(double value, const QLocale& locale);

// The read-out of the sample under the pointer: "t = 7,35 s   F = 4 729 N   M = 40,85 Nm",
// time and moment to two decimals, the force whole, in the locale's separators.
QString ReadOutText(double time, double force, double moment, const QLocale& locale);

// The samples as a table for spreadsheets: a line of column names, then one line per
// sample (time s, force N, moment Nm), each number as short as reads back to the same
// value. Where the locale writes a decimal comma its spreadsheets expect ";" between the
// columns, elsewhere ",".
QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale);

class TimeAxis;

// The chart as it stood at one moment, in every form in which it is saved or copied.
struct ChartSnapshot {
    QPixmap Picture;      // at the chart's size, as on the screen, without the read-out
    QPixmap PrintPicture; // the same at twice the size
    QByteArray Pdf;       // a page of the chart's size, drawn as lines and text
    QByteArray SamplesCsv;
};

// The two-channel oscillograph: the force trace on the left axis, the moment trace on the
// right, time on the bottom. A left drag to the right and down zooms, a left drag in any
// other direction restores the ranges from before the first zoom or pan, and the right
// button pans.
class Oscillograph : public QWidget {
    Q_OBJECT

  public:
    explicit Oscillograph(QWidget* parent = nullptr);
    ~Oscillograph() override;

    // Series1/Series2 replaced by the 277 points (TimeAxis[k], ForceTrace[k]) /
    // (TimeAxis[k], MomentTrace[k]), one update; the traces, the time axis and its grid
    // are drawn anew and repainted when the event loop comes to it.
    void PlotTraces(const SimulationState& state);

    // Top of the left (force, N) / right (moment, Nm) axis; the minimum stays. A value
    // below the axis's current minimum throws ProgramError("Axis Maximum Value must be >=
    // Minimum") and the axis keeps its range.
    void SetForceAxisMaximum(double maximum);
    void SetMomentAxisMaximum(double maximum);

    // The chart as on the screen, without the read-out, at `scale` times its size.
    QPixmap Picture(double scale);
    // The chart as a PDF page of its size on the screen, drawn as lines and text.
    void WritePdf(QIODevice& device);
    // The plotted samples as SamplesCsv writes them, in the chart's locale.
    QByteArray PlottedSamplesCsv() const;
    // All of the above, as the chart stands now.
    ChartSnapshot Snapshot();

  signals:
    // A right click without movement, at this point of the screen.
    void MenuRequested(QPoint globalPosition);

  public:
    // ---- What the tests, benchmarks and fuzz targets read; the program uses none of it.
    AxisRange TimeAxisRange() const { return axes_[TimeAxisIndex]; }
    AxisRange ForceAxisRange() const { return axes_[ForceAxisIndex]; }
    AxisRange MomentAxisRange() const { return axes_[MomentAxisIndex]; }
    // Whether the ranges from before the first zoom or pan are held for a restore.
    bool RangesRemembered() const { return remembered_.has_value(); }
    bool ZoomDragActive() const { return zoomDrag_; }
    // The read-out's text, empty while none is shown, and the place of its line.
    QString ReadOut() const;
    int ReadOutLineX() const;
    // The read-out's box, empty while none is shown.
    QRect ReadOutBox() const;
    bool PanDragActive() const { return panDrag_; }

    QCustomPlot* Plot() const { return plot_; }
    QCPGraph* Series1() const { return series1_; }
    QCPGraph* Series2() const { return series2_; }
    // The plotting area (the black back wall) in pixels of this widget, as last drawn.
    QRect PlottingArea() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    static constexpr int TimeAxisIndex = 0;
    static constexpr int ForceAxisIndex = 1;
    static constexpr int MomentAxisIndex = 2;
    using AxisSet = std::array<AxisRange, 3>;

    void Configure();
    void ReplaceTimeAxis();
    void ConfigureBackground();
    void ConfigureTitles();
    void ConfigureAxes();
    void ConfigureSeries();
    void ConfigureRubberBand();
    void ConfigureLayers();
    void ReplotMoving();
    void UpdateMargins();
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint position);
    bool StartsGesture(QPoint position) const;
    void PressLeft(QPoint position);
    void MoveTo(QPoint position);
    void ReleaseLeft(QPoint position);
    void Zoom(QPoint from, QPoint to);
    void Restore();
    void Pan(QPoint to);
    void RememberRanges();
    void FitTimeAxis();
    void QueueMovingReplot();
    void ConfigureReadOut();
    void PointAt(std::optional<QPoint> position);
    void UpdateReadOut();
    int ReadOutClearancePx() const;
    void ShowRubberBand(QPoint from, QPoint to);
    void HideRubberBand();
    void SetAxisMaximum(int axisIndex, double maximum);
    void ApplyRanges();

    QCustomPlot* plot_ = nullptr;
    QCPGraph* series1_ = nullptr;
    QCPGraph* series2_ = nullptr;
    QCPItemRect* rubberBand_ = nullptr;
    QCPItemLine* readOutLine_ = nullptr;
    QCPItemText* readOutText_ = nullptr;
    // Where the pointer rests over the plotting area while no drag is in progress.
    std::optional<QPoint> pointer_;
    // A right press not followed by any movement so far.
    bool rightClick_ = false;
    QPoint rightPress_;
    TimeAxis* timeAxis_ = nullptr;
    QCPLayer* movingLayer_ = nullptr;
    bool movingReplotQueued_ = false;

    AxisSet axes_{};
    std::optional<AxisSet> remembered_;

    bool zoomDrag_ = false;
    QPoint zoomStart_;
    bool panDrag_ = false;
    QPoint panLast_;

    QVector<QCPGraphData> forcePoints_;
    QVector<QCPGraphData> momentPoints_;
};
