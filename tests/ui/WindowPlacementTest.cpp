#include "WindowPlacement.h"
#include "ProgramWindows.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Frames of the main window (614 x 529) and the instructions window (424 x 434) on screens
// with and without panels, a second screen to the right of a first, and screens scaled up.
TEST(WindowPlacement, AFrameGoesWhollyOntoTheAvailableArea) {
    struct Case {
        const char* what;
        QRect frame, area;
        QPoint expected;
    };
    const Case cases[] = {
        {"inside", {194, 196, 614, 529}, {0, 0, 1280, 1024}, {194, 196}},
        {"touching the right and bottom edges",
         {666, 495, 614, 529},
         {0, 0, 1280, 1024},
         {666, 495}},
        {"out on the right", {700, 196, 614, 529}, {0, 0, 1280, 1024}, {666, 196}},
        {"out at the bottom", {194, 500, 614, 529}, {0, 0, 1280, 1024}, {194, 495}},
        {"over a panel at the top", {194, 10, 614, 529}, {0, 32, 1280, 992}, {194, 32}},
        {"off the left and top", {-50, -20, 424, 434}, {0, 0, 1024, 768}, {0, 0}},
        {"taller than a scaled laptop", {194, 196, 608, 504}, {0, 0, 683, 360}, {75, 0}},
        {"larger than the area", {194, 196, 608, 504}, {0, 0, 400, 300}, {0, 0}},
        {"on a second screen", {2000, 500, 424, 434}, {1280, 0, 1024, 740}, {1880, 306}},
        {"larger than a second screen", {1300, 50, 614, 529}, {1280, 24, 600, 500}, {1280, 24}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FramePositionOnScreen(c.frame, c.area), c.expected) << c.what;
    }
}

// Both windows as they open on the screen the tests run on: the offscreen platform's
// 800 x 800 pixels, or 1280 x 1024 pixels at twice the scale, 640 x 512 in the windows'
// pixels. The platform's frame is two pixels wide, one at twice the scale.
TEST(WindowPlacement, TheWindowsOpenWhollyOnTheScreen) {
    SimulationState state;
    ProgramWindows windows(state);
    const QRect area = windows.Form1.screen()->availableGeometry();
    struct Screen {
        QSize size;
        qreal scale;
        QPoint form1, form2;
    };
    const Screen screens[] = {
        // The main window's frame, 610 pixels wide, comes in from the right; the
        // instructions window stands where it was laid out.
        {{800, 800}, 1.0, {190, 196}, {192, 107}},
        // Both frames come in: 608 x 504 from the right and the bottom, 418 x 409 from the
        // bottom.
        {{640, 512}, 2.0, {32, 8}, {192, 103}},
    };
    const auto screen = std::find_if(std::begin(screens), std::end(screens),
                                     [&](const Screen& s) { return s.size == area.size(); });
    ASSERT_NE(screen, std::end(screens)) << area.width() << " x " << area.height();
    EXPECT_EQ(windows.Form1.devicePixelRatio(), screen->scale);
    QTest::mouseClick(windows.Controls.Button2, Qt::LeftButton);
    ASSERT_TRUE(windows.Form2.isVisible());
    const std::pair<QWidget*, QPoint> placed[] = {{&windows.Form1, screen->form1},
                                                  {&windows.Form2, screen->form2}};
    for (const auto& [window, place] : placed) {
        const std::string name = window->objectName().toStdString();
        EXPECT_EQ(window->pos(), place) << name;
        EXPECT_EQ(window->frameGeometry().topLeft(), place) << name;
        EXPECT_TRUE(area.contains(window->frameGeometry())) << name;
    }
    // Moved by the user, even partly off the screen, the instructions window shows there
    // again on the next "Help".
    const QPoint moved = area.bottomRight() - QPoint(100, 100);
    windows.Form2.move(moved);
    windows.Form2.close();
    QTest::mouseClick(windows.Controls.Button2, Qt::LeftButton);
    EXPECT_TRUE(windows.Form2.isVisible());
    EXPECT_EQ(windows.Form2.pos(), moved);
}

} // namespace
