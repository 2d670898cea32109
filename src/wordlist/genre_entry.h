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

    CGenreEntry(CGenreEntry&& source) noexcept;
    CGenreEntry& operator=(CGenreEntry&& source) noexcept;
    ~CGenreEntry();

    int GetKind() const { return kind_; }
    CQuestion* GetQuestion() const { return kind_ == kQuestion ? question_ : nullptr; }
    CGenre* GetChild() const { return kind_ == kChild ? child_ : nullptr; }
    std::string_view GetPendingName() const;  // kind 0, else empty

    void SetExplanation(std::string_view text);  // questions only

    void Write(CAtomicFileWriter& file) const;
    void Write(CAtomicFileWriter& file, std::string& scratch) const;  // scratch: a reused record buffer

private:
    static constexpr int kRemoved = -1;  // dropped while resolving, erased when the walk is done

    CGenreEntry() = default;
    friend class CGenre;
    friend class CWordList;

    void Drop();                     // destroys what the entry owns and marks it removed
    void BecomeChild(CGenre* child);  // a pending child found its genre
    void TakeFrom(CGenreEntry& source);

    // Kept small: one entry per question of a list. The kind tells which pointer is held.
    int kind_ = kRemoved;
    union {
        std::string* pendingName_;  // owned
        CQuestion* question_;       // owned
        CGenre* child_ = nullptr;   // not owned
    };
};
