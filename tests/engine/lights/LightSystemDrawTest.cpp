#include <allegro5/allegro_primitives.h>

#include "engine/LightSystem.h"
#include "engine/LightSystemStore.h"
#include "tests/support/Testing.h"

// The light pass on the virtual display, read back from the pixels. A fresh
// light system per test; building it makes its shader current, and it goes
// after the drawing reset, leaving the back buffer without a shader.
class LightPass : public nktest::DrawTest {
protected:
    // Uploads, then draws a white floor over the whole (default) view through
    // the shader.
    void drawLitWhite() {
        lights.uploadUniforms();
        al_draw_filled_rectangle(0, 0, 1920, 1080, al_map_rgb(255, 255, 255));
    }
    static int brightness(int x, int y) {
        nktest::Rgba c = nktest::pixelAt(x, y);
        return (c.r + c.g + c.b) / 3;
    }
    NK::LightSystem lights{nktest::engine().renderContext};
};

// Light fades with distance rather than stopping at an edge; out of reach
// an ambient floor leaves the floor dark but readable; with the lights off
// the floor is unlit.
TEST_F(LightPass, FloorLitAtTheEdgeOfReachOrBlackBeyondItOrLitWithLightsOff) {
    ASSERT_TRUE(lights.createLight("lamp", {400, 300}, 1, 1, 1, 300, 1));
    drawLitWhite();
    EXPECT_GE(brightness(400, 300), 200);
    EXPECT_GT(brightness(400, 300), brightness(400 + 200, 300));
    EXPECT_GT(brightness(400 + 200, 300), brightness(1500, 900));
    EXPECT_NEAR(brightness(1500, 900), 50, 30);  // dark but readable
    lights.lightsOn = false;
    drawLitWhite();
    EXPECT_EQ(nktest::colours({{1500, 900}, {400, 300}}, nullptr, 2), "WW");
}

// A full store refuses even a key it holds (replacing would briefly need a
// 101st slot); below that a key is remade in place, not counted twice. A
// missing light is logged and reads as nothing.
// (The 101st light refused and a freed slot taken again: the Lights tests.)
TEST(LightSlots, KeyRemadeInAFullStoreOrCountedTwice) {
    NK::LightSystemStore store;
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(store.createLight(std::to_string(i), {float(i), 0}, 1, 1, 1, 150, 2));
    nktest::LogCapture log;
    EXPECT_TRUE(store.createLight("42", {42, 2}, 1, 1, 1, 300, 4));
    EXPECT_TRUE(store.createLight("99", {99, 0}, 1, 1, 1, 10, 1));
    EXPECT_FALSE(store.createLight("7", {500, 600}, 0, 1, 0, 99, 9));
    store.clearLight("none");
    EXPECT_EQ(store.getIntensity("42") + store.getIntensity("7") + store.getIntensity("none"),
              300 + 150);
    EXPECT_EQ(log.lines(),
              (nktest::Lines{"INFO: Light with key \"42\" remade", "INFO: Max lights reached",
                             "INFO: Light with key \"none\" not found to clear",
                             "ERROR: Light key \"none\" not found (getPosition)"}));
}
