#include "engine/Vec2.h"
#include "engine/View.h"
#include "engine/WindowLayout.h"
#include "tests/support/Testing.h"

// Each row: a desktop and the window on it (x, y, width, height). Full HD
// needs 1920 wide and 65 to spare in height, exactly; below that the window
// keeps 16:9 and is limited by the height or the width, centred on the
// whole desktop.
TEST(WindowLayout, FullHdOnADesktopOnePixelTooSmallOrOffCentre) {
    const struct {
        int dw, dh;
        nktest::Ints window;
    } cases[] = {{1920, 1145, {0, 32, 1920, 1080}},
                 {1920, 1144, {1, 33, 1918, 1079}},
                 {1919, 1200, {0, 61, 1919, 1079}},
                 {1280, 1024, {0, 152, 1280, 720}},
                 {2560, 1440, {320, 180, 1920, 1080}}};
    for (const auto& c : cases) {
        const NK::WindowLayout w = NK::WindowLayout::forDesktop(c.dw, c.dh);
        EXPECT_EQ(nktest::Ints({w.x, w.y, w.width, w.height}), c.window) << c.dw << "x" << c.dh;
    }
}

// Widgets and the HUD live on a 1920 x 1080 screen, the level shows through
// the view: at any zoom a point and a size carried over land where they are
// drawn, and a pointer in a window of any size lands on the screen's point.
TEST(ScreenSpace, PointOrSizeCarriedBetweenScreenAndLevelOffByTheZoom) {
    const NK::Rect view(100.0f, -50.0f, 3840.0f, 1620.0f);
    auto xy = [](NK::Vec2 v) { return std::to_string(v.x) + ", " + std::to_string(v.y); };
    EXPECT_EQ(xy(NK::perScreenPixel(view)), xy(NK::Vec2(2.0f, 1.5f)));
    EXPECT_EQ(xy(NK::screenToLevel(view, NK::Vec2(960.0f, 1080.0f))),
              xy(NK::Vec2(2020.0f, 1570.0f)));
    const NK::Rect r = NK::screenToLevel(view, NK::Rect(10.0f, 20.0f, 30.0f, 40.0f));
    EXPECT_EQ(xy(NK::Vec2(r.x, r.y)), xy(NK::Vec2(120.0f, -20.0f)));
    EXPECT_EQ(xy(NK::Vec2(r.width, r.height)), xy(NK::Vec2(60.0f, 60.0f)));
    EXPECT_EQ(xy(NK::levelToScreen(view, NK::Vec2(2020.0f, 1570.0f))),
              xy(NK::Vec2(960.0f, 1080.0f)));
    EXPECT_EQ(xy(NK::windowToScreen(NK::Vec2(1279.0f, 360.0f), 1280.0f, 720.0f)),
              xy(NK::Vec2(1918.5f, 540.0f)));
}
