#include "elements/Enemies.h"

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <memory>

#include "elements/CameraRules.h"
#include "elements/PanelRules.h"
#include "engine/AnimationStore.h"
#include "engine/ExtBitmap.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/Pixels.h"

namespace {

constexpr float pi = 3.14159265f;

NK::SoundStore& sounds() {
    static NK::SoundStore* store = [] {
        nktest::engine();  // the audio add-on first
        auto* s = new NK::SoundStore();
        s->loadSound(nktest::sourcePath("Resources/Sounds/camera.ogg"), "shot_enemy");
        s->loadSound(nktest::sourcePath("Resources/Sounds/shot_destroy.ogg"), "destroy_shot");
        s->loadSound(nktest::sourcePath("Resources/Sounds/camera_destroy.ogg"), "destroy_enemy");
        return s;
    }();
    return *store;
}

// Cameras in a real world without gravity, ticked as the level ticks them:
// the world steps, then the cameras update with the player's state.
class EnemiesTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        const char* const sheets[][2] = {
            {"shot", "Resources/Images/Ingame/Animations/shot_anim.png"},
            {"block", "Resources/Images/Ingame/Animations/block_anim.png"}};
        for (const auto& s : sheets) effects.loadAnimation(nktest::sourcePath(s[1]), 8, 8, s[0]);
    }
    void step(bool playerAlive = true) {
        world.step(60.0f);
        enemies.update(world, playerAlive, player);
    }
    int cameraShots() {
        int n = 0;
        for (const auto& s : world.shots())
            if (NK::bodyTag(s->body) == NK::kTagCameraShot) ++n;
        return n;
    }
    // A player's shot at a level point, flying along `direction` (a unit vector).
    NK::Shot& playerShot(NK::Vec2 at, NK::Vec2 direction = {}) {
        NK::setBodyTag(world.createShot(at, direction), NK::kTagPlayerShot);
        return *world.shots().back();
    }
    int plays(const char* key) {
        int n = 0;
        for (const NK::AnimationPlay& p : effects.plays())
            if (p.animation == &effects.get(key)) ++n;
        return n;
    }

    nktest::Engine& e = nktest::engine();
    NK::AnimationStore effects;
    NK::PhysicsWorld world{NK::Vec2(0.0f, 0.0f), e.renderContext};
    Enemies enemies{e.input,  e.view,   &paneltest::fonts(), &paneltest::bitmaps(), e.renderContext,
                    &effects, &sounds()};
    NK::Rect player{1000.0f, 500.0f, 200.0f, 300.0f};  // centre (1100, 650)
};

// Rays from (0, 0) to the four points cross x = 500 at y 227 to 364; to the
// top-right corner at y 208. A wall from y 220 down hides the four points
// and leaves the corner in view.
TEST_F(EnemiesTest, WallHidingTheFourPointsHidesThePlayerThoughACornerShows) {
    enemies.add({0.0f, 0.0f}, 0.3f, 0.0f, 5000.0f);
    enemies.start();
    world.createStaticSquare({500.0f, 610.0f}, {5.0f, 390.0f}, 0.0f, "wall");
    ASSERT_TRUE(world.isLineClear({0.0f, 0.0f}, {1200.0f, 500.0f}, 5000.0f));
    for (int i = 0; i < 120; ++i) step();
    EXPECT_EQ(cameraShots(), 0);
    EXPECT_EQ(enemies.images().get("0c").angle, 0.3f);

    world.destroySquare("wall");
    step();
    EXPECT_EQ(cameraShots(), 1);
}

TEST_F(EnemiesTest, SightShorterThanEveryPointNeverTurnsOrFires) {
    // The nearest point, the left middle (1000, 650), is 1000 from (0, 650).
    enemies.add({0.0f, 650.0f}, 0.3f, 0.0f, 999.0f);
    enemies.start();
    for (int i = 0; i < 120; ++i) step();
    EXPECT_EQ(cameraShots(), 0);
    EXPECT_EQ(enemies.images().get("0c").angle, 0.3f);

    enemies.add({0.0f, 650.0f}, 0.3f, 0.0f, 1000.0f);  // exactly in reach
    enemies.start();
    step();
    EXPECT_EQ(cameraShots(), 1);
    EXPECT_NEAR(enemies.images().get("1c").angle, pi, 1e-5f);  // player dead right: lens left
    EXPECT_TRUE(enemies.images().get("1c").flipY);
}

