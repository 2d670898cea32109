// The main window's menu commands besides starting a run: opening a word list through the
// prompt's file dialog, the score table, help, the about box and the commands not yet built.
#include <QTest>
#include <filesystem>

#include "gui/main_window_fixture.h"
#include "gui/modal_closer.h"
#include "platform/qt/help_viewer.h"
#include "score/rank_table.h"

namespace fs = std::filesystem;

namespace {

std::string OtherWordList() {
    return "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK," + Sjis("歴史") + ";\r\nPL_PRIMITIVE;\r\nQ,1,A;\r\nPL_BLOCK_END;\r\n";
}

}  // namespace

TEST_F(MainWindowTest, OpeningAFileReplacesTheListAndRemembersItsFolder) {
    WriteSettings("missing.wl");
    fs::create_directory(dir_ / "lists");
    const fs::path chosen = dir_ / "lists" / "other.wl";
    WriteFileBytes(chosen, OtherWordList());
    CMainDialog& main = Open();
    prompt_.Clear();
    ASSERT_FALSE(MenuItem(CMainDialog::kScoreTable).isEnabled());

    prompt_.QueueFile(chosen.string());
    MenuItem(CMainDialog::kOpenFile).trigger();

    ASSERT_EQ(prompt_.FileRequests().size(), 1u);
    const FileDialogRequest& request = prompt_.FileRequests()[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filter, "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "wl");
    EXPECT_EQ(request.initialFileName, "*.wl");
    EXPECT_EQ(request.initialFolder, ".");
    EXPECT_TRUE(prompt_.Messages().empty());

    ASSERT_EQ(GenreList().count(), 1);
    EXPECT_EQ(GenreList().item(0)->text(), QStringLiteral("歴史"));
    EXPECT_EQ(main.GetSettings().currentFile, chosen.string());
    EXPECT_EQ(main.GetSettings().currentDir, (dir_ / "lists").string() + "/");
    ASSERT_NE(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_EQ(main.GetSettings().GetRankTable()->GetPath(), fs::path(chosen.string() + "s"));
    EXPECT_TRUE(MenuItem(CMainDialog::kScoreTable).isEnabled());

    // The next dialog starts in that folder.
    MenuItem(CMainDialog::kOpenFile).trigger();
    ASSERT_EQ(prompt_.FileRequests().size(), 2u);
    EXPECT_EQ(prompt_.FileRequests()[1].initialFolder, (dir_ / "lists").string() + "/");
}

TEST_F(MainWindowTest, AFileThatFailsToOpenOrACancelChangesNothing) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    WriteFileBytes(dir_ / "broken.wl", "not a word list\r\n");
    CMainDialog& main = Open();
    ClickLine(kAnimals);
    const CRankTable* tableBefore = main.GetSettings().GetRankTable();

    prompt_.QueueFile((dir_ / "broken.wl").string());
    MenuItem(CMainDialog::kOpenFile).trigger();
    prompt_.QueueFile(std::nullopt);
    MenuItem(CMainDialog::kOpenFile).trigger();

    ASSERT_EQ(prompt_.Messages().size(), 1u);  // the reader's, for the broken file only
    EXPECT_EQ(prompt_.Messages()[0].text.rfind((dir_ / "broken.wl").string(), 0), 0u);
    EXPECT_EQ(GenreList().count(), 5);
    EXPECT_EQ(GenreList().selectedItems().size(), 1);
    EXPECT_EQ(Total().text(), QStringLiteral("3"));
    EXPECT_EQ(main.GetSettings().currentFile, "default.wl");
    EXPECT_EQ(main.GetSettings().currentDir, ".");
    EXPECT_EQ(main.GetSettings().GetRankTable(), tableBefore);
    EXPECT_TRUE(MenuItem(CMainDialog::kScoreTable).isEnabled());
}

TEST_F(MainWindowTest, RefillingAfterAnOpenKeepsTheCounts) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    WriteFileBytes(dir_ / "other.wl", OtherWordList());
    CMainDialog& main = Open();
    ClickLine(kLarge);

    prompt_.QueueFile((dir_ / "other.wl").string());
    MenuItem(CMainDialog::kOpenFile).trigger();
    EXPECT_TRUE(GenreList().selectedItems().isEmpty());
    EXPECT_EQ(Total().text(), QStringLiteral("20"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("20"));
    EXPECT_EQ(main.GetRunCount(), 20);
}

TEST_F(MainWindowTest, ScoreTableAndAboutOpenAsModalDialogs) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    Open();
    CModalCloser closer;
    MenuItem(CMainDialog::kScoreTable).trigger();
    MenuItem(CMainDialog::kAbout).trigger();
    EXPECT_EQ(closer.ClassNames(), (QStringList{QStringLiteral("CScoreDialog"), QStringLiteral("CAboutDialog")}));
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(MainWindowTest, CommandsOfLaterWorkSayTheyAreNotAvailable) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    Open();
    CModalCloser closer;
    MenuItem(CMainDialog::kOpenEditor).trigger();
    MenuItem(CMainDialog::kOptions).trigger();
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    for (const CRecordingPrompt::Message& message : prompt_.Messages())
        EXPECT_EQ(message.text, "この機能はまだ利用できません。");
    EXPECT_EQ(closer.Count(), 0);
}

TEST_F(MainWindowTest, HelpShowsTheStartUpFoldersHelpFileOrSaysItIsMissing) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();

    MenuItem(CMainDialog::kHelp).trigger();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text.rfind((dir_ / "HARBORLESSONS.HLP").string(), 0), 0u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Exclamation);

    WriteFileBytes(dir_ / "HARBORLESSONS.HLP",
                   "<html><body><h1>目次</h1><p><a name=\"topic4\"></a>エディタ</p></body></html>");
    MenuItem(CMainDialog::kHelp).trigger();
    EXPECT_EQ(prompt_.Messages().size(), 1u);
    auto* viewer = main.findChild<CHelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("エディタ")));
}
