#include "engine/AnimationPlay.h"
#include "engine/FrameChannel.h"
#include "engine/ValueChannel.h"
#include "tests/support/Testing.h"

namespace {

// The value shown at the start, then per tick one letter ('.' nothing, 'R' a
// run completed, 'E' ended) and the value shown after it, for as many ticks
// as `want` has letters. An ended play is removed, so its last frame is
// never drawn; a channel keeps showing the frame it ended on.
template <typename Advance, typename Shown>
std::string trace(Advance advance, Shown shown, const std::string& want) {
    std::string seen = std::to_string(shown());
    for (char ch : want) {
        if (ch != '.' && ch != 'R' && ch != 'E') continue;
        seen += ".RE"[static_cast<int>(advance())];
        seen += std::to_string(shown());
    }
    return seen;
}

}  // namespace

// Each row's fault in the comment above it.
TEST(AnimationPlayAdvance, FramesAndEventsPerTick) {
    // A frame a tick when ticksPerFrame is negative, else counting.
    const struct {
        int ticksPerFrame, repeats, frameCount;
        bool reverse, pingPong;
        std::string trace;
    } cases[] = {
        // counting not moving on tick 1, then every 3rd
        {2, 0, 10, false, false, "0.1.1.1.2.2.2.3"},
        // ping-pong turn spending a repeat or not a run
        {-1, 1, 4, false, true, "0.1.2.3R3.2.1.0R0.1.2.3R3.2.1.0E-1"},
        // a loop not starting each lap at the first frame
        {-1, -1, 3, false, false, "0.1.2R0.1.2R0"},
        // reverse not wrapping to the last frame
        {-1, -1, 5, true, false, "0R4.3"},
    };
    for (const auto& c : cases) {
        NK::AnimationPlay p;
        p.stepMode = c.ticksPerFrame < 0;
        p.ticksPerFrame = c.ticksPerFrame;
        p.reverse = c.reverse;
        p.pingPong = c.pingPong;
        p.repeats = c.repeats;
        EXPECT_EQ(
            trace([&] { return p.advance(c.frameCount); }, [&] { return p.current; }, c.trace),
            c.trace);
    }
}

TEST(FrameChannelAdvance, FramesAndEventsPerTick) {
    const struct {
        int from, to, frameCount, ticksPerFrame, repeats;  // counting if ticksPerFrame >= 0
        float step;                                        // frames per tick in step mode
        bool pingPong;
        std::string trace;
    } cases[] = {
        // from above to not running backward, or not holding its last frame
        {5, 2, 8, -1, 0, 1, false, "5.4.3.2E2"},
        // frames not clamped to the sheet
        {-3, 99, 3, -1, 0, 1, false, "0.1.2E2"},
        // counting not giving each frame ticksPerFrame + 1 ticks
        {0, 2, 8, 2, 0, 0, false, "0.0.0.1.1.1.2.2.2E2"},
        // ping-pong turning frame not shown twice, or a run
        {0, 2, 8, -1, 0, 1, true, "0.1.2.2.1.0E0"},
        // repeat not wrapping to the other end
        {1, 3, 8, -1, 1, 1, false, "1.2.3R1.2.3E3"},
        // step position not restarting at the wrapped frame
        {0, 3, 8, -1, -1, 1.5f, false, "0.1.3R0.1"},
    };
    for (const auto& c : cases) {
        NK::FrameChannel f;
        f.start(c.from, c.to, c.frameCount, c.ticksPerFrame < 0, c.step, c.ticksPerFrame,
                c.pingPong, false, c.repeats);
        EXPECT_EQ(trace([&] { return f.advance(); }, [&] { return f.current; }, c.trace), c.trace);
    }
}

// Values in quarters. The value stays at the target on a ping-pong's
// turning tick; a repeat jumps back to the start. A colour already at its
// target ends at once without dividing by zero.
TEST(ValueChannel, ValuesAndEventsPerTickOrColourAtItsTargetDividedByZero) {
    const struct {
        float initial, current, target, speed;
        bool fromCurrent, pingPong;
        int repeats, delay;
        std::string trace;
    } cases[] = {
        // ping-pong not there and back once
        {0, 0, 1, .25f, true, true, 0, 0, "0.1.2.3.4.3.2.1E0"},
        // repeats not jumping back to the start
        {0, 0, .5f, .25f, true, false, 2, 0, "0.1R0.1R0.1E2"},
        // endless ending
        {0, 0, .5f, .25f, true, true, -1, 0, "0.1.2.1R0.1.2.1R0"},
        // delay not holding the value
        {1, 1, 0, .25f, true, false, 0, 3, "4.4.4.4.3.2.1E0"},
        // not from current not restarting at the start value
        {1, .5f, 0, .25f, false, false, 0, 0, "4.3.2.1E0"},
        // from current not starting where it is
        {1, .5f, 0, .25f, true, false, 0, 0, "2.1E0"},
    };
    for (const auto& c : cases) {
        NK::ValueChannel<float> a(c.initial);
        a.current = c.current;
        a.animate(c.target, c.speed, c.fromCurrent, c.pingPong, c.repeats, false);
        a.delay += c.delay;
        const auto quarters = [&] { return static_cast<int>(a.current * 4); };
        EXPECT_EQ(trace([&] { return a.advance(); }, quarters, c.trace), c.trace);
        EXPECT_EQ(a.active, c.repeats < 0) << c.trace;
    }
    NK::ValueChannel<NK::Rgb> colour(NK::Rgb{0.5f, 0.5f, 0.5f});
    colour.animate(colour.current, 0.1f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), NK::ChannelEvent::Ended);
    EXPECT_EQ(colour.current.r, 0.5f);
}
