#pragma once
// The words the record stores for forms, outcomes and endings; `pellora-wl history` prints
// the same words.
#include <optional>
#include <string_view>

#include "quiz/answer_recorder.h"

std::string_view FormName(QuizForm form);             // "one", "several", "choice"
std::string_view OutcomeName(AnswerOutcome outcome);  // "right", "hint", "wrong", "timeout"
std::string_view EndingName(RunEnding ending);        // "finished", "aborted", "timeout", "closed"
QuizForm FormOfName(std::string_view name);           // unknown words read as the first value
AnswerOutcome OutcomeOfName(std::string_view name);
std::optional<RunEnding> EndingOfName(std::string_view name);  // none for an unknown word
