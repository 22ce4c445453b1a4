#include <gtest/gtest.h>

#include "engine/WindowLayout.h"

using NK::WindowLayout;

TEST(WindowLayout, FullHdOnlyWhenTheBarStillFits) {
    auto big = WindowLayout::forDesktop(1920, 1145);
    EXPECT_EQ(big.width, 1920);
    EXPECT_EQ(big.height, 1080);
    auto oneShort = WindowLayout::forDesktop(1920, 1144);
    EXPECT_EQ(oneShort.height, 1079);
    EXPECT_EQ(oneShort.width, 1918);  // 1079 * 1.7777778 truncated
}

TEST(WindowLayout, NarrowDesktopLimitsByWidth) {
    // 959 tall would want 1704 wide, more than the desktop has.
    auto w = WindowLayout::forDesktop(1280, 1024);
    EXPECT_EQ(w.width, 1280);
    EXPECT_EQ(w.height, 720);
}

TEST(WindowLayout, CentredOnWholeDesktopHeight) {
    auto w = WindowLayout::forDesktop(1920, 1200);
    EXPECT_EQ(w.x, 0);  // as wide as the desktop
    EXPECT_EQ(w.y, 1200 / 2 - 1080 / 2);
    auto small = WindowLayout::forDesktop(1280, 1024);
    EXPECT_EQ(small.x, 0);
    EXPECT_EQ(small.y, 512 - 360);
    auto wide = WindowLayout::forDesktop(2560, 1440);
    EXPECT_EQ(wide.x, 320);
    EXPECT_EQ(wide.y, 180);
}
