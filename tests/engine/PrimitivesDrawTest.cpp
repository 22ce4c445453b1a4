#include "tests/support/Testing.h"

// A half-transparent white PNG over black must come out mid grey; an image
// premultiplied on load under the straight-alpha blender would come out at
// a quarter, and every soft edge darkened.
TEST(ImageLoading, LoadedImagesPremultipliedAndDarkened) {
    nktest::resetDrawing();
    const std::string path = nktest::imageFile("half-white", 4, 4, al_map_rgba(255, 255, 255, 128));
    ALLEGRO_BITMAP* loaded = al_load_bitmap(path.c_str());
    ASSERT_NE(loaded, nullptr);
    al_draw_scaled_bitmap(loaded, 0, 0, 4, 4, 0, 0, 400, 400, 0);
    al_destroy_bitmap(loaded);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(100, 100), 128, 128, 128, 6));
}
