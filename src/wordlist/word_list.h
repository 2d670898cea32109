#pragma once
// The in-memory word list: a flat, ordered list of every genre of one file (kind 2), or, with
// texts as elements, the field list of one record (kind 1).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "wordlist/genre_entry.h"
#include "wordlist/list_arena.h"

class CGenre;
class CQuestion;
class CPrompt;

class CWordList {
public:
    static constexpr int kTexts = 1;
    static constexpr int kGenres = 2;

    explicit CWordList(int kind = kGenres);  // any kind but 1 gives 2
    CWordList(const CWordList& source);      // deep copy, children re-resolved in the copy
    CWordList& operator=(const CWordList&) = delete;
    CWordList(CWordList&& source) noexcept;
    CWordList& operator=(CWordList&& source) noexcept;
    ~CWordList();

    int GetKind() const { return kind_; }
    std::size_t GetCount() const { return kind_ == kTexts ? texts_.size() : genres_.size(); }
    void RemoveAll();

    // Kind 1: the texts of a field list.
    std::span<const std::string_view> GetTexts() const { return texts_; }
    void AddText(std::string_view text);

    // Kind 2: the genres in list order.
    const std::vector<std::unique_ptr<CGenre>>& GetGenres() const { return genres_; }
    CGenre* AddGenre(std::unique_ptr<CGenre> genre);  // appends at the tail; a field list refuses (null)
    CGenre* FindGenre(std::string_view name) const;   // first in list order; "" finds none
    void RemoveGenre(std::string_view name);
    // What RemoveGenre takes out, kept whole so that RestoreGenre can put it back as it was.
    struct RemovedGenre {
        std::size_t index = 0;
        std::unique_ptr<CGenre> genre;  // none when no genre had the name
        struct Lost {
            CGenre* genre;  // another genre that lost its entries for the name
            int total;      // its total before
            std::vector<std::size_t> places;
            std::vector<CGenreEntry> entries;
        };
        std::vector<Lost> lost;
    };
    RemovedGenre TakeGenre(std::string_view name);
    void RestoreGenre(RemovedGenre removed);
    void ResolveAll();

    // Writes the file; 1 on success, 0 after a message to owner (a kind-1 list: 0, no message).
    int Save(CPrompt& owner, const std::filesystem::path& path) const;

private:
    friend class CGenre;
    friend class CGenreEntry;

    // Keyed by genre name and asked with a string_view.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
    };
    using NameIndex = std::unordered_map<std::string, CGenre*, NameHash, std::equal_to<>>;

    void Adopt(CGenre& genre);  // the genre joins this list: index it, count its children
    void ForgetGenres();        // drops the bookkeeping of every genre before they go
    void CountChild(const CGenre& child, int delta);
    CGenre* FirstOfName(std::string_view name) const;  // "" included
    void StartResolving();  // no genre is reached yet
    CListArena& Arena();    // made when first needed
    void MoveStorageHome(CGenre& genre);  // questions made in another list's storage are copied here

    int kind_;
    // The texts of a field list and the questions of a word list live here, and go at once.
    std::unique_ptr<CListArena> arena_;
    std::vector<std::string_view> texts_;
    std::vector<std::unique_ptr<CGenre>> genres_;
    // The first genre of each name, so that FindGenre does not walk the list. The first genre
    // of a name also counts the child entries that point at any genre of its name: a name
    // nothing points at cannot be reached from another genre, which answers most
    // ExcludesGenre questions at once instead of by a walk.
    NameIndex firstByName_;
    // Child entries pointing at genres outside this list; while there are any, the counts
    // cannot tell and ExcludesGenre walks.
    std::int64_t foreignChildren_ = 0;
};

// Reads the file at path into list (kind 2) in place: 1 on success; 0 after a message to
// owner, with list exactly as it was before the call.
int LoadWordList(CPrompt& owner, CWordList& list, const std::filesystem::path& path);

// The question at index (from 0) across the questions of the genres in order; null genres are
// skipped; none when the index lies beyond them.
CQuestion* FindQuestionByIndex(std::span<CGenre* const> genres, int index);
