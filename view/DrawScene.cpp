#include "DrawScene.h"

#include "FrameFile.h"
#include "NumberFormat.h"
#include "SceneGeometry.h"

#include <QColor>
#include <QPainter>
#include <QPoint>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr std::int64_t AxisXPx = 185;
constexpr int AxisDotLengthPx = 3;
// The background rectangle is wider than the surface, so its right border is not seen.
constexpr std::int64_t BackgroundRightPx = 385;
constexpr std::int64_t BlockLeftPx = 120;
constexpr std::int64_t BlockRightPx = 250;
constexpr std::int64_t BottomPx = SceneHeightPx;

const QColor White(255, 255, 255);
const QColor Silver(192, 192, 192);
const QColor Black(0, 0, 0);

// Typed values can put a pilot hole or the drill's levels billions of pixels away.
// Points are worked out in 64 bits and pulled into a range the rasteriser handles;
// every point of a sane scene lies far inside it, so only absurd shapes are bent.
constexpr std::int64_t PointLimitPx = 1 << 20;

QPoint Pt(std::int64_t x, std::int64_t y) {
    return {static_cast<int>(std::clamp(x, -PointLimitPx, PointLimitPx)),
            static_cast<int>(std::clamp(y, -PointLimitPx, PointLimitPx))};
}

// A rectangle covers the columns x1..x2-1 and rows y1..y2-1, filled with the brush and
// bordered by the pen on its outermost pixels. Being axis-aligned, it can be cut to the
// surface exactly before painting, which keeps huge corners harmless.
void PaintRectangle(QPainter& painter, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                    std::int64_t y2, const QColor& brush, const QColor& pen) {
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    if (y2 < y1) {
        std::swap(y1, y2);
    }
    if (x1 == x2 || y1 == y2) {
        return;
    }
    const auto cutX = [](std::int64_t x) {
        return std::clamp<std::int64_t>(x, -1, SceneWidthPx + 1);
    };
    const auto cutY = [](std::int64_t y) {
        return std::clamp<std::int64_t>(y, -1, SceneHeightPx + 1);
    };
    const auto area = [&](std::int64_t left, std::int64_t top, std::int64_t right,
                          std::int64_t bottom) {
        const std::int64_t l = cutX(left);
        const std::int64_t t = cutY(top);
        const std::int64_t r = cutX(right);
        const std::int64_t b = cutY(bottom);
        return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                     static_cast<int>(b - t));
    };
    painter.fillRect(area(x1, y1, x2, y2), brush);
    painter.fillRect(area(x1, y1, x2, y1 + 1), pen);
    painter.fillRect(area(x1, y2 - 1, x2, y2), pen);
    painter.fillRect(area(x1, y1, x1 + 1, y2), pen);
    painter.fillRect(area(x2 - 1, y1, x2, y2), pen);
}

// Floor of a / b for b > 0, and the nearest whole number to a / b with halves rounded up.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t RoundDiv(std::int64_t a, std::int64_t b) {
    return FloorDiv(2 * a + b, 2 * b);
}

// The pixels of a line as the scene needs them: the start pixel is painted and the line
// stops one pixel short of its end, whichever way it runs (the painter's own lines leave
// out the right or lower end instead). One pixel per step along the longer axis; only the
// steps that fall on the surface are visited, so far-off points cost nothing.
void AppendLinePixels(std::vector<QPoint>& pixels, QPoint from, QPoint to) {
    const std::int64_t dx = std::int64_t{to.x()} - from.x();
    const std::int64_t dy = std::int64_t{to.y()} - from.y();
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t steps = alongX ? std::abs(dx) : std::abs(dy);
    if (steps == 0) {
        return;
    }
    const std::int64_t majorStart = alongX ? from.x() : from.y();
    const std::int64_t majorSign = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t majorLimit = (alongX ? SceneWidthPx : SceneHeightPx) - 1;
    const std::int64_t minorStart = alongX ? from.y() : from.x();
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t minorLimit = (alongX ? SceneHeightPx : SceneWidthPx) - 1;
    // Steps i with majorStart + majorSign * i inside 0..majorLimit.
    std::int64_t first = majorSign > 0 ? -majorStart : majorStart - majorLimit;
    std::int64_t last = majorSign > 0 ? majorLimit - majorStart : majorStart;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, steps - 1);
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = majorStart + majorSign * i;
        const std::int64_t minor = minorStart + RoundDiv(i * minorDelta, steps);
        if (minor < 0 || minor > minorLimit) {
            continue;
        }
        pixels.push_back(alongX ? QPoint(static_cast<int>(major), static_cast<int>(minor))
                                : QPoint(static_cast<int>(minor), static_cast<int>(major)));
    }
}

