// Writes the 42 drill frame pictures into the directory given as the only argument:
// for each of the seven drill sizes six views of a right-hand twist drill from the side,
// a sixth of a turn apart. Shown in the order 6, 5, 4, 3, 2, 1 they turn the drill
// clockwise seen from above, the way it cuts, so its flutes seem to climb.
#include "FrameFile.h"
#include "MachiningInputs.h"
#include "SceneGeometry.h"

#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// The point on the last row, where the scene expects it.
constexpr int TipRowPx = PointBelowTopPx;
constexpr int FrameHeightPx = TipRowPx + 1;
// Rows at the top without flutes: the shank.
constexpr double ShankRowsPx = 110.0;
constexpr double HelixAngleRad = 30.0 * std::numbers::pi / 180.0;
// Angular half width of each flute at the rim, and the web that joins both lands.
constexpr double FluteHalfAngleRad = 0.30 * std::numbers::pi;
constexpr double WebFraction = 0.28;
// Leading margin of each land, running at the full diameter; the rest of the land is
// relieved a little.
constexpr double MarginAngleRad = 0.10;
constexpr double BodyReliefFraction = 0.94;
constexpr int Supersampling = 3;
constexpr double DepthStepPx = 0.2;

struct Vec3 {
    double X, Y, Z;
};

Vec3 Normalised(Vec3 v) {
    const double length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    return {v.X / length, v.Y / length, v.Z / length};
}

double Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

// Angle folded into [-pi/2, pi/2): the two flutes are half a turn apart.
double FoldedToHalfTurn(double angle) {
    const double halfTurn = std::numbers::pi;
    double folded = std::fmod(angle + halfTurn / 2, halfTurn);
    if (folded < 0) {
        folded += halfTurn;
    }
    return folded - halfTurn / 2;
}

// The drill in its own frame: x to the right, y away from the viewer, z up from the tip,
// a right-handed set. A right-hand flute climbs counterclockwise seen from above, so its
// azimuth grows with z; turning the drill clockwise seen from above lowers every azimuth.
struct Drill {
    double RadiusPx;
    double PitchPx;
    double PhaseRad;

    double OuterRadiusAt(double z) const { return std::min(RadiusPx, z * PointSlopePxPerPx + 0.5); }

    // Whether (x, y, z) is steel; `fromFluteRad` tells on which side of the nearest flute
    // the point lies (positive: the side the drill turns away from, where the margin is).
    bool IsSolid(double x, double y, double z, double& fromFluteRad) const {
        const double r = std::hypot(x, y);
        const double outer = OuterRadiusAt(z);
        fromFluteRad = 0.0;
        if (r > outer) {
            return false;
        }
        if (z >= FrameHeightPx - ShankRowsPx || r <= WebFraction * RadiusPx) {
            return true;
        }
        const double azimuth = std::atan2(y, x);
        const double fluteCentre = PhaseRad + 2 * std::numbers::pi * z / PitchPx;
        fromFluteRad = FoldedToHalfTurn(azimuth - fluteCentre);
        // Flutes run out towards the shank.
        const double runOut =
            std::clamp((FrameHeightPx - ShankRowsPx - z) / (0.5 * RadiusPx + 4), 0.0, 1.0);
        const double halfAngle = FluteHalfAngleRad * runOut * (0.75 + 0.25 * r / RadiusPx);
        const double past = std::abs(fromFluteRad) - halfAngle;
        if (past < 0) {
            return false;
        }
        const bool margin = fromFluteRad > 0 && past < MarginAngleRad;
        return margin || r <= outer * BodyReliefFraction;
    }
};

// Light from the upper left, in front of the drill.
const Vec3 LightDirection = Normalised({-0.55, -0.65, 0.5});

