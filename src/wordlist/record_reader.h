#pragma once
// Reading one record of a word-list file: in version "1.0" a record runs over physical lines
// until one ends with a semicolon that is not escaped; in any other version each physical line
// is a record of its own.
#include <string>
#include <string_view>

class CLineReader;

inline constexpr std::string_view kRecordVersion = "1.0";

// 1 when a record was read into record, 0 at the end of the input (a record begun but not
// ended is dropped).
int ReadRecord(CLineReader& file, std::string_view version, std::string& record);
// The same without copying a record of one line: record is then a view into file's buffer,
// valid until the next read; a longer record is joined in joined and record views it.
int ReadRecord(CLineReader& file, std::string_view version, std::string& joined, std::string_view& record);

// True when the line ends a version "1.0" record: its last character is a semicolon with an
// even run of backslash characters before it, counted over whole CP932 characters.
bool EndsRecord(std::string_view line);
