#include "Oscillograph.h"

#include "NumberFormat.h"
#include "ProgramError.h"
#include "ProgramFonts.h"
#include "StartValues.h"
#include "UserTexts.h"
#include "Utf8Text.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QHash>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPdfWriter>
#include <QStaticText>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

constexpr int GestureTolerancePx = 12; // a press this close to an axis line misses it
constexpr int DragThresholdPx = 16;    // a drag must exceed this both ways to act
constexpr double MarginSideFraction = 0.02;
constexpr double MarginTopBottomFraction = 0.04;
// The axes open at the window's start values; the force axis's is in thousands of newtons.
constexpr double ForceAxisStartMaximumN = 1000.0 * StartForceAxisMaximumKiloNewtons;
constexpr double MomentAxisStartMaximumNm = StartMomentAxisMaximumNm;
constexpr int TickLabelDecimals = 3;
constexpr double PrintScale = 2.0; // the picture for printing, at twice the chart's size
// How far a time axis number may stand out beside the plotting area: half its width.
constexpr int TimeLabelOverhangPx = 24;

const QColor TitleColour(0, 0, 255);
const QColor ForceTitleColour(255, 0, 0);
const QColor MomentTitleColour(0, 0, 255);
const QColor ForceTraceColour(255, 128, 128);
const QColor MomentTraceColour(128, 255, 255);
const QColor GradientBottomColour(255, 255, 128);
const QColor ReadOutLineColour(160, 160, 160);

// Tick labels in "#,##0.###" whatever step the ticker chose. The time axis moves on every
// tick while most of its numbers stay: the labels of the last ticks are kept and used
// again, so that an axis makes only the labels it has not shown.
class GroupedTicker : public QCPAxisTicker {
  protected:
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale, QChar,
                                       int) override {
        if (locale != labelLocale_) {
            labels_.clear();
            labelLocale_ = locale;
        }
        QHash<double, QString> shown;
        QVector<QString> labels;
        labels.reserve(ticks.size());
        for (double tick : ticks) {
            const auto known = labels_.constFind(tick);
            labels.append(known != labels_.cend() ? *known : FormatTickLabel(tick, locale));
            shown.insert(tick, labels.back());
        }
        labels_ = std::move(shown);
        return labels;
    }

  private:
    QLocale labelLocale_;
    QHash<double, QString> labels_;
};

// The chart's plot. On every tick only the traces, the time axis and its grid lines move;
// they are drawn into a buffer of their own (the layer "main"), between the buffer of what
// stands beneath them (the background, the force grid, the titles) and the buffer of what
// stands above them (the force and moment axes, whose tick marks cross the traces, and the
// rubber band). A tick redraws that one buffer and repaints only the band of the widget it
// covers.
class ChartPlot : public QCustomPlot {
  public:
    using QCustomPlot::QCustomPlot;

    // Redraws `layer` alone and repaints `area`; a whole replot instead where one is waiting
    // or the buffers were set up anew since the last one.
    void ReplotLayer(QCPLayer* layer, const QRect& area) {
        if (mReplotQueued || hasInvalidatedPaintBuffers()) {
            replot();
            return;
        }
        // The layer asks for a repaint of the whole widget; the band it covers is enough.
        setAttribute(Qt::WA_UpdatesDisabled, true);
        layer->replot();
        setAttribute(Qt::WA_UpdatesDisabled, false);
        update(area);
    }

    // The chart drawn as the screen shows it, at its size. An export draws the axis numbers
    // afresh; here they come from the same cached pictures of their texts as on the screen,
    // whose glyphs' edges would otherwise differ.
    QPixmap ScreenPicture() {
        QPixmap picture(viewport().size());
        picture.fill(Qt::transparent);
        QCPPainter painter(&picture);
        if (painter.isActive()) {
            draw(&painter);
        }
        return picture;
    }

  protected:
    // The buffers laid over each other. The bottom one is opaque everywhere (the backdrop
    // fills it), so it is copied rather than blended, at a fraction of the cost; nothing
    // beneath it would show.
    void paintEvent(QPaintEvent*) override {
        QCPPainter painter(this);
        if (!painter.isActive() || mPaintBuffers.isEmpty()) {
            return;
        }
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        mPaintBuffers.first()->draw(&painter);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (qsizetype i = 1; i < mPaintBuffers.size(); ++i) {
            mPaintBuffers.at(i)->draw(&painter);
        }
    }
};

