#include "wordlist/fields.h"

#include <algorithm>
#include <cstring>

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

namespace {

// The character walk of splitting, byte by byte: any separator of one or two bytes.
void SplitByCharacters(std::string_view record, std::size_t pos, std::string_view separator, std::string& scratch,
                       std::vector<std::string_view>& fields) {
    // Compares characters by their bytes; the separator is one character of one or two bytes.
    auto isSeparator = [&](std::size_t at, std::size_t length) {
        return length == separator.size() && record[at] == separator[0] &&
               (length == 1 || record[at + 1] == separator[1]);
    };
    const bool backslashSeparates = separator == "\\";
    bool escaped = false;
    std::size_t fieldStart = scratch.size();
    std::size_t run = pos;  // start of the bytes that belong to the field but are not yet copied
    auto endField = [&](std::size_t end) {
        scratch.append(record, run, end - run);
        fields.emplace_back(scratch.data() + fieldStart, scratch.size() - fieldStart);
        fieldStart = scratch.size();
    };
    while (pos < record.size()) {
        const std::size_t length = cp932::CharLength(record, pos);
        if (escaped) {
            // The escaped character is literal, whatever it is.
            escaped = false;
            pos += length;
            continue;
        }
        if (isSeparator(pos, length)) {
            endField(pos);
            pos += length;
            run = pos;
            escaped = backslashSeparates;
            continue;
        }
        if (length == 1 && record[pos] == '\\') {
            scratch.append(record, run, pos - run);
            ++pos;
            run = pos;
            escaped = true;
            continue;
        }
        pos += length;
    }
    endField(record.size());
    if (fields.back().empty()) fields.pop_back();
}

// The same for a separator of one ASCII byte other than the backslash, jumping from one
// separator or backslash to the next. Such a byte is a character of its own unless it is the
// second byte of a double-byte character, which an odd run of lead-range bytes right before
// it (counted back to the last known character start) tells.
void SplitBySearch(std::string_view record, std::size_t pos, char separator, std::string& scratch,
                   std::vector<std::string_view>& fields) {
    const char* const data = record.data();
    const std::size_t size = record.size();
    auto next = [&](char byte, std::size_t from) {
        const void* found = from < size ? std::memchr(data + from, byte, size - from) : nullptr;
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
    };
    std::size_t nextSeparator = next(separator, pos);
    std::size_t nextBackslash = next('\\', pos);
    std::size_t known = pos;           // a character starts here
    std::size_t fieldStart = pos;      // the field's first byte in record
    std::size_t run = pos;             // start of the bytes of the field not yet copied
    bool unescaping = false;           // the field is being built in scratch, from scratchStart
    std::size_t scratchStart = 0;
    auto endField = [&](std::size_t end) {
        if (!unescaping) {
            fields.emplace_back(data + fieldStart, end - fieldStart);
        } else {
            scratch.append(record, run, end - run);
            fields.emplace_back(scratch.data() + scratchStart, scratch.size() - scratchStart);
        }
        unescaping = false;
    };
    for (;;) {
        const std::size_t at = std::min(nextSeparator, nextBackslash);
        if (at == size) break;
        std::size_t leads = 0;
        while (at - leads > known && cp932::IsLeadByte(static_cast<unsigned char>(data[at - leads - 1]))) ++leads;
        known = at + 1;
        if (leads % 2 == 0) {
            if (data[at] == separator) {
                endField(at);
                fieldStart = run = at + 1;
            } else {
                // A backslash: dropped, and the character after it is taken as it stands.
                if (!unescaping) {
                    unescaping = true;
                    scratchStart = scratch.size();
                }
                scratch.append(record, run, at - run);
                run = at + 1;
                if (run < size) known = run + cp932::CharLength(record, run);
            }
        }
        if (nextSeparator < known) nextSeparator = next(separator, known);
        if (nextBackslash < known) nextBackslash = next('\\', known);
    }
    endField(size);
    if (fields.back().empty()) fields.pop_back();
}

}  // namespace

void SplitFieldViews(std::string_view record, std::string_view separator, std::string& scratch,
                     std::vector<std::string_view>& fields) {
    fields.clear();
    scratch.clear();
    std::size_t pos = 0;
    while (pos < record.size() && crt::IsSpace(static_cast<unsigned char>(record[pos]))) ++pos;
    if (pos == record.size()) return;
    // Unescaped fields are never longer than the record, so scratch never moves.
    scratch.reserve(record.size());
    const bool searchable = separator.size() == 1 && static_cast<unsigned char>(separator[0]) < 0x80 && separator[0] != '\\';
    if (searchable) {
        SplitBySearch(record, pos, separator[0], scratch, fields);
    } else {
        SplitByCharacters(record, pos, separator, scratch, fields);
    }
}

int SplitFields(std::string_view record, CWordList& fields, std::string_view separator) {
    std::string scratch;
    std::vector<std::string_view> views;
    SplitFieldViews(record, separator, scratch, views);
    for (std::string_view field : views) fields.AddText(field);
    return static_cast<int>(views.size());
}
