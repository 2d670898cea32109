#include "app/time_limit_text.h"

#include <gtest/gtest.h>

namespace {

constexpr std::optional<std::uint32_t> kNo;

TEST(TimeLimitText, ReadsAnUnsignedNumberAloneAndChecksTheRange) {
    const std::string blanks(30, ' ');  // only 31 characters are read
    const std::pair<std::string, std::optional<std::uint32_t>> cases[] = {
        {"15", 15}, {" \t15\t ", 15}, {"+15", 15}, {"0", 0}, {" 00 ", 0}, {"060", 60}, {"4294967295", UINT32_MAX},
        {"4294967296", UINT32_MAX}, {"+18446744073709551616", UINT32_MAX}, {blanks + "7", 7}, {blanks + " 7", kNo},
        {"8" + blanks + "x", 8}, {"", kNo}, {"  ", kNo}, {"+", kNo}, {"+0", kNo}, {" +00", kNo}, {"-1", kNo},
        {"-0", kNo}, {"15s", kNo}, {"1 5", kNo}, {"+ 5", kNo}, {"++5", kNo}, {"0x10", kNo}, {"\n5", kNo},
        {"5\r", kNo}, {"１５", kNo},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadUnsignedText(text), value) << '"' << text << '"';
    EXPECT_TRUE(IsTimeLimitInRange(0) && IsTimeLimitInRange(60));
    EXPECT_FALSE(IsTimeLimitInRange(61) || IsTimeLimitInRange(UINT32_MAX));
    EXPECT_EQ(TimeLimitRangeMessage(), "0 から 60 までの整数を入力してください。");
}

}  // namespace
