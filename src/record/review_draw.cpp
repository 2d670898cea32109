#include "record/review_draw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "app/run_drawing.h"
#include "platform/prompt.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"

namespace {

// Genre and question joined so that no two pairs give one key: the genre's length comes first.
void MakeKey(std::string& key, std::string_view genre, std::string_view question) {
    const auto length = static_cast<std::uint32_t>(genre.size());
    key.assign(reinterpret_cast<const char*>(&length), sizeof length);
    key.append(genre);
    key.append(question);
}

struct Candidate {
    CQuestion* question;
    const CGenre* owner;
};

// Every question of the genres once per genre, in the order FindQuestionByIndex counts them; a
// genre reached a second time (a child selected beside its parent, a child listed twice)
// holds nothing new and is skipped, so deep sharing costs nothing.
template <typename Visit>
void WalkQuestions(std::span<CGenre* const> genres, Visit visit) {
    std::unordered_set<const CGenre*> seen;
    struct Frame {
        const CGenre* genre;
        std::size_t next;
    };
    std::vector<Frame> stack;
    for (const CGenre* top : genres) {
        if (!seen.insert(top).second) continue;
        stack.push_back({top, 0});
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& entries = frame.genre->GetEntries();
            if (frame.next == entries.size()) {
                stack.pop_back();
                continue;
            }
            const CGenreEntry& entry = entries[frame.next++];
            if (CQuestion* question = entry.GetQuestion()) {
                visit(Candidate{question, frame.genre});
            } else if (const CGenre* child = entry.GetChild(); child && seen.insert(child).second) {
                stack.push_back({child, 0});  // invalidates frame
            }
        }
    }
}

void TellNothingToReview(CPrompt& owner, std::optional<std::chrono::sys_days> nextDue) {
    std::string text = "復習する問題はありません。";
    if (nextDue) {
        const std::chrono::year_month_day date{*nextDue};
        char day[16];
        std::snprintf(day, sizeof day, "%04d/%02u/%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        text += "\r\n次の問題は " + std::string(day) + " に復習できます。";
    }
    owner.ShowMessage(text, "復習", PromptIcon::Information, PromptButtons::Ok);
}

}  // namespace

void CQuestionStates::Reserve(std::size_t questions, std::size_t textBytes) {
    keys_.reserve(textBytes + questions * sizeof(std::uint32_t));
    std::size_t wanted = 16;
    while (wanted < 2 * questions) wanted *= 2;
    if (wanted > slots_.size()) {
        std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(wanted));
        for (const Slot& slot : old)
            if (slot.length) *Lookup(std::string_view(keys_).substr(slot.offset, slot.length), slot.hash) = slot;
    }
}

void CQuestionStates::Grow() { Reserve(std::max<std::size_t>(size_ * 2, 8), keys_.size()); }

CQuestionStates::Slot* CQuestionStates::Lookup(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.length || (slot.hash == hash && std::string_view(keys_).substr(slot.offset, slot.length) == key))
            return const_cast<Slot*>(&slot);
    }
}

void CQuestionStates::Add(std::string_view genre, std::string_view question, State state) {
    if (2 * (size_ + 1) > slots_.size()) Grow();
    MakeKey(scratch_, genre, question);
    const std::uint64_t hash = std::hash<std::string_view>{}(scratch_);
    Slot* slot = Lookup(scratch_, hash);
    if (!slot->length) {
        *slot = {hash, static_cast<std::uint32_t>(keys_.size()), static_cast<std::uint32_t>(scratch_.size()), state};
        keys_ += scratch_;
        ++size_;
    }
    slot->state = state;
}

const CQuestionStates::State* CQuestionStates::Find(std::string_view genre, std::string_view question) const {
    if (slots_.empty()) return nullptr;
    MakeKey(scratch_, genre, question);
    const Slot* slot = Lookup(scratch_, std::hash<std::string_view>{}(scratch_));
    return slot->length ? &slot->state : nullptr;
}

ReviewDraw DrawReview(std::span<CGenre* const> genres, int count, const CQuestionStates& states,
                      std::chrono::sys_days today) {
    struct Due {
        int box;
        std::chrono::sys_days due;
        std::size_t place;
    };
    std::vector<Candidate> candidates;  // every question, in list order
    std::vector<Due> due;
    std::vector<std::size_t> fresh;
    std::optional<std::chrono::sys_days> nextDue;
    WalkQuestions(genres, [&](const Candidate& candidate) {
        const std::size_t place = candidates.size();
        candidates.push_back(candidate);
        const auto* state = states.Find(candidate.owner->GetName(), candidate.question->PeekText());
        if (!state) {
            fresh.push_back(place);
        } else if (state->due <= today) {
            due.push_back({state->box, state->due, place});
        } else if (!nextDue || state->due < *nextDue) {
            nextDue = state->due;
        }
    });
    std::sort(due.begin(), due.end(),
              [](const Due& a, const Due& b) { return std::tie(a.box, a.due, a.place) < std::tie(b.box, b.due, b.place); });

    ReviewDraw draw;
    const std::size_t wanted = static_cast<std::size_t>(std::max(count, 0));
    // Two questions of one text in genres of one name are one question of the record.
    std::unordered_set<std::string> taken;
    std::string key;
    auto take = [&](std::size_t place) {
        const Candidate& candidate = candidates[place];
        MakeKey(key, candidate.owner->GetName(), candidate.question->PeekText());
        if (taken.insert(key).second) draw.questions.push_back(candidate.question);
    };
    for (std::size_t i = 0; i < due.size() && draw.questions.size() < wanted; ++i) take(due[i].place);
    for (std::size_t i = 0; i < fresh.size() && draw.questions.size() < wanted; ++i) take(fresh[i]);
    if (draw.questions.empty()) draw.nextDue = nextDue;
    return draw;
}

int PrepareReviewRun(CPrompt& owner, const CWordList& list, const std::vector<std::string>& selectedTexts,
                     int& perRunCount, std::vector<CQuestion*>& runList, const CQuestionStates& states,
                     std::chrono::sys_days today) {
    const std::optional<CSelectionCount> selection = CountForRun(owner, list, selectedTexts, perRunCount);
    if (!selection) return 0;
    ReviewDraw draw = DrawReview(selection->genres, perRunCount, states, today);
    if (draw.questions.empty()) {
        TellNothingToReview(owner, draw.nextDue);
        return 0;
    }
    runList = std::move(draw.questions);
    return 1;
}
