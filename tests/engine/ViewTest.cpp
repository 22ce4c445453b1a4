#include <gtest/gtest.h>

#include <cmath>

#include "engine/Culling.h"
#include "engine/View.h"

TEST(ViewConfinement, PushedBackInsideBounds) {
    NK::View v(nullptr);
    v.x = -100;
    v.y = 3000;
    v.setBounds({0, 0, 5000, 2000});
    v.confine();
    EXPECT_FLOAT_EQ(v.x, 0);
    EXPECT_FLOAT_EQ(v.y, 920);
}

TEST(ViewConfinement, WiderThanBoundsIsCentred) {
    NK::View v(nullptr);
    v.x = 300;
    v.setBounds({0, 0, 1000, 2000});
    v.confine();
    EXPECT_FLOAT_EQ(v.x, -460);
    EXPECT_FLOAT_EQ(v.y, 0);
}

TEST(ViewConfinement, UnboundedViewIsLeftAlone) {
    NK::View v(nullptr);
    v.x = -5000;
    v.bounds = {0, 0, 10, 10};
    v.confine();
    EXPECT_FLOAT_EQ(v.x, -5000);
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

TEST(SignedAngle, SignFollowsTheSideOfTheDirection) {
    const float pi = 3.14159265f;
    NK::Vec2 origin(0, 0);
    EXPECT_NEAR(NK::Vec2::signedAngle(origin, {1, 0}, {1, 0}), 0.0f, 1e-5f);
    float down = NK::Vec2::signedAngle(origin, {0, 1}, {1, 0});
    float up = NK::Vec2::signedAngle(origin, {0, -1}, {1, 0});
    EXPECT_NEAR(std::fabs(down), pi / 2, 1e-5f);
    EXPECT_NEAR(down, -up, 1e-5f);
    EXPECT_LT(down, 0.0f);  // v.x*d.y - v.y*d.x = -1
    EXPECT_NEAR(std::fabs(NK::Vec2::signedAngle(origin, {-1, 0}, {1, 0})), pi, 1e-5f);
}

TEST(SignedAngle, ZeroLengthGivesNoNumberTrouble) {
    float a = NK::Vec2::signedAngle({5, 5}, {5, 5}, {1, 0});
    EXPECT_FALSE(std::isnan(a));
}

TEST(Vec2, DivisionMultipliesByReciprocal) {
    NK::Vec2 v = NK::Vec2(3, 6) / 3.0f;
    EXPECT_FLOAT_EQ(v.x, 1);
    EXPECT_FLOAT_EQ(v.y, 2);
    NK::Vec2 s = NK::Vec2(1, 2) + NK::Vec2(3, 4);
    EXPECT_FLOAT_EQ(s.x, 4);
    EXPECT_FLOAT_EQ(s.y, 6);
}
