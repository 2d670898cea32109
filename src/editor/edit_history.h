#pragma once
// The editor's history of steps, after Qt's QUndoStack: a line of steps with the place between
// the done and the undone ones, and the place where the working copy matched its file.
#include <cstddef>
#include <deque>

#include "editor/edit_step.h"

class CEditHistory {
public:
    static constexpr std::size_t kLimit = 100;  // the oldest step goes beyond this

    ~CEditHistory() { Clear(false); }

    // A new step ends every undone one; the place of the saved state may go with them.
    void Push(CEditStep step);
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    CEditStep& StepToUndo() { return steps_[--done_]; }
    CEditStep& StepToRedo() { return steps_[done_++]; }

    // Whether the list is as the file holds it: the saved state, when the history reaches it.
    bool IsClean() const { return clean_ == static_cast<std::ptrdiff_t>(done_); }
    void MarkClean() { clean_ = static_cast<std::ptrdiff_t>(done_); }
    // A fresh history; clean tells whether the list as it is now matches its file.
    void Clear(bool clean);

private:
    void DropUndone();

    std::deque<CEditStep> steps_;
    std::size_t done_ = 0;
    std::ptrdiff_t clean_ = 0;  // -1: no state of the history is saved
};
