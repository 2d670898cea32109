#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "platform/line_reader.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::ptrdiff_t FilesIn(const TempDir& dir) { return std::distance(fs::directory_iterator(dir.Path()), {}); }

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

TEST(AtomicFileWriter, ReplacesTheWholeFileOnlyOnCommitKeepingItsPermissions) {
    TempDir dir;
    WriteFileBytes(dir / "f", "old" + std::string(100000, 'o'));
    ::chmod((dir / "f").c_str(), 0640);
    {
        CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(dir / "f"));
        writer.Write("half");
    }
    EXPECT_EQ(ReadFileBytes(dir / "f"), "old" + std::string(100000, 'o')) << "an uncommitted write changes nothing";
    EXPECT_EQ(FilesIn(dir), 1);

    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(dir / "f"));
    writer.Write("new");
    writer.Write('!');
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(ReadFileBytes(dir / "f"), "new!");
    struct stat info {};
    ::stat((dir / "f").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(dir), 1) << "no temporary left";
}

TEST(AtomicFileWriter, WritesThroughALinkButNeverIntoAFolder) {
    TempDir dir;
    WriteFileBytes(dir / "real", "old");
    fs::create_symlink(dir / "real", dir / "link");
    fs::create_directory(dir / "folder");
    CAtomicFileWriter writer;
    EXPECT_FALSE(writer.Open(dir / "missing" / "f"));
    EXPECT_FALSE(writer.Open(dir / "folder"));
    ASSERT_TRUE(writer.Open(dir / "link"));
    writer.Write("new");
    ASSERT_TRUE(writer.Commit());
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(ReadFileBytes(dir / "real"), "new");
}

TEST(AtomicFileWriter, ReportsAFullDeviceWithoutReplacingIt) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CAtomicFileWriter writer;
    ASSERT_TRUE(writer.Open("/dev/full"));
    writer.Write(std::string(100000, 'x'));
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
