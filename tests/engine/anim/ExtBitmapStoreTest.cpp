#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

// "hero" is animated from an 8-frame strip.
class ExtBitmapStoreTest : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        animations.loadAnimation(animtest::sheetFile("strip", 256, 32, 8, 1), 8, 1, "strip");
        store.createAnimated(animations.get("strip"), {100, 100, 32, 32}, "hero");
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) store.updateExtBitmaps();
    }
    int frame() { return hero().frame.current; }
    // The frame shown after each of `ticks` ticks.
    std::vector<int> shownOver(int ticks) {
        std::vector<int> shown;
        for (int i = 0; i < ticks; ++i) {
            tick();
            shown.push_back(frame());
        }
        return shown;
    }
    NK::ExtBitmap& hero() { return store.get("hero"); }
    NK::BitmapEntry image = animtest::solidEntry(8, 8, al_map_rgb(255, 0, 0));

    NK::AnimationStore animations;
    NK::ExtBitmapStore store{nktest::engine().renderContext};
};

}  // namespace

TEST_F(ExtBitmapStoreTest, MessagesNameTheKey) {
    store.create(image, {0, 0, 8, 8}, "box");
    nktest::LogCapture log;
    store.create(image, {0, 0, 8, 8}, "box");
    store.destroy("box");
    store.destroy("box");
    store.addSavedAnimation("hero", "walk", 0, 3, 2, false);
    store.addSavedAnimation("hero", "walk", 0, 4, 2, false);
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "INFO: ExtBitmap with key \"box\" remade");
    EXPECT_EQ(lines[1], "INFO: ExtBitmap with key \"box\" not found to destroy");
    EXPECT_EQ(lines[2], "INFO: SavedAnimation with key \"walk\" remade");
    EXPECT_EQ(hero().savedAnimations.get("walk").to, 4);
    EXPECT_FATAL(store.get("box"), "ExtBitmap key \"box\" not found");
    EXPECT_FATAL(store.animateAlpha("box", false, true, 0, 0, 1),
                 "ExtBitmap key \"box\" not found");
    EXPECT_FATAL(store.playSavedAnimation("hero", "run"), "Saved animation key \"run\" not found");
}

// Where the taking-over forms place their picture is checked by the draw tests.
TEST_F(ExtBitmapStoreTest, CreateClonesAConstImageAndEveryAnimationFrame) {
    NK::ExtBitmap& still = store.create(image, {0, 0, 8, 8}, "still", true);
    EXPECT_TRUE(still.centred);
    EXPECT_NE(still.image.get(), nullptr);
    EXPECT_NE(still.image.get(), image.get());
    EXPECT_EQ(store.frames("hero").size(), 8u);
}

TEST_F(ExtBitmapStoreTest, AlphaSnapsToTargetOnTwelfthTickCallingEndOnceWithTheKey) {
    std::vector<std::string> ended;
    store.animateAlpha("hero", false, true, 0, 0.4f, 0.05f).onEnd = [&](std::string key) {
        ended.push_back(key);
    };
    // 1.0 - 11 * 0.05 = 0.45 is still a whole step away; tick 12 snaps.
    for (int t = 1; t <= 11; ++t) {
        tick();
        EXPECT_NEAR(hero().alpha.current, 1.0f - 0.05f * t, 1e-5f) << "tick " << t;
        EXPECT_NE(hero().alpha.current, 0.4f) << "tick " << t;
    }
    EXPECT_TRUE(ended.empty());
    tick();
    EXPECT_EQ(hero().alpha.current, 0.4f);
    EXPECT_EQ(ended, std::vector<std::string>{"hero"});
    EXPECT_EQ(hero().alpha.start, 0.4f);  // the next fade begins where this one stopped
    tick(30);
    EXPECT_EQ(hero().alpha.current, 0.4f);
    EXPECT_EQ(ended.size(), 1u);
}

TEST_F(ExtBitmapStoreTest, LockedAlphaKeepsItsRunUntilItEndsButReturnsItsCallbacks) {
    store.animateAlpha("hero", false, true, 0, 0.5f, 0.25f);
    hero().alpha.locked = true;
    NK::ChannelCallbacks& callbacks = store.animateAlpha("hero", true, true, 3, 0.0f, 0.1f);
    EXPECT_EQ(&callbacks, &hero().alpha.callbacks);
    tick(2);
    EXPECT_EQ(hero().alpha.current, 0.5f);
    EXPECT_FALSE(hero().alpha.active);  // the refused ping-pong with repeats never took
    store.animateAlpha("hero", false, true, 0, 0.0f, 0.5f);
    tick();
    EXPECT_EQ(hero().alpha.current, 0.0f);
}

