#include "wordlist/genre_entry.h"

#include "wordlist/genre.h"
#include "wordlist/word_list.h"

CGenreEntry CGenreEntry::MakePending(std::string name) {
    CGenreEntry entry;
    entry.kind_ = kPending;
    entry.pendingName_ = std::make_unique<std::string>(std::move(name));
    return entry;
}

CGenreEntry CGenreEntry::MakeQuestion(std::unique_ptr<CQuestion> question) {
    CGenreEntry entry;
    entry.kind_ = kQuestion;
    entry.question_ = std::move(question);
    return entry;
}

CGenreEntry CGenreEntry::MakeChild(CGenre* child) {
    CGenreEntry entry;
    entry.kind_ = kChild;
    entry.child_ = child;
    return entry;
}

CGenreEntry::CGenreEntry(CWordList& target, const CGenreEntry& source) : kind_(source.kind_) {
    switch (source.kind_) {
        case kQuestion:
            question_ = CQuestion::Make(&target.Arena(), *source.question_);
            break;
        case kChild:
            // The copy holds only the genres copied so far; a later one stays pending until
            // the copy's final resolving pass.
            child_ = target.FindGenre(source.child_->GetName());
            if (!child_) {
                kind_ = kPending;
                pendingName_ = std::make_unique<std::string>(source.child_->GetName());
            }
            break;
        default:
            kind_ = kPending;
            pendingName_ = std::make_unique<std::string>(source.GetPendingName());
            break;
    }
}

std::string_view CGenreEntry::GetPendingName() const { return pendingName_ ? std::string_view(*pendingName_) : std::string_view(); }

void CGenreEntry::SetExplanation(std::string_view text) {
    if (kind_ == kQuestion) question_->SetExplanation(text);
}
