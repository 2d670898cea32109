// Runs through the quiz dialog driven by keys and clicks on its numbered controls: each question
// form, hints, complete mode, the answer box's Return handling, the countdown and the ending of a
// run (summary, or name entry and score table for a placed result).
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTreeWidget>

#include "gui/quiz_fixture.h"
#include "quiz/choice_panel_dialog.h"
#include "score/rank_table.h"

namespace {

QRadioButton* SlotWithText(const CChoicePanel& panel, const QString& text) {
    for (int slot = 0; slot < CChoicePanel::kSlots; ++slot) {
        if (!panel.Slot(slot)->isHidden() && panel.Slot(slot)->text() == text) return panel.Slot(slot);
    }
    return nullptr;
}

TEST_F(QuizDialogTest, TypedRunJudgesEachReturnAndEndsWithTheSummary) {
    Add("日本の首都は？", "1", {"東京"});
    Add("2 + 3 は？", "1", {"5"});
    Open();
    EXPECT_EQ(Question(), QStringLiteral("日本の首都は？"));
    EXPECT_EQ(Remaining(), QStringLiteral("2"));
    EXPECT_TRUE(AnswerBox().hasFocus()) << "the answer box starts with the focus";
    EXPECT_FALSE(Button(kDecide).isVisibleTo(dialog_.get()));
    EXPECT_FALSE(Control<QLabel>(kSeveralLabel).isVisibleTo(dialog_.get()));

    // Return with the caret inside the text submits all of it and leaves one line.
    Type(QStringLiteral("東京"));
    QTest::keyClick(&AnswerBox(), Qt::Key_Left);
    PressReturn();
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("東京"));
    EXPECT_EQ(AnswerBox().textCursor().selectedText(), QStringLiteral("東京")) << "typing replaces the old answer";
    EXPECT_EQ(Question(), QStringLiteral("2 + 3 は？"));
    EXPECT_EQ(Remaining(), QStringLiteral("1"));

    Answer(QStringLiteral("6"));
    EXPECT_EQ(Message(), QStringLiteral("はずれ !!\n答 ： \n   5\n"));
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, "正答率 : 50.00 %");
    EXPECT_EQ(prompt_.Messages()[0].caption, "おしまい");
    EXPECT_TRUE(Button(kRetry).hasFocus());

    // After the end, Return neither judges nor counts.
    Answer(QStringLiteral("5"));
    EXPECT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(Message(), QStringLiteral("はずれ !!\n答 ： \n   5\n"));

    // A retry asks the same questions from the start with a clean slate.
    QTest::mouseClick(&Button(kRetry), Qt::LeftButton);
    EXPECT_EQ(Question(), QStringLiteral("日本の首都は？"));
    EXPECT_EQ(Remaining(), QStringLiteral("2"));
    EXPECT_EQ(Message(), QString());
    EXPECT_EQ(AnswerBox().toPlainText(), QString());
    Answer(QStringLiteral("東京"));
    Answer(QStringLiteral("5"));
    EXPECT_EQ(MessageTexts().back(), "全問正解 !! おめでとう。");
    EXPECT_EQ(prompt_.Messages().back().caption, "全問正解");
}

TEST_F(QuizDialogTest, SeveralAnswersShowWhatIsGivenAndWhatRemains) {
    Add("三つのうち二つ", "2", {"a", "b", "c"});
    Add("次", "1", {"n"});
    Open();
    EXPECT_TRUE(Control<QLabel>(kSeveralLabel).isVisibleTo(dialog_.get()));
    EXPECT_EQ(Control<QLineEdit>(kRemainingAnswers).text(), QStringLiteral("2"));
    EXPECT_EQ(Control<QLineEdit>(kGiven).text(), QString());

    Answer(QStringLiteral("b"));
    EXPECT_EQ(Control<QLineEdit>(kRemainingAnswers).text(), QStringLiteral("1"));
    EXPECT_EQ(Control<QLineEdit>(kGiven).text(), QStringLiteral("b"));
    Answer(QStringLiteral("b"));  // already given: nothing changes
    EXPECT_EQ(Control<QLineEdit>(kRemainingAnswers).text(), QStringLiteral("1"));
    EXPECT_EQ(Remaining(), QStringLiteral("2"));

    Answer(QStringLiteral("c"));
    EXPECT_EQ(Message(), QStringLiteral("正解 !!\nその他に ．．．\n   a\n"));
    EXPECT_EQ(Question(), QStringLiteral("次"));
    EXPECT_FALSE(Control<QLabel>(kSeveralLabel).isVisibleTo(dialog_.get()));
    EXPECT_FALSE(Control<QLineEdit>(kGiven).isVisibleTo(dialog_.get()));
}

