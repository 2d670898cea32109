#include "wordlist/genre.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "wordlist/question.h"
#include "wordlist/word_list.h"

CGenre::CGenre(std::string name) : name_(std::move(name)) {}

CGenre::CGenre(CWordList& target, const CGenre& source) : name_(source.name_) {
    entries_.reserve(source.entries_.size());
    for (const CGenreEntry& entry : source.entries_) {
        entries_.emplace_back(target, entry);
        const CGenreEntry& copy = entries_.back();
        if (copy.kind_ == CGenreEntry::kQuestion) {
            ++questionCount_;
            AddToTotal(1);
        } else if (copy.kind_ == CGenreEntry::kChild) {
            AddToTotal(copy.child_->total_);
        }
    }
}

CGenre::~CGenre() {
    if (!owner_) return;
    for (const CGenreEntry& entry : entries_)
        if (entry.kind_ == CGenreEntry::kChild) owner_->CountChild(*entry.child_, -1);
}

void CGenre::AddToTotal(std::int64_t delta) {
    // Hostile files can nest genres so that the sums pass the range of the count; the total
    // then stays at the largest count instead of wrapping into negative numbers.
    const std::int64_t sum = static_cast<std::int64_t>(total_) + delta;
    total_ = static_cast<int>(std::clamp<std::int64_t>(sum, 0, std::numeric_limits<std::int32_t>::max()));
}

void CGenre::CountChild(const CGenre& child, int delta) const {
    if (owner_) owner_->CountChild(child, delta);
}

CListArena* CGenre::Storage() const { return owner_ ? &owner_->Arena() : nullptr; }

void CGenre::AddQuestion(const CWordList& fields) { AddQuestion(fields.GetTexts()); }

void CGenre::AddQuestion(std::span<const std::string_view> fields) { AddQuestion(CQuestion::Make(Storage(), fields)); }

void CGenre::AddQuestion(std::unique_ptr<CQuestion> question) {
    if (!question) return;
    entries_.push_back(CGenreEntry::MakeQuestion(std::move(question)));
    ++questionCount_;
    AddToTotal(1);
}

void CGenre::ReplaceQuestion(std::string_view oldText, const CWordList& fields, std::string_view explanation) {
    auto old = std::find_if(entries_.begin(), entries_.end(), [&](const CGenreEntry& entry) {
        return entry.kind_ == CGenreEntry::kQuestion && entry.question_->PeekText() == oldText;
    });
    if (old == entries_.end()) return;
    auto question = CQuestion::Make(Storage(), fields.GetTexts());
    question->SetExplanation(explanation);
    entries_.erase(old);
    --questionCount_;
    AddToTotal(-1);
    AddQuestion(std::move(question));
}

void CGenre::AppendChild(CGenre* child) {
    entries_.push_back(CGenreEntry::MakeChild(child));
    AddToTotal(child->total_);
    CountChild(*child, 1);
}

void CGenre::AddChildGenre(CGenre* child) {
    if (child) AppendChild(child);
}

void CGenre::AddChildByName(CWordList& list, std::string_view name) {
    if (name.empty()) return;
    if (CGenre* child = list.FindGenre(name)) {
        AppendChild(child);
    } else {
        entries_.push_back(CGenreEntry::MakePending(std::string(name)));
    }
}

CQuestion* CGenre::FindQuestion(std::string_view text) const {
    if (text.empty()) return nullptr;
    for (const CGenreEntry& entry : entries_)
        if (entry.kind_ == CGenreEntry::kQuestion && entry.question_->PeekText() == text) return entry.question_;
    return nullptr;
}

void CGenre::RemoveEntries(int flags, std::string_view name) { TakeEntries(FindEntries(flags, name)); }

std::vector<std::size_t> CGenre::FindEntries(int flags, std::string_view name) const {
    std::vector<std::size_t> places;
    const bool byName = (flags & kMatchName) != 0;
    if (byName && name.empty()) return places;
    const bool questions = (flags & kQuestions) != 0;
    const bool children = (flags & kChildren) != 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const CGenreEntry& entry = entries_[i];
        bool match = false;
        if (entry.kind_ == CGenreEntry::kChild && children) {
            match = !byName || entry.child_->name_ == name;
        } else if (entry.kind_ == CGenreEntry::kQuestion && questions) {
            match = !byName || entry.question_->PeekText() == name;
        }
        if (!match) continue;
        places.push_back(i);
        if (byName) break;
    }
    return places;
}

std::vector<CGenreEntry> CGenre::TakeEntries(const std::vector<std::size_t>& places) {
    std::vector<CGenreEntry> taken;
    taken.reserve(places.size());
    for (std::size_t place : places) {
        CGenreEntry& entry = entries_[place];
        if (entry.kind_ == CGenreEntry::kQuestion) {
            --questionCount_;
            AddToTotal(-1);
        } else if (entry.kind_ == CGenreEntry::kChild) {
            AddToTotal(-static_cast<std::int64_t>(entry.child_->total_));
            CountChild(*entry.child_, -1);
        }
        taken.push_back(std::move(entry));  // the place is left marked removed
    }
    if (!taken.empty()) DropRemovedEntries();
    return taken;
}

