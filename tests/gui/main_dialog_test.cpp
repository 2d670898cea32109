// The main window driven by control and command numbers: start-up, the genre selection and
// the per-run count, starting runs, opening files and the ways of closing.
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <set>

#include "gui/main_window_fixture.h"
#include "gui/modal_closer.h"
#include "score/rank_table.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> LineTexts(const QListWidget& list) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().toStdString());
    return texts;
}

}  // namespace

TEST_F(MainWindowTest, StartUpLoadsTheCurrentFileAndLeavesTheCountsEmpty) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();

    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Harbor Lessons"));
    EXPECT_EQ(main.GetStartupDir(), fs::current_path());
    EXPECT_EQ(main.GetSettings().helpFile, dir_ / "HARBORLESSONS.HLP");
    const std::vector<std::string> expected{"動物", "植物", "空", "大"};
    std::vector<std::string> shown = LineTexts(GenreList());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), shown.begin()));
    // The undecodable name is shown replaced but kept as it was stored.
    EXPECT_TRUE(GenreList().item(kUndecodable)->text().contains(QChar(0xFFFD)));
    EXPECT_EQ(GenreList().item(kUndecodable)->data(Qt::UserRole).toByteArray().toStdString(), kUndecodableName);
    EXPECT_TRUE(GenreList().selectedItems().isEmpty());
    EXPECT_EQ(GenreList().selectionMode(), QAbstractItemView::ExtendedSelection);

    EXPECT_TRUE(Total().text().isEmpty());
    EXPECT_TRUE(Total().isReadOnly());
    EXPECT_TRUE(RunCount().text().isEmpty());
    EXPECT_TRUE(main.IsInitialized());
    EXPECT_EQ(main.GetRunCount(), 10);
    EXPECT_TRUE(MenuItem(CMainDialog::kScoreTable).isEnabled());
    ASSERT_NE(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_EQ(main.GetSettings().GetRankTable()->GetPath(), fs::path("default.wls"));
}

