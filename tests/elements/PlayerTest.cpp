#include "tests/elements/LevelKit.h"

namespace {

// Worked by hand from the capsule: a 1 m x 1.5 m box and two circles of
// radius 0.5 m at density 1 weigh 1.5 + 2 * 0.25 * pi = 3.0708 kg.
constexpr float jumpSpeed = 50.0f / 3.0708f;  // 16.282 m/s

// The player in a real world, ticked the way the play scene ticks it: the
// world steps, the player updates, the pictures advance.
class PlayerTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        player.reset();
    }
    void makeWorld(NK::Vec2 gravity) {
        world = std::make_unique<NK::PhysicsWorld>(gravity, e.renderContext);
    }
    void startAt(float x, float y) {
        player.setPosition(x, y);
        player.start(*world);
    }
    void tick(const PlayInput& in = {}, int n = 1) {
        for (int i = 0; i < n; ++i) {
            world->step(60.0f);
            player.update(*world, true, in);
            player.images().updateExtBitmaps();
        }
    }
    b2Body& body() { return *world->getCapsule("player").body; }
    // A shot from 300 to the left straight at the player's middle; true
    // once some shot is marked spent, within 40 ticks.
    bool shotSpent(int tag) {
        const NK::Vec2 p = player.position();
        NK::setBodyTag(world->createShot({p.x - 300.0f, p.y}, {1.0f, 0.0f}), tag);
        for (int i = 0; i < 40; ++i) {
            tick();
            for (const auto& s : world->shots())
                if (s->dead) return true;
        }
        return false;
    }

    NK::AnimationStore& animations = level.animations;
    Player& player = *level.player;
    std::unique_ptr<NK::PhysicsWorld> world;
};

// Gravity pushes the player onto one surface; W then jumps only when that
// surface is under or over the centre and is no bullet (the jump off the
// ground is played in the jump_gap replay).
TEST_F(PlayerTest, JumpNeedsGroundOrCeilingNotAWallABulletOrAirOrBothWalkKeysWalkRight) {
    // Gravity, where the player starts, the block, whether the block is a
    // bullet, and the speed up after W (0 when it must not jump).
    const std::tuple<NK::Vec2, NK::Vec2, NK::Rect, bool, float> cases[] = {
        {{0, -10}, {400, 650}, {0, 450, 800, 50}, false, -jumpSpeed},
        {{10, 0}, {950, 500}, {1000, 0, 50, 1000}, false, 0.0f},
        {{0, 10}, {400, 850}, {0, 1000, 800, 50}, true, 0.0f},
        {{0, 0}, {400, 300}, {0, 1000, 800, 50}, false, 0.0f}};
    PlayInput jump;
    jump.jumpPressed = true;
    for (const auto& [gravity, at, block, bullet, vy] : cases) {
        makeWorld(gravity);
        startAt(at.x, at.y);
        const NK::Vec2 half(block.width / 2.0f, block.height / 2.0f);
        world->createStaticSquare({block.x + half.x, block.y + half.y}, half, 0.0f, "b")
            .body->SetBullet(bullet);
        tick({}, 10);
        tick(jump);
        EXPECT_NEAR(body().GetLinearVelocity().y, vy, 1e-3f)
            << gravity.x << "," << gravity.y << " " << bullet;
    }
    // Both walk keys walk left (the pace and the top speed: the walk replay).
    PlayInput both;
    both.left = both.right = true;
    tick(both, 2);  // the first tick's force moves the body in the second step
    EXPECT_LT(body().GetLinearVelocity().x, -1.0f);
}

