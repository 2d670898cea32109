#include "score/rank_list.h"

#include <cstddef>

void CRankList::Insert(int position, CRankEntry entry) {
    if (entry.questions <= 0 || position < 1) return;
    const std::size_t index = static_cast<std::size_t>(position) - 1;
    if (index < entries_.size()) {
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    } else {
        entries_.push_back(std::move(entry));
    }
    if (entries_.size() > static_cast<std::size_t>(kMaxEntries)) entries_.pop_back();
}
