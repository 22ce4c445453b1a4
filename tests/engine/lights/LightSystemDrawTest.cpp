#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/LightSystem.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/Pixels.h"

using Floats = std::vector<float>;

// The light pass on the virtual display: what the shader receives is read
// back from OpenGL, and what it does is read back from the pixels.
class LightPass : public testing::Test {
protected:
    // A fresh light system per test; building it makes its shader current.
    void SetUp() override {
        nktest::resetDrawing();
        lights = std::make_unique<NK::LightSystem>(nktest::engine().renderContext);
    }
    void TearDown() override {
        lights.reset();
        nktest::resetDrawing();
    }

    static void lamp(const char* key, float x, float y, float reach, float hardness = 1) {
        ASSERT_TRUE(lights->createLight(key, {x, y}, 1, 1, 1, reach, hardness));
    }
    // Uploads, then draws a white floor over the whole view through the shader.
    static void drawLitWhite() {
        lights->uploadUniforms();
        const NK::View& v = *nktest::engine().view;
        al_draw_filled_rectangle(v.x, v.y, v.x + v.width, v.y + v.height,
                                 al_map_rgb(255, 255, 255));
    }
    static int brightness(int x, int y) {
        nktest::Rgba c = nktest::pixelAt(x, y);
        return (c.r + c.g + c.b) / 3;
    }
    static bool unlit(int x, int y) {
        return nktest::near(nktest::pixelAt(x, y), 255, 255, 255, 2);
    }
    // The first n values of a uniform as the shader holds them. Allegro's
    // headers hide the GL 2 read-back calls, so they are fetched by name.
    static Floats uniform(const char* name, int n) {
        using GetLocation = GLint (*)(GLuint, const char*);
        using GetFloats = void (*)(GLuint, GLint, GLfloat*);
        const GLuint program = al_get_opengl_program_object(lights->getShader());
        const GLint at = reinterpret_cast<GetLocation>(
            al_get_opengl_proc_address("glGetUniformLocation"))(program, name);
        EXPECT_GE(at, 0) << name;
        Floats out(4, -12345.0f);
        reinterpret_cast<GetFloats>(al_get_opengl_proc_address("glGetUniformfv"))(program, at,
                                                                                  out.data());
        out.resize(n);
        return out;
    }

    static inline std::unique_ptr<NK::LightSystem> lights;
};

TEST_F(LightPass, ShaderGetsHardnessThirdInPositionAndIntensityFourthInColour) {
    ASSERT_TRUE(lights->createLight("a", {11, 22}, 0.1f, 0.2f, 0.3f, 250, 3.5f));
    lights->uploadUniforms();
    EXPECT_EQ(uniform("light_pos[0]", 3), (Floats{11, 22, 3.5f}));
    EXPECT_EQ(uniform("light_color[0]", 4), (Floats{0.1f, 0.2f, 0.3f, 250}));
    EXPECT_EQ(uniform("light_num", 1), Floats{1});
    EXPECT_EQ(uniform("lights_on", 1), Floats{1});
}

TEST_F(LightPass, WhiteFloorIsBrightNearTheLightAndDarkBeyondItsReach) {
    lamp("lamp", 400, 300, 300);
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_LE(brightness(1500, 900), 80);
    // Light fades with distance rather than stopping at an edge.
    EXPECT_GT(brightness(400, 300), brightness(400 + 200, 300));
    EXPECT_GT(brightness(400 + 200, 300), brightness(1500, 900));
}

TEST_F(LightPass, LightsOffOrAnEmptyStoreDrawsUnlit) {
    lamp("lamp", 400, 300, 300);
    lights->lightsOn = false;
    drawLitWhite();
    EXPECT_TRUE(unlit(1500, 900));
    EXPECT_TRUE(unlit(400, 300));
    // Emptied after a lit upload: lights go off although lightsOn is true.
    lights->lightsOn = true;
    lights->uploadUniforms();
    lights->clearLights();
    drawLitWhite();
    EXPECT_TRUE(unlit(1500, 900));
}

// The shader maps window pixels to level pixels through the view: a moved
// view shifts the light and a zoomed-out one shrinks its reach on screen.
TEST_F(LightPass, LightSitsAtItsLevelPositionThroughTheView) {
    const struct {
        float viewX, viewY, viewW, viewH, lampX, lampY, reach;
        int darkX, darkY;
    } cases[] = {{1000, 400, 1920, 1080, 1400, 700, 150, 1400, 700},
                 {0, 0, 3840, 2160, 800, 600, 300, 600, 300}};
    for (const auto& c : cases) {
        NK::View& v = *nktest::engine().view;
        v.x = c.viewX;
        v.y = c.viewY;
        v.width = c.viewW;
        v.height = c.viewH;
        v.apply();
        lights->clearLights();
        lamp("lamp", c.lampX, c.lampY, c.reach);
        drawLitWhite();
        EXPECT_GE(brightness(400, 300), 200) << c.viewW;
        EXPECT_LE(brightness(c.darkX, c.darkY), 80) << c.viewW;
    }
}