// White at the top to light yellow at the bottom, under everything: drawn into the
// background's buffer once, not on every repaint of the widget.
class Backdrop : public QCPLayerable {
  public:
    Backdrop(QCustomPlot* plot, QBrush brush)
        : QCPLayerable(plot, QStringLiteral("background")), brush_(std::move(brush)) {}

  protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(false);
    }
    // The library clips what a layer draws one row higher than it lies; the backdrop
    // reaches the widget's bottom row all the same.
    QRect clipRect() const override { return mParentPlot->viewport().adjusted(0, 0, 0, 1); }
    void draw(QCPPainter* painter) override { painter->fillRect(mParentPlot->viewport(), brush_); }

  private:
    QBrush brush_;
};

// The chart redraws every tick; its fixed texts are laid out once (QStaticText) instead of
// being shaped again on every redraw.

// The chart's title line, centred above the plotting area.
class ChartTitle : public QCPTextElement {
  public:
    ChartTitle(QCustomPlot* plot, const QString& text, const QFont& font)
        : QCPTextElement(plot, text, font), staticText_(text) {
        staticText_.setTextFormat(Qt::PlainText);
        staticText_.setPerformanceHint(QStaticText::AggressiveCaching);
        staticText_.prepare(QTransform(), font);
        minimum_ = QCPTextElement::minimumOuterSizeHint();
        maximum_ = QCPTextElement::maximumOuterSizeHint();
    }

    QSize minimumOuterSizeHint() const override { return minimum_; }
    QSize maximumOuterSizeHint() const override { return maximum_; }

  protected:
    void draw(QCPPainter* painter) override {
        painter->setFont(font());
        painter->setPen(textColor());
        const QSizeF size = staticText_.size();
        const QRectF area = mRect;
        painter->drawStaticText(QPointF(area.center().x() - size.width() / 2.0,
                                        area.center().y() - size.height() / 2.0),
                                staticText_);
    }

  private:
    QStaticText staticText_;
    QSize minimum_;
    QSize maximum_;
};

// An axis title beside the plotting area, centred along it: below it for the time axis,
// at its sides for the force and moment axes, turned to read from bottom to top.
class AxisTitle : public QCPLayoutElement {
  public:
    AxisTitle(QCustomPlot* plot, QCPAxisRect* alongside, Qt::Orientation orientation,
              const QString& text, QFont font, QColor colour)
        : QCPLayoutElement(plot), alongside_(alongside), orientation_(orientation),
          staticText_(text), font_(std::move(font)), colour_(colour),
          height_(QFontMetrics(font_).height()) {
        setAutoMargins(QCP::msNone);
        setMargins(orientation == Qt::Vertical ? QMargins(2, 0, 2, 0) : QMargins(0, 2, 0, 0));
        staticText_.setTextFormat(Qt::PlainText);
        staticText_.setPerformanceHint(QStaticText::AggressiveCaching);
        staticText_.prepare(QTransform(), font_);
    }

    QSize minimumOuterSizeHint() const override {
        const QMargins m = margins();
        return orientation_ == Qt::Vertical ? QSize(height_ + m.left() + m.right(), 0)
                                            : QSize(0, height_ + m.top() + m.bottom());
    }
    QSize maximumOuterSizeHint() const override {
        const QSize minimum = minimumOuterSizeHint();
        return orientation_ == Qt::Vertical ? QSize(minimum.width(), QWIDGETSIZE_MAX)
                                            : QSize(QWIDGETSIZE_MAX, minimum.height());
    }

  protected:
    void draw(QCPPainter* painter) override {
        const QRect area = rect();
        const QRect plotting = alongside_->rect();
        const QSizeF size = staticText_.size();
        painter->save();
        painter->setFont(font_);
        painter->setPen(colour_);
        if (orientation_ == Qt::Vertical) {
            painter->translate(area.center().x() + 0.5, plotting.center().y());
            painter->rotate(-90.0);
        } else {
            painter->translate(plotting.center().x(), area.center().y() + 0.5);
        }
        painter->drawStaticText(QPointF(-size.width() / 2.0, -size.height() / 2.0), staticText_);
        painter->restore();
    }

  private:
    QCPAxisRect* alongside_;
    Qt::Orientation orientation_;
    QStaticText staticText_;
    QFont font_;
    QColor colour_;
    int height_;
};

