// The learning-record window over a record written with the store and a fixed clock: what the
// charts and the table hold, the review started from it, the CSV file and clearing.
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QLineSeries>
#include <QListWidget>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QTableView>

#include "app/main_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/text_bridge.h"
#include "platform/text_codec.h"
#include "record/record_dialog.h"
#include "record/record_dialog_model.h"
#include "record/record_test_util.h"
#include "record/sqlite_db.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

using Outcome = AnswerOutcome;
using Answers = std::vector<std::pair<const char*, Outcome>>;

// Three days of runs of default.wl and one of another list. States by today (2026-12-09):
// Q1 box 1 due 12/08; Q2 box 2 due 12/10; Q3 and the Q4 text box 1 due 12/09; P1 box 1 due 12/10.
struct RecordScene {
    TempDir dir;
    FixedClock clock;
    CRecordingPrompt prompt;
    std::unique_ptr<CRecordStore> store;
    CWordList list;
    const std::string animals = Sjis("動物"), plants = Sjis("日本");
    const std::string q4 = "Q4 \"a\",b";
    std::vector<std::time_t> started;

    explicit RecordScene(bool written = true) {
        WriteFileBytes(dir / "default.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK," + animals +
                                               ";\r\nPL_PRIMITIVE;\r\nQ1,1,A;\r\nQ2,1,A;\r\nQ3,1,A;\r\nQ4 \"a\"\\,b,1,A;\r\nPL_BLOCK_END;\r\nPL_BLOCK," + plants +
                                               ";\r\nPL_PRIMITIVE;\r\nP1,1,A;\r\nPL_BLOCK_END;\r\n");
        EXPECT_EQ(LoadWordList(prompt, list, dir / "default.wl"), 1);
        store = std::make_unique<CRecordStore>(dir / "Pellora.db", prompt, clock);
        if (!written) return;
        Run({animals}, false, {{"Q1", Outcome::Right}, {"Q2", Outcome::Wrong}});
        clock.NextDay();
        Run({animals}, true, {{"Q2", Outcome::Right}});
        clock.NextDay();
        Run({animals, plants}, false, {{"Q3", Outcome::TimeOut}, {"P1", Outcome::RightAfterHint}});
        Run({animals}, false, {{q4.c_str(), Outcome::Wrong}}, RunEnding::Aborted);
        Run({"X"}, false, {{"Z1", Outcome::Wrong}}, RunEnding::Finished, "other.wl");
    }
    void Run(std::vector<std::string> genres, bool review, const Answers& answers,
             RunEnding ending = RunEnding::Finished, const char* file = "default.wl") {
        started.push_back(clock.now);
        store->RunStarted({.wordListFile = file, .genres = genres, .count = static_cast<unsigned>(answers.size()), .review = review});
        unsigned right = 0, place = 0;
        for (const auto& [question, outcome] : answers) {
            const std::string genre = question[0] == 'P' ? plants : genres[0];
            store->AnswerJudged({static_cast<int>(++place), genre, question, QuizForm::One, outcome, "A", 1});
            right += outcome == Outcome::Right || outcome == Outcome::RightAfterHint;
        }
        store->RunEnded(ending, right);
    }
    std::unique_ptr<CRecordDialog> Open(std::vector<std::string> selected = {}) {
        if (selected.empty()) selected = {animals};
        return std::make_unique<CRecordDialog>(store.get(), list, "default.wl", selected, prompt,
                                               CRecordDialog::Reviewer());
    }
};

QList<QPointF> Points(const CRecordDialog& window, int series) {
    const QChart* chart = Control<QChartView>(window, CRecordDialog::kProgressChart).chart();
    return static_cast<QLineSeries*>(chart->series().at(series))->points();
}

std::vector<std::string> Questions(const CWeakQuestionModel& model) {
    std::vector<std::string> texts;
    for (int row = 0; row < model.rowCount(); ++row) texts.push_back(model.Row(row).question);
    return texts;
}

