
#include "engine/AnimationStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/Testing.h"

using animtest::cellColour;
using animtest::looks;
using animtest::sheetFile;

namespace {

class AnimationStoreTest : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        store.loadAnimation(sheetFile("msg", 64, 64, 2, 2), 2, 2, "a");
    }
    NK::AnimationPlay& play(const std::string& key, float step = 1, NK::Rect at = {0, 0, 10, 10}) {
        store.playAnimation(key, at, false, {0.5f, 0.5f}, step, 0);
        return store.plays().back();
    }
    // Where a frame lies in its sheet: x, y, width, height.
    static std::vector<int> cut(const NK::AnimationFrame& f) {
        ALLEGRO_BITMAP* b = f.get();
        return {al_get_bitmap_x(b), al_get_bitmap_y(b), al_get_bitmap_width(b),
                al_get_bitmap_height(b)};
    }
    NK::AnimationStore store;
};

}  // namespace

// Frames go row by row; 100 / 3 = 33 leaves pixel column 99 in no frame.
TEST_F(AnimationStoreTest, SheetCutIntoWrongFramesOrOrder) {
    NK::Animation& a = store.loadAnimation(sheetFile("grid", 512, 512, 8, 8), 8, 8, "block");
    NK::Animation& odd = store.loadAnimation(sheetFile("odd", 100, 50, 3, 2), 3, 2, "odd");
    EXPECT_EQ(std::vector<int>({a.frameCount(), a.frameWidth, a.frameHeight, odd.frameCount(),
                                odd.frameWidth, odd.frameHeight}),
              std::vector<int>({64, 64, 64, 6, 33, 25}));
    EXPECT_EQ(cut(a.frames[9]), std::vector<int>({64, 64, 64, 64}));
    EXPECT_EQ(cut(odd.frames[2]), std::vector<int>({66, 0, 33, 25}));
    EXPECT_EQ(cut(odd.frames[3]), std::vector<int>({0, 25, 33, 25}));
    EXPECT_TRUE(looks(0, 0, cellColour(1, 1), 2, a.frames[9].get()));
    EXPECT_TRUE(looks(63, 63, cellColour(1, 1), 2, a.frames[9].get()));
    EXPECT_TRUE(looks(10, 10, cellColour(7, 7), 2, a.frames[63].get()));
    EXPECT_TRUE(looks(32, 0, cellColour(2, 0), 2, odd.frames[2].get()));
}

TEST_F(AnimationStoreTest, MessagesNameTheKeyAndPath) {
    const std::string missing = nktest::tempPath("missing.png");
    nktest::LogCapture log;
    store.loadAnimation(sheetFile("msg", 64, 64, 2, 2), 2, 2, "a");
    store.destroyAnimation("a");
    store.destroyAnimation("a");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"INFO: Animation with key \"a\" remade",
                                        "INFO: Animation with key \"a\" not found to destroy"}));
    EXPECT_FATAL(store.checkAnimation("a"), "Animation key \"a\" not found");
    EXPECT_FATAL(play("a"), "Animation key \"a\" not found");
    EXPECT_FATAL(store.loadAnimation(missing, 2, 2, "b"),
                 "Animation bitmap path \"" + missing + "\" not found or initialization failed");
}

TEST_F(AnimationStoreTest, BlockPlayRemovedOnSixteenthUpdateCallingEndOnce) {
    store.loadAnimation(sheetFile("grid", 512, 512, 8, 8), 8, 8, "block");
    int ends = 0;
    store.playAnimation("block", {300, 200, 128, 128}, true, {0.5f, 0.5f}, 4, 0).onEnd = [&] {
        ++ends;
    };
    // A centred play keeps its top-left corner.
    EXPECT_EQ(store.plays().front().destination, NK::Rect(236, 136, 128, 128));
    for (int update = 1; update <= 15; ++update) {
        store.updateAnimations();
        ASSERT_EQ(store.plays().size(), 1u) << "update " << update;
        EXPECT_EQ(store.plays().front().current, 4 * update);
    }
    EXPECT_EQ(ends, 0);
    store.updateAnimations();
    store.updateAnimations();
    EXPECT_TRUE(store.plays().empty());
    EXPECT_EQ(ends, 1);
}

TEST_F(AnimationStoreTest, PlayStartedByAnEndCallbackMovesInTheSameTick) {
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
    play("one", 1, {100, 100, 400, 200}).flipX = true;
    store.drawAnimations();
    EXPECT_TRUE(looks(120, 200, cellColour(1, 0), 4));
}

TEST_F(AnimationStoreTest, DestroyingAnAnimationDropsItsPlays) {
    store.loadAnimation(sheetFile("msg", 64, 64, 2, 2), 2, 2, "b");
    play("a");
    play("b");
    store.destroyAnimation("a");
    ASSERT_EQ(store.plays().size(), 1u);
    store.updateAnimations();
    store.clearAnimations();
    EXPECT_TRUE(store.plays().empty());
    EXPECT_FALSE(store.contains("b"));
}