// The black back wall under the whole range of the vertical axes. Their top value lies one
// row above the library's plotting area, where the top grid line, the axis lines and the
// ticks are drawn; the wall reaches up to that row, so that none of them shows black on
// the control's background.
class BackWall : public QCPLayerable {
  public:
    BackWall(QCustomPlot* plot, QCPAxisRect* area)
        : QCPLayerable(plot, QStringLiteral("background")), area_(area) {}

  protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(false);
    }
    void draw(QCPPainter* painter) override {
        painter->fillRect(area_->rect().adjusted(0, -1, 0, 0), Qt::black);
    }

  private:
    QCPAxisRect* area_;
};

// A trace. The library draws a plottable clipped one row above its plotting area, where
// the top of the vertical range lies, and so leaves out the bottom row, where 0 lies: the
// clip reaches one row lower, so that a trace at 0 shows along the bottom edge.
class Trace : public QCPGraph {
  public:
    Trace(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

  protected:
    QRect clipRect() const override { return QCPGraph::clipRect().adjusted(0, 0, 0, 1); }
};

bool IsNearAxisLine(int along, int from, int to, int across, int line) {
    return along >= from && along <= to && std::abs(across - line) < GestureTolerancePx;
}

} // namespace

// The time axis, whose ticks a tick brings up to date without a whole replot.
class TimeAxis : public QCPAxis {
  public:
    explicit TimeAxis(QCPAxisRect* area) : QCPAxis(area, QCPAxis::atBottom) {}
    void UpdateTicks() { setupTickVectors(); }
};

QString FormatTickLabel(double value, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    // Values that round to zero at three decimals are shown as "0", never "-0".
    if (std::abs(value) < 0.0005) {
        value = 0.0;
    }
    QString text = grouped.toString(value, 'f', TickLabelDecimals);
    const QString point = grouped.decimalPoint();
    const qsizetype pointAt = text.lastIndexOf(point);
    if (pointAt >= 0) {
        const QString zero = grouped.zeroDigit();
        while (text.size() > pointAt + point.size() && text.endsWith(zero)) {
            text.chop(zero.size());
        }
        if (text.size() == pointAt + point.size()) {
            text.chop(point.size());
        }
    }
    return text;
}

QString ReadOutText(double time, double force, double moment, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return FromUtf8(ReadOutFormat)
        .arg(grouped.toString(time, 'f', 2), grouped.toString(force, 'f', 0),
             grouped.toString(moment, 'f', 2));
}

// The numbers are written with the digits, point and minus of C, the point turned into
// the locale's comma where it has one: spreadsheets read them so whatever minus sign the
// locale itself writes.
QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale) {
    const bool decimalComma = locale.decimalPoint() == QStringLiteral(",");
    const QChar separator = decimalComma ? u';' : u',';
    const auto number = [decimalComma](double value) {
        QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
        return decimalComma ? text.replace(u'.', u',') : text;
    };
    QString table = FromUtf8(SamplesColumnsFormat).arg(separator) + u'\n';
    for (qsizetype k = 0; k < std::min(force.size(), moment.size()); ++k) {
        table += number(force[k].key) + separator + number(force[k].value) + separator +
                 number(moment[k].value) + u'\n';
    }
    return table.toUtf8();
}

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
    new Backdrop(plot_, QBrush(gradient));
    new BackWall(plot_, plot_->axisRect());
}

// The chart's title above, the axis titles around the plotting area. The axis titles are
// elements of their own, laid out once, so that the chart does not shape their texts
// again on every redraw.
void Oscillograph::ConfigureTitles() {
    QCPAxisRect* area = plot_->axisRect();
    auto* title = new ChartTitle(plot_, FromUtf8(ChartTitleText), ProgramFont(true));
    title->setTextColor(TitleColour);
    title->setSelectable(false);
    const QFont titleFont = ProgramFont();
    auto* leftTitle = new AxisTitle(plot_, area, Qt::Vertical, FromUtf8(ForceAxisTitle), titleFont,
                                    ForceTitleColour);
    auto* rightTitle = new AxisTitle(plot_, area, Qt::Vertical, FromUtf8(MomentAxisTitle),
                                     titleFont, MomentTitleColour);
    auto* bottomTitle =
        new AxisTitle(plot_, area, Qt::Horizontal, FromUtf8(TimeAxisTitle), titleFont, Qt::black);

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
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new GroupedTicker));
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

