

#include "engine/LightSystemStore.h"
#include "tests/support/Testing.h"

namespace {

using Lines = std::vector<std::string>;
using Floats = std::vector<float>;

// Lights "0".."n-1", each with x equal to its key number and intensity 150.
void fill(NK::LightSystemStore& store, int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(store.createLight(std::to_string(i), {float(i), 0}, 1, 1, 1, 150, 2));
    }
}

// Position, colour (alpha included), intensity and hardness as the store reports them.
Floats state(NK::LightSystemStore& store, const std::string& key) {
    const ALLEGRO_COLOR c = store.getColor(key);
    const NK::Vec2 p = store.getPosition(key);
    return {p.x, p.y, c.r, c.g, c.b, c.a, store.getIntensity(key), store.getHardness(key)};
}

}  // namespace

// A full store refuses even a key it holds (replacing would briefly need a
// 101st slot); below that a key is remade in place; clearing frees a slot.
TEST(LightSlots, HundredFirstLightTakenOrRemadeKeyCountedTwiceOrSlotNotFreed) {
    NK::LightSystemStore store;
    fill(store, 99);
    nktest::LogCapture log;
    EXPECT_TRUE(store.createLight("42", {1, 2}, 0.5f, 0.25f, 0, 300, 4));
    EXPECT_TRUE(store.createLight("99", {0, 0}, 1, 1, 1, 10, 1));
    EXPECT_FALSE(store.createLight("new", {5, 5}, 1, 0, 0, 10, 1));
    EXPECT_FALSE(store.createLight("7", {500, 600}, 0, 1, 0, 99, 9));
    store.clearLight("nope");
    EXPECT_EQ(log.lines(), (Lines{"INFO: Light with key \"42\" remade", "INFO: Max lights reached",
                                  "INFO: Max lights reached",
                                  "INFO: Light with key \"nope\" not found to clear"}));
    EXPECT_EQ(store.count(), 100);
    EXPECT_EQ(state(store, "42"), (Floats{1, 2, 0.5f, 0.25f, 0, 1, 300, 4}));
    EXPECT_EQ(state(store, "7"), (Floats{7, 0, 1, 1, 1, 1, 150, 2}));
    store.clearLight("3");
    EXPECT_TRUE(store.createLight("again", {0, 0}, 1, 1, 1, 1, 1));
    store.clearLights();
    EXPECT_EQ(store.count(), 0);
}

TEST(LightSlots, EverySlotFilledOnceWhenFull) {
    NK::LightSystemStore store;
    fill(store, 100);
    float positions[100][3] = {};
    float colours[100][4] = {};
    ASSERT_EQ(store.fillSlots(positions, colours), 100);
    // Each light's x is its key number, so a skipped or doubled light shows.
    bool seen[100] = {};
    for (auto& p : positions) seen[static_cast<int>(p[0])] = true;
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(seen[i]) << i;
    EXPECT_EQ(Floats(colours[5], colours[5] + 4), (Floats{1, 1, 1, 150}));
    EXPECT_EQ(positions[5][2], 2);
}

// Colour alpha is always 1, not the intensity.
TEST(LightSlots, SettersWriteOnlyTheirFieldAndColourAlphaIsAlwaysOne) {
    NK::LightSystemStore store;
    store.createLight("l", {1, 2}, 0.1f, 0.2f, 0.3f, 0, 5);
    store.setPosition("l", {7, 8});
    EXPECT_EQ(state(store, "l"), (Floats{7, 8, 0.1f, 0.2f, 0.3f, 1, 0, 5}));
    store.setColor("l", 0.9f, 0.8f, 0.7f);
    store.setIntensity("l", 66);
    EXPECT_EQ(state(store, "l"), (Floats{7, 8, 0.9f, 0.8f, 0.7f, 1, 66, 5}));
    store.setHardness("l", 0.5f);
    EXPECT_EQ(state(store, "l"), (Floats{7, 8, 0.9f, 0.8f, 0.7f, 1, 66, 0.5f}));
}

TEST(LightSlots, MissingKeyNamesTheAccessorAndTouchesNothing) {
    NK::LightSystemStore store;
    store.createLight("real", {1, 2}, 1, 1, 1, 10, 1);
    nktest::LogCapture log;
    store.setPosition("ghost", {0, 0});
    store.setColor("ghost", 0, 0, 0);
    store.setIntensity("ghost", 0);
    store.setHardness("ghost", 0);
    EXPECT_EQ(state(store, "ghost"), (Floats{0, 0, 0, 0, 0, 1, 0, 0}));
    const std::string p = "ERROR: Light key \"ghost\" not found (";
    EXPECT_EQ(log.lines(),
              (Lines{p + "setPosition)", p + "setColor)", p + "setIntensity)", p + "setHardness)",
                     p + "getColor)", p + "getPosition)", p + "getPosition)", p + "getPosition)"}));
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(state(store, "real"), (Floats{1, 2, 1, 1, 1, 1, 10, 1}));
}
