// The main window's part in the learning record: the record it keeps for the program's life,
// the review run, and the one place where a run meets the quiz dialog.
#include "app/main_dialog.h"

#include <filesystem>
#include <system_error>

#include "app/own_settings_io.h"
#include "quiz/quiz_dialog.h"
#include "record/record_dialog.h"
#include "record/record_opening.h"
#include "record/record_store.h"
#include "record/review_draw.h"

CMainDialog::~CMainDialog() {
    if (recordOpening_) recordOpening_->WhenOpen({});
}

void CMainDialog::OpenRecord(CRecordOpening* given) {
    // An opening of another folder's record (the current directory moved meanwhile) is not ours.
    if (!given || given->Path() != startupDir_ / CRecordOpening::kFileName) {
        ownRecordOpening_ = std::make_unique<CRecordOpening>(startupDir_);
        given = ownRecordOpening_.get();
    }
    recordOpening_ = given;
    // Taken on the window's own thread once open, so that its notices come even when the
    // learner asks for nothing that needs the record.
    recordOpening_->WhenOpen([this] { QMetaObject::invokeMethod(this, [this] { TakeRecord(); }, Qt::QueuedConnection); });
}

void CMainDialog::TakeRecord() {
    if (recordTaken_) return;
    recordTaken_ = true;
    CRecordOpening::Opened opened = recordOpening_ ? recordOpening_->Take(prompt_) : CRecordOpening::Opened{};
    record_ = std::move(opened.store);
    LoadOwnSettings(settings_, OwnSettings());
    // Told last: a command chosen while a notice is up finds the record and its settings in place.
    opened.TellTo(prompt_);
}

CRecordStore* CMainDialog::GetRecord() {
    TakeRecord();
    return record_.get();
}

CAppSettings& CMainDialog::GetSettings() {
    TakeRecord();
    return settings_;
}

COwnSettings& CMainDialog::OwnSettings() {
    TakeRecord();
    if (record_) return *record_;
    return ownSettingsForThisStart_;
}

bool CMainDialog::PrepareReview(const std::vector<std::string>& selected) {
    static const CQuestionStates kNoRecord;
    CRecordStore* record = GetRecord();
    const CQuestionStates& states = record ? record->ReviewStates() : kNoRecord;
    const CRecordClock& clock = record ? record->Clock() : SystemRecordClock();
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
    CRecordStore* record = GetRecord();  // and with it the settings the run is judged by
    CQuizDialog quiz(wordList_, runList_, count, settings_, prompt_, this, record, std::move(facts));
    quiz.exec();
}

void CMainDialog::ShowRecord() {
    CRecordDialog window(
        GetRecord(), wordList_, RecordedWordListFile(), SelectedGenreTexts(), prompt_,
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
