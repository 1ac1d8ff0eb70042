#include "DrawScene.h"

#include "ProgramError.h"
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
    QImage frameBitmap_;
};

TEST_F(DrawSceneTest, StartUpScene) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    surface_ = QImage(10, 10, QImage::Format_RGB32);
    DrawScene(StartState(), surface_, frameBitmap_);
    ASSERT_EQ(surface_.size(), QSize(369, 353));
    EXPECT_EQ(frameBitmap_.size(), QSize(45, 370));
    ExpectPixels(surface_,
                 {
                     // The frame's rows 300..369 at (163, -300): columns 163..207, rows 0..69.
                     {163, 0, BlueRgb},
                     {207, 0, BlueRgb},
                     {163, 69, BlueRgb},
                     {207, 69, BlueRgb},
                     {162, 30, WhiteRgb},
                     {208, 30, WhiteRgb},
                     {170, 70, WhiteRgb},
                     {200, 73, WhiteRgb},
                     // Silver border: top row, left column, bottom row; no right border.
                     {0, 0, SilverRgb},
                     {100, 0, SilverRgb},
                     {368, 0, SilverRgb},
                     {0, 200, SilverRgb},
                     {0, 352, SilverRgb},
                     {60, 352, SilverRgb},
                     {368, 352, SilverRgb},
                     {368, 200, WhiteRgb},
                     {1, 1, WhiteRgb},
                     {367, 351, WhiteRgb},
                     // The block: columns 120..249 from the surface down, black border.
                     {119, 200, WhiteRgb},
                     {120, 200, BlackRgb},
                     {121, 200, SilverRgb},
                     {248, 200, SilverRgb},
                     {249, 200, BlackRgb},
                     {250, 200, WhiteRgb},
                     {150, 73, WhiteRgb},
                     {150, 75, SilverRgb},
                     {150, 352, BlackRgb},
                     {120, 352, BlackRgb},
                     {249, 352, BlackRgb},
                     {250, 352, SilverRgb},
                     // No pilot hole.
                     {175, 200, SilverRgb},
                     {195, 200, SilverRgb},
                 },
                 "start-up");
    for (int x = 120; x <= 249; ++x) {
        EXPECT_EQ(surface_.pixel(x, 74), BlackRgb) << "surface line at " << x;
    }
    for (int y = 0; y < 353; ++y) {
        EXPECT_EQ(surface_.pixel(185, y), AxisColour(y)) << "axis at " << y;
    }
}

