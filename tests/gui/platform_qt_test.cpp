// The small stand-ins: file filters for Qt's file dialog, the CP932 bridge, the font
// substitution and the data files the program carries.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <filesystem>

#include "platform/qt/default_data.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/text_bridge.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(QtPromptTest, ConvertsFiltersToQtNameFilters) {
    struct Case {
        std::string filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||", {QStringLiteral("ﾜｰﾄﾞﾘｽﾄ(*.wl)"), QStringLiteral("全て(*.*)")}},
        {"MIDI|*.mid;*.midi||", {QStringLiteral("MIDI (*.mid *.midi)")}},
        {"Text|*.txt", {QStringLiteral("Text (*.txt)")}},
        {"", {}},
        {"||", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertFileFilter(c.filter), c.expected) << c.filter;
}

TEST(TextBridgeTest, ShowsUndecodableBytesReplacedAndRefusesTextCp932CannotHold) {
    EXPECT_EQ(FromCp932(Sjis("港の授業")), QStringLiteral("港の授業"));
    EXPECT_TRUE(FromCp932("A\x85\x40").contains(QChar(0xFFFD)));
    EXPECT_EQ(ToCp932(QStringLiteral("港ｶﾅ①")), std::optional<std::string>(Sjis("港ｶﾅ①")));
    EXPECT_EQ(ToCp932(QStringLiteral("한국")), std::nullopt);
    EXPECT_EQ(ToCp932(QStringLiteral("😀")), std::nullopt);
}

TEST(FontsTest, DialogFaceIsSubstitutedWithAJapaneseFont) {
    InstallFontSubstitutions();
    const QFont font = DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 12);
    EXPECT_EQ(font.pixelSize(), 16);
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family == QStringLiteral("IPAPGothic") || family.startsWith(QStringLiteral("Noto Sans CJK"))) << family.toStdString();
}

TEST(DefaultDataTest, WritesMissingDataFilesOnceAndNeverOverwrites) {
    TempDir dir;
    EXPECT_TRUE(IsFirstStartIn(dir.Path()));
    WriteFileBytes(dir / "default.wl", "mine");
    const std::vector<std::string> written = ProvideDefaultDataFiles(dir.Path());
    EXPECT_EQ(written, (std::vector<std::string>{"default.mid", "HARBORLESSONS.HLP"}));
    EXPECT_EQ(ReadFileBytes(dir / "default.wl"), "mine");
    EXPECT_EQ(ReadFileBytes(dir / "default.mid").substr(0, 4), "MThd");
    EXPECT_NE(ReadFileBytes(dir / "HARBORLESSONS.HLP").find("name=\"topic4\""), std::string::npos);
    EXPECT_TRUE(ProvideDefaultDataFiles(dir.Path()).empty());

    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\n");
    EXPECT_FALSE(IsFirstStartIn(dir.Path()));
}

TEST(DefaultDataTest, TheSampleWordListIsCarried) {
    TempDir dir;
    ProvideDefaultDataFiles(dir.Path());
    ASSERT_TRUE(fs::exists(dir / "default.wl"));
    EXPECT_EQ(ReadFileBytes(dir / "default.wl").rfind("_PEL_LORA_LIST_FILE_,1.0\r\n", 0), 0u);
}
