#include "wordlist/genre_entry.h"

#include <utility>

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

CGenreEntry CGenreEntry::MakePending(std::string name) {
    CGenreEntry entry;
    entry.pendingName_ = new std::string(std::move(name));
    entry.kind_ = kPending;
    return entry;
}

CGenreEntry CGenreEntry::MakeQuestion(std::unique_ptr<CQuestion> question) {
    CGenreEntry entry;
    entry.question_ = question.release();
    entry.kind_ = kQuestion;
    return entry;
}

CGenreEntry CGenreEntry::MakeChild(CGenre* child) {
    CGenreEntry entry;
    entry.child_ = child;
    entry.kind_ = kChild;
    return entry;
}

CGenreEntry::CGenreEntry(CWordList& target, const CGenreEntry& source) {
    switch (source.kind_) {
        case kQuestion:
            question_ = CQuestion::Make(&target.Arena(), *source.question_).release();
            kind_ = kQuestion;
            break;
        case kChild:
            // The copy holds only the genres copied so far; a later one stays pending until
            // the copy's final resolving pass.
            child_ = target.FindGenre(source.child_->GetName());
            if (child_) {
                kind_ = kChild;
            } else {
                pendingName_ = new std::string(source.child_->GetName());
                kind_ = kPending;
            }
            break;
        default:
            pendingName_ = new std::string(source.GetPendingName());
            kind_ = kPending;
            break;
    }
}

CGenreEntry::CGenreEntry(CGenreEntry&& source) noexcept { TakeFrom(source); }

CGenreEntry& CGenreEntry::operator=(CGenreEntry&& source) noexcept {
    if (this != &source) {
        Drop();
        TakeFrom(source);
    }
    return *this;
}

void CGenreEntry::TakeFrom(CGenreEntry& source) {
    switch (source.kind_) {
        case kPending: pendingName_ = source.pendingName_; break;
        case kQuestion: question_ = source.question_; break;
        default: child_ = source.child_; break;
    }
    kind_ = std::exchange(source.kind_, kRemoved);  // the source owns nothing now
    source.child_ = nullptr;
}

CGenreEntry::~CGenreEntry() { Drop(); }

void CGenreEntry::Drop() {
    if (kind_ == kPending) delete pendingName_;
    if (kind_ == kQuestion) delete question_;
    kind_ = kRemoved;
    child_ = nullptr;
}

void CGenreEntry::BecomeChild(CGenre* child) {
    Drop();
    child_ = child;
    kind_ = kChild;
}

std::string_view CGenreEntry::GetPendingName() const {
    return kind_ == kPending ? std::string_view(*pendingName_) : std::string_view();
}

void CGenreEntry::SetExplanation(std::string_view text) {
    if (kind_ == kQuestion) question_->SetExplanation(text);
}
