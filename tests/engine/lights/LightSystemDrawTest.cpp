#include "engine/LightSystemStore.h"
#include "tests/support/Testing.h"

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
    const ALLEGRO_COLOR none = store.getColor("none");
    EXPECT_EQ(nktest::Floats({none.r, none.g, none.b, none.a}), nktest::Floats({0, 0, 0, 1}));
    EXPECT_EQ(log.lines(),
              (nktest::Lines{"INFO: Light with key \"42\" remade", "INFO: Max lights reached",
                             "INFO: Light with key \"none\" not found to clear",
                             "ERROR: Light key \"none\" not found (getPosition)",
                             "ERROR: Light key \"none\" not found (getColor)"}));
}
