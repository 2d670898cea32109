#include "editor/edit_history.h"

// The newest goes first: a later step can hold entries whose storage an earlier one keeps
// (the list a delete all took away).
void CEditHistory::DropNewest() { steps_.pop_back(); }

void CEditHistory::Push(CEditStep step) {
    while (CanRedo()) DropNewest();
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
    while (!steps_.empty()) DropNewest();
    done_ = 0;
    clean_ = clean ? 0 : -1;
}
