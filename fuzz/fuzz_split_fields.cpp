// SplitFields on any record: the count matches what was appended, the fields are those of the
// character walk below for several kinds of separator, and escaping the fields and joining them
// gives a record that splits into the same fields again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/c_runtime.h"
#include "platform/cp932.h"
#include "wordlist/fields.h"
#include "wordlist/word_list.h"

namespace {

// Splitting as the file formats describe it, one whole character at a time: leading white
// space skipped, a backslash taking the next character literally, an empty last field dropped.
std::vector<std::string> SplitByWalk(std::string_view record, std::string_view separator) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < record.size() && crt::IsSpace(static_cast<unsigned char>(record[pos]))) ++pos;
    if (pos == record.size()) return fields;
    std::string field;
    bool escaped = false;
    while (pos < record.size()) {
        const std::size_t length = cp932::CharLength(record, pos);
        const std::string_view character = record.substr(pos, length);
        pos += length;
        if (escaped) {
            field += character;
            escaped = false;
        } else if (character == separator) {
            fields.push_back(std::exchange(field, {}));
            escaped = separator == "\\";
        } else if (character == "\\") {
            escaped = true;
        } else {
            field += character;
        }
    }
    if (!field.empty()) fields.push_back(field);
    return fields;
}

std::vector<std::string_view> Split(std::string_view record, CWordList& fields, std::string_view separator) {
    fields.RemoveAll();
    const int count = SplitFields(record, fields, separator);
    if (count < 0 || static_cast<std::size_t>(count) != fields.GetCount()) std::abort();
    const auto texts = fields.GetTexts();
    if (!std::ranges::equal(texts, SplitByWalk(record, separator))) std::abort();
    return {texts.begin(), texts.end()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view record(reinterpret_cast<const char*>(data), size);
    CWordList fields(CWordList::kTexts);
    for (std::string_view separator : {";", "\\", "\x81\x40"}) Split(record, fields, separator);
    const std::vector<std::string_view> texts = Split(record, fields, ",");
    if (texts.empty()) return 0;

    // What a record cannot carry: white space at its start, an empty field at its end.
    if (crt::IsSpace(static_cast<unsigned char>(texts.front().empty() ? 'x' : texts.front()[0]))) return 0;
    if (texts.back().empty()) return 0;
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) joined += ',';
        joined += EscapeField(texts[i], kEscapeSet, 0);
    }
    CWordList again(CWordList::kTexts);
    SplitFields(joined, again, ",");
    if (!std::ranges::equal(again.GetTexts(), texts)) std::abort();
    return 0;
}
