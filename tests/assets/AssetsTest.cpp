// Every file the game loads from Resources/ is there and decodes with
// Allegro, and each animation sheet divides into the grid the game cuts it
// into. (The editor's precreated images are loaded by the element tests.)
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_ttf.h>

#include <sstream>

#include "tests/support/Testing.h"

// Each image with its grid of columns x rows and, where the game draws its
// frames at a fixed size, that size (the body's 200 x 300 is the player's).
TEST(Assets, FileMissingUndecodableOrSheetNotCutIntoItsFrames) {
    nktest::engine();
    std::istringstream images(
        "Ingame/Animations/block_anim:8x8 Ingame/Animations/shot_anim:8x4 "
        "Ingame/Player/body:8x3=200x300 Ingame/gate:2x1=300x350 Ingame/lever:5x1=90x150 "
        "Ingame/NPCs/npc1:4x1=200x300 Ingame/NPCs/npc2:4x1=200x300 Ingame/NPCs/npc3:4x1=200x300 "
        "Ingame/NPCs/npc4:4x1=200x300 VAZEzadide-screen Editor/editor_bg_t Editor/editor_bg_r "
        "Editor/button Editor/button_g Icons/button_slide Icons/set_precreated_path "
        "Icons/arrow_right Icons/resize Icons/rotate Icons/change-row Ingame/restart_level "
        "Menu/menu_bg Menu/menu_button Menu/vexa Tutorial/tutorial_game "
        "Tutorial/tutorial_editor_main Tutorial/tutorial_editor_1 Tutorial/tutorial_editor_2 "
        "Tutorial/tutorial_editor_3 Ingame/Player/shot Ingame/Player/health Ingame/win-window "
        "Ingame/lose-window Ingame/Player/head Ingame/Player/armf Ingame/Player/armb "
        "Ingame/Player/gun Ingame/Enemy/camera Ingame/Enemy/camera_holder");
    for (std::string entry; images >> entry;) {
        int columns = 1, rows = 1, frameW = 0, frameH = 0;
        const std::string name = entry.substr(0, entry.find(':'));
        std::sscanf(entry.c_str() + name.size(), ":%dx%d=%dx%d", &columns, &rows, &frameW, &frameH);
        ALLEGRO_BITMAP* b = al_load_bitmap(("Resources/Images/" + name + ".png").c_str());
        ASSERT_NE(b, nullptr) << name;
        const int w = al_get_bitmap_width(b), h = al_get_bitmap_height(b);
        al_destroy_bitmap(b);
        EXPECT_EQ(
            nktest::Ints({w % columns, h % rows, frameW ? w / columns : 0, frameW ? h / rows : 0}),
            nktest::Ints({0, 0, frameW, frameH}))
            << name;
    }
    for (const char* n :
         {"gun", "camera", "camera_destroy", "shot_destroy", "hit", "steps", "win", "lose"}) {
        ALLEGRO_SAMPLE* s = al_load_sample((std::string("Resources/Sounds/") + n + ".ogg").c_str());
        EXPECT_NE(s, nullptr) << n;
        al_destroy_sample(s);
    }
    ALLEGRO_FONT* f = al_load_ttf_font("Resources/Fonts/NK-ClearSans.ttf", 20, 0);
    EXPECT_NE(f, nullptr);
    if (f) al_destroy_font(f);
}
