#pragma once
// The review run: the weak questions of the selected genres, drawn from the record's state
// instead of at random.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CGenre;
class CPrompt;
class CQuestion;
class CWordList;

// Box and due date of every question the record has seen, looked up by (genre name, question
// text), both CP932 bytes. An open-addressing table over one block of keys: a review of a
// large list looks up every question, and each lookup should touch as little memory as it can.
class CQuestionStates {
public:
    struct State {
        int box = 0;
        std::chrono::sys_days due{};
    };
    // Room for questions whose genre names and texts come to textBytes in all.
    void Reserve(std::size_t questions, std::size_t textBytes);
    void Add(std::string_view genre, std::string_view question, State state);
    const State* Find(std::string_view genre, std::string_view question) const;
    std::size_t Size() const { return size_; }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;  // of the key in keys_
        std::uint32_t length = 0;  // 0: the slot is free (no key is empty)
        State state;
    };
    Slot* Lookup(std::string_view key, std::uint64_t hash) const;  // the key's slot, or the free one where it goes
    void Grow();

    mutable std::string scratch_;  // the key of the last lookup, reused
    std::string keys_;
    std::vector<Slot> slots_;  // a power of two long, at most half full
    std::size_t size_ = 0;
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
