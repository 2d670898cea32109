#include "editor/genre_choice.h"

#include <algorithm>
#include <functional>

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

std::vector<const CGenre*> OfferedChildGenres(const CWordList& list, std::string_view receivingGenre) {
    std::vector<const CGenre*> excluded;
    const auto& genres = list.GetGenres();
    const auto receiving = std::find_if(genres.begin(), genres.end(),
                                        [&](const auto& genre) { return genre->GetName() == receivingGenre; });
    if (receiving != genres.end()) {
        excluded.push_back(receiving->get());
        // Entries still waiting for their genre point at nothing yet.
        for (const CGenreEntry& entry : (*receiving)->GetEntries())
            if (entry.GetKind() == CGenreEntry::kChild) excluded.push_back(entry.GetChild());
    }
    std::sort(excluded.begin(), excluded.end(), std::less<>());
    std::vector<const CGenre*> offered;
    for (const auto& genre : genres) {
        if (std::binary_search(excluded.begin(), excluded.end(), genre.get(), std::less<>())) continue;
        // A genre that reaches the receiving one (or shares its name, as links are by name)
        // would close a loop, which copying or reading the list drops.
        if (receiving != genres.end() && genre->ExcludesGenre(receivingGenre) == 0) continue;
        offered.push_back(genre.get());
    }
    return offered;
}
