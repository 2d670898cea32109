// Runs through the quiz dialog driven by keys and clicks on its numbered controls, over questions
// made in code: each question form, hints, complete mode, the answer box's input, the countdown
// and the ending of a run (summary, or name entry and score table for a placed result).
#include <QInputMethodEvent>
#include <QScrollBar>

#include "app/app_settings.h"
#include "gui/gui_test.h"
#include "quiz/choice_panel_dialog.h"
#include "quiz/quiz_dialog.h"
#include "score/rank_table.h"
#include "support/fake_recorder.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

class QuizDialogTest : public testing::Test {
protected:
    enum Id {
        kMessage = 1029, kRemaining = 1033, kQuestion = 1000, kAnswer = 1001, kHint = 1014, kSeveralLabel = 1015,
        kRemainingAnswers = 1011, kGiven = 1012, kRetry = 1034, kAbort = 1032, kDecide = 1044, kTime = 1057
    };

    QuizDialogTest() {  // hints on and complete mode off, as a new installation has them
        settings_.bgmFlag = 0;
        settings_.timeLimit = 0;
    }
    // Texts in UTF-8, stored as CP932 as a word list holds them. required: "1", "2".. or "-1"
    // for a choice question.
    void Add(const std::string& text, const char* required, std::vector<std::string> answers) {
        for (std::string& answer : answers) answer = Sjis(answer);
        owned_.push_back(std::make_unique<CQuestion>(Sjis(text), required, true, std::move(answers)));
        runList_.push_back(owned_.back().get());
    }
    void AddPlain(int count) {
        for (int i = 0; i < count; ++i) Add("問" + std::to_string(i + 1), "1", {"right"});
    }
    CRankTable& OpenRankTable(const std::vector<std::string>& names) {
        settings_.currentFile = (dir_ / "lesson.wl").string();
        settings_.ReopenRankTable(prompt_);
        settings_.GetRankTable()->SelectList(names);
        return *settings_.GetRankTable();
    }
    CQuizDialog& Open() {
        dialog_ = std::make_unique<CQuizDialog>(list_, runList_, static_cast<int>(runList_.size()), settings_, prompt_);
        ShowActive(*dialog_);
        return *dialog_;
    }

    bool Shown(int id) const { return Control<QWidget>(*dialog_, id).isVisibleTo(dialog_.get()); }
    QPlainTextEdit& AnswerBox() const { return Control<QPlainTextEdit>(*dialog_, kAnswer); }
    QString Message() const { return Control<QPlainTextEdit>(*dialog_, kMessage).toPlainText(); }
    QString Question() const { return Control<QPlainTextEdit>(*dialog_, kQuestion).toPlainText(); }
    QString Text(int id) const { return Control<QLineEdit>(*dialog_, id).text(); }
    QPushButton& Button(int id) const { return Control<QPushButton>(*dialog_, id); }
    QTimer& CountdownTimer() const {
        auto* timer = dialog_->findChild<QTimer*>(QStringLiteral("countdown"));
        if (timer == nullptr) throw std::runtime_error("no countdown timer");
        return *timer;
    }
    void Click(int id) { QTest::mouseClick(&Button(id), Qt::LeftButton); }
    void Type(const QString& text) { TypeText(&AnswerBox(), text); }
    void PressReturn() { QTest::keyClick(&AnswerBox(), Qt::Key_Return); }
    void Answer(const QString& text) {
        Type(text);
        PressReturn();
    }
    // Where five presses of Tab lead from the focus, by control number.
    QString TabStops() const {
        QStringList stops;
        for (int i = 0; i < 5; ++i) {
            stops << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return stops.join(u' ');
    }
    // What the learner sees of the run: "question | questions left | verdict".
    QString State() const { return Question() + " | " + Text(kRemaining) + " | " + Message(); }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.Path()};
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    CWordList list_;
    std::vector<std::unique_ptr<CQuestion>> owned_;
    std::vector<CQuestion*> runList_;
    std::unique_ptr<CQuizDialog> dialog_;
};