TEST_F(QuizDialogTest, ChoiceQuestionsAreAnsweredWithTheDecideButtonOnly) {
    Add("赤い果物は？", "-1", {"りんご", "バナナ", "メロン"});
    Add("青いものは？", "-1", {"空", "雲"});
    Add("最後", "1", {"x"});
    CQuizDialog& dialog = Open();
    CChoicePanel& panel = dialog.ChoicePanel();
    EXPECT_TRUE(panel.isVisibleTo(&dialog));
    EXPECT_TRUE(Button(kDecide).isVisibleTo(&dialog));
    EXPECT_FALSE(AnswerBox().isVisibleTo(&dialog));
    EXPECT_FALSE(Button(kHint).isVisibleTo(&dialog));
    EXPECT_FALSE(panel.Slot(3)->isVisibleTo(&panel));
    EXPECT_FALSE(panel.Slot(4)->isVisibleTo(&panel));
    for (int slot = 0; slot < 3; ++slot) EXPECT_FALSE(panel.Slot(slot)->isChecked());
    EXPECT_TRUE(panel.Slot(0)->hasFocus());

    // Return on a choice does nothing.
    QRadioButton* right = SlotWithText(panel, QStringLiteral("りんご"));
    ASSERT_NE(right, nullptr);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_TRUE(right->isChecked());
    QTest::keyClick(right, Qt::Key_Return);
    EXPECT_EQ(Question(), QStringLiteral("赤い果物は？"));

    QTest::mouseClick(&Button(kDecide), Qt::LeftButton);
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
    EXPECT_EQ(Question(), QStringLiteral("青いものは？"));
    EXPECT_FALSE(panel.Slot(2)->isVisibleTo(&panel));
    EXPECT_FALSE(panel.Slot(0)->isChecked() || panel.Slot(1)->isChecked()) << "a new question starts unchecked";
    QTest::keyClick(panel.Slot(0), Qt::Key_Return);  // the decide button had the focus a moment ago
    EXPECT_EQ(Question(), QStringLiteral("青いものは？"));

    // Deciding with nothing checked submits the empty text, which is wrong.
    QTest::mouseClick(&Button(kDecide), Qt::LeftButton);
    EXPECT_EQ(Message(), QStringLiteral("はずれ !!\n答 ： \n空"));
    EXPECT_EQ(Question(), QStringLiteral("最後"));
    EXPECT_TRUE(AnswerBox().isVisibleTo(&dialog));
    EXPECT_FALSE(panel.isVisibleTo(&dialog));
    EXPECT_FALSE(Button(kDecide).isVisibleTo(&dialog));
}

