

#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/Testing.h"

namespace {

using Ints = std::vector<int>;
using Keys = std::vector<std::string>;

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
    Ints shownOver(int ticks) {
        Ints shown;
        for (int i = 0; i < ticks; ++i, shown.push_back(frame())) tick();
        return shown;
    }
    // A callback that notes the key it was called with.
    std::function<void(std::string)> note(Keys& into) {
        return [&into](std::string key) { into.push_back(key); };
    }
    NK::ExtBitmap& hero() { return store.get("hero"); }
    NK::BitmapEntry image = nktest::solidImage(8, 8, al_map_rgb(255, 0, 0));

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
    EXPECT_EQ(log.lines(), (Keys{"INFO: ExtBitmap with key \"box\" remade",
                                 "INFO: ExtBitmap with key \"box\" not found to destroy",
                                 "INFO: SavedAnimation with key \"walk\" remade"}));
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

// 1.0 - 11 x 0.05 = 0.45 is still a whole step from 0.4: tick 12 snaps, calls
// the end once with the key, and the next fade begins where this one stopped.
TEST_F(ExtBitmapStoreTest, AlphaEndCalledEarlyTwiceOrWithoutTheKey) {
    Keys ended;
    store.animateAlpha("hero", false, true, 0, 0.4f, 0.05f).onEnd = note(ended);
    tick(11);
    EXPECT_TRUE(ended.empty());
    EXPECT_NE(hero().alpha.current, 0.4f);
    tick();
    EXPECT_EQ(hero().alpha.current, 0.4f);
    EXPECT_EQ(hero().alpha.start, 0.4f);
    tick(30);
    EXPECT_EQ(ended, Keys{"hero"});
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

// (1,1,1) -> (1,0,0) is 1.414 long: 0.5 per tick leaves 0.414, then snaps on
// tick 3 (0.293 per component < 0.5 after two ticks), back to white.
TEST_F(ExtBitmapStoreTest, ColourAnimationKeepsRestoreAndRunsOnce) {
    Keys ended;
    store.animateColour("hero", {1, 0, 0}, false, true, true, 0.5f).onEnd = note(ended);
    tick(2);
    EXPECT_TRUE(ended.empty());
    tick();
    EXPECT_EQ(ended, Keys{"hero"});
    EXPECT_EQ(hero().colour.current, NK::Rgb{});
}

TEST_F(ExtBitmapStoreTest, CallbackMayDestroyItsOwnBitmap) {
    store.createAnimated(animations.get("strip"), {0, 0, 32, 32}, "other");
    store.animateAlpha("hero", false, true, 0, 0.0f, 1.0f).onEnd = [&](std::string key) {
        store.destroy(key);
        store.destroy("other");
    };
    store.playFrames("hero", 0, 7, 0, false, false, -1);
    store.animateAlpha("other", false, true, 0, 0.0f, 1.0f);
    tick(2);
    EXPECT_FALSE(store.contains("hero") || store.contains("other"));
}

TEST_F(ExtBitmapStoreTest, PlayFramesCountingShowsEachFrameForTicksPlusOne) {
    Keys runs, ends;
    NK::ChannelCallbacks& c = store.playFrames("hero", 1, 3, 1, false, false, 1);
    c.onRun = note(runs);
    c.onEnd = note(ends);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(shownOver(12), (Ints{1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 3}));
    EXPECT_EQ(runs, Keys{"hero"});
    EXPECT_EQ(ends, Keys{"hero"});
    // A still bitmap has no frames to run.
    NK::ExtBitmap& still = store.create(image, {0, 0, 8, 8}, "still");
    store.playFramesAtStep("still", 0, 5, 1.0f, false, false, 0);
    tick(3);
    EXPECT_EQ(still.frame.current, 0);
    EXPECT_EQ(&still.currentEntry(), &still.image);
}

// Game code asks for a saved animation every tick: the one playing goes on,
// a finished one starts over, another saved one or a plain run replaces it.
TEST_F(ExtBitmapStoreTest, SavedAnimationRestartedWhileRunningOrNotReplaced) {
    store.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    store.addSavedAnimation("hero", "fall", 7, 5, 0, false);
    store.addSavedAnimation("hero", "blink", 0, 2, 0, true);
    Ints shown;
    auto ask = [&](const char* name, int ticks) {
        for (int i = 0; i < ticks; ++i, shown.push_back(frame())) {
            store.playSavedAnimation("hero", name);
            tick();
        }
    };
    ask("walk", 4);  // stops on 3
    ask("walk", 1);  // plays again
    ask("fall", 2);  // backward, as from is above to
    store.playFramesAtStep("hero", 0, 1, 1.0f, false, false, -1);
    ask("fall", 1);   // after a plain run the saved one starts over
    ask("blink", 6);  // there and back
    EXPECT_EQ(shown, (Ints{1, 2, 3, 3, 1, 6, 5, 6, 1, 2, 2, 1, 0, 0}));
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
