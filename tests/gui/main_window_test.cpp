// The main window driven by control and command numbers over word lists in a temporary folder
// that is the current directory: start-up, the genre selection and the per-run count, starting
// runs, the menu commands and what each way of closing writes.
#include <QCheckBox>
#include <QListWidget>
#include <QMessageBox>
#include <QTreeView>
#include <set>

#include "app/main_dialog.h"
#include "app/quiz_app.h"
#include "editor/edit_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/up_down.h"
#include "score/rank_table.h"
#include "wordlist/question.h"

namespace {

const std::string kUndecodableName = "X\x85\x40";

std::string WordList(const std::vector<std::pair<std::string, int>>& genres) {
    std::string text = "_PEL_LORA_LIST_FILE_,1.0\r\n";
    for (const auto& [name, questions] : genres) {
        text += "PL_BLOCK," + name + ";\r\nPL_PRIMITIVE;\r\n";
        for (int i = 1; i <= questions; ++i) text += name + "-Q" + std::to_string(i) + ",1,A;\r\n";
        text += "PL_BLOCK_END;\r\n\r\n";
    }
    return text;
}

class MainWindowTest : public testing::Test {
protected:
    enum Line { kAnimals, kPlants, kEmpty, kLarge, kUndecodable };

    // default.wl holds 動物 (3 questions), 植物 (2), 空 (none), 大 (20) and a genre whose name
    // bytes do not decode (1); a settings file is written only when it names a current file.
    CMainDialog& Open(const std::string& settingsCurrentFile = {}) {
        WriteFileBytes(dir_ / "default.wl", WordList({{Sjis("動物"), 3}, {Sjis("植物"), 2}, {Sjis("空"), 0},
                                                      {Sjis("大"), 20}, {kUndecodableName, 1}}));
        if (!settingsCurrentFile.empty()) {
            WriteFileBytes(dir_ / "Pellora.ini",
                           "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=" + settingsCurrentFile + "\r\nBGM_FLAG=FALSE\r\n");
        }
        main_ = std::make_unique<CMainDialog>(prompt_);
        ShowActive(*main_);
        return *main_;
    }
    QListWidget& GenreList() const { return Control<QListWidget>(*main_, CMainDialog::kGenreList); }
    QLineEdit& Total() const { return Control<QLineEdit>(*main_, CMainDialog::kTotal); }
    QLineEdit& RunCount() const { return Control<QLineEdit>(*main_, CMainDialog::kRunCount); }
    QPushButton& Start() const { return Control<QPushButton>(*main_, CMainDialog::kStart); }
    CUpDown& UpDown() const { return Control<CUpDown>(*main_, CMainDialog::kRunCountUpDown); }
    void Trigger(int command) { Command(*main_, command).trigger(); }
    bool ScoreTableOffered() const { return Command(*main_, CMainDialog::kScoreTable).isEnabled(); }
    void ClickLine(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(GenreList().viewport(), Qt::LeftButton, modifiers,
                          GenreList().visualItemRect(GenreList().item(row)).center());
    }
    // Replaces the per-run edit's text as a paste would, in one change.
    void PasteRunCount(const QString& text) {
        RunCount().selectAll();
        RunCount().insert(text);
    }
    void ExpectCounts(const char* total, const char* edit, int runCount) {
        EXPECT_EQ(Total().text(), QString::fromUtf8(total));
        EXPECT_EQ(RunCount().text(), QString::fromUtf8(edit));
        EXPECT_EQ(main_->GetRunCount(), runCount);
    }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.Path()};
    CRecordingPrompt prompt_;
    std::unique_ptr<CMainDialog> main_;
};

