#include "record/leitner.h"

#include <algorithm>

LeitnerState NextLeitnerState(int box, AnswerOutcome outcome, std::chrono::sys_days today) {
    using std::chrono::days;
    switch (outcome) {
    case AnswerOutcome::Right: {
        const int up = std::clamp(box + 1, 1, kTopBox);
        return {up, today + days{1 << (up - 1)}};
    }
    case AnswerOutcome::RightAfterHint:
        return {std::clamp(box, 1, kTopBox), today + days{1}};
    case AnswerOutcome::Wrong:
    case AnswerOutcome::TimeOut:
        break;
    }
    return {1, today};
}
