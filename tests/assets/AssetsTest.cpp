// Every file the game loads is there, decodes with Allegro, and has the
// layout its Part gives; the light shaders build and light what they should.
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Pixels.h"

namespace {

struct Sheet {
    std::string path;
    int columns = 1, rows = 1;
    int width = 0, height = 0;  // 0: not fixed by a Part
};

// Every image the game loads, with the sheet
// layouts and sizes the game relies on.
const std::vector<Sheet> kImages = {
    {"Resources/Images/VAZEzadide-screen.png"},
    {"Resources/Images/Editor/editor_bg_t.png"},
    {"Resources/Images/Editor/editor_bg_r.png"},
    {"Resources/Images/Editor/button.png"},
    {"Resources/Images/Editor/button_g.png"},
    {"Resources/Images/Icons/button_slide.png"},
    {"Resources/Images/Icons/set_precreated_path.png"},
    {"Resources/Images/Icons/arrow_right.png"},
    {"Resources/Images/Icons/resize.png"},
    {"Resources/Images/Icons/rotate.png"},
    {"Resources/Images/Icons/change-row.png"},
    {"Resources/Images/Ingame/Animations/block_anim.png", 8, 8},
    {"Resources/Images/Ingame/Animations/shot_anim.png", 8, 4},
    {"Resources/Images/Ingame/restart_level.png"},
    {"Resources/Images/Ingame/win-window.png", 1, 1, 900, 750},
    {"Resources/Images/Ingame/lose-window.png", 1, 1, 900, 750},
    {"Resources/Images/Menu/menu_bg.png"},
    {"Resources/Images/Menu/menu_button.png"},
    {"Resources/Images/Menu/vexa.png"},
    {"Resources/Images/Tutorial/tutorial_game.png"},
    {"Resources/Images/Tutorial/tutorial_editor_main.png"},
    {"Resources/Images/Tutorial/tutorial_editor_1.png"},
    {"Resources/Images/Tutorial/tutorial_editor_2.png"},
    {"Resources/Images/Tutorial/tutorial_editor_3.png"},
    {"Resources/Images/Ingame/Player/body.png", 8, 3, 1600, 900},
    {"Resources/Images/Ingame/Player/head.png", 1, 1, 120, 120},
    {"Resources/Images/Ingame/Player/armf.png", 1, 1, 120, 120},
    {"Resources/Images/Ingame/Player/armb.png", 1, 1, 120, 120},
    {"Resources/Images/Ingame/Player/gun.png", 1, 1, 120, 120},
    {"Resources/Images/Ingame/Player/shot.png"},
    {"Resources/Images/Ingame/Player/health.png"},
    {"Resources/Images/Ingame/Enemy/camera.png", 1, 1, 120, 60},
    {"Resources/Images/Ingame/Enemy/camera_holder.png", 1, 1, 100, 140},
    {"Resources/Images/Ingame/gate.png", 2, 1, 600, 350},
    {"Resources/Images/Ingame/lever.png", 5, 1, 450, 150},
    {"Resources/Images/Ingame/NPCs/npc1.png", 4, 1, 800, 300},
    {"Resources/Images/Ingame/NPCs/npc2.png", 4, 1, 800, 300},
    {"Resources/Images/Ingame/NPCs/npc3.png", 4, 1, 800, 300},
    {"Resources/Images/Ingame/NPCs/npc4.png", 4, 1, 800, 300},
};

// The editor's precreated lists, in order.
const std::vector<std::string> kBoxes = {
    "VAZEzadide-screen.png", "block1.png",       "block2.png",       "level1block.png",
    "level1block1.png",      "level1block2.png", "level2block.png",  "level2block1.png",
    "level2block2.png",      "level4block.png",  "level4block1.png", "level4block2.png",
    "level5block.png",       "level5block2.png", "level7block.png",  "level7block2.png",
    "level8block.png",       "level8block2.png", "level9block.png",  "level9block2.png"};
const std::vector<std::string> kCircles = {
    "VAZEzadide-circle.png", "level1circle.png", "level2circle.png", "level4circle.png",
    "level5circle.png",      "level7circle.png", "level8circle.png", "level9circle.png"};
const std::vector<std::string> kBackgrounds = {
    "VAZEzadide-screen.png", "level1-1.png", "level1-2.png", "level2-1.png", "level2-2.png",
    "level3-1.png",          "level3-2.png", "level4-1.png", "level4-2.png", "level5-1.png",
    "level5-2.png",          "level6-1.png", "level6-2.png", "level7-1.png", "level7-2.png",
    "level7bg.png",          "level8-1.png", "level8-2.png", "level9-1.png", "level9-2.png"};

const std::vector<std::string> kSounds = {
    "gun", "camera", "camera_destroy", "shot_destroy", "hit", "steps", "win", "lose"};

struct Bitmap {
    ALLEGRO_BITMAP* b;
    explicit Bitmap(const std::string& path) : b(al_load_bitmap(path.c_str())) {}
    ~Bitmap() {
        if (b) al_destroy_bitmap(b);
    }
};

class Assets : public testing::Test {
protected:
    void SetUp() override { nktest::engine(); }
};

TEST_F(Assets, EveryImageDecodesWithItsSheetLayout) {
    for (const Sheet& s : kImages) {
        SCOPED_TRACE(s.path);
        Bitmap bmp(s.path);
        ASSERT_NE(bmp.b, nullptr) << "missing or undecodable";
        int w = al_get_bitmap_width(bmp.b), h = al_get_bitmap_height(bmp.b);
        EXPECT_EQ(w % s.columns, 0) << "width " << w << " not a multiple of " << s.columns;
        EXPECT_EQ(h % s.rows, 0) << "height " << h << " not a multiple of " << s.rows;
        if (s.width) {
            EXPECT_EQ(w, s.width);
        }
        if (s.height) {
            EXPECT_EQ(h, s.height);
        }
    }
}

TEST_F(Assets, PlayerBodyFramesAreThePlayersSize) {
    Bitmap body("Resources/Images/Ingame/Player/body.png");
    ASSERT_NE(body.b, nullptr);
    EXPECT_EQ(al_get_bitmap_width(body.b) / 8, 200);
    EXPECT_EQ(al_get_bitmap_height(body.b) / 3, 300);
}

TEST_F(Assets, DialogDesignHoldsBackgroundAndButtonRegions) {
    Bitmap d("Resources/Designes/NK-design_g.png");
    ASSERT_NE(d.b, nullptr);
    // Dialog design: background 0,0,500,500 and button 0,500,300,100.
    EXPECT_GE(al_get_bitmap_width(d.b), 500);
    EXPECT_GE(al_get_bitmap_height(d.b), 600);
    // Both regions carry a picture: their centres are opaque.
    EXPECT_GT(nktest::pixelAt(250, 250, d.b).a, 200);
    EXPECT_GT(nktest::pixelAt(150, 550, d.b).a, 200);
}

TEST_F(Assets, PrecreatedListsExistInEveryFolder) {
    auto check = [](const std::string& folder, const std::vector<std::string>& names) {
        for (const std::string& n : names) {
            std::string path = folder + "Dovra/" + n;
            SCOPED_TRACE(path);
            Bitmap bmp(path);
            EXPECT_NE(bmp.b, nullptr);
        }
    };
    check("Editor/Boxes/", kBoxes);
    check("Editor/Circles/", kCircles);
    check("Editor/Backgrounds/", kBackgrounds);
    EXPECT_TRUE(std::filesystem::is_directory("Editor/Levels"));
}

TEST_F(Assets, CirclesAreRoundOnTransparentGround) {
    for (const std::string& n : kCircles) {
        std::string path = "Editor/Circles/Dovra/" + n;
        SCOPED_TRACE(path);
        Bitmap bmp(path);
        ASSERT_NE(bmp.b, nullptr);
        int w = al_get_bitmap_width(bmp.b), h = al_get_bitmap_height(bmp.b);
        EXPECT_EQ(w, h);
        EXPECT_EQ(nktest::pixelAt(1, 1, bmp.b).a, 0);
        EXPECT_EQ(nktest::pixelAt(w - 2, h - 2, bmp.b).a, 0);
        EXPECT_EQ(nktest::pixelAt(w / 2, h / 2, bmp.b).a, 255);
    }
}

TEST_F(Assets, SoundsDecodeAndAreShort) {
    for (const std::string& n : kSounds) {
        std::string path = "Resources/Sounds/" + n + ".ogg";
        SCOPED_TRACE(path);
        ALLEGRO_SAMPLE* s = al_load_sample(path.c_str());
        ASSERT_NE(s, nullptr);
        float seconds = al_get_sample_length(s) / (float)al_get_sample_frequency(s);
        EXPECT_GT(seconds, 0.1f);
        EXPECT_LT(seconds, 2.5f);
        al_destroy_sample(s);
    }
}

TEST_F(Assets, StepsLoopStartsAndEndsSilent) {
    ALLEGRO_SAMPLE* s = al_load_sample("Resources/Sounds/steps.ogg");
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(al_get_sample_channels(s), ALLEGRO_CHANNEL_CONF_1);
    ASSERT_EQ(al_get_sample_depth(s), ALLEGRO_AUDIO_DEPTH_INT16);
    const int16_t* d = (const int16_t*)al_get_sample_data(s);
    unsigned n = al_get_sample_length(s);
    // A click at the loop point would be a jump between the last and first
    // samples; both ends are silence.
    for (unsigned i = 0; i < 200; i++) {
        EXPECT_LT(std::abs(d[i]), 64) << "sample " << i;
        EXPECT_LT(std::abs(d[n - 1 - i]), 64) << "sample " << n - 1 - i;
    }
    al_destroy_sample(s);
}

TEST_F(Assets, FontLoadsAndCarriesItsLicence) {
    ALLEGRO_FONT* f = al_load_ttf_font("Resources/Fonts/NK-ClearSans.ttf", 20, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_GT(al_get_text_width(f, "Dovra"), 0);
    al_destroy_font(f);
    EXPECT_TRUE(std::filesystem::exists("Resources/Fonts/NK-ClearSans-LICENSE.txt"));
}

TEST_F(Assets, DataFoldersStayLean) {
    std::uintmax_t total = 0;
    for (const char* dir : {"Resources", "Editor"})
        for (auto& e : std::filesystem::recursive_directory_iterator(dir))
            if (e.is_regular_file()) total += e.file_size();
    EXPECT_LT(total, 40u * 1024 * 1024);
}

class LightShader : public Assets {
protected:
    ALLEGRO_SHADER* shader = nullptr;
    void SetUp() override {
        Assets::SetUp();
        nktest::resetDrawing();
        shader = al_create_shader(ALLEGRO_SHADER_GLSL);
        ASSERT_NE(shader, nullptr);
        ASSERT_TRUE(al_attach_shader_source_file(shader, ALLEGRO_VERTEX_SHADER,
                                                 "VAZEzadide/glsl/Shaders/lights.vert"))
            << al_get_shader_log(shader);
        ASSERT_TRUE(al_attach_shader_source_file(shader, ALLEGRO_PIXEL_SHADER,
                                                 "VAZEzadide/glsl/Shaders/lights.frag"))
            << al_get_shader_log(shader);
        ASSERT_TRUE(al_build_shader(shader)) << al_get_shader_log(shader);
    }
    void TearDown() override {
        al_use_shader(nullptr);
        if (shader) al_destroy_shader(shader);
    }
};

TEST_F(LightShader, BuildsAndTakesThePartsUniforms) {
    ASSERT_TRUE(al_use_shader(shader));
    float pos[3] = {960, 540, 2}, col[4] = {1, 1, 1, 150};
    EXPECT_TRUE(al_set_shader_float_vector("light_pos", 3, pos, 1));
    EXPECT_TRUE(al_set_shader_float_vector("light_color", 4, col, 1));
    EXPECT_TRUE(al_set_shader_int("light_num", 1));
    EXPECT_TRUE(al_set_shader_bool("lights_on", true));
    float cam[4] = {0, 0, 1920, 1080}, win[2] = {1920, 1080};
    EXPECT_TRUE(al_set_shader_float_vector("camera_trans", 4, cam, 1));
    EXPECT_TRUE(al_set_shader_float_vector("window_size", 2, win, 1));
}

TEST_F(LightShader, LightsNearItsPositionAndLeavesFarAreasDim) {
    ALLEGRO_DISPLAY* d = nktest::engine().display->display;
    int ww = al_get_display_width(d), wh = al_get_display_height(d);
    ASSERT_TRUE(al_use_shader(shader));
    // A red light of reach 400 at the level point (600, 300), with the view
    // showing the level's 0,0,1920,1080.
    float pos[3] = {600, 300, 2}, col[4] = {1, 0, 0, 400};
    al_set_shader_float_vector("light_pos", 3, pos, 1);
    al_set_shader_float_vector("light_color", 4, col, 1);
    al_set_shader_int("light_num", 1);
    al_set_shader_bool("lights_on", true);
    float cam[4] = {0, 0, 1920, 1080}, win[2] = {(float)ww, (float)wh};
    al_set_shader_float_vector("camera_trans", 4, cam, 1);
    al_set_shader_float_vector("window_size", 2, win, 1);
    al_draw_filled_rectangle(0, 0, 1920, 1080, al_map_rgb(255, 255, 255));
    auto at = [&](float lx, float ly) {
        return nktest::pixelAt((int)(lx * ww / 1920), (int)(ly * wh / 1080));
    };
    nktest::Rgba lit = at(600, 300), far = at(1700, 900);
    EXPECT_GT(lit.r, 230) << lit;
    EXPECT_LT(lit.g, 90) << lit;  // only the ambient floor in green
    EXPECT_LT(far.r, 90) << far;
    EXPECT_GT(far.r, 20) << far;  // dark but readable
    // lights_on false draws unlit.
    al_set_shader_bool("lights_on", false);
    al_draw_filled_rectangle(0, 0, 1920, 1080, al_map_rgb(255, 255, 255));
    EXPECT_TRUE(nktest::near(at(1700, 900), 255, 255, 255));
}

}  // namespace