TEST_F(EnemiesTest, FiresOnFirstSightThenOnTick60NotBefore) {
    enemies.add({600.0f, 650.0f}, 0.0f, 0.0f, 1000.0f);
    enemies.start();
    step();
    ASSERT_EQ(cameraShots(), 1);
    const b2Body* shot = world.shots().back()->body;
    EXPECT_NEAR(shot->GetPosition().x * 100.0f, 600.0f, 1e-3f);
    EXPECT_NEAR(shot->GetLinearVelocity().x, 25.0f, 1e-4f);  // straight at the centre
    EXPECT_NEAR(shot->GetLinearVelocity().y, 0.0f, 1e-4f);
    for (int t = 1; t < 60; ++t) {
        step();
        ASSERT_EQ(cameraShots(), 1) << "tick " << t;
    }
    step();
    EXPECT_EQ(cameraShots(), 2);
}

// 30 ticks after a shot; 10 ticks of a dead player move nothing, and neither
// does an end and a new start: the next shot comes 30 living ticks later.
TEST_F(EnemiesTest, CooldownCountsOnlyWhileThePlayerLivesAndOutlastsEndAndStart) {
    enemies.add({600.0f, 650.0f}, 0.0f, 0.0f, 1000.0f);
    enemies.start();
    for (int i = 0; i < 31; ++i) step();
    for (int i = 0; i < 10; ++i) step(false);
    enemies.end();
    enemies.start();
    for (int i = 0; i < 29; ++i) step();
    EXPECT_EQ(cameraShots(), 1);
    step();
    EXPECT_EQ(cameraShots(), 2);
}

TEST_F(EnemiesTest, AfterThePlayersDeathNoTurnNoFireButShotsInFlightStillHit) {
    enemies.add({600.0f, 650.0f}, 0.5f, 0.0f, 1000.0f);
    enemies.start();
    NK::Shot& shot = playerShot({300.0f, 650.0f}, {1.0f, 0.0f});
    int ticks = 0;
    while (enemies.cameras()[0].health == 5 && ticks < 30) {
        step(false);
        ++ticks;
    }
    EXPECT_EQ(enemies.cameras()[0].health, 4);
    EXPECT_TRUE(shot.dead);
    EXPECT_EQ(cameraShots(), 0);
    EXPECT_EQ(enemies.images().get("0c").angle, 0.5f);
    ASSERT_EQ(plays("shot"), 1);
    const NK::Rect& burst = effects.plays().front().destination;
    EXPECT_EQ(burst.width, 75.0f);
    EXPECT_NEAR(burst.x + 37.5f, shot.body->GetPosition().x * 100.0f, 1e-3f);
    // 300 pixels at 41.67 a tick: within 60 of the head from the 6th step.
    EXPECT_EQ(ticks, 6);
}

// The first camera's shots fly through the second's head on their way.
TEST_F(EnemiesTest, CameraShotsNeverHurtCameras) {
    enemies.add({200.0f, 650.0f}, 0.0f, 0.0f, 2000.0f);
    enemies.add({600.0f, 650.0f}, 0.0f, 0.0f, 2000.0f);
    enemies.start();
    bool passedThrough = false;
    for (int i = 0; i < 130; ++i) {
        step();
        for (const auto& s : world.shots()) {
            const b2Vec2 p = s->body->GetPosition();
            if (std::abs(p.x * 100.0f - 600.0f) < 60.0f && s->body->GetLinearVelocity().x > 0.0f &&
                p.x * 100.0f < 590.0f)
                passedThrough = true;
        }
    }
    ASSERT_TRUE(passedThrough);
    EXPECT_EQ(cameraShots(), 6);
    EXPECT_EQ(enemies.cameras()[0].health, 5);
    EXPECT_EQ(enemies.cameras()[1].health, 5);
}

