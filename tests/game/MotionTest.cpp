#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/DialogCardStore.h"
#include "engine/ExtBitmap.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "tests/game/GameKit.h"
#include "tests/support/Voices.h"

// What moves on the screen, and when, as a player sees it: the whole game
// plays a small level tick by tick, and after every tick each test reads
// what the next frame would draw (a picture's frame or tint, a light's
// intensity, what is there at all) and counts the sounds the tick fired.
// The expected counts are worked out by hand from the timings each element
// is given, so a rate, a delay or a size that drifts shows up here.
namespace {

using gamekit::game;
using nktest::Ints;

// Flat ground at y 1000 and the player standing on it (its capsule's foot
// on the line) at x 400, the camera area the level's, the gate out of reach.
const std::string ground =
    "PLY 400 850\nCAM 0 -540 3000 1620\nFE 2000\nG 2700 825\nSF 0 1000 3000 1000\n";

// One thing a player sees, read after each tick.
using Look = std::function<int()>;

// The map `lines` over the ground, played from a file of the test's own for
// `ticks` ticks; `act` sets the input of tick t (counted from 1) and may
// reach into the level first. Each look's value after every tick, and last
// how many sounds each tick fired.
std::vector<Ints> watch(const std::string& lines, int ticks, const std::vector<Look>& looks,
                        const std::function<void(int, PlayInput&)>& act = nullptr) {
    const std::string path = nktest::tempPath("motion.txt");
    nktest::writeFile(path, ground + lines);
    PlayInput in;
    Game& g = gamekit::play(path, &in);
    std::vector<Ints> seen(looks.size() + 1);
    for (int t = 1; t <= ticks; ++t) {
        in = PlayInput{};
        if (act) act(t, in);
        seen.back().push_back(
            nktest::soundsFired(g.stores().sounds.getSound("hit"), [] { gamekit::tick(); }));
        for (std::size_t i = 0; i < looks.size(); ++i) seen[i].push_back(looks[i]());
    }
    gamekit::leave();
    return seen;
}

// Each value with the ticks it was held, in order: "0x8 1x9 2" (a value
// held one tick stands alone).
std::string held(const Ints& values) {
    std::string out;
    for (std::size_t i = 0; i < values.size();) {
        std::size_t j = i;
        while (j < values.size() && values[j] == values[i]) ++j;
        out += (out.empty() ? "" : " ") + std::to_string(values[i]);
        if (j - i > 1) out += "x" + std::to_string(j - i);
        i = j;
    }
    return out;
}

// The first tick, from tick `from` on, on which `values` shows `value`.
int firstTick(const Ints& values, int value, int from = 1) {
    for (std::size_t i = static_cast<std::size_t>(from - 1); i < values.size(); ++i)
        if (values[i] == value) return static_cast<int>(i) + 1;
    return 0;
}

int hundredths(float v) {
    return static_cast<int>(std::lround(v * 100.0f));
}

// Plays of one of the game's effects, each counted by its width: the sum
// of their widths, so both how many and how big show.
int effectWidths(const char* key) {
    NK::AnimationStore& a = game().stores().animations;
    float sum = 0.0f;
    for (const NK::AnimationPlay& p : a.plays())
        if (p.animation == &a.get(key)) sum += p.destination.width;
    return static_cast<int>(std::lround(sum));
}

int playerShots() {
    int n = 0;
    for (const auto& s : game().stores().physics.shots())
        n += NK::bodyTag(s->body) == NK::kTagPlayerShot;
    return n;
}

}  // namespace

