#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <tuple>

#include "platform/atomic_file.h"
#include "platform/line_reader.h"
#include "platform/local_date.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

// A disk that fails to sync: the executable is linked with fsync wrapped.
static bool failingSync = false;
extern "C" int __real_fsync(int descriptor);
extern "C" int __wrap_fsync(int descriptor) { return failingSync ? (errno = EIO, -1) : __real_fsync(descriptor); }

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::ptrdiff_t FilesIn(const fs::path& dir) { return std::distance(fs::directory_iterator(dir), {}); }

TEST(LineReader, FollowsTheLineRules) {
    const std::string longLine(3 * (1 << 20) + 17, 'q');  // longer than the reader's buffer
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"one\r\ntwo\nthree\r\r\nlast", {"one", "two", "three\r", "last"}},
        {"x\r\n\r\n\x1Ahidden\r\n", {"x", ""}},
        {"", {}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {longLine + "\r\nshort", {longLine, "short"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteFileBytes(dir / "f", c.bytes);
        CLineReader reader;
        ASSERT_TRUE(reader.Open(dir / "f"));
        Lines lines;
        for (std::string line; reader.ReadLine(line);) lines.push_back(line);
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(lines, c.lines) << c.bytes.substr(0, 40);
    }
    CLineReader reader;
    EXPECT_FALSE(reader.Open(dir / "missing"));
    EXPECT_FALSE(reader.Open(dir.Path()));
}

TEST(AtomicFileWriter, ReplacesOnlyOnCommitWritesThroughLinksAndNeverIntoAFolder) {
    TempDir dir;
    WriteFileBytes(dir / "real", "old");
    fs::create_symlink(dir / "real", dir / "link");
    fs::create_directory(dir / "folder");
    CAtomicFileWriter writer;
    EXPECT_FALSE(writer.Open(dir / "missing" / "f"));
    EXPECT_FALSE(writer.Open(dir / "folder"));
    for (bool commit : {false, true}) {
        CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(dir / "link"));
        writer.Write("new");
        writer.Write('!');
        EXPECT_TRUE(!commit || writer.Commit());
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(ReadFileBytes(dir / "real"), "new!") << "and an uncommitted write changed nothing";
    EXPECT_EQ(FilesIn(dir.Path()), 3) << "no temporary left";
}

// Replaced or written in place (a file of two names), over longer old bytes: exactly the new
// bytes, or after a failed sync the old ones, and never a temporary file left behind.
TEST(AtomicFileWriter, LeavesExactlyTheNewBytesOrAfterAFailedSyncTheOld) {
    TempDir dir;
    for (const auto& [failing, twoNames] : {std::pair(false, false), {false, true}, {true, false}, {true, true}}) {
        fs::remove(dir / "twin");
        WriteFileBytes(dir / "f", "old bytes, longer than the new");
        if (twoNames) fs::create_hard_link(dir / "f", dir / "twin");
        CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(dir / "f"));
        writer.Write("new");
        failingSync = failing;
        EXPECT_EQ(writer.Commit(), !failing);
        failingSync = false;
        EXPECT_EQ(std::pair(ReadFileBytes(dir / "f"), FilesIn(dir.Path())),
                  std::pair(std::string(failing ? "old bytes, longer than the new" : "new"), 1 + std::ptrdiff_t(twoNames)));
    }
}

