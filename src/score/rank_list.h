#pragma once
// One ranking: the list of genre names it belongs to and at most ten results, best first.
#include <string>
#include <vector>

#include "score/rank_entry.h"

class CRankList {
public:
    static constexpr int kMaxEntries = 10;

    explicit CRankList(std::vector<std::string> names) : names_(std::move(names)) {}

    const std::vector<std::string>& GetNames() const { return names_; }
    const std::vector<CRankEntry>& GetEntries() const { return entries_; }
    void RemoveAllEntries() { entries_.clear(); }

    // Puts entry before the entry at 0-based index position - 1 (or at the end), then cuts
    // the list to ten. Nothing for a question count not above 0 or a position below 1.
    void Insert(int position, CRankEntry entry);

private:
    std::vector<std::string> names_;
    std::vector<CRankEntry> entries_;
};