TEST_F(MainWindowTest, ACurrentFileThatFailsAtStartUpIsForgotten) {
    WriteSettings("missing.wl");
    CMainDialog& main = Open();

    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text.rfind("missing.wl", 0), 0u) << prompt_.Messages()[0].text;
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(main.GetSettings().currentFile.empty());
    EXPECT_EQ(GenreList().count(), 0);
    EXPECT_EQ(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_FALSE(MenuItem(CMainDialog::kScoreTable).isEnabled());

    // Saved on exit, the next start no longer tries it.
    MenuItem(CMainDialog::kExit).trigger();
    EXPECT_NE(ReadFileBytes(dir_ / "Pellora.ini").find("\r\nCURRENT_FILE=\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, SelectionShowsTheTotalAndOffersItAsTheRunCount) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();

    ClickLine(kAnimals);
    EXPECT_EQ(Total().text(), QStringLiteral("3"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("3"));
    EXPECT_EQ(main.GetRunCount(), 3);

    ClickLine(kPlants, Qt::ControlModifier);
    EXPECT_EQ(Total().text(), QStringLiteral("5"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("5"));
    EXPECT_EQ(UpDown().Upper(), 5);

    // The learner lowers the count; the next change of selection offers the whole total again.
    PasteRunCount(QStringLiteral("2"));
    EXPECT_EQ(main.GetRunCount(), 2);
    ClickLine(kUndecodable, Qt::ControlModifier);
    EXPECT_EQ(Total().text(), QStringLiteral("6"));
    EXPECT_EQ(main.GetRunCount(), 6);

    // Genres without questions: the total is 0, the edit keeps its text, the count drops to 1.
    ClickLine(kEmpty);
    EXPECT_EQ(Total().text(), QStringLiteral("0"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("6"));
    EXPECT_EQ(main.GetRunCount(), 1);
}

TEST_F(MainWindowTest, PerRunEditIsCorrectedToItsLeadingNumberWithinTheTotal) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();

    // Before any selection the total is empty, so every number becomes 0.
    PasteRunCount(QStringLiteral("7"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("0"));
    EXPECT_EQ(main.GetRunCount(), 0);

    ClickLine(kLarge);
    ASSERT_EQ(Total().text(), QStringLiteral("20"));

    PasteRunCount(QStringLiteral("12a5"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("12"));
    EXPECT_EQ(RunCount().cursorPosition(), 2);
    EXPECT_EQ(main.GetRunCount(), 12);

    PasteRunCount(QStringLiteral("35"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("20"));
    EXPECT_EQ(main.GetRunCount(), 20);

    // Coming into the edit selects its whole text, so typing replaces it.
    Start().setFocus();
    RunCount().setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(RunCount().selectedText(), QStringLiteral("20"));
    // Typed key by key, a stray letter is dropped at once and typing goes on after it.
    QTest::keyClicks(&RunCount(), QStringLiteral("1x4"));
    EXPECT_EQ(RunCount().text(), QStringLiteral("14"));
    EXPECT_EQ(main.GetRunCount(), 14);

    // An emptied edit means 0 questions, and Start then does nothing at all.
    RunCount().clear();
    EXPECT_EQ(main.GetRunCount(), 0);
    CModalCloser closer;
    QTest::mouseClick(&Start(), Qt::LeftButton);
    EXPECT_EQ(closer.Count(), 0);
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(MainWindowTest, UpDownWrapsAtBothEndsAndFollowsArrowKeys) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();
    ClickLine(kLarge);

    QTest::mouseClick(UpDown().UpButton(), Qt::LeftButton);
    EXPECT_EQ(RunCount().text(), QStringLiteral("0"));
    EXPECT_EQ(main.GetRunCount(), 0);
    QTest::mouseClick(UpDown().DownButton(), Qt::LeftButton);
    EXPECT_EQ(RunCount().text(), QStringLiteral("20"));
    EXPECT_EQ(main.GetRunCount(), 20);

    RunCount().setFocus();
    QTest::keyClick(&RunCount(), Qt::Key_Down);
    EXPECT_EQ(RunCount().text(), QStringLiteral("19"));
    // A typed number is stepped from, not the last position of the arrows.
    PasteRunCount(QStringLiteral("5"));
    QTest::keyClick(&RunCount(), Qt::Key_Up);
    EXPECT_EQ(RunCount().text(), QStringLiteral("6"));
    EXPECT_EQ(main.GetRunCount(), 6);
}

TEST_F(MainWindowTest, StartingWithoutASelectionAsksForOne) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    Open();
    CModalCloser closer;
    QTest::mouseClick(&Start(), Qt::LeftButton);

    ASSERT_EQ(prompt_.Messages().size(), 1u);
    const CRecordingPrompt::Message& message = prompt_.Messages()[0];
    EXPECT_EQ(message.text, "ジャンルを選択してからスタートしてください。");
    EXPECT_EQ(message.caption, "ジャンル未選択");
    EXPECT_EQ(message.icon, PromptIcon::Exclamation);
    EXPECT_EQ(message.buttons, PromptButtons::Ok);
    EXPECT_EQ(closer.Count(), 0);
    EXPECT_FALSE(dialog_->IsStarting());
}

TEST_F(MainWindowTest, StartDrawsTheRunAndHoldsTheGuardWhileTheQuizIsOpen) {
    WriteSettings("default.wl");
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();
    ClickLine(kAnimals);
    ClickLine(kPlants, Qt::ControlModifier);
    PasteRunCount(QStringLiteral("4"));

    bool guardedDuringRun = false;
    int modalsDuringSecondStart = -1;
    CModalCloser* closerPointer = nullptr;
    CModalCloser closer([&](QWidget&) {
        guardedDuringRun = main.IsStarting();
        // A second start while the run is open (a queued double-click) must not open another.
        main.StartRun();
        modalsDuringSecondStart = closerPointer->Count();
    });
    closerPointer = &closer;
    MenuItem(CMainDialog::kStartRun).trigger();

    ASSERT_EQ(closer.Count(), 1);
    EXPECT_EQ(closer.ClassNames()[0], QStringLiteral("CQuizDialog"));
    EXPECT_TRUE(guardedDuringRun);
    EXPECT_EQ(modalsDuringSecondStart, 1);
    EXPECT_FALSE(main.IsStarting());

    // Four different questions of the two selected genres.
    const std::vector<CQuestion*>& run = main.GetRunList();
    ASSERT_EQ(run.size(), 4u);
    std::set<CQuestion*> distinct(run.begin(), run.end());
    EXPECT_EQ(distinct.size(), 4u);
    const CWordList& list = main.GetWordList();
    for (CQuestion* question : run) {
        bool found = false;
        for (const char* name : {"動物", "植物"}) {
            const CGenre* genre = list.FindGenre(Sjis(name));
            for (int n = 1; n <= genre->GetTotal(); ++n) found = found || genre->GetQuestionAt(n) == question;
        }
        EXPECT_TRUE(found);
    }
    // The rank table now keeps the ranking of this set of genres.
    ASSERT_NE(main.GetSettings().GetRankTable(), nullptr);
    EXPECT_NE(main.GetSettings().GetRankTable()->GetCurrentList(), nullptr);
    // Nothing in the main window changes after the run.
    EXPECT_EQ(GenreList().selectedItems().size(), 2);
    EXPECT_EQ(Total().text(), QStringLiteral("5"));
    EXPECT_EQ(main.GetRunCount(), 4);
}

TEST_F(MainWindowTest, DoubleClickSelectsTheLineAloneAndStartsOverAllOfIt) {
    WriteSettings("default.wl");
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    CMainDialog& main = Open();
    ClickLine(kAnimals);
    ClickLine(kPlants, Qt::ControlModifier);

    CModalCloser closer;
    DoubleClickLine(kLarge);
    EXPECT_EQ(closer.Count(), 1);
    EXPECT_EQ(GenreList().selectedItems().size(), 1);
    EXPECT_EQ(main.GetRunList().size(), 20u);
}

TEST_F(MainWindowTest, EnterStartsOnlyFromTheStartButton) {
    WriteFileBytes(dir_ / "default.wl", SampleWordList());
    Open();
    CModalCloser closer;

    for (QWidget* focus : {static_cast<QWidget*>(&GenreList()), static_cast<QWidget*>(&RunCount())}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
    }
    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_TRUE(dialog_->isVisible());

    // From Start, Enter presses it: without a selection that is the "no genre" message.
    Start().setFocus();
    QTest::keyClick(&Start(), Qt::Key_Return);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].caption, "ジャンル未選択");
    EXPECT_EQ(closer.Count(), 0);
}
