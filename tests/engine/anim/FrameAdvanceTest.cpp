

#include <cmath>
#include "engine/AnimationPlay.h"
#include "engine/FrameChannel.h"
#include "engine/ValueChannel.h"
#include "tests/support/Testing.h"

using NK::AnimationPlay;
using NK::FrameChannel;

namespace {

// Frames shown and one letter per tick ('.' nothing, 'R' run completed,
// 'E' ended), until the run ends or `ticks` pass.
struct Trace {
    std::vector<int> frames;
    std::string events;
};
char letter(NK::ChannelEvent e) {
    return ".RE"[static_cast<int>(e)];
}

// A play is removed when it ends, so its last tick shows no frame.
Trace trace(AnimationPlay play, int frameCount, int ticks) {
    Trace t;
    for (int i = 0; i < ticks; ++i) {
        t.events += letter(play.advance(frameCount));
        if (t.events.back() == 'E') break;
        t.frames.push_back(play.current);
    }
    return t;
}

// A channel shows its first frame before any tick and keeps the one it ended on.
Trace trace(FrameChannel channel, int ticks) {
    Trace t{{channel.current}, ""};
    for (int i = 0; i < ticks && t.events.find('E') == std::string::npos; ++i) {
        t.events += letter(channel.advance());
        t.frames.push_back(channel.current);
    }
    return t;
}

}  // namespace

TEST(AnimationPlayAdvance, FramesAndEventsPerTick) {
    struct Case {
        const char* fault;
        float step;
        int ticksPerFrame;  // counting mode when not negative
        bool reverse, pingPong;
        int repeats, frameCount;
        std::vector<int> frames;
        std::string events;
    } cases[] = {
        // clang-format off
        {"fractional step not truncated", 0.75f, -1, false, false, 0, 10, {0, 1, 2, 3}, "...."},
        {"counting not moving on tick 1, then every 3rd", 1, 2, false, false, 0, 10,
         {1, 1, 1, 2, 2, 2, 3}, "......."},
        {"ping-pong turn not a run, or ending", 1, -1, false, true, 0, 4,
         {1, 2, 3, 3, 2, 1, 0}, "...R...E"},
        {"ping-pong turn spending a repeat", 1, -1, false, true, 1, 4,
         {1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0}, "...R...R...R...E"},
        {"repeat not wrapping to frame 0", 1, -1, false, false, 1, 3, {1, 2, 0, 1, 2}, "..R..E"},
        {"reverse not wrapping to the last frame", 1, -1, true, false, -1, 5, {4, 3}, "R."},
        // clang-format on
    };
    for (const Case& c : cases) {
        AnimationPlay play;
        play.frameStep = c.step;
        play.stepMode = c.ticksPerFrame < 0;
        play.ticksPerFrame = c.ticksPerFrame;
        play.reverse = c.reverse;
        play.pingPong = c.pingPong;
        play.repeats = c.repeats;
        Trace t = trace(play, c.frameCount, static_cast<int>(c.events.size()));
        EXPECT_EQ(t.frames, c.frames) << c.fault;
        EXPECT_EQ(t.events, c.events) << c.fault;
    }
}

TEST(FrameChannelAdvance, FramesAndEventsPerTick) {
    struct Case {
        const char* fault;
        int from, to, frameCount;
        float step;         // frames per tick in step mode
        int ticksPerFrame;  // counting mode when not negative
        bool pingPong;
        int repeats;
        std::vector<int> frames;  // the first before any tick
        std::string events;
    } cases[] = {
        // clang-format off
        {"run not holding its last frame", 2, 5, 8, 1, -1, false, 0, {2, 3, 4, 5, 5}, "...E"},
        {"from above to not running backward", 5, 2, 8, 1, -1, false, 0, {5, 4, 3, 2, 2}, "...E"},
        {"frames not clamped to the sheet", -3, 99, 3, 1, -1, false, 0, {0, 1, 2, 2}, "..E"},
        {"frames not clamped running backward", 99, -3, 3, 1, -1, false, 0, {2, 1, 0, 0}, "..E"},
        {"counting not giving each frame ticksPerFrame + 1 ticks", 0, 2, 8, 0, 2, false, 0,
         {0, 0, 0, 1, 1, 1, 2, 2, 2, 2}, "........E"},
        {"ping-pong turning frame not shown twice, or a run", 0, 2, 8, 1, -1, true, 0,
         {0, 1, 2, 2, 1, 0, 0}, ".....E"},
        {"repeat not wrapping to the other end", 1, 3, 8, 1, -1, false, 1,
         {1, 2, 3, 1, 2, 3, 3}, "..R..E"},
        {"step position not restarting at the wrapped frame", 0, 3, 8, 1.5f, -1, false, -1,
         {0, 1, 3, 0, 1}, "..R."},
        // clang-format on
    };
    for (const Case& c : cases) {
        FrameChannel channel;
        channel.start(c.from, c.to, c.frameCount, c.ticksPerFrame < 0, c.step, c.ticksPerFrame,
                      c.pingPong, false, c.repeats);
        Trace t = trace(channel, static_cast<int>(c.events.size()));
        EXPECT_EQ(t.frames, c.frames) << c.fault;
        EXPECT_EQ(t.events, c.events) << c.fault;
    }
}