// Two shots at rest on the head in one tick, then four more: the third of
// those is the fifth hit, and the fourth finds nothing left to hit.
TEST_F(EnemiesTest, SeveralHitsInOneTickAndTheFifthPlaysBothEffects) {
    enemies.add({600.0f, 650.0f}, 0.0f, 0.0f, 1000.0f);
    enemies.start();
    NK::Shot* first[] = {&playerShot({570.0f, 650.0f}), &playerShot({600.0f, 700.0f})};
    enemies.update(world, false, player);
    EXPECT_EQ(enemies.cameras()[0].health, 3);
    for (NK::Shot* s : first) EXPECT_TRUE(s->dead);
    enemies.update(world, false, player);  // a shot counts once
    EXPECT_EQ(enemies.cameras()[0].health, 3);

    for (int i = 0; i < 4; ++i) playerShot({610.0f, 640.0f});
    enemies.update(world, false, player);
    EXPECT_EQ(enemies.cameras()[0].health, 0);
    EXPECT_EQ(enemies.aliveCount(), 0);
    EXPECT_FALSE(world.shots().back()->dead);
    EXPECT_EQ(plays("shot"), 5);
    ASSERT_EQ(plays("block"), 1);
    const NK::Rect& blast = effects.plays().back().destination;
    EXPECT_EQ(blast.x, 500.0f);
    EXPECT_EQ(blast.y, 550.0f);
    EXPECT_EQ(blast.width, 200.0f);

    step();  // the player in sight: a destroyed camera neither fires nor turns
    EXPECT_EQ(cameraShots(), 0);
    EXPECT_EQ(enemies.images().get("0c").angle, 0.0f);
}

TEST_F(EnemiesTest, DestroyedCameraIsNotDrawnAndEndBringsItBackFacingAsItStarted) {
    enemies.add({300.0f, 300.0f}, 0.0f, 0.0f, 1000.0f);
    enemies.start();
    const nktest::Points middle = {{300.0f, 300.0f}, {300.0f, 250.0f}};
    enemies.draw();
    const std::string drawn = nktest::colours(middle);
    EXPECT_NE(drawn, "KK");
    step();  // turns toward the player
    ASSERT_NE(enemies.images().get("0c").angle, 0.0f);

    for (int i = 0; i < 5; ++i) playerShot({300.0f, 300.0f});
    enemies.update(world, false, player);
    nktest::resetDrawing();
    enemies.draw();
    EXPECT_EQ(nktest::colours(middle), "KK");

    enemies.end();
    EXPECT_EQ(enemies.aliveCount(), 1);
    EXPECT_EQ(enemies.images().get("0c").angle, 0.0f);
    EXPECT_FALSE(enemies.images().get("0c").flipY);
    nktest::resetDrawing();
    enemies.draw();
    EXPECT_EQ(nktest::colours(middle), drawn);
}

TEST(CameraRulesTest, HeadIsMirroredOnlyPastAQuarterTurnEitherWay) {
    EXPECT_FALSE(CameraRules::flipped(pi / 2.0f));
    EXPECT_TRUE(CameraRules::flipped(pi / 2.0f + 1e-3f));
    EXPECT_FALSE(CameraRules::flipped(-pi / 2.0f));
    EXPECT_TRUE(CameraRules::flipped(-pi / 2.0f - 1e-3f));
    // Watching a player up and to the left turns the head a little way only.
    EXPECT_NEAR(CameraRules::aimAngle({0, 0}, {-100, -100}), pi / 4.0f, 1e-5f);
}

// The page: a camera's own inputs and the three handles, on a camera at
// (800, 500) of the 1920x1080 view whose handles lie at (880, 500) (head),
// (800, 650) (holder) and (1300, 500) (sight).
class EnemiesPageTest : public EnemiesTest {
protected:
    void SetUp() override {
        EnemiesTest::SetUp();
        enemies.build();
        enemies.show();
        enemies.add({800.0f, 500.0f}, 0.0f, 0.0f, 500.0f);
        enemies.editor().selectLast();
    }
    NK::GUISystem& gui() { return enemies.editor().widgets.gui(); }
    std::string shown(const std::string& input) { return gui().getTextInputText(input); }
    void enter(const std::string& input, const std::string& text) {
        clickWidget(enemies, paneltest::inputArea(gui(), input));
        gui().setTextInputText(input, text);
        clickWidget(enemies, paneltest::inputArea(gui(), input));
    }
    NK::ExtBitmap& head() { return enemies.images().get("0c"); }
    NK::ExtBitmap& holder() { return enemies.images().get("0h"); }
};

