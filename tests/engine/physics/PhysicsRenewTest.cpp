#include "engine/PhysicsWorld.h"
#include "tests/support/Testing.h"

namespace {

// A pile of crates and a ball tumbling down a slope onto a floor: enough
// contacts that the order Box2D solves them in shows in the result. Played
// for four seconds; each crate's place and angle.
nktest::Floats playPile(NK::PhysicsWorld& world) {
    world.createSurface({0, 600}, {400, 800}, "0");
    world.addSurfacePoint("0", {1600, 800});
    for (int i = 0; i < 8; ++i) {
        const float x = 200.0f + 37.0f * i, y = 500.0f - 70.0f * (i % 3);
        world.createSquare({x, y}, {30, 30}, false, 0.1f * i, "b_" + std::to_string(i), 1.0f, 0.5f);
    }
    world.createCircle({150, 300}, false, "c_0", 2.0f, 0.3f, 40, 0.0f);
    for (int i = 0; i < 240; ++i) world.step(60.0f);
    nktest::Floats out;
    for (int i = 0; i < 8; ++i) {
        const b2Body* b = world.getSquare("b_" + std::to_string(i)).body;
        out.insert(out.end(), {b->GetPosition().x, b->GetPosition().y, b->GetAngle()});
    }
    return out;
}

}  // namespace

// A restarted level must play tick for tick as its first run did, or a
// replay recorded after a restart would not play back. A world that has
// held bodies before numbers the new ones differently; renew forgets that.
// The world is made anew, not a copy: sight rays cast after a renewal meet
// the new ground and not the old.
TEST(PhysicsRenew, LevelBuiltInUsedWorldPlaysDifferentlyOrRaysAskTheOldWorld) {
    NK::PhysicsWorld fresh({0.0f, 10.0f}, nullptr);
    const nktest::Floats first = playPile(fresh);

    NK::PhysicsWorld used({0.0f, 10.0f}, nullptr);
    playPile(used);
    // A shot and a capsule come and go too, as in play.
    used.createShot({100, 100}, {1, 0});
    used.createCapsule({700, 300}, {50, 150}, "player");
    used.step(60.0f);
    used.destroySquare("b_3");
    used.renew();
    EXPECT_EQ(used.world().GetBodyCount(), 0);
    EXPECT_EQ(used.squareCount() + used.circleCount() + used.capsuleCount() + used.surfaceCount() +
                  used.shots().size(),
              0u);
    EXPECT_TRUE(used.isLineClear({1000, 700}, {1000, 900}, 1000)) << "the old floor at y 800";
    EXPECT_EQ(playPile(used), first);  // exactly, not nearly
    EXPECT_FALSE(used.isLineClear({1000, 700}, {1000, 900}, 1000)) << "the new floor";
    // And again, after a second run in the renewed world.
    used.renew();
    EXPECT_EQ(playPile(used), first);
}
