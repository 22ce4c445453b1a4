#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>

#include <memory>

#include "engine/LightSystem.h"
#include "engine/LightSystemStore.h"
#include "tests/support/Testing.h"

using nktest::Floats;

// The light pass on the virtual display: what the shader receives is read
// back from OpenGL, and what it does is read back from the pixels. A fresh
// light system per test; building it makes its shader current.
class LightPass : public nktest::DrawTest {
protected:
    void TearDown() override {
        lights.reset();
        nktest::resetDrawing();
    }
    // Uploads, then draws a white floor over the whole view through the shader.
    void drawLitWhite() {
        lights->uploadUniforms();
        const NK::View& v = *nktest::engine().view;
        al_draw_filled_rectangle(v.x, v.y, v.x + v.width, v.y + v.height,
                                 al_map_rgb(255, 255, 255));
    }
    static int brightness(int x, int y) {
        nktest::Rgba c = nktest::pixelAt(x, y);
        return (c.r + c.g + c.b) / 3;
    }
    // Every uniform the pass uploads, as the shader holds them, one after the
    // other. Allegro's headers hide the GL 2 read-back calls, so they are
    // fetched by name.
    Floats uniforms() {
        using GetLocation = GLint (*)(GLuint, const char*);
        using GetFloats = void (*)(GLuint, GLint, GLfloat*);
        auto location =
            reinterpret_cast<GetLocation>(al_get_opengl_proc_address("glGetUniformLocation"));
        auto get = reinterpret_cast<GetFloats>(al_get_opengl_proc_address("glGetUniformfv"));
        const GLuint program = al_get_opengl_program_object(lights->getShader());
        const char* names[] = {"light_pos[0]", "light_color[0]", "light_num",
                               "lights_on",    "camera_trans",   "window_size"};
        const int sizes[] = {3, 4, 1, 1, 4, 2};
        Floats all;
        for (int i = 0; i < 6; ++i) {
            Floats one(4, -12345.0f);
            get(program, location(program, names[i]), one.data());
            all.insert(all.end(), one.begin(), one.begin() + sizes[i]);
        }
        return all;
    }
    std::unique_ptr<NK::LightSystem> lights =
        std::make_unique<NK::LightSystem>(nktest::engine().renderContext);
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
// an ambient floor leaves the floor dark but readable; with the lights off
// the floor is unlit.
TEST_F(LightPass, FloorLitAtTheEdgeOfReachOrBlackBeyondItOrLitWithLightsOff) {
    ASSERT_TRUE(lights->createLight("lamp", {400, 300}, 1, 1, 1, 300, 1));
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_GT(brightness(400, 300), brightness(400 + 200, 300));
    EXPECT_GT(brightness(400 + 200, 300), brightness(1500, 900));
    EXPECT_LE(brightness(1500, 900), 80);
    EXPECT_GE(brightness(1500, 900), 20);
    lights->lightsOn = false;
    drawLitWhite();
    EXPECT_EQ(nktest::colours({{1500, 900}, {400, 300}}, nullptr, 2), "WW");
}

// A full store refuses even a key it holds (replacing would briefly need a
// 101st slot); below that a key is remade in place; every light fills a
// shader slot; clearing frees one.
TEST(LightSlots, HundredFirstLightTakenOrRemadeKeyCountedTwiceOrSlotNotFreed) {
    NK::LightSystemStore store;
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(store.createLight(std::to_string(i), {float(i), 0}, 1, 1, 1, 150, 2));
    nktest::LogCapture log;
    EXPECT_TRUE(store.createLight("42", {42, 2}, 1, 1, 1, 300, 4));
    EXPECT_TRUE(store.createLight("99", {99, 0}, 1, 1, 1, 10, 1));
    EXPECT_FALSE(store.createLight("7", {500, 600}, 0, 1, 0, 99, 9));
    EXPECT_EQ(log.lines(),
              (nktest::Lines{"INFO: Light with key \"42\" remade", "INFO: Max lights reached"}));
    EXPECT_EQ(store.getIntensity("42") + store.getIntensity("7"), 300 + 150);
    float positions[100][3] = {};
    float colours[100][4] = {};
    ASSERT_EQ(store.fillSlots(positions, colours), 100);
    store.clearLight("3");
    EXPECT_TRUE(store.createLight("again", {0, 0}, 1, 1, 1, 1, 1));
}
