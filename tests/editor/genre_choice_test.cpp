#include "editor/genre_choice.h"

#include <gtest/gtest.h>

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

// Genres as "A>B>C" (A includes B and C), added in order: a child named before its genre exists
// stays pending.
TEST(GenreChoice, OffersAllButTheReceivingGenreAndItsDirectChildren) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"D", "B", "A>B", "C"}, "D C "},
        {{"A", "B>A", "C"}, "B C "},  // a genre including A
        {{"C", "B>C", "A>B"}, "C "},  // reached only through B
        {{"B", "C", "A>C>B"}, ""},
        {{"A>B", "B", "A"}, "B A "},  // B still pending; the second A is another genre
        {{"X", "Y"}, "X Y "},
    };
    for (const auto& [genres, offeredForA] : cases) {
        CWordList list;
        for (const std::string& spec : genres) {
            CGenre* genre = list.AddGenre(std::make_unique<CGenre>(spec.substr(0, spec.find('>'))));
            for (std::size_t at = spec.find('>'); at != std::string::npos; at = spec.find('>', at + 1))
                genre->AddChildByName(list, spec.substr(at + 1, spec.find('>', at + 1) - at - 1));
        }
        std::string offered;
        for (const CGenre* genre : OfferedChildGenres(list, "A")) (offered += genre->GetName()) += ' ';
        EXPECT_EQ(offered, offeredForA) << genres.back();
    }
}

}  // namespace
