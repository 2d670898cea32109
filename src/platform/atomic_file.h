#pragma once
// Writes a file so that the old content is never lost. Normally everything goes to a temporary
// file beside the target, which replaces the target only once it has been written and synced
// completely. Where that replacement cannot be made, or would give the file another identity
// (no temporary file can be made in the folder, the file has further hard links, its owner or
// group could not be kept), the target is written directly, as a plain write would, after its
// old bytes have been read; a failed direct write puts them back as far as it can. Either way a
// save succeeds wherever opening the file for writing would.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

class CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    ~CAtomicFileWriter();  // an uncommitted save is undone
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // False when the target cannot be written (missing or read-only folder with no file to
    // write directly, a read-only file, a folder standing where the file should be): nothing
    // was touched.
    bool Open(const std::filesystem::path& target);

    void Write(std::string_view bytes);
    void Write(char byte) { Write(std::string_view(&byte, 1)); }

    // Writes what is buffered, syncs and (normally) renames over the target. False when any
    // write failed; then the target holds its old bytes.
    bool Commit();

    bool Failed() const { return failed_; }

private:
    enum class Way { kNone, kReplace, kDirect };
    bool OpenTemporary(const struct stat* existing);
    bool OpenDirect();
    void Flush();
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    Way way_ = Way::kNone;
    bool regular_ = true;  // false for a device or pipe: no sync, nothing to put back
    bool hasOldBytes_ = false;
    bool failed_ = false;
    std::string oldBytes_;
    std::string buffer_;
};
