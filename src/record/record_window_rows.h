#pragma once
// What the record window reads of one word list's record: its runs as points of the progress
// chart, and the state of its questions a page at a time, in the order and under the filter
// the learner chose.
#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// One ended run of the progress chart.
struct ProgressPoint {
    std::int64_t run = 0;
    std::time_t started = 0;  // UTC
    unsigned count = 0;
    unsigned right = 0;
    double rate = 0;  // per cent
    bool review = false;
};

// The weak-question table's columns, in the order shown.
enum class WeakColumn { Genre, Question, Box, Right, Wrong, Last, Due };

struct WeakQuestionQuery {
    WeakColumn column = WeakColumn::Box;  // by box, then the most wrong answers first
    bool descending = false;
    std::string filter;  // CP932; a row matches when its genre or question holds it
    std::optional<std::chrono::sys_days> dueBy;  // only questions due by then
};