// On the moving layer the time grid comes first, then the traces, then the time axis.
void Oscillograph::ConfigureSeries() {
    timeAxis_->grid()->setLayer(QStringLiteral("main"));
    series1_ = new Trace(plot_->xAxis, plot_->yAxis);
    series1_->setPen(QPen(ForceTraceColour, 0));
    series2_ = new Trace(plot_->xAxis, plot_->yAxis2);
    series2_->setPen(QPen(MomentTraceColour, 0));
    for (QCPGraph* series : {series1_, series2_}) {
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        series->setSelectable(QCP::stNone);
        series->setLayer(QStringLiteral("main"));
    }
    timeAxis_->setLayer(QStringLiteral("main"));
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
    if (axes_[TimeAxisIndex].Automatic) {
        FitTimeAxis();
        ApplyRanges();
    }
    QueueMovingReplot();
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
    static_cast<ChartPlot*>(plot_)->ReplotLayer(movingLayer_, band);
}

// An automatic time axis spans the traces' times exactly, with no margin.
void Oscillograph::FitTimeAxis() {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    for (QCPGraph* series : {series1_, series2_}) {
        for (const QCPGraphData& point : *series->data()) {
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

// A gesture starts inside the plotting area or less than 12 px from the bottom, left or
// right axis line alongside it; the title and the space above the area start nothing.
bool Oscillograph::StartsGesture(QPoint position) const {
    const QRect area = PlottingArea();
    const int x = position.x();
    const int y = position.y();
    return area.contains(position) ||
           IsNearAxisLine(x, area.left(), area.right(), y, area.bottom()) ||
           IsNearAxisLine(y, area.top(), area.bottom(), x, area.left()) ||
           IsNearAxisLine(y, area.top(), area.bottom(), x, area.right());
}

// The chart takes every mouse event and the wheel from the plot, which zooms and pans by
// itself otherwise; the pointer's place is taken in this widget's pixels.
bool Oscillograph::eventFilter(QObject* watched, QEvent* event) {
    if (watched != plot_) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Mouse(event->type(), mouse->button(), mouse->buttons(),
              plot_->mapTo(this, mouse->position().toPoint()));
        return true;
    }
    case QEvent::Wheel:
        return true;
    case QEvent::Leave:
        PointAt(std::nullopt);
        return QWidget::eventFilter(watched, event);
    default:
        return QWidget::eventFilter(watched, event);
    }
}

// A quick second press arrives as a double click; it starts a drag all the same. The
// read-out shows only while no button is held; a right press released where it went down,
// with no movement between, asks for the menu.
void Oscillograph::Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                         QPoint position) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        PointAt(std::nullopt);
        rightClick_ = button == Qt::RightButton && held == Qt::RightButton;
        rightPress_ = position;
        if (button == Qt::LeftButton) {
            PressLeft(position);
        } else if (button == Qt::RightButton && !zoomDrag_ && !panDrag_ &&
                   StartsGesture(position)) {
            panDrag_ = true;
            panLast_ = position;
        }
        break;
    case QEvent::MouseMove:
        rightClick_ = rightClick_ && position == rightPress_;
        MoveTo(position);
        break;
    default:
        panDrag_ = false;
        if (button == Qt::LeftButton && zoomDrag_) {
            ReleaseLeft(position);
        }
        if (button == Qt::RightButton && rightClick_ && position == rightPress_) {
            rightClick_ = false;
            emit MenuRequested(mapToGlobal(position));
        }
        break;
    }
    if (held == Qt::NoButton && !zoomDrag_ && !panDrag_ && PlottingArea().contains(position)) {
        PointAt(position);
    } else {
        PointAt(std::nullopt);
    }
}

// The read-out follows the pointer; a redraw of what moves shows it, or takes it away.
void Oscillograph::PointAt(std::optional<QPoint> position) {
    if (position == pointer_) {
        return;
    }
    pointer_ = position;
    const bool shown = readOutLine_->visible();
    UpdateReadOut();
    if (shown || readOutLine_->visible()) {
        QueueMovingReplot();
    }
}

