#include "app/time_limit_text.h"

#include <gtest/gtest.h>

namespace {

constexpr std::optional<std::uint32_t> kRefused;
constexpr std::uint32_t kLargest = 4294967295u;

TEST(TimeLimitText, ReadsAnUnsignedNumberAlone) {
    const std::string blanks(30, ' ');
    const struct {
        std::string text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"15", 15}, {" \t15\t ", 15}, {"+15", 15}, {"0", 0}, {" 00 ", 0}, {"060", 60},
        {"4294967295", kLargest}, {"4294967296", kLargest}, {"+18446744073709551616", kLargest},
        {blanks + "7", 7}, {blanks + " 7", kRefused},  // only 31 characters are read
        {"8" + blanks + "x", 8},
        {"", kRefused}, {"  ", kRefused}, {"+", kRefused}, {"+0", kRefused}, {" +00", kRefused},
        {"-1", kRefused}, {"-0", kRefused}, {"15s", kRefused}, {"1 5", kRefused}, {"+ 5", kRefused},
        {"++5", kRefused}, {"0x10", kRefused}, {"\n5", kRefused}, {"5\r", kRefused}, {"１５", kRefused},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadUnsignedText(c.text), c.value) << '"' << c.text << '"';
}

TEST(TimeLimitText, RangeIsZeroToSixty) {
    EXPECT_TRUE(IsTimeLimitInRange(0) && IsTimeLimitInRange(60));
    EXPECT_FALSE(IsTimeLimitInRange(61) || IsTimeLimitInRange(kLargest));
    EXPECT_EQ(TimeLimitRangeMessage(), "0 から 60 までの整数を入力してください。");
}

}  // namespace
