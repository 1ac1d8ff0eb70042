#include "DrawScene.h"

#include "FrameFile.h"
#include "MachiningInputs.h"
#include "Materials.h"
#include "ProcessTick.h"
#include "ProgramError.h"
#include "RecordingViews.h"
#include "SceneTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

struct PixelCase {
    int X;
    int Y;
    QRgb Colour;
};

void ExpectPixels(const QImage& surface, const std::vector<PixelCase>& cases,
                  const std::string& scene) {
    for (const PixelCase& c : cases) {
        const QRgb actual = surface.pixel(c.X, c.Y);
        EXPECT_EQ(actual, c.Colour) << scene << ": (" << c.X << ", " << c.Y << ") is "
                                    << ColourName(actual) << ", expected " << ColourName(c.Colour);
    }
}

// Short names for the tables of pixels; D is the drill's picture.
constexpr QRgb B = BlackRgb, S = SilverRgb, W = WhiteRgb, D = BlueRgb;

SimulationState StartState() {
    SimulationState state;
    Initialise(state);
    return state;
}

// The dotted axis: three rows black, three silver, from the top row.
QRgb AxisColour(int y) {
    return y % 6 < 3 ? BlackRgb : SilverRgb;
}

class DrawSceneTest : public ::testing::Test {
  protected:
    ScopedWorkingDirectory directory_;
    QImage surface_;
    FramePictures frames_;
};

// The scene's fields that the cases set; the rest are the start values.
struct SceneCase {
    const char* What;
    int FrameCounter;
    MachiningOperation Operation;
    bool ReamingEngaged;
    int PilotHoleSize;
    double DrillTopY;
    int TipYPx, ShoulderYPx, PilotEdgeYPx, CutHalfWidthPx, DrillHalfWidthPx;
    std::vector<PixelCase> Pixels;
};

// The pixels of row y from x1 to x2, or of column x from y1 to y2, in one colour.
std::vector<PixelCase> Row(int y, int x1, int x2, QRgb colour) {
    std::vector<PixelCase> pixels;
    for (int x = x1; x <= x2; ++x) {
        pixels.push_back({x, y, colour});
    }
    return pixels;
}

// The whole dotted axis.
std::vector<PixelCase> Axis() {
    std::vector<PixelCase> pixels;
    for (int y = 0; y < 353; ++y) {
        pixels.push_back({185, y, AxisColour(y)});
    }
    return pixels;
}

std::vector<PixelCase> Joined(std::vector<PixelCase> pixels,
                              std::initializer_list<std::vector<PixelCase>> more) {
    for (const auto& part : more) {
        pixels.insert(pixels.end(), part.begin(), part.end());
    }
    return pixels;
}