// The sample nearest in time to the pointer, where one is plotted within the visible time
// range.
void Oscillograph::UpdateReadOut() {
    bool shown = false;
    if (pointer_ && !forcePoints_.isEmpty()) {
        QCPAxis* const time = plot_->xAxis;
        const double pointed = time->pixelToCoord(pointer_->x() - plot_->pos().x());
        const auto later =
            std::lower_bound(forcePoints_.cbegin(), forcePoints_.cend(), pointed,
                             [](const QCPGraphData& point, double t) { return point.key < t; });
        auto nearest = later == forcePoints_.cend() ? later - 1 : later;
        if (nearest != forcePoints_.cbegin() &&
            std::abs((nearest - 1)->key - pointed) <= std::abs(nearest->key - pointed)) {
            --nearest;
        }
        const double x = time->coordToPixel(nearest->key);
        const QRect area = plot_->axisRect()->rect();
        // Compared before rounding: a sample far off a deeply zoomed axis lies at a pixel
        // beyond any integer.
        if (x >= area.left() - 0.5 && x < area.right() + 0.5) {
            const long column = std::lround(x);
            shown = true;
            const QCPGraphData& moment = momentPoints_[nearest - forcePoints_.cbegin()];
            readOutLine_->start->setCoords(nearest->key, 0.0);
            readOutLine_->end->setCoords(nearest->key, 1.0);
            readOutText_->setText(
                ReadOutText(nearest->key, nearest->value, moment.value, plot_->locale()));
            // The values stand at the top, clear of the force and moment axes' tick marks,
            // which are drawn above them.
            const bool lineAtLeft = column < area.center().x();
            const int clearance = ReadOutClearancePx();
            readOutText_->setPositionAlignment(Qt::AlignTop |
                                               (lineAtLeft ? Qt::AlignRight : Qt::AlignLeft));
            readOutText_->position->setCoords(
                lineAtLeft ? area.right() + 1 - clearance : area.left() + clearance, area.top());
        }
    }
    readOutLine_->setVisible(shown);
    readOutText_->setVisible(shown);
}

// The columns the inward tick marks of the force and moment axes take, with one to spare.
int Oscillograph::ReadOutClearancePx() const {
    int marks = 0;
    for (const QCPAxis* axis : {plot_->yAxis, plot_->yAxis2}) {
        marks = std::max({marks, axis->tickLengthIn(), axis->subTickLengthIn()});
    }
    return marks + 1;
}

QRect Oscillograph::ReadOutBox() const {
    if (!readOutText_->visible()) {
        return {};
    }
    const QPoint topLeft = readOutText_->topLeft->pixelPosition().toPoint();
    const QPoint bottomRight = readOutText_->bottomRight->pixelPosition().toPoint();
    return QRect(topLeft, bottomRight - QPoint(1, 1)).translated(plot_->pos());
}

QString Oscillograph::ReadOut() const {
    return readOutText_->visible() ? readOutText_->text() : QString();
}

int Oscillograph::ReadOutLineX() const {
    return readOutLine_->visible()
               ? RoundToInt32(plot_->xAxis->coordToPixel(readOutLine_->start->coords().x())) +
                     plot_->pos().x()
               : -1;
}

QPixmap Oscillograph::Picture(double scale) {
    const std::optional<QPoint> pointer = std::exchange(pointer_, std::nullopt);
    UpdateReadOut();
    QPixmap picture = scale == 1.0 ? static_cast<ChartPlot*>(plot_)->ScreenPicture()
                                   : plot_->toPixmap(0, 0, scale);
    pointer_ = pointer;
    UpdateReadOut();
    return picture;
}

