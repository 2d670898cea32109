#pragma once
// A question does not know the genre it sits in; the learning record wants that genre's name.
// One walk over the word list names the owner of every question of a run list at once.
#include <span>
#include <string>
#include <vector>

class CQuestion;
class CWordList;

// For each run-list question (by position), the name of the genre whose entries hold it (CP932);
// empty for a question the list does not hold. The walk stops once every question is named.
std::vector<std::string> OwningGenreNames(const CWordList& list, std::span<CQuestion* const> runList);