TEST_F(QuizDialogTest, LongChoicesScrollAndShortOnesFit) {
    const std::string longText(120, 'w');
    Add("長い選択肢", "-1", {longText + " 1", longText + " 2", longText + " 3", longText + " 4", longText + " 5"});
    Add("短い選択肢", "-1", {"a", "b"});
    CQuizDialog& dialog = Open();
    CChoicePanel& panel = dialog.ChoicePanel();
    QScrollBar* bar = panel.verticalScrollBar();
    EXPECT_TRUE(bar->isVisibleTo(&panel)) << "five long choices need more room than the panel";
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_GT(panel.SlotHeight(0), panel.fontMetrics().height() * 2) << "a long choice wraps onto several lines";
    EXPECT_GE(panel.Slot(1)->y(), panel.Slot(0)->y() + panel.Slot(0)->height()) << "slots never overlap";
    bar->setValue(bar->maximum());

    QTest::mouseClick(&Button(kDecide), Qt::LeftButton);  // wrong: on to the short choices
    EXPECT_EQ(bar->value(), 0) << "each question starts scrolled to the top";
    EXPECT_FALSE(bar->isVisibleTo(&panel));
    EXPECT_LT(panel.SlotHeight(0), panel.fontMetrics().height() * 2);
    EXPECT_FALSE(panel.Slot(2)->isVisibleTo(&panel));
}

TEST_F(QuizDialogTest, HintsRevealOneCharacterAndCostTheQuestion) {
    Add("首都", "1", {"東京"});
    Add("英語", "1", {"abc", "xyz"});
    Open();
    QTest::mouseClick(&Button(kHint), Qt::LeftButton);
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("東")) << "a double-byte character comes whole";
    EXPECT_EQ(AnswerBox().textCursor().position(), 1);
    QTest::mouseClick(&Button(kHint), Qt::LeftButton);
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("東京"));
    PressReturn();
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));

    Type(QStringLiteral("xq"));
    QTest::mouseClick(&Button(kHint), Qt::LeftButton);
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("x"));
    Type(QStringLiteral("yz"));
    PressReturn();
    EXPECT_EQ(MessageTexts().back(), "正答率 : 0.00 %") << "answers after a hint do not count";
}

TEST_F(QuizDialogTest, CompleteModeAsksAgainAndClearsTheAnswersOnTheFirstKey) {
    settings_.completeMode = 1;
    Add("一", "1", {"a"});
    Add("二", "1", {"b"});
    Open();
    Answer(QStringLiteral("z"));
    EXPECT_EQ(Message(), QStringLiteral("はずれ !!\n答 ： \n   a\n"));
    EXPECT_EQ(Question(), QStringLiteral("一"));
    EXPECT_EQ(Remaining(), QStringLiteral("2"));
    Type(QStringLiteral("a"));
    EXPECT_EQ(Message(), QString()) << "the answers go as soon as the learner types";
    PressReturn();
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
    EXPECT_EQ(Question(), QStringLiteral("二"));
    Answer(QStringLiteral("b"));
    EXPECT_EQ(MessageTexts().back(), "正答率 : 50.00 %");
}

TEST_F(QuizDialogTest, ReturnSubmitsLinesOfAnyLength) {
    const std::string longAnswer(200, 'k');
    Add("長い答え", "1", {longAnswer});
    Open();
    Answer(QString::fromStdString(longAnswer));
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
    EXPECT_EQ(AnswerBox().toPlainText(), QString::fromStdString(longAnswer)) << "no line break, nothing cut";
}

TEST_F(QuizDialogTest, InputMethodCommitOnlyConfirmsTheConversion) {
    Add("首都", "1", {"東京"});
    Add("次", "1", {"n"});
    Open();
    QInputMethodEvent composing(QStringLiteral("とうきょう"), {});
    QApplication::sendEvent(&AnswerBox(), &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("東京"));
    QApplication::sendEvent(&AnswerBox(), &commit);
    EXPECT_EQ(AnswerBox().toPlainText(), QStringLiteral("東京"));
    EXPECT_EQ(Message(), QString()) << "the Return that confirmed the conversion submits nothing";
    EXPECT_EQ(Question(), QStringLiteral("首都"));
    PressReturn();
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
}

TEST_F(QuizDialogTest, TextOutsideShiftJisIsRefusedNotChanged) {
    Add("首都", "1", {"東京"});
    Add("次", "1", {"n"});
    Open();
    const QString typed = QStringLiteral("東京\U0001F600");
    Answer(typed);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Information);
    EXPECT_NE(prompt_.Messages()[0].text.find("Shift-JIS"), std::string::npos);
    EXPECT_EQ(AnswerBox().toPlainText(), typed);
    EXPECT_EQ(Question(), QStringLiteral("首都")) << "not judged";
    QTest::mouseClick(&Button(kHint), Qt::LeftButton);
    EXPECT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(AnswerBox().toPlainText(), typed);
}

