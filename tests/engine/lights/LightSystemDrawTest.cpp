#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/LightSystem.h"
#include "tests/support/Testing.h"

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
    // Every uniform the pass uploads, one after the other.
    static Floats uniforms() {
        Floats all;
        for (auto [name, n] : {std::pair{"light_pos[0]", 3},
                               {"light_color[0]", 4},
                               {"light_num", 1},
                               {"lights_on", 1},
                               {"camera_trans", 4},
                               {"window_size", 2}}) {
            Floats one = uniform(name, n);
            all.insert(all.end(), one.begin(), one.end());
        }
        return all;
    }

    static inline std::unique_ptr<NK::LightSystem> lights;
};

// Hardness goes third in the position, intensity fourth in the colour. With
// the store emptied only lights_on is uploaded: every other uniform keeps
// its last value, though the view moved meanwhile.
TEST_F(LightPass, ShaderGetsWrongUniformsOrAnEmptyStoreUploadsMoreThanLightsOff) {
    const NK::Display& d = *nktest::engine().display;
    const float w = static_cast<float>(d.windowWidth), h = static_cast<float>(d.windowHeight);
    ASSERT_TRUE(lights->createLight("a", {11, 22}, 0.1f, 0.2f, 0.3f, 250, 3.5f));
    lights->uploadUniforms();
    const Floats lit = {11, 22, 3.5f, 0.1f, 0.2f, 0.3f, 250, 1, 1, 0, 0, 1920, 1080, w, h};
    EXPECT_EQ(uniforms(), lit);
    lights->clearLights();
    nktest::engine().view->x = 500;
    lights->uploadUniforms();
    Floats off = lit;
    off[8] = 0;  // lights_on
    EXPECT_EQ(uniforms(), off);
}

// Light fades with distance rather than stopping at an edge; out of reach
// an ambient floor leaves the floor dark but readable.
TEST_F(LightPass, WhiteFloorIsBrightNearTheLightAndDimButNotBlackBeyondItsReach) {
    lamp("lamp", 400, 300, 300);
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_GT(brightness(400, 300), brightness(400 + 200, 300));
    EXPECT_GT(brightness(400 + 200, 300), brightness(1500, 900));
    EXPECT_LE(brightness(1500, 900), 80);
    EXPECT_GE(brightness(1500, 900), 20);
}

TEST_F(LightPass, LightsOffOrAnEmptyStoreDrawsUnlit) {
    lamp("lamp", 400, 300, 300);
    lights->lightsOn = false;
    drawLitWhite();
    EXPECT_EQ(nktest::colours({{1500, 900}, {400, 300}}, nullptr, 2), "WW");
    // Emptied after a lit upload: lights go off although lightsOn is true.
    lights->lightsOn = true;
    lights->uploadUniforms();
    lights->clearLights();
    drawLitWhite();
    EXPECT_EQ(nktest::colours({{1500, 900}}, nullptr, 2), "W");
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

// Lights add; the same reach and distance differ only by hardness; a
// larger intensity reaches further.
TEST_F(LightPass, ColoursDoNotAddOrHardnessAndIntensityDoNothing) {
    lights->createLight("red", {900, 500}, 1, 0, 0, 400, 1);
    lights->createLight("green", {1000, 500}, 0, 1, 0, 400, 1);
    lamp("soft", 300, 200, 300, 0);
    lamp("hard", 1500, 200, 300, 6);
    lamp("near", 300, 900, 100);
    lamp("far", 1500, 900, 400);
    drawLitWhite();
    nktest::Rgba between = nktest::pixelAt(950, 500);
    EXPECT_TRUE(between.r >= 150 && between.g >= 150 && between.b <= 80) << between;
    EXPECT_GT(std::abs(brightness(300 + 150, 200) - brightness(1500 + 150, 200)), 20);
    EXPECT_GT(brightness(1500 + 200, 900), brightness(300 + 200, 900) + 40);
}

// Built from sources of our choosing by running from their folder.
TEST(ShaderBuild, MissingOrBrokenSourceIsFatal) {
    const std::string home = std::filesystem::current_path();
    const std::string dir = nktest::tempPath("shaders");
    std::filesystem::create_directories(dir + "/VAZEzadide/glsl/Shaders");
    ASSERT_EQ(chdir(dir.c_str()), 0);
    auto build = [] {
        return nktest::catchFatal([] { NK::LightSystem s(nktest::engine().renderContext); }).text;
    };
    const std::string missing = build();
    std::ifstream real(home + "/" + NK::LightSystem::vertexPath);
    std::ofstream(NK::LightSystem::vertexPath) << real.rdbuf();
    std::ofstream(NK::LightSystem::fragmentPath) << "void main() { this is not glsl }\n";
    const std::string broken = build();  // the compiler's log
    EXPECT_EQ(chdir(home.c_str()), 0);
    al_use_shader(nullptr);
    EXPECT_NE(missing.find("lights.vert"), std::string::npos) << missing;
    EXPECT_FALSE(broken.empty());
}
