#include "wordlist/record_writer.h"

#include <cstring>

#include "platform/atomic_file.h"
#include "wordlist/fields.h"

namespace wlfile {

void AppendField(std::string& record, std::string_view text) {
    // Line-break mode 1 for every text, answers and names included: a CR LF inside them then
    // reads back as the same CR LF instead of gaining a CR at each save.
    AppendEscapedField(record, text, kEscapeSet, 1);
}

void WriteRecord(CAtomicFileWriter& file, std::string& record) {
    const char* data = record.data();
    std::size_t rest = record.size();
    while (const void* found = std::memchr(data, '\n', rest)) {
        const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        file.Write(std::string_view(data, length));
        file.Write("\r\n");
        data += length + 1;
        rest -= length + 1;
    }
    file.Write(std::string_view(data, rest));
    file.Write(";\r\n");
    record.clear();
}

}  // namespace wlfile