TEST_F(LightPass, ColouredLightsAdd) {
    lights->createLight("red", {900, 500}, 1, 0, 0, 400, 1);
    lights->createLight("green", {1000, 500}, 0, 1, 0, 400, 1);
    drawLitWhite();
    nktest::Rgba between = nktest::pixelAt(950, 500);
    EXPECT_GE(between.r, 150);
    EXPECT_GE(between.g, 150);
    EXPECT_LE(between.b, 80);
}

TEST_F(LightPass, HardnessShapesTheFalloffAndIntensityIsTheReach) {
    lamp("soft", 500, 300, 300, 0);
    lamp("hard", 1400, 300, 300, 6);
    lamp("near", 500, 800, 100);
    lamp("far", 1400, 800, 400);
    drawLitWhite();
    // Same reach, same distance: only the hardness differs.
    EXPECT_GT(std::abs(brightness(500 + 150, 300) - brightness(1400 + 150, 300)), 20);
    EXPECT_GT(brightness(1400 + 200, 800), brightness(500 + 200, 800) + 40);
}

// A room of walls, floor and crates under three coloured lamps. Besides the
// checks, NK_LIGHTS_SHOT=<png path> keeps the picture for a person to judge.
TEST_F(LightPass, RoomUnderColouredLampsHasColouredPoolsAndReadableDark) {
    lights->createLight("warm", {420, 330}, 1.0f, 0.6f, 0.25f, 520, 1.5f);
    lights->createLight("teal", {1250, 420}, 0.2f, 0.7f, 1.0f, 420, 2.5f);
    lights->createLight("red", {1700, 820}, 1.0f, 0.15f, 0.1f, 300, 0.5f);
    lights->uploadUniforms();
    al_draw_filled_rectangle(0, 0, 1920, 1080, al_map_rgb(170, 160, 150));  // mortar
    for (int row = 0; row < 14; ++row) {
        for (int col = 0; col < 17; ++col) {
            const float x = col * 120.0f + (row % 2) * 60.0f - 60.0f, y = row * 60.0f;
            al_draw_filled_rectangle(x + 3, y + 3, x + 117, y + 57, al_map_rgb(140, 120, 110));
        }
    }
    al_draw_filled_rectangle(0, 860, 1920, 1080, al_map_rgb(120, 100, 80));  // floor
    for (float x : {300.0f, 380.0f, 1100.0f, 1500.0f}) {
        al_draw_filled_rectangle(x, 780, x + 80, 860, al_map_rgb(190, 140, 80));  // crates
        al_draw_rectangle(x, 780, x + 80, 860, al_map_rgb(90, 60, 30), 4);
    }
    if (const char* path = std::getenv("NK_LIGHTS_SHOT")) {
        al_save_bitmap(path, al_get_backbuffer(nktest::engine().display->display));
    }
    nktest::Rgba warm = nktest::pixelAt(420, 330);
    nktest::Rgba teal = nktest::pixelAt(1250, 420);
    nktest::Rgba corner = nktest::pixelAt(1900, 20);
    EXPECT_GT(warm.r, warm.b + 40) << warm;
    EXPECT_GT(teal.b, teal.r + 40) << teal;
    // Out of every reach the wall is dim, yet not black.
    EXPECT_LT(corner.r, 80) << corner;
    EXPECT_GT(corner.r + corner.g + corner.b, 30) << corner;
}

// Building the shader from sources of our choosing means running from their folder.
class ShaderBuild : public testing::Test {
protected:
    void SetUp() override {
        char cwd[4096], pattern[] = "/tmp/nk_lights_XXXXXX";
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = cwd;
        dir = pattern;
        std::system(("mkdir -p " + dir + "/VAZEzadide/glsl/Shaders").c_str());
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(home.c_str()), 0);
        std::system(("rm -rf " + dir).c_str());
        al_use_shader(nullptr);
    }
    std::string home, dir;
};

TEST_F(ShaderBuild, MissingOrBrokenSourceIsFatal) {
    auto build = [] {
        return nktest::catchFatal([] { NK::LightSystem s(nktest::engine().renderContext); }).text;
    };
    const std::string missing = build();
    EXPECT_NE(missing.find("lights.vert"), std::string::npos) << missing;
    std::ifstream real(home + "/" + NK::LightSystem::vertexPath);
    std::ofstream(dir + "/" + NK::LightSystem::vertexPath) << real.rdbuf();
    std::ofstream(dir + "/" + NK::LightSystem::fragmentPath)
        << "void main() { this is not glsl }\n";
    EXPECT_FALSE(build().empty());  // the compiler's log
}