TEST_F(DrawSceneTest, DrillingSceneMidRun) {
    WriteSolidFrame("20_3.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.FrameCounter = 3;
    state.DrillTopY = -256.2;
    state.TipYPx = 113;
    state.ShoulderYPx = 100;
    state.CutHalfWidthPx = 22;
    DrawScene(state, surface_, frameBitmap_);
    ExpectPixels(surface_,
                 {
                     // Outline corners, left: (163,74) (163,100) (183,113) up to (185,113).
                     {163, 74, BlackRgb},
                     {163, 87, BlackRgb},
                     {163, 100, BlackRgb},
                     {183, 113, BlackRgb},
                     {184, 113, BlackRgb},
                     // and right: (207,74) (207,100) (187,113) up to (185,113).
                     {207, 74, BlackRgb},
                     {207, 87, BlackRgb},
                     {207, 100, BlackRgb},
                     {187, 113, BlackRgb},
                     {186, 113, BlackRgb},
                     // Standing material beside the point is silver over the frame.
                     {165, 112, SilverRgb},
                     {170, 113, SilverRgb},
                     {205, 112, SilverRgb},
                     {200, 113, SilverRgb},
                     {164, 102, SilverRgb},
                     // The drill's picture shows inside the cone and above the shoulder.
                     {180, 108, BlueRgb},
                     {190, 108, BlueRgb},
                     {164, 99, BlueRgb},
                     {206, 90, BlueRgb},
                     {170, 60, BlueRgb},
                     // Block beside the hole and below the picture's last row.
                     {162, 90, SilverRgb},
                     {208, 90, SilverRgb},
                     {180, 114, SilverRgb},
                     // Surface line outside the hole.
                     {162, 74, BlackRgb},
                     {208, 74, BlackRgb},
                 },
                 "drilling");
}

TEST_F(DrawSceneTest, PointStillEnteringNarrowsTheCutAtTheShoulder) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.DrillTopY = -290.0;
    state.TipYPx = 79;
    state.ShoulderYPx = 74;
    state.CutHalfWidthPx = 9;
    DrawScene(state, surface_, frameBitmap_);
    ExpectPixels(surface_,
                 {
                     // Outline (163,74) (176,74) (183,79); the surface beside it silver-filled
                     // polygons repainted black.
                     {163, 74, BlackRgb},
                     {170, 74, BlackRgb},
                     {176, 74, BlackRgb},
                     {183, 79, BlackRgb},
                     {194, 74, BlackRgb},
                     {207, 74, BlackRgb},
                     {187, 79, BlackRgb},
                     // Material between the frame edge and the cone.
                     {165, 78, SilverRgb},
                     {205, 78, SilverRgb},
                     {170, 79, SilverRgb},
                     // Inside the cone the drill.
                     {180, 76, BlueRgb},
                     {190, 76, BlueRgb},
                     {180, 74, BlueRgb},
                 },
                 "entering");
}

TEST_F(DrawSceneTest, EnlargingScene) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.Operation = 1;
    state.ReamingEngaged = 1;
    state.PilotHoleSize = 10;
    state.DrillTopY = -256.0;
    state.TipYPx = 113;
    state.ShoulderYPx = 100;
    state.PilotEdgeYPx = 107;
    state.CutHalfWidthPx = 22;
    DrawScene(state, surface_, frameBitmap_);
    ExpectPixels(surface_,
                 {
                     // Outline, left: (163,74) (163,100) (175,107) (175,114).
                     {163, 74, BlackRgb},
                     {163, 100, BlackRgb},
                     {175, 107, BlackRgb},
                     {175, 110, BlackRgb},
                     {175, 113, BlackRgb},
                     // Right: (207,74) (207,100) (195,107) (195,114).
                     {207, 74, BlackRgb},
                     {207, 100, BlackRgb},
                     {195, 107, BlackRgb},
                     {195, 113, BlackRgb},
                     // Standing material: between the frame edge, the cone and the pilot wall.
                     {165, 112, SilverRgb},
                     {170, 113, SilverRgb},
                     {174, 110, SilverRgb},
                     {196, 110, SilverRgb},
                     {205, 112, SilverRgb},
                     // The drill within the pilot hole.
                     {185 - 5, 110, BlueRgb},
                     {190, 112, BlueRgb},
                     // The pilot hole below the drill: white with black walls.
                     {175, 200, BlackRgb},
                     {176, 200, WhiteRgb},
                     {194, 200, WhiteRgb},
                     {195, 200, BlackRgb},
                     {174, 200, SilverRgb},
                     {196, 200, SilverRgb},
                     {180, 114, WhiteRgb},
                     {175, 352, BlackRgb},
                     {180, 351, WhiteRgb},
                 },
                 "enlarging");
}