using NK::ChannelEvent;
using NK::Rgb;
using NK::ValueChannel;

// The value after each tick and one letter per tick ('.' nothing, 'R' a run
// completed, 'E' ended). The value stays at the target on a ping-pong's
// turning tick; a repeat jumps back to the start.
TEST(ValueChannel, ValuesAndEventsPerTick) {
    struct Case {
        const char* fault;
        float initial, current, target, speed;
        bool fromCurrent, pingPong;
        int repeats, staleDelay, delay;
        std::vector<float> values;
        std::string events;
    };
    // clang-format off
    const Case cases[] = {
        {"ping-pong not there and back once", 0, 0, 1, .25f, true, true, 0, 0, 0,
         {.25f, .5f, .75f, 1, .75f, .5f, .25f, 0}, ".......E"},
        {"repeats not jumping back to the start", 0, 0, .5f, .25f, true, false, 2, 0, 0,
         {.25f, 0, .25f, 0, .25f, .5f}, ".R.R.E"},
        {"endless ending", 0, 0, .5f, .25f, true, true, -1, 0, 0,
         {.25f, .5f, .25f, 0, .25f, .5f, .25f, 0, .25f, .5f, .25f, 0}, "...R...R...R"},
        {"delay not holding the value", 1, 1, 0, .25f, true, false, 0, 0, 3,
         {1, 1, 1, .75f, .5f, .25f, 0}, "......E"},
        {"a new animation keeping an old delay", 1, 1, 0, .5f, true, false, 0, 10, 0,
         {.5f, 0}, ".E"},
        {"not from current not restarting at the start value", 1, .5f, 0, .25f, false, false, 0,
         0, 0, {.75f, .5f, .25f, 0}, "...E"},
        {"from current not starting where it is", 1, .5f, 0, .25f, true, false, 0, 0, 0,
         {.25f, 0}, ".E"},
    };
    // clang-format on
    for (const Case& c : cases) {
        ValueChannel<float> alpha(c.initial);
        alpha.current = c.current;
        alpha.delay = c.staleDelay;
        alpha.animate(c.target, c.speed, c.fromCurrent, c.pingPong, c.repeats, false);
        alpha.delay += c.delay;
        std::vector<float> values;
        std::string events;
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            events += ".RE"[static_cast<int>(alpha.advance())];
            values.push_back(alpha.current);
        }
        EXPECT_EQ(values, c.values) << c.fault;
        EXPECT_EQ(events, c.events) << c.fault;
        EXPECT_EQ(alpha.active, c.repeats < 0) << c.fault;
    }
}

TEST(ValueChannel, ColourMovesOnlyGreenAndBlueAlongTheDiagonal) {
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{1.0f, 0.0f, 0.0f}, 0.1f, true, false, 0, false);
    const float perTick = 0.1f / std::sqrt(2.0f);
    // After 13 ticks green is 1 - 13 * 0.0707 = 0.081, within one step of 0.
    for (int tick = 1; tick <= 13; ++tick) {
        ASSERT_EQ(colour.advance(), ChannelEvent::None) << "tick " << tick;
        EXPECT_EQ(colour.current.r, 1.0f);
        EXPECT_NEAR(colour.current.g, 1.0f - perTick * tick, 1e-5f);
        EXPECT_NEAR(colour.current.b, 1.0f - perTick * tick, 1e-5f);
    }
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    EXPECT_EQ(colour.current, (Rgb{1.0f, 0.0f, 0.0f}));
}

// Each component exactly 0.5 away is not within the step: the colour moves
// 0.5 along the diagonal (0.354 per component) instead of snapping. One
// already at its target ends at once without dividing by zero.
TEST(ValueChannel, ColourSnapsAStepEarlyOrDividesByZeroAtItsTarget) {
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{1.0f, 0.5f, 0.5f}, 0.5f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), ChannelEvent::None);
    EXPECT_NEAR(colour.current.g, 1.0f - 0.5f / std::sqrt(2.0f), 1e-5f);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    colour.animate(colour.current, 0.1f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    EXPECT_FALSE(std::isnan(colour.current.r));
}
