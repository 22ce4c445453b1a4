#include "elements/Levers.h"

#include "engine/ExtBitmap.h"
#include "tests/elements/PanelTestKit.h"

namespace {

// A lever is 90 x 150 with its top-left corner at its position; the player
// is 200 x 300 and given here by its rectangle.
const NK::Rect playerAtFirst(0.0f, 0.0f, 200.0f, 300.0f);
const NK::Rect playerFarAway(5000.0f, 0.0f, 200.0f, 300.0f);

class LeversTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        levers.build();
        usePage(levers, levers.editor().widgets.gui());
    }
    // One tick of play: the levers update, then their pictures advance.
    void tick(bool e, const NK::Rect& player = playerFarAway) {
        levers.update(e, player);
        levers.images().updateExtBitmaps();
    }
    const Levers::Lever& lever(int i) { return levers.list()[static_cast<std::size_t>(i)]; }
    NK::ExtBitmap& picture(int i) { return levers.images().get(lever(i).key); }
    // Ticks after a pull at tick 0 until the lever is off again; -1 if it is
    // still on after `limit` ticks.
    int ticksUntilOff(int limit) {
        for (int t = 1; t <= limit; ++t) {
            tick(false);
            if (!lever(0).switched) return t;
        }
        return -1;
    }

    Levers levers{e.input, e.view, fontStore, bitmapStore, e.renderContext};
};

TEST_F(LeversTest, OnePressSwitchesEveryTouchedLeverAndNoOther) {
    levers.add({150.0f, 100.0f}, 0.0f, -1.0f);  // overlaps the player
    levers.add({200.0f, 150.0f}, 0.0f, -1.0f);  // its left edge on the player's right edge
    levers.add({201.0f, 150.0f}, 0.0f, -1.0f);  // one unit clear
    levers.start();
    tick(false, playerAtFirst);  // E not pressed: nothing happens
    EXPECT_FALSE(lever(0).switched);
    tick(true, playerAtFirst);
    EXPECT_TRUE(lever(0).switched);
    EXPECT_TRUE(lever(1).switched);
    EXPECT_FALSE(lever(2).switched);
    EXPECT_FALSE(levers.allSwitched());
}

// 2 s x 60 ticks; the pulling tick already counts one down. A second pull
// starts the count again.
TEST_F(LeversTest, DelayTwoFallsBackOnTheHundredTwentiethTickAfterThePull) {
    levers.add({0.0f, 0.0f}, 0.0f, 2.0f);
    levers.start();
    tick(true, playerAtFirst);
    ASSERT_TRUE(levers.allSwitched());
    EXPECT_EQ(ticksUntilOff(200), 120);
    tick(true, playerAtFirst);
    for (int t = 1; t < 60; ++t) tick(false);
    tick(true, playerAtFirst);  // tick 60
    EXPECT_EQ(ticksUntilOff(400), 120);
}

// The picture runs to the on frame and back to the off frame; a delay of 0
// or below never falls back; the end shows the off frame but keeps the
// flags, and the next start turns them off.
TEST_F(LeversTest, PullRunsToTheOnFrameZeroOrNegativeDelayHoldsAndEndShowsTheOffFrame) {
    levers.add({0.0f, 0.0f}, 0.0f, 0.5f);
    levers.add({0.0f, 0.0f}, 0.0f, -1.0f);
    levers.add({0.0f, 0.0f}, 0.0f, 0.0f);
    levers.start();
    EXPECT_EQ(picture(0).frame.current, Levers::offFrame);
    tick(true, playerAtFirst);
    EXPECT_TRUE(picture(0).frame.active);
    for (int t = 0; t < 25; ++t) tick(false);  // the 30-tick delay is still running
    EXPECT_FALSE(picture(0).frame.active);
    EXPECT_EQ(picture(0).frame.current, Levers::onFrame);
    for (int t = 0; t < 40; ++t) tick(false);
    EXPECT_FALSE(lever(0).switched);
    EXPECT_EQ(picture(0).frame.current, Levers::offFrame);
    EXPECT_TRUE(lever(2).switched);
    levers.end();
    EXPECT_TRUE(lever(1).switched);
    EXPECT_EQ(picture(1).frame.current, Levers::offFrame);
    levers.start();
    EXPECT_FALSE(lever(1).switched);
}

TEST_F(LeversTest, ResizeHandleLeavesTheLeverItsOwnSize) {
    levers.show();
    levers.add({100.0f, 100.0f}, 0.0f, -1.0f);
    levers.editor().select(0);
    drag(levers, {190.0f, 250.0f}, {400.0f, 500.0f});  // from the bottom-right corner
    release(levers);
    EXPECT_EQ(picture(0).rect.width, Levers::size.x);
    EXPECT_EQ(picture(0).rect.height, Levers::size.y);
}

}  // namespace
