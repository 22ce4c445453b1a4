#include <gtest/gtest.h>

#include <vector>

#include "engine/AnimationPlay.h"
#include "engine/FrameChannel.h"

using NK::AnimationPlay;
using NK::ChannelEvent;
using NK::FrameChannel;

TEST(AnimationPlayAdvance, StepFourShowsEveryFourthFrameAndEndsOnSixteenthUpdate) {
    AnimationPlay play;
    play.frameStep = 4.0f;
    for (int update = 1; update <= 15; ++update) {
        ASSERT_EQ(play.advance(64), ChannelEvent::None) << "update " << update;
        EXPECT_EQ(play.current, 4 * update);
    }
    EXPECT_EQ(play.advance(64), ChannelEvent::Ended);
}

TEST(AnimationPlayAdvance, FractionalStepTruncatesPosition) {
    AnimationPlay play;
    play.frameStep = 0.75f;
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        play.advance(10);
        shown.push_back(play.current);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3}));
}

TEST(AnimationPlayAdvance, CountingModeMovesOnFirstTickThenEveryThird) {
    AnimationPlay play;
    play.stepMode = false;
    play.ticksPerFrame = 2;
    std::vector<int> shown;
    for (int i = 0; i < 7; ++i) {
        play.advance(10);
        shown.push_back(play.current);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
}

TEST(AnimationPlayAdvance, PingPongTurnsAtLastFrameThenEndsPastFirst) {
    AnimationPlay play;
    play.pingPong = true;
    std::vector<int> shown;
    std::vector<ChannelEvent> events;
    for (int i = 0; i < 7; ++i) {
        events.push_back(play.advance(4));
        shown.push_back(play.current);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 3, 2, 1, 0}));
    EXPECT_EQ(events[3], ChannelEvent::RunCompleted);  // the turn counts as a run
    EXPECT_EQ(play.repeats, 0);
    EXPECT_EQ(play.advance(4), ChannelEvent::Ended);
}

TEST(AnimationPlayAdvance, RepeatWrapsToFirstFrameAndCountsDown) {
    AnimationPlay play;
    play.repeats = 1;
    std::vector<ChannelEvent> events;
    for (int i = 0; i < 6; ++i) events.push_back(play.advance(3));
    std::vector<ChannelEvent> expected = {ChannelEvent::None,         ChannelEvent::None,
                                          ChannelEvent::RunCompleted, ChannelEvent::None,
                                          ChannelEvent::None,         ChannelEvent::Ended};
    EXPECT_EQ(events, expected);
}

TEST(AnimationPlayAdvance, ReverseWrapsToLastFrame) {
    AnimationPlay play;
    play.reverse = true;
    play.repeats = -1;
    EXPECT_EQ(play.advance(5), ChannelEvent::RunCompleted);
    EXPECT_EQ(play.current, 4);
    play.advance(5);
    EXPECT_EQ(play.current, 3);
}

namespace {

FrameChannel started(int from, int to, int frames, bool stepping, float step, int ticks,
                     bool pingPong, int repeats) {
    FrameChannel c;
    c.start(from, to, frames, stepping, step, ticks, pingPong, false, repeats);
    return c;
}

struct Trace {
    std::vector<int> frames;
    std::vector<ChannelEvent> events;
};

Trace trace(FrameChannel& c, int ticks) {
    Trace t;
    for (int i = 0; i < ticks; ++i) {
        t.events.push_back(c.advance());
        t.frames.push_back(c.current);
    }
    return t;
}

}  // namespace

TEST(FrameChannelAdvance, StepRunEndsHoldingItsLastFrame) {
    FrameChannel c = started(2, 5, 8, true, 1.0f, 0, false, 0);
    EXPECT_EQ(c.current, 2);
    Trace t = trace(c, 4);
    EXPECT_EQ(t.frames, (std::vector<int>{3, 4, 5, 5}));
    EXPECT_EQ(t.events[3], ChannelEvent::Ended);
    EXPECT_FALSE(c.active);
}