// Standing, the body shows frames 20 to 23 and back, each held 4 ticks (3
// counted down through 0) and the turning frames twice that; the first, set
// on the tick the motion starts, 3. Walking right from tick 41, frames 0 to
// 15 once each 2 ticks, 15 held 3 as the run starts over. W on tick 73: the
// player stands 2 ticks more (the contact lasts a step) and falls from 75,
// frames 16 to 19 and back like standing. A camera's shot at its side on
// tick 25 costs a heart, is heard, bursts 75 wide for 10 ticks (32 frames at
// 3 a tick) and flashes the player red: green and blue fall 0.0707 a tick
// (0.1 along the line from white to red), so after 13 ticks both are
// within 0.1 of red and the 14th lands there; 14 more bring back white. The player's own shot,
// fired on tick 20 and heard then, flies into the sky for 300 steps and is gone on the 301st.
TEST(Motion, PlayerFramesFlashOrShotsHeldTheWrongTicks) {
    Game& g = game();
    const NK::ExtBitmap& body = g.level().player->images().get("player");
    const std::vector<Ints> seen = watch(
        "", 330,
        {[&] { return body.frame.current; }, [&] { return hundredths(body.colour.current.g); },
         [&] { return g.level().player->health; }, [] { return effectWidths("shot"); },
         playerShots},
        [&](int t, PlayInput& in) {
            in.right = t > 40 && t <= 72;
            in.jumpPressed = t == 73;
            in.firePressed = t == 20;  // toward the view's top-left corner
            if (t != 25) return;
            const NK::Vec2 p = g.level().player->position();  // the capsule's side is 50 left
            NK::setBodyTag(g.stores().physics.createShot({p.x - 54.0f, p.y}, {0, 0}),
                           NK::kTagCameraShot);
        });
    const Ints frames(seen[0].begin(), seen[0].begin() + 120);
    EXPECT_EQ(held(frames),
              "20x3 21x4 22x4 23x8 22x4 21x4 20x8 21x4 22 "
              "0 1x2 2x2 3x2 4x2 5x2 6x2 7x2 8x2 9x2 10x2 11x2 12x2 13x2 14x2 15x3 "
              "20x2 16x3 17x4 18x4 19x8 18x4 17x4 16x8 17x4 18x4 19x3");
    EXPECT_EQ(std::make_pair(firstTick(seen[1], 0), firstTick(seen[1], 100, 26)),
              std::make_pair(38, 52));
    EXPECT_EQ(held(seen[2]), "5x24 4x306");
    EXPECT_EQ(held(seen[3]), "0x24 75x10 0x296");
    EXPECT_EQ(held(seen[4]), "0x19 1x301 0x10");
    EXPECT_EQ(held(seen[5]), "0x19 1 0x4 1 0x305");
}

// A camera 300 left of the player, who stands against a wall so no hit
// pushes it further away, in sight: it fires at once and then
// every 60 ticks, heard on the tick it fires; each shot flies 41.7 pixels a
// step and hits the player's side 6 ticks later, heard, costing a heart
// and bursting 75 wide for 10 ticks. Five shots of the player's resting on
// its head on tick 150 bring it down there: five bursts and the camera's
// blast, 200 wide for 15 ticks (64 frames at 4 a tick), six sounds at once,
// and no shot after.
TEST(Motion, CameraFiresBurstsOrFallsOnTheWrongTicks) {
    Game& g = game();
    const std::vector<Ints> seen = watch(
        "E 100 850 0 0 1000\n"
        "B Editor/Boxes/Dovra/level4block.png 0 450 700 100 300 0 1 0.5 0 -1\n",
        190,
        {[&] { return g.level().player->health; }, [&] { return g.level().enemies->aliveCount(); },
         [] { return effectWidths("shot"); }, [] { return effectWidths("block"); }},
        [&](int t, PlayInput&) {
            if (t != 150) return;
            for (float dx : {-40.0f, -20.0f, 0.0f, 20.0f, 40.0f})
                NK::setBodyTag(g.stores().physics.createShot({100.0f + dx, 850.0f}, {0, 0}),
                               NK::kTagPlayerShot);
        });
    EXPECT_EQ(held(seen[0]), "5x6 4x60 3x60 2x64");
    EXPECT_EQ(held(seen[1]), "1x149 0x41");
    EXPECT_EQ(held(seen[2]), "0x6 75x10 0x50 75x10 0x50 75x10 0x13 375x10 0x31");
    EXPECT_EQ(held(seen[3]), "0x149 200x15 0x26");
    EXPECT_EQ(held(seen[4]), "1 0x5 1 0x53 1 0x5 1 0x53 1 0x5 1 0x22 6 0x40");
}

