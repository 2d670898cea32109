#pragma once
// A quiz front that shows nothing: it records what a run asked of its window, in order, and
// answers the name entry with a queued name.
#include <deque>
#include <string>
#include <vector>

#include "quiz/quiz_run.h"

class CRecordingFront : public CQuizFront {
public:
    struct Summary {
        std::string text;
        std::string caption;
    };

    void StartCountdown() override { calls.push_back("start countdown"); }
    void StopCountdown() override { calls.push_back("stop countdown"); }
    std::string AskName(int position, const std::string& rateText) override {
        calls.push_back("ask name " + std::to_string(position) + " " + rateText);
        if (names.empty()) return std::string();
        std::string name = names.front();
        names.pop_front();
        return name;
    }
    void ShowScoreTable(int position) override { calls.push_back("score table " + std::to_string(position)); }
    void ShowSummary(const std::string& text, const std::string& caption) override {
        calls.push_back("summary");
        summaries.push_back({text, caption});
    }

    std::deque<std::string> names;
    std::vector<std::string> calls;
    std::vector<Summary> summaries;
};
