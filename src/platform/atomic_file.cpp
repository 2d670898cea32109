#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
// Short, so that the temporary name fits wherever the target's name does.
constexpr const char* kTemporaryPattern = ".plXXXXXX";

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool ReadAll(const std::filesystem::path& path, std::string& bytes) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bytes.clear();
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ::close(descriptor);
            return got == 0;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

// A renamed file survives a power cut only once its folder's entry is on disk too.
void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

}  // namespace

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const std::filesystem::path& target) {
    Discard();
    failed_ = false;
    buffer_.clear();
    std::error_code error;
    // Write through a link to the file it names, so the link itself survives.
    target_ = std::filesystem::weakly_canonical(target, error);
    if (error) target_ = target;

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return false;
    // A file the user may not write stays as it is, although its folder would let us replace it.
    if (exists && ::access(target_.c_str(), W_OK) != 0) return false;
    regular_ = !exists || S_ISREG(existing.st_mode);
    // Devices and pipes cannot be replaced by renaming, and replacing a file with several
    // names would part it from the others.
    const bool replaceable = regular_ && (!exists || existing.st_nlink <= 1);
    if (replaceable && OpenTemporary(exists ? &existing : nullptr)) return true;
    // A new file needs the same folder permission as a temporary one: no second way.
    return exists && OpenDirect();
}

bool CAtomicFileWriter::OpenTemporary(const struct stat* existing) {
    std::string pattern = (FolderOf(target_) / kTemporaryPattern).string();
    descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor_ < 0) return false;
    temporary_ = pattern;
    way_ = Way::kReplace;
    const mode_t mode = existing ? (existing->st_mode & 07777) : (0666 & ~CurrentUmask());
    // Owner first: changing it may clear the set-id bits that the mode then restores.
    if (existing && ::fchown(descriptor_, existing->st_uid, existing->st_gid) != 0) {
        // Checked below: only an owner or group that differs matters.
    }
    ::fchmod(descriptor_, mode);
    struct stat made {};
    const bool kept = ::fstat(descriptor_, &made) == 0 && (made.st_mode & 07777) == mode &&
                      (!existing || (made.st_uid == existing->st_uid && made.st_gid == existing->st_gid));
    if (!kept) Discard();
    buffer_.reserve(kBufferSize);
    return kept;
}

bool CAtomicFileWriter::OpenDirect() {
    hasOldBytes_ = regular_ && ReadAll(target_, oldBytes_);
    // An unreadable old file is still written, as a plain write would; only then can a failed
    // write not be undone.
    descriptor_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor_ < 0) {
        oldBytes_.clear();
        hasOldBytes_ = false;
        return false;
    }
    way_ = Way::kDirect;
    buffer_.reserve(kBufferSize);
    return true;
}

void CAtomicFileWriter::Write(std::string_view bytes) {
    if (descriptor_ < 0 || failed_) return;
    if (buffer_.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            if (!failed_ && !WriteAll(descriptor_, bytes)) failed_ = true;
            return;
        }
    }
    buffer_.append(bytes);
}

void CAtomicFileWriter::Flush() {
    if (!failed_ && !buffer_.empty() && !WriteAll(descriptor_, buffer_)) failed_ = true;
    buffer_.clear();
}

bool CAtomicFileWriter::Commit() {
    if (descriptor_ < 0) return false;
    Flush();
    if (!failed_ && regular_ && ::fsync(descriptor_) != 0) failed_ = true;
    if (!failed_) {
        const int closing = descriptor_;
        descriptor_ = -1;
        if (::close(closing) != 0) failed_ = true;
    }
    if (!failed_ && way_ == Way::kReplace) {
        if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
            temporary_.clear();
            SyncFolder(FolderOf(target_));
        } else {
            failed_ = true;
        }
    }
    if (failed_) {
        Discard();
        return false;
    }
    way_ = Way::kNone;
    oldBytes_.clear();
    return true;
}

void CAtomicFileWriter::Discard() {
    if (way_ == Way::kDirect && hasOldBytes_) {
        // Put the old bytes back over whatever was written.
        if (descriptor_ < 0) descriptor_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (descriptor_ >= 0 && ::ftruncate(descriptor_, 0) == 0 && ::lseek(descriptor_, 0, SEEK_SET) == 0 &&
            WriteAll(descriptor_, oldBytes_)) {
            ::fsync(descriptor_);
        }
    }
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    way_ = Way::kNone;
    hasOldBytes_ = false;
    oldBytes_.clear();
}