TEST_F(ExtBitmapStoreTest, ColourAnimationKeepsRestoreAndRunsOnce) {
    int ends = 0;
    store.animateColour("hero", {1, 0, 0}, false, true, true, 0.5f).onEnd = [&](std::string) {
        ++ends;
    };
    // (1,1,1) -> (1,0,0) is 1.414 long: 0.5 per tick leaves 0.414, then snaps on tick 3
    // (0.293 per component < 0.5 after two ticks).
    tick(2);
    EXPECT_EQ(ends, 0);
    tick();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(hero().colour.current, NK::Rgb{});  // restored
}

TEST_F(ExtBitmapStoreTest, CallbackMayDestroyItsOwnBitmap) {
    store.createAnimated(animations.get("strip"), {0, 0, 32, 32}, "other");
    store.animateAlpha("hero", false, true, 0, 0.0f, 1.0f).onEnd = [&](std::string key) {
        store.destroy(key);
        store.destroy("other");
    };
    store.playFrames("hero", 0, 7, 0, false, false, -1);
    store.animateAlpha("other", false, true, 0, 0.0f, 1.0f);
    tick();
    EXPECT_FALSE(store.contains("hero"));
    EXPECT_FALSE(store.contains("other"));
    tick();
}

TEST_F(ExtBitmapStoreTest, PlayFramesCountingShowsEachFrameForTicksPlusOne) {
    int runs = 0, ends = 0;
    NK::ChannelCallbacks& c = store.playFrames("hero", 1, 3, 1, false, false, 1);
    c.onRun = [&](std::string) { ++runs; };
    c.onEnd = [&](std::string) { ++ends; };
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(shownOver(12), (std::vector<int>{1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 3}));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(ExtBitmapStoreTest, StillBitmapIgnoresFrameRuns) {
    NK::ExtBitmap& still = store.create(image, {0, 0, 8, 8}, "still");
    store.playFramesAtStep("still", 0, 5, 1.0f, false, false, 0);
    tick(3);
    EXPECT_EQ(still.frame.current, 0);
    EXPECT_EQ(&still.currentEntry(), &still.image);
}

TEST_F(ExtBitmapStoreTest, SavedAnimationAskedAgainContinuesAndOnceFinishedPlaysAgain) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.playSavedAnimation("hero", "walk");
    tick(2);
    store.playSavedAnimation("hero", "walk");  // as game code does every tick
    EXPECT_EQ(frame(), 2);
    tick();
    EXPECT_EQ(frame(), 3);
    tick();  // past the end: stops on 3
    EXPECT_EQ(frame(), 3);
    EXPECT_TRUE(hero().savedName.empty());
    store.playSavedAnimation("hero", "walk");
    EXPECT_EQ(frame(), 0);
    tick();
    EXPECT_EQ(frame(), 1);
}

TEST_F(ExtBitmapStoreTest, SavedAnimationReplacedByAnotherSavedOrAPlainRun) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.addSavedAnimation("hero", "fall", 7, 5, 0, false);
    store.playSavedAnimation("hero", "walk");
    tick(2);
    store.playSavedAnimation("hero", "fall");
    EXPECT_EQ(frame(), 7);
    tick();
    EXPECT_EQ(frame(), 6);  // backward, as from is above to
    // After a plain run, asking for the saved one again starts it over.
    store.playFramesAtStep("hero", 0, 1, 1.0f, false, false, -1);
    store.playSavedAnimation("hero", "fall");
    EXPECT_EQ(frame(), 7);
}

TEST_F(ExtBitmapStoreTest, SavedAnimationPingPongGoesThereAndBack) {
    store.addSavedAnimation("hero", "blink", 0, 2, 0, true);
    store.playSavedAnimation("hero", "blink");
    EXPECT_EQ(shownOver(6), (std::vector<int>{1, 2, 2, 1, 0, 0}));
    EXPECT_TRUE(hero().savedName.empty());
}

TEST_F(ExtBitmapStoreTest, LockedFramesRefuseSavedAndPlainRuns) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.playFramesAtStep("hero", 4, 7, 1.0f, false, true, -1);
    store.playSavedAnimation("hero", "walk");
    store.playFrames("hero", 0, 1, 0, false, false, 0);
    EXPECT_EQ(frame(), 4);
    EXPECT_TRUE(hero().savedName.empty());
    tick();
    EXPECT_EQ(frame(), 5);
    // Unlocked, the saved one may start, since the refusal did not record it.
    hero().frame.locked = false;
    store.playSavedAnimation("hero", "walk");
    EXPECT_EQ(frame(), 0);
}
