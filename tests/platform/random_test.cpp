#include <gtest/gtest.h>

#include "platform/random.h"

TEST(Random, FollowsTheRecurrence) {
    CRandom generator;
    generator.Seed(0);
    // s1 = 2531011 -> 38; s2 = 2531011*214013+2531011 mod 2^32 = 505908858 -> 7719.
    EXPECT_EQ(generator.Next(), 38);
    EXPECT_EQ(generator.Next(), 7719);
    EXPECT_EQ(generator.Next(), 21238);
    generator.Seed(1);
    EXPECT_EQ(generator.Next(), 41);
    EXPECT_EQ(generator.Next(), 18467);
    EXPECT_EQ(generator.Next(), 6334);
}

TEST(Random, StaysWithinFifteenBitsAndWrapsTheState) {
    CRandom generator;
    generator.Seed(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        int value = generator.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}