TEST_F(DrawSceneTest, ScenesPixelByPixel) {
    // clang-format off
    const SceneCase cases[] = {
        // The frame's rows 300..369 at (163, -300): columns 163..207, rows 0..69. A silver
        // border on the top row, the left column and the bottom row, none on the right.
        // The block: columns 120..249 from the surface down, black border. No pilot hole.
        {"start-up", 0, MachiningOperation::Drilling, 0, 0, -300.0, 74, 74, 0, 0, 22, Joined({
            {163, 0, D}, {207, 0, D}, {163, 69, D}, {207, 69, D}, {162, 30, W}, {208, 30, W},
            {170, 70, W}, {200, 73, W},
            {0, 0, S}, {100, 0, S}, {368, 0, S}, {0, 200, S}, {0, 352, S}, {60, 352, S},
            {368, 352, S}, {368, 200, W}, {1, 1, W}, {367, 351, W},
            {119, 200, W}, {120, 200, B}, {121, 200, S}, {248, 200, S}, {249, 200, B},
            {250, 200, W}, {150, 73, W}, {150, 75, S}, {150, 352, B}, {120, 352, B},
            {249, 352, B}, {250, 352, S},
            {175, 200, S}, {195, 200, S}}, {Row(74, 120, 249, B), Axis()})},
        // Outline (163,74) (163,100) (183,113) up to the axis, mirrored on the right; the
        // material beside the point silver over the frame; the drill inside the cone and
        // above the shoulder; the block beside the hole and below the picture.
        {"drilling", 3, MachiningOperation::Drilling, 0, 0, -256.2, 113, 100, 0, 22, 22, {
            {163, 74, B}, {163, 87, B}, {163, 100, B}, {183, 113, B}, {184, 113, B},
            {207, 74, B}, {207, 87, B}, {207, 100, B}, {187, 113, B}, {186, 113, B},
            {165, 112, S}, {170, 113, S}, {205, 112, S}, {200, 113, S}, {164, 102, S},
            {180, 108, D}, {190, 108, D}, {164, 99, D}, {206, 90, D}, {170, 60, D},
            {162, 90, S}, {208, 90, S}, {180, 114, S}, {162, 74, B}, {208, 74, B}}},
        // Outline (163,74) (176,74) (183,79): the silver polygons on the surface line are
        // painted black again; material between the frame edge and the cone.
        {"point entering", 0, MachiningOperation::Drilling, 0, 0, -290.0, 79, 74, 0, 9, 22, {
            {163, 74, B}, {170, 74, B}, {176, 74, B}, {183, 79, B}, {194, 74, B},
            {207, 74, B}, {187, 79, B},
            {165, 78, S}, {205, 78, S}, {170, 79, S}, {180, 76, D}, {190, 76, D}, {180, 74, D}}},
        // Outline (163,74) (163,100) (175,107) (175,114), mirrored; the material between the
        // frame edge, the cone and the pilot wall; the pilot hole below the drill, white with
        // black walls.
        {"enlarging", 0, MachiningOperation::Enlarging, 1, 10, -256.0, 113, 100, 107, 22, 22, {
            {163, 74, B}, {163, 100, B}, {175, 107, B}, {175, 110, B}, {175, 113, B},
            {207, 74, B}, {207, 100, B}, {195, 107, B}, {195, 113, B},
            {165, 112, S}, {170, 113, S}, {174, 110, S}, {196, 110, S}, {205, 112, S},
            {180, 110, D}, {190, 112, D},
            {175, 200, B}, {176, 200, W}, {194, 200, W}, {195, 200, B}, {174, 200, S},
            {196, 200, S}, {180, 114, W}, {175, 352, B}, {180, 351, W}}},
        // The pilot hole follows Operation, the outline ReamingEngaged; after enlarging the
        // outline's last point (175, 114) is left out.
        {"enlarging before the first tick", 0, MachiningOperation::Enlarging, 0, 10, -256.0, 113, 100, 107,
            22, 22, {{176, 200, W}, {175, 200, B}, {183, 113, B}, {175, 107, D}}},
        {"drilling after enlarging", 0, MachiningOperation::Drilling, 1, 10, -256.0, 113, 100, 107, 22, 22, {
            {176, 200, S}, {175, 200, S}, {175, 107, B}, {175, 113, B}, {175, 114, S},
            {195, 113, B}, {195, 114, S}, {183, 113, D}}},
        // A drill as wide as the surface: its walls run down the first and the last column.
        {"walls on the edge columns", 0, MachiningOperation::Drilling, 0, 0, -300.0, 200, 200, 0, 183, 183, {
            {2, 150, B}, {368, 150, B}, {368, 73, W}, {368, 201, W}}},
    };
    // clang-format on
    for (const SceneCase& c : cases) {
        WriteSolidFrame(QStringLiteral("20_%1.BMP").arg(6 - c.FrameCounter), 22, BlueRgb);
        SimulationState state = StartState();
        state.FrameCounter = c.FrameCounter;
        state.Operation = c.Operation;
        state.ReamingEngaged = c.ReamingEngaged;
        state.PilotHoleSize = c.PilotHoleSize;
        state.DrillTopY = c.DrillTopY;
        state.TipYPx = c.TipYPx;
        state.ShoulderYPx = c.ShoulderYPx;
        state.PilotEdgeYPx = c.PilotEdgeYPx;
        state.CutHalfWidthPx = c.CutHalfWidthPx;
        state.DrillHalfWidthPx = c.DrillHalfWidthPx;
        surface_ = QImage(10, 10, QImage::Format_RGB32);
        DrawScene(state, surface_, frames_);
        ASSERT_EQ(surface_.size(), QSize(369, 353)) << c.What;
        EXPECT_EQ(frames_.FrameBitmap().size(), QSize(45, 370)) << c.What;
        ExpectPixels(surface_, c.Pixels, c.What);
    }
}

