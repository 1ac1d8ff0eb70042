#include "Oscillograph.h"

#include "ChartTexts.h"
#include "NumberFormat.h"
#include "ProgramError.h"
#include "ProgramFonts.h"
#include "StartValues.h"
#include "UserTexts.h"
#include "Utf8Text.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

constexpr double MarginSideFraction = 0.02;
constexpr double MarginTopBottomFraction = 0.04;
// The axes open at the window's start values; the force axis's is in thousands of newtons.
constexpr double ForceAxisStartMaximumN = 1000.0 * StartForceAxisMaximumKiloNewtons;
constexpr double MomentAxisStartMaximumNm = StartMomentAxisMaximumNm;
// How far a time axis number may stand out beside the plotting area: half its width.
constexpr int TimeLabelOverhangPx = 24;

const QColor TitleColour(0, 0, 255);
const QColor ForceTitleColour(255, 0, 0);
const QColor MomentTitleColour(0, 0, 255);
const QColor ForceTraceColour(255, 128, 128);
const QColor MomentTraceColour(128, 255, 255);
const QColor GradientBottomColour(255, 255, 128);
const QColor ReadOutLineColour(160, 160, 160);
// A kept run's traces: the live colours at 60 %, each kept run in a dash pattern of its own.
constexpr double KeptColourShare = 0.6;
constexpr Qt::PenStyle KeptPatterns[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
static_assert(std::size(KeptPatterns) == Oscillograph::KeptRunLimit);

QColor Dimmed(const QColor& colour) {
    return QColor(RoundToInt32(colour.red() * KeptColourShare),
                  RoundToInt32(colour.green() * KeptColourShare),
                  RoundToInt32(colour.blue() * KeptColourShare));
}

} // namespace

Oscillograph::Oscillograph(QWidget* parent) : QWidget(parent), plot_(new ChartPlot(this)) {
    setObjectName(QStringLiteral("Chart1"));
    plot_->installEventFilter(this);
    // Moves without a button held reach the filter too: they place the read-out.
    plot_->setMouseTracking(true);
    // A click on the chart (a zoom or a pan) leaves the keyboard focus where it was.
    plot_->setFocusPolicy(Qt::NoFocus);
    Configure();
}

Oscillograph::~Oscillograph() = default;

// The chart as the window shows it: titled, no legend, a white to light yellow control,
// a black plotting area, fixed vertical scales of 0..6000 N and 0..60 Nm, and time that
// follows the traces.
void Oscillograph::Configure() {
    plot_->setInteractions(QCP::Interactions());
    plot_->setNotAntialiasedElements(QCP::aeAll);
    plot_->setLocale(QLocale());
    // No legend: neither shown nor kept up to date behind the scenes on every redraw.
    plot_->legend->setVisible(false);
    plot_->setAutoAddPlottableToLegend(false);
    ReplaceTimeAxis();
    ConfigureBackground();
    ConfigureTitles();
    ConfigureAxes();
    ConfigureSeries();
    ConfigureRubberBand();
    ConfigureReadOut();
    ConfigureLayers();
    axes_[TimeAxisIndex] = AxisRange{true, 0.0, 0.0};
    axes_[ForceAxisIndex] = AxisRange{false, 0.0, ForceAxisStartMaximumN};
    axes_[MomentAxisIndex] = AxisRange{false, 0.0, MomentAxisStartMaximumNm};
    ApplyRanges();
}

// The library's bottom axis made anew as one whose ticks can be brought up to date alone.
void Oscillograph::ReplaceTimeAxis() {
    QCPAxisRect* area = plot_->axisRect();
    area->removeAxis(plot_->xAxis);
    timeAxis_ = new TimeAxis(area);
    area->addAxis(QCPAxis::atBottom, timeAxis_);
    timeAxis_->grid()->setVisible(true);
}

// White at the top to light yellow at the bottom, the plotting area black.
void Oscillograph::ConfigureBackground() {
    QLinearGradient gradient(0.0, 0.0, 0.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, GradientBottomColour);
    plot_->setBackground(Qt::NoBrush);
    AddBackdropAndWall(plot_, QBrush(gradient));
}

