#include "editor/genre_choice.h"

#include <gtest/gtest.h>

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

// "A>B>C" is a genre A including B and C; children are looked up when their genre is added,
// so a child named before its genre exists stays pending.
std::string Offered(std::vector<std::string> genres, std::string receiving) {
    CWordList list;
    for (const std::string& spec : genres) {
        const std::size_t mark = spec.find('>');
        CGenre* genre = list.AddGenre(std::make_unique<CGenre>(spec.substr(0, mark)));
        for (std::size_t at = mark; at != std::string::npos;) {
            const std::size_t next = spec.find('>', at + 1);
            genre->AddChildByName(list, spec.substr(at + 1, next - at - 1));
            at = next;
        }
    }
    std::string names;
    for (const CGenre* genre : OfferedChildGenres(list, receiving)) names += genre->GetName() + " ";
    return names;
}

TEST(GenreChoice, OffersAllButTheReceivingGenreAndItsDirectChildren) {
    const struct {
        std::vector<std::string> genres;
        std::string receiving;
        std::string offered;
    } cases[] = {
        {{"D", "B", "A>B", "C"}, "A", "D C "},
        {{"A", "B>A", "C"}, "A", "B C "},                  // a genre including the receiving one
        {{"C", "B>C", "A>B"}, "A", "C "},                  // reached only through B
        {{"B", "C", "A>C>B"}, "A", ""},                    // everything included already
        {{"A>B", "B", "A"}, "A", "B A "},                  // B still pending; the second A is another genre
        {{"A", "B"}, "X", "A B "},
    };
    for (const auto& c : cases) EXPECT_EQ(Offered(c.genres, c.receiving), c.offered) << c.genres.back();
}

}  // namespace
