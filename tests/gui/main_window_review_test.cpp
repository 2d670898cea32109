// The main window over the learning record in its start-up folder: the review command and the
// program's own settings kept between starts.
#include <QListWidget>
#include <QMenu>
#include <atomic>
#include <future>
#include <thread>

#include "app/main_dialog.h"
#include "gui/gui_test.h"
#include "quiz/quiz_dialog.h"
#include "record/record_opening.h"
#include "record/record_store.h"
#include "support/thread_noting_prompt.h"
#include "wordlist/question.h"

namespace {

TEST(MainWindowReview, DrawsTheWeakQuestionsOrSaysWhenTheNextFallsDue) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.Path());
    const std::string genre = Sjis("動物");
    WriteFileBytes(dir / "default.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK," + genre +
                                           ";\r\nPL_PRIMITIVE;\r\nQ1,1,A;\r\nQ2,1,A;\r\nQ3,1,A;\r\nPL_BLOCK_END;\r\n");
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=default.wl\r\nBGM_FLAG=FALSE\r\n");
    auto answer = [&](CRecordStore& record, const char* question, AnswerOutcome outcome) {
        record.RunStarted({.wordListFile = "default.wl", .genres = {genre}, .count = 1});
        record.AnswerJudged({1, genre, question, QuizForm::One, outcome, "A", 1});
        record.RunEnded(RunEnding::Finished, 1);
    };
    {
        CRecordingPrompt prompt;
        CRecordStore record(dir / "Pellora.db", prompt);
        answer(record, "Q1", AnswerOutcome::Right);
        answer(record, "Q2", AnswerOutcome::Wrong);
    }
    CRecordingPrompt prompt;
    CMainDialog main(prompt);
    ShowActive(main);
    ASSERT_NE(main.GetRecord(), nullptr);
    const QList<QAction*> items = main.findChild<QMenu*>()->actions();  // 実行, the first menu
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[1]->objectName(), QString::number(CMainDialog::kReviewRun)) << "right under 解答開始";
    EXPECT_EQ(items[1]->text(), QStringLiteral("苦手な問題を復習(&W)"));

    Control<QListWidget>(main, CMainDialog::kGenreList).item(0)->setSelected(true);
    unsigned asked = 0;
    CModalScript script;
    script.Then([&](QDialog& quiz) { asked = static_cast<CQuizDialog&>(quiz).Run().GetQuestionCount(); });
    Command(main, CMainDialog::kReviewRun).trigger();
    EXPECT_EQ(script.Seen(), QStringList{QStringLiteral("CQuizDialog")});
    std::vector<std::string> drawn;
    for (CQuestion* question : main.GetRunList()) drawn.emplace_back(question->PeekText());
    EXPECT_EQ(drawn, (std::vector<std::string>{"Q2", "Q3"})) << "the due one, then the new one; Q1 falls due tomorrow";
    EXPECT_EQ(asked, 2u) << "what was drawn";
    EXPECT_EQ(main.GetRunCount(), 3) << "the learner's count stays";
    const std::vector<RunRow> runs = main.GetRecord()->Runs();
    ASSERT_EQ(runs.size(), 3u) << "the window's run is recorded";
    EXPECT_EQ(runs[2].wordListFile, std::filesystem::canonical(dir / "default.wl").string());
    EXPECT_EQ(runs[2].genres, std::vector<std::string>{genre});
    EXPECT_TRUE(runs[2].review);
    EXPECT_EQ(runs[2].ending, RunEnding::Closed);

    answer(*main.GetRecord(), "Q2", AnswerOutcome::Right);
    answer(*main.GetRecord(), "Q3", AnswerOutcome::Right);
    Command(main, CMainDialog::kReviewRun).trigger();
    EXPECT_EQ(script.Seen().size(), 1) << "no run opens";
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].caption, "復習");

    main.OwnSettings().SetSetting("LENIENT_ANSWERS", "TRUE");
    CMainDialog next(prompt);
    EXPECT_EQ(next.GetSettings().lenientAnswers, 1) << "the program's own settings are kept in the record";
}

}  // namespace

// The record is opened while the window is made; a run started before it is open waits for it
// and is recorded, and what the open had to tell comes once, on the window's thread.
TEST(MainWindowReview, ARunStartedBeforeTheRecordIsOpenIsRecorded) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.Path());
    WriteFileBytes(dir / "default.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,g;\r\nQ1,1,A;\r\nPL_BLOCK_END;\r\n");
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=default.wl\r\nBGM_FLAG=FALSE\r\n");
    WriteFileBytes(dir / "Pellora.db", std::string(4096, 'x'));  // damaged
    std::promise<void> gate, starting;
    std::atomic<bool> released = false;
    std::thread releaser([&] {
        starting.get_future().wait_for(std::chrono::seconds(2));  // or the window never got made
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        released = true;
        gate.set_value();
    });
    CRecordOpening opening(dir.Path(), [&](const fs::path& path, CPrompt& prompt) {
        gate.get_future().wait();
        return std::make_unique<CRecordStore>(path, prompt);
    });
    CThreadNotingPrompt prompt;
    CMainDialog main(prompt, nullptr, nullptr, &opening);
    EXPECT_FALSE(released) << "the window is made without waiting for the record";
    Control<QListWidget>(main, CMainDialog::kGenreList).item(0)->setSelected(true);
    CModalScript script;
    starting.set_value();
    Command(main, CMainDialog::kStartRun).trigger();
    releaser.join();
    EXPECT_EQ(script.Seen(), QStringList{QStringLiteral("CQuizDialog")});
    QApplication::processEvents();  // the record's own call to be taken comes too
    ASSERT_EQ(main.GetRecord()->Runs().size(), 1u);
    EXPECT_EQ(main.GetRecord()->Runs()[0].genres, std::vector<std::string>{"g"});
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_NE(prompt.Messages()[0].text.find("Pellora.db.damaged-"), std::string::npos);
    EXPECT_EQ(prompt.threads, std::vector{std::this_thread::get_id()});
}

// With no command asking for the record, its notice still comes once it is open.
TEST(MainWindowReview, TheRecordsNoticeComesWithoutACommand) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.Path());
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=\r\n");
    WriteFileBytes(dir / "Pellora.db", std::string(4096, 'x'));  // damaged
    CRecordingPrompt prompt;
    CMainDialog main(prompt);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompt.Messages().empty(); }, 5000));
    QTest::qWait(20);
    ASSERT_EQ(prompt.Messages().size(), 1u) << "once";
    EXPECT_NE(prompt.Messages()[0].text.find("Pellora.db.damaged-"), std::string::npos);
}
