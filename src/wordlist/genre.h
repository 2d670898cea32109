#pragma once
// A genre: a name and an ordered list of entries (questions, child genres, pending children),
// with the cached total of its questions.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/genre_entry.h"

class CWordList;
class CListArena;
class CQuestion;
class CAtomicFileWriter;

class CGenre {
public:
    // Flags of RemoveEntries.
    static constexpr int kMatchName = 2;
    static constexpr int kQuestions = 4;
    static constexpr int kChildren = 8;

    explicit CGenre(std::string name);
    // Copy inside a deep copy of a word list: its questions are made in target's storage.
    CGenre(CWordList& target, const CGenre& source);
    CGenre(const CGenre&) = delete;
    CGenre& operator=(const CGenre&) = delete;
    virtual ~CGenre();

    std::string_view GetName() const { return name_; }
    int GetTotal() const { return total_; }
    const std::vector<CGenreEntry>& GetEntries() const { return entries_; }

    // Room for count entries in all, and giving back what was not used: a reader that guesses
    // each genre's size from the one before grows it at most once.
    void ReserveEntries(std::size_t count) { entries_.reserve(count); }
    void FitEntries() { entries_.shrink_to_fit(); }

    void AddQuestion(const CWordList& fields);
    void AddQuestion(std::span<const std::string_view> fields);  // the texts of a field list
    void AddQuestion(std::unique_ptr<CQuestion> question);       // a question built elsewhere
    void ReplaceQuestion(std::string_view oldText, const CWordList& fields, std::string_view explanation);
    void AddChildGenre(CGenre* child);
    void AddChildByName(CWordList& list, std::string_view name);
    CQuestion* FindQuestion(std::string_view text) const;
    void RemoveEntries(int flags, std::string_view name);
    // The places (ascending) of the entries RemoveEntries would remove.
    std::vector<std::size_t> FindEntries(int flags, std::string_view name) const;
    // Edits that can be undone: the entries at places (ascending) go, each counted out of the
    // total as RemoveEntries does, and come back as they were, with the total the caller kept.
    std::vector<CGenreEntry> TakeEntries(const std::vector<std::size_t>& places);
    void RestoreEntries(const std::vector<std::size_t>& places, std::vector<CGenreEntry> entries);
    void RestoreTotal(int total) { total_ = total; }
    int ExcludesGenre(std::string_view name) const;  // 0 when this genre is or reaches name
    void Resolve(CWordList& list);
    CQuestion* GetQuestionAt(int n) const;  // n from 1 to the total, depth first

    void Write(CAtomicFileWriter& file) const;

private:
    friend class CWordList;

    void AddToTotal(std::int64_t delta);  // kept between 0 and INT32_MAX
    CListArena* Storage() const;          // where new questions go: the owner's storage, or the heap
    void AppendChild(CGenre* child);
    struct ResolveFrame {
        CGenre* genre;
        std::size_t next;  // the entry to look at next
        bool dropped;      // some entries were marked removed
    };
    void ResolveFrom(CWordList& list, std::vector<ResolveFrame>& stack);
    void DropRemovedEntries();
    void CountChild(const CGenre& child, int delta) const;

    std::string name_;
    std::vector<CGenreEntry> entries_;
    int total_ = 0;
    std::size_t questionCount_ = 0;  // question entries: a genre of questions only is indexed directly
    CWordList* owner_ = nullptr;     // the word list that holds this genre, if any
    CGenre* firstOfName_ = nullptr;  // in owner_: the first genre of this name (maybe this one)
    int namedIncoming_ = 0;          // on a first genre: child entries pointing at its name
    bool reached_ = false;  // reached by the resolving pass under way
};
