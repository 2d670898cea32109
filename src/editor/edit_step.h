#pragma once
// One editor command as its history keeps it: only what the command changed (the entries a
// genre lost or gained, a genre that came or went, the tree's journal), so that the same step
// can be undone and done again. Steps are undone newest first, so each finds the list and the
// tree exactly as it left them, and places (rows, entry positions) stay true.
#include <memory>
#include <string>
#include <vector>

#include "editor/edit_tree.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

class CEditStep {
public:
    explicit CEditStep(std::vector<int> selectedBefore) : selectedBefore_(std::move(selectedBefore)) {}
    CEditStep(CEditStep&&) noexcept = default;
    CEditStep& operator=(CEditStep&&) noexcept = default;
    ~CEditStep();

    // The changes, made through the step while the command runs. The tree's own changes are
    // written into Journal() while the command holds it there.
    std::vector<CEditTreeChange>& Journal() { return journal_; }
    // The entries at places (ascending) leave genre; then append adds entries at its end.
    template <class Append>
    void EditGenre(CGenre& genre, const std::vector<std::size_t>& places, Append&& append);
    void AddGenre(CWordList& list, std::unique_ptr<CGenre> genre);
    void RemoveGenre(CWordList& list, std::string_view name);
    void RemoveAll(CWordList& list, CEditTree& tree);  // keeps everything, at no cost
    void SetSelectedAfter(std::vector<int> path) { selectedAfter_ = std::move(path); }

    bool IsEmpty() const;
    // Each returns the path of the item to select afterwards (empty for none).
    const std::vector<int>& Undo(CWordList& list, CEditTree& tree);
    const std::vector<int>& Redo(CWordList& list, CEditTree& tree);

private:
    struct GenreEdit {
        CGenre* genre;
        int totalBefore;
        int totalAfter;
        std::vector<std::size_t> places;  // of the entries taken, before the edit
        std::vector<CGenreEntry> taken;   // while done: what the edit took
        std::size_t appended = 0;
        std::vector<CGenreEntry> added;  // while undone: what the edit appended
    };

    std::vector<int> selectedBefore_;
    std::vector<int> selectedAfter_;
    std::vector<GenreEdit> genreEdits_;
    // A genre that came (present while done) or went; while out of the list it is held here.
    std::string genreName_;
    bool genreAdded_ = false;
    bool genreRemoved_ = false;
    CWordList::RemovedGenre outOfList_;
    // Delete all: the whole list and tree, swapped in and out.
    std::unique_ptr<CWordList> wholeList_;
    std::unique_ptr<CEditTree> wholeTree_;
    std::vector<CEditTreeChange> journal_;
};

template <class Append>
void CEditStep::EditGenre(CGenre& genre, const std::vector<std::size_t>& places, Append&& append) {
    GenreEdit edit{&genre, genre.GetTotal(), 0, places, genre.TakeEntries(places), 0, {}};
    const std::size_t before = genre.GetEntries().size();
    append();
    edit.appended = genre.GetEntries().size() - before;
    edit.totalAfter = genre.GetTotal();
    genreEdits_.push_back(std::move(edit));
}
