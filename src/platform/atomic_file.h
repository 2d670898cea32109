#pragma once
// Writes a file so that the old content is never lost: everything goes to a temporary file
// beside the target, which replaces the target only once it has been written and flushed
// completely. A failed save leaves the old file byte for byte as it was.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

class CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    ~CAtomicFileWriter();  // discards an uncommitted temporary file
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Creates the temporary file. False when the target cannot be written (missing or
    // read-only folder, a folder standing where the file should be): nothing was touched.
    bool Open(const std::filesystem::path& target);

    void Write(std::string_view bytes);
    void Write(char byte) { Write(std::string_view(&byte, 1)); }

    // Flushes, syncs and renames over the target. False when any write failed; then the
    // temporary file is gone and the target unchanged.
    bool Commit();

    bool Failed() const { return failed_; }

private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    bool inPlace_ = false;  // the target is no regular file (a device): written directly
    bool failed_ = false;
    std::string buffer_;
};