// As the chart library saves a PDF itself: one point of the page for each pixel.
void Oscillograph::WritePdf(QIODevice& device) {
    const std::optional<QPoint> pointer = std::exchange(pointer_, std::nullopt);
    UpdateReadOut();
    QPdfWriter writer(&device);
    writer.setPageLayout(QPageLayout(
        QPageSize(plot_->viewport().size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
    QCPPainter painter;
    if (painter.begin(&writer)) {
        painter.setMode(QCPPainter::pmVectorized);
        painter.setWindow(plot_->viewport());
        plot_->toPainter(&painter);
        painter.end();
    }
    pointer_ = pointer;
    UpdateReadOut();
}

QByteArray Oscillograph::PlottedSamplesCsv() const {
    return SamplesCsv(forcePoints_, momentPoints_, plot_->locale());
}

ChartSnapshot Oscillograph::Snapshot() {
    ChartSnapshot snapshot{Picture(1.0), Picture(PrintScale), {}, PlottedSamplesCsv()};
    QBuffer pdf(&snapshot.Pdf);
    pdf.open(QIODevice::WriteOnly);
    WritePdf(pdf);
    return snapshot;
}

// The left button cannot go down while it is held: a zoom drag still open here lost its
// release (a modal box took the mouse), so it is dropped and the press counts afresh.
void Oscillograph::PressLeft(QPoint position) {
    if (zoomDrag_) {
        zoomDrag_ = false;
        HideRubberBand();
    }
    if (panDrag_ || !StartsGesture(position)) {
        return;
    }
    zoomDrag_ = true;
    zoomStart_ = position;
    ShowRubberBand(position, position);
}

void Oscillograph::MoveTo(QPoint position) {
    if (zoomDrag_) {
        ShowRubberBand(zoomStart_, position);
    } else if (panDrag_) {
        if (PlottingArea().contains(position)) {
            Pan(position);
        } else {
            panDrag_ = false;
        }
    }
}

// Right and down by more than 16 px both ways zooms; any other direction with both
// distances above 16 px restores; anything shorter changes nothing.
void Oscillograph::ReleaseLeft(QPoint position) {
    zoomDrag_ = false;
    HideRubberBand();
    const int dx = position.x() - zoomStart_.x();
    const int dy = position.y() - zoomStart_.y();
    if (std::abs(dx) <= DragThresholdPx || std::abs(dy) <= DragThresholdPx) {
        return;
    }
    if (dx > 0 && dy > 0) {
        Zoom(zoomStart_, position);
    } else {
        Restore();
    }
}

void Oscillograph::RememberRanges() {
    if (!remembered_) {
        remembered_ = axes_;
    }
}

// Every axis takes the values under the rectangle's edges on its own scale.
void Oscillograph::Zoom(QPoint from, QPoint to) {
    RememberRanges();
    const QPoint origin = plot_->pos();
    from -= origin;
    to -= origin;
    axes_[TimeAxisIndex] =
        AxisRange{false, plot_->xAxis->pixelToCoord(from.x()), plot_->xAxis->pixelToCoord(to.x())};
    axes_[ForceAxisIndex] =
        AxisRange{false, plot_->yAxis->pixelToCoord(to.y()), plot_->yAxis->pixelToCoord(from.y())};
    axes_[MomentAxisIndex] = AxisRange{false, plot_->yAxis2->pixelToCoord(to.y()),
                                       plot_->yAxis2->pixelToCoord(from.y())};
    ApplyRanges();
    plot_->replot();
}

// Back to the ranges from before the first zoom or pan; an automatic time axis fits the
// current traces again.
void Oscillograph::Restore() {
    if (!remembered_) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const AxisRange& before = (*remembered_)[i];
        axes_[i].Automatic = before.Automatic;
        if (!before.Automatic) {
            axes_[i].Minimum = before.Minimum;
            axes_[i].Maximum = before.Maximum;
        }
    }
    remembered_.reset();
    if (axes_[TimeAxisIndex].Automatic) {
        FitTimeAxis();
    }
    ApplyRanges();
    plot_->replot();
}

// The content follows the pointer: each axis moves by the difference between its values
// at the last and at the current pointer position.
void Oscillograph::Pan(QPoint to) {
    const QPoint origin = plot_->pos();
    const QPoint last = panLast_ - origin;
    const QPoint now = to - origin;
    panLast_ = to;
    if (last == now) {
        return;
    }
    RememberRanges();
    if (now.x() != last.x()) {
        const double shift =
            plot_->xAxis->pixelToCoord(last.x()) - plot_->xAxis->pixelToCoord(now.x());
        AxisRange& time = axes_[TimeAxisIndex];
        time = AxisRange{false, time.Minimum + shift, time.Maximum + shift};
    }
    if (now.y() != last.y()) {
        const std::pair<int, QCPAxis*> vertical[] = {{ForceAxisIndex, plot_->yAxis},
                                                     {MomentAxisIndex, plot_->yAxis2}};
        for (const auto& [index, axis] : vertical) {
            const double shift = axis->pixelToCoord(last.y()) - axis->pixelToCoord(now.y());
            AxisRange& range = axes_[index];
            range = AxisRange{false, range.Minimum + shift, range.Maximum + shift};
        }
    }
    ApplyRanges();
    plot_->replot();
}

void Oscillograph::ShowRubberBand(QPoint from, QPoint to) {
    const QPoint origin = plot_->pos();
    rubberBand_->topLeft->setCoords(from - origin);
    rubberBand_->bottomRight->setCoords(to - origin);
    rubberBand_->setVisible(true);
    rubberBand_->layer()->replot();
}

void Oscillograph::HideRubberBand() {
    rubberBand_->setVisible(false);
    rubberBand_->layer()->replot();
}
