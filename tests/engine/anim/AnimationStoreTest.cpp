#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/support/Testing.h"

namespace {

// Sheets (nktest::imageFile over white) of columns x rows cells, cell i (row by row) in the i-th
// colour of RGBYMC, over and over; pixels right of or below the whole cells white. Read back with
// nktest::colours, a frame names the cell it came from.
const ALLEGRO_COLOR white{1, 1, 1, 1};

// "block" is an 8 x 8 sheet of 64-pixel frames, "strip" 8 x 1 of 32; "hero"
// an ext-bitmap animated from the strip.
class Animations : public nktest::DrawTest {
protected:
    Animations() {
        store.loadAnimation(nktest::imageFile("block", 512, 512, white, 8, 8), 8, 8, "block");
        store.loadAnimation(nktest::imageFile("strip", 256, 32, white, 8, 1), 8, 1, "strip");
        ext.createAnimated(store.get("strip"), {100, 100, 32, 32}, "hero");
    }
    NK::AnimationStore store;
    NK::ExtBitmapStore ext{nktest::engine().renderContext};
};

}  // namespace

// Frames go row by row; 100 / 3 = 33 leaves pixel column 99 in no frame.
TEST_F(Animations, SheetCutIntoWrongFramesOrOrder) {
    NK::Animation& odd =
        store.loadAnimation(nktest::imageFile("odd", 100, 50, white, 3, 2), 3, 2, "odd");
    ALLEGRO_BITMAP* f = odd.frames[4].get();
    EXPECT_EQ(nktest::Ints({odd.frameCount(), odd.frameWidth, odd.frameHeight, al_get_bitmap_x(f),
                            al_get_bitmap_y(f)}),
              nktest::Ints({6, 33, 25, 33, 25}));
    EXPECT_EQ(nktest::colours({{32, 24}}, f, 8) +
                  nktest::colours({{63, 63}}, store.get("block").frames[9].get(), 8),
              "MY");
    const std::string missing = nktest::tempPath("missing.png");
    EXPECT_FATAL(store.loadAnimation(missing, 2, 2, "b"),
                 "Animation bitmap path \"" + missing + "\" not found or initialization failed");
}

// A mirrored play or picture shows its frame the other way round on that
// axis, where the unmirrored one stands: a 2 x 2 frame's quadrants read red,
// green, blue, yellow, then across, upside down and both.
TEST_F(Animations, MirroredFrameDrawnUnmirroredOrElsewhereOrPastItsEnds) {
    store.loadAnimation(nktest::imageFile("quad", 64, 64, white, 2, 2), 1, 1, "quad");
    NK::ExtBitmap& picture = ext.createAnimated(store.get("quad"), {200, 0, 64, 64}, "picture");
    std::string seen;
    for (const int flips : {0, 1, 2, 3}) {
        store.stopPlays();
        store.playAnimation("quad", {0, 0, 64, 64}, false, {.5f, .5f}, 0, 0);
        store.plays().back().flipX = picture.flipX = flips & 1;
        store.plays().back().flipY = picture.flipY = flips & 2;
        al_clear_to_color(white);
        store.drawAnimations();
        ext.drawExtBitmap("picture");
        seen += nktest::colours({{16, 16},
                                 {48, 16},
                                 {16, 48},
                                 {48, 48},
                                 {216, 16},
                                 {248, 16},
                                 {216, 48},
                                 {248, 48}}) +
                " ";
    }
    EXPECT_EQ(seen, "RGBYRGBY GRYBGRYB BYRGBYRG YBGRYBGR ");
    // A frame set past either end of the strip shows that end's frame.
    NK::ExtBitmap& hero = ext.get("hero");
    for (const int frame : {12, -3}) {
        hero.frame.current = frame;
        EXPECT_EQ(&hero.currentEntry(), &hero.frames[frame < 0 ? 0 : 7]) << frame;
    }
}