TEST_F(QuizDialogTest, CountdownShowsPaceColoursAndEndsTheRunAtTimeOut) {
    settings_.timeLimit = 10;
    AddPlain(20);
    CQuizDialog& dialog = Open();
    QLabel& time = Control<QLabel>(kTime);
    auto colour = [&] { return time.palette().color(QPalette::WindowText); };
    EXPECT_TRUE(time.isVisibleTo(&dialog));
    EXPECT_EQ(time.text(), QStringLiteral("00:03:20"));
    EXPECT_EQ(colour(), QColor(0, 0, 0));
    EXPECT_GT(time.font().weight(), QFont::Bold);
    EXPECT_TRUE(CountdownTimer().isActive());

    dialog.Tick();
    EXPECT_EQ(time.text(), QStringLiteral("00:03:19"));
    EXPECT_EQ(colour(), QColor(0, 0, 0));
    for (int i = 0; i < 5; ++i) Answer(QStringLiteral("right"));
    for (int i = 0; i < 9; ++i) dialog.Tick();
    EXPECT_EQ(time.text(), QStringLiteral("00:03:10"));
    EXPECT_EQ(colour(), QColor(0, 0, 255)) << "190 s left for 15 questions is ahead of the pace";
    for (int i = 0; i < 50; ++i) dialog.Tick();
    EXPECT_EQ(colour(), QColor(255, 0, 0)) << "140 s left for 15 questions is behind";

    for (int i = 0; i < 139; ++i) dialog.Tick();
    EXPECT_TRUE(prompt_.Messages().empty());
    dialog.Tick();
    EXPECT_EQ(time.text(), QStringLiteral("00:00:00"));
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(prompt_.Messages()[0].text, "時間切れです。");
    EXPECT_EQ(prompt_.Messages()[0].caption, "time out");
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::None);
    EXPECT_EQ(prompt_.Messages()[1].text, "正答率 : 25.00 %");
    EXPECT_FALSE(CountdownTimer().isActive());

    Answer(QStringLiteral("right"));
    dialog.Tick();
    EXPECT_EQ(prompt_.Messages().size(), 2u) << "after the time-out nothing is judged or counted";
    EXPECT_EQ(Remaining(), QStringLiteral("15"));
}

