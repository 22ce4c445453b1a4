// Every file the game loads is there, decodes with Allegro, and has the
// layout the game relies on.
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_ttf.h>

#include <cstdint>
#include <filesystem>

#include "tests/support/Testing.h"

namespace {

struct Sheet {
    std::string name;  // under Resources/Images/, without ".png"
    int columns = 1, rows = 1;
    int width = 0, height = 0;  // 0: any size
};

// clang-format off
const std::vector<Sheet> kImages = {
    {"VAZEzadide-screen"}, {"Editor/editor_bg_t"}, {"Editor/editor_bg_r"}, {"Editor/button"},
    {"Editor/button_g"}, {"Icons/button_slide"}, {"Icons/set_precreated_path"},
    {"Icons/arrow_right"}, {"Icons/resize"}, {"Icons/rotate"}, {"Icons/change-row"},
    {"Ingame/restart_level"}, {"Menu/menu_bg"}, {"Menu/menu_button"}, {"Menu/vexa"},
    {"Tutorial/tutorial_game"}, {"Tutorial/tutorial_editor_main"}, {"Tutorial/tutorial_editor_1"},
    {"Tutorial/tutorial_editor_2"}, {"Tutorial/tutorial_editor_3"}, {"Ingame/Player/shot"},
    {"Ingame/Player/health"},
    {"Ingame/Animations/block_anim", 8, 8}, {"Ingame/Animations/shot_anim", 8, 4},
    {"Ingame/win-window", 1, 1, 900, 750}, {"Ingame/lose-window", 1, 1, 900, 750},
    {"Ingame/Player/body", 8, 3, 1600, 900},  // 200 x 300 frames: the player's size
    {"Ingame/Player/head", 1, 1, 120, 120}, {"Ingame/Player/armf", 1, 1, 120, 120},
    {"Ingame/Player/armb", 1, 1, 120, 120}, {"Ingame/Player/gun", 1, 1, 120, 120},
    {"Ingame/Enemy/camera", 1, 1, 120, 60}, {"Ingame/Enemy/camera_holder", 1, 1, 100, 140},
    {"Ingame/gate", 2, 1, 600, 350}, {"Ingame/lever", 5, 1, 450, 150},
    {"Ingame/NPCs/npc1", 4, 1, 800, 300}, {"Ingame/NPCs/npc2", 4, 1, 800, 300},
    {"Ingame/NPCs/npc3", 4, 1, 800, 300}, {"Ingame/NPCs/npc4", 4, 1, 800, 300}};

// The editor's precreated lists, in order.
const std::vector<std::string> kBoxes = {
    "VAZEzadide-screen", "block1", "block2", "level1block", "level1block1", "level1block2",
    "level2block", "level2block1", "level2block2", "level4block", "level4block1", "level4block2",
    "level5block", "level5block2", "level7block", "level7block2", "level8block", "level8block2",
    "level9block", "level9block2"};
const std::vector<std::string> kCircles = {
    "VAZEzadide-circle", "level1circle", "level2circle", "level4circle", "level5circle",
    "level7circle", "level8circle", "level9circle"};
const std::vector<std::string> kBackgrounds = {
    "VAZEzadide-screen", "level1-1", "level1-2", "level2-1", "level2-2", "level3-1", "level3-2",
    "level4-1", "level4-2", "level5-1", "level5-2", "level6-1", "level6-2", "level7-1",
    "level7-2", "level7bg", "level8-1", "level8-2", "level9-1", "level9-2"};
// clang-format on

struct Bitmap {
    ALLEGRO_BITMAP* b;
    explicit Bitmap(const std::string& path) : b(al_load_bitmap(path.c_str())) {}
    ~Bitmap() {
        if (b) al_destroy_bitmap(b);
    }
    int width() const { return al_get_bitmap_width(b); }
    int height() const { return al_get_bitmap_height(b); }
};

class Assets : public testing::Test {
protected:
    void SetUp() override { nktest::engine(); }
};

}  // namespace

