// The main window's part in the learning record: the record it keeps for the program's life,
// the review run, and the one place where a run meets the quiz dialog.
#include "app/main_dialog.h"

#include <filesystem>
#include <system_error>

#include "quiz/quiz_dialog.h"
#include "record/record_dialog.h"
#include "record/record_store.h"
#include "record/review_draw.h"

namespace {

constexpr const char* kRecordFile = "Pellora.db";

}  // namespace

void CMainDialog::OpenRecord() { record_ = std::make_unique<CRecordStore>(startupDir_ / kRecordFile, prompt_); }

COwnSettings& CMainDialog::OwnSettings() {
    if (record_) return *record_;
    return ownSettingsForThisStart_;
}

bool CMainDialog::PrepareReview(const std::vector<std::string>& selected) {
    static const CQuestionStates kNoRecord;
    const CQuestionStates& states = record_ ? record_->ReviewStates() : kNoRecord;
    const CRecordClock& clock = record_ ? record_->Clock() : SystemRecordClock();
    std::vector<CQuestion*> drawn;
    if (!PrepareReviewRun(prompt_, wordList_, selected, runCount_, drawn, states, clock.Today())) return false;
    runList_ = std::move(drawn);
    return true;
}

std::string CMainDialog::RecordedWordListFile() const {
    // One word list is one file however it was named when opened ("default.wl", a full path).
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(startupDir_ / settings_.currentFile, error);
    return error ? settings_.currentFile : path.string();
}

void CMainDialog::RunQuiz(bool review, std::vector<std::string> selected) {
    // A review run asks what it drew, which may be fewer than the per-run count.
    const int count = review ? static_cast<int>(runList_.size()) : runCount_;
    RecordedRun facts{.wordListFile = RecordedWordListFile(), .genres = std::move(selected), .review = review};
    CQuizDialog quiz(wordList_, runList_, count, settings_, prompt_, this, record_.get(), std::move(facts));
    quiz.exec();
}

void CMainDialog::ShowRecord() {
    CRecordDialog window(
        record_.get(), wordList_, RecordedWordListFile(), SelectedGenreTexts(), prompt_,
        [this](std::vector<CQuestion*> questions) { ReviewQuestions(std::move(questions)); }, this);
    window.exec();
}

void CMainDialog::ReviewQuestions(std::vector<CQuestion*> questions) {
    if (startGuard_ || questions.empty()) return;
    startGuard_ = true;
    runList_ = std::move(questions);
    RunQuiz(true, SelectedGenreTexts());
    startGuard_ = false;
}