TEST_F(EnemiesPageTest, AnglesAreTypedInDegreesAndTheHeadMirrorsPastAQuarterTurn) {
    enter("angle_head", "135");
    EXPECT_NEAR(head().angle, 3.0f * pi / 4.0f, 1e-5f);
    EXPECT_TRUE(head().flipY);
    enter("angle_holder", "-90");
    EXPECT_NEAR(holder().angle, -pi / 2.0f, 1e-5f);
    EXPECT_NEAR(head().angle, 3.0f * pi / 4.0f, 1e-5f);
    enter("radius", "750");
    EXPECT_EQ(enemies.cameras()[0].sightRadius, 750.0f);
    EXPECT_EQ(shown("radius"), "750.00");
    enter("position_x", "10");
    EXPECT_EQ(holder().rect.x, 10.0f);

    clickWidget(enemies, paneltest::buttonArea(gui(), "angle_head_reset"));
    EXPECT_EQ(head().angle, 0.0f);
    EXPECT_FALSE(head().flipY);
    clickWidget(enemies, paneltest::buttonArea(gui(), "sight_reset"));
    EXPECT_EQ(enemies.cameras()[0].sightRadius, 500.0f);
    EXPECT_NEAR(holder().angle, -pi / 2.0f, 1e-5f);
}

TEST_F(EnemiesPageTest, HandlesTurnTheHeadAndHolderAndWidenTheSightNeverBelowFive) {
    drag(enemies, {880.0f, 500.0f}, {800.0f, 800.0f});
    release(enemies);
    EXPECT_NEAR(head().angle, pi / 2.0f, 0.02f);
    EXPECT_NE(shown("angle_head"), "0.00");
    EXPECT_EQ(holder().angle, 0.0f);

    drag(enemies, {800.0f, 650.0f}, {1100.0f, 500.0f});
    release(enemies);
    EXPECT_NEAR(holder().angle, -pi / 2.0f, 0.02f);

    const NK::Vec2 to = pointAtLevel(1000.0f, 900.0f);
    drag(enemies, {1300.0f, 500.0f}, {1000.0f, 900.0f});
    EXPECT_EQ(enemies.cameras()[0].sightRadius, to.x - 800.0f);
    EXPECT_EQ(shown("radius"), PanelRules::fieldText(to.x - 800.0f));
    pointAtLevel(100.0f, 500.0f);
    tick(enemies, false);
    EXPECT_EQ(enemies.cameras()[0].sightRadius, 5.0f);
    release(enemies);
}

TEST_F(EnemiesPageTest, DragMovesHeadAndHolderTogetherAndCtrlClickCopiesAtThePointer) {
    const NK::Vec2 grab = pointAtLevel(830.0f, 520.0f);  // off centre, within the reach
    const NK::Vec2 to = pointAtLevel(1230.0f, 320.0f);
    drag(enemies, {830.0f, 520.0f}, {1230.0f, 320.0f});
    release(enemies);
    EXPECT_EQ(head().rect.x, 800.0f + to.x - grab.x);
    EXPECT_EQ(holder().rect.y, 500.0f + to.y - grab.y);

    enter("angle_head", "30");
    nktest::holdKey(input(), ALLEGRO_KEY_LCTRL);
    const NK::Vec2 at = pointAtLevel(300.0f, 300.0f);
    clickLevel(enemies);
    nktest::holdKey(input(), ALLEGRO_KEY_LCTRL, false);
    ASSERT_EQ(enemies.cameras().size(), 2u);
    EXPECT_EQ(enemies.editor().selected, 0);
    EXPECT_EQ(enemies.position(1).x, at.x);
    EXPECT_EQ(enemies.images().get("1c").angle, head().angle);

    // A press far from every head selects nothing.
    pointAtLevel(1800.0f, 1000.0f);
    clickLevel(enemies);
    EXPECT_FALSE(enemies.editor().hasSelection());
}

}  // namespace