TEST_F(Assets, ImageMissingUndecodableOrNotCutIntoItsFrames) {
    for (const Sheet& s : kImages) {
        SCOPED_TRACE(s.name);
        Bitmap bmp("Resources/Images/" + s.name + ".png");
        ASSERT_NE(bmp.b, nullptr) << "missing or undecodable";
        EXPECT_EQ(bmp.width() % s.columns + bmp.height() % s.rows, 0) << "not a whole grid";
        if (s.width)
            EXPECT_EQ(std::vector<int>({bmp.width(), bmp.height()}),
                      std::vector<int>({s.width, s.height}));
    }
}

// Dialog design: background 0,0,500,500 and button 0,500,300,100, both
// carrying a picture (their centres are opaque).
TEST_F(Assets, DialogDesignWithoutBackgroundOrButtonRegion) {
    Bitmap d("Resources/Designes/NK-design_g.png");
    ASSERT_NE(d.b, nullptr);
    EXPECT_TRUE(d.width() >= 500 && d.height() >= 600);
    EXPECT_GT(nktest::pixelAt(250, 250, d.b).a, 200);
    EXPECT_GT(nktest::pixelAt(150, 550, d.b).a, 200);
}

// Circles are round on transparent ground: square, clear corners, opaque middle.
TEST_F(Assets, PrecreatedImageMissingOrCircleNotRound) {
    for (auto [folder, names] :
         {std::pair{"Boxes", &kBoxes}, {"Circles", &kCircles}, {"Backgrounds", &kBackgrounds}}) {
        for (const std::string& n : *names) {
            const std::string path = std::string("Editor/") + folder + "/Dovra/" + n + ".png";
            SCOPED_TRACE(path);
            Bitmap bmp(path);
            ASSERT_NE(bmp.b, nullptr);
            if (names != &kCircles) continue;
            const int w = bmp.width(), h = bmp.height();
            EXPECT_EQ(w, h);
            EXPECT_EQ(std::vector<int>({nktest::pixelAt(1, 1, bmp.b).a,
                                        nktest::pixelAt(w - 2, h - 2, bmp.b).a,
                                        nktest::pixelAt(w / 2, h / 2, bmp.b).a}),
                      std::vector<int>({0, 0, 255}));
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory("Editor/Levels"));
}

// Sounds are short; the steps loop starts and ends in silence, since a click
// at the loop point would be a jump between its last and first samples.
TEST_F(Assets, SoundMissingLongOrStepsLoopClicking) {
    for (const char* n :
         {"gun", "camera", "camera_destroy", "shot_destroy", "hit", "steps", "win", "lose"}) {
        SCOPED_TRACE(n);
        ALLEGRO_SAMPLE* s = al_load_sample((std::string("Resources/Sounds/") + n + ".ogg").c_str());
        ASSERT_NE(s, nullptr);
        const unsigned length = al_get_sample_length(s);
        const float seconds = length / static_cast<float>(al_get_sample_frequency(s));
        EXPECT_TRUE(seconds > 0.1f && seconds < 2.5f) << seconds;
        if (std::string(n) == "steps") {
            ASSERT_EQ(al_get_sample_channels(s), ALLEGRO_CHANNEL_CONF_1);
            ASSERT_EQ(al_get_sample_depth(s), ALLEGRO_AUDIO_DEPTH_INT16);
            const int16_t* d = static_cast<const int16_t*>(al_get_sample_data(s));
            for (unsigned i = 0; i < 200; i++)
                EXPECT_TRUE(std::abs(d[i]) < 64 && std::abs(d[length - 1 - i]) < 64) << i;
        }
        al_destroy_sample(s);
    }
}

TEST_F(Assets, FontUnreadableOrWithoutItsLicenceOrDataFoldersTooLarge) {
    ALLEGRO_FONT* f = al_load_ttf_font("Resources/Fonts/NK-ClearSans.ttf", 20, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_GT(al_get_text_width(f, "Dovra"), 0);
    al_destroy_font(f);
    EXPECT_TRUE(std::filesystem::exists("Resources/Fonts/NK-ClearSans-LICENSE.txt"));
    std::uintmax_t total = 0;
    for (const char* dir : {"Resources", "Editor"})
        for (auto& e : std::filesystem::recursive_directory_iterator(dir))
            if (e.is_regular_file()) total += e.file_size();
    EXPECT_LT(total, 40u * 1024 * 1024);
}
