#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/text_codec.h"

TEST(TextCodec, ConvertsJapaneseBothWays) {
    EXPECT_EQ(text::Utf8ToCp932("日本").value(), "\x93\xFA\x96\x7B");
    EXPECT_EQ(text::Cp932ToUtf8("\x93\xFA\x96\x7B").value(), "日本");
    EXPECT_EQ(text::ToCp932("ﾜｰﾄﾞ"), "\xDC\xB0\xC4\xDE");  // half-width katakana is one byte
    EXPECT_EQ(text::Utf8ToCp932("①～").value(), "\x87\x40\x81\x60");  // code page 932, not plain Shift_JIS
    // The byte 0x5C is a backslash, and a second byte 0x5C belongs to its character.
    EXPECT_EQ(text::Cp932ToUtf8("\\").value(), "\\");
    EXPECT_EQ(text::Cp932ToUtf8("\x83\x5C").value(), "ソ");
}

TEST(TextCodec, RefusesWhatCannotConvertAndShowsItReplaced) {
    for (const char* utf8 : {"\xF0\x9F\x98\x80", "\xC3\xA9", "\xFF"})  // emoji, accented e, no UTF-8
        EXPECT_FALSE(text::Utf8ToCp932(utf8).has_value()) << utf8;
    EXPECT_FALSE(text::Cp932ToUtf8("a\x81").has_value());
    EXPECT_EQ(text::Cp932ToUtf8Lossy("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(text::Cp932ToUtf8Lossy(std::string("x\x85\x40y", 4)), "x\xEF\xBF\xBDy");
    EXPECT_EQ(text::Cp932ToUtf8Lossy(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932Walk, LeadBytesTakeTheNextByte) {
    for (unsigned char lead : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(cp932::IsLeadByte(lead)) << int(lead);
    for (unsigned char other : {0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(cp932::IsLeadByte(other)) << int(other);
    EXPECT_EQ(cp932::CharLength("\x83\x5C", 0), 2u);
    EXPECT_EQ(cp932::CharLength("a\x83", 1), 1u);  // a lead byte at the end stands alone
}
