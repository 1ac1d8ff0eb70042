#pragma once

#include "ChartExport.h"
#include "ChartLayers.h"
#include "ChartTexts.h"
#include "RunLog.h"
#include "SimulationState.h"

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <QWidget>

class QTimer;

#include <array>
#include <optional>
#include <vector>

// The range of one chart axis as the user set it. An automatic axis fits the x range of
// the traces exactly, with no margin.
struct AxisRange {
    bool Automatic = false;
    double Minimum = 0.0;
    double Maximum = 0.0;

    bool operator==(const AxisRange&) const = default;
};

// The two-channel oscillograph: the force trace on the left axis, the moment trace on the
// right, time on the bottom. A left drag to the right and down zooms, a left drag in any
// other direction restores the ranges from before the first zoom or pan, and the right
// button pans. Resting, the pointer reads out the sample under it.
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

    // The chart as it stands now, without the read-out, in every form it is saved in.
    ChartSnapshot Snapshot();

    // Keeps the traces as they stand, of the run made with `inputs` and numbered `number`
    // in the table of runs, for comparison: drawn beneath the live traces in their
    // colours, dimmed and dashed, named in a key, read out and saved with them, and held
    // to the same axes. At most KeptRunLimit runs are kept; a further one takes the place
    // of the oldest. Nothing is kept before the first traces.
    static constexpr int KeptRunLimit = 3;
    void KeepTraces(const RunInputs& inputs, int number);
    void RemoveKeptTraces();
    bool HasKeptTraces() const { return !kept_.empty(); }
    // The inputs of the run the live traces show, beside which the kept runs are named.
    void SetLiveInputs(const RunInputs& inputs);

  signals:
    // A right click without movement, or a finger held still, at this point of the screen.
    void MenuRequested(QPoint globalPosition);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The tests' view of the chart's insides (tests/support/OscillographProbe.h).
    friend class OscillographProbe;

    static constexpr int TimeAxisIndex = 0;
    static constexpr int ForceAxisIndex = 1;
    static constexpr int MomentAxisIndex = 2;
    using AxisSet = std::array<AxisRange, 3>;

    // Setting up, the traces and the ranges: Oscillograph.cpp.
    void Configure();
    void ReplaceTimeAxis();
    void ConfigureBackground();
    void ConfigureTitles();
    void ConfigureAxes();
    void ConfigureSeries();
    void ConfigureRubberBand();
    void ConfigureReadOut();
    void ConfigureLayers();
    void UpdateMargins();

    QRect PlottingArea() const;
    void ApplyRanges();
    void FitTimeAxis();
    void FollowTraces();
    void QueueMovingReplot();
    void ReplotMoving();
    void SetAxisMaximum(int axisIndex, double maximum);
    void NameKeptRuns();
    std::vector<KeptSamples> KeptSamplesForTable() const;

    // The mouse: OscillographGestures.cpp.
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint position);
    bool StartsGesture(QPoint position) const;
    void StartLongPress(QPoint position);
    void PressLeft(QPoint position);
    void MoveTo(QPoint position);
    void ReleaseLeft(QPoint position);
    void Zoom(QPoint from, QPoint to);
    void Restore();
    void Pan(QPoint to);
    void RememberRanges();
    void PointAt(std::optional<QPoint> position);
    void UpdateReadOut();
    int ReadOutClearancePx() const;
    void ShowRubberBand(QPoint from, QPoint to);
    void HideRubberBand();

    ChartPlot* plot_ = nullptr;
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
    // A finger's press that has not moved, until it has been held long enough for the menu.
    QTimer* longPress_ = nullptr;
    QPoint longPressAt_;
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

    // A kept run, drawn by the pair of series of its slot.
    struct KeptRun {
        RunInputs Inputs;
        int Number = 0;
        int Slot = 0;
        QString Name;
        QVector<QCPGraphData> Force;
        QVector<QCPGraphData> Moment;
    };
    std::vector<KeptRun> kept_; // the oldest first
    std::array<QCPGraph*, KeptRunLimit> keptForce_{};
    std::array<QCPGraph*, KeptRunLimit> keptMoment_{};
    ComparisonKey* key_ = nullptr;
    RunInputs liveInputs_;
};