// A typed run step by step, each step followed by "question | questions left | verdict" (null:
// not looked at): Return anywhere in the line submits it all, several answers count down, a hint
// reveals one character and costs its question, the last question's count is not lowered, Return
// after the end neither judges nor counts, and a retry starts over with a clean slate.
TEST_F(QuizDialogTest, TypedRunStepByStep) {
    Add("日本の首都は？", "1", {"東京"});
    Add("三つのうち二つ", "2", {"a", "b", "c"});
    Add("英語", "1", {"abc", "xyz"});
    Add("首都", "1", {"東京"});
    Add("2 + 3 は？", "1", {"5"});
    CQuizDialog& dialog = Open();
    EXPECT_TRUE(AnswerBox().hasFocus());
    EXPECT_FALSE(Shown(kDecide) || Shown(kSeveralLabel) || Shown(kTime) || CountdownTimer().isActive());
    dialog.Tick();  // no time limit: the tick does nothing
    using Act = std::function<void()>;
    auto type = [this](const char* text) -> Act { return [=, this] { Type(QString::fromUtf8(text)); }; };
    auto answer = [this](const char* text) -> Act { return [=, this] { Answer(QString::fromUtf8(text)); }; };
    auto key = [this](Qt::Key k) -> Act { return [=, this] { QTest::keyClick(&AnswerBox(), k); }; };
    auto hint = [this]() -> Act { return [this] { Click(kHint); }; };
    const struct {
        Act act;
        const char *state, *box, *answers;  // answers: "left | given" of a several-answer question
    } steps[] = {
        {[] {}, "日本の首都は？ | 5 | ", "", nullptr},
        {type("東京"), nullptr, "東京", nullptr},
        {key(Qt::Key_Left), nullptr, nullptr, nullptr},
        {key(Qt::Key_Return), "三つのうち二つ | 4 | 正解 !!", "東京", "2 | "},
        {answer("b"), nullptr, nullptr, "1 | b"},
        {answer("c"), "英語 | 3 | 正解 !!\nその他に ．．．\n   a\n", nullptr, nullptr},
        {type("xq"), nullptr, nullptr, nullptr},
        {hint(), nullptr, "x", nullptr},
        {answer("yz"), "首都 | 2 | 正解 !!\nその他に ．．．\n   abc\n", nullptr, nullptr},
        {hint(), nullptr, "東", nullptr},  // a double-byte character comes whole
        {hint(), nullptr, "東京", nullptr},
        {key(Qt::Key_Return), "2 + 3 は？ | 1 | 正解 !!", nullptr, nullptr},
        {answer("6"), "2 + 3 は？ | 1 | はずれ !!\n答 ： \n   5\n", nullptr, nullptr},
        {answer("5"), "2 + 3 は？ | 1 | はずれ !!\n答 ： \n   5\n", nullptr, nullptr},
        {[this] { Click(kRetry); }, "日本の首都は？ | 5 | ", "", nullptr},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const auto& step = steps[i];
        step.act();
        EXPECT_EQ(step.state ? State() : QString(), QString::fromUtf8(step.state ? step.state : ""));
        EXPECT_EQ(step.box ? AnswerBox().toPlainText() : QString(), QString::fromUtf8(step.box ? step.box : ""));
        const bool several = Question() == QStringLiteral("三つのうち二つ");
        EXPECT_EQ(QList<bool>({Shown(kSeveralLabel), Shown(kGiven), Shown(kRemainingAnswers)}), QList<bool>(3, several));
        EXPECT_EQ(step.answers ? Text(kRemainingAnswers) + " | " + Text(kGiven) : QString(),
                  QString::fromUtf8(step.answers ? step.answers : ""));
        EXPECT_TRUE(i != 3 || AnswerBox().textCursor().selectedText() == QStringLiteral("東京")) << "typing replaces it";
        EXPECT_TRUE(i != 9 || AnswerBox().textCursor().position() == 1);
        EXPECT_TRUE(i != 12 || Button(kRetry).hasFocus());
    }
    ASSERT_EQ(Said(prompt_), std::vector<std::string>{"おしまい: 正答率 : 40.00 %"}) << "answers after a hint do not count";

    // Complete mode asks a wrong question again and clears its answers on the first key; with
    // hints off the button stays disabled for every question.
    settings_.completeMode = 1;
    settings_.useHint = 0;
    Open();
    EXPECT_FALSE(Button(kHint).isEnabled());
    Answer(QStringLiteral("z"));
    EXPECT_EQ(State(), QStringLiteral("日本の首都は？ | 5 | はずれ !!\n答 ： \n   東京\n"));
    Type(QStringLiteral("東京"));
    EXPECT_EQ(Message(), QString());
    PressReturn();
    EXPECT_EQ(State(), QStringLiteral("三つのうち二つ | 4 | 正解 !!"));
}

