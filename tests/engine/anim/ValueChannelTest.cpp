#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/ValueChannel.h"

using NK::ChannelEvent;
using NK::Rgb;
using NK::ValueChannel;

namespace {

std::vector<ChannelEvent> run(ValueChannel<float>& channel, int ticks) {
    std::vector<ChannelEvent> events;
    for (int i = 0; i < ticks; ++i) events.push_back(channel.advance());
    return events;
}

}  // namespace

TEST(ValueChannel, AlphaSnapsToTargetOnTwelfthTick) {
    ValueChannel<float> alpha(1.0f);
    alpha.animate(0.4f, 0.05f, true, false, 0, false);
    // 1.0 - 11 * 0.05 = 0.45: still 0.05 away, so tick 12 is the first with
    // less than one step left.
    for (int tick = 1; tick <= 11; ++tick) {
        EXPECT_EQ(alpha.advance(), ChannelEvent::None) << "tick " << tick;
        EXPECT_NEAR(alpha.current, 1.0f - 0.05f * tick, 1e-5f) << "tick " << tick;
        EXPECT_NE(alpha.current, 0.4f) << "tick " << tick;
    }
    EXPECT_EQ(alpha.advance(), ChannelEvent::Ended);
    EXPECT_EQ(alpha.current, 0.4f);
    EXPECT_EQ(alpha.start, 0.4f);  // the next fade begins where this one stopped
    EXPECT_FALSE(alpha.active);
    EXPECT_EQ(alpha.advance(), ChannelEvent::None);
    EXPECT_EQ(alpha.current, 0.4f);
}

TEST(ValueChannel, PingPongWithoutRepeatsGoesThereAndBackOnce) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(1.0f, 0.25f, true, true, 0, false);
    const float expected[] = {0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(alpha.advance(), ChannelEvent::None) << "tick " << i + 1;
        EXPECT_EQ(alpha.current, expected[i]) << "tick " << i + 1;
    }
    EXPECT_TRUE(alpha.returning);
    EXPECT_EQ(alpha.current, 0.25f);
    EXPECT_EQ(alpha.advance(), ChannelEvent::Ended);  // tick 8 reaches the start again
    EXPECT_EQ(alpha.current, 0.0f);
    EXPECT_FALSE(alpha.active);
    EXPECT_FALSE(alpha.pingPong);
    EXPECT_FALSE(alpha.returning);
}

TEST(ValueChannel, PingPongValueStaysAtTargetOnTurningTick) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(0.5f, 0.25f, true, true, 0, false);
    alpha.advance();
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.5f);
    EXPECT_TRUE(alpha.returning);
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.25f);
}

TEST(ValueChannel, RepeatsJumpBackToStartAndReportEachRun) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(0.5f, 0.25f, true, false, 2, false);
    auto events = run(alpha, 6);
    std::vector<ChannelEvent> expected = {ChannelEvent::None, ChannelEvent::RunCompleted,
                                          ChannelEvent::None, ChannelEvent::RunCompleted,
                                          ChannelEvent::None, ChannelEvent::Ended};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(alpha.current, 0.5f);
}

TEST(ValueChannel, EndlessRepeatsNeverEnd) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(1.0f, 0.1f, true, true, -1, false);
    int runs = 0;
    for (int i = 0; i < 1000; ++i) {
        ChannelEvent e = alpha.advance();
        ASSERT_NE(e, ChannelEvent::Ended) << "tick " << i + 1;
        if (e == ChannelEvent::RunCompleted) ++runs;
    }
    EXPECT_GT(runs, 40);
    EXPECT_TRUE(alpha.active);
}

TEST(ValueChannel, DelayHoldsTheValueForItsTicks) {
    ValueChannel<float> alpha(1.0f);
    alpha.animate(0.0f, 0.25f, true, false, 0, false);
    alpha.delay = 3;
    run(alpha, 3);
    EXPECT_EQ(alpha.current, 1.0f);
    EXPECT_EQ(alpha.delay, 0);
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.75f);
}

TEST(ValueChannel, NewAnimationClearsAnOldDelay) {
    ValueChannel<float> alpha(1.0f);
    alpha.animate(0.0f, 0.25f, true, false, 0, false);
    alpha.delay = 10;
    alpha.animate(0.5f, 0.25f, true, false, 0, false);
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.75f);
}

TEST(ValueChannel, LockRefusesReplacementUntilTheRunEnds) {
    ValueChannel<float> alpha(1.0f);
    alpha.animate(0.5f, 0.25f, true, false, 0, false);
    alpha.locked = true;
    alpha.animate(0.0f, 0.1f, true, true, 3, false);
    EXPECT_EQ(alpha.target, 0.5f);
    EXPECT_EQ(alpha.speed, 0.25f);
    EXPECT_FALSE(alpha.pingPong);
    alpha.advance();
    EXPECT_EQ(alpha.advance(), ChannelEvent::Ended);
    EXPECT_FALSE(alpha.locked);
    alpha.animate(0.0f, 0.1f, true, false, 0, false);
    EXPECT_EQ(alpha.target, 0.0f);
}

TEST(ValueChannel, NotFromCurrentRestartsAtTheStartValue) {
    ValueChannel<float> alpha(1.0f);
    alpha.current = 0.3f;
    alpha.animate(0.0f, 0.1f, false, false, 0, false);
    EXPECT_EQ(alpha.current, 1.0f);
    ValueChannel<float> fromHere(1.0f);
    fromHere.current = 0.3f;
    fromHere.animate(0.0f, 0.1f, true, false, 0, false);
    EXPECT_EQ(fromHere.start, 0.3f);
    EXPECT_EQ(fromHere.current, 0.3f);
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

TEST(ValueChannel, ColourExactlyOneStepAwayStillMovesAlongTheLine) {
    // Each component is exactly 0.5 away: not within the step, so the colour
    // moves 0.5 along the diagonal (0.354 per component) instead of snapping.
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{1.0f, 0.5f, 0.5f}, 0.5f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), ChannelEvent::None);
    EXPECT_NEAR(colour.current.g, 1.0f - 0.5f / std::sqrt(2.0f), 1e-5f);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
}

TEST(ValueChannel, ColourWithRestoreReturnsToStartAtTheEnd) {
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{0.5f, 1.0f, 1.0f}, 0.25f, true, false, 0, true);
    colour.advance();
    EXPECT_EQ(colour.current.r, 0.75f);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    EXPECT_EQ(colour.current, Rgb{});
    EXPECT_EQ(colour.start, Rgb{});
}

TEST(ValueChannel, ColourAlreadyAtTargetEndsOnFirstTick) {
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{}, 0.1f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    EXPECT_FALSE(std::isnan(colour.current.r));
}
