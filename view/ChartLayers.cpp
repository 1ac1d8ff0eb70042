#include "ChartLayers.h"

#include "ChartTexts.h"

#include <QFontMetrics>
#include <QHash>
#include <QStaticText>

#include <algorithm>
#include <utility>

namespace {

// The time axis moves on every tick while most of its numbers stay: the labels of the last
// ticks are kept and used again, so that an axis makes only the labels it has not shown.
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

constexpr int KeyPaddingPx = 2;
constexpr int KeySampleWidthPx = 18;
constexpr int KeySampleGapPx = 4;
const QColor KeyShade(0, 0, 0, 176);

} // namespace

ComparisonKey::ComparisonKey(QCustomPlot* plot, QCPAxisRect* area, const QFont& font, int insetPx)
    : QCPLayerable(plot, QStringLiteral("main")), area_(area), font_(font), insetPx_(insetPx) {
    setVisible(false);
}

void ComparisonKey::SetEntries(std::vector<Entry> entries) {
    entries_ = std::move(entries);
    setVisible(!entries_.empty());
}

QRect ComparisonKey::Box() const {
    const QFontMetrics metrics(font_);
    int textWidth = 0;
    for (const Entry& entry : entries_) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.Name));
    }
    const int width = 2 * KeyPaddingPx + KeySampleWidthPx + KeySampleGapPx + textWidth;
    const int height = 2 * KeyPaddingPx + static_cast<int>(entries_.size()) * metrics.height();
    const QRect area = area_->rect();
    return QRect(area.left() + insetPx_, area.top(), width, height);
}

void ComparisonKey::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

// Each line: the force's piece two pixels above the moment's, at the middle of the line,
// then the name.
void ComparisonKey::draw(QCPPainter* painter) {
    const QRect box = Box();
    painter->fillRect(box, KeyShade);
    painter->setFont(font_);
    const QFontMetrics metrics(font_);
    int top = box.top() + KeyPaddingPx;
    for (const Entry& entry : entries_) {
        const int middle = top + metrics.height() / 2;
        const int left = box.left() + KeyPaddingPx;
        const int right = left + KeySampleWidthPx - 1;
        painter->setPen(entry.ForcePen);
        painter->drawLine(QLineF(left, middle - 1, right, middle - 1));
        painter->setPen(entry.MomentPen);
        painter->drawLine(QLineF(left, middle + 1, right, middle + 1));
        painter->setPen(Qt::white);
        painter->drawText(QPoint(right + 1 + KeySampleGapPx, top + metrics.ascent()), entry.Name);
        top += metrics.height();
    }
}

// The library redraws a layer by asking for a repaint of the whole widget; the band it
// covers is enough.
void ChartPlot::ReplotLayer(QCPLayer* layer, const QRect& area) {
    if (mReplotQueued || hasInvalidatedPaintBuffers()) {
        replot();
        return;
    }
    setAttribute(Qt::WA_UpdatesDisabled, true);
    layer->replot();
    setAttribute(Qt::WA_UpdatesDisabled, false);
    update(area);
}

QPixmap ChartPlot::ScreenPicture() {
    QPixmap picture(viewport().size());
    picture.fill(Qt::transparent);
    QCPPainter painter(&picture);
    if (painter.isActive()) {
        draw(&painter);
    }
    return picture;
}

// The buffers laid over each other. The bottom one is opaque everywhere (the backdrop
// fills it), so it is copied rather than blended, at a fraction of the cost; nothing
// beneath it would show.
void ChartPlot::paintEvent(QPaintEvent*) {
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

QSharedPointer<QCPAxisTicker> MakeGroupedTicker() {
    return QSharedPointer<QCPAxisTicker>(new GroupedTicker);
}

void AddBackdropAndWall(QCustomPlot* plot, const QBrush& brush) {
    new Backdrop(plot, brush);
    new BackWall(plot, plot->axisRect());
}

QCPTextElement* MakeChartTitle(QCustomPlot* plot, const QString& text, const QFont& font) {
    return new ChartTitle(plot, text, font);
}

QCPLayoutElement* MakeAxisTitle(QCustomPlot* plot, QCPAxisRect* alongside,
                                Qt::Orientation orientation, const QString& text, const QFont& font,
                                const QColor& colour) {
    return new AxisTitle(plot, alongside, orientation, text, font, colour);
}

QCPGraph* MakeTrace(QCPAxis* keyAxis, QCPAxis* valueAxis) {
    return new Trace(keyAxis, valueAxis);
}
