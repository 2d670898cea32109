#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/c_runtime.h"

namespace {

TEST(Atoi, ReadsAsTheCLibraryDoes) {
    const std::pair<std::string, int> cases[] = {
        {"15", 15}, {"15s", 15}, {"abc", 0}, {"", 0}, {"-5", -5}, {"+7", 7}, {" \t\r\n\v\f42", 42},
        {"- 5", 0}, {"--5", 0}, {"0x10", 0}, {"007", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {std::string("12\0" "34", 5), 12}, {"\x82\x50" "5", 0},
        // Beyond 32 bits: the long value cut to its low 32 bits.
        {"2147483648", INT_MIN}, {"4294967297", 1}, {"99999999999", 1215752191},
        // Beyond 64 bits strtol saturates at LONG_MAX / LONG_MIN, whose low 32 bits are -1 and 0.
        {"9223372036854775807", -1}, {"9223372036854775808", -1}, {"-9223372036854775808", 0},
        {"123456789012345678901234567890", -1}, {"-123456789012345678901234567890", 0},
        {std::string(100000, '9'), -1},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(crt::Atoi(text), expected) << '"' << text << '"';
}

}  // namespace
