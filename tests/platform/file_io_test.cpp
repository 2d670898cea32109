#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "platform/atomic_file.h"
#include "platform/line_reader.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> ReadAllLines(const std::filesystem::path& path) {
    CLineReader reader;
    EXPECT_TRUE(reader.Open(path));
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_FALSE(reader.Failed());
    return lines;
}

TEST(LineReader, FollowsTheLineRules) {
    TempDir dir;
    WriteFileBytes(dir / "a", "one\r\ntwo\nthree\r\r\nlast");
    EXPECT_EQ(ReadAllLines(dir / "a"), (std::vector<std::string>{"one", "two", "three\r", "last"}));
    WriteFileBytes(dir / "b", "x\r\n\r\n\x1Ahidden\r\n");
    EXPECT_EQ(ReadAllLines(dir / "b"), (std::vector<std::string>{"x", ""}));
    WriteFileBytes(dir / "c", "");
    EXPECT_TRUE(ReadAllLines(dir / "c").empty());
    WriteFileBytes(dir / "d", std::string("a\0b\n", 4));
    EXPECT_EQ(ReadAllLines(dir / "d"), (std::vector<std::string>{std::string("a\0b", 3)}));
}

TEST(LineReader, ReadsLinesLongerThanItsBuffer) {
    TempDir dir;
    std::string longLine(3 * (1 << 20) + 17, 'q');
    WriteFileBytes(dir / "long", longLine + "\r\nshort");
    EXPECT_EQ(ReadAllLines(dir / "long"), (std::vector<std::string>{longLine, "short"}));
}

TEST(LineReader, RefusesMissingFilesAndFolders) {
    TempDir dir;
    CLineReader reader;
    EXPECT_FALSE(reader.Open(dir / "missing"));
    EXPECT_FALSE(reader.Open(dir.Path()));
}

TEST(AtomicFileWriter, ReplacesTheFileKeepingItsPermissions) {
    TempDir dir;
    WriteFileBytes(dir / "f", "old");
    ::chmod((dir / "f").c_str(), 0640);
    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(dir / "f"));
    writer.Write("new");
    writer.Write('!');
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(ReadFileBytes(dir / "f"), "new!");
    struct stat info {};
    ::stat((dir / "f").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary left";
}

TEST(AtomicFileWriter, AnUncommittedWriteLeavesTheOldFile) {
    TempDir dir;
    WriteFileBytes(dir / "f", "old");
    {
        CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(dir / "f"));
        writer.Write("half");
    }
    EXPECT_EQ(ReadFileBytes(dir / "f"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicFileWriter, CannotOpenWhereNoFileCanBe) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    CAtomicFileWriter writer;
    EXPECT_FALSE(writer.Open(dir / "missing" / "f"));
    EXPECT_FALSE(writer.Open(dir / "folder"));
}

TEST(AtomicFileWriter, AWriteErrorKeepsTheOldFile) {
    TempDir dir;
    WriteFileBytes(dir / "f", "old content");
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = old;
    low.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
    CAtomicFileWriter writer;
    bool opened = writer.Open(dir / "f");
    writer.Write(std::string(200000, 'x'));
    bool committed = writer.Commit();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(committed);
    EXPECT_EQ(ReadFileBytes(dir / "f"), "old content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicFileWriter, ReportsAFullDevice) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open("/dev/full"));
    writer.Write(std::string(100000, 'x'));
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full")) << "the device must not be replaced";
}

TEST(AtomicFileWriter, WritesThroughALink) {
    TempDir dir;
    WriteFileBytes(dir / "real", "old");
    std::filesystem::create_symlink(dir / "real", dir / "link");
    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(dir / "link"));
    writer.Write("new");
    ASSERT_TRUE(writer.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(ReadFileBytes(dir / "real"), "new");
}

}  // namespace