// The chart's title above, the axis titles around the plotting area. The axis titles are
// elements of their own, laid out once, so that the chart does not shape their texts
// again on every redraw.
void Oscillograph::ConfigureTitles() {
    QCPAxisRect* area = plot_->axisRect();
    QCPTextElement* title = MakeChartTitle(plot_, FromUtf8(ChartTitleText), ProgramFont(true));
    title->setTextColor(TitleColour);
    title->setSelectable(false);
    const QFont titleFont = ProgramFont();
    QCPLayoutElement* leftTitle = MakeAxisTitle(plot_, area, Qt::Vertical, FromUtf8(ForceAxisTitle),
                                                titleFont, ForceTitleColour);
    QCPLayoutElement* rightTitle = MakeAxisTitle(
        plot_, area, Qt::Vertical, FromUtf8(MomentAxisTitle), titleFont, MomentTitleColour);
    QCPLayoutElement* bottomTitle =
        MakeAxisTitle(plot_, area, Qt::Horizontal, FromUtf8(TimeAxisTitle), titleFont, Qt::black);

    QCPLayoutGrid* layout = plot_->plotLayout();
    layout->take(area);
    layout->simplify();
    auto* body = new QCPLayoutGrid;
    layout->addElement(0, 0, title);
    layout->addElement(1, 0, body);
    layout->setRowSpacing(2);
    body->setColumnSpacing(0);
    body->setRowSpacing(0);
    body->addElement(0, 0, leftTitle);
    body->addElement(0, 1, area);
    body->addElement(0, 2, rightTitle);
    body->addElement(1, 1, bottomTitle);
    for (QCPLayerable* standing :
         std::initializer_list<QCPLayerable*>{title, leftTitle, rightTitle, bottomTitle}) {
        standing->setLayer(QStringLiteral("background"));
    }
}

// Time below, force at the left with its grid, moment at the right; numbers in
// "#,##0.###".
void Oscillograph::ConfigureAxes() {
    const QFont labelFont = ChartNumberFont();
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis, plot_->yAxis2}) {
        axis->setVisible(true);
        axis->setTicker(MakeGroupedTicker());
        axis->setTickLabelFont(labelFont);
        axis->setTickLabelColor(Qt::black);
        axis->grid()->setZeroLinePen(Qt::NoPen);
        // The axis lines run along the edges of the black plotting area, black on black,
        // where they would only hide a trace at 0 along the bottom edge.
        axis->setBasePen(Qt::NoPen);
    }
    plot_->xAxis2->setVisible(false);
    plot_->xAxis->grid()->setVisible(true);
    plot_->yAxis->grid()->setVisible(true);
    plot_->yAxis2->grid()->setVisible(false);
}

// On the moving layer the time grid comes first, then the kept runs' traces, the live
// traces over them, the time axis and the key of the kept runs. A kept run's series stay
// hidden, and cost nothing, while the slot holds no run.
void Oscillograph::ConfigureSeries() {
    timeAxis_->grid()->setLayer(QStringLiteral("main"));
    for (int slot = 0; slot < KeptRunLimit; ++slot) {
        keptForce_[slot] = MakeTrace(plot_->xAxis, plot_->yAxis);
        keptForce_[slot]->setPen(QPen(Dimmed(ForceTraceColour), 0, KeptPatterns[slot]));
        keptMoment_[slot] = MakeTrace(plot_->xAxis, plot_->yAxis2);
        keptMoment_[slot]->setPen(QPen(Dimmed(MomentTraceColour), 0, KeptPatterns[slot]));
        for (QCPGraph* series : {keptForce_[slot], keptMoment_[slot]}) {
            series->setVisible(false);
        }
    }
    series1_ = MakeTrace(plot_->xAxis, plot_->yAxis);
    series1_->setPen(QPen(ForceTraceColour, 0));
    series2_ = MakeTrace(plot_->xAxis, plot_->yAxis2);
    series2_->setPen(QPen(MomentTraceColour, 0));
    std::vector<QCPGraph*> all{keptForce_.begin(), keptForce_.end()};
    all.insert(all.end(), keptMoment_.begin(), keptMoment_.end());
    all.insert(all.end(), {series1_, series2_});
    for (QCPGraph* series : all) {
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        series->setSelectable(QCP::stNone);
        series->setLayer(QStringLiteral("main"));
    }
    timeAxis_->setLayer(QStringLiteral("main"));
    key_ = new ComparisonKey(plot_, plot_->axisRect(), ChartNumberFont(), ReadOutClearancePx());
}