void CGenre::RestoreEntries(const std::vector<std::size_t>& places, std::vector<CGenreEntry> entries) {
    if (entries.empty()) return;
    std::vector<CGenreEntry> merged;
    merged.reserve(entries_.size() + entries.size());
    std::size_t kept = 0;
    std::size_t back = 0;
    while (kept < entries_.size() || back < entries.size()) {
        if (back < entries.size() && (places[back] <= merged.size() || kept == entries_.size())) {
            CGenreEntry& entry = entries[back++];
            if (entry.kind_ == CGenreEntry::kQuestion) ++questionCount_;
            if (entry.kind_ == CGenreEntry::kChild) CountChild(*entry.child_, 1);
            merged.push_back(std::move(entry));
        } else {
            merged.push_back(std::move(entries_[kept++]));
        }
    }
    entries_ = std::move(merged);
}

void CGenre::DropRemovedEntries() {
    std::erase_if(entries_, [](const CGenreEntry& entry) { return entry.kind_ == CGenreEntry::kRemoved; });
}

int CGenre::ExcludesGenre(std::string_view name) const {
    if (name_ == name) return 0;
    // Nothing points at a genre of that name, so no walk could reach one.
    if (owner_ && owner_->foreignChildren_ == 0) {
        const CGenre* first = owner_->FirstOfName(name);
        if (!first || first->namedIncoming_ == 0) return 1;
    }
    // An explicit walk with a visited set: shared children are followed once, however often
    // they are included, and deep nesting needs no stack.
    std::vector<const CGenre*> pending{this};
    std::unordered_set<const CGenre*> visited{this};
    while (!pending.empty()) {
        const CGenre* genre = pending.back();
        pending.pop_back();
        for (const CGenreEntry& entry : genre->entries_) {
            if (entry.kind_ != CGenreEntry::kChild) continue;
            const CGenre* child = entry.child_;
            if (child->name_ == name) return 0;
            if (visited.insert(child).second) pending.push_back(child);
        }
    }
    return 1;
}

void CGenre::Resolve(CWordList& list) {
    std::vector<ResolveFrame> stack;
    // Targets are found in list, so marking its genres unreached makes every mark exact.
    list.StartResolving();
    reached_ = false;
    ResolveFrom(list, stack);
}

void CGenre::ResolveFrom(CWordList& list, std::vector<ResolveFrame>& stack) {
    if (reached_) return;
    // Depth first without recursion: a pending child's genre is settled before the child is
    // taken, so that its total is complete. A genre reached once in this pass is not walked
    // again; one still on the stack is a loop, which the exclusion test below breaks.
    stack.clear();
    reached_ = true;
    stack.push_back({this, 0, false});
    while (!stack.empty()) {
        ResolveFrame& frame = stack.back();
        CGenre& genre = *frame.genre;
        if (frame.next == genre.entries_.size()) {
            if (frame.dropped) genre.DropRemovedEntries();
            stack.pop_back();
            continue;
        }
        CGenreEntry& entry = genre.entries_[frame.next];
        if (entry.kind_ != CGenreEntry::kPending) {
            ++frame.next;
            continue;
        }
        CGenre* target = list.FindGenre(entry.GetPendingName());
        if (!target) {
            ++frame.next;
            continue;
        }
        if (!target->reached_) {
            target->reached_ = true;
            stack.push_back({target, 0, false});  // frame is not used again before it is the top
            continue;
        }
        if (target->ExcludesGenre(genre.name_) == 0) {
            entry.Drop();
            frame.dropped = true;
        } else {
            entry.BecomeChild(target);
            genre.AddToTotal(target->total_);
            genre.CountChild(*target, 1);
        }
        ++frame.next;
    }
}

CQuestion* CGenre::GetQuestionAt(int n) const {
    if (n < 1) return nullptr;
    const CGenre* genre = this;
    std::int64_t wanted = n;
    std::unordered_set<const CGenre*> path;  // only a hand-made loop could revisit a genre
    for (;;) {
        if (genre->questionCount_ == genre->entries_.size()) {
            if (static_cast<std::uint64_t>(wanted) > genre->entries_.size()) return nullptr;
            return genre->entries_[static_cast<std::size_t>(wanted - 1)].question_;
        }
        const CGenre* next = nullptr;
        std::int64_t seen = 0;
        for (const CGenreEntry& entry : genre->entries_) {
            if (entry.kind_ == CGenreEntry::kQuestion) {
                if (++seen == wanted) return entry.question_;
            } else if (entry.kind_ == CGenreEntry::kChild) {
                const std::int64_t total = entry.child_->total_;
                if (seen + total >= wanted) {
                    next = entry.child_;
                    break;
                }
                seen += total;
            }
        }
        // Totals that promise more than the entries hold (after edits) give no question.
        if (!next || !path.insert(next).second) return nullptr;
        wanted -= seen;
        genre = next;
    }
}

CQuestion* FindQuestionByIndex(std::span<CGenre* const> genres, int index) {
    std::int64_t k = static_cast<std::int64_t>(index) + 1;
    for (const CGenre* genre : genres) {
        if (!genre) continue;
        if (k <= genre->GetTotal()) return genre->GetQuestionAt(static_cast<int>(k));
        k -= genre->GetTotal();
    }
    return nullptr;
}
