#include "wordlist/fields.h"

#include "wordlist_test_util.h"

namespace {

using Texts = std::vector<std::string>;

Texts Split(std::string_view record) {
    CWordList fields(CWordList::kTexts);
    const int count = SplitFields(record, fields, ",");
    EXPECT_EQ(static_cast<std::size_t>(count), fields.GetTexts().size());
    return TextsOf(fields);
}

// 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte, which must neither escape what
// follows nor be dropped or doubled.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(SplitFields, Records) {
    const struct { std::string record; Texts fields; } cases[] = {
        {"a,b", {"a", "b"}},          {"a,,b", {"a", "", "b"}},    {"a,b,", {"a", "b"}},
        {",a", {"", "a"}},            {",", {""}},                 {"a\\,b", {"a,b"}},
        {"a\\\\,b", {"a\\", "b"}},    {"\\x", {"x"}},              {"a\\", {"a"}},
        {"a\\\\\\,b", {"a\\,b"}},     {"", {}},                    {" \t\r\n\v\f", {}},
        {" \r\n a, b ", {"a", " b "}}, {"\\ a", {" a"}},           {"a\\;", {"a;"}},
        {kHyou + "," + kSo, {kHyou, kSo}}, {"a" + kHyou + "\\,b", {"a" + kHyou + ",b"}},
        {"\\" + kHyou + ",b", {kHyou, "b"}},  // an escaped character is taken whole
        {"a\x81,b", {"a\x81,b"}},     {"a,\x81", {"a", "\x81"}},  // a lead byte takes the next byte
    };
    for (const auto& c : cases) EXPECT_EQ(Split(c.record), c.fields) << c.record;
    // The fields are appended to the list without emptying it.
    CWordList fields = Fields({"kept"});
    EXPECT_EQ(SplitFields("a,b", fields, ","), 2);
    EXPECT_EQ(TextsOf(fields), (Texts{"kept", "a", "b"}));
}

TEST(EscapeField, Texts) {
    const struct { std::string text; int lineBreakMode; std::string escaped; } cases[] = {
        {"", 1, ""},                   {"a,b", 0, "a\\,b"},          {"\\", 0, "\\\\"},
        {"x;", 0, "x\\;"},             {"a\r\nb", 1, "a\nb"},        {"a\r\nb", 0, "a\r\nb"},
        {"a\r\nb", 2, "a\r\nb"},       {"a\rb\nc", 1, "a\rb\nc"},    {"\r\r\n\n", 1, "\r\n\n"},
        {kHyou + "\\", 0, kHyou + "\\\\"}, {"\x81", 0, "\x81"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeField(c.text, kEscapeSet, c.lineBreakMode), c.escaped) << c.text;
    // Only the first byte of a character is tested against the set.
    EXPECT_EQ(EscapeField("\x81,", ",", 0), "\x81,");
}

}  // namespace