// Beside the pilot hole: the block's silver, its black side border, or the background.
QRgb OutsidePilotHole(int x) {
    if (x == 120 || x == 249) {
        return BlackRgb;
    }
    return x > 120 && x < 249 ? SilverRgb : WhiteRgb;
}

TEST_F(DrawSceneTest, PilotHoleWalls) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    const struct {
        int PilotHoleSize, LeftWallX, RightWallX;
    } cases[] = {{10, 175, 195}, {0, 185, 185},  {1, 184, 186},
                 {64, 121, 249}, {65, 120, 250}, {70, 115, 255}};
    for (const auto& c : cases) {
        SimulationState state = StartState();
        state.Operation = MachiningOperation::Enlarging;
        state.PilotHoleSize = c.PilotHoleSize;
        DrawScene(state, surface_, frames_);
        const std::string scene = "pilot hole " + std::to_string(c.PilotHoleSize);
        // Column 185 carries the axis; the walls are checked on rows the axis leaves silver.
        for (int y : {76, 200}) {
            std::vector<PixelCase> pixels = {
                {c.LeftWallX - 1, y, OutsidePilotHole(c.LeftWallX - 1)},
                {c.RightWallX + 1, y, OutsidePilotHole(c.RightWallX + 1)}};
            if (c.LeftWallX != 185) {
                pixels.push_back({c.LeftWallX, y, BlackRgb});
                pixels.push_back({c.RightWallX, y, BlackRgb});
            }
            if (c.RightWallX - c.LeftWallX > 2) {
                pixels.push_back({c.LeftWallX + 1, y, WhiteRgb});
                pixels.push_back({c.RightWallX - 1, y, WhiteRgb});
            }
            ExpectPixels(surface_, pixels, scene);
        }
        // Top and bottom of the hole are black borders too.
        if (c.RightWallX - c.LeftWallX > 2) {
            ExpectPixels(surface_,
                         {{c.LeftWallX + 1, 74, BlackRgb},
                          {c.LeftWallX + 1, 351, WhiteRgb},
                          {c.LeftWallX + 1, 352, BlackRgb}},
                         scene);
        }
    }
}

TEST_F(DrawSceneTest, FramePlacedAtRoundedTopTiesToEven) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    const struct {
        double DrillTopY;
        int LastBlueRow;
    } cases[] = {{-300.0, 69}, {-299.5, 69}, {-299.4, 70},
                 {-298.5, 71}, {-298.6, 70}, {-1000.0, -1}};
    for (const auto& c : cases) {
        SimulationState state = StartState();
        state.DrillTopY = c.DrillTopY;
        DrawScene(state, surface_, frames_);
        if (c.LastBlueRow >= 0) {
            EXPECT_EQ(surface_.pixel(170, c.LastBlueRow), BlueRgb) << c.DrillTopY;
        }
        EXPECT_EQ(surface_.pixel(170, c.LastBlueRow + 1),
                  c.LastBlueRow + 1 == 0 ? SilverRgb : WhiteRgb)
            << c.DrillTopY;
    }
}

