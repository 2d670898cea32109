#include "quiz/quiz_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>
#include <qdrawutil.h>

#include <filesystem>
#include <stdexcept>

#include "app/app_settings.h"
#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"
#include "quiz/choice_panel_dialog.h"
#include "quiz/owning_genres.h"
#include "score/name_entry_dialog.h"
#include "score/rank_table.h"
#include "score/score_dialog.h"

namespace {

constexpr int kMessageBox = 1029;
constexpr int kRemainingQuestions = 1033;
constexpr int kQuestionBox = 1000;
constexpr int kPanelPlace = 1054;
constexpr int kAnswerBox = 1001;
constexpr int kHint = 1014;
constexpr int kSeveralLabel = 1015;
constexpr int kRemainingAnswers = 1011;
constexpr int kGivenAnswers = 1012;
constexpr int kRetry = 1034;
constexpr int kAbort = 1032;
constexpr int kDecide = 1044;
constexpr int kTimeDisplay = 1057;

// What the learner sees when the answer holds a character the word lists cannot store.
constexpr const char* kUnrepresentableAnswer =
    "解答に Shift-JIS (CP932) で表せない文字が含まれています。\r\nその文字を除いてから、もう一度入力してください。";

// Data texts break lines with CR LF; the text boxes want plain LF.
QString DisplayText(const std::string& cp932) {
    QString text = FromCp932(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QColor TimeTextColour(TimeColour colour) {
    switch (colour) {
        case TimeColour::Blue: return QColor(0, 0, 255);
        case TimeColour::Red: return QColor(255, 0, 0);
        case TimeColour::Black: break;
    }
    return QColor(0, 0, 0);
}

}  // namespace

CQuizDialog::CQuizDialog(CWordList& list, std::vector<CQuestion*>& runList, int count, CAppSettings& settings,
                         CPrompt& prompt, QWidget* parent, CAnswerRecorder* recorder, RecordedRun facts)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      settings_(settings),
      prompt_(prompt),
      run_(runList, static_cast<unsigned>(std::max(count, 0)), settings, static_cast<CQuizFront&>(*this)) {
    std::vector<std::string> owningGenres;
    if (recorder) owningGenres = OwningGenreNames(list, runList);
    run_.SetRecorder(recorder, std::move(facts), std::move(owningGenres));
    BuildDialog(*this, LoadDialogTemplate(146));
    ApplyBackground(*this);

    messageBox_ = RequireControl<QPlainTextEdit>(*this, kMessageBox);
    questionBox_ = RequireControl<QPlainTextEdit>(*this, kQuestionBox);
    answerBox_ = RequireControl<QPlainTextEdit>(*this, kAnswerBox);
    remainingQuestionsBox_ = RequireControl<QLineEdit>(*this, kRemainingQuestions);
    remainingAnswersBox_ = RequireControl<QLineEdit>(*this, kRemainingAnswers);
    givenAnswersBox_ = RequireControl<QLineEdit>(*this, kGivenAnswers);
    severalLabel_ = RequireControl<QLabel>(*this, kSeveralLabel);
    timeDisplay_ = RequireControl<QLabel>(*this, kTimeDisplay);
    hintButton_ = RequireControl<QPushButton>(*this, kHint);
    retryButton_ = RequireControl<QPushButton>(*this, kRetry);
    abortButton_ = RequireControl<QPushButton>(*this, kAbort);
    decideButton_ = RequireControl<QPushButton>(*this, kDecide);
    for (QWidget* box : std::initializer_list<QWidget*>{messageBox_, questionBox_, remainingQuestionsBox_,
                                                        remainingAnswersBox_, givenAnswersBox_}) {
        ApplyWhiteBackground(*box);
    }

    // One line that scrolls sideways as the learner types; Return is taken by eventFilter and
    // never becomes part of the text.
    answerBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    answerBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerBox_->document()->setDocumentMargin(1);
    answerBox_->installEventFilter(this);

    choicePanel_ = new CChoicePanel(this);
    choicePanel_->hide();
    // Tab goes the way the learner reads: the answer (box or choices), Hint or 決定, 再挑戦, 中止.
    // Hidden and disabled controls are passed over; the choices are one stop, as a radio group is.
    QWidget* tabOrder[] = {answerBox_,   choicePanel_->Slot(0), choicePanel_->Slot(1), choicePanel_->Slot(2),
                           choicePanel_->Slot(3), choicePanel_->Slot(4), hintButton_, decideButton_,
                           retryButton_, abortButton_};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);

    countdownTimer_.setParent(this);  // found by its name, as the controls are
    countdownTimer_.setObjectName(QStringLiteral("countdown"));
    countdownTimer_.setInterval(1000);
    connect(&countdownTimer_, &QTimer::timeout, this, &CQuizDialog::Tick);
    connect(&music_, &CMidiPlayer::Finished, this, [this] { music_.Play(); });

    connect(hintButton_, &QPushButton::clicked, this, &CQuizDialog::TakeHint);
    connect(retryButton_, &QPushButton::clicked, this, &CQuizDialog::Retry);
    connect(abortButton_, &QPushButton::clicked, this, &CQuizDialog::Abort);
    connect(decideButton_, &QPushButton::clicked, this, &CQuizDialog::Submit);
    connect(answerBox_, &QPlainTextEdit::textChanged, this, &CQuizDialog::AnswerTextChanged);
}

CQuizDialog::~CQuizDialog() {
    run_.Stop(RunEnding::Closed);  // however the window went, a run under way has ended
    countdownTimer_.stop();
    music_.Close();
}

void CQuizDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!opened_) {
        opened_ = true;
        Open();
    }
}

