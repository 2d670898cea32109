#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
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
    bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return false;
    // A file the user may not write stays as it is, although its folder would let us replace it.
    if (exists && ::access(target_.c_str(), W_OK) != 0) return false;
    if (exists && !S_ISREG(existing.st_mode)) {
        // Devices and pipes cannot be replaced by renaming; write to them as they are.
        inPlace_ = true;
        file_ = std::fopen(target_.c_str(), "wb");
        return file_ != nullptr;
    }
    inPlace_ = false;
    std::string pattern = target_.string() + ".XXXXXX";
    int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) return false;
    temporary_ = pattern;
    mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    ::fchmod(descriptor, mode);
    if (exists) {
        // Keep the owner where we may (root saving a learner's file); failure is harmless.
        if (::fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
        }
    }
    file_ = ::fdopen(descriptor, "wb");
    if (!file_) {
        ::close(descriptor);
        Discard();
        return false;
    }
    buffer_.reserve(kBufferSize);
    return true;
}

void CAtomicFileWriter::Write(std::string_view bytes) {
    if (!file_ || failed_) return;
    if (buffer_.size() + bytes.size() > kBufferSize) {
        if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
        buffer_.clear();
        if (bytes.size() >= kBufferSize) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
            return;
        }
    }
    buffer_.append(bytes);
}

bool CAtomicFileWriter::Commit() {
    if (!file_) return false;
    if (!failed_ && !buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        failed_ = true;
    buffer_.clear();
    if (std::fflush(file_) != 0) failed_ = true;
    if (!failed_ && !inPlace_ && ::fsync(::fileno(file_)) != 0) failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    if (failed_ || inPlace_) {
        Discard();
        return !failed_;
    }
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        failed_ = true;
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void CAtomicFileWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}
