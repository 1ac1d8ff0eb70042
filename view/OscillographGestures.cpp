#include "Oscillograph.h"

#include "ChartTexts.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

// The chart's mouse: zoom, restore and pan, the menu's right click or long touch, and the
// read-out of the sample under a resting pointer.

namespace {

constexpr int GestureTolerancePx = 12; // a press this close to an axis line misses it
constexpr int DragThresholdPx = 16;    // a drag must exceed this both ways to act

bool IsNearAxisLine(int along, int from, int to, int across, int line) {
    return along >= from && along <= to && std::abs(across - line) < GestureTolerancePx;
}

// The point of `points` (ascending in time) nearest to `time`; of two equally near, the
// earlier.
QVector<QCPGraphData>::const_iterator Nearest(const QVector<QCPGraphData>& points, double time) {
    const auto later =
        std::lower_bound(points.cbegin(), points.cend(), time,
                         [](const QCPGraphData& point, double t) { return point.key < t; });
    auto nearest = later == points.cend() ? later - 1 : later;
    if (nearest != points.cbegin() &&
        std::abs((nearest - 1)->key - time) <= std::abs(nearest->key - time)) {
        --nearest;
    }
    return nearest;
}

// Whether a kept run has a sample at `time`: within half a step of one of its samples.
bool Covers(const QVector<QCPGraphData>& points, double time) {
    if (points.size() < 2) {
        return false;
    }
    const double halfStep = (points.back().key - points.front().key) / (points.size() - 1) / 2;
    return time >= points.front().key - halfStep && time <= points.back().key + halfStep;
}

// What a finger does arrives as the mouse; a phone or tablet has no right button.
bool IsTouch(const QMouseEvent& event) {
    const QPointingDevice* device = event.pointingDevice();
    return device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen;
}

} // namespace

// A finger held still on the chart asks for the menu, as phones open a context menu: the
// zoom drag its press began is dropped, and the menu opens under the finger.
void Oscillograph::StartLongPress(QPoint position) {
    if (longPress_ == nullptr) {
        longPress_ = new QTimer(this);
        longPress_->setSingleShot(true);
        connect(longPress_, &QTimer::timeout, this, [this] {
            zoomDrag_ = false;
            HideRubberBand();
            emit MenuRequested(mapToGlobal(longPressAt_));
        });
    }
    longPressAt_ = position;
    longPress_->start(QGuiApplication::styleHints()->mousePressAndHoldInterval());
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
        const QPoint position = plot_->mapTo(this, mouse->position().toPoint());
        const bool press = event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::MouseButtonDblClick;
        if (press && IsTouch(*mouse)) {
            StartLongPress(position);
        } else if (longPress_ != nullptr &&
                   (event->type() != QEvent::MouseMove ||
                    (position - longPressAt_).manhattanLength() >
                        QGuiApplication::styleHints()->startDragDistance())) {
            longPress_->stop();
        }
        Mouse(event->type(), mouse->button(), mouse->buttons(), position);
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
        const auto nearest = Nearest(forcePoints_, pointed);
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
            QString text = ReadOutText(nearest->key, nearest->value, moment.value, plot_->locale());
            // Each kept run that was sampled at that time, with its sample nearest to it.
            for (const KeptRun& run : kept_) {
                if (Covers(run.Force, nearest->key)) {
                    const auto kept = Nearest(run.Force, nearest->key);
                    text += u'\n' + KeptReadOutText(run.Name, kept->value,
                                                    run.Moment[kept - run.Force.cbegin()].value,
                                                    plot_->locale());
                }
            }
            readOutText_->setText(text);
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
