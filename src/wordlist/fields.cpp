#include "wordlist/fields.h"

#include "platform/cp932.h"
#include "platform/c_runtime.h"
#include "wordlist/word_list.h"

void AppendEscapedField(std::string& out, std::string_view text, std::string_view escapeSet, int lineBreakMode) {
    const std::size_t size = text.size();
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t pos = 0; pos < size;) {
        const char byte = text[pos];
        if (lineBreakMode == 1 && byte == '\r' && pos + 1 < size && text[pos + 1] == '\n') {
            out.append(text, run, pos - run);
            out += '\n';
            pos += 2;
            run = pos;
            continue;
        }
        const std::size_t length = cp932::CharLength(text, pos);
        if (escapeSet.find(byte) != std::string_view::npos) {
            out.append(text, run, pos - run);
            out += '\\';
            run = pos;
        }
        pos += length;
    }
    out.append(text, run, size - run);
}

std::string EscapeField(std::string_view text, std::string_view escapeSet, int lineBreakMode) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendEscapedField(out, text, escapeSet, lineBreakMode);
    return out;
}

int SplitFields(std::string_view record, CWordList& fields, std::string_view separator) {
    std::size_t pos = 0;
    while (pos < record.size() && crt::IsSpace(static_cast<unsigned char>(record[pos]))) ++pos;
    if (pos == record.size()) return 0;

    // Compares characters by their bytes; the separator is one character of one or two bytes.
    auto isSeparator = [&](std::size_t at, std::size_t length) {
        return length == separator.size() && record[at] == separator[0] &&
               (length == 1 || record[at + 1] == separator[1]);
    };
    const bool backslashSeparates = separator == "\\";
    int count = 0;
    bool escaped = false;
    std::string field;
    std::size_t run = pos;  // start of the bytes that belong to the field but are not yet copied
    while (pos < record.size()) {
        const std::size_t length = cp932::CharLength(record, pos);
        if (escaped) {
            // The escaped character is literal, whatever it is.
            escaped = false;
            pos += length;
            continue;
        }
        if (isSeparator(pos, length)) {
            field.append(record, run, pos - run);
            fields.AddText(std::move(field));
            field.clear();
            ++count;
            pos += length;
            run = pos;
            escaped = backslashSeparates;
            continue;
        }
        if (length == 1 && record[pos] == '\\') {
            field.append(record, run, pos - run);
            ++pos;
            run = pos;
            escaped = true;
            continue;
        }
        pos += length;
    }
    field.append(record, run, record.size() - run);
    if (!field.empty()) {
        fields.AddText(std::move(field));
        ++count;
    }
    return count;
}
