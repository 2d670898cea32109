#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/c_runtime.h"

namespace {

struct AtoiCase {
    const char* text;
    int expected;
};

class AtoiTest : public ::testing::TestWithParam<AtoiCase> {};

TEST_P(AtoiTest, ReadsAsTheCLibraryDoes) {
    const AtoiCase& c = GetParam();
    EXPECT_EQ(crt::Atoi(c.text), c.expected) << '"' << c.text << '"';
    // Within the range where glibc's atoi is defined, both agree.
    EXPECT_EQ(crt::Atoi(c.text), std::atoi(c.text)) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Forms, AtoiTest,
                         ::testing::Values(AtoiCase{"15", 15}, AtoiCase{"15s", 15}, AtoiCase{"abc", 0},
                                           AtoiCase{"", 0}, AtoiCase{"-5", -5}, AtoiCase{"+7", 7},
                                           AtoiCase{" \t\r\n\v\f42", 42}, AtoiCase{"- 5", 0},
                                           AtoiCase{"--5", 0}, AtoiCase{"0x10", 0}, AtoiCase{"007", 7},
                                           AtoiCase{"2147483647", 2147483647},
                                           AtoiCase{"-2147483648", -2147483647 - 1},
                                           // Beyond 32 bits: the long value cut to its low 32 bits.
                                           AtoiCase{"2147483648", -2147483647 - 1},
                                           AtoiCase{"4294967297", 1},
                                           AtoiCase{"99999999999", 1215752191}));

TEST(AtoiSaturation, BeyondSixtyFourBitsSaturatesLikeStrtol) {
    // strtol gives LONG_MAX / LONG_MIN, whose low 32 bits are -1 and 0.
    EXPECT_EQ(crt::Atoi("123456789012345678901234567890"), -1);
    EXPECT_EQ(crt::Atoi("-123456789012345678901234567890"), 0);
    EXPECT_EQ(crt::Atoi(std::string(100000, '9')), -1);
    EXPECT_EQ(crt::Atoi("9223372036854775807"), static_cast<int>(std::strtol("9223372036854775807", nullptr, 10)));
}

TEST(AtoiBytes, StopsAtNulAndHighBytes) {
    EXPECT_EQ(crt::Atoi(std::string("12\0" "34", 5)), 12);
    EXPECT_EQ(crt::Atoi("\x82\x50" "5"), 0);
}

}  // namespace
