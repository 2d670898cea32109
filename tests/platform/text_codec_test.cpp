#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/text_codec.h"

TEST(TextCodec, ConvertsJapaneseBothWays) {
    // "日本" in CP932 is 93 FA 96 7B.
    EXPECT_EQ(text::Utf8ToCp932("日本").value(), "\x93\xFA\x96\x7B");
    EXPECT_EQ(text::Cp932ToUtf8("\x93\xFA\x96\x7B").value(), "日本");
    // Half-width katakana is one byte.
    EXPECT_EQ(text::ToCp932("ﾜｰﾄﾞ"), "\xDC\xB0\xC4\xDE");
    // The byte 0x5C is a backslash, and a second byte 0x5C belongs to its character.
    EXPECT_EQ(text::Cp932ToUtf8("\\").value(), "\\");
    EXPECT_EQ(text::Cp932ToUtf8("\x83\x5C").value(), "ソ");
}

TEST(TextCodec, RefusesWhatCp932CannotHold) {
    EXPECT_FALSE(text::Utf8ToCp932("\xF0\x9F\x98\x80").has_value());  // an emoji
    EXPECT_FALSE(text::Utf8ToCp932("\xC3\xA9").has_value());         // e with acute accent
    EXPECT_FALSE(text::Utf8ToCp932("\xFF").has_value());             // not UTF-8 at all
}

TEST(TextCodec, ShowsUndecodableBytesReplacedWithoutLosingTheRest) {
    EXPECT_FALSE(text::Cp932ToUtf8("a\x81").has_value());
    EXPECT_EQ(text::Cp932ToUtf8Lossy("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(text::Cp932ToUtf8Lossy(std::string("x\x85\x40y", 4)), "x\xEF\xBF\xBDy");
    EXPECT_EQ(text::Cp932ToUtf8Lossy(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932Walk, LeadBytesTakeTheNextByte) {
    EXPECT_TRUE(cp932::IsLeadByte(0x81));
    EXPECT_TRUE(cp932::IsLeadByte(0x9F));
    EXPECT_FALSE(cp932::IsLeadByte(0xA0));
    EXPECT_FALSE(cp932::IsLeadByte(0xDF));
    EXPECT_TRUE(cp932::IsLeadByte(0xE0));
    EXPECT_TRUE(cp932::IsLeadByte(0xFC));
    EXPECT_FALSE(cp932::IsLeadByte(0xFD));
    EXPECT_EQ(cp932::CharLength("\x83\x5C", 0), 2u);
    EXPECT_EQ(cp932::CharLength("a\x83", 1), 1u);  // a lead byte at the end stands alone
}