// Choices are answered with 決定 only; long ones wrap and scroll. Tab visits only what is shown
// and usable, in reading order: the answer box or the choices (one stop), Hint or 決定, 再挑戦, 中止.
TEST_F(QuizDialogTest, ChoiceQuestionsAreAnsweredWithTheDecideButtonOnly) {
    const std::string longText(120, 'w');
    Add("赤い果物は？", "-1", {"りんご", longText + " 1", longText + " 2", longText + " 3", longText + " 4"});
    Add("青いものは？", "-1", {"空", "雲"});
    Add("選択", "-1", {"x", "y"});
    Add("最後", "1", {"x"});
    CQuizDialog& dialog = Open();
    CChoicePanel& panel = dialog.ChoicePanel();
    auto slotShown = [&](int slot) { return panel.Slot(slot)->isVisibleTo(&panel); };
    QScrollBar* bar = panel.verticalScrollBar();
    const int line = panel.fontMetrics().height();
    EXPECT_TRUE(panel.isVisibleTo(&dialog) && Shown(kDecide) && bar->isVisibleTo(&panel) && bar->maximum() > 0);
    EXPECT_FALSE(Shown(kAnswer) || Shown(kHint));
    EXPECT_TRUE(panel.Slot(0)->hasFocus());
    EXPECT_EQ(TabStops(), QStringLiteral("1035 1044 1034 1032 1035"));
    QRadioButton* right = nullptr;
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_FALSE(panel.Slot(slot)->isChecked());
        if (panel.Slot(slot)->text() == QStringLiteral("りんご")) right = panel.Slot(slot);
        else EXPECT_GT(panel.SlotHeight(slot), line * 2) << "a long choice wraps onto several lines";
        EXPECT_TRUE(slot == 0 || panel.Slot(slot)->y() >= panel.Slot(slot - 1)->y() + panel.Slot(slot - 1)->height());
    }
    ASSERT_NE(right, nullptr);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_TRUE(right->isChecked());
    QTest::keyClick(right, Qt::Key_Return);  // Return on a choice does nothing
    EXPECT_EQ(State(), QStringLiteral("赤い果物は？ | 4 | "));

    bar->setValue(bar->maximum());
    Click(kDecide);
    EXPECT_EQ(State(), QStringLiteral("青いものは？ | 3 | 正解 !!"));
    EXPECT_EQ(bar->value(), 0) << "each question starts scrolled to the top";
    EXPECT_FALSE(slotShown(2) || bar->isVisibleTo(&panel));
    EXPECT_LT(panel.SlotHeight(0), line * 2);
    EXPECT_FALSE(panel.Slot(0)->isChecked() || panel.Slot(1)->isChecked()) << "a new question starts unchecked";
    QTest::keyClick(panel.Slot(0), Qt::Key_Return);  // the decide button had the focus a moment ago
    EXPECT_EQ(Question(), QStringLiteral("青いものは？"));
    Click(kDecide);  // nothing checked: the empty text, which is wrong
    EXPECT_EQ(State(), QStringLiteral("選択 | 2 | はずれ !!\n答 ： \n空"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // choices by keys: check, then move
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // 決定
    EXPECT_EQ(Question(), QStringLiteral("最後"));
    EXPECT_TRUE(Shown(kAnswer));
    EXPECT_FALSE(panel.isVisibleTo(&dialog) || Shown(kDecide));
    EXPECT_EQ(TabStops(), QStringLiteral("1001 1014 1034 1032 1001"));
    EXPECT_FALSE(panel.geometry().intersects(Control<QWidget>(dialog, kQuestion).geometry()));
}

TEST_F(QuizDialogTest, AnswerBoxSubmitsOnlyOnReturnWithLongLinesWholeAndRefusesNonShiftJisText) {
    const std::string longAnswer(200, 'k');
    Add("首都", "1", {"東京"});
    Add("長い答え", "1", {longAnswer});
    Add("次", "1", {"n"});
    Open();
    // An input-method commit (the Return that confirms a conversion) only confirms.
    QInputMethodEvent composing(QStringLiteral("とうきょう"), {});
    QApplication::sendEvent(&AnswerBox(), &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("東京"));
    QApplication::sendEvent(&AnswerBox(), &commit);
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("東京"));
    EXPECT_EQ(State(), QStringLiteral("首都 | 3 | "));
    PressReturn();
    EXPECT_EQ(State(), QStringLiteral("長い答え | 2 | 正解 !!"));

    Answer(QString::fromStdString(longAnswer));
    EXPECT_EQ(State(), QStringLiteral("次 | 1 | 正解 !!"));
    EXPECT_EQ(AnswerBox().toPlainText(), QString::fromStdString(longAnswer)) << "no line break, nothing cut";

    const QString typed = QStringLiteral("n\U0001F600");
    Answer(typed);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Information);
    EXPECT_NE(prompt_.Messages()[0].text.find("Shift-JIS"), std::string::npos);
    EXPECT_EQ(State(), QStringLiteral("次 | 1 | 正解 !!")) << "not judged";
    EXPECT_EQ(AnswerBox().toPlainText(), typed) << "refused, not changed";
    Click(kHint);
    EXPECT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(AnswerBox().toPlainText(), typed);
}

