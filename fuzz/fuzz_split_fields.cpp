// SplitFields on any record: the count matches what was appended, and escaping the fields
// and joining them gives a record that splits into the same fields again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/c_runtime.h"
#include "wordlist/fields.h"
#include "wordlist/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view record(reinterpret_cast<const char*>(data), size);
    CWordList fields(CWordList::kTexts);
    const int count = SplitFields(record, fields, ",");
    const auto& texts = fields.GetTexts();
    if (count < 0 || static_cast<std::size_t>(count) != texts.size()) std::abort();
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
    if (again.GetTexts() != texts) std::abort();
    return 0;
}
