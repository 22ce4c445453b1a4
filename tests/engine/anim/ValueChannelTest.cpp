#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/ValueChannel.h"

using NK::ChannelEvent;
using NK::Rgb;
using NK::ValueChannel;

namespace {

// One letter per tick: '.' nothing, 'R' a run completed, 'E' ended.
template <typename Value>
std::string events(ValueChannel<Value>& channel, int ticks) {
    std::string out;
    for (int i = 0; i < ticks; ++i) out += ".RE"[static_cast<int>(channel.advance())];
    return out;
}

}  // namespace

TEST(ValueChannel, PingPongWithoutRepeatsGoesThereAndBackOnce) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(1.0f, 0.25f, true, true, 0, false);
    // The value stays at the target on the turning tick.
    const float expected[] = {0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(alpha.advance(), ChannelEvent::None) << "tick " << i + 1;
        EXPECT_EQ(alpha.current, expected[i]) << "tick " << i + 1;
    }
    EXPECT_EQ(alpha.advance(), ChannelEvent::Ended);  // tick 8 reaches the start again
    EXPECT_EQ(alpha.current, 0.0f);
    EXPECT_FALSE(alpha.active);
}

TEST(ValueChannel, RepeatsJumpBackToStartAndEndlessNeverEnds) {
    ValueChannel<float> alpha(0.0f);
    alpha.animate(0.5f, 0.25f, true, false, 2, false);
    EXPECT_EQ(events(alpha, 6), ".R.R.E");
    EXPECT_EQ(alpha.current, 0.5f);

    alpha.animate(1.0f, 0.1f, true, true, -1, false);
    const std::string endless = events(alpha, 1000);
    EXPECT_EQ(endless.find('E'), std::string::npos);
    EXPECT_GT(std::count(endless.begin(), endless.end(), 'R'), 40);
}

TEST(ValueChannel, DelayHoldsTheValueAndANewAnimationClearsIt) {
    ValueChannel<float> alpha(1.0f);
    alpha.animate(0.0f, 0.25f, true, false, 0, false);
    alpha.delay = 3;
    events(alpha, 3);
    EXPECT_EQ(alpha.current, 1.0f);
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.75f);

    alpha.delay = 10;
    alpha.animate(0.5f, 0.25f, true, false, 0, false);
    alpha.advance();
    EXPECT_EQ(alpha.current, 0.5f);
}

TEST(ValueChannel, NotFromCurrentRestartsAtTheStartValue) {
    ValueChannel<float> restart(1.0f), fromHere(1.0f);
    restart.current = fromHere.current = 0.3f;
    restart.animate(0.0f, 0.1f, false, false, 0, false);
    fromHere.animate(0.0f, 0.1f, true, false, 0, false);
    EXPECT_EQ(restart.current, 1.0f);
    EXPECT_EQ(fromHere.current, 0.3f);
    EXPECT_EQ(fromHere.start, 0.3f);
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

TEST(ValueChannel, ColourAlreadyAtTargetEndsWithoutDividingByZero) {
    ValueChannel<Rgb> colour(Rgb{});
    colour.animate(Rgb{}, 0.1f, true, false, 0, false);
    EXPECT_EQ(colour.advance(), ChannelEvent::Ended);
    EXPECT_FALSE(std::isnan(colour.current.r));
}