// Start-up loads the current file and leaves the counts empty. Enter starts only from the Start
// button, and without a selection that asks for one; then a run is chosen and started by keys alone.
TEST_F(MainWindowTest, StartUpChoosesNothingAndARunIsChosenAndStartedByKeysAlone) {
    EXPECT_EQ(Open().windowTitle(), QStringLiteral("Harbor Lessons"));
    EXPECT_TRUE(prompt_.Messages().empty());
    ASSERT_EQ(GenreList().count(), 5);
    for (int row : {kAnimals, kPlants, kEmpty, kLarge})
        EXPECT_EQ(GenreList().item(row)->text(), (QStringList{"動物", "植物", "空", "大"}[row]));
    // The undecodable name is shown replaced but kept as it was stored.
    EXPECT_TRUE(GenreList().item(kUndecodable)->text().contains(QChar(0xFFFD)));
    EXPECT_EQ(GenreList().item(kUndecodable)->data(Qt::UserRole).toByteArray().toStdString(), kUndecodableName);
    EXPECT_TRUE(GenreList().selectedItems().isEmpty());
    ExpectCounts("", "", 10);
    EXPECT_TRUE(Total().isReadOnly());
    EXPECT_TRUE(ScoreTableOffered());
    EXPECT_TRUE(GenreList().hasFocus());

    CModalScript script;
    for (QWidget* focus : std::initializer_list<QWidget*>{&GenreList(), &RunCount(), &Start()}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_EQ(prompt_.Messages().size(), focus == &Start() ? 1u : 0u);
    }
    EXPECT_TRUE(script.Seen().isEmpty() && main_->isVisible() && !main_->IsStarting());

    GenreList().setFocus();
    QTest::keyClick(&GenreList(), Qt::Key_Down);  // the first genre, 動物: three questions
    QTest::keyClick(&GenreList(), Qt::Key_Tab);
    QTest::keyClick(&RunCount(), Qt::Key_Tab);
    ExpectCounts("3", "3", 3);
    ASSERT_TRUE(Start().hasFocus());
    QTest::keyClick(&Start(), Qt::Key_Return);
    EXPECT_EQ(script.Seen(), QStringList{QStringLiteral("CQuizDialog")});
}

TEST_F(MainWindowTest, AFailingCurrentFileIsForgottenAndOnlyAFileThatOpensReplacesTheList) {
    CMainDialog& main = Open("missing.wl");
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"Open error: missing.wl : ファイルが開けません。"});
    EXPECT_TRUE(main.GetSettings().currentFile.empty());
    EXPECT_EQ(GenreList().count(), 0);
    EXPECT_EQ(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_FALSE(ScoreTableOffered());
    prompt_.Clear();

    fs::create_directory(dir_ / "lists");
    const fs::path chosen = dir_ / "lists" / "other.wl";
    WriteFileBytes(chosen, WordList({{Sjis("歴史"), 1}}));
    WriteFileBytes(dir_ / "broken.wl", "not a word list\r\n");
    prompt_.QueueFile(chosen.string());
    Trigger(CMainDialog::kOpenFile);
    ASSERT_EQ(prompt_.FileRequests().size(), 1u);
    const FileDialogRequest& request = prompt_.FileRequests()[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filter + " " + request.defaultExtension + " " + request.initialFileName + " " + request.initialFolder,
              "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*|| wl *.wl .");
    EXPECT_TRUE(prompt_.Messages().empty());
    ASSERT_EQ(GenreList().count(), 1);
    EXPECT_EQ(GenreList().item(0)->text(), QStringLiteral("歴史"));
    const std::string folder = (dir_ / "lists").string() + "/";
    EXPECT_EQ(main.GetSettings().currentFile + " " + main.GetSettings().currentDir, chosen.string() + " " + folder);
    ASSERT_NE(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_TRUE(ScoreTableOffered());

    // A file that fails to open, or a cancel, changes nothing; the dialog starts in the folder
    // of the last file opened.
    ClickLine(0);
    const CRankTable* tableBefore = main.GetSettings().GetRankTable();
    prompt_.QueueFile((dir_ / "broken.wl").string());
    Trigger(CMainDialog::kOpenFile);
    prompt_.QueueFile(std::nullopt);
    Trigger(CMainDialog::kOpenFile);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"不正ファイル: " + (dir_ / "broken.wl").string() +
                                                       " : 不正なファイルが指定されました。"});
    EXPECT_EQ(prompt_.FileRequests().back().initialFolder, folder);
    EXPECT_EQ(GenreList().selectedItems().size(), 1);
    EXPECT_EQ(main.GetSettings().currentFile + " " + main.GetSettings().currentDir, chosen.string() + " " + folder);
    EXPECT_EQ(main.GetSettings().GetRankTable(), tableBefore);
    ExpectCounts("1", "1", 1);

    // Refilling the list is no choice of the learner: nothing is selected, the counts stay.
    prompt_.QueueFile((dir_ / "default.wl").string());
    Trigger(CMainDialog::kOpenFile);
    EXPECT_EQ(GenreList().count(), 5);
    EXPECT_TRUE(GenreList().selectedItems().isEmpty());
    ExpectCounts("1", "1", 1);
    Trigger(CMainDialog::kExit);  // the next start opens the last file opened
    EXPECT_NE(ReadFileBytes(dir_ / "Pellora.ini").find("\r\nCURRENT_FILE=" + (dir_ / "default.wl").string() + "\r\n"),
              std::string::npos);
}

