#include "engine/GUIPointer.h"

#include <gtest/gtest.h>

using NK::GUIPointer;

TEST(GUIPointer, WindowPixelsScaleToTheWidgetScreen) {
    NK::Vec2 p = GUIPointer::onScreen(480, 270, 960, 540);
    EXPECT_FLOAT_EQ(p.x, 960);
    EXPECT_FLOAT_EQ(p.y, 540);
    p = GUIPointer::onScreen(1280, 0, 1280, 720);
    EXPECT_FLOAT_EQ(p.x, 1920);
    EXPECT_FLOAT_EQ(p.y, 0);
}

TEST(GUIPointer, PointerIsAOnePixelBoxTouchingEitherEdgeCounts) {
    // A 100x40 widget covering x 100..200, y 50..90.
    const NK::Rect area(100, 50, 100, 40);
    EXPECT_TRUE(GUIPointer::over(area, {150, 70}));
    // The pointer's pixel 99..100 touches the left edge; 98..99 does not.
    EXPECT_TRUE(GUIPointer::over(area, {99, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {98.9f, 70}));
    // On the right the pixel starting at 200 touches; just past it does not.
    EXPECT_TRUE(GUIPointer::over(area, {200, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {200.1f, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 49}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 90}));
    EXPECT_FALSE(GUIPointer::over(area, {150, 90.1f}));
    // Both axes must hold.
    EXPECT_FALSE(GUIPointer::over(area, {150, 200}));
    EXPECT_FALSE(GUIPointer::over(area, {300, 70}));
}

TEST(GUIPointer, EnterOnceStayQuietLeaveOnce) {
    GUIPointer::Hover h;
    GUIPointer::Calls c = GUIPointer::step(h, true, false);
    EXPECT_TRUE(c.entered);
    EXPECT_FALSE(c.clicked || c.left);
    c = GUIPointer::step(h, true, false);
    EXPECT_FALSE(c.entered || c.clicked || c.left);
    c = GUIPointer::step(h, true, true);
    EXPECT_TRUE(c.clicked);
    EXPECT_FALSE(c.entered || c.left);
    c = GUIPointer::step(h, false, false);
    EXPECT_TRUE(c.left);
    EXPECT_FALSE(c.entered || c.clicked);
    c = GUIPointer::step(h, false, false);
    EXPECT_FALSE(c.entered || c.clicked || c.left);
}

TEST(GUIPointer, ClickAwayFromTheButtonCallsNothing) {
    GUIPointer::Hover h;
    GUIPointer::Calls c = GUIPointer::step(h, false, true);
    EXPECT_FALSE(c.entered || c.clicked || c.left);
    // Leaving with the button down reports only the leave.
    GUIPointer::step(h, true, false);
    c = GUIPointer::step(h, false, true);
    EXPECT_TRUE(c.left);
    EXPECT_FALSE(c.clicked);
}