// 64 frames at 4 a tick: frame 60 on update 15, past the end on 16. A play
// an end callback starts moves from the next tick on, even with a play
// after the ended one still to move. A play goes with its animation.
TEST_F(Animations, PlayRemovedOnTheWrongUpdateOrEndCalledTwiceOrOutlivingItsFrames) {
    int ends = 0;
    store.playAnimation("block", {300, 200, 128, 128}, true, {.5f, .5f}, 4, 0).onEnd = [&] {
        ++ends;
        store.playAnimation("strip", {0, 0, 10, 10}, false, {.5f, .5f}, 1, 0);
    };
    store.playAnimation("strip", {0, 0, 10, 10}, false, {.5f, .5f}, 0, 0);  // never moves
    EXPECT_EQ(store.plays().front().destination, NK::Rect(236, 136, 128, 128));
    for (int update = 1; update <= 15; ++update) store.updateAnimations();
    EXPECT_EQ(store.plays().front().current, 60);
    store.updateAnimations();
    ASSERT_EQ(store.plays().size(), 2u);
    EXPECT_EQ(store.plays().back().current, 0);
    store.updateAnimations();
    EXPECT_EQ(ends, 1);
    store.destroyAnimation("strip");
    EXPECT_TRUE(store.plays().empty());
}

// Game code asks for a saved animation every tick: the one playing goes on,
// a finished one starts over, another saved one or a plain run replaces it.
// A locked run refuses both, and a refused saved run is not recorded. The
// animation's sheet may go before the picture.
TEST_F(Animations, SavedAnimationRestartedWhileRunningOrNotReplacedOrLockIgnored) {
    ext.addSavedAnimation("hero", "walk", 0, 3, 0, false);
    ext.addSavedAnimation("hero", "fall", 7, 5, 0, false);
    ext.addSavedAnimation("hero", "blink", 0, 2, 0, true);
    nktest::Ints shown;
    auto ask = [&](const char* name, int ticks) {
        for (int i = 0; i < ticks; ++i, shown.push_back(ext.get("hero").frame.current)) {
            ext.playSavedAnimation("hero", name);
            ext.updateExtBitmaps();
        }
    };
    ask("walk", 4);  // stops on 3
    ask("walk", 1);  // plays again
    ask("fall", 2);  // backward, as from is above to
    ext.playFramesAtStep("hero", 0, 1, 1.0f, false, false, -1);
    ask("fall", 1);   // after a plain run the saved one starts over
    ask("blink", 6);  // there and back
    ext.playFramesAtStep("hero", 4, 7, 1.0f, false, true, -1);
    ask("walk", 1);
    ext.playFrames("hero", 0, 1, 0, false, false, 0);
    ext.updateExtBitmaps();
    ext.get("hero").frame.locked = false;
    ask("walk", 1);
    EXPECT_EQ(shown, (nktest::Ints{1, 2, 3, 3, 1, 6, 5, 6, 1, 2, 2, 1, 0, 0, 5, 1}));
    EXPECT_FATAL(ext.playSavedAnimation("hero", "run"), "Saved animation key \"run\" not found");
    store.clearAnimations();  // the picture draws from frames of its own
    ext.drawExtBitmap("hero");
    EXPECT_EQ(nktest::colours({{116, 116}}), "G");
}

// A fade's and a tint's end are told with the bitmap's key on the tick each
// reaches its target; a tint's end may destroy its own bitmap.
TEST_F(Animations, FadeOrTintEndNotToldOrOnTheWrongTick) {
    NK::ExtBitmap& b = ext.create(nktest::solidImage(10, 10, al_map_rgb(255, 0, 0)), {0, 0, 10, 10},
                                  "fade", false);
    std::string heard;
    int t = 0;
    b.alpha.animate(0.0f, 0.5f, true, false, 0, false);
    b.colour.animate({1.0f, 1.0f, 0.0f}, 0.25f, true, false, 0, false);  // to yellow
    b.alpha.callbacks.onEnd = [&](std::string key) { heard += "a" + key + std::to_string(t); };
    b.colour.callbacks.onEnd = [&](std::string key) {
        heard += " c" + key + std::to_string(t);
        ext.destroy(key);
    };
    for (t = 1; t <= 6; ++t) ext.updateExtBitmaps();
    EXPECT_EQ(heard, "afade2 cfade4");
    EXPECT_FALSE(ext.contains("fade"));
}
