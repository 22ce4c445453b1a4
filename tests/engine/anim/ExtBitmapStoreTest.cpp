#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

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
    int frame() { return store.get("hero").frame.current; }

    NK::AnimationStore animations;
    NK::ExtBitmapStore store{nktest::engine().renderContext};
};

}  // namespace

TEST_F(ExtBitmapStoreTest, MessagesNameTheKey) {
    NK::BitmapEntry image = animtest::solidEntry(8, 8, al_map_rgb(255, 0, 0));
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
    EXPECT_EQ(store.get("hero").savedAnimations.get("walk").to, 4);
    EXPECT_FATAL(store.get("box"), "ExtBitmap key \"box\" not found");
    EXPECT_FATAL(store.animateAlpha("box", false, true, 0, 0, 1),
                 "ExtBitmap key \"box\" not found");
    EXPECT_FATAL(store.playSavedAnimation("hero", "run"), "Saved animation key \"run\" not found");
}

TEST_F(ExtBitmapStoreTest, CreateVariantsSetPlacementAndSpace) {
    NK::BitmapEntry image = animtest::solidEntry(40, 20, al_map_rgb(0, 255, 0));
    image.placement = {10, 20, 40, 20};
    NK::ExtBitmap& world = store.create(image, {500, 300, 100, 50}, "world", true);
    EXPECT_FALSE(world.screenSpace);
    EXPECT_TRUE(world.centred);
    EXPECT_FALSE(world.animated);
    EXPECT_EQ(world.rect, NK::Rect(500, 300, 100, 50));
    NK::ExtBitmap& screen = store.create(std::move(image), "screen");
    EXPECT_TRUE(screen.screenSpace);
    EXPECT_FALSE(screen.centred);
    EXPECT_EQ(screen.rect, NK::Rect(10, 20, 40, 20));
    EXPECT_EQ(screen.alpha.current, 1.0f);
    EXPECT_EQ(screen.colour.current, NK::Rgb{});
    EXPECT_EQ(screen.pivot.x, 0.5f);
    EXPECT_TRUE(screen.visible);
    // The world one holds its own copy, unaffected by the moved-from original.
    EXPECT_NE(world.image.get(), nullptr);
    EXPECT_NE(world.image.get(), screen.image.get());
    EXPECT_EQ(store.frames("hero").size(), 8u);
    EXPECT_TRUE(store.frames("world").empty());
}

TEST_F(ExtBitmapStoreTest, AlphaEndCallbackCalledOnceWithTheKey) {
    std::vector<std::string> ended;
    store.animateAlpha("hero", false, true, 0, 0.4f, 0.05f).onEnd = [&](std::string key) {
        ended.push_back(key);
    };
    tick(11);
    EXPECT_TRUE(ended.empty());
    EXPECT_NE(store.get("hero").alpha.current, 0.4f);
    tick();
    EXPECT_EQ(store.get("hero").alpha.current, 0.4f);
    tick(30);
    EXPECT_EQ(ended, std::vector<std::string>{"hero"});
}

TEST_F(ExtBitmapStoreTest, LockedAlphaKeepsItsRunButReturnsItsCallbacks) {
    store.animateAlpha("hero", false, true, 0, 0.0f, 0.5f);
    store.get("hero").alpha.locked = true;
    NK::ChannelCallbacks& callbacks = store.animateAlpha("hero", false, true, 0, 1.0f, 0.1f);
    EXPECT_EQ(&callbacks, &store.get("hero").alpha.callbacks);
    tick();
    EXPECT_EQ(store.get("hero").alpha.current, 0.5f);
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
    EXPECT_EQ(store.get("hero").colour.current, NK::Rgb{});  // restored
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
    std::vector<int> shown{frame()};
    for (int i = 0; i < 12; ++i) {
        tick();
        shown.push_back(frame());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 3}));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(ExtBitmapStoreTest, StillBitmapIgnoresFrameRuns) {
    NK::BitmapEntry image = animtest::solidEntry(8, 8, al_map_rgb(255, 0, 0));
    NK::ExtBitmap& still = store.create(image, {0, 0, 8, 8}, "still");
    store.playFramesAtStep("still", 0, 5, 1.0f, false, false, 0);
    tick(3);
    EXPECT_EQ(still.frame.current, 0);
    EXPECT_EQ(&still.currentEntry(), &still.image);
}

TEST_F(ExtBitmapStoreTest, SavedAnimationAskedAgainContinues) {
    store.addSavedAnimation("hero", "walk", 0, 5, 0, false);
    store.playSavedAnimation("hero", "walk");
    tick(3);
    ASSERT_EQ(frame(), 3);
    store.playSavedAnimation("hero", "walk");  // as game code does every tick
    EXPECT_EQ(frame(), 3);
    tick();
    EXPECT_EQ(frame(), 4);
}

TEST_F(ExtBitmapStoreTest, FinishedSavedAnimationPlaysAgain) {
    store.addSavedAnimation("hero", "wave", 2, 4, 0, false);
    store.playSavedAnimation("hero", "wave");
    tick(3);  // 3, 4, past: ends on 4
    EXPECT_EQ(frame(), 4);
    EXPECT_TRUE(store.get("hero").savedName.empty());
    EXPECT_FALSE(store.get("hero").frame.active);
    store.playSavedAnimation("hero", "wave");
    EXPECT_EQ(frame(), 2);
    EXPECT_EQ(store.get("hero").savedName, "wave");
    tick();
    EXPECT_EQ(frame(), 3);
}

TEST_F(ExtBitmapStoreTest, OtherSavedAnimationReplacesTheRunning) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.addSavedAnimation("hero", "fall", 7, 5, 0, false);
    store.playSavedAnimation("hero", "walk");
    tick(2);
    store.playSavedAnimation("hero", "fall");
    EXPECT_EQ(frame(), 7);
    tick();
    EXPECT_EQ(frame(), 6);  // backward, as from is above to
    EXPECT_EQ(store.get("hero").savedName, "fall");
}

TEST_F(ExtBitmapStoreTest, SavedAnimationPingPongGoesThereAndBack) {
    store.addSavedAnimation("hero", "blink", 0, 2, 0, true);
    store.playSavedAnimation("hero", "blink");
    std::vector<int> shown;
    for (int i = 0; i < 6; ++i) {
        tick();
        shown.push_back(frame());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 2, 1, 0, 0}));
    EXPECT_TRUE(store.get("hero").savedName.empty());
}

TEST_F(ExtBitmapStoreTest, LockedFramesRefuseSavedAndPlainRuns) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.playFramesAtStep("hero", 4, 7, 1.0f, false, true, -1);
    store.playSavedAnimation("hero", "walk");
    store.playFrames("hero", 0, 1, 0, false, false, 0);
    EXPECT_EQ(frame(), 4);
    EXPECT_TRUE(store.get("hero").savedName.empty());
    tick();
    EXPECT_EQ(frame(), 5);
    // Unlocked, the saved one may start, since the refusal did not record it.
    store.get("hero").frame.locked = false;
    store.playSavedAnimation("hero", "walk");
    EXPECT_EQ(frame(), 0);
}

TEST_F(ExtBitmapStoreTest, PlainRunAfterSavedOneLetsItBeAskedForAgain) {
    store.addSavedAnimation("hero", "walk", 0, 5, 0, false);
    store.playSavedAnimation("hero", "walk");
    tick(2);
    store.playFramesAtStep("hero", 6, 7, 1.0f, false, false, -1);
    EXPECT_FALSE(store.get("hero").frame.savedPlaying);
    store.playSavedAnimation("hero", "walk");
    EXPECT_EQ(frame(), 0);
}