TEST_F(QuizDialogTest, CountdownShowsPaceColoursAndEndsTheRunAtTimeOut) {
    settings_.timeLimit = 10;
    AddPlain(20);
    CQuizDialog& dialog = Open();
    QLabel& time = Control<QLabel>(dialog, kTime);
    auto display = [&] { return time.text() + " " + time.palette().color(QPalette::WindowText).name(); };
    auto tick = [&](int times) {
        for (int i = 0; i < times; ++i) dialog.Tick();
    };
    EXPECT_TRUE(Shown(kTime) && CountdownTimer().isActive());
    EXPECT_EQ(display(), QStringLiteral("00:03:20 #000000"));
    tick(1);
    EXPECT_EQ(display(), QStringLiteral("00:03:19 #000000"));
    for (int i = 0; i < 5; ++i) Answer(QStringLiteral("right"));
    tick(9);
    EXPECT_EQ(display(), QStringLiteral("00:03:10 #0000ff")) << "190 s left for 15 questions is ahead of the pace";
    tick(50);
    EXPECT_EQ(display(), QStringLiteral("00:02:20 #ff0000")) << "140 s left for 15 questions is behind";

    tick(139);
    EXPECT_TRUE(prompt_.Messages().empty());
    tick(1);
    EXPECT_TRUE(time.text() == QStringLiteral("00:00:00") && !CountdownTimer().isActive());
    ASSERT_EQ(Said(prompt_), (std::vector<std::string>{"time out: 時間切れです。", "おしまい: 正答率 : 25.00 %"}));
    Answer(QStringLiteral("right"));
    tick(1);
    EXPECT_EQ(prompt_.Messages().size(), 2u) << "after the time-out nothing is judged or counted";
    EXPECT_EQ(Text(kRemaining), QStringLiteral("15"));
}

