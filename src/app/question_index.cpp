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

std::vector<CQuestion*> CQuestionIndex::FindAll(std::span<const int> indices) {
    std::vector<CQuestion*> found(indices.size(), nullptr);
    // Each wanted index counts from 1, with its place in the answer.
    std::vector<std::pair<std::int64_t, std::size_t>> wanted;
    wanted.reserve(indices.size());
    for (std::size_t place = 0; place < indices.size(); ++place)
        if (indices[place] >= 0) wanted.emplace_back(static_cast<std::int64_t>(indices[place]) + 1, place);
    std::sort(wanted.begin(), wanted.end());

    // A group of wanted indices [begin, end) inside one level; offset is what the levels above
    // took off, so an index n stands at n - offset in this level.
    struct Group {
        const Level* level;
        std::size_t begin, end;
        std::int64_t offset;
    };
    std::vector<Group> groups{{&top_, 0, wanted.size(), 0}};
    while (!groups.empty()) {
        const Group group = groups.back();
        groups.pop_back();
        const Level& level = *group.level;
        for (std::size_t first = group.begin; first < group.end;) {
            const auto it = std::lower_bound(level.reach.begin(), level.reach.end(), wanted[first].first - group.offset);
            if (it == level.reach.end()) break;  // a total above the questions it holds
            // Every later index up to this span's reach stops at the same span.
            const std::int64_t last = *it + group.offset;
            const std::size_t stop = static_cast<std::size_t>(
                std::upper_bound(wanted.begin() + first, wanted.begin() + group.end, last,
                                 [](std::int64_t n, const auto& entry) { return n < entry.first; }) -
                wanted.begin());
            const Span& slot = level.spans[static_cast<std::size_t>(it - level.reach.begin())];
            if (slot.question) {
                for (std::size_t i = first; i < stop; ++i) found[wanted[i].second] = slot.question;
            } else {
                groups.push_back({&LevelOf(slot.genre), first, stop, group.offset + slot.end - slot.length});
            }
            first = stop;
        }
    }
    return found;
}