// The rubber band lives on the top layer, which has a buffer of its own: a pointer move
// redraws only that layer, and a replot draws it after the traces. It is drawn in the
// panel colour, or red where that is white.
void Oscillograph::ConfigureRubberBand() {
    rubberBand_ = new QCPItemRect(plot_);
    rubberBand_->setLayer(QStringLiteral("axes"));
    rubberBand_->setClipToAxisRect(false);
    rubberBand_->setSelectable(false);
    rubberBand_->topLeft->setType(QCPItemPosition::ptAbsolute);
    rubberBand_->bottomRight->setType(QCPItemPosition::ptAbsolute);
    QColor bandColour = palette().color(QPalette::Window);
    if (bandColour == QColor(Qt::white)) {
        bandColour = Qt::red;
    }
    rubberBand_->setPen(QPen(bandColour, 0));
    rubberBand_->setBrush(Qt::NoBrush);
    rubberBand_->setVisible(false);
}

// The read-out: a thin grey line at the sample under the pointer across the plotting
// area, and the sample's values in white on black at the top, on the side away from the
// line. Both are drawn last on the moving layer and are hidden until the pointer rests
// over the plotting area.
void Oscillograph::ConfigureReadOut() {
    readOutLine_ = new QCPItemLine(plot_);
    readOutLine_->setPen(QPen(ReadOutLineColour, 0));
    for (QCPItemPosition* end : {readOutLine_->start, readOutLine_->end}) {
        end->setTypeX(QCPItemPosition::ptPlotCoords);
        end->setTypeY(QCPItemPosition::ptAxisRectRatio);
    }
    readOutLine_->end->setCoords(0.0, 1.0);
    readOutText_ = new QCPItemText(plot_);
    readOutText_->position->setType(QCPItemPosition::ptAbsolute);
    readOutText_->setFont(ChartNumberFont());
    readOutText_->setColor(Qt::white);
    readOutText_->setBrush(Qt::black);
    readOutText_->setPadding(QMargins(2, 1, 2, 1));
    // The kept runs' lines below the live one start at its left edge.
    readOutText_->setTextAlignment(Qt::AlignLeft);
    for (QCPAbstractItem* item :
         std::initializer_list<QCPAbstractItem*>{readOutLine_, readOutText_}) {
        item->setLayer(QStringLiteral("main"));
        item->setSelectable(false);
        item->setVisible(false);
    }
}

// Three buffers, from the bottom: what stands beneath the traces ("background": the
// gradient, the black wall, the force grid and the titles), what moves ("main": the time
// grid, the traces, the time axis) and what stands above ("axes": the force and moment
// axes, whose inward tick marks cross the traces, and the rubber band). The grids are drawn
// in the same light dotted pen, so the force grid drawn before the time grid leaves the
// same pixels. The library's other layers hold nothing that shows and are merged away.
void Oscillograph::ConfigureLayers() {
    plot_->yAxis->grid()->setLayer(QStringLiteral("background"));
    for (const char* name : {"grid", "legend", "overlay"}) {
        plot_->removeLayer(plot_->layer(QString::fromLatin1(name)));
    }
    for (const char* name : {"background", "main", "axes"}) {
        plot_->layer(QString::fromLatin1(name))->setMode(QCPLayer::lmBuffered);
    }
    movingLayer_ = plot_->layer(QStringLiteral("main"));
}