// The window has no title bar: its background drags it. Escape and 中止 close at once without a
// result or music; a placed run asks for the name and shows the score table instead of a summary.
TEST_F(QuizDialogTest, BackgroundDragsAndTheWaysARunEnds) {
    CRankTable& table = OpenRankTable({Sjis("動物")});
    settings_.timeLimit = 10;
    settings_.bgmFlag = 1;
    settings_.bgmFile = (dir_ / "missing.mid").string();
    AddPlain(20);
    CQuizDialog& dialog = Open();
    const QPoint before = dialog.pos(), grip(4, dialog.height() - 4), moved = grip + QPoint(30, 20);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&dialog, moved);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, moved);
    EXPECT_EQ(dialog.pos(), before + QPoint(30, 20));
    Answer(QStringLiteral("right"));
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
    QTest::keyClick(&AnswerBox(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(CountdownTimer().isActive());
    EXPECT_FALSE(table.IsModified());
    Open();
    Click(kAbort);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);

    table.AddResult(1, Sjis("たろう"), 20, 19);
    CModalScript script;
    script.Then([](QDialog& nameEntry) {
        EXPECT_EQ(Control<QLabel>(nameEntry, 1062).text(),
                  QStringLiteral("おめでとう。あなたの正答率 100.00 % は\n第1位です。"));
        TypeText(&Control<QLineEdit>(nameEntry, 1061), QStringLiteral("はなこ"));
        QTest::keyClick(&Control<QLineEdit>(nameEntry, 1061), Qt::Key_Return);
    });
    QStringList shownNames;
    bool newResultMarked = false;
    script.Then([&](QDialog& scoreTable) {
        auto& list = Control<QTreeWidget>(scoreTable, 1058);
        for (int row = 0; row < list.topLevelItemCount(); ++row) shownNames << list.topLevelItem(row)->text(2);
        newResultMarked = list.topLevelItemCount() > 0 && list.currentItem() == list.topLevelItem(0);
        QTest::mouseClick(&Control<QPushButton>(scoreTable, 1), Qt::LeftButton);
    });
    Open();
    for (int i = 0; i < 20; ++i) Answer(QStringLiteral("right"));
    EXPECT_EQ(script.Seen(), (QStringList{QStringLiteral("CNameEntryDialog"), QStringLiteral("CScoreDialog")}));
    EXPECT_EQ(shownNames, (QStringList{"はなこ", "たろう"}));
    EXPECT_TRUE(newResultMarked);
    EXPECT_TRUE(prompt_.Messages().empty());

    if (CMidiPlayer::FindSoundFont().empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    settings_.bgmFile = (dir_ / "default.mid").string();  // missing: silent, nothing plays instead
    dialog_ = std::make_unique<CQuizDialog>(list_, runList_, 2, settings_, prompt_);
    dialog_->Music().UseFileOutput(dir_ / "music.wav");
    dialog_->show();
    EXPECT_FALSE(dialog_->Music().IsOpen());
    EXPECT_TRUE(prompt_.Messages().empty());
}


// Each way out of a run is recorded once, the window gone included (it ends the retried run). An
// answer's genre is the one whose entries hold the question, not the one that reaches it.
TEST_F(QuizDialogTest, EachWayARunEndsIsRecordedOnce) {
    settings_.timeLimit = 30;
    CGenre* genre = list_.AddGenre(std::make_unique<CGenre>("G"));
    list_.AddGenre(std::make_unique<CGenre>("P"))->AddChildGenre(genre);
    for (std::string_view text : {"q1", "q2"}) genre->AddQuestion(std::vector<std::string_view>{text, "1", "r"});
    for (const CGenreEntry& entry : genre->GetEntries()) runList_.push_back(entry.GetQuestion());
    const std::string start = "w.wl P 2 h1 c0 t30 r0";
    const std::pair<std::function<void()>, std::vector<std::string>> rows[] = {  // a way out, what follows q1
        {[&] { Click(kAbort); }, {"a1"}},
        {[&] { QTest::keyClick(&AnswerBox(), Qt::Key_Escape); }, {"c1"}},
        {[&] { Click(kRetry); }, {"a1", start, "c0"}},
        {[&] { for (int i = 0; i < 60; ++i) dialog_->Tick(); }, {"2 G q2 ot ''", "t1"}},
        {[&] { Answer(QStringLiteral("r")); }, {"2 G q2 or 'r'", "f2"}},
    };
    for (const auto& [way, recorded] : rows) {
        CFakeRecorder recorder;
        recorder.timed = false;
        dialog_ = std::make_unique<CQuizDialog>(list_, runList_, 2, settings_, prompt_, nullptr, &recorder,
                                                RecordedRun{.wordListFile = "w.wl", .genres = {"P"}});
        ShowActive(*dialog_);
        Answer(QStringLiteral("r"));
        way();
        dialog_.reset();
        std::vector<std::string> expected = {start, "1 G q1 or 'r'"};
        EXPECT_EQ(recorder.said, (expected.insert(expected.end(), recorded.begin(), recorded.end()), expected));
    }
}

}  // namespace