// The painter paints the surface image straight into its memory, so single pixels can be
// set there between its calls, at a hundredth of the cost of a painted point each.
void PaintPixels(QPainter& painter, const std::vector<QPoint>& pixels, const QColor& colour) {
    auto& surface = *static_cast<QImage*>(painter.device());
    uchar* const bits = surface.bits();
    const qsizetype bytesPerLine = surface.bytesPerLine();
    const QRect inside = painter.hasClipping()
                             ? surface.rect().intersected(painter.clipBoundingRect().toRect())
                             : surface.rect();
    const QRgb rgb = colour.rgb();
    for (const QPoint& pixel : pixels) {
        if (inside.contains(pixel)) {
            reinterpret_cast<QRgb*>(bits + pixel.y() * bytesPerLine)[pixel.x()] = rgb;
        }
    }
}

// The left shape's points are given as (offset from the axis, y); the right shape is
// its mirror image about the axis.
struct SidePoint {
    std::int64_t OffsetPx;
    std::int64_t YPx;
};

template <std::size_t N>
std::array<QPoint, N> Side(const std::array<SidePoint, N>& points, int sign) {
    std::array<QPoint, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        result[i] = Pt(AxisXPx + sign * points[i].OffsetPx, points[i].YPx);
    }
    return result;
}

// Filled by the painter; the closed outline through every point is the scene's own
// line, so that a polygon without area still shows as its outline.
template <std::size_t N>
void PaintPolygons(QPainter& painter, const std::array<SidePoint, N>& points,
                   const QColor& colour) {
    std::vector<QPoint> outline;
    for (int sign : {-1, 1}) {
        const std::array<QPoint, N> side = Side(points, sign);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(side.data(), static_cast<int>(N));
        outline.clear();
        for (std::size_t i = 0; i < N; ++i) {
            AppendLinePixels(outline, side[i], side[(i + 1) % N]);
        }
        PaintPixels(painter, outline, colour);
    }
}

template <std::size_t N>
void PaintPolylines(QPainter& painter, const std::array<SidePoint, N>& points,
                    const QColor& colour) {
    std::vector<QPoint> pixels;
    for (int sign : {-1, 1}) {
        const std::array<QPoint, N> side = Side(points, sign);
        for (std::size_t i = 0; i + 1 < N; ++i) {
            AppendLinePixels(pixels, side[i], side[i + 1]);
        }
    }
    PaintPixels(painter, pixels, colour);
}

// The frame is copied as it stands, without transparency; one that lies wholly off the
// surface is skipped, which also keeps huge offsets out of the painter.
void PaintFrame(QPainter& painter, const QImage& frame, std::int64_t left, std::int64_t top) {
    if (frame.isNull() || left >= SceneWidthPx || top >= SceneHeightPx ||
        left + frame.width() <= 0 || top + frame.height() <= 0) {
        return;
    }
    painter.drawImage(QPoint(static_cast<int>(left), static_cast<int>(top)), OpaqueImage(frame));
}

