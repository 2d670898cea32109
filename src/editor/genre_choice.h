#pragma once
// Which genres the genre dialog offers when a genre is to be included in another one.
#include <string_view>
#include <vector>

class CGenre;
class CWordList;

// Every genre of list, in list order, except the receiving genre (the first one named
// receivingGenre) and the genres it already includes directly. A genre reached only through
// another child, and one that includes the receiving genre, are offered.
std::vector<const CGenre*> OfferedChildGenres(const CWordList& list, std::string_view receivingGenre);
