#pragma once
// One entry of a genre: a pending child (a name not yet found), a question (owned) or a child
// genre (a genre of the same word list, not owned).
#include <memory>
#include <string>
#include <string_view>

#include "wordlist/question.h"

class CGenre;
class CWordList;
class CAtomicFileWriter;

class CGenreEntry {
public:
    static constexpr int kPending = 0;
    static constexpr int kQuestion = 1;
    static constexpr int kChild = 2;

    static CGenreEntry MakePending(std::string name);
    static CGenreEntry MakeQuestion(std::unique_ptr<CQuestion> question);
    static CGenreEntry MakeChild(CGenre* child);
    CGenreEntry(CWordList& target, const CGenreEntry& source);  // copy inside a deep copy

    CGenreEntry(CGenreEntry&&) noexcept = default;
    CGenreEntry& operator=(CGenreEntry&&) noexcept = default;

    int GetKind() const { return kind_; }
    CQuestion* GetQuestion() const { return question_.get(); }  // kind 1, else null
    CGenre* GetChild() const { return child_; }                 // kind 2, else null
    std::string_view GetPendingName() const;  // kind 0, else empty

    void SetExplanation(std::string_view text);  // questions only

    void Write(CAtomicFileWriter& file) const;
    void Write(CAtomicFileWriter& file, std::string& scratch) const;  // scratch: a reused record buffer

private:
    static constexpr int kRemoved = -1;  // dropped while resolving, erased when the walk is done

    CGenreEntry() = default;
    friend class CGenre;
    friend class CWordList;

    // Kept small: one entry per question of a list. The name is held only while pending.
    int kind_ = kPending;
    std::unique_ptr<std::string> pendingName_;
    std::unique_ptr<CQuestion> question_;
    CGenre* child_ = nullptr;
};
