#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/LightSystem.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/Pixels.h"

namespace {

// Allegro's headers hide the GL 2 uniform read-back calls behind their own
// version guards, so fetch them from the driver by name.
using GetLocation = GLint (*)(GLuint, const char*);
using GetFloats = void (*)(GLuint, GLint, GLfloat*);
using GetInts = void (*)(GLuint, GLint, GLint*);

template <typename F>
F glCall(const char* name) {
    return reinterpret_cast<F>(al_get_opengl_proc_address(name));
}

}  // namespace

// The light pass on the virtual display: what the shader receives is read
// back from OpenGL, and what it does is read back from the pixels.
class LightPass : public testing::Test {
protected:
    static void SetUpTestSuite() {
        nktest::resetDrawing();
        lights = new NK::LightSystem(nktest::engine().renderContext);
    }
    static void TearDownTestSuite() {
        delete lights;
        lights = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(lights, nullptr);
        nktest::resetDrawing();
        al_use_shader(lights->getShader());
        lights->clearLights();
        lights->lightsOn = true;
    }
    void TearDown() override {
        lights->clearLights();
        al_use_shader(nullptr);
        nktest::resetDrawing();
    }

    // A white floor over the whole view, drawn through the light shader.
    static void drawLitWhite() {
        const NK::View& v = *nktest::engine().view;
        al_draw_filled_rectangle(v.x, v.y, v.x + v.width, v.y + v.height,
                                 al_map_rgb(255, 255, 255));
    }
    static int brightness(int x, int y) {
        nktest::Rgba c = nktest::pixelAt(x, y);
        return (c.r + c.g + c.b) / 3;
    }
    static GLint location(const char* name) {
        return glCall<GetLocation>("glGetUniformLocation")(
            al_get_opengl_program_object(lights->getShader()), name);
    }
    static void readFloats(const char* name, float* out) {
        GLint at = location(name);
        ASSERT_GE(at, 0) << name;
        glCall<GetFloats>("glGetUniformfv")(al_get_opengl_program_object(lights->getShader()), at,
                                            out);
    }
    static int readInt(const char* name) {
        GLint value = -12345;
        GLint at = location(name);
        EXPECT_GE(at, 0) << name;
        glCall<GetInts>("glGetUniformiv")(al_get_opengl_program_object(lights->getShader()), at,
                                          &value);
        return value;
    }

    static NK::LightSystem* lights;
};

NK::LightSystem* LightPass::lights = nullptr;

TEST_F(LightPass, ShaderReceivesEveryLightFieldInItsSlot) {
    ASSERT_TRUE(lights->createLight("a", {11, 22}, 0.1f, 0.2f, 0.3f, 250, 3.5f));
    lights->uploadUniforms();
    float pos[3] = {}, col[4] = {};
    readFloats("light_pos[0]", pos);
    readFloats("light_color[0]", col);
    EXPECT_FLOAT_EQ(pos[0], 11);
    EXPECT_FLOAT_EQ(pos[1], 22);
    EXPECT_FLOAT_EQ(pos[2], 3.5f);  // hardness rides in the third component
    EXPECT_FLOAT_EQ(col[0], 0.1f);
    EXPECT_FLOAT_EQ(col[1], 0.2f);
    EXPECT_FLOAT_EQ(col[2], 0.3f);
    EXPECT_FLOAT_EQ(col[3], 250);  // intensity in the fourth
    EXPECT_EQ(readInt("light_num"), 1);
    EXPECT_EQ(readInt("lights_on"), 1);
}

TEST_F(LightPass, ShaderReceivesViewAndWindowSize) {
    lights->createLight("a", {0, 0}, 1, 1, 1, 100, 1);
    NK::View& v = *nktest::engine().view;
    v.x = 123;
    v.y = -45;
    v.width = 3840;
    v.height = 2160;
    lights->uploadUniforms();
    float camera[4] = {}, window[2] = {};
    readFloats("camera_trans", camera);
    readFloats("window_size", window);
    EXPECT_FLOAT_EQ(camera[0], 123);
    EXPECT_FLOAT_EQ(camera[1], -45);
    EXPECT_FLOAT_EQ(camera[2], 3840);
    EXPECT_FLOAT_EQ(camera[3], 2160);
    EXPECT_FLOAT_EQ(window[0], float(nktest::engine().display->windowWidth));
    EXPECT_FLOAT_EQ(window[1], float(nktest::engine().display->windowHeight));
}

TEST_F(LightPass, EmptyStoreUploadsOnlyLightsOff) {
    lights->createLight("a", {1, 2}, 1, 1, 1, 100, 1);
    lights->createLight("b", {3, 4}, 1, 1, 1, 100, 1);
    lights->uploadUniforms();
    lights->clearLights();
    nktest::engine().view->x = 999;
    lights->uploadUniforms();
    EXPECT_EQ(readInt("lights_on"), 0);  // even though lightsOn is still true
    EXPECT_EQ(readInt("light_num"), 2);
    float camera[4] = {};
    readFloats("camera_trans", camera);
    EXPECT_FLOAT_EQ(camera[0], 0);
}

TEST_F(LightPass, WhiteFloorIsBrightNearTheLightAndDarkBeyondItsReach) {
    lights->createLight("lamp", {400, 300}, 1, 1, 1, 300, 1);
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_LE(brightness(1500, 900), 80);
    // Light fades with distance rather than stopping at an edge.
    EXPECT_GT(brightness(400, 300), brightness(400 + 200, 300));
    EXPECT_GT(brightness(400 + 200, 300), brightness(1500, 900));
}