TEST_F(DrawSceneTest, CounterPicksFrameNumberAndSizePicksPrefix) {
    const QRgb colours[] = {0xff010101, 0xff020202, 0xff030303, 0xff040404, 0xff050505, 0xff060606};
    for (int frame = 1; frame <= 6; ++frame) {
        WriteSolidFrame(QStringLiteral("50_%1.BMP").arg(frame), 36, colours[frame - 1]);
    }
    SimulationState state = StartState();
    state.DrillSize = 7;
    state.DrillHalfWidthPx = 36;
    for (int counter : {0, 1, 2, 3, 4, 5, 0}) {
        state.FrameCounter = counter;
        DrawScene(state, surface_, frames_);
        EXPECT_EQ(surface_.pixel(149, 10), colours[6 - counter - 1]) << "counter " << counter;
        EXPECT_EQ(surface_.pixel(221, 10), colours[6 - counter - 1]) << "counter " << counter;
        EXPECT_EQ(surface_.pixel(148, 10), WhiteRgb);
        EXPECT_EQ(surface_.pixel(222, 10), WhiteRgb);
    }
}

TEST_F(DrawSceneTest, SizeOrCounterOutOfRangeRedrawsLastFrameAtLastHalfWidth) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    DrawScene(state, surface_, frames_);
    // No file is read any more: removing it changes nothing.
    ASSERT_TRUE(QFile::remove("20_6.BMP"));
    for (auto [size, counter] : {std::pair{9, 0}, {0, 0}, {-3, 0}, {4, 6}, {4, -1}}) {
        state.DrillSize = size;
        state.FrameCounter = counter;
        surface_.fill(Qt::red);
        DrawScene(state, surface_, frames_);
        ExpectPixels(surface_,
                     {{163, 10, D}, {207, 69, D}, {162, 10, W}, {208, 10, W}, {170, 70, W}},
                     "size " + std::to_string(size) + " counter " + std::to_string(counter));
    }
}

TEST_F(DrawSceneTest, BrokenFrameLeavesPartialSceneAndKeepsLastFrame) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.Operation = MachiningOperation::Enlarging;
    state.PilotHoleSize = 10;
    DrawScene(state, surface_, frames_);
    const QImage lastFrame = frames_.FrameBitmap();

    const struct {
        const char* What;
        QByteArray Content; // written as 20_6.BMP unless Write is false
        bool Write;
        const char* Message;
    } cases[] = {
        {"missing", {}, false, "Cannot open file 20_6.BMP"},
        {"not a bitmap", QByteArray("GIF89a and more bytes"), true, "Bitmap image is not valid"},
        {"short", QByteArray("BM12345"), true, "Stream read error"}};
    for (const auto& c : cases) {
        QFile::remove("20_6.BMP");
        if (c.Write) {
            WriteFile("20_6.BMP", c.Content);
        }
        surface_.fill(Qt::red);
        ExpectProgramError([&] { DrawScene(state, surface_, frames_); }, c.Message, c.What);
        EXPECT_EQ(frames_.FrameBitmap(), lastFrame) << c.What;
        // Background, block and pilot hole only: no drill, no outline, no axis.
        // clang-format off
        ExpectPixels(surface_, {
            {0, 0, S}, {185, 0, S}, {185, 3, W}, {170, 30, W}, {368, 100, W}, {120, 200, B},
            {150, 200, S}, {175, 200, B}, {185, 200, W}, {195, 200, B}, {185, 99, W},
            {185, 74, B}}, c.What);
        // clang-format on
    }
}

TEST_F(DrawSceneTest, EmptyFrameFileDrawsCompleteSceneWithoutDrill) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    DrawScene(state, surface_, frames_);
    WriteFile("20_6.BMP", QByteArray());
    state.DrillTopY = -256.0;
    state.TipYPx = 113;
    state.ShoulderYPx = 100;
    state.CutHalfWidthPx = 22;
    DrawScene(state, surface_, frames_);
    EXPECT_TRUE(frames_.FrameBitmap().isNull());
    // clang-format off
    ExpectPixels(surface_, {
        {170, 30, W}, {164, 90, S}, {180, 108, S}, {163, 90, B}, {183, 113, B}, {165, 112, S},
        {185, 0, B}, {185, 3, S}}, "empty frame");
    // clang-format on
}

