#include "quiz/owning_genres.h"

#include <cstddef>
#include <unordered_map>

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

std::vector<std::string> OwningGenreNames(const CWordList& list, std::span<CQuestion* const> runList) {
    std::vector<std::string> names(runList.size());
    std::unordered_multimap<const CQuestion*, std::size_t> places;  // a question may be drawn twice
    places.reserve(runList.size());
    for (std::size_t i = 0; i < runList.size(); ++i)
        if (runList[i]) places.emplace(runList[i], i);
    std::size_t left = places.size();
    for (const auto& genre : list.GetGenres()) {
        for (const CGenreEntry& entry : genre->GetEntries()) {
            if (left == 0) return names;
            const CQuestion* question = entry.GetQuestion();
            if (!question) continue;
            auto [first, last] = places.equal_range(question);
            for (auto it = first; it != last; ++it, --left) names[it->second] = genre->GetName();
        }
    }
    return names;
}
