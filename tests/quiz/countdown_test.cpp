// The pooled time limit of a run: its display, its colour against the pace, and its end.
#include <gtest/gtest.h>

#include <climits>

#include "quiz/countdown.h"

TEST(Countdown, FormatsUpToSixtyHoursAndIsOffWithoutALimit) {
    for (auto [seconds, text] : {std::pair{0u, "00:00:00"}, {59u, "00:00:59"}, {3725u, "01:02:05"},
                                 {215999u, "59:59:59"}, {216000u, "99:59:59"}, {UINT_MAX, "99:59:59"}})
        EXPECT_EQ(CCountdown::FormatTime(seconds), text) << seconds;
    CCountdown huge;  // a huge run does not wrap
    huge.Start(60, UINT_MAX);
    EXPECT_EQ(huge.GetRemainingSeconds(), UINT_MAX);
    EXPECT_EQ(huge.GetDisplayText(), "99:59:59");
    for (int limit : {0, -5}) {
        CCountdown off;
        EXPECT_FALSE(off.Start(limit, 20));
        EXPECT_FALSE(off.IsOn() || off.IsRunning() || off.Tick(20));
        EXPECT_EQ(off.GetRemainingSeconds(), 0u);
    }
}

TEST(Countdown, PoolsTheLimitOverTheRunColoursThePaceAndRunsOutOnce) {
    CCountdown countdown;
    ASSERT_TRUE(countdown.Start(10, 20));
    EXPECT_TRUE(countdown.IsOn());
    EXPECT_EQ(countdown.GetDisplayText(), "00:03:20");
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
    EXPECT_FALSE(countdown.Tick(20));
    EXPECT_EQ(countdown.GetDisplayText(), "00:03:19");  // 199 against 200
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
    // 5 questions done in 10 seconds leaves 190 against 150: ahead; in 60 seconds, 140: behind.
    for (int i = 1; i < 10; ++i) countdown.Tick(15);
    EXPECT_EQ(countdown.GetRemainingSeconds(), 190u);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Blue);
    for (int i = 0; i < 50; ++i) countdown.Tick(15);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Red);
    // Stopping keeps the display; a new start begins afresh.
    countdown.Stop();
    EXPECT_FALSE(countdown.Tick(15));
    EXPECT_EQ(countdown.GetRemainingSeconds(), 140u);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Red);
    countdown.Start(10, 20);
    EXPECT_EQ(countdown.GetRemainingSeconds(), 200u);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);

    // Against 200 seconds of pace: black from 194 through 206 inclusive.
    for (auto [afterTick, colour] : {std::pair{207u, TimeColour::Blue}, {206u, TimeColour::Black},
                                     {194u, TimeColour::Black}, {193u, TimeColour::Red}}) {
        CCountdown edge;
        edge.Start(1, afterTick + 1);
        edge.Tick(200);
        EXPECT_EQ(edge.GetColour(), colour) << afterTick;
    }

    countdown.Start(1, 2);
    EXPECT_FALSE(countdown.Tick(2));
    EXPECT_TRUE(countdown.Tick(2));
    EXPECT_FALSE(countdown.IsRunning());
    EXPECT_EQ(countdown.GetDisplayText(), "00:00:00");
    EXPECT_FALSE(countdown.Tick(2));
    EXPECT_EQ(countdown.GetRemainingSeconds(), 0u);
}
