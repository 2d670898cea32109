#include "wordlist/record_reader.h"

#include "platform/cp932.h"
#include "platform/line_reader.h"

namespace {

// Number of bytes in the lead-byte range directly before end.
std::size_t LeadRangeRunBefore(std::string_view line, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && cp932::IsLeadByte(static_cast<unsigned char>(line[start - 1]))) --start;
    return end - start;
}

}  // namespace

bool EndsRecord(std::string_view line) {
    if (line.empty() || line.back() != ';') return false;
    // A byte outside the lead-byte range always ends a character, so characters can be told
    // from the end without walking the whole line: an odd run of lead-range bytes right
    // before a byte makes that byte the second half of a character.
    const std::size_t semicolon = line.size() - 1;
    const std::size_t leads = LeadRangeRunBefore(line, semicolon);
    if (leads % 2 == 1) return false;
    if (leads > 0) return true;  // a double-byte character before the semicolon
    std::size_t first = semicolon;
    while (first > 0 && line[first - 1] == '\\') --first;
    std::size_t backslashes = semicolon - first;
    // The first of them is the second half of a character when an odd run of lead-range
    // bytes stands before it.
    if (backslashes > 0 && LeadRangeRunBefore(line, first) % 2 == 1) --backslashes;
    return backslashes % 2 == 0;
}

int ReadRecord(CLineReader& file, std::string_view version, std::string& record) {
    std::string_view view;
    const int read = ReadRecord(file, version, record, view);
    if (read) record.assign(view);  // view may lie in record itself: assign copes with that
    return read;
}

int ReadRecord(CLineReader& file, std::string_view version, std::string& joined, std::string_view& record) {
    std::string_view line;
    if (!file.ReadLine(line)) return 0;
    if (version != kRecordVersion) {
        record = line;
        return 1;
    }
    // A record of one line stays in the reader's buffer; longer ones are joined.
    if (EndsRecord(line)) {
        record = line.substr(0, line.size() - 1);
        return 1;
    }
    joined.assign(line);
    for (;;) {
        joined += "\r\n";
        if (!file.ReadLine(line)) return 0;
        joined += line;
        if (EndsRecord(line)) {
            record = std::string_view(joined).substr(0, joined.size() - 1);
            return 1;
        }
    }
}
