#pragma once
// Finding the questions of a fixed selection of genres by index, fast enough for large draws.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

class CGenre;
class CQuestion;

// Finds the questions of a fixed selection of genres by index as FindQuestionByIndex does
// (the same question for every index, null where it gives none), with a binary search per
// level of nesting instead of a walk over every entry. All indices of a draw descend together,
// sorted, so a level is searched once per group of indices that pass through it rather than
// once per index: a chain of nested genres costs its depth once, not once per question.
// Genres must not change while it lives.
class CQuestionIndex {
public:
    explicit CQuestionIndex(std::span<CGenre* const> genres);
    // The question of each index (from 0), in the same order; null for a negative one.
    std::vector<CQuestion*> FindAll(std::span<const int> indices);

private:
    struct Span {
        std::int64_t end;     // the running count after this entry
        std::int64_t length;  // 1 for a question, the genre's total for a genre
        CQuestion* question;  // a question entry, or null for a genre
        const CGenre* genre;
    };
    // The entries of one genre (or the selection itself) with their running counts. reach[i] is
    // the highest running count among spans 0..i: the walk stops at the first span whose count
    // reaches n, which is the first whose reach does, so a binary search finds it even where a
    // negative total makes the counts fall.
    struct Level {
        std::vector<Span> spans;
        std::vector<std::int64_t> reach;
        void Add(std::int64_t length, CQuestion* question, const CGenre* genre);
    };
    const Level& LevelOf(const CGenre* genre);

    Level top_;
    std::unordered_map<const CGenre*, Level> levels_;
};
