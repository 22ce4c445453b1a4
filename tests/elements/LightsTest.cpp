#include "elements/Lights.h"

#include "elements/LightBlink.h"
#include "engine/LightSystem.h"
#include "tests/elements/LevelKit.h"

namespace {

// ---- Blinking, tick by tick, without a window ----

// Which tick each phase turns over on, and how each fade lands, is counted
// end to end in Motion.LightsBlinkOnTheWrongTicksOrAtTheWrongSpeed; here,
// what those whole seconds cannot show.
TEST(LightBlink, PhaseTimeRoundedOrAZeroPhaseSkipped) {
    LightBlink b{0.999f, 0.0f};
    // A phase's ticks are truncated, not rounded.
    b.start(10.0f);  // on 59.94 ticks
    EXPECT_EQ(b.timer, 59);
    // A zero phase still takes the one tick that turns it over.
    b.delayFirstOn = false;
    b.start(10.0f);
    EXPECT_EQ(b.timer, 0);
    b.tick(0.0f);
    EXPECT_EQ(std::make_pair(b.holding, b.isOn), std::make_pair(false, true));
}

// ---- The collection and its page, on the virtual display ----

class LightsTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        openPage(lights);
    }

    bool addAt(float x, float y, float delayOn = -1.0f, float delayOff = -1.0f,
               bool firstOn = true) {
        return lights.add({x, y}, NK::Color::white(), 150.0f, 2.0f, delayOn, delayOff, 0.5f,
                          firstOn);
    }
    const std::string& key(int i) { return lights.keyAt(i); }
    NK::LightSystem& system() { return lights.system(); }

    Lights& lights = *level.lights;
};

// The 101st light is refused with no record left behind, and ADD then
// leaves the light chosen as it was.
TEST_F(LightsTest, RefusedHundredFirstLightLeavesARecordOrRaisesTheCounter) {
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(addAt(static_cast<float>(i), 0)) << i;
    EXPECT_FALSE(addAt(0, 0));
    lights.selected = 5;
    lights.addDefault();
    EXPECT_EQ(lights.selected, 5);
    EXPECT_EQ(std::make_pair(lights.count(), system().lightCount()), std::make_pair(100, 100));
    lights.selected = 99;
    lights.removeSelected();
    EXPECT_EQ(lights.selected, 98);
    ASSERT_TRUE(addAt(0, 0));
    EXPECT_EQ(key(99), "100");
}

// A delay typed in shows in the other delay input and the button at once.
// (What the delays save: PageFieldsTest; what a new light starts with: the
// screen table's lights_added.) Slid, a component stays in 0..1 and leaves
// the others alone.
TEST_F(LightsTest, OtherDelayNotRefreshedOrColourSliderLeavesTheUnitRange) {
    clickButton("add");  // at 150 and 2 with no blinking
    enter("delay_on", "0");
    EXPECT_EQ(shown("delay_off") + " " + buttonText("delay_use"), "1.00 LIGHT DELAY: ON");
    enter("red", "0.5");
    // The pointer `dy` below the middle of the red slider for a tick.
    const NK::Rect s = gui().buttonImages().get("red_change").rect;
    auto slideTo = [&](float dy, bool press = false) {
        pointAtScreen(s.x + s.width / 2.0f, s.y + s.height / 2.0f + dy);
        tick(lights, true, {}, press);
        return system().getColor(key(0));
    };
    slideTo(0.0f, true);  // pressed: the drag starts
    const auto up = slideTo(-40.0f);
    EXPECT_TRUE(std::abs(up.r - 0.7f) < 0.01f && up.g == 1.0f) << up.r << " " << up.g;
    EXPECT_EQ(slideTo(-400.0f).r, 1.0f);
    release(lights);
    holdButton(true);
    EXPECT_EQ(slideTo(400.0f).r, 1.0f);  // held again without a press on the slider: no drag
}

// Play blinks the lights but leaves the saved level (the blinking itself:
// MotionTest). In the editor a click picks the light under it; a handle
// dragged past its base goes to zero, not below.
TEST_F(LightsTest, PlayChangesTheLevelOrClicksPickWrongOrHandlesGoNegative) {
    ASSERT_TRUE(addAt(300, 300, 2.0f, 1.0f, false));  // blinks, starts dark
    ASSERT_TRUE(addAt(600, 300));                     // never blinks
    lights.start();
    for (int tick = 0; tick < 100; ++tick) lights.update();
    EXPECT_EQ(std::make_pair(system().getIntensity(key(0)), system().getIntensity(key(1))),
              std::make_pair(19.5f, 150.0f));
    EXPECT_EQ(lights.records()[0].intensity, 150.0f);
    lights.end();

    lights.selected = 2;  // none
    tick(lights, false);
    const NK::Vec2 grab = pointAtLevel(610, 300);
    const NK::Vec2 to = pointAtLevel(710, 350);
    drag(lights, grab, to, true);
    EXPECT_EQ(lights.selected, 1);
    EXPECT_EQ(system().getPosition(key(1)).x, 600.0f + (to.x - grab.x));

    for (NK::Vec2 at : {NK::Vec2(300, 300), NK::Vec2(1500, 100)}) {  // on light 0, then on none
        clickLevel(lights, at);
        EXPECT_EQ(lights.hasSelection() ? lights.selected : -1, at.x < 1000 ? 0 : -1);
    }

    ASSERT_TRUE(addAt(500, 500));
    enter("select", "1");  // chosen by its number, as a designer types it
    ASSERT_EQ(lights.selected, 0);
    enter("select", "3");
    tick(lights, false);  // marker sizes for this view: 60 and 60
    const NK::Vec2 hardness = lights.hardnessHandle(2);
    EXPECT_EQ(hardness.y, 500.0f + 60.0f + 2.0f * 30.0f);
    drag(lights, hardness, {500, 450}, true);
    EXPECT_EQ(system().getHardness(key(2)), 0.0f);

    drag(lights, lights.intensityHandle(2), {300, 500}, true);
    EXPECT_EQ(system().getIntensity(key(2)), 0.0f);
    // The handle now sits on the light and is grabbed before the light moves.
    const NK::Vec2 out = pointAtLevel(580, 500);
    drag(lights, {500, 500}, out, true);
    EXPECT_EQ(system().getIntensity(key(2)), out.x - 500.0f);
    EXPECT_EQ(system().getPosition(key(2)).x, 500.0f);
}

}  // namespace
