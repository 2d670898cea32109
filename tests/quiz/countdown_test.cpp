#include <gtest/gtest.h>

#include <climits>

#include "quiz/countdown.h"

TEST(Countdown, FormatsHoursMinutesAndSecondsUpToSixtyHours) {
    const struct {
        unsigned seconds;
        const char* text;
    } cases[] = {{0, "00:00:00"},       {59, "00:00:59"},       {3725, "01:02:05"},
                 {215999, "59:59:59"}, {216000, "99:59:59"}, {UINT_MAX, "99:59:59"}};
    for (const auto& c : cases) EXPECT_EQ(CCountdown::FormatTime(c.seconds), c.text) << c.seconds;
}

TEST(Countdown, IsOffWithoutALimit) {
    for (int limit : {0, -5}) {
        CCountdown countdown;
        EXPECT_FALSE(countdown.Start(limit, 20));
        EXPECT_FALSE(countdown.IsOn());
        EXPECT_FALSE(countdown.IsRunning());
        EXPECT_FALSE(countdown.Tick(20));
        EXPECT_EQ(countdown.GetRemainingSeconds(), 0u);
    }
}

TEST(Countdown, PoolsTheLimitOverTheRun) {
    CCountdown countdown;
    ASSERT_TRUE(countdown.Start(10, 20));
    EXPECT_TRUE(countdown.IsOn());
    EXPECT_EQ(countdown.GetDisplayText(), "00:03:20");
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
    EXPECT_FALSE(countdown.Tick(20));
    EXPECT_EQ(countdown.GetDisplayText(), "00:03:19");  // 199 against 200
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
}

TEST(Countdown, ColourFollowsThePace) {
    // Limit 10, N 20: 5 questions done in 10 seconds leaves 190 against 150; in 60, 140.
    CCountdown ahead;
    ahead.Start(10, 20);
    for (int i = 0; i < 10; ++i) ahead.Tick(15);
    EXPECT_EQ(ahead.GetRemainingSeconds(), 190u);
    EXPECT_EQ(ahead.GetColour(), TimeColour::Blue);
    CCountdown behind;
    behind.Start(10, 20);
    for (int i = 0; i < 60; ++i) behind.Tick(15);
    EXPECT_EQ(behind.GetColour(), TimeColour::Red);

    // Against 200 seconds of pace: black from 194 through 206 inclusive.
    const struct {
        unsigned afterTick;
        TimeColour colour;
    } edges[] = {{207, TimeColour::Blue}, {206, TimeColour::Black}, {194, TimeColour::Black}, {193, TimeColour::Red}};
    for (const auto& edge : edges) {
        CCountdown countdown;
        countdown.Start(1, edge.afterTick + 1);
        countdown.Tick(200);
        EXPECT_EQ(countdown.GetRemainingSeconds(), edge.afterTick);
        EXPECT_EQ(countdown.GetColour(), edge.colour) << edge.afterTick;
    }
}

TEST(Countdown, RunsOutOnceAndStops) {
    CCountdown countdown;
    countdown.Start(1, 2);
    EXPECT_FALSE(countdown.Tick(2));
    EXPECT_TRUE(countdown.Tick(2));
    EXPECT_FALSE(countdown.IsRunning());
    EXPECT_EQ(countdown.GetDisplayText(), "00:00:00");
    EXPECT_FALSE(countdown.Tick(2));
    EXPECT_EQ(countdown.GetRemainingSeconds(), 0u);
}

TEST(Countdown, StopKeepsTheDisplayAndAStartBeginsAfresh) {
    CCountdown countdown;
    countdown.Start(10, 20);
    for (int i = 0; i < 60; ++i) countdown.Tick(15);
    countdown.Stop();
    EXPECT_FALSE(countdown.Tick(15));
    EXPECT_EQ(countdown.GetRemainingSeconds(), 140u);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Red);
    countdown.Start(10, 20);
    EXPECT_EQ(countdown.GetRemainingSeconds(), 200u);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
}

TEST(Countdown, AHugeRunDoesNotWrap) {
    CCountdown countdown;
    countdown.Start(60, UINT_MAX);
    EXPECT_EQ(countdown.GetRemainingSeconds(), UINT_MAX);
    EXPECT_EQ(countdown.GetDisplayText(), "99:59:59");
}
