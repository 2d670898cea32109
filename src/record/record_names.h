#pragma once
// The words `pellora-wl history` prints for forms, outcomes and endings, and the codes the
// record stores for them (which never change once written).
#include <optional>
#include <string_view>

#include "quiz/answer_recorder.h"

std::string_view FormName(QuizForm form);             // "one", "several", "choice"
std::string_view OutcomeName(AnswerOutcome outcome);  // "right", "hint", "wrong", "timeout"
std::string_view EndingName(RunEnding ending);        // "finished", "aborted", "timeout", "closed"

int FormCode(QuizForm form);  // 0, 1, 2 in the order above
int OutcomeCode(AnswerOutcome outcome);
int EndingCode(RunEnding ending);
QuizForm FormOfCode(int code);  // an unknown code reads as the first value
AnswerOutcome OutcomeOfCode(int code);
std::optional<RunEnding> EndingOfCode(int code);  // none for an unknown code
