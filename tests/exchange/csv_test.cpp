// The CSV cells as a spreadsheet writes and reads them, and the lookup tables of the large-table
// conversion against the program's codec, character by character.
#include <gtest/gtest.h>

#include "exchange/cp932_tables.h"
#include "exchange/csv_cells.h"
#include "platform/text_codec.h"

namespace {

// The rows of a text as "[cell|cell]" each, or where it is malformed.
std::string Rows(std::string_view text) {
    CCsvReader reader(text);
    std::vector<std::string> cells;
    std::string rows;
    for (CCsvReader::Result result; (result = reader.ReadRow(cells)) != CCsvReader::Result::End;) {
        if (result == CCsvReader::Result::Malformed)
            return rows + "malformed " + std::to_string(reader.Row()) + ":" + std::to_string(reader.Column());
        rows += "[";
        for (std::size_t i = 0; i < cells.size(); ++i) rows += (i ? "|" : "") + cells[i];
        rows += "]";
    }
    return rows;
}

TEST(CsvCells, RowsEndInAnyLineBreakAndCellsKeepTheirsAsCrLf) {
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\r\nc", "[a|b][c]"},
        {"a,\nlonger,cells,here\r\nx,y", "[a|][longer|cells|here][x|y]"},
        {"a\rb\r\n\r\n", "[a][b][]"},
        {"\"x\ry\",\"p\nq\",\"r\r\ns\"", "[x\r\ny|p\r\nq|r\r\ns]"},
        {"\"\",\"\"\"\",\"a,\"\"b\"\"\"\n", "[|\"|a,\"b\"]"},
        {"a,\"b\" ,c", "malformed 1:2"},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(Rows(text), rows) << text;
    std::string written;  // a lone CR would end the row too: quoted like any line break
    AppendCsvCell(written, "cr\r");
    EXPECT_EQ(written, "\"cr\r\"");
}

TEST(Cp932Tables, ConvertEveryCharacterAsTheCodecDoes) {
    for (unsigned code = 0; code < 0x10000; ++code) {
        const std::string bytes = code < 0x100 ? std::string(1, static_cast<char>(code))
                                               : std::string{static_cast<char>(code >> 8), static_cast<char>(code)};
        std::string utf8;
        const bool converted = cp932::AppendAsUtf8(bytes, utf8);
        ASSERT_EQ(converted ? std::optional(utf8) : std::nullopt, text::Cp932ToUtf8(bytes)) << std::hex << code;
        ASSERT_EQ(cp932::IsValid(bytes), converted) << std::hex << code;
    }
    // Every code point of the basic plane and a sample above it, encoded as UTF-8 here.
    for (char32_t c = 0; c < 0x30000; c += c < 0x10000 ? 1 : 0x100) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        std::string utf8(static_cast<std::size_t>(length), '\0');
        for (int i = length - 1; i > 0; --i) utf8[i] = static_cast<char>(0x80 | ((c >> (6 * (length - 1 - i))) & 0x3F));
        utf8[0] = static_cast<char>(length == 1 ? c : (0xF00 >> length) | (c >> (6 * (length - 1))));
        std::string cp932;
        const bool converted = cp932::AppendFromUtf8(utf8, cp932);
        ASSERT_EQ(converted ? std::optional(cp932) : std::nullopt, text::Utf8ToCp932(utf8)) << std::hex << unsigned(c);
    }
}

}  // namespace