void CQuizDialog::Open() {
    const QWidget* place = RequireControl<QWidget>(*this, kPanelPlace);
    choicePanel_->setGeometry(place->geometry());
    choicePanel_->show();
    StartMusic();
    hintButton_->setEnabled(settings_.useHint != 0);
    if (settings_.timeLimit > 0) {
        QFont bold = timeDisplay_->font();
        bold.setWeight(QFont::Black);
        timeDisplay_->setFont(bold);
    }
    Retry();
}

void CQuizDialog::Retry() {
    run_.Start();
    answerBox_->clear();
    ShowJudgement();
    ShowPresentedQuestion();
    PlaceFocus();
}

void CQuizDialog::Abort() {
    run_.Stop(RunEnding::Aborted);
    closing_ = true;
    StopCountdown();
    StopMusic();
    accept();
}

void CQuizDialog::reject() {
    run_.Stop(RunEnding::Closed);
    closing_ = true;
    StopCountdown();
    StopMusic();
    QDialog::reject();
}

void CQuizDialog::StartMusic() {
    if (settings_.bgmFlag != 1 || !music_.CheckAvailability()) return;
    // Only the file the settings name plays; a missing one leaves the music off.
    if (!music_.Open(std::filesystem::path(settings_.bgmFile)) || !music_.Play()) music_.Close();
}

void CQuizDialog::StopMusic() { music_.Close(); }

