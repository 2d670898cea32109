#pragma once
// Reads a data file line by line as the program's files are read: LF ends a line, a CR right
// before it belongs to the line end, a byte 0x1A ends the input. Lines may be of any length.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

class CLineReader {
public:
    CLineReader() = default;
    ~CLineReader();
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // False when the file cannot be opened for reading (missing, a folder, no permission).
    bool Open(const std::filesystem::path& path);

    // The next line without its end; false at the end of the input or after a read error.
    bool ReadLine(std::string& line);
    // The same as a view into the reader's buffer, valid until the next read.
    bool ReadLine(std::string_view& line);

    // A read error happened after the file was opened.
    bool Failed() const { return failed_; }

private:
    bool Fill();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::size_t position_ = 0;
    bool ended_ = false;
    bool failed_ = false;
};