// Saves by an ordinary user (nobody, also in one shared group) where renaming a temporary file
// fails or would change the file: each does what a plain write does, keeps the file's owner
// and mode, leaves no temporary file, and keeps the old bytes on failure.
TEST(AtomicFileWriter, SavesWhereverAPlainWriteWould) {
    constexpr uid_t kUser = 65534, kRoot = 0;
    constexpr gid_t kShared = 4242;
    // fileMode 0: no file yet; sizeLimit 0: none; replaced: by a new file (the normal way),
    // else written in place, keeping its inode.
    struct Case { const char* what; uid_t folderOwner; mode_t folderMode; uid_t fileOwner; gid_t fileGroup;
                  mode_t fileMode; std::size_t nameLength, newSize; rlim_t sizeLimit; bool secondLink, saved, replaced; };
    const Case cases[] = {
        {"own file in a folder of root", kRoot, 0755, kUser, kUser, 0640, 8, 100, 0, false, true, false},
        {"root's file in a sticky folder", kRoot, 01777, kRoot, kUser, 0666, 8, 100, 0, false, true, false},
        {"root's file of a shared group", kUser, 0755, kRoot, kShared, 0664, 8, 100, 0, false, true, false},
        {"own file of a group not joined", kUser, 0755, kUser, kRoot, 0666, 8, 100, 0, false, true, false},
        {"own file of a shared group", kUser, 0755, kUser, kShared, 0640, 8, 100, 0, false, true, true},
        {"own file made read-only", kUser, 0755, kUser, kUser, 0444, 8, 100, 0, false, false, false},
        {"file of two names", kUser, 0755, kUser, kUser, 0600, 8, 100, 0, true, true, false},
        {"longest name", kUser, 0755, kUser, kUser, 0600, 255, 100, 0, false, true, true},
        {"new file", kUser, 0755, kUser, kUser, 0, 8, 100, 0, false, true, true},
        {"direct write past the size limit", kRoot, 0755, kUser, kUser, 0640, 8, 100000, 1000, false, false, false},
        {"small direct write past the size limit", kRoot, 0755, kUser, kUser, 0640, 8, 2000, 1000, false, false, false},
        {"small write past the size limit", kUser, 0755, kUser, kUser, 0640, 8, 2000, 1000, false, false, false},
        {"small new file past the size limit", kUser, 0755, kUser, kUser, 0, 8, 2000, 1000, false, false, false},
    };
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand files to other users";
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string old = "old bytes\r\n";
    const auto fileOf = [&](const Case& c) { return dir / c.what / std::string(c.nameLength, 'n'); };
    for (const Case& c : cases) {
        fs::create_directory(dir / c.what);
        if (c.fileMode) {
            WriteFileBytes(fileOf(c), old);
            ASSERT_EQ(::chown(fileOf(c).c_str(), c.fileOwner, c.fileGroup) | ::chmod(fileOf(c).c_str(), c.fileMode), 0);
            if (c.secondLink) fs::create_hard_link(fileOf(c), dir / c.what / "other");
        }
        ASSERT_EQ(::chown((dir / c.what).c_str(), c.folderOwner, c.folderOwner) | ::chmod((dir / c.what).c_str(), c.folderMode), 0);
    }
    // In a function of its own, so that a failed assertion ends one case, not the child.
    const auto check = [&](const Case& c) {
        SCOPED_TRACE(c.what);
        struct stat before {}, after {};
        ::stat(fileOf(c).c_str(), &before);
        const std::string bytes(c.newSize, 'n');
        CAtomicFileWriter writer;
        const bool opened = writer.Open(fileOf(c));
        EXPECT_EQ(opened, c.saved || c.sizeLimit);
        std::optional<ScopedFileSizeLimit> limit;
        if (c.sizeLimit) limit.emplace(c.sizeLimit);
        writer.Write(bytes);
        EXPECT_EQ(opened && writer.Commit(), c.saved);
        limit.reset();
        const bool exists = c.saved || c.fileMode;
        EXPECT_EQ(FilesIn(dir / c.what), exists + c.secondLink) << "no temporary left";
        if (!exists) return;
        ASSERT_EQ(::stat(fileOf(c).c_str(), &after), 0);
        EXPECT_TRUE(ReadFileBytes(fileOf(c)) == (c.saved ? bytes : old));
        EXPECT_TRUE(!c.secondLink || ReadFileBytes(dir / c.what / "other") == bytes) << "the other name";
        EXPECT_TRUE(!c.fileMode || (after.st_ino != before.st_ino) == c.replaced) << "inode";
        EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode & 07777),
                  std::tuple(c.fileOwner, c.fileGroup, c.fileMode ? c.fileMode : 0664u)) << "owner, group, mode";
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(1, &kShared) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0) _exit(2);
        ::umask(002);
        for (const Case& c : cases) check(c);
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST(LocalDate, IsYearMonthDayWithSlashes) {
    std::tm moment{};  // 2001-05-12 at noon, local time
    moment.tm_year = 101, moment.tm_mon = 4, moment.tm_mday = 12, moment.tm_hour = 12, moment.tm_isdst = -1;
    EXPECT_EQ(FormatLocalDate(std::mktime(&moment)), "2001/05/12");
}

}  // namespace
