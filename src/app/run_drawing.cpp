#include "app/run_drawing.h"

#include <algorithm>
#include <climits>
#include <new>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "app/question_index.h"
#include "platform/c_runtime.h"
#include "platform/prompt.h"
#include "platform/random.h"
#include "score/rank_table.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

// A draw never exceeds this, so only the permutation's first positions are ever swap targets.
constexpr int kDrawRange = 32768;

void TellTooMany(CPrompt& owner) {
    owner.ShowMessage("問題数が多すぎるため、出題を準備できませんでした。", "Harbor Lessons", PromptIcon::Exclamation,
                      PromptButtons::Ok);
}

void TellNoSelection(CPrompt& owner) {
    owner.ShowMessage("ジャンルを選択してからスタートしてください。", "ジャンル未選択", PromptIcon::Exclamation,
                      PromptButtons::Ok);
}

}  // namespace

CSelectionCount CountSelection(const CWordList& list, const std::vector<std::string>& selectedTexts) {
    CSelectionCount count;
    std::int64_t total = 0;
    for (const std::string& text : selectedTexts) {
        CGenre* genre = list.FindGenre(text);
        if (!genre) continue;
        count.genres.push_back(genre);
        total += genre->GetTotal();
    }
    // Nested genres multiply quickly; a sum beyond int is held at its limit, which still bounds
    // every index drawn from it.
    count.total = static_cast<int>(std::clamp<std::int64_t>(total, INT_MIN, INT_MAX));
    return count;
}

int LowerRunCount(int total, int perRunCount) {
    return total < perRunCount ? std::max(total, 1) : perRunCount;
}

CRunCountCheck CheckRunCountText(std::string_view runText, std::string_view totalText) {
    CRunCountCheck check;
    std::int64_t value = 0;
    bool overflow = false;
    std::size_t pos = 0;
    for (; pos < runText.size() && runText[pos] >= '0' && runText[pos] <= '9'; ++pos) {
        value = value * 10 + (runText[pos] - '0');
        if (value > INT_MAX) {
            overflow = true;
            value = INT_MAX;  // keeps the product in range; the value is dropped anyway
        }
    }
    check.corrected = pos < runText.size();

    // The total box holds what counting wrote, a plain decimal number; it is never below 0.
    const std::int64_t maximum = std::max(crt::Atoi(totalText), 0);

    if (overflow) {
        value = 0;
        check.corrected = true;
    } else if (value > maximum) {
        value = maximum;
        check.corrected = true;
    }
    check.value = static_cast<int>(value);
    return check;
}

std::vector<int> MakePermutationHead(int total, int count, CRandom& random) {
    if (total <= 0) return {};
    count = std::clamp(count, 0, total);
    const int headSize = std::min(total, kDrawRange);
    std::vector<int> head(static_cast<std::size_t>(headSize));
    std::iota(head.begin(), head.end(), 0);
    // Positions from headSize on still hold their own index when their step comes; the swap
    // gives them head[j] and never touches them again. Only those below count are kept.
    std::vector<int> tail(static_cast<std::size_t>(std::max(count - headSize, 0)));

    const unsigned divisor = static_cast<unsigned>(total);
    const bool drawFitsTotal = total >= kDrawRange;  // then r % total is r: spare the division
    for (int i = 0; i < total; ++i) {
        const unsigned r = static_cast<unsigned>(random.Next());
        const int j = static_cast<int>(drawFitsTotal ? r : r % divisor);
        if (i < headSize) {
            std::swap(head[i], head[j]);
        } else {
            if (i < count) tail[i - headSize] = head[j];
            head[j] = i;
        }
    }

    head.resize(static_cast<std::size_t>(std::min(count, headSize)));
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::optional<CSelectionCount> CountForRun(CPrompt& owner, const CWordList& list,
                                           const std::vector<std::string>& selectedTexts, int& perRunCount) {
    if (selectedTexts.empty()) {
        TellNoSelection(owner);
        return std::nullopt;
    }
    CSelectionCount selection = CountSelection(list, selectedTexts);
    perRunCount = LowerRunCount(selection.total, perRunCount);
    if (selection.total < 1 || perRunCount <= 0) return std::nullopt;
    return selection;
}

int PrepareRun(CPrompt& owner, const CWordList& list, const std::vector<std::string>& selectedTexts,
               int& perRunCount, std::vector<CQuestion*>& runList, CRankTable* rankTable) {
    const std::optional<CSelectionCount> counted = CountForRun(owner, list, selectedTexts, perRunCount);
    if (!counted) return 0;
    const CSelectionCount& selection = *counted;
    if (perRunCount > kMaxRunQuestions) {
        TellTooMany(owner);
        return 0;
    }

    std::vector<CQuestion*> drawn;
    try {
        const std::vector<int> order = MakePermutationHead(selection.total, perRunCount, ProgramRandom());
        CQuestionIndex index(selection.genres);
        drawn = index.FindAll(order);
        // Only a genre whose cached total exceeds its questions finds none; such a gap is left
        // out rather than asked.
        std::erase(drawn, nullptr);
    } catch (const std::bad_alloc&) {
        TellTooMany(owner);
        return 0;
    } catch (const std::length_error&) {
        TellTooMany(owner);
        return 0;
    }
    if (drawn.empty()) return 0;

    perRunCount = static_cast<int>(drawn.size());
    runList = std::move(drawn);
    if (rankTable) rankTable->SelectList(selectedTexts);
    return 1;
}
