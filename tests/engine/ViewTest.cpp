
#include <cmath>

#include "engine/Culling.h"
#include "engine/Vec2.h"
#include "engine/View.h"
#include "engine/WindowLayout.h"
#include "tests/support/Testing.h"

TEST(ViewConfinement, ViewLeftOutsideItsBoundsOrNotCentredWhenWiderOrMovedWhenUnbounded) {
    const struct {
        float x, y;
        bool bounded;
        NK::Rect bounds;
        float wantX, wantY;
    } cases[] = {{-100, 3000, true, {0, 0, 5000, 2000}, 0, 920},  // pushed back inside
                 {300, 0, true, {0, 0, 1000, 2000}, -460, 0},     // wider than the bounds
                 {-5000, 0, false, {0, 0, 10, 10}, -5000, 0}};
    for (const auto& c : cases) {
        NK::View v(nullptr);
        v.x = c.x;
        v.y = c.y;
        v.bounds = c.bounds;
        v.bounded = c.bounded;
        v.confine();
        EXPECT_EQ(v.x, c.wantX) << c.x;
        EXPECT_EQ(v.y, c.wantY) << c.x;
    }
}

TEST(Culling, TouchingEdgesAreVisibleOnePixelMoreIsNot) {
    NK::Rect view(0, 0, 1920, 1080);
    EXPECT_FALSE(NK::outsideView({1920, 0, 100, 100}, view));
    EXPECT_TRUE(NK::outsideView({1921, 0, 100, 100}, view));
    EXPECT_FALSE(NK::outsideView({-100, 1080, 100, 100}, view));
    EXPECT_TRUE(NK::outsideView({-100, 1081, 100, 100}, view));
    // A moved view moves the test with it.
    NK::Rect moved(500, 500, 1920, 1080);
    EXPECT_TRUE(NK::outsideView({0, 0, 100, 100}, moved));
    EXPECT_FALSE(NK::outsideView({400, 400, 100, 100}, moved));
}

TEST(SignedAngle, WrongSizeOrSignOrNoNumber) {
    const float pi = 3.14159265f;
    const struct {
        NK::Vec2 a, b, direction;
        float angle;
    } cases[] = {
        {{0, 0}, {1, 0}, {1, 0}, 0},
        {{0, 0}, {0, 1}, {1, 0}, -pi / 2},  // v.x * d.y - v.y * d.x = -1
        {{0, 0}, {0, -1}, {1, 0}, pi / 2},
        {{0, 0}, {-1, 0}, {1, 0}, pi},
        {{1, 1}, {3, 3}, {4, 0}, -pi / 4},  // neither the line nor the direction of unit length
        // A line of no length normalises to the zero vector, which is at a
        // right angle to every direction.
        {{5, 5}, {5, 5}, {1, 0}, pi / 2},
        // Normalised, these two parallel directions meet at a cosine a hair
        // above 1, whose arc cosine is no number: taken as 0.
        {{0, 0}, {3, 33}, {1, 11}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(NK::Vec2::signedAngle(c.a, c.b, c.direction), c.angle, 1e-5f)
            << c.b.x << "," << c.b.y << " along " << c.direction.x << "," << c.direction.y;
    }
}

TEST(Vec2, DivisionDividesInsteadOfMultiplyingByTheReciprocal) {
    // 9 x (1 / 10) and 9 / 10 differ in a float's last bit.
    NK::Vec2 v = NK::Vec2(9, 3) / 10.0f;
    EXPECT_EQ(v.x, 9.0f * (1.0f / 10.0f));
    EXPECT_NE(v.x, 9.0f / 10.0f);
}

// The window is centred on the whole desktop height, not the height less the bar.
TEST(WindowLayout, WrongSizeOrPlaceForTheDesktop) {
    const struct {
        int desktopW, desktopH, w, h, x, y;
    } cases[] = {
        {1920, 1145, 1920, 1080, 0, 32},  // full HD while the bar still fits
        {1920, 1144, 1918, 1079, 1, 33},  // one short: 1079 x 1.7777778 truncated
        {1280, 1024, 1280, 720, 0, 152},  // 959 tall would want 1704 wide: width limits
        {1920, 1200, 1920, 1080, 0, 60}, {2560, 1440, 1920, 1080, 320, 180},
    };
    for (const auto& c : cases) {
        const NK::WindowLayout w = NK::WindowLayout::forDesktop(c.desktopW, c.desktopH);
        EXPECT_EQ(std::vector<int>({w.width, w.height, w.x, w.y}),
                  std::vector<int>({c.w, c.h, c.x, c.y}))
            << c.desktopW << "x" << c.desktopH;
    }
}