// Off the ground (the fall pose, frame 16) a pull fires a shot of the
// player's from the muzzle toward the pointer (its sound, tag and the pose's
// frames: Motion.PlayerFrames). Worked by hand: the pointer is at (2240,
// -310); frame 16's arm pivot at (821.2,
// 454.6) aims 25 m/s along (1418.8, -764.6); the muzzle lies 193.6 along and
// 9 across the aim from the pivot lifted by 13.
TEST_F(PlayerTest, ShotAimWrongOrACameraHitUnseenOrHurtingByFixtureOrder) {
    makeWorld({0.0f, 0.0f});
    startAt(800, 500);
    PlayInput fire;
    fire.firePressed = true;
    fire.pointer = {1920.0f, 0.0f};  // the camera's top-right corner
    tick(fire);
    ASSERT_EQ(world->shots().size(), 1u);
    b2Body* shot = world->shots().front()->body;
    EXPECT_NEAR(shot->GetPosition().x * 100.0f, 997.0f, 0.05f);
    EXPECT_NEAR(shot->GetPosition().y * 100.0f, 360.0f, 0.05f);
    EXPECT_NEAR(shot->GetLinearVelocity().x, 22.008f, 1e-3f);
    EXPECT_NEAR(shot->GetLinearVelocity().y, -11.860f, 1e-3f);

    // A camera's hit bursts where the shot is (its sound, the red flash and
    // the burst's size: Motion.PlayerFrames), and a dead player spends no
    // shot. Box2D puts the fixture whose broad-phase proxy
    // is older first in a contact of two circles: a shot made before the
    // player touches its head circle as fixture A. Which one comes first
    // must not decide whether it hurts.
    world->clearShots();
    ASSERT_TRUE(shotSpent(NK::kTagCameraShot));
    ASSERT_EQ(animations.plays().size(), 1u);
    const NK::Rect& burst = animations.plays().front().destination;
    EXPECT_NEAR(burst.x + burst.width / 2, world->shots().front()->body->GetPosition().x * 100.0f,
                1e-3f);

    world->clearShots();
    player.health = 0;
    EXPECT_FALSE(shotSpent(NK::kTagCameraShot));
    player.end(*world);
    for (int tag : {NK::kTagCameraShot, NK::kTagPlayerShot}) {
        makeWorld({0.0f, 0.0f});
        // Resting just inside the upper circle (centre y 400, radius 50), clear of the box.
        b2Body* shot = world->createShot({800.0f, 352.0f}, {0.0f, 0.0f});
        NK::setBodyTag(shot, tag);
        startAt(800, 500);
        tick();
        ASSERT_TRUE(shot->GetContactList() && shot->GetContactList()->contact->IsTouching());
        ASSERT_EQ(shot->GetContactList()->contact->GetFixtureA()->GetBody(), shot);
        const bool camera = tag == NK::kTagCameraShot;
        EXPECT_EQ(player.health, camera ? 4 : 5) << tag;
        EXPECT_EQ(world->shots().front()->dead, camera) << tag;
        player.end(*world);
    }
}

// The four quarters around the aim pivot (1000, 446.8) of frame 20, each a
// quarter turn from the horizontal. Facing left the pictures are mirrored, so
// each part turns the other way round: the head still looks at the pointer,
// never upside down.
TEST(PlayerRulesTest, HeadTurnsAThirdDownAndThreeQuartersUpMirroredWhenFacingLeft) {
    const float pi = 3.14159265f;
    const NK::Vec2 p(1000.0f, 500.0f);
    // The pointer, then the aim and the arm's and the head's turns.
    const std::tuple<float, float, float, float, float> cases[] = {
        {1600.0f, 1046.8f, pi / 4, pi / 4, pi / 12},                  // right, below
        {1600.0f, -153.2f, -pi / 4, -pi / 4, -3 * pi / 16},           // right, above
        {400.0f, 1046.8f, 3 * pi / 4, -pi / 4, -pi / 12},             // left, below
        {400.0f, -153.2f, -3 * pi / 4, -7 * pi / 4, -29 * pi / 16}};  // left, above
    for (const auto& [x, y, aim, arm, head] : cases) {
        const PlayerRules::Layout l = PlayerRules::aimedLayout(p, 20, {x, y});
        EXPECT_EQ(l.facingLeft, x < p.x) << x << "," << y;
        const float seen[] = {l.aim, l.arm.angle, l.gun.angle, l.head.angle};
        const float expected[] = {aim, arm, arm, head};  // the gun turns with the arm
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(seen[i], expected[i], 1e-4f)
                << x << "," << y << " aim, arm, gun, head " << i;
    }
}

}  // namespace