bool ShowsSentence(const CRecordDialog& window, int sentence) {
    const QWidget& label = Control<QWidget>(window, sentence);
    return static_cast<QStackedWidget*>(label.parentWidget())->currentWidget() == &label;
}

TEST(RecordWindow, ChartsHoldTheEndedRunsOfTheGenreSetAndTheAnswersOfEachDay) {
    RecordScene scene;
    auto window = scene.Open();
    const double t0 = scene.started[0] * 1000.0, t1 = scene.started[1] * 1000.0, t2 = scene.started[2] * 1000.0;
    EXPECT_EQ(Points(*window, 0), (QList<QPointF>{{t0, 50}})) << "the selected set; the aborted run is left out";
    EXPECT_EQ(Points(*window, 1), (QList<QPointF>{{t1, 100}})) << "review runs in their own series";
    Control<QComboBox>(*window, CRecordDialog::kChooser).setCurrentIndex(1);
    EXPECT_EQ(Points(*window, 0), (QList<QPointF>{{t0, 50}, {t2, 50}})) << "every set of this list";
    EXPECT_EQ(Points(*scene.Open({scene.animals, scene.plants}), 0), (QList<QPointF>{{t2, 50}})) << "the whole set";

    const auto* bars = static_cast<QStackedBarSeries*>(
        Control<QChartView>(*window, CRecordDialog::kDaysChart).chart()->series().at(0));
    ASSERT_EQ(bars->barSets().size(), 2);
    std::vector<std::pair<qreal, qreal>> days;
    for (int day = 0; day < CRecordDialog::kDays; ++day)
        days.emplace_back(bars->barSets()[0]->at(day), bars->barSets()[1]->at(day));
    std::vector<std::pair<qreal, qreal>> expected(CRecordDialog::kDays - 3, {0, 0});
    expected.insert(expected.end(), {{1, 1}, {1, 0}, {1, 2}});  // today: a hint counts right, a time out wrong
    EXPECT_EQ(days, expected);
    EXPECT_FALSE(ShowsSentence(*window, CRecordDialog::kDaysEmpty));

    RecordScene empty(false);
    auto blank = empty.Open();
    EXPECT_TRUE(ShowsSentence(*blank, CRecordDialog::kProgressEmpty));
    EXPECT_TRUE(ShowsSentence(*blank, CRecordDialog::kDaysEmpty));
}

TEST(RecordWindow, TableSortsByWeaknessOrAnyColumnAndFilters) {
    RecordScene scene;
    auto window = scene.Open();
    CWeakQuestionModel& model = window->Model();
    using Rows = std::vector<std::string>;
    EXPECT_EQ(Questions(model), (Rows{"Q3", scene.q4, "Q1", "P1", "Q2"})) << "box, most wrong, genre, question";
    struct Row {
        WeakColumn column;
        Qt::SortOrder order;
        Rows rows;
    };
    const Row sorts[] = {
        {WeakColumn::Box, Qt::DescendingOrder, {"Q2", "P1", "Q1", scene.q4, "Q3"}},
        {WeakColumn::Question, Qt::AscendingOrder, {"P1", "Q1", "Q2", "Q3", scene.q4}},
        {WeakColumn::Genre, Qt::DescendingOrder, {"P1", scene.q4, "Q3", "Q2", "Q1"}},
        {WeakColumn::Right, Qt::DescendingOrder, {"P1", "Q2", "Q1", scene.q4, "Q3"}},
        {WeakColumn::Due, Qt::AscendingOrder, {"Q1", "Q3", scene.q4, "Q2", "P1"}},
        {WeakColumn::Last, Qt::AscendingOrder, {"Q1", "Q2", "Q3", scene.q4, "P1"}},
        {WeakColumn::Wrong, Qt::DescendingOrder, {scene.q4, "Q3", "Q2", "P1", "Q1"}},
    };
    for (const Row& sort : sorts) {
        Control<QTableView>(*window, CRecordDialog::kTable).sortByColumn(static_cast<int>(sort.column), sort.order);
        EXPECT_EQ(Questions(model), sort.rows) << "column " << static_cast<int>(sort.column);
    }
    const std::pair<QString, Rows> filters[] = {{QStringLiteral("日"), {"P1"}},
                                                {QStringLiteral("q3"), {"Q3"}},
                                                {QStringLiteral("☃"), {}},
                                                // the end of 日 and the start of 本 make another character
                                                {FromCp932("\xFA\x96"), {}},
                                                {"", {scene.q4, "Q3", "Q2", "P1", "Q1"}}};
    QLineEdit& filter = Control<QLineEdit>(*window, CRecordDialog::kFilter);
    for (const auto& [text, rows] : filters) {
        filter.setText(text);
        QTest::keyClick(&filter, Qt::Key_Return);
        EXPECT_EQ(Questions(model), rows) << text.toStdString();
    }
}