// An NPC sways through its sheet's four frames and back, each held 9 ticks
// (8 counted down through 0) and the end frames twice that. E on tick 10,
// the player at the lever: its picture runs to the on frame, the first
// frame held 3 ticks and the next 4 each (3 counted down through 0); its
// one-second delay runs out 60 ticks after the pull and it runs back. The
// gate, with no camera, shows open exactly while the lever is on.
TEST(Motion, NpcLeverOrGateFramesHeldTheWrongTicks) {
    Game& g = game();
    auto frameOf = [](NK::ExtBitmapStore& s, const std::string& key) {
        return [&s, key] { return s.get(key).frame.current; };
    };
    const std::vector<Ints> seen =
        watch("N 1000 700 0 0\nLE 380 750 0 1\n", 100,
              {frameOf(g.level().npcs->images(), "0"), frameOf(g.level().levers->images(), "0"),
               frameOf(g.level().gate->images(), "gate")},
              [](int t, PlayInput& in) { in.usePressed = t == 10; });
    EXPECT_EQ(held(seen[0]), "0x8 1x9 2x9 3x18 2x9 1x9 0x18 1x9 2x9 3x2");
    EXPECT_EQ(held(seen[1]), "0x12 1x4 2x4 3x4 4x48 3x4 2x4 1x4 0x16");
    EXPECT_EQ(held(seen[2]), "0x9 1x60 0x31");
    EXPECT_EQ(held(seen[3]), "0x100");
}

// Intensities as the light pass gets them. On 1 s and off 0.5 s at 50 a
// tick, first on: full for the 60 counted ticks and the turning one, three
// ticks of fading, dark for 30 counted ticks and the three around them,
// back in three. First off, on 0.5 s and off 1 s at 30: the same the other
// way round. (A light that does not blink: LightsTest.PlayChanges.)
TEST(Motion, LightsBlinkOnTheWrongTicksOrAtTheWrongSpeed) {
    Game& g = game();
    auto intensity = [&g](int i) {
        return [&g, i] {
            return hundredths(g.level().lights->system().getIntensity(g.level().lights->keyAt(i))) /
                   100;
        };
    };
    const std::vector<Ints> seen = watch(
        "L 500 500 1 1 1 150 2 1 0.5 50 1\n"
        "L 900 500 1 1 1 90 2 0.5 1 30 0\n",
        170, {intensity(0), intensity(1)});
    EXPECT_EQ(held(seen[0]), "150x61 100 50 0x33 50 100 150x63 100 50 0x7");
    EXPECT_EQ(held(seen[1]), "0x61 30 60 90x33 60 30 0x63 30 60 90x7");
}

// A circle with no delay and a box with half a second, each against the
// player's side from the first tick: the circle goes on tick 2, the box on
// tick 32 (the touching tick, then 30 counted down through 0), each heard
// then and crumbling over its own 100 pixels for 15 ticks. A card with half
// a second shows from the first tick for 30; one with none stays until its
// CLOSE is clicked on tick 40 (the click also fires a shot, heard).
TEST(Motion, BlocksCrumbleOrCardsCloseOnTheWrongTicks) {
    Game& g = game();
    const std::vector<Ints> seen = watch(
        "B Editor/Boxes/Dovra/level4block.png 0 450 900 100 100 0 1 0.5 0 0.5\n"
        "C Editor/Circles/Dovra/level4circle.png 0 250 900 100 100 0 1 0.5 0 0\n"
        "D 300 700 200 300 20 15 Later Text 0.5\nD 300 700 200 300 20 15 Close Text -1\n",
        60,
        {[&] { return int(g.stores().physics.hasCircle("c_0")); },
         [&] { return int(g.stores().physics.hasSquare("b_0")); },
         [] { return effectWidths("block"); },
         [&] { return int(g.level().dialogs->cards().getCard(g.level().dialogs->key(0)).visible); },
         [&] {
             return int(g.level().dialogs->cards().getCard(g.level().dialogs->key(1)).visible);
         }},
        [](int t, PlayInput& in) {
            in.pointer = {960.0f, 740.0f};  // on CLOSE of a card in the screen's middle
            in.firePressed = t == 40;
        });
    EXPECT_EQ(held(seen[0]), "1 0x59");
    EXPECT_EQ(held(seen[1]), "1x31 0x29");
    EXPECT_EQ(held(seen[2]), "0 100x15 0x15 100x15 0x14");
    EXPECT_EQ(held(seen[3]), "1x30 0x30");
    EXPECT_EQ(held(seen[4]), "1x39 0x21");
    EXPECT_EQ(held(seen[5]), "0 1 0x29 1 0x7 1 0x20");
}
