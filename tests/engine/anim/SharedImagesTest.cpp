#include <cstdio>
#include <filesystem>

#include "engine/BitmapStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/ImagePrefetch.h"
#include "tests/support/Testing.h"

using namespace std::chrono_literals;

namespace {

// The left and right pixel of the picture drawn alone, whole, on a canvas.
std::string drawn(NK::ExtBitmapStore& pictures, const std::string& key, ALLEGRO_BITMAP* canvas) {
    al_set_target_bitmap(canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    pictures.drawExtBitmap(key);
    std::string seen = nktest::colours({{12, 32}, {52, 32}}, canvas);
    nktest::resetDrawing();
    return seen;
}

using SharedImages = nktest::DrawTest;

}  // namespace

// Loading one file for many elements decodes it once: every entry shows
// the same pixels. A file rewritten (a new time) is decoded anew, each older
// entry keeping what it showed; a file gone is reported as it always was,
// cached or not.
TEST_F(SharedImages, ChangedFileShownFromItsOldPixelsOrMissingFileNotReported) {
    const std::string path = nktest::imageFile("shared", 64, 64, {}, 2);  // red, green
    NK::BitmapStore store{nktest::engine().renderContext};
    ALLEGRO_BITMAP* first = store.load(path, "a").shared.get();
    EXPECT_EQ(store.load(path, "b").shared.get(), first);
    EXPECT_EQ(nktest::colours({{10, 10}, {50, 10}}, store.get("b").get()), "RG");

    nktest::imageFile("shared", 64, 64, al_map_rgb(0, 0, 255));  // same size: only its time tells
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + 10s);
    EXPECT_EQ(nktest::colours({{10, 10}}, store.load(path, "e").get()), "B");
    EXPECT_EQ(nktest::colours({{10, 10}}, store.get("a").get()), "R");

    std::remove(path.c_str());
    EXPECT_FATAL(store.load(path, "f"),
                 "Bitmap path \"" + path + "\" not found or initialization failed");
}

// Pictures share the decoded pixels but not their look: one picture's tint,
// alpha and flip never show on another, and pixels drawn into one entry made
// its own show nowhere else. The shared image lives on while any picture
// shows it, after its store entry, its cache and its first picture are gone.
TEST_F(SharedImages, OnePictureEditsAnotherOrSharedPixelsFreedWhileShown) {
    const std::string path = nktest::imageFile("look", 64, 64, {}, 2);  // red, green
    NK::ExtBitmapStore pictures{nktest::engine().renderContext};
    NK::BitmapEntry painted;
    {
        NK::BitmapStore store{nktest::engine().renderContext};
        NK::BitmapEntry& image = store.load(path, "image");
        NK::ExtBitmap& plain = pictures.create(image, {0, 0, 64, 64}, "plain");
        NK::ExtBitmap& edited = pictures.create(image, {0, 0, 64, 64}, "edited");
        EXPECT_TRUE(plain.image.sharesPixels() && edited.image.sharesPixels());
        EXPECT_EQ(plain.image.shared, edited.image.shared);
        edited.flipX = true;
        edited.colour.current = NK::Rgb{0.0f, 0.0f, 1.0f};
        painted = image.copy();
        painted.ownPixels();
        al_set_target_bitmap(painted.get());
        al_clear_to_color(al_map_rgb(255, 255, 0));
        pictures.create(image, {0, 0, 64, 64}, "third").alpha.current = 0.0f;
        store.destroy("image");
    }
    NK::BitmapEntry canvasEntry = nktest::solidImage(128, 64, al_map_rgb(0, 0, 0));
    ALLEGRO_BITMAP* canvas = canvasEntry.get();
    EXPECT_EQ(drawn(pictures, "edited", canvas), "KK");  // green and red under pure blue
    pictures.get("edited").colour.current = NK::Rgb{1.0f, 1.0f, 1.0f};
    EXPECT_EQ(drawn(pictures, "edited", canvas), "GR");
    EXPECT_EQ(drawn(pictures, "third", canvas), "KK");
    pictures.destroy("third");
    pictures.destroy("edited");
    EXPECT_EQ(drawn(pictures, "plain", canvas), "RG");
    EXPECT_EQ(nktest::colours({{10, 10}}, painted.get()), "Y");
    EXPECT_FALSE(painted.sharesPixels());
}

// Pictures decoded ahead on the workers are the very pixels a decode on the
// game thread gives, half-transparent ones included; a missing file in the
// list is still reported by the store.
TEST_F(SharedImages, DecodedAheadDiffersOrMissingFileNotReported) {
    const std::string soft = nktest::imageFile("soft", 16, 16, al_map_rgba(200, 100, 50, 128));
    const std::string gone = nktest::tempPath("gone.png");
    NK::ImagePrefetch prefetch({soft, gone}, 2);
    NK::ImagePrefetch::setCurrent(&prefetch);
    prefetch.waitForAll();

    NK::BitmapStore store{nktest::engine().renderContext};
    ALLEGRO_BITMAP* direct = al_load_bitmap(soft.c_str());
    const nktest::Rgba expected = nktest::pixelAt(3, 3, direct);
    const nktest::Rgba seen = nktest::pixelAt(3, 3, store.load(soft, "soft").get());
    al_destroy_bitmap(direct);
    EXPECT_EQ(nktest::Ints({seen.r, seen.g, seen.b, seen.a}),
              nktest::Ints({expected.r, expected.g, expected.b, expected.a}));
    EXPECT_FALSE(al_get_bitmap_flags(store.get("soft").get()) & ALLEGRO_MEMORY_BITMAP);
    EXPECT_FATAL(store.load(gone, "gone"),
                 "Bitmap path \"" + gone + "\" not found or initialization failed");

    // A worker's bitmap stays off Allegro's list of memory bitmaps to convert:
    // a window made meanwhile converts every listed one on the game thread,
    // swapping it under the worker that is still writing its pixels.
    NK::ImagePrefetch ahead({soft}, 1);
    ahead.waitForAll();
    std::string stamp;
    ALLEGRO_BITMAP* raw = ahead.take(soft, stamp);
    ASSERT_NE(raw, nullptr);
    EXPECT_FALSE(al_get_bitmap_flags(raw) & ALLEGRO_CONVERT_BITMAP);
    al_destroy_bitmap(raw);
}
