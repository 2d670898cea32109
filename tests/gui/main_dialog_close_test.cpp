// What each way of closing the main window writes: exit and the close box write the settings
// and the rank file; Escape writes no settings, but never drops a result already placed.
#include <QTest>
#include <filesystem>
#include <ostream>

#include "gui/main_window_fixture.h"
#include "score/rank_table.h"

namespace fs = std::filesystem;

namespace {

enum class Closing { ExitCommand, CloseBox, Escape };

struct CloseCase {
    Closing closing;
    bool resultEntered;
    bool settingsWritten;
    bool rankFileWritten;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    static const char* const names[] = {"exit command", "close box", "Escape"};
    *out << names[static_cast<int>(c.closing)] << (c.resultEntered ? " after a placed result" : "");
}

class MainWindowCloseTest : public MainWindowTest, public testing::WithParamInterface<CloseCase> {};

void PlaceResult(CMainDialog& main) {
    CRankTable* table = main.GetSettings().GetRankTable();
    ASSERT_NE(table, nullptr);
    table->SelectList({Sjis("大")});
    ASSERT_EQ(table->FindPosition(20, 18), 1);
    table->AddResult(1, Sjis("港"), 20, 18);
}

}  // namespace

TEST_P(MainWindowCloseTest, WritesWhatTheWayOfClosingPromises) {
    const CloseCase& c = GetParam();
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();
    if (c.resultEntered) PlaceResult(main);
    // Something may have moved the current directory; relative names still mean the start-up
    // directory's files.
    const fs::path elsewhere = dir_ / "elsewhere";
    fs::create_directory(elsewhere);
    fs::current_path(elsewhere);

    switch (c.closing) {
        case Closing::ExitCommand: MenuItem(CMainDialog::kExit).trigger(); break;
        case Closing::CloseBox: main.close(); break;
        case Closing::Escape: QTest::keyClick(&main, Qt::Key_Escape); break;
    }

    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.result(), c.closing == Closing::Escape ? QDialog::Rejected : QDialog::Accepted);
    EXPECT_EQ(fs::exists(dir_ / "Pellora.ini"), c.settingsWritten);
    EXPECT_EQ(fs::exists(dir_ / "default.wls"), c.rankFileWritten);
    if (c.rankFileWritten) {
        EXPECT_NE(ReadFileBytes(dir_ / "default.wls").find(Sjis("港")), std::string::npos);
    }
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_TRUE(prompt_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Closing, MainWindowCloseTest,
                         testing::Values(CloseCase{Closing::ExitCommand, false, true, false},
                                         CloseCase{Closing::ExitCommand, true, true, true},
                                         CloseCase{Closing::CloseBox, false, true, false},
                                         CloseCase{Closing::CloseBox, true, true, true},
                                         CloseCase{Closing::Escape, false, false, false},
                                         CloseCase{Closing::Escape, true, false, true}));

TEST_F(MainWindowTest, SavedSettingsKeepTheLoadedFileForTheNextStart) {
    WriteFileBytes(dir_ / "lesson.wl", SampleWordList());
    WriteSettings("lesson.wl");
    Open().close();
    dialog_.reset();

    CMainDialog& again = Open();
    EXPECT_EQ(again.GetSettings().currentFile, "lesson.wl");
    EXPECT_EQ(again.GetSettings().bgmFlag, 0);
    EXPECT_EQ(GenreList().count(), 5);
}
