#pragma once
// The main window's part in a run, without the window: counting the selected genres, checking
// the per-run count the learner types, and drawing the run list at random.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CGenre;
class CQuestion;
class CPrompt;
class CRandom;
class CRankTable;
class CWordList;

struct CSelectionCount {
    int total = 0;  // saturates at INT32_MAX
    std::vector<CGenre*> genres;
};

// Counting the selection: selectedTexts are the texts of the selected genre-list lines in list
// order (CP932). Each text stands for the first genre of that name; texts that find none count
// nothing. Duplicates count twice.
CSelectionCount CountSelection(const CWordList& list, const std::vector<std::string>& selectedTexts);

// Counting's last step: when total < perRunCount, the count becomes total but no less than 1.
int LowerRunCount(int total, int perRunCount);

// The per-run edit check as a pure function: value, and whether the text must be replaced by
// the value in decimal.
struct CRunCountCheck {
    int value = 0;
    bool corrected = false;
};
CRunCountCheck CheckRunCountText(std::string_view runText, std::string_view totalText);

// The most questions one run may hold; a larger draw is refused like one whose memory cannot
// be had (a run list of that size could not be worked through anyway).
inline constexpr int kMaxRunQuestions = 1 << 24;

// The first count values of the permutation of 0..total-1 made by
//   p[i] = i; for i in 0..total-1: j = random.Next() % total; swap p[i], p[j].
// Draws exactly total numbers from random, like the whole permutation, but holds only
// max(count, 32768) values: a draw never exceeds 32767, so a position from 32768 on is touched
// only once, at its own step. Throws std::bad_alloc / std::length_error when memory is short.
std::vector<int> MakePermutationHead(int total, int count, CRandom& random);

// What every start does first: the "ジャンル未選択" message when nothing is selected, then the
// selection counted and perRunCount lowered to it. None when there is nothing to ask.
std::optional<CSelectionCount> CountForRun(CPrompt& owner, const CWordList& list,
                                           const std::vector<std::string>& selectedTexts, int& perRunCount);

// Preparing a run: the "ジャンル未選択" message when selectedTexts is empty; counting (lowering
// perRunCount); the permutation with ProgramRandom(); the run list via FindQuestionByIndex;
// SelectList on rankTable (may be null). 1 on success, 0 on failure (a draw whose memory
// cannot be had fails with a clear message, never crashes).
int PrepareRun(CPrompt& owner, const CWordList& list, const std::vector<std::string>& selectedTexts,
               int& perRunCount, std::vector<CQuestion*>& runList, CRankTable* rankTable);
