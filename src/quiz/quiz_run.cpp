#include "quiz/quiz_run.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "app/app_settings.h"
#include "platform/cp932.h"
#include "platform/random.h"
#include "platform/text_codec.h"
#include "quiz/run_recording.h"
#include "score/rank_table.h"
#include "wordlist/question.h"

namespace {

// The verdicts become part of the message text, which is data: CP932 with CR LF breaks.
constexpr std::string_view kLineBreak = "\r\n";

const std::string& RightText() {
    static const std::string text = text::ToCp932("正解 !!");
    return text;
}
const std::string& OthersText() {
    static const std::string text = text::ToCp932("その他に ．．．");
    return text;
}
const std::string& WrongText() {
    static const std::string text = text::ToCp932("はずれ !!");
    return text;
}
const std::string& AnswerLabel() {
    static const std::string text = text::ToCp932("答 ： ");
    return text;
}
const std::string& ExplanationLabel() {
    static const std::string text = text::ToCp932("解説 ：");
    return text;
}

const std::string kEmpty;

}  // namespace

CQuizRun::CQuizRun(std::vector<CQuestion*>& runList, unsigned questionCount, CAppSettings& settings, CQuizFront& front)
    : runList_(runList), questionCount_(questionCount), settings_(settings), front_(front) {}

CQuizRun::~CQuizRun() = default;

void CQuizRun::SetRecorder(CAnswerRecorder* recorder, RecordedRun facts, std::vector<std::string> owningGenres,
                           Clock clock) {
    review_ = facts.review;
    recording_.reset();
    if (recorder) {
        recording_ =
            std::make_unique<CRunRecording>(*recorder, std::move(facts), std::move(owningGenres), std::move(clock));
    }
}

std::size_t CQuizRun::RunLength() const { return std::min<std::size_t>(questionCount_, runList_.size()); }

void CQuizRun::Start() {
    if (recording_) {
        RecordedRun facts = recording_->Facts();
        facts.count = questionCount_;
        facts.hint = settings_.useHint != 0;
        facts.completeMode = settings_.completeMode != 0;
        facts.timeLimit = std::max(settings_.timeLimit, 0);
        recording_->Started(facts, rightCount_);
    }
    front_.StartCountdown();
    messageText_.clear();
    cursor_ = RunLength() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    current_ = nullptr;
    remainingQuestions_ = static_cast<int>(std::min<unsigned>(questionCount_, INT_MAX));
    form_ = QuizForm::One;
    slotShown_.fill(false);
    rightCount_ = 0;
    helped_ = false;
    active_ = 1;
    PresentNext();
}

void CQuizRun::PresentNext() {
    current_ = nullptr;
    while (cursor_ && !current_) {
        currentIndex_ = *cursor_;
        current_ = runList_[*cursor_];
        cursor_ = *cursor_ + 1 < RunLength() ? std::optional<std::size_t>(*cursor_ + 1) : std::nullopt;
    }
    explanation_.clear();
    remainingAnswers_ = 0;
    givenAnswers_.clear();
    slotShown_.fill(false);
    for (std::string& text : slotText_) text.clear();
    if (!current_) {
        questionText_.clear();
        return;
    }
    questionText_ = current_->GetText();  // also starts the question afresh
    if (recording_) recording_->Shown();
    const int required = current_->GetRequired();
    if (required >= 2) {
        form_ = QuizForm::Several;
        remainingAnswers_ = required;
    } else if (required >= 0) {
        // A count of 0 is asked like one answer: judging types it, and a choice panel would
        // offer the first answer as right only by accident of its position.
        form_ = QuizForm::One;
    } else {
        form_ = QuizForm::Choice;
        BuildChoices();
    }
}

void CQuizRun::BuildChoices() {
    const auto& answers = current_->GetAnswers();
    const int k = static_cast<int>(std::min<std::size_t>(answers.size(), kSlots));
    std::array<int, kSlots> slotOf{0, 1, 2, 3, 4};
    for (int i = 0; i < k; ++i) std::swap(slotOf[i], slotOf[ProgramRandom().Next() % k]);
    for (int i = 0; i < k; ++i) {
        slotShown_[slotOf[i]] = true;
        slotText_[slotOf[i]] = answers[i].GetText();
    }
}