TEST_F(DrawSceneTest, AbsurdValuesPaintWithoutOverflow) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    for (int engaged : {0, 1}) {
        for (std::int32_t big : {Max, Min}) {
            SimulationState state = StartState();
            state.Operation = MachiningOperation::Enlarging;
            state.ReamingEngaged = engaged;
            state.PilotHoleSize = big;
            state.DrillHalfWidthPx = big;
            state.ChiselHalfWidthPx = big;
            state.CutHalfWidthPx = big;
            state.TipYPx = big;
            state.ShoulderYPx = big;
            state.PilotEdgeYPx = big;
            state.DrillTopY = big == Max ? 1e300 : -1e300;
            DrawScene(state, surface_, frames_);
            // The dotted axis is still painted last.
            EXPECT_EQ(surface_.pixel(185, 300), AxisColour(300));
        }
    }
    // A pilot hole from the biggest typed value covers the whole block.
    SimulationState state = StartState();
    state.Operation = MachiningOperation::Enlarging;
    state.PilotHoleSize = Max;
    DrawScene(state, surface_, frames_);
    ExpectPixels(surface_, {{0, 200, W}, {120, 200, W}, {368, 200, W}, {200, 74, B}},
                 "largest pilot hole");
}

// A redraw that paints only the columns the old and the new scene use, over the old
// picture, gives the new scene whole: beyond those columns nothing differs.
TEST_F(DrawSceneTest, PaintingTheColumnsInUseGivesTheWholeScene) {
    for (int size = 1; size <= 7; ++size) {
        for (int frame = 1; frame <= 6; ++frame) {
            WriteSolidFrame(FrameFileName(size, 6 - frame),
                            DrillSizeTable[static_cast<std::size_t>(size - 1)].HalfWidthPx,
                            frame % 2 == 0 ? BlueRgb : BlackRgb);
        }
    }
    // A hole 130 mm deep, drilled with material 1 and 1 to the 40th tick.
    SimulationState drilling = StartState();
    ApplyHoleDepth(drilling, 130);
    ToolMaterialPicked(drilling, 0);
    WorkMaterialPicked(drilling, 0);
    ASSERT_FALSE(PrepareProcessStart(drilling).has_value());
    RecordingViews views;
    const auto advanced = [&views](SimulationState state, int ticks) {
        for (int i = 0; i < ticks; ++i) {
            AdvanceProcess(state, views);
        }
        return state;
    };
    drilling = advanced(drilling, 40);
    const auto changed = [](SimulationState state, auto change) {
        change(state);
        return state;
    };
    const auto sized = [](int size) {
        return [size](SimulationState& s) {
            ApplyDrillSize(s, size);
            FinishDrillSizeChange(s, 130);
        };
    };
    const auto enlarging = [](int pilot) {
        return [pilot](SimulationState& s) {
            SelectEnlarging(s);
            ApplyPilotHole(s, pilot);
        };
    };
    const struct {
        const char* What;
        SimulationState From, To;
    } cases[] = {
        {"a tick", drilling, advanced(drilling, 1)},
        {"six ticks", drilling, advanced(drilling, 6)},
        {"back to the start", drilling, changed(drilling, ResetToStart)},
        {"the largest drill", drilling, changed(drilling, sized(7))},
        {"from the largest to the smallest", changed(drilling, sized(7)),
         changed(drilling, sized(1))},
        {"enlarging", drilling, changed(drilling, enlarging(12))},
        {"a pilot hole wider than the drill", changed(drilling, sized(1)),
         changed(changed(drilling, sized(1)), enlarging(30))},
        {"back to drilling", changed(drilling, enlarging(30)), drilling},
    };
    for (const auto& c : cases) {
        QImage whole, old;
        FramePictures wholeFrames, frames;
        DrawScene(c.To, whole, wholeFrames);
        DrawScene(c.From, old, frames);
        const QRect within = SceneColumnsInUse(c.From, frames.FrameBitmap())
                                 .united(SceneColumnsInUse(c.To, wholeFrames.FrameBitmap()));
        DrawScene(c.To, old, frames, within);
        EXPECT_EQ(old, whole) << c.What;
        EXPECT_LT(within.width(), SceneWidthPx / 2) << c.What;
    }
}

} // namespace