// Each step as "total | per-run edit | per-run count" afterwards; then a run is started, which
// holds a guard while the quiz is open.
TEST_F(MainWindowTest, SelectionAndThePerRunEditSetTheCountsAndStartDrawsTheRun) {
    CMainDialog& main = Open("default.wl");
    using Act = std::function<void()>;
    auto click = [this](int row, Qt::KeyboardModifiers keys = Qt::NoModifier) -> Act { return [=, this] { ClickLine(row, keys); }; };
    auto paste = [this](const char* text) -> Act { return [=, this] { PasteRunCount(QString::fromUtf8(text)); }; };
    auto key = [this](Qt::Key arrow) -> Act { return [=, this] { RunCount().setFocus(); QTest::keyClick(&RunCount(), arrow); }; };
    auto up = [this]() -> Act { return [this] { QTest::mouseClick(UpDown().UpButton(), Qt::LeftButton); }; };
    const struct {
        Act act;
        const char *total, *edit;
        int count;
    } steps[] = {
        {paste("7"), "", "0", 0},  // before any selection the total is empty: 0
        {click(kAnimals), "3", "3", 3},
        {click(kPlants, Qt::ControlModifier), "5", "5", 5},
        {paste("2"), "5", "2", 2},
        {click(kUndecodable, Qt::ControlModifier), "6", "6", 6},  // a new selection offers the whole total
        {click(kEmpty), "0", "6", 1},  // no questions: the edit keeps its text, the count drops to 1
        {click(kLarge), "20", "20", 20},
        {up(), "20", "0", 0},  // the arrows wrap at both ends
        {key(Qt::Key_Down), "20", "20", 20},
        {paste("12a5"), "20", "12", 12},  // its leading number, the caret behind it
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        steps[i].act();
        ExpectCounts(steps[i].total, steps[i].edit, steps[i].count);
    }
    EXPECT_EQ(RunCount().cursorPosition(), 2);

    // Coming into the edit selects its whole text; typed key by key, a stray letter is dropped.
    Start().setFocus();
    RunCount().setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(RunCount().selectedText(), QStringLiteral("12"));
    QTest::keyClicks(&RunCount(), QStringLiteral("1x4"));
    ExpectCounts("20", "14", 14);

    ClickLine(kAnimals);
    ClickLine(kPlants, Qt::ControlModifier);
    PasteRunCount(QStringLiteral("4"));
    bool guardedDuringRun = false;
    CModalScript script;
    script.Then([&](QDialog&) {
        guardedDuringRun = main.IsStarting();
        main.StartRun();  // a second start while the run is open (a queued double-click) opens nothing
    });
    Trigger(CMainDialog::kStartRun);
    EXPECT_EQ(script.Seen(), QStringList{QStringLiteral("CQuizDialog")});
    EXPECT_TRUE(guardedDuringRun);
    EXPECT_FALSE(main.IsStarting());

    // Four different questions of the two selected genres.
    std::set<std::string> drawn;
    for (CQuestion* question : main.GetRunList()) drawn.insert(std::string(question->PeekText()));
    EXPECT_EQ(drawn.size(), 4u);
    for (const std::string& text : drawn) EXPECT_TRUE(text.starts_with(Sjis("動物")) || text.starts_with(Sjis("植物")));
    ASSERT_NE(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_NE(main.GetSettings().GetRankTable()->GetCurrentList(), nullptr);
    EXPECT_EQ(GenreList().selectedItems().size(), 2);  // nothing in the main window changes
    ExpectCounts("5", "4", 4);

    // A double-click selects its line alone and starts over all of it.
    const QPoint centre = GenreList().visualItemRect(GenreList().item(kLarge)).center();
    QTest::mouseClick(GenreList().viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(GenreList().viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(script.Seen().size(), 2);
    EXPECT_EQ(GenreList().selectedItems().size(), 1);
    EXPECT_EQ(main.GetRunList().size(), 20u);
}

// New in the editor empties the current file; closed with キャンセル, the score table goes too.
TEST_F(MainWindowTest, TheScoreTableItemFollowsTheEditorsFileAfterCancelToo) {
    Open((dir_ / "default.wl").string());
    ASSERT_TRUE(ScoreTableOffered());
    CModalScript script;
    script.Then([](QDialog& editor) { Command(editor, CEditDialog::kNew).trigger(), QTest::keyClick(&editor, Qt::Key_Escape); });
    Trigger(CMainDialog::kOpenEditor);
    EXPECT_EQ(script.Seen(), QStringList{"CEditDialog"});
    EXPECT_FALSE(ScoreTableOffered());
}

// The score table and the about box open; help names a missing file and shows one that is there.
// After OK the main window takes a copy of the editor's list and the file it names; after cancel
// it keeps its own list, though the editor's file dialogs have moved the current file. Options
// take their settings and give them back only after OK.
TEST_F(MainWindowTest, MenuCommandsOpenTheirWindowsAndTakeBackOnlyWhatOkConfirms) {
    CMainDialog& main = Open((dir_ / "default.wl").string());
    CModalScript script;
    Trigger(CMainDialog::kScoreTable);
    Trigger(CMainDialog::kAbout);
    EXPECT_EQ(script.Seen(), (QStringList{QStringLiteral("CScoreDialog"), QStringLiteral("CAboutDialog")}));
    EXPECT_TRUE(main.isVisible());
    Trigger(CMainDialog::kHelp);  // no help file yet: the start-up folder's is named
    EXPECT_EQ(Said(prompt_), (std::vector<std::string>{"Harbor Lessons ヘルプ: " +
                                                           (dir_ / "HARBORLESSONS.HLP").string() +
                                                           "\r\nヘルプファイルを開けません。"}));

    WriteFileBytes(dir_ / "HARBORLESSONS.HLP", "<html><body><p><a name=\"topic4\"></a>エディタ</p></body></html>");
    Trigger(CMainDialog::kHelp);
    EXPECT_EQ(prompt_.Messages().size(), 1u);
    auto* viewer = main.findChild<CHelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("エディタ")));
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->Browser(), Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
    prompt_.Clear();

    for (bool ok : {false, true}) {
        QString deleted;
        script.Then([&](QDialog& editor) {
            auto& tree = Control<QTreeView>(editor, CEditDialog::kTree);
            tree.setCurrentIndex(tree.model()->index(0, 0));
            deleted = tree.currentIndex().data().toString();
            Command(editor, CEditDialog::kDeleteSelected).trigger();
            // Cancel after saving elsewhere; finish by saving through the prompt.
            prompt_.QueueFile((dir_ / (ok ? "new.wl" : "other.wl")).string());
            if (!ok) Command(editor, CEditDialog::kSaveAs).trigger();
            QTest::mouseClick(&Control<QPushButton>(editor, ok ? CEditDialog::kFinish : CEditDialog::kCancel), Qt::LeftButton);
        });
        Trigger(CMainDialog::kOpenEditor);
        EXPECT_EQ(GenreList().count(), ok ? 4 : 5);
        EXPECT_EQ(GenreList().findItems(deleted, Qt::MatchExactly).isEmpty(), ok);
        EXPECT_EQ(main.GetSettings().currentFile, (dir_ / (ok ? "new.wl" : "other.wl")).string());
        EXPECT_EQ(main.GetSettings().GetRankTable()->GetPath(), ok ? dir_ / "new.wls" : dir_ / "default.wls");
    }
    EXPECT_EQ(script.Seen().mid(2), (QStringList{"CEditDialog", "CEditDialog"}));
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"未保存: 編集した内容が保存されていません。\r\n保存しますか?"});
    prompt_.Clear();

    CAppSettings& settings = main.GetSettings();
    settings.timeLimit = -5;  // the same bits unsigned: refused at opening, twice each time
    settings.lenientAnswers = 1;
    for (bool ok : {false, true}) {
        script.Then([ok](QDialog& options) {
            for (int id : {1049, 1048, 1046, 1056}) Control<QCheckBox>(options, id).toggle();
            Control<QLineEdit>(options, 1050).setText(QStringLiteral("b.mid"));
            Control<QLineEdit>(options, 1052).setText(QStringLiteral("30"));
            Control<QCheckBox>(options, 1055).click();  // takes the values, then checks 1055 again
            Control<QCheckBox>(options, 1055).click();
            if (ok) Control<QPushButton>(options, 1).click(); else QTest::keyClick(&options, Qt::Key_Escape);
        });
        Trigger(CMainDialog::kOptions);
        EXPECT_EQ(std::to_string(settings.bgmFlag) + " " + settings.bgmFile + " " + std::to_string(settings.completeMode) +
                      std::to_string(settings.useHint) + std::to_string(settings.lenientAnswers) + " " + std::to_string(settings.timeLimit),
                  ok ? "1 b.mid 100 30" : "0 " + (dir_ / "default.mid").string() + " 011 -5");
        EXPECT_EQ(main.OwnSettings().GetSetting("LENIENT_ANSWERS"), ok ? "FALSE" : std::optional<std::string>());
    }
    EXPECT_EQ(prompt_.Messages().size(), 4u);
}