bool CQuizDialog::eventFilter(QObject* watched, QEvent* event) {
    // Return submits from anywhere in the line, however long it is. A Return that confirms an
    // input-method conversion reaches the box as a commit, not as a key, so it only confirms.
    if (watched == answerBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (run_.GetActive() == 1) Submit();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::string> CQuizDialog::ReadAnswerBox() {
    QString typed = answerBox_->toPlainText();
    typed.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::optional<std::string> answer = ToCp932(typed);
    if (!answer) prompt_.ShowMessage(kUnrepresentableAnswer, kProgramName, PromptIcon::Information, PromptButtons::Ok);
    return answer;
}

void CQuizDialog::Submit() {
    std::string answer;
    if (run_.GetForm() == QuizForm::Choice) {
        answer = choicePanel_->CheckedText();
    } else {
        std::optional<std::string> typed = ReadAnswerBox();
        if (!typed) {
            answerBox_->setFocus(Qt::OtherFocusReason);
            return;
        }
        answer = std::move(*typed);
    }
    const SubmitOutcome outcome = run_.Submit(answer);
    if (closing_) return;  // the windows at a run's end run their own event loops
    if (outcome != SubmitOutcome::Ignored) ShowJudgement();
    if ((outcome == SubmitOutcome::Complete || outcome == SubmitOutcome::Wrong) && run_.GetCurrentQuestion()) {
        ShowPresentedQuestion();
    }
    PlaceFocus();
}

void CQuizDialog::TakeHint() {
    const std::optional<std::string> typed = ReadAnswerBox();
    if (!typed) return;
    const CQuizRun::HintResult hint = run_.Hint(*typed);
    answerBox_->setPlainText(DisplayText(hint.text));
    answerBox_->moveCursor(QTextCursor::End);
    answerBox_->setFocus(Qt::OtherFocusReason);
}

void CQuizDialog::AnswerTextChanged() {
    // In complete mode the answers shown after a wrong answer go as soon as the learner types.
    if (settings_.completeMode != 0) messageBox_->clear();
}

void CQuizDialog::ShowPresentedQuestion() {
    const QuizForm form = run_.GetForm();
    const bool several = form == QuizForm::Several;
    const bool choice = form == QuizForm::Choice;
    for (QWidget* control : std::initializer_list<QWidget*>{severalLabel_, remainingAnswersBox_, givenAnswersBox_}) {
        control->setVisible(several);
    }
    if (choice) {
        CChoicePanel::SlotTexts texts;
        for (int slot = 0; slot < CChoicePanel::kSlots; ++slot) {
            if (run_.IsSlotShown(slot)) texts[slot] = run_.GetSlotText(slot);
        }
        choicePanel_->Fill(texts);
    }
    choicePanel_->setVisible(choice);
    answerBox_->setVisible(!choice);
    hintButton_->setVisible(!choice);
    decideButton_->setVisible(choice);

    questionBox_->clear();
    questionBox_->setPlainText(DisplayText(run_.GetQuestionText()));
    remainingQuestionsBox_->setText(QString::number(run_.GetRemainingQuestions()));
    remainingAnswersBox_->setText(QString::number(run_.GetRemainingAnswers()));
    givenAnswersBox_->setText(FromCp932(run_.GetGivenAnswersText()));
}

void CQuizDialog::ShowJudgement() {
    messageBox_->setPlainText(DisplayText(run_.GetMessageText()));
    remainingAnswersBox_->setText(QString::number(run_.GetRemainingAnswers()));
    givenAnswersBox_->setText(FromCp932(run_.GetGivenAnswersText()));
    remainingQuestionsBox_->setText(QString::number(run_.GetRemainingQuestions()));
}

void CQuizDialog::PlaceFocus() {
    if (run_.GetActive() == 0) {
        retryButton_->setFocus(Qt::OtherFocusReason);
    } else if (run_.GetForm() == QuizForm::Choice) {
        choicePanel_->FocusFirstSlot();
    } else {
        answerBox_->setFocus(Qt::OtherFocusReason);
        answerBox_->selectAll();
        answerBox_->ensureCursorVisible();
    }
}

void CQuizDialog::Tick() {
    if (!countdown_.IsRunning()) return;
    const bool timedOut = countdown_.Tick(run_.GetRemainingQuestions());
    ShowTime();
    if (!timedOut) return;
    countdownTimer_.stop();
    run_.TimeOut();  // recorded as the time runs out, not when the learner has read the box
    prompt_.ShowMessage(kTimeOutText, kTimeOutCaption, PromptIcon::None, PromptButtons::Ok);
    if (closing_) return;
    run_.Finish();
    if (closing_) return;
    ShowJudgement();
    PlaceFocus();
}

void CQuizDialog::ShowTime() {
    timeDisplay_->setText(QString::fromStdString(countdown_.GetDisplayText()));
    QPalette palette = timeDisplay_->palette();
    palette.setColor(QPalette::WindowText, TimeTextColour(countdown_.GetColour()));
    timeDisplay_->setPalette(palette);
}

void CQuizDialog::StartCountdown() {
    if (countdown_.Start(settings_.timeLimit, run_.GetQuestionCount())) {
        timeDisplay_->show();
        ShowTime();
        countdownTimer_.start();
    } else {
        countdownTimer_.stop();
        timeDisplay_->hide();
    }
}

void CQuizDialog::StopCountdown() {
    countdown_.Stop();
    countdownTimer_.stop();
}

std::string CQuizDialog::AskName(int position, const std::string& rateText) {
    ShowJudgement();  // the verdict on the last question stays readable behind the name entry
    CNameEntryDialog nameEntry(position, rateText, prompt_, this);
    nameEntry.exec();
    return nameEntry.Name();
}

void CQuizDialog::ShowScoreTable(int position) {
    CScoreDialog scoreTable(settings_, prompt_, this, position);
    scoreTable.exec();
}

void CQuizDialog::ShowSummary(const std::string& text, const std::string& caption) {
    ShowJudgement();
    prompt_.ShowMessage(text, caption, PromptIcon::None, PromptButtons::Ok);
}

void CQuizDialog::mousePressEvent(QMouseEvent* event) {
    // The window has no title bar: its whole background serves as one.
    if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CQuizDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
    QDialog::mouseMoveEvent(event);
}

void CQuizDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

void CQuizDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);  // the raised frame of a window without a title bar
}
