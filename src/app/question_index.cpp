#include "app/question_index.h"

#include <algorithm>

#include "wordlist/genre.h"

void CQuestionIndex::Level::Add(std::int64_t length, CQuestion* question, const CGenre* genre) {
    const std::int64_t end = (spans.empty() ? 0 : spans.back().end) + length;
    spans.push_back({end, length, question, genre});
    reach.push_back(reach.empty() ? end : std::max(reach.back(), end));
}

CQuestionIndex::CQuestionIndex(std::span<CGenre* const> genres) {
    for (CGenre* genre : genres)
        if (genre) top_.Add(genre->GetTotal(), nullptr, genre);
}

const CQuestionIndex::Level& CQuestionIndex::LevelOf(const CGenre* genre) {
    auto [it, inserted] = levels_.try_emplace(genre);
    if (inserted) {
        Level& level = it->second;
        level.spans.reserve(genre->GetEntries().size());
        level.reach.reserve(genre->GetEntries().size());
        for (const CGenreEntry& entry : genre->GetEntries()) {
            if (entry.GetKind() == CGenreEntry::kQuestion)
                level.Add(1, entry.GetQuestion(), nullptr);
            else if (entry.GetKind() == CGenreEntry::kChild && entry.GetChild())
                level.Add(entry.GetChild()->GetTotal(), nullptr, entry.GetChild());
        }
    }
    return it->second;
}

CQuestion* CQuestionIndex::FindIn(const Level& start, std::int64_t n) {
    // n counts from 1 inside the level; the walk descends one genre per step.
    const Level* level = &start;
    for (;;) {
        auto it = std::lower_bound(level->reach.begin(), level->reach.end(), n);
        if (it == level->reach.end()) return nullptr;  // a total above the questions it holds
        const Span& slot = level->spans[static_cast<std::size_t>(it - level->reach.begin())];
        if (slot.question) return slot.question;
        n -= slot.end - slot.length;
        level = &LevelOf(slot.genre);
    }
}

CQuestion* CQuestionIndex::Find(int index) {
    if (index < 0) return nullptr;
    return FindIn(top_, static_cast<std::int64_t>(index) + 1);
}
