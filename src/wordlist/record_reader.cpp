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
    record.clear();
    if (version != kRecordVersion) return file.ReadLine(record) ? 1 : 0;
    if (!file.ReadLine(record)) return 0;
    if (EndsRecord(record)) {
        record.pop_back();
        return 1;
    }
    std::string line;
    for (;;) {
        record += "\r\n";
        if (!file.ReadLine(line)) return 0;
        record += line;
        if (EndsRecord(line)) {
            record.pop_back();
            return 1;
        }
    }
}