TEST(RecordWindow, ReadsTheTableAPageAtATimeAsItScrolls) {
    RecordScene scene(false);
    std::vector<std::pair<std::string, Outcome>> many;
    Answers answers;
    for (int n = 0; n < 450; ++n) many.emplace_back("N" + std::to_string(1000 + n), Outcome::Wrong);
    for (const auto& [text, outcome] : many) answers.emplace_back(text.c_str(), outcome);
    scene.Run({scene.animals}, false, answers);
    auto window = scene.Open();
    CWeakQuestionModel& model = window->Model();
    EXPECT_EQ(model.rowCount(), static_cast<int>(CWeakQuestionModel::kPageRows));
    for (int page = 0; page < 10 && model.canFetchMore({}); ++page) model.fetchMore({});
    std::vector<std::string> expected;
    for (const auto& [text, outcome] : many) expected.push_back(text);
    EXPECT_EQ(Questions(model), expected) << "every row once, in order";
}

TEST(RecordWindow, ReviewsTheSelectedRowsOrEveryDueQuestionThroughTheQuiz) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.Path());
    RecordScene scene;
    fs::copy_file(scene.dir / "default.wl", dir / "default.wl");
    scene.store.reset();
    // The main window reads the record with the machine's clock: the scene's days move to today.
    FixedClock today;
    today.today = SystemRecordClock().Today();
    const auto shift = today.today - scene.clock.today;
    {
        // ... and the runs to the name the main window gives its list: its full path.
        CSqliteDb db(scene.dir / "Pellora.db", CSqliteDb::Access::Write);
        const std::string days = std::to_string(shift.count());
        db.Execute(("UPDATE questions SET last = last + " + days + ", due = due + " + days).c_str());
        CStatement rename(db, "UPDATE runs SET file = ? WHERE file = CAST('default.wl' AS BLOB)");
        rename.BindBlob(1, fs::canonical(dir / "default.wl").string()).Run();
    }
    fs::copy_file(scene.dir / "Pellora.db", dir / "Pellora.db");
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=default.wl\r\nBGM_FLAG=FALSE\r\n");
    CRecordingPrompt prompt;
    CMainDialog main(prompt);
    ShowActive(main);
    EXPECT_EQ(Command(main, CMainDialog::kRecordWindow).text(), QStringLiteral("学習記録(&L)..."));
    Control<QListWidget>(main, CMainDialog::kGenreList).item(0)->setSelected(true);

    auto questions = [&] {
        std::vector<std::string> texts;
        for (CQuestion* question : main.GetRunList()) texts.emplace_back(question->PeekText());
        return texts;
    };
    CModalScript script;
    script.Then([](QDialog& window) {
        auto& table = Control<QTableView>(window, CRecordDialog::kTable);
        table.selectRow(2);  // Q1
        table.selectionModel()->select(table.model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(&table, Qt::Key_Return);
    });
    Command(main, CMainDialog::kRecordWindow).trigger();
    // The window is seen again once the quiz has closed over it.
    const QStringList once{QStringLiteral("CRecordDialog"), QStringLiteral("CQuizDialog"), QStringLiteral("CRecordDialog")};
    EXPECT_EQ(script.Seen(), once);
    EXPECT_EQ(questions(), (std::vector<std::string>{"Q3", "Q1"})) << "in the table's order";

    script.Then([](QDialog& window) { Control<QPushButton>(window, CRecordDialog::kReview).click(); });
    Command(main, CMainDialog::kRecordWindow).trigger();
    EXPECT_EQ(script.Seen(), once + once);
    EXPECT_EQ(questions(), (std::vector<std::string>{"Q3", scene.q4, "Q1"})) << "every due question, weakest first";
}