TEST_F(DrawSceneTest, PilotHoleDependsOnOperationOutlineOnReamingEngaged) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.PilotHoleSize = 10;
    state.DrillTopY = -256.0;
    state.TipYPx = 113;
    state.ShoulderYPx = 100;
    state.PilotEdgeYPx = 107;
    state.CutHalfWidthPx = 22;

    // Enlarging chosen, no tick yet: pilot hole drawn, drilling outline.
    state.Operation = 1;
    state.ReamingEngaged = 0;
    DrawScene(state, surface_, frameBitmap_);
    ExpectPixels(
        surface_,
        {{176, 200, WhiteRgb}, {175, 200, BlackRgb}, {183, 113, BlackRgb}, {175, 107, BlueRgb}},
        "enlarging before the first tick");

    // Back to drilling after an enlarging run: no pilot hole, enlarging outline whose
    // last point (175, 114) is left out.
    state.Operation = 0;
    state.ReamingEngaged = 1;
    DrawScene(state, surface_, frameBitmap_);
    ExpectPixels(surface_,
                 {{176, 200, SilverRgb},
                  {175, 200, SilverRgb},
                  {175, 107, BlackRgb},
                  {175, 113, BlackRgb},
                  {175, 114, SilverRgb},
                  {195, 113, BlackRgb},
                  {195, 114, SilverRgb},
                  {183, 113, BlueRgb}},
                 "drilling after enlarging");

    // Any other value of Operation draws no pilot hole.
    state.Operation = 2;
    DrawScene(state, surface_, frameBitmap_);
    EXPECT_EQ(surface_.pixel(176, 200), SilverRgb);
}

struct PilotCase {
    int PilotHoleSize;
    int LeftWallX;
    int RightWallX;
};

// Beside the pilot hole: the block's silver, its black side border, or the background.
QRgb OutsidePilotHole(int x) {
    if (x == 120 || x == 249) {
        return BlackRgb;
    }
    return x > 120 && x < 249 ? SilverRgb : WhiteRgb;
}

TEST_F(DrawSceneTest, PilotHoleWalls) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    const PilotCase cases[] = {
        {10, 175, 195}, {0, 185, 185},  {1, 184, 186},
        {64, 121, 249}, {65, 120, 250}, {70, 115, 255},
    };
    for (const PilotCase& c : cases) {
        SimulationState state = StartState();
        state.Operation = 1;
        state.PilotHoleSize = c.PilotHoleSize;
        DrawScene(state, surface_, frameBitmap_);
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
        DrawScene(state, surface_, frameBitmap_);
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
        DrawScene(state, surface_, frameBitmap_);
        EXPECT_EQ(surface_.pixel(149, 10), colours[6 - counter - 1]) << "counter " << counter;
        EXPECT_EQ(surface_.pixel(221, 10), colours[6 - counter - 1]) << "counter " << counter;
        EXPECT_EQ(surface_.pixel(148, 10), WhiteRgb);
        EXPECT_EQ(surface_.pixel(222, 10), WhiteRgb);
    }
}

TEST_F(DrawSceneTest, SizeOrCounterOutOfRangeRedrawsLastFrameAtLastHalfWidth) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    DrawScene(state, surface_, frameBitmap_);
    // No file is read any more: removing it changes nothing.
    ASSERT_TRUE(QFile::remove("20_6.BMP"));
    for (auto [size, counter] : {std::pair{9, 0}, {0, 0}, {-3, 0}, {4, 6}, {4, -1}}) {
        state.DrillSize = size;
        state.FrameCounter = counter;
        surface_.fill(Qt::red);
        DrawScene(state, surface_, frameBitmap_);
        ExpectPixels(surface_,
                     {{163, 10, BlueRgb},
                      {207, 69, BlueRgb},
                      {162, 10, WhiteRgb},
                      {208, 10, WhiteRgb},
                      {170, 70, WhiteRgb}},
                     "size " + std::to_string(size) + " counter " + std::to_string(counter));
    }
}

struct BrokenCase {
    const char* What;
    QByteArray Content; // written as 20_6.BMP; "missing" writes nothing
    bool Write;
    const char* Message;
};

