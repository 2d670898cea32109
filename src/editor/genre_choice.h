#pragma once
// Which genres the genre dialog offers when a genre is to be included in another one.
#include <string_view>
#include <vector>

class CGenre;
class CWordList;

// Every genre of list, in list order, except the receiving genre (the first one named
// receivingGenre), the genres it already includes directly, and every genre that includes it,
// directly or through others. A genre reached only through another child is offered.
std::vector<const CGenre*> OfferedChildGenres(const CWordList& list, std::string_view receivingGenre);
