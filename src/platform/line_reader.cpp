#include "platform/line_reader.h"

#include <sys/stat.h>

#include <cstring>

namespace {
constexpr std::size_t kChunk = 1 << 20;
}

CLineReader::~CLineReader() {
    if (file_) std::fclose(file_);
}

bool CLineReader::Open(const std::filesystem::path& path) {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    buffer_.clear();
    position_ = 0;
    ended_ = false;
    failed_ = false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return false;
    }
    file_ = file;
    return true;
}

bool CLineReader::Fill() {
    if (ended_ || !file_) return false;
    buffer_.erase(0, position_);
    position_ = 0;
    std::size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    std::size_t got = std::fread(buffer_.data() + old, 1, kChunk, file_);
    buffer_.resize(old + got);
    if (got < kChunk) {
        if (std::ferror(file_)) failed_ = true;
        ended_ = true;
    }
    // 0x1A ends the input: cut the buffer there and read no further.
    if (void* eof = std::memchr(buffer_.data() + old, 0x1A, got)) {
        buffer_.resize(static_cast<std::size_t>(static_cast<char*>(eof) - buffer_.data()));
        ended_ = true;
    }
    return got > 0;
}

bool CLineReader::ReadLine(std::string& line) {
    std::string_view view;
    if (!ReadLine(view)) return false;
    line.assign(view);
    return true;
}

bool CLineReader::ReadLine(std::string_view& line) {
    std::size_t searched = position_;
    for (;;) {
        const char* start = buffer_.data() + searched;
        const void* newline = std::memchr(start, '\n', buffer_.size() - searched);
        if (newline) {
            std::size_t end = static_cast<std::size_t>(static_cast<const char*>(newline) - buffer_.data());
            std::size_t lineEnd = end;
            if (lineEnd > position_ && buffer_[lineEnd - 1] == '\r') --lineEnd;
            line = std::string_view(buffer_).substr(position_, lineEnd - position_);
            position_ = end + 1;
            return true;
        }
        std::size_t consumed = buffer_.size() - position_;
        if (!Fill()) {
            if (buffer_.size() == position_) return false;
            line = std::string_view(buffer_).substr(position_);
            position_ = buffer_.size();
            return true;
        }
        searched = position_ + consumed;
    }
}
