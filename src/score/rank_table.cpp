#include "score/rank_table.h"

#include <string_view>

#include "platform/local_date.h"

namespace {

// Two rankings belong to the same genres when "," + name, joined over all names, gives the
// same text; so {"A,B"} and {"A", "B"} are one ranking, {"A", "B"} and {"B", "A"} are two.
std::string SelectionKey(const std::vector<std::string>& names) {
    std::string key;
    for (const std::string& name : names) {
        key += ',';
        key += name;
    }
    return key;
}

// Compares names against a key without building a string per ranking: a table can hold
// thousands of rankings, and every run selects one.
bool MatchesKey(const std::vector<std::string>& names, std::string_view key) {
    std::size_t pos = 0;
    for (const std::string& name : names) {
        if (pos >= key.size() || key[pos] != ',') return false;
        ++pos;
        if (key.compare(pos, name.size(), name) != 0) return false;
        pos += name.size();
    }
    return pos == key.size();
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += ',';
        text += names[i];
    }
    return text;
}

}  // namespace

CRankTable::CRankTable(CPrompt& owner, std::filesystem::path path) : owner_(&owner), path_(std::move(path)) {
    Load();
}

int CRankTable::SelectList(const std::vector<std::string>& names) {
    const std::string key = SelectionKey(names);
    for (const auto& list : lists_) {
        if (MatchesKey(list->GetNames(), key)) {
            current_ = list.get();
            return 1;
        }
    }
    lists_.push_back(std::make_unique<CRankList>(names));
    current_ = lists_.back().get();
    return 1;
}

int CRankTable::FindPosition(int questions, int right) const {
    if (!current_ || questions <= 0) return -1;
    // Only the new rate is rounded to single precision, so a rate equal to a stored one goes
    // in front of it when rounding lifts it (5 of 6) and behind it otherwise (2 of 3).
    const float newRate = static_cast<float>(static_cast<double>(right) / questions * 100.0);
    const std::vector<CRankEntry>& entries = current_->GetEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].GetRate() < newRate) return static_cast<int>(i) + 1;
    }
    if (entries.size() < static_cast<std::size_t>(CRankList::kMaxEntries)) return static_cast<int>(entries.size()) + 1;
    return -1;
}

int CRankTable::AddResult(int position, const std::string& name, int questions, int right) {
    if (!current_) return 0;
    CRankEntry entry;
    entry.date = TodayLocalDate();
    entry.name = name;
    entry.questions = questions;
    entry.right = right;
    current_->Insert(position, std::move(entry));
    modified_ = true;
    return 1;
}

void CRankTable::ClearCurrentList() {
    if (!current_) return;
    current_->RemoveAllEntries();
    modified_ = true;
}

std::vector<std::string> CRankTable::GetListTexts(int* currentIndex) const {
    std::vector<std::string> texts;
    texts.reserve(lists_.size());
    int index = 0;
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        if (lists_[i].get() == current_) index = static_cast<int>(i);
        texts.push_back(JoinNames(lists_[i]->GetNames()));
    }
    if (currentIndex) *currentIndex = index;
    return texts;
}

const std::vector<CRankEntry>* CRankTable::GetCurrentEntries(int* count) const {
    if (!current_) {
        if (count) *count = -1;
        return nullptr;
    }
    if (count) *count = static_cast<int>(current_->GetEntries().size());
    return &current_->GetEntries();
}
