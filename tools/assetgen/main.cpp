// assetgen: draws every image and synthesises every sound that Dovra loads.
// Run from the repository root (tools/make-assets.sh does, under a virtual
// display): `assetgen` makes everything, `assetgen ui props` only those
// families. The output is committed; the game never needs this program.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

int main(int argc, char** argv) {
    if (!al_init() || !al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon() ||
        !al_init_primitives_addon()) {
        std::fprintf(stderr, "assetgen: Allegro did not initialise\n");
        return 1;
    }
    // Video bitmaps (and so GPU primitives) need a display.
    al_set_new_display_flags(ALLEGRO_OPENGL | ALLEGRO_PROGRAMMABLE_PIPELINE);
    ALLEGRO_DISPLAY* display = al_create_display(320, 200);
    if (!display) {
        std::fprintf(stderr, "assetgen: no display (run under tools/headless.sh)\n");
        return 1;
    }
    al_set_config_value(al_get_system_config(), "image", "png_compression_level", "9");

    std::vector<std::pair<const char*, std::function<void()>>> families = {
        {"characters", gen::makeCharacters},
        {"props", gen::makeProps},
        {"ui", gen::makeUi},
        {"tutorial", gen::makeTutorial},
        {"tiles", gen::makeTiles},
        {"sounds", gen::makeSounds},
        {"icon", gen::makeIcon},
        {"contact", gen::makeContactSheet}};
    for (auto& [name, make] : families) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; i++) wanted = wanted || std::strcmp(argv[i], name) == 0;
        if (!wanted) continue;
        std::printf("%s\n", name);
        make();
    }
    gen::freeFonts();
    al_destroy_display(display);
    return 0;
}