TEST_F(DrawSceneTest, BrokenFrameLeavesPartialSceneAndKeepsLastFrame) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    state.Operation = 1;
    state.PilotHoleSize = 10;
    DrawScene(state, surface_, frameBitmap_);
    const QImage lastFrame = frameBitmap_;

    const BrokenCase cases[] = {
        {"missing", {}, false, "Cannot open file 20_6.BMP"},
        {"not a bitmap", QByteArray("GIF89a and more bytes"), true, "Bitmap image is not valid"},
        {"short", QByteArray("BM12345"), true, "Stream read error"},
    };
    for (const BrokenCase& c : cases) {
        QFile::remove("20_6.BMP");
        if (c.Write) {
            QFile file("20_6.BMP");
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.Content);
        }
        surface_.fill(Qt::red);
        try {
            DrawScene(state, surface_, frameBitmap_);
            ADD_FAILURE() << c.What << ": no error";
        } catch (const ProgramError& error) {
            EXPECT_STREQ(error.what(), c.Message) << c.What;
        }
        EXPECT_EQ(frameBitmap_, lastFrame) << c.What;
        // Background, block and pilot hole only: no drill, no outline, no axis.
        ExpectPixels(surface_,
                     {{0, 0, SilverRgb},
                      {185, 0, SilverRgb},
                      {185, 3, WhiteRgb},
                      {170, 30, WhiteRgb},
                      {368, 100, WhiteRgb},
                      {120, 200, BlackRgb},
                      {150, 200, SilverRgb},
                      {175, 200, BlackRgb},
                      {185, 200, WhiteRgb},
                      {195, 200, BlackRgb},
                      {185, 99, WhiteRgb},
                      {185, 74, BlackRgb}},
                     c.What);
    }
}

TEST_F(DrawSceneTest, EmptyFrameFileDrawsCompleteSceneWithoutDrill) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    SimulationState state = StartState();
    DrawScene(state, surface_, frameBitmap_);
    QFile file("20_6.BMP");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    state.DrillTopY = -256.0;
    state.TipYPx = 113;
    state.ShoulderYPx = 100;
    state.CutHalfWidthPx = 22;
    DrawScene(state, surface_, frameBitmap_);
    EXPECT_TRUE(frameBitmap_.isNull());
    ExpectPixels(surface_,
                 {{170, 30, WhiteRgb},
                  {164, 90, SilverRgb},
                  {180, 108, SilverRgb},
                  {163, 90, BlackRgb},
                  {183, 113, BlackRgb},
                  {165, 112, SilverRgb},
                  {185, 0, BlackRgb},
                  {185, 3, SilverRgb}},
                 "empty frame");
}

TEST_F(DrawSceneTest, AbsurdValuesPaintWithoutOverflow) {
    WriteSolidFrame("20_6.BMP", 22, BlueRgb);
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    for (int engaged : {0, 1}) {
        for (std::int32_t big : {Max, Min}) {
            SimulationState state = StartState();
            state.Operation = 1;
            state.ReamingEngaged = engaged;
            state.PilotHoleSize = big;
            state.DrillHalfWidthPx = big;
            state.ChiselHalfWidthPx = big;
            state.CutHalfWidthPx = big;
            state.TipYPx = big;
            state.ShoulderYPx = big;
            state.PilotEdgeYPx = big;
            state.DrillTopY = big == Max ? 1e300 : -1e300;
            DrawScene(state, surface_, frameBitmap_);
            // The dotted axis is still painted last.
            EXPECT_EQ(surface_.pixel(185, 300), AxisColour(300));
        }
    }
    // A pilot hole from the biggest typed value covers the whole block.
    SimulationState state = StartState();
    state.Operation = 1;
    state.PilotHoleSize = Max;
    DrawScene(state, surface_, frameBitmap_);
    EXPECT_EQ(surface_.pixel(0, 200), WhiteRgb);
    EXPECT_EQ(surface_.pixel(120, 200), WhiteRgb);
    EXPECT_EQ(surface_.pixel(368, 200), WhiteRgb);
    EXPECT_EQ(surface_.pixel(200, 74), BlackRgb);
}

} // namespace