// `pellora FILE`: the application opens FILE as the open command would, once the current file
// of the settings is in; a FILE that does not load is reported and that current file stays.
TEST_F(MainWindowTest, AWordListNamedAtStartIsOpenedAsTheOpenCommandWould) {
    WriteFileBytes(dir_ / "default.wl", WordList({{Sjis("動物"), 3}}));
    WriteFileBytes(dir_ / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=default.wl\r\nBGM_FLAG=FALSE\r\n");
    fs::create_directory(dir_ / "lists");
    WriteFileBytes(dir_ / "lists" / "other.wl", WordList({{Sjis("歴史"), 1}}));
    const std::string lists = (dir_ / "lists").string() + "/";
    const std::pair<std::string, std::string> cases[] = {
        {"lists/other.wl", "歴史 " + lists + "other.wl " + lists + " " + lists + "other.wls"},
        {"missing.wl", (dir_ / "missing.wl").string() + " : ファイルが開けません。 | 動物 default.wl . default.wls"},
    };
    for (const auto& [file, expected] : cases) {
        std::string seen;
        const auto look = [&seen](QDialog& dialog) {
            if (auto* main = qobject_cast<CMainDialog*>(&dialog)) {
                const CAppSettings& settings = main->GetSettings();
                seen += Control<QListWidget>(*main, CMainDialog::kGenreList).item(0)->text().toStdString() + " " +
                        settings.currentFile + " " + settings.currentDir + " " +
                        settings.GetRankTable()->GetPath().string();
            } else {
                seen += qobject_cast<QMessageBox*>(&dialog)->text().toStdString() + " | ";
            }
        };
        CModalScript script;
        script.Then(look).Then(look);
        EXPECT_EQ(CQuizApp().Run(file), 0);
        EXPECT_EQ(seen, expected);
    }
}

// Exit and the close box write the settings and the rank file; Escape writes no settings, but
// never drops a result already placed.
enum class Closing { ExitCommand, CloseBox, Escape };
void PrintTo(Closing c, std::ostream* out) { *out << (c == Closing::Escape ? "Escape" : c == Closing::CloseBox ? "close box" : "exit"); }
class MainWindowCloseTest : public MainWindowTest, public testing::WithParamInterface<std::tuple<Closing, bool>> {};

TEST_P(MainWindowCloseTest, WritesWhatTheWayOfClosingPromises) {
    const auto [closing, resultPlaced] = GetParam();
    CMainDialog& main = Open();
    if (resultPlaced) {
        CRankTable* table = main.GetSettings().GetRankTable();
        ASSERT_NE(table, nullptr);
        table->SelectList({Sjis("大")});
        ASSERT_EQ(table->FindPosition(20, 18), 1);
        table->AddResult(1, Sjis("港"), 20, 18);
    }
    // Something may have moved the current directory: relative names still mean the start-up
    // directory's files.
    const fs::path elsewhere = dir_ / "elsewhere";
    fs::create_directory(elsewhere);
    fs::current_path(elsewhere);
    switch (closing) {
        case Closing::ExitCommand: Trigger(CMainDialog::kExit); break;
        case Closing::CloseBox: main.close(); break;
        case Closing::Escape: QTest::keyClick(&main, Qt::Key_Escape); break;
    }
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.result(), closing == Closing::Escape ? QDialog::Rejected : QDialog::Accepted);
    if (closing == Closing::Escape) {
        EXPECT_FALSE(fs::exists(dir_ / "Pellora.ini"));
    } else {
        EXPECT_NE(ReadFileBytes(dir_ / "Pellora.ini").find("\r\nCURRENT_FILE=default.wl\r\n"), std::string::npos);
    }
    EXPECT_EQ(fs::exists(dir_ / "default.wls"), resultPlaced);
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_TRUE(prompt_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Closing, MainWindowCloseTest,
                         testing::Combine(testing::Values(Closing::ExitCommand, Closing::CloseBox, Closing::Escape),
                                          testing::Bool()));

// A total past 16 bits: the per-run edit shows every digit.
TEST_F(MainWindowTest, TotalsPastSixteenBitsShowEveryDigit) {
    WriteFileBytes(dir_ / "big.wl", WordList({{"big", 1234567}}));
    Open("big.wl");
    ClickLine(0);
    ExpectCounts("1234567", "1234567", 1234567);
    RunCount().repaint();  // the text's place is worked out in painting
    const int end = RunCount().inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    EXPECT_TRUE(end <= RunCount().width() && end - RunCount().fontMetrics().horizontalAdvance(RunCount().text()) >= 0) << end;
}

}  // namespace
