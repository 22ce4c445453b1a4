#include <algorithm>

#include "elements/CameraRules.h"
#include "tests/elements/LevelKit.h"

namespace {

constexpr float pi = 3.14159265f;

// Cameras in a real world without gravity, ticked as the level ticks them:
// the world steps, then the cameras update with the player's state.
class EnemiesTest : public LevelTest {
protected:
    void step(int ticks = 1, bool playerAlive = true) {
        for (int i = 0; i < ticks; ++i) {
            world.step(60.0f);
            enemies.update(world, playerAlive, player);
        }
    }
    long cameraShots() {
        return std::count_if(world.shots().begin(), world.shots().end(),
                             [](auto& s) { return NK::bodyTag(s->body) == NK::kTagCameraShot; });
    }
    NK::Shot& playerShot(NK::Vec2 at, NK::Vec2 direction = {}) {
        NK::setBodyTag(world.createShot(at, direction), NK::kTagPlayerShot);
        return *world.shots().back();
    }
    float headAngle(const char* key = "0c") { return enemies.images().get(key).angle; }

    NK::AnimationStore& effects = level.animations;
    NK::PhysicsWorld world{NK::Vec2(0.0f, 0.0f), e.renderContext};
    Enemies& enemies = *level.enemies;
    NK::Rect player{1000.0f, 500.0f, 200.0f, 300.0f};  // centre (1100, 650)
};

// Rays from (0, 0) to the four points cross x = 500 at y 227 to 364, the ray
// to the top-right corner at y 208: a wall from y 220 down hides the four
// points and leaves the corner in view. The nearest point from (0, 650) is
// the left middle, 1000 away.
TEST_F(EnemiesTest, WallOverTheFourPointsOrSightShortOfThemNeverTurnsOrFires) {
    enemies.add({0.0f, 0.0f}, 0.3f, 0.0f, 5000.0f);
    enemies.add({0.0f, 650.0f}, 0.3f, 0.0f, 999.0f);
    enemies.start();
    world.createStaticSquare({500.0f, 610.0f}, {5.0f, 390.0f}, 0.0f, "wall");
    ASSERT_TRUE(world.isLineClear({0.0f, 0.0f}, {1200.0f, 500.0f}, 5000.0f));
    step(120);
    EXPECT_EQ(std::make_tuple(cameraShots(), headAngle("0c"), headAngle("1c")),
              std::make_tuple(0L, 0.3f, 0.3f));

    world.destroySquare("wall");
    enemies.add({0.0f, 650.0f}, 0.3f, 0.0f, 1000.0f);  // exactly in reach
    EXPECT_EQ(paneltest::soundsFired([&] { step(); }), 2);
    EXPECT_EQ(std::make_pair(cameraShots(), headAngle("1c")), std::make_pair(2L, 0.3f));
    EXPECT_NEAR(headAngle("2c"), pi, 1e-5f);  // the player straight right: lens to the left
    EXPECT_TRUE(enemies.images().get("2c").flipY);
    // A target on the head itself gives a shot no way to go rather than NaN.
    const NK::Vec2 none = CameraRules::shotDirection({600, 650}, {600, 650});
    EXPECT_EQ(std::make_pair(none.x, none.y), std::make_pair(0.0f, 0.0f));
}

// Each camera fires on tick 0 and 60; then 30 living ticks, 10 of a dead
// player, an end and a start: the next shots come 30 living ticks later.
// The first camera's shots fly through the second's head on their way and
// hurt neither.
TEST_F(EnemiesTest, FiresOtherThanEvery60LivingTicksAcrossEndAndStartOrCameraShotsHurtCameras) {
    enemies.add({200.0f, 650.0f}, 0.0f, 0.0f, 2000.0f);
    enemies.add({600.0f, 650.0f}, 0.0f, 0.0f, 2000.0f);
    enemies.start();
    step(12);  // the first shot, 11 steps of 41.67 out, is on the second head
    ASSERT_LT(std::abs(world.shots().front()->body->GetPosition().x * 100.0f - 600.0f), 60.0f);
    step(49);  // the cadence itself is played through in the camera_fire replay
    ASSERT_EQ(cameraShots(), 4);
    step(30);
    step(10, false);
    enemies.end();
    enemies.start();
    step(29);
    EXPECT_EQ(cameraShots(), 4);
    step();
    EXPECT_EQ(cameraShots(), 6);
    step(100);  // two more shots of the first camera through the second's head
    const auto& cameras = enemies.cameras();
    EXPECT_EQ(std::make_tuple(cameraShots(), cameras[0].health, cameras[1].health),
              std::make_tuple(8L, 5, 5));
}

// A dead player is neither turned to nor fired at. Two shots at rest on the
// head in one tick, then four more: the third of those is the fifth hit, and
// the fourth finds nothing left to hit; the blast covers the head (how many
// bursts and shots after: Motion.CameraFires). What is left is not drawn,
// and the end brings it back as play found it.
TEST_F(EnemiesTest, DeadPlayerFiredAtOrSeveralHitsInOneTickAndTheFifthPlaysBothEffects) {
    enemies.add({600.0f, 650.0f}, 0.5f, 0.0f, 1000.0f);
    enemies.start();
    const nktest::Points middle = {{600.0f, 650.0f}, {600.0f, 600.0f}};
    step(30, false);
    EXPECT_EQ(std::make_pair(cameraShots(), headAngle()), std::make_pair(0L, 0.5f));
    step();  // turns and fires
    NK::Shot* first[] = {&playerShot({570.0f, 650.0f}), &playerShot({600.0f, 700.0f})};
    enemies.update(world, false, player);
    enemies.update(world, false, player);  // a shot counts once
    EXPECT_EQ(enemies.cameras()[0].health, 3);
    for (NK::Shot* s : first) EXPECT_TRUE(s->dead);
    for (int i = 0; i < 4; ++i) playerShot({610.0f, 640.0f});
    // Three shots heard going, then the camera.
    EXPECT_EQ(paneltest::soundsFired([&] { enemies.update(world, false, player); }), 4);
    EXPECT_FALSE(world.shots().back()->dead);
    EXPECT_EQ(effects.plays().back().destination, NK::Rect(500.0f, 550.0f, 200.0f, 200.0f));
    enemies.draw();
    EXPECT_EQ(nktest::colours(middle), "KK");
    enemies.end();
    EXPECT_EQ(std::make_pair(enemies.aliveCount(), headAngle()), std::make_pair(1, 0.5f));
    nktest::resetDrawing();
    enemies.draw();
    EXPECT_NE(nktest::colours(middle), "KK");
}

// A camera one hit from its end still keeps the gate shut.
TEST_F(EnemiesTest, CameraWithOneHitLeftCountedOutOfAction) {
    enemies.add({600.0f, 650.0f}, 0.5f, 0.0f, 1000.0f);
    enemies.start();
    for (int hit = 0; hit < 4; ++hit) {
        playerShot({610.0f, 640.0f});
        enemies.update(world, false, player);
    }
    EXPECT_EQ(std::make_pair(enemies.cameras()[0].health, enemies.aliveCount()),
              std::make_pair(1, 1));
}

// A head is mirrored only past a quarter turn; a shot hits only nearer than
// half the head's width; a press exactly 75.5 off on both axes still grabs.
TEST(CameraRulesTest, EdgesOfFlipHitAndGrabOnTheWrongSide) {
    const float quarter = CameraRules::pi / 2.0f;
    EXPECT_FALSE(CameraRules::flipped(quarter) || CameraRules::flipped(-quarter));
    EXPECT_TRUE(CameraRules::flipped(1.5708f) && CameraRules::flipped(-1.5708f));
    EXPECT_FALSE(CameraRules::hitsHead({660.0f, 650.0f}, {600.0f, 650.0f}, 120.0f));
    EXPECT_TRUE(CameraRules::hitsHead({600.0f, 709.9f}, {600.0f, 650.0f}, 120.0f));
    EXPECT_TRUE(CameraRules::withinGrab({0.0f, 0.0f}, {75.5f, -75.5f}));
    EXPECT_FALSE(CameraRules::withinGrab({0.0f, 0.0f}, {-75.6f, 0.0f}) ||
                 CameraRules::withinGrab({0.0f, 0.0f}, {0.0f, 75.6f}));
}

}  // namespace
