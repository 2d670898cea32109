#include "wordlist/word_list.h"

#include <algorithm>
#include <cstring>

#include "wordlist/genre.h"
#include "wordlist/question.h"

CWordList::CWordList(int kind) : kind_(kind == kTexts ? kTexts : kGenres) {}

CWordList::CWordList(const CWordList& source) : kind_(source.kind_) {
    if (kind_ == kTexts) {
        texts_.reserve(source.texts_.size());
        for (std::string_view text : source.texts_) AddText(text);
        return;
    }
    genres_.reserve(source.genres_.size());
    // Each copy looks its children up among the genres copied before it; the rest stay
    // pending until the final pass.
    for (const auto& genre : source.genres_) AddGenre(std::make_unique<CGenre>(*this, *genre));
    ResolveAll();
}

CWordList::CWordList(CWordList&& source) noexcept
    : kind_(source.kind_),
      arena_(std::move(source.arena_)),
      texts_(std::move(source.texts_)),
      genres_(std::move(source.genres_)),
      firstByName_(std::move(source.firstByName_)),
      foreignChildren_(source.foreignChildren_) {
    for (auto& genre : genres_) genre->owner_ = this;
    source.texts_.clear();
    source.genres_.clear();
    source.firstByName_.clear();
    source.foreignChildren_ = 0;
}

CWordList& CWordList::operator=(CWordList&& source) noexcept {
    if (this == &source) return *this;
    RemoveAll();
    kind_ = source.kind_;
    arena_ = std::move(source.arena_);
    texts_ = std::move(source.texts_);
    genres_ = std::move(source.genres_);
    firstByName_ = std::move(source.firstByName_);
    foreignChildren_ = source.foreignChildren_;
    for (auto& genre : genres_) genre->owner_ = this;
    source.texts_.clear();
    source.genres_.clear();
    source.firstByName_.clear();
    source.foreignChildren_ = 0;
    return *this;
}

CWordList::~CWordList() { RemoveAll(); }

void CWordList::ForgetGenres() {
    for (auto& genre : genres_) {
        genre->owner_ = nullptr;
        genre->firstOfName_ = nullptr;
        genre->namedIncoming_ = 0;
    }
    firstByName_.clear();
    foreignChildren_ = 0;
}

void CWordList::RemoveAll() {
    texts_.clear();
    ForgetGenres();
    // Genres own no other genre, so destroying them one by one never nests. What they hold in
    // the storage is not freed piece by piece but with the storage.
    if (arena_) arena_->BeginRelease();
    genres_.clear();
    if (arena_) arena_->Clear();
}

CListArena& CWordList::Arena() {
    if (!arena_) arena_ = std::make_unique<CListArena>();
    return *arena_;
}

void CWordList::AddText(std::string_view text) {
    char* stored = static_cast<char*>(Arena().Allocate(text.size()));
    if (!text.empty()) std::memcpy(stored, text.data(), text.size());
    texts_.emplace_back(stored, text.size());
}

void CWordList::MoveStorageHome(CGenre& genre) {
    for (CGenreEntry& entry : genre.entries_) {
        CQuestion* question = entry.GetQuestion();
        if (!question || !question->arena_ || question->arena_ == arena_.get()) continue;
        auto copy = CQuestion::Make(&Arena(), *question);
        copy->hasExplanation_ = question->hasExplanation_;  // moved, not copied: an absent one stays absent
        entry = CGenreEntry::MakeQuestion(std::move(copy));
    }
}

void CWordList::Adopt(CGenre& genre) {
    MoveStorageHome(genre);
    genre.owner_ = this;
    genre.firstOfName_ = firstByName_.try_emplace(genre.name_, &genre).first->second;
    genre.namedIncoming_ = 0;
    for (const CGenreEntry& entry : genre.entries_)
        if (entry.GetKind() == CGenreEntry::kChild) CountChild(*entry.GetChild(), 1);
}

CGenre* CWordList::AddGenre(std::unique_ptr<CGenre> genre) {
    if (!genre || kind_ != kGenres) return nullptr;
    CGenre* added = genre.get();
    genres_.push_back(std::move(genre));
    Adopt(*added);
    return added;
}

void CWordList::CountChild(const CGenre& child, int delta) {
    if (child.owner_ == this && child.firstOfName_) {
        child.firstOfName_->namedIncoming_ += delta;
    } else {
        foreignChildren_ += delta;
    }
}

CGenre* CWordList::FirstOfName(std::string_view name) const {
    auto found = firstByName_.find(name);
    return found == firstByName_.end() ? nullptr : found->second;
}

void CWordList::StartResolving() {
    for (auto& genre : genres_) genre->reached_ = false;
}

CGenre* CWordList::FindGenre(std::string_view name) const {
    if (name.empty() || kind_ != kGenres) return nullptr;
    return FirstOfName(name);
}

void CWordList::RemoveGenre(std::string_view name) { TakeGenre(name); }

CWordList::RemovedGenre CWordList::TakeGenre(std::string_view name) {
    RemovedGenre removed;
    if (kind_ != kGenres) return removed;
    auto last = std::find_if(genres_.rbegin(), genres_.rend(),
                             [&](const std::unique_ptr<CGenre>& genre) { return genre->name_ == name; });
    const CGenre* target = last == genres_.rend() ? nullptr : last->get();
    for (auto& genre : genres_) {
        // Other genres lose their entries for the name. A genre of the same name keeps its own,
        // except an entry for the genre about to go, which would be left pointing at nothing.
        const bool sameName = genre->name_ == name;
        std::vector<std::size_t> places;
        for (std::size_t i = 0; i < genre->entries_.size(); ++i) {
            const CGenreEntry& entry = genre->entries_[i];
            if (entry.kind_ != CGenreEntry::kChild) continue;
            if (sameName ? entry.child_ == target : entry.child_->name_ == name) places.push_back(i);
        }
        if (places.empty()) continue;
        const int total = genre->total_;
        std::vector<CGenreEntry> entries = genre->TakeEntries(places);
        removed.lost.push_back({genre.get(), total, std::move(places), std::move(entries)});
    }
    if (!target) return removed;
    auto position = std::prev(last.base());
    CGenre& gone = **position;
    for (const CGenreEntry& entry : gone.entries_)
        if (entry.kind_ == CGenreEntry::kChild) CountChild(*entry.child_, -1);
    // The last of a name is also the first only when it is the only one.
    if (gone.firstOfName_ == &gone) firstByName_.erase(firstByName_.find(gone.name_));
    gone.owner_ = nullptr;
    gone.firstOfName_ = nullptr;
    removed.index = static_cast<std::size_t>(position - genres_.begin());
    removed.genre = std::move(*position);
    genres_.erase(position);
    return removed;
}

void CWordList::RestoreGenre(RemovedGenre removed) {
    if (removed.genre) {
        // It was the last of its name, so it comes back behind any other genre of the name.
        CGenre& genre = *removed.genre;
        genres_.insert(genres_.begin() + static_cast<std::ptrdiff_t>(std::min(removed.index, genres_.size())),
                       std::move(removed.genre));
        Adopt(genre);
    }
    for (RemovedGenre::Lost& lost : removed.lost) {
        lost.genre->RestoreEntries(lost.places, std::move(lost.entries));
        lost.genre->RestoreTotal(lost.total);
    }
}

void CWordList::ResolveAll() {
    if (kind_ != kGenres) return;
    StartResolving();
    std::vector<CGenre::ResolveFrame> stack;
    for (std::size_t i = 0; i < genres_.size(); ++i) genres_[i]->ResolveFrom(*this, stack);
}
