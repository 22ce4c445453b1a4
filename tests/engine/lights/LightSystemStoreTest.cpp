#include <gtest/gtest.h>

#include <string>

#include "engine/LightSystemStore.h"
#include "tests/support/LogCapture.h"

namespace {

using Lines = std::vector<std::string>;

// Lights "0".."n-1", each with x equal to its key number and intensity 150.
void fill(NK::LightSystemStore& store, int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(store.createLight(std::to_string(i), {float(i), 0}, 1, 1, 1, 150, 2));
    }
}

}  // namespace

TEST(LightSlots, HundredthLightIsAcceptedHundredFirstRefused) {
    NK::LightSystemStore store;
    fill(store, 99);
    EXPECT_TRUE(store.createLight("99", {0, 0}, 1, 1, 1, 10, 1));
    nktest::LogCapture log;
    EXPECT_FALSE(store.createLight("new", {5, 5}, 1, 0, 0, 10, 1));
    // Even an existing key is refused when full, and its light stays as it was.
    EXPECT_FALSE(store.createLight("7", {500, 600}, 0, 1, 0, 99, 9));
    EXPECT_EQ(log.lines(), Lines(2, "INFO: Max lights reached"));
    EXPECT_EQ(store.count(), 100);
    EXPECT_FLOAT_EQ(store.getPosition("7").x, 7.0f);
    EXPECT_FLOAT_EQ(store.getIntensity("7"), 150.0f);
}

TEST(LightSlots, RemakingAKeyAtNinetyNineLogsRemadeAndStaysAtNinetyNine) {
    NK::LightSystemStore store;
    fill(store, 99);
    nktest::LogCapture log;
    EXPECT_TRUE(store.createLight("42", {1, 2}, 0.5f, 0.25f, 0, 300, 4));
    EXPECT_EQ(log.lines(), Lines{"INFO: Light with key \"42\" remade"});
    EXPECT_EQ(store.count(), 99);
    EXPECT_FLOAT_EQ(store.getIntensity("42"), 300.0f);
    EXPECT_FLOAT_EQ(store.getHardness("42"), 4.0f);
}

TEST(LightSlots, ClearingFreesASlotAndAMissingKeyOnlyLogs) {
    NK::LightSystemStore store;
    fill(store, 100);
    nktest::LogCapture log;
    store.clearLight("nope");
    EXPECT_EQ(log.lines(), Lines{"INFO: Light with key \"nope\" not found to clear"});
    EXPECT_EQ(store.count(), 100);
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
}

TEST(LightSlots, SettersWriteOnlyTheirFieldAndColourAlphaIsAlwaysOne) {
    NK::LightSystemStore store;
    store.createLight("l", {1, 2}, 0.1f, 0.2f, 0.3f, 0, 5);
    EXPECT_FLOAT_EQ(store.getColor("l").a, 1.0f);  // not the intensity of 0
    store.setPosition("l", {7, 8});
    store.setColor("l", 0.9f, 0.8f, 0.7f);
    store.setIntensity("l", 66);
    store.setHardness("l", 0.5f);
    const ALLEGRO_COLOR c = store.getColor("l");
    EXPECT_FLOAT_EQ(store.getPosition("l").x, 7);
    EXPECT_FLOAT_EQ(store.getPosition("l").y, 8);
    EXPECT_FLOAT_EQ(c.r, 0.9f);
    EXPECT_FLOAT_EQ(c.g, 0.8f);
    EXPECT_FLOAT_EQ(c.b, 0.7f);
    EXPECT_FLOAT_EQ(c.a, 1.0f);
    EXPECT_FLOAT_EQ(store.getIntensity("l"), 66);
    EXPECT_FLOAT_EQ(store.getHardness("l"), 0.5f);
}

TEST(LightSlots, MissingKeyNamesTheAccessorAndTouchesNothing) {
    NK::LightSystemStore store;
    store.createLight("real", {1, 2}, 1, 1, 1, 10, 1);
    nktest::LogCapture log;
    store.setPosition("ghost", {0, 0});
    store.setColor("ghost", 0, 0, 0);
    store.setIntensity("ghost", 0);
    store.setHardness("ghost", 0);
    store.getColor("ghost");
    store.getPosition("ghost");
    store.getIntensity("ghost");
    store.getHardness("ghost");
    const std::string p = "ERROR: Light key \"ghost\" not found (";
    EXPECT_EQ(log.lines(),
              (Lines{p + "setPosition)", p + "setColor)", p + "setIntensity)", p + "setHardness)",
                     p + "getColor)", p + "getPosition)", p + "getPosition)", p + "getPosition)"}));
    EXPECT_EQ(store.count(), 1);
    EXPECT_FLOAT_EQ(store.getIntensity("real"), 10);
}