TEST_F(LightPass, LightsOffDrawsUnlit) {
    lights->createLight("lamp", {400, 300}, 1, 0, 0, 300, 1);
    lights->lightsOn = false;
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_TRUE(nktest::near(nktest::pixelAt(1500, 900), 255, 255, 255, 2));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(400, 300), 255, 255, 255, 2));
}

TEST_F(LightPass, NoLightsDrawsUnlit) {
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_TRUE(nktest::near(nktest::pixelAt(960, 540), 255, 255, 255, 2));
}

TEST_F(LightPass, LightFollowsTheViewNotTheWindow) {
    // World (1400, 700) lies at window (400, 300) once the view moved by (1000, 400).
    NK::View& v = *nktest::engine().view;
    v.x = 1000;
    v.y = 400;
    v.apply();
    lights->createLight("lamp", {1400, 700}, 1, 1, 1, 150, 1);
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_LE(brightness(1400, 700), 80);
}

TEST_F(LightPass, ReachIsInLevelPixelsSoZoomingOutShrinksItOnScreen) {
    NK::View& v = *nktest::engine().view;
    v.width = 3840;
    v.height = 2160;
    v.apply();
    // At half scale world (800, 600) is window (400, 300) and a 300 pixel
    // reach covers 150 window pixels.
    lights->createLight("lamp", {800, 600}, 1, 1, 1, 300, 1);
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_LE(brightness(400 + 200, 300), 80);
}

TEST_F(LightPass, ColouredLightsAdd) {
    lights->createLight("red", {900, 500}, 1, 0, 0, 400, 1);
    lights->createLight("green", {1000, 500}, 0, 1, 0, 400, 1);
    lights->uploadUniforms();
    drawLitWhite();
    nktest::Rgba between = nktest::pixelAt(950, 500);
    EXPECT_GE(between.r, 150);
    EXPECT_GE(between.g, 150);
    EXPECT_LE(between.b, 80);
}

TEST_F(LightPass, HardnessChangesTheFalloff) {
    lights->createLight("soft", {500, 500}, 1, 1, 1, 300, 0);
    lights->createLight("hard", {1400, 500}, 1, 1, 1, 300, 6);
    lights->uploadUniforms();
    drawLitWhite();
    // Same reach, same distance: only the hardness differs.
    EXPECT_GT(std::abs(brightness(500 + 150, 500) - brightness(1400 + 150, 500)), 20);
}

TEST_F(LightPass, IntensityIsTheReach) {
    lights->createLight("near", {500, 500}, 1, 1, 1, 100, 1);
    lights->createLight("far", {1400, 500}, 1, 1, 1, 400, 1);
    lights->uploadUniforms();
    drawLitWhite();
    EXPECT_GT(brightness(1400 + 200, 500), brightness(500 + 200, 500) + 40);
}

// Building the shader from a folder of our choosing means running from it.
class ShaderBuildFailure : public testing::Test {
protected:
    void SetUp() override {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        char pattern[] = "/tmp/nk_lights_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::system(("mkdir -p " + dir + "/VAZEzadide/glsl/Shaders").c_str());
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(home.c_str()), 0);
        std::system(("rm -rf " + dir).c_str());
        al_use_shader(nullptr);
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir + "/VAZEzadide/glsl/Shaders/" + name) << text;
    }
    std::string realVertex() {
        std::ifstream in(home + "/" + NK::LightSystem::vertexPath);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string home, dir;
};

TEST_F(ShaderBuildFailure, MissingSourceIsFatal) {
    nktest::FatalError e =
        nktest::catchFatal([&] { NK::LightSystem s(nktest::engine().renderContext); });
    EXPECT_NE(e.text.find("lights.vert"), std::string::npos) << e.text;
}

TEST_F(ShaderBuildFailure, BrokenFragmentSourceIsFatalWithTheCompilerLog) {
    write("lights.vert", realVertex());
    write("lights.frag", "void main() { this is not glsl }\n");
    nktest::FatalError e =
        nktest::catchFatal([&] { NK::LightSystem s(nktest::engine().renderContext); });
    EXPECT_FALSE(e.text.empty());
}

// A room of walls, floor and crates under three coloured lamps. Besides the
// checks, NK_LIGHTS_SHOT=<png path> keeps the picture for a person to judge.
TEST_F(LightPass, RoomUnderColouredLampsHasColouredPoolsAndReadableDark) {
    lights->createLight("warm", {420, 330}, 1.0f, 0.6f, 0.25f, 520, 1.5f);
    lights->createLight("teal", {1250, 420}, 0.2f, 0.7f, 1.0f, 420, 2.5f);
    lights->createLight("red", {1700, 820}, 1.0f, 0.15f, 0.1f, 300, 0.5f);
    lights->uploadUniforms();
    const ALLEGRO_COLOR wall = al_map_rgb(170, 160, 150);
    const ALLEGRO_COLOR brick = al_map_rgb(140, 120, 110);
    al_draw_filled_rectangle(0, 0, 1920, 1080, wall);
    for (int row = 0; row < 14; ++row) {
        for (int col = 0; col < 17; ++col) {
            const float x = col * 120.0f + (row % 2) * 60.0f - 60.0f;
            const float y = row * 60.0f;
            al_draw_filled_rectangle(x + 3, y + 3, x + 117, y + 57, brick);
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