void Oscillograph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateMargins();
    plot_->setGeometry(rect());
}

// Margins of 2 % of the width at the sides and 4 % of the height at top and bottom.
void Oscillograph::UpdateMargins() {
    const int side = RoundToInt32(width() * MarginSideFraction);
    const int topBottom = RoundToInt32(height() * MarginTopBottomFraction);
    plot_->plotLayout()->setMargins(QMargins(side, topBottom, side, topBottom));
}

QRect Oscillograph::PlottingArea() const {
    return plot_->axisRect()->rect().translated(plot_->pos());
}

// The library only shows ranges of positive size: an axis whose maximum was set equal to
// its minimum is shown one unit tall, while its range stays as set.
void Oscillograph::ApplyRanges() {
    QCPAxis* const axis[] = {plot_->xAxis, plot_->yAxis, plot_->yAxis2};
    for (int i = 0; i < 3; ++i) {
        const double lower = axes_[i].Minimum;
        double upper = axes_[i].Maximum;
        if (!(upper > lower)) {
            upper = lower + 1.0;
        }
        axis[i]->setRange(lower, upper);
    }
}

void Oscillograph::PlotTraces(const SimulationState& state) {
    forcePoints_.resize(SampleCount);
    momentPoints_.resize(SampleCount);
    for (int k = 0; k < SampleCount; ++k) {
        forcePoints_[k] = QCPGraphData(state.TimeAxis[k], state.ForceTrace[k]);
        momentPoints_[k] = QCPGraphData(state.TimeAxis[k], state.MomentTrace[k]);
    }
    // A point whose time is below the last one goes after the last point not later than
    // it; the tick's times always ascend, so this only guards the order.
    const auto byTime = [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; };
    if (!std::is_sorted(forcePoints_.begin(), forcePoints_.end(), byTime)) {
        std::stable_sort(forcePoints_.begin(), forcePoints_.end(), byTime);
        std::stable_sort(momentPoints_.begin(), momentPoints_.end(), byTime);
    }
    series1_->data()->set(forcePoints_, true);
    series2_->data()->set(momentPoints_, true);
    FollowTraces();
    QueueMovingReplot();
}

// An automatic time axis spans the traces as they now stand; a set one stays.
void Oscillograph::FollowTraces() {
    if (axes_[TimeAxisIndex].Automatic) {
        FitTimeAxis();
        ApplyRanges();
    }
}

void Oscillograph::QueueMovingReplot() {
    if (!movingReplotQueued_) {
        movingReplotQueued_ = true;
        QTimer::singleShot(0, this, [this] { ReplotMoving(); });
    }
}

// The traces, the time axis and its grid drawn anew, and the band of the widget they cover
// repainted: the plotting area with the row above it, where the top of the vertical range
// lies, and the time axis's numbers below it, which may stand out half their width at
// either end.
void Oscillograph::ReplotMoving() {
    movingReplotQueued_ = false;
    timeAxis_->UpdateTicks();
    UpdateReadOut();
    const QRect area = plot_->axisRect()->rect();
    const QRect band(area.left() - TimeLabelOverhangPx, area.top() - 1,
                     area.width() + 2 * TimeLabelOverhangPx,
                     area.height() + 1 + plot_->axisRect()->margins().bottom());
    plot_->ReplotLayer(movingLayer_, band);
}

// An automatic time axis spans the traces' times exactly, with no margin: the live
// traces' and the kept runs', which the live ones grow over.
void Oscillograph::FitTimeAxis() {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    std::array<QCPGraph*, 2 + KeptRunLimit> series{series1_, series2_};
    std::size_t count = 2;
    for (const KeptRun& run : kept_) {
        series[count++] = keptForce_[run.Slot];
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (const QCPGraphData& point : *series[i]->data()) {
            if (std::isfinite(point.key)) {
                lowest = std::min(lowest, point.key);
                highest = std::max(highest, point.key);
            }
        }
    }
    if (lowest > highest) {
        lowest = highest = 0.0;
    }
    axes_[TimeAxisIndex].Minimum = lowest;
    axes_[TimeAxisIndex].Maximum = highest;
}

