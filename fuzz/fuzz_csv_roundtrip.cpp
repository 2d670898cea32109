// Whatever a table gives as a word list can be exported, and the exported table imports again
// to the same table: one round settles what a table loses (blanks, line-break forms, empty
// cells, characters CP932 shows twice).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/csv_encoding.h"
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "wordlist/word_list.h"

namespace {

std::string Exported(const CWordList& list) {
    std::string table;
    std::string bytes;
    const CsvExport result = ExportCsv(list, {}, [&](std::string_view piece, std::size_t) {
        if (EncodeCsvPiece(piece, CsvEncoding::Utf8, bytes)) std::abort();  // imported texts are CP932
        table += bytes;
        return true;
    });
    if (!result.complete || result.childrenLeftOut != 0) std::abort();
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CWordList first;
    if (!ImportCsv(bytes, CsvEncoding::Auto, first).empty()) return 0;
    const std::string table = Exported(first);
    CWordList second;
    if (!ImportCsv(table, CsvEncoding::Auto, second).empty()) std::abort();
    if (Exported(second) != table) std::abort();
    return 0;
}
