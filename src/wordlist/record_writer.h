#pragma once
// Building the records of a word-list file. A record is collected in a buffer with its line
// breaks as LF and handed to the file with every LF as CR LF and the closing ";" CR LF.
#include <string>
#include <string_view>

class CAtomicFileWriter;

namespace wlfile {

// Appends text escaped for the file. A CR LF inside becomes one line break of the file.
void AppendField(std::string& record, std::string_view text);

// Writes record, its ";" and the line end, and empties record for the next one.
void WriteRecord(CAtomicFileWriter& file, std::string& record);

}  // namespace wlfile