void Oscillograph::SetForceAxisMaximum(double maximum) {
    SetAxisMaximum(ForceAxisIndex, maximum);
}

void Oscillograph::SetMomentAxisMaximum(double maximum) {
    SetAxisMaximum(MomentAxisIndex, maximum);
}

void Oscillograph::SetAxisMaximum(int axisIndex, double maximum) {
    AxisRange& range = axes_[axisIndex];
    if (!(maximum >= range.Minimum)) {
        throw ProgramError(std::string(AxisMaximumText));
    }
    if (maximum != range.Maximum) {
        range.Maximum = maximum;
        ApplyRanges();
        plot_->replot(QCustomPlot::rpQueuedReplot);
    }
}

// The read-out shows only on the screen.
ChartSnapshot Oscillograph::Snapshot() {
    const std::optional<QPoint> pointer = std::exchange(pointer_, std::nullopt);
    UpdateReadOut();
    ChartSnapshot snapshot = TakeSnapshot(
        *plot_, SamplesCsv(forcePoints_, momentPoints_, plot_->locale(), KeptSamplesForTable()));
    pointer_ = pointer;
    UpdateReadOut();
    return snapshot;
}

std::vector<KeptSamples> Oscillograph::KeptSamplesForTable() const {
    std::vector<KeptSamples> table;
    for (const KeptRun& run : kept_) {
        table.push_back(KeptSamples{run.Name, run.Force, run.Moment});
    }
    return table;
}

// A fourth run takes the slot, and with it the dash pattern, of the oldest.
void Oscillograph::KeepTraces(const RunInputs& inputs, int number) {
    if (forcePoints_.isEmpty()) {
        return;
    }
    int slot = static_cast<int>(kept_.size());
    if (kept_.size() == static_cast<std::size_t>(KeptRunLimit)) {
        slot = kept_.front().Slot;
        kept_.erase(kept_.begin());
    }
    kept_.push_back(KeptRun{inputs, number, slot, QString(), forcePoints_, momentPoints_});
    keptForce_[slot]->data()->set(forcePoints_, true);
    keptMoment_[slot]->data()->set(momentPoints_, true);
    keptForce_[slot]->setVisible(true);
    keptMoment_[slot]->setVisible(true);
    liveInputs_ = inputs;
    NameKeptRuns();
    FollowTraces();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Oscillograph::RemoveKeptTraces() {
    kept_.clear();
    for (int slot = 0; slot < KeptRunLimit; ++slot) {
        for (QCPGraph* series : {keptForce_[slot], keptMoment_[slot]}) {
            series->data()->clear();
            series->setVisible(false);
        }
    }
    key_->SetEntries({});
    FollowTraces();
    UpdateReadOut();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Oscillograph::SetLiveInputs(const RunInputs& inputs) {
    if (kept_.empty() || inputs == liveInputs_) {
        return;
    }
    liveInputs_ = inputs;
    NameKeptRuns();
    QueueMovingReplot();
}

// The names in the key and the read-out, from the inputs in which the runs differ.
void Oscillograph::NameKeptRuns() {
    std::vector<RunInputs> inputs;
    std::vector<int> numbers;
    for (const KeptRun& run : kept_) {
        inputs.push_back(run.Inputs);
        numbers.push_back(run.Number);
    }
    const std::vector<std::string> names = ComparisonLabels(
        inputs, numbers, liveInputs_, plot_->locale().decimalPoint().toStdString());
    std::vector<ComparisonKey::Entry> entries;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        kept_[i].Name = QString::fromStdString(names[i]);
        entries.push_back(ComparisonKey::Entry{keptForce_[kept_[i].Slot]->pen(),
                                               keptMoment_[kept_[i].Slot]->pen(), kept_[i].Name});
    }
    key_->SetEntries(std::move(entries));
    UpdateReadOut();
}