TEST(RecordWindow, SavesTheWholeTableAsCsvAndClearsOnlyThisListAfterAsking) {
    RecordScene scene;
    auto window = scene.Open();
    const fs::path csv = scene.dir / "weak.csv";
    scene.prompt.QueueFile(csv.string());
    Control<QPushButton>(*window, CRecordDialog::kSaveCsv).click();
    const std::string head = "\xEF\xBB\xBFジャンル,問題,箱,正解,不正解,最終解答日,次の復習日\r\n";
    auto line = [&](const std::string& genre, const std::string& question, const char* rest) {
        return text::Cp932ToUtf8Lossy(genre + "," + question + "," + rest + "\r\n");
    };
    EXPECT_EQ(ReadFileBytes(csv), head + line(scene.animals, "Q3", "1,0,1,2026/12/09,2026/12/09") +
                                      line(scene.animals, "\"Q4 \"\"a\"\",b\"", "1,0,1,2026/12/09,2026/12/09") +
                                      line(scene.animals, "Q1", "1,1,0,2026/12/07,2026/12/08") +
                                      line(scene.plants, "P1", "1,1,0,2026/12/09,2026/12/10") +
                                      line(scene.animals, "Q2", "2,1,1,2026/12/08,2026/12/10"));

    scene.prompt.QueueFile((scene.dir / "missing" / "weak.csv").string());
    Control<QPushButton>(*window, CRecordDialog::kSaveCsv).click();
    ASSERT_EQ(scene.prompt.Messages().size(), 1u) << "a file that cannot be written is told";
    scene.prompt.Clear();
    scene.prompt.QueueAnswer(PromptAnswer::No);
    Control<QPushButton>(*window, CRecordDialog::kClear).click();
    ASSERT_EQ(scene.prompt.Messages().size(), 1u);
    EXPECT_EQ(scene.prompt.Messages()[0].defaultButton, PromptDefault::Last);
    EXPECT_EQ(window->Model().rowCount(), 5) << "いいえ keeps the record";
    QLineEdit& filter = Control<QLineEdit>(*window, CRecordDialog::kFilter);
    filter.setText(QStringLiteral("☃"));
    QTest::keyClick(&filter, Qt::Key_Return);
    scene.prompt.QueueFile(csv.string());
    Control<QPushButton>(*window, CRecordDialog::kSaveCsv).click();
    EXPECT_EQ(ReadFileBytes(csv), head) << "a filter no list can hold saves no row";

    scene.Run({"X"}, false, {{"P1", Outcome::Right}}, RunEnding::Finished, "other.wl");
    scene.prompt.QueueAnswer(PromptAnswer::Yes);
    Control<QPushButton>(*window, CRecordDialog::kClear).click();
    EXPECT_EQ(window->Model().rowCount(), 0);
    EXPECT_TRUE(ShowsSentence(*window, CRecordDialog::kProgressEmpty));
    EXPECT_TRUE(ShowsSentence(*window, CRecordDialog::kDaysEmpty));
    EXPECT_TRUE(scene.store->RunsOfWordList("default.wl").empty());
    EXPECT_TRUE(scene.store->AnswersOfRun(1).empty()) << "a cleared run's answers go with it";
    EXPECT_EQ(scene.store->RunsOfWordList("other.wl").size(), 2u);
    EXPECT_EQ(scene.store->QuestionStates().size(), 2u) << "the other list's questions keep their state";
    EXPECT_TRUE(fs::exists(scene.dir / "Pellora.db"));
}

}  // namespace
