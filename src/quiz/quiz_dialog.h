#pragma once
// The window in which the learner takes runs (template 146): it shows what the run presents,
// turns keys and clicks into the run's operations, drives the pooled countdown once a second and
// plays the background music while it is open.
#include <QDialog>
#include <QPoint>
#include <QTimer>

#include <optional>
#include <string>
#include <vector>

#include "platform/qt/midi_player.h"
#include "quiz/answer_recorder.h"
#include "quiz/countdown.h"
#include "quiz/quiz_run.h"

class CAppSettings;
class CChoicePanel;
class CPrompt;
class CQuestion;
class CWordList;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CQuizDialog : public QDialog, private CQuizFront {
    Q_OBJECT

public:
    // The run list already refers to the questions; the word list names their genres for the
    // recorder. recorder (may be null) hears of every run taken here and how it ended; facts as
    // CQuizRun::SetRecorder takes them (a review run is never ranked, recorded or not).
    CQuizDialog(CWordList& list, std::vector<CQuestion*>& runList, int count, CAppSettings& settings, CPrompt& prompt,
                QWidget* parent = nullptr, CAnswerRecorder* recorder = nullptr, RecordedRun facts = {});
    ~CQuizDialog() override;

    // One second of the countdown. The dialog's 1-second timer calls it; tests call it directly
    // instead of waiting.
    void Tick();

    const CQuizRun& Run() const { return run_; }
    const CCountdown& Countdown() const { return countdown_; }
    CChoicePanel& ChoicePanel() const { return *choicePanel_; }
    // The music player, so a test can send the music to a file before the dialog opens.
    CMidiPlayer& Music() { return music_; }

public slots:
    void reject() override;  // Escape or the window closed: what "中止" does, then close

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // CQuizFront
    void StartCountdown() override;
    void StopCountdown() override;
    std::string AskName(int position, const std::string& rateText) override;
    void ShowScoreTable(int position) override;
    void ShowSummary(const std::string& text, const std::string& caption) override;

    void Open();
    void StartMusic();
    void StopMusic();
    void Submit();
    void TakeHint();
    void Retry();
    void Abort();
    void AnswerTextChanged();

    void ShowPresentedQuestion();
    void ShowJudgement();
    void ShowTime();
    void PlaceFocus();
    std::optional<std::string> ReadAnswerBox();

    CAppSettings& settings_;
    CPrompt& prompt_;
    CQuizRun run_;
    CCountdown countdown_;
    QTimer countdownTimer_;
    CMidiPlayer music_;
    bool opened_ = false;
    bool closing_ = false;
    QPoint dragOffset_;
    bool dragging_ = false;

    QPlainTextEdit* messageBox_;
    QPlainTextEdit* questionBox_;
    QPlainTextEdit* answerBox_;
    QLineEdit* remainingQuestionsBox_;
    QLineEdit* remainingAnswersBox_;
    QLineEdit* givenAnswersBox_;
    QLabel* severalLabel_;
    QLabel* timeDisplay_;
    QPushButton* hintButton_;
    QPushButton* retryButton_;
    QPushButton* abortButton_;
    QPushButton* decideButton_;
    CChoicePanel* choicePanel_;
};