TEST_F(QuizDialogTest, WithHintsAndTimeLimitOffThereIsNoHintNoDisplayNoTimer) {
    settings_.useHint = 0;
    AddPlain(2);
    CQuizDialog& dialog = Open();
    EXPECT_FALSE(Button(kHint).isEnabled());
    Answer(QStringLiteral("right"));
    EXPECT_FALSE(Button(kHint).isEnabled()) << "for every question";
    EXPECT_FALSE(Control<QLabel>(kTime).isVisibleTo(&dialog));
    EXPECT_FALSE(CountdownTimer().isActive());
    dialog.Tick();
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(QuizDialogTest, PlacedRunAsksForTheNameAndShowsTheScoreTable) {
    CRankTable& table = OpenRankTable({Sjis("動物")});
    table.AddResult(1, Sjis("たろう"), 20, 19);
    settings_.timeLimit = 10;
    AddPlain(20);
    CModalScript script;
    script.Then([](QDialog& nameEntry) {
        EXPECT_STREQ(nameEntry.metaObject()->className(), "CNameEntryDialog");
        EXPECT_EQ(nameEntry.windowTitle(), QStringLiteral("第1位"));
        EXPECT_EQ(FindControl<QLabel>(nameEntry, 1062)->text(),
                  QStringLiteral("おめでとう。あなたの正答率 100.00 % は\n第1位です。"));
        QTest::keyClick(&nameEntry, Qt::Key_Escape);
        EXPECT_TRUE(nameEntry.isVisible()) << "Escape does not close the name entry";
        TypeText(FindControl<QLineEdit>(nameEntry, 1061), QStringLiteral("はなこ"));
        QTest::keyClick(FindControl<QLineEdit>(nameEntry, 1061), Qt::Key_Return);
    });
    QStringList shownNames;
    bool newResultMarked = false;
    script.Then([&](QDialog& scoreTable) {
        EXPECT_STREQ(scoreTable.metaObject()->className(), "CScoreDialog");
        auto* list = FindControl<QTreeWidget>(scoreTable, 1058);
        for (int row = 0; row < list->topLevelItemCount(); ++row) shownNames << list->topLevelItem(row)->text(2);
        newResultMarked = list->topLevelItemCount() > 0 && list->currentItem() == list->topLevelItem(0);
        QTest::mouseClick(FindControl<QPushButton>(scoreTable, 1), Qt::LeftButton);
    });
    Open();
    for (int i = 0; i < 19; ++i) Answer(QStringLiteral("right"));
    EXPECT_TRUE(CountdownTimer().isActive());
    Answer(QStringLiteral("right"));
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(shownNames, (QStringList{"はなこ", "たろう"}));
    EXPECT_TRUE(newResultMarked);
    EXPECT_TRUE(script.Unexpected().isEmpty()) << script.Unexpected().join(u',').toStdString();
    EXPECT_TRUE(prompt_.Messages().empty()) << "a placed result has no summary";
    EXPECT_FALSE(CountdownTimer().isActive());
    int count = 0;
    const auto* entries = table.GetCurrentEntries(&count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ((*entries)[0].name, Sjis("はなこ"));
    EXPECT_EQ((*entries)[0].right, 20);
    EXPECT_EQ((*entries)[1].name, Sjis("たろう"));
    EXPECT_TRUE(table.IsModified());
}

TEST_F(QuizDialogTest, EscapeAndAbortCloseAtOnceWithoutAResult) {
    OpenRankTable({"A"});
    settings_.timeLimit = 5;
    AddPlain(20);
    CQuizDialog& dialog = Open();
    Answer(QStringLiteral("right"));
    QTest::keyClick(&AnswerBox(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(CountdownTimer().isActive());
    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_FALSE(settings_.GetRankTable()->IsModified());

    Open();
    QTest::mouseClick(&Button(kAbort), Qt::LeftButton);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(QuizDialogTest, MusicFailuresStaySilent) {
    settings_.bgmFlag = 1;
    settings_.bgmFile = (dir_ / "missing.mid").string();
    AddPlain(2);
    CQuizDialog& dialog = Open();
    EXPECT_FALSE(dialog.Music().IsOpen());
    EXPECT_TRUE(prompt_.Messages().empty());
    Answer(QStringLiteral("right"));
    EXPECT_EQ(Message(), QStringLiteral("正解 !!"));
}

TEST_F(QuizDialogTest, MusicPlaysWhileOpenAndStopsOnEscape) {
    if (CMidiPlayer::FindSoundFont().empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    settings_.bgmFlag = 1;
    settings_.bgmFile = "default.mid";  // not in the folder: the built-in tune plays
    AddPlain(2);
    dialog_ = std::make_unique<CQuizDialog>(list_, runList_, 2, settings_, prompt_);
    dialog_->Music().UseFileOutput(dir_ / "music.wav");
    dialog_->show();
    EXPECT_TRUE(dialog_->Music().IsOpen());
    EXPECT_TRUE(dialog_->Music().IsPlaying());
    QTest::keyClick(&AnswerBox(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->Music().IsOpen());
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(QuizDialogTest, BackgroundDragsTheWindow) {
    AddPlain(1);
    CQuizDialog& dialog = Open();
    const QPoint before = dialog.pos();
    const QPoint grip(4, dialog.height() - 4);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&dialog, grip + QPoint(30, 20));
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
    EXPECT_EQ(dialog.pos(), before + QPoint(30, 20));
}

}  // namespace