// Brightness 0..1 of the drill seen along the ray at (x, z), or -1 where the ray
// misses it.
double Shade(const Drill& drill, double x, double z) {
    const double outer = drill.OuterRadiusAt(z);
    if (std::abs(x) > outer) {
        return -1.0;
    }
    const bool onPoint = z * PointSlopePxPerPx + 0.5 < drill.RadiusPx;
    // March from the viewer into the drill and shade the first steel found.
    const double depth = std::sqrt(std::max(0.0, outer * outer - x * x));
    for (double y = -depth; y <= depth; y += DepthStepPx) {
        double fromFluteRad = 0.0;
        if (!drill.IsSolid(x, y, z, fromFluteRad)) {
            continue;
        }
        const double r = std::max(std::hypot(x, y), 1e-6);
        const double azimuth = std::atan2(y, x);
        Vec3 normal{x / r, y / r, 0.0};
        double base = 0.55;
        const bool insideGroove = y > -depth + DepthStepPx;
        const bool onWeb = r <= WebFraction * drill.RadiusPx + 0.5;
        if (insideGroove && !onWeb && r < outer * BodyReliefFraction - 0.5) {
            // A wall of the flute, facing along the turn towards the open flute.
            const double sign = fromFluteRad > 0 ? -1.0 : 1.0;
            normal = {-sign * std::sin(azimuth), sign * std::cos(azimuth), 0.0};
            base = 0.35;
        } else if (insideGroove) {
            base = onWeb ? 0.25 : 0.45;
        }
        if (onPoint) {
            // The point's cone leans outwards and downwards.
            normal = Normalised({normal.X, normal.Y, -0.8});
        }
        const double diffuse = std::max(0.0, Dot(normal, LightDirection));
        const double highlight = std::pow(std::max(0.0, Dot(normal, LightDirection)), 16.0);
        return std::clamp(base * 0.6 + 0.6 * diffuse * (base + 0.3) + 0.35 * highlight, 0.0, 1.0);
    }
    // Looking through a flute at its far side: in shadow.
    return 0.2;
}

QImage RenderFrame(int halfWidthPx, int frameNumber) {
    const int widthPx = 2 * halfWidthPx + 1;
    // Clockwise seen from above is falling azimuth; frame 6 is shown first.
    const double turnedRad = 2 * std::numbers::pi * (FrameCount - frameNumber) / FrameCount;
    const double radiusPx = halfWidthPx + 0.5;
    const Drill drill{radiusPx, 2 * std::numbers::pi * radiusPx / std::tan(HelixAngleRad),
                      -std::numbers::pi / 2 - turnedRad};
    QImage picture(widthPx, FrameHeightPx, QImage::Format_RGB32);
    for (int row = 0; row < FrameHeightPx; ++row) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        for (int column = 0; column < widthPx; ++column) {
            double sum = 0.0;
            int covered = 0;
            for (int sy = 0; sy < Supersampling; ++sy) {
                for (int sx = 0; sx < Supersampling; ++sx) {
                    const double x = column - halfWidthPx + (sx + 0.5) / Supersampling - 0.5;
                    const double z = TipRowPx - row + 0.5 - (sy + 0.5) / Supersampling;
                    const double shade = Shade(drill, x, std::max(z, 0.0));
                    if (shade >= 0) {
                        sum += shade;
                        ++covered;
                    }
                }
            }
            const int samples = Supersampling * Supersampling;
            // Steel blue-grey, blended with the white background at the silhouette.
            const double mean = covered > 0 ? sum / covered : 1.0;
            const double coverage = static_cast<double>(covered) / samples;
            const auto channel = [&](double tint) {
                const double steel = std::clamp(mean * tint * 255.0, 0.0, 255.0);
                return static_cast<int>(std::lround(coverage * steel + (1 - coverage) * 255.0));
            };
            line[column] = qRgb(channel(0.92), channel(0.96), channel(1.0));
        }
    }
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: frame_generator <output directory>\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    for (int size = 1; size <= DrillSizeCount; ++size) {
        const int halfWidthPx = DrillSizeTable[static_cast<std::size_t>(size - 1)].HalfWidthPx;
        for (int counter = 0; counter < FrameCount; ++counter) {
            const QString name = FrameFileName(size, counter);
            const QImage picture = RenderFrame(halfWidthPx, FrameCount - counter);
            if (!picture.save(directory.filePath(name), "BMP")) {
                std::fprintf(stderr, "frame_generator: cannot write %s\n",
                             qPrintable(directory.filePath(name)));
                return 1;
            }
        }
    }
    return 0;
}
