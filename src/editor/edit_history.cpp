#include "editor/edit_history.h"

// Steps hold entries whose questions live in the storage of some list, and a delete all keeps
// a whole list with its storage: while done, the list before it, whose entries only older steps
// hold; while undone, the list after it, whose entries only newer undone steps hold. So undone
// steps go newest first, done ones oldest first.
void CEditHistory::DropUndone() {
    while (steps_.size() > done_) steps_.pop_back();
}

void CEditHistory::Push(CEditStep step) {
    DropUndone();
    if (clean_ > static_cast<std::ptrdiff_t>(done_)) clean_ = -1;
    steps_.push_back(std::move(step));
    ++done_;
    if (steps_.size() > kLimit) {
        steps_.pop_front();
        --done_;
        if (clean_ >= 0) --clean_;
    }
}

void CEditHistory::Clear(bool clean) {
    DropUndone();
    while (!steps_.empty()) steps_.pop_front();
    done_ = 0;
    clean_ = clean ? 0 : -1;
}
