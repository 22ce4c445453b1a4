#include "elements/CameraRules.h"
#include "tests/elements/LevelKit.h"

namespace {

// Cameras in a real world without gravity, hit by the player's shots.
class EnemiesTest : public LevelTest {
protected:
    void playerShot(NK::Vec2 at) {
        NK::setBodyTag(world.createShot(at, {}), NK::kTagPlayerShot);
    }

    NK::PhysicsWorld world{NK::Vec2(0.0f, 0.0f), e.renderContext};
    Enemies& enemies = *level.enemies;
    NK::Rect player{1000.0f, 500.0f, 200.0f, 300.0f};  // centre (1100, 650)
};

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
