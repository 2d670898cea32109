#pragma once
// The Leitner boxes: where a question stands after an answer, and when it falls due again.
#include <chrono>

#include "quiz/answer_recorder.h"

inline constexpr int kTopBox = 5;

struct LeitnerState {
    int box = 0;  // 1 to kTopBox; 0 for a question never answered
    std::chrono::sys_days due{};
};

// A right answer moves one box up (at most kTopBox) and falls due after 1, 2, 4, 8 or 16 days
// for the new box; a right answer after a hint keeps the box and falls due tomorrow; a wrong
// answer or a time out goes back to box 1, due today. box 0 stands for a new question.
LeitnerState NextLeitnerState(int box, AnswerOutcome outcome, std::chrono::sys_days today);
