#include "record/record_names.h"

#include <array>
#include <utility>

namespace {

// A value's code is its place in its table.
constexpr std::array kForms = {std::pair{QuizForm::One, "one"}, std::pair{QuizForm::Several, "several"},
                               std::pair{QuizForm::Choice, "choice"}};
constexpr std::array kOutcomes = {
    std::pair{AnswerOutcome::Right, "right"}, std::pair{AnswerOutcome::RightAfterHint, "hint"},
    std::pair{AnswerOutcome::Wrong, "wrong"}, std::pair{AnswerOutcome::TimeOut, "timeout"}};
constexpr std::array kEndings = {
    std::pair{RunEnding::Finished, "finished"}, std::pair{RunEnding::Aborted, "aborted"},
    std::pair{RunEnding::TimeOut, "timeout"}, std::pair{RunEnding::Closed, "closed"}};

template <typename Table, typename Value>
int CodeOf(const Table& table, Value value) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].first == value) return static_cast<int>(i);
    return 0;
}

template <typename Table>
bool Known(const Table& table, int code) {
    return code >= 0 && static_cast<std::size_t>(code) < table.size();
}

}  // namespace

std::string_view FormName(QuizForm form) { return kForms[FormCode(form)].second; }
std::string_view OutcomeName(AnswerOutcome outcome) { return kOutcomes[OutcomeCode(outcome)].second; }
std::string_view EndingName(RunEnding ending) { return kEndings[EndingCode(ending)].second; }
int FormCode(QuizForm form) { return CodeOf(kForms, form); }
int OutcomeCode(AnswerOutcome outcome) { return CodeOf(kOutcomes, outcome); }
int EndingCode(RunEnding ending) { return CodeOf(kEndings, ending); }
QuizForm FormOfCode(int code) { return kForms[Known(kForms, code) ? code : 0].first; }
AnswerOutcome OutcomeOfCode(int code) { return kOutcomes[Known(kOutcomes, code) ? code : 0].first; }
std::optional<RunEnding> EndingOfCode(int code) {
    if (!Known(kEndings, code)) return std::nullopt;
    return kEndings[code].first;
}