SubmitOutcome CQuizRun::Submit(std::string_view answer) {
    if (active_ == 0 || !current_) return SubmitOutcome::Ignored;

    CQuestion* question = current_;
    SubmitOutcome outcome;
    std::string answerList;
    switch (question->CheckAnswer(answer)) {
        case CQuestion::kNewlyGiven:
            // A count of 0 would never be reached by giving answers: the first right one completes it.
            if (question->IsComplete() || question->GetRequired() == 0) {
                outcome = SubmitOutcome::Complete;
                answerList = question->GetAnswerText(1);
            } else {
                outcome = SubmitOutcome::Partial;
            }
            break;
        case CQuestion::kAlreadyGiven:
            outcome = SubmitOutcome::AlreadyGiven;
            break;
        default:
            outcome = SubmitOutcome::Wrong;
            answerList = question->GetAnswerText(0);
            break;
    }
    if (outcome == SubmitOutcome::Partial) {
        --remainingAnswers_;
        if (!givenAnswers_.empty()) givenAnswers_ += ',';
        givenAnswers_ += answer;
        return outcome;
    }
    if (outcome == SubmitOutcome::AlreadyGiven) return outcome;
    RecordJudged(outcome, answer);

    explanation_ = question->GetExplanation();
    current_ = nullptr;
    const bool completeMode = settings_.completeMode != 0;
    if (outcome == SubmitOutcome::Complete) {
        if (!helped_) ++rightCount_;
        helped_ = false;
        messageText_ = RightText();
        if (!answerList.empty()) {
            messageText_ += kLineBreak;
            messageText_ += OthersText();
            messageText_ += kLineBreak;
            messageText_ += answerList;
        }
    } else {
        messageText_ = WrongText();
        messageText_ += kLineBreak;
        messageText_ += AnswerLabel();
        messageText_ += kLineBreak;
        messageText_ += answerList;
        if (completeMode) {
            helped_ = true;
            // Step back so that the same question comes again, also when it was the last.
            cursor_ = cursor_ ? *cursor_ - 1 : RunLength() - 1;
        }
    }
    if (!explanation_.empty()) {
        messageText_ += kLineBreak;
        messageText_ += kLineBreak;
        messageText_ += ExplanationLabel();
        messageText_ += kLineBreak;
        messageText_ += explanation_;
    }

    if (!cursor_) {
        front_.StopCountdown();
        Finish();
    } else if (outcome == SubmitOutcome::Wrong && completeMode) {
        PresentNext();
    } else {
        --remainingQuestions_;
        helped_ = false;
        PresentNext();
    }
    return outcome;
}

void CQuizRun::RecordJudged(SubmitOutcome outcome, std::string_view answer) {
    if (!recording_) return;
    // The texts given for the question, as the several-answers line shows them, and the last.
    std::string given = givenAnswers_;
    if (!given.empty()) given += ',';
    given += answer;
    const AnswerOutcome recorded = outcome == SubmitOutcome::Wrong ? AnswerOutcome::Wrong
                                   : helped_                       ? AnswerOutcome::RightAfterHint
                                                                   : AnswerOutcome::Right;
    recording_->Judged(currentIndex_, questionText_, form_, recorded, std::move(given));
}

void CQuizRun::TimeOut() {
    if (!recording_) return;  // the record takes it only while a run is open
    if (current_) recording_->Judged(currentIndex_, questionText_, form_, AnswerOutcome::TimeOut, std::string());
    recording_->Ended(RunEnding::TimeOut, rightCount_);
}

void CQuizRun::Stop(RunEnding ending) {
    if (recording_) recording_->Ended(ending, rightCount_);  // nothing once the run has ended
}

CQuizRun::HintResult CQuizRun::Hint(std::string_view typed) {
    if (!current_) return {std::string(), 0};
    helped_ = true;
    const std::string target = current_->GetHintAnswer(typed);
    std::size_t n = 0;
    if (target.compare(0, typed.size(), typed) == 0 && typed.size() <= target.size()) {
        n = typed.size() < target.size() ? typed.size() + cp932::CharLength(target, typed.size()) : typed.size();
    } else if (!target.empty()) {
        n = cp932::CharLength(target, 0);
    }
    return {target.substr(0, n), n};
}

void CQuizRun::Finish() {
    if (active_ != 1) return;  // a run ends once; a second call would enter its result twice
    // Recorded before the windows of the end, which wait on the learner; after a time-out the
    // run's end is recorded already.
    if (recording_) recording_->Ended(RunEnding::Finished, rightCount_);
    CRankTable* rankTable = settings_.GetRankTable();
    const int questions = static_cast<int>(std::min<unsigned>(questionCount_, INT_MAX));
    const int right = static_cast<int>(std::min<unsigned>(rightCount_, INT_MAX));
    int position = -1;
    // A review run is no random draw: its rate says nothing against the table's.
    if (rankTable && questionCount_ >= kRankedMinimum && !review_) position = rankTable->FindPosition(questions, right);

    if (position >= 1) {
        std::string name = front_.AskName(position, GetRateText());
        if (name.empty()) name = "(no-name)";
        rankTable->AddResult(position, name, questions, right);
        front_.ShowScoreTable(position);
    } else if (rightCount_ == questionCount_) {
        front_.ShowSummary("全問正解 !! おめでとう。", "全問正解");
    } else {
        front_.ShowSummary("正答率 : " + GetRateText(), "おしまい");
    }
    active_ = 0;
}

std::string CQuizRun::GetRateText() const {
    const double rate = questionCount_ > 0 ? static_cast<double>(rightCount_) / questionCount_ * 100.0 : 0.0;
    // As "%3.2f %s" with "%" gives it, but always with a decimal point: the windows set the
    // C locale from the environment, where printf could write a comma.
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed, 2);
    return std::string(text, result.ptr) + " %";
}

bool CQuizRun::IsSlotShown(int slot) const { return slot >= 0 && slot < kSlots && slotShown_[slot]; }

const std::string& CQuizRun::GetSlotText(int slot) const {
    return slot >= 0 && slot < kSlots ? slotText_[slot] : kEmpty;
}
