#include <gtest/gtest.h>

#include "engine/AnimationStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

using animtest::cellColour;
using animtest::looks;
using animtest::sheetFile;

namespace {

class AnimationStoreTest : public testing::Test {
protected:
    void SetUp() override { nktest::resetDrawing(); }
    void play(const std::string& key, float step = 1, NK::Rect at = {0, 0, 10, 10}) {
        store.playAnimation(key, at, false, {0.5f, 0.5f}, step, 0);
    }
    NK::AnimationStore store;
};

}  // namespace

TEST_F(AnimationStoreTest, EightByEightSheetCutsSixtyFourFramesRowByRow) {
    NK::Animation& a = store.loadAnimation(sheetFile("grid", 512, 512, 8, 8), 8, 8, "block");
    ASSERT_EQ(a.frameCount(), 64);
    EXPECT_EQ(a.frameWidth, 64);
    EXPECT_EQ(a.frameHeight, 64);
    // Frame 9 is the second frame of the second row.
    ALLEGRO_BITMAP* nine = a.frames[9].get();
    EXPECT_EQ(al_get_bitmap_x(nine), 64);
    EXPECT_EQ(al_get_bitmap_y(nine), 64);
    EXPECT_EQ(al_get_bitmap_width(nine), 64);
    EXPECT_TRUE(looks(0, 0, cellColour(1, 1), 2, nine));
    EXPECT_TRUE(looks(63, 63, cellColour(1, 1), 2, nine));
    EXPECT_TRUE(looks(10, 10, cellColour(7, 7), 2, a.frames[63].get()));
}

TEST_F(AnimationStoreTest, RemainderPixelsAtTheRightEdgeBelongToNoFrame) {
    // 100 / 3 = 33: columns start at 0, 33, 66; pixel column 99 is dropped.
    NK::Animation& a = store.loadAnimation(sheetFile("odd", 100, 50, 3, 2), 3, 2, "odd");
    ASSERT_EQ(a.frameCount(), 6);
    EXPECT_EQ(a.frameWidth, 33);
    EXPECT_EQ(a.frameHeight, 25);
    ALLEGRO_BITMAP* third = a.frames[2].get();
    EXPECT_EQ(al_get_bitmap_x(third), 66);
    EXPECT_EQ(al_get_bitmap_width(third), 33);
    EXPECT_TRUE(looks(32, 0, cellColour(2, 0), 2, third));
    EXPECT_EQ(al_get_bitmap_y(a.frames[3].get()), 25);
}

TEST_F(AnimationStoreTest, MessagesNameTheKeyAndPath) {
    const std::string sheet = sheetFile("msg", 64, 64, 2, 2);
    store.loadAnimation(sheet, 2, 2, "a");
    nktest::LogCapture log;
    store.loadAnimation(sheet, 2, 2, "a");
    store.destroyAnimation("a");
    store.destroyAnimation("a");
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "INFO: Animation with key \"a\" remade");
    EXPECT_EQ(lines[1], "INFO: Animation with key \"a\" not found to destroy");
    EXPECT_FATAL(store.checkAnimation("a"), "Animation key \"a\" not found");
    EXPECT_FATAL(play("a"), "Animation key \"a\" not found");
    EXPECT_FATAL(store.loadAnimation("/tmp/no_such_sheet.png", 2, 2, "b"),
                 "Animation bitmap path \"/tmp/no_such_sheet.png\" not found or initialization "
                 "failed");
}

TEST_F(AnimationStoreTest, BlockPlayRemovedOnSixteenthUpdateCallingEndOnce) {
    store.loadAnimation(sheetFile("grid", 512, 512, 8, 8), 8, 8, "block");
    int ends = 0;
    store.playAnimation("block", {300, 200, 128, 128}, true, {0.5f, 0.5f}, 4, 0).onEnd = [&] {
        ++ends;
    };
    for (int update = 1; update <= 15; ++update) {
        store.updateAnimations();
        ASSERT_EQ(store.plays().size(), 1u) << "update " << update;
        EXPECT_EQ(store.plays().front().current, 4 * update);
    }
    EXPECT_EQ(ends, 0);
    store.updateAnimations();
    EXPECT_TRUE(store.plays().empty());
    store.updateAnimations();
    EXPECT_EQ(ends, 1);
}

TEST_F(AnimationStoreTest, CentredPlayStoresItsTopLeftCorner) {
    store.loadAnimation(sheetFile("msg", 64, 64, 2, 2), 2, 2, "a");
    store.playAnimation("a", {300, 200, 100, 40}, true, {0.5f, 0.5f}, 1, 0);
    play("a", 1, {300, 200, 100, 40});
    EXPECT_EQ(store.plays().front().destination, NK::Rect(250, 180, 100, 40));
    EXPECT_EQ(store.plays().back().destination, NK::Rect(300, 200, 100, 40));
}

TEST_F(AnimationStoreTest, PlayStartedByAnEndCallbackWaitsForTheNextTick) {
    store.loadAnimation(sheetFile("msg", 64, 64, 2, 2), 2, 2, "a");
    store.playAnimation("a", {0, 0, 10, 10}, false, {0.5f, 0.5f}, 4, 0).onEnd = [&] { play("a"); };
    store.updateAnimations();
    ASSERT_EQ(store.plays().size(), 1u);
    EXPECT_EQ(store.plays().front().current, 0);
}

TEST_F(AnimationStoreTest, DrawShowsTheCurrentFrameAndFlippedTheOtherSide) {
    const std::string pair = sheetFile("pair", 128, 64, 2, 1);
    store.loadAnimation(pair, 2, 1, "two");
    play("two", 1, {100, 100, 200, 200});
    store.drawAnimations();
    EXPECT_TRUE(looks(200, 200, cellColour(0, 0), 4));
    store.updateAnimations();
    store.drawAnimations();
    EXPECT_TRUE(looks(200, 200, cellColour(1, 0), 4));

    // The whole sheet as one frame, its two halves telling a mirrored draw.
    store.clearAnimations();
    al_clear_to_color(al_map_rgb(0, 0, 0));
    store.loadAnimation(pair, 1, 1, "one");
    play("one", 1, {100, 100, 400, 200});
    store.plays().front().flipX = true;
    store.drawAnimations();
    EXPECT_TRUE(looks(120, 200, cellColour(1, 0), 4));
}

TEST_F(AnimationStoreTest, DestroyingAnAnimationDropsItsPlays) {
    const std::string sheet = sheetFile("msg", 64, 64, 2, 2);
    store.loadAnimation(sheet, 2, 2, "a");
    store.loadAnimation(sheet, 2, 2, "b");
    play("a");
    play("b");
    store.destroyAnimation("a");
    ASSERT_EQ(store.plays().size(), 1u);
    store.updateAnimations();
    store.clearAnimations();
    EXPECT_TRUE(store.plays().empty());
    EXPECT_FALSE(store.contains("b"));
}