TEST(FrameChannelAdvance, FromAboveToRunsBackward) {
    FrameChannel c = started(5, 2, 8, true, 1.0f, 0, false, 0);
    EXPECT_EQ(c.current, 5);
    Trace t = trace(c, 4);
    EXPECT_EQ(t.frames, (std::vector<int>{4, 3, 2, 2}));
    EXPECT_EQ(t.events[3], ChannelEvent::Ended);
}

TEST(FrameChannelAdvance, FramesClampedToTheSheet) {
    FrameChannel c = started(-3, 99, 8, true, 1.0f, 0, false, 0);
    EXPECT_EQ(c.first, 0);
    EXPECT_EQ(c.last, 7);
    FrameChannel back = started(99, -3, 8, true, 1.0f, 0, false, 0);
    EXPECT_EQ(back.current, 7);
    EXPECT_TRUE(back.backward());
}

TEST(FrameChannelAdvance, CountingModeGivesEveryFrameTicksPerFramePlusOne) {
    FrameChannel c = started(0, 2, 8, false, 0.0f, 2, false, 0);
    Trace t = trace(c, 9);
    // frame 0 shown at start and after ticks 1, 2; frame 1 after 3, 4, 5; ...
    EXPECT_EQ(t.frames, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(t.events[7], ChannelEvent::None);
    EXPECT_EQ(t.events[8], ChannelEvent::Ended);
}

TEST(FrameChannelAdvance, PingPongShowsTheTurningFrameTwice) {
    FrameChannel c = started(0, 2, 8, true, 1.0f, 0, true, 0);
    Trace t = trace(c, 6);
    EXPECT_EQ(t.frames, (std::vector<int>{1, 2, 2, 1, 0, 0}));
    std::vector<ChannelEvent> expected(5, ChannelEvent::None);
    expected.push_back(ChannelEvent::Ended);
    EXPECT_EQ(t.events, expected);  // unlike a play, the turn is not a run
}

TEST(FrameChannelAdvance, RepeatWrapsToTheOtherEnd) {
    FrameChannel c = started(1, 3, 8, true, 1.0f, 0, false, 1);
    Trace t = trace(c, 6);
    EXPECT_EQ(t.frames, (std::vector<int>{2, 3, 1, 2, 3, 3}));
    EXPECT_EQ(t.events[2], ChannelEvent::RunCompleted);
    EXPECT_EQ(t.events[5], ChannelEvent::Ended);
}

TEST(FrameChannelAdvance, StepPositionRestartsFromTheWrappedFrame) {
    FrameChannel c = started(0, 3, 8, true, 1.5f, 0, false, -1);
    Trace t = trace(c, 4);
    // 1.5, 3.0, 4.5 (past: wrap to 0, position 0), 1.5
    EXPECT_EQ(t.frames, (std::vector<int>{1, 3, 0, 1}));
}

TEST(FrameChannelAdvance, LockedChannelRefusesANewRun) {
    FrameChannel c;
    c.start(0, 7, 8, true, 1.0f, 0, false, true, -1);
    EXPECT_FALSE(c.start(5, 6, 8, true, 1.0f, 0, false, false, 0));
    EXPECT_EQ(c.last, 7);
    EXPECT_EQ(c.repeats, -1);
}

TEST(AnimationPlayAdvance, PingPongTurnDoesNotSpendARepeat) {
    AnimationPlay play;
    play.pingPong = true;
    play.repeats = 1;
    // Out 1,2,3, turn, back 2,1,0, past start (repeat spent), out again,
    // turn, back, and past the start once more on update 16.
    for (int update = 1; update <= 15; ++update) {
        ASSERT_NE(play.advance(4), ChannelEvent::Ended) << "update " << update;
    }
    EXPECT_EQ(play.advance(4), ChannelEvent::Ended);
}