// The material still standing beside the drill's point, then the outline of the hole
// cut so far; in the enlarging shape the cone ends at the pilot hole's wall.
void PaintCut(QPainter& painter, const SimulationState& state) {
    const std::int64_t h = state.DrillHalfWidthPx;
    const std::int64_t w = state.CutHalfWidthPx;
    const std::int64_t k = state.ChiselHalfWidthPx;
    const std::int64_t p = state.PilotHoleSize;
    const std::int64_t ys = state.ShoulderYPx;
    const std::int64_t yt = state.TipYPx;
    const std::int64_t yp = state.PilotEdgeYPx;
    if (!state.ReamingEngaged) {
        PaintPolygons<4>(painter, {{{h, ys}, {w, ys}, {k, yt}, {h, yt}}}, Silver);
        PaintPolylines<5>(painter, {{{h, SurfaceYPx}, {h, ys}, {w, ys}, {k, yt}, {0, yt}}}, Black);
    } else {
        PaintPolygons<5>(painter, {{{h, ys}, {w, ys}, {p, yp}, {p, yt}, {h, yt}}}, Silver);
        PaintPolylines<5>(painter, {{{h, SurfaceYPx}, {h, ys}, {w, ys}, {p, yp}, {p, yt + 1}}},
                          Black);
    }
}

// The dotted axis in the platform's dot pattern for a one-pixel pen, three pixels on and
// three off from the top row; the gaps are painted too, in the brush colour (silver). The
// line stops one pixel short of its end, like every line here.
void PaintAxis(QPainter& painter) {
    static const auto [dots, gaps] = [] {
        std::vector<QPoint> on, off;
        for (int y = 0; y < BottomPx; ++y) {
            (y % (2 * AxisDotLengthPx) < AxisDotLengthPx ? on : off)
                .push_back(QPoint(static_cast<int>(AxisXPx), y));
        }
        return std::pair(on, off);
    }();
    PaintPixels(painter, gaps, Silver);
    PaintPixels(painter, dots, Black);
}

} // namespace

// The cross-section is painted in a fixed order: background, block, pilot hole, drill
// picture, the material still standing beside the drill's point, the outline of the hole
// cut so far, and the axis over everything. Pens are one pixel wide, without
// antialiasing; lines and polylines leave out their last point.
// The frame is loaded before anything is drawn over the block, so a frame that cannot be
// read leaves background, block and pilot hole on the surface and FrameBitmap as it was.
void DrawScene(const SimulationState& state, QImage& surface, FramePictures& frames,
               const QRect& within) {
    QPainter painter;
    if (surface.size() != QSize(SceneWidthPx, SceneHeightPx) ||
        surface.format() != QImage::Format_RGB32) {
        surface = QImage(SceneWidthPx, SceneHeightPx, QImage::Format_RGB32);
        painter.begin(&surface);
    } else {
        painter.begin(&surface);
        if (!within.isNull()) {
            painter.setClipRect(within);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    const std::int64_t p = state.PilotHoleSize;
    PaintRectangle(painter, 0, 0, BackgroundRightPx, BottomPx, White, Silver);
    PaintRectangle(painter, BlockLeftPx, SurfaceYPx, BlockRightPx, BottomPx, Silver, Black);
    if (state.Operation == MachiningOperation::Enlarging) {
        PaintRectangle(painter, AxisXPx - p, SurfaceYPx, p + AxisXPx + 1, BottomPx, White, Black);
    }

    const QString frameName = FrameFileName(state.DrillSize, state.FrameCounter);
    if (!frameName.isEmpty()) {
        frames.Load(frameName);
    }
    PaintFrame(painter, frames.FrameBitmap(), AxisXPx - state.DrillHalfWidthPx,
               RoundToInt32(state.DrillTopY));
    PaintCut(painter, state);
    PaintAxis(painter);
}

QRect SceneColumnsInUse(const SimulationState& state, const QImage& frameBitmap) {
    const std::int64_t h = state.DrillHalfWidthPx;
    std::int64_t left = 0;
    for (std::int64_t offset :
         {h, std::int64_t{state.CutHalfWidthPx}, std::int64_t{state.ChiselHalfWidthPx},
          std::int64_t{state.PilotHoleSize}}) {
        left = std::max(left, std::abs(offset));
    }
    // The picture hangs from the drill's left edge.
    const std::int64_t right = std::max(left, frameBitmap.width() - h - 1);
    const std::int64_t from = std::clamp<std::int64_t>(AxisXPx - left, 0, SceneWidthPx);
    const std::int64_t to = std::clamp<std::int64_t>(AxisXPx + right + 1, 0, SceneWidthPx);
    return QRect(static_cast<int>(from), 0, static_cast<int>(to - from), SceneHeightPx);
}
