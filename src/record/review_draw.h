#pragma once
// The review run: the weak questions of the selected genres, drawn from the record's state
// instead of at random.
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CGenre;
class CPrompt;
class CQuestion;
class CWordList;

// Box and due date of every question the record has seen, looked up by (genre name, question
// text), both CP932 bytes. Loaded once per draw.
class CQuestionStates {
public:
    struct State {
        int box = 0;
        std::chrono::sys_days due{};
    };
    void Add(std::string_view genre, std::string_view question, State state);
    const State* Find(std::string_view genre, std::string_view question) const;
    std::size_t Size() const { return states_.size(); }
    void Reserve(std::size_t count) { states_.reserve(count); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    mutable std::string scratch_;  // the key of the last lookup, reused
    std::unordered_map<std::string, State, Hash, std::equal_to<>> states_;
};

struct ReviewDraw {
    std::vector<CQuestion*> questions;
    // When nothing is due and nothing is new: the earliest date a question of the selection
    // falls due again.
    std::optional<std::chrono::sys_days> nextDue;
};

// Up to count questions of the genres (each question once, child genres included): those due
// by today first (lowest box, then the longest overdue, then list order), then never-answered
// ones in list order.
ReviewDraw DrawReview(std::span<CGenre* const> genres, int count, const CQuestionStates& states,
                      std::chrono::sys_days today);

// Preparing a review run as PrepareRun prepares a normal one (the same refusals and the same
// lowering of perRunCount), with the run list from DrawReview. When nothing is due and nothing
// is new, says so with the next due date (caption "復習") and fails. 1 on success, 0 on failure.
int PrepareReviewRun(CPrompt& owner, const CWordList& list, const std::vector<std::string>& selectedTexts,
                     int& perRunCount, std::vector<CQuestion*>& runList, const CQuestionStates& states,
                     std::chrono::sys_days today);
