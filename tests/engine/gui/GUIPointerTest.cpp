#include "engine/GUIPointer.h"

#include <gtest/gtest.h>

using NK::GUIPointer;

// Hover, click and leave ordering is checked through GUISystem's callbacks.
TEST(GUIPointer, WindowPixelsMisScaledToTheWidgetScreen) {
    const NK::Vec2 p = GUIPointer::onScreen(480, 270, 960, 540);
    EXPECT_FLOAT_EQ(p.x, 960);
    EXPECT_FLOAT_EQ(p.y, 540);
}

TEST(GUIPointer, EdgePixelMissedOrHitFromTooFarAway) {
    // A 100x40 widget covering x 100..200, y 50..90; the pointer is a one-pixel box.
    const NK::Rect area(100, 50, 100, 40);
    EXPECT_TRUE(GUIPointer::over(area, {150, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {99, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {98.9f, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {200, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {200.1f, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 49}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 90}));
    EXPECT_FALSE(GUIPointer::over(area, {150, 90.1f}));
}
