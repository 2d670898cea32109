#include "record/record_names.h"

#include <array>
#include <type_traits>
#include <utility>

namespace {

constexpr std::array kForms = {std::pair{QuizForm::One, "one"}, std::pair{QuizForm::Several, "several"},
                               std::pair{QuizForm::Choice, "choice"}};
constexpr std::array kOutcomes = {
    std::pair{AnswerOutcome::Right, "right"}, std::pair{AnswerOutcome::RightAfterHint, "hint"},
    std::pair{AnswerOutcome::Wrong, "wrong"}, std::pair{AnswerOutcome::TimeOut, "timeout"}};
constexpr std::array kEndings = {
    std::pair{RunEnding::Finished, "finished"}, std::pair{RunEnding::Aborted, "aborted"},
    std::pair{RunEnding::TimeOut, "timeout"}, std::pair{RunEnding::Closed, "closed"}};

template <typename Table, typename Value>
std::string_view NameOf(const Table& table, Value value) {
    for (const auto& [known, name] : table)
        if (known == value) return name;
    return table[0].second;
}

template <typename Table>
auto ValueOf(const Table& table, std::string_view name) -> std::optional<std::remove_cvref_t<decltype(table[0].first)>> {
    for (const auto& [known, word] : table)
        if (word == name) return known;
    return std::nullopt;
}

}  // namespace

std::string_view FormName(QuizForm form) { return NameOf(kForms, form); }
std::string_view OutcomeName(AnswerOutcome outcome) { return NameOf(kOutcomes, outcome); }
std::string_view EndingName(RunEnding ending) { return NameOf(kEndings, ending); }
QuizForm FormOfName(std::string_view name) { return ValueOf(kForms, name).value_or(kForms[0].first); }
AnswerOutcome OutcomeOfName(std::string_view name) { return ValueOf(kOutcomes, name).value_or(kOutcomes[0].first); }
std::optional<RunEnding> EndingOfName(std::string_view name) { return ValueOf(kEndings, name); }
