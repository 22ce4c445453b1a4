#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "game/Replay.h"

// A controller's lines play through the pad's own rules: a stick inside its
// dead zone neither walks nor aims, and the trigger fires once per pull. A
// key put down and taken up is held between the two; an up needs a down.
TEST(ReplayFile, PadLinesWalkInsideTheDeadZoneOrFireWhileHeldOrUpWithoutDown) {
    ReplayParse p = parseReplay(
        "map m.txt\nexpect none 0\nstick LEFT 0.2 0 0\nstick RIGHT 0.25 0 0\nhold PAD_RT 5 9\n"
        "down D 3\nup D 7\n");
    ASSERT_TRUE(p.ok) << p.error;
    const Replay& r = p.replay;
    std::string seen;  // each tick: A walking left, D right, F a shot, a an aim
    for (int t = 0; t <= 7; ++t) {
        const PlayInput in = r.inputAt(t);
        seen += std::string(in.left ? "A" : "") + (in.right ? "D" : "") +
                (in.firePressed ? "F" : "") + (in.aim.x != 0.0f || in.aim.y != 0.0f ? "a|" : "|");
    }
    EXPECT_EQ(seen, "|||D|D|DF|D||") << "0.2 and 0.25 are inside the dead zone; one shot per pull";
}

// What the game records is what the reader plays back, tick for tick: keys
// held and pressed, presses on consecutive ticks, the pointer from the first
// tick on (also where it starts at the origin) and a controller's aim.
TEST(ReplayFile, RecordedInputPlaysBackDifferentlyAtSomeTick) {
    std::mt19937 random(7);  // fixed: the same walk every run
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    ReplayRecorder recorder("Editor/Levels/m.txt");
    std::vector<PlayInput> played;
    PlayInput in;
    for (int t = 0; t < 400; ++t) {
        if (chance(10)) in.left = !in.left;
        if (chance(10)) in.right = !in.right;
        in.jumpPressed = chance(20), in.usePressed = chance(15);
        in.restartPressed = chance(5), in.firePressed = chance(25);
        // Moves along one axis or both; none on the first tick.
        if (t > 0 && chance(30)) in.pointer.x = static_cast<float>(random() % 1920) + 0.25f;
        if (t > 0 && chance(30)) in.pointer.y = static_cast<float>(random() % 1080);
        if (chance(5)) in.aim = chance(50) ? NK::Vec2() : NK::Vec2(0.8f, -0.6f);
        recorder.add(in);
        played.push_back(in);
    }
    const NK::Vec2 place{12.345f, -6.7f};
    const ReplayParse p = parseReplay(recorder.text(Replay::Outcome::Lost, 399, &place));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.replay.mapPath, "Editor/Levels/m.txt");
    EXPECT_EQ(p.replay.expected, Replay::Outcome::Lost);
    EXPECT_EQ(p.replay.expectedTick, 399);
    EXPECT_TRUE(p.replay.expectsPlace && samePlace(p.replay.expectedPlace, place));
    auto text = [](const PlayInput& i) {
        std::ostringstream s;
        s << i.left << i.right << i.jumpPressed << i.usePressed << i.restartPressed << i.firePressed
          << ' ' << i.pointer.x << ',' << i.pointer.y << ' '
          << (i.aim.x != 0.0f || i.aim.y != 0.0f);
        return s.str();
    };
    for (int t = 0; t < 400; ++t)
        ASSERT_EQ(text(p.replay.inputAt(t)), text(played[static_cast<std::size_t>(t)]))
            << "tick " << t;
}

// A stranger's replay is refused with the line and what is wrong with it,
// never half read.
TEST(ReplayFile, BrokenLineReadOrRefusedWithoutItsLineAndReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"map", "line 1: map needs a path"},
        {"map m\nexpect won", "line 2: expect needs an outcome and a tick"},
        {"map m\nexpect tied 4", "line 2: outcome must be won, lost or none"},
        {"map m\nexpect won 4 at 3", "line 2: expect's place is \"at X Y\""},
        {"map m\nexpect won 4 at inf 3", "line 2: expect's place is \"at X Y\""},
        {"map m\nexpect won 4 by 2 3", "line 2: expect's place is \"at X Y\""},
        {"map m\nexpect won 4\nhold D", "line 3: hold needs a key and a tick"},
        {"map m\nexpect won 4\npress Q 1", "line 3: unknown key Q"},
        {"map m\nexpect won 4\nhold D 5 5", "line 3: hold needs a later end tick"},
        {"map m\nexpect won 4\n# a note\nup D 4", "line 4: up without an earlier down"},
        {"map m\nexpect won 4\ndown D 4\nup D 4", "line 4: up without an earlier down"},
        {"map m\nexpect won 4\nstick LEFT 1 1", "line 3: stick needs a stick, x, y and a tick"},
        {"map m\nexpect won 4\nstick UP 0 0 1", "line 3: stick must be LEFT or RIGHT"},
        {"map m\nexpect won 4\nstick LEFT 1.5 0 0", "line 3: stick positions run from -1 to 1"},
        {"map m\nexpect won 4\nstick LEFT 0 -1.01 0", "line 3: stick positions run from -1 to 1"},
        {"map m\nexpect won 4\nclick 3 4", "line 3: click needs x, y and a tick"},
        {"map m\nexpect won 4\nmouse 3 4", "line 3: mouse needs x, y and a tick"},
        {"map m\nexpect won 4\njump 3", "line 3: unknown instruction jump"},
        {"map m\nexpect won 4\npress W -1", "line 3: ticks start at 0"},
        {"map m\nexpect won 4\nhold D 0 2147483647", "line 3: ticks end at 536870912"},
        {"map m\nexpect won 4\nclick 1 1 2147483647", "line 3: ticks end at 536870912"},
        {"map m\nexpect won 4\npress W 2147483647", "line 3: ticks end at 536870912"},
        {"map m\nexpect won 2147483647", "line 2: ticks end at 536870912"},
        {"expect won 4", "no map line"},
        {"map m", "no expect line"},
    };
    for (const auto& [text, error] : cases) {
        const ReplayParse p = parseReplay(std::string(text) + "\n");
        EXPECT_FALSE(p.ok) << text;
        EXPECT_EQ(p.error, error) << text;
    }
}
