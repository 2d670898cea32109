#include "editor/edit_step.h"

#include <numeric>

namespace {

std::vector<std::size_t> LastPlaces(const CGenre& genre, std::size_t count) {
    std::vector<std::size_t> places(count);
    std::iota(places.begin(), places.end(), genre.GetEntries().size() - count);
    return places;
}

}  // namespace

// Entries that were taken from the working copy free their questions into its storage, so
// they go before it: the session keeps its history behind the working copy.
CEditStep::~CEditStep() = default;

void CEditStep::AddGenre(CWordList& list, std::unique_ptr<CGenre> genre) {
    genreName_ = std::string(genre->GetName());
    genreAdded_ = list.AddGenre(std::move(genre)) != nullptr;
}

void CEditStep::RemoveGenre(CWordList& list, std::string_view name) {
    genreName_ = std::string(name);
    outOfList_ = list.TakeGenre(genreName_);
    genreRemoved_ = outOfList_.genre != nullptr || !outOfList_.lost.empty();
}

void CEditStep::RemoveAll(CWordList& list, CEditTree& tree) {
    wholeList_ = std::make_unique<CWordList>(std::move(list));
    wholeTree_ = std::make_unique<CEditTree>();
    tree.Swap(*wholeTree_);
}

bool CEditStep::IsEmpty() const {
    return genreEdits_.empty() && !genreAdded_ && !genreRemoved_ && !wholeList_ && journal_.empty();
}

const std::vector<int>& CEditStep::Undo(CWordList& list, CEditTree& tree) {
    if (wholeList_) {
        std::swap(list, *wholeList_);
        tree.Swap(*wholeTree_);
        return selectedBefore_;
    }
    for (auto edit = genreEdits_.rbegin(); edit != genreEdits_.rend(); ++edit) {
        edit->added = edit->genre->TakeEntries(LastPlaces(*edit->genre, edit->appended));
        edit->genre->RestoreEntries(edit->places, std::move(edit->taken));
        edit->genre->RestoreTotal(edit->totalBefore);
    }
    if (genreAdded_) outOfList_ = list.TakeGenre(genreName_);
    if (genreRemoved_) list.RestoreGenre(std::move(outOfList_));
    for (auto change = journal_.rbegin(); change != journal_.rend(); ++change) tree.Revert(*change);
    return selectedBefore_;
}

const std::vector<int>& CEditStep::Redo(CWordList& list, CEditTree& tree) {
    if (wholeList_) {
        std::swap(list, *wholeList_);
        tree.Swap(*wholeTree_);
        return selectedAfter_;
    }
    if (genreAdded_) list.RestoreGenre(std::move(outOfList_));
    if (genreRemoved_) outOfList_ = list.TakeGenre(genreName_);
    for (GenreEdit& edit : genreEdits_) {
        edit.taken = edit.genre->TakeEntries(edit.places);
        std::vector<std::size_t> places(edit.added.size());
        std::iota(places.begin(), places.end(), edit.genre->GetEntries().size());
        edit.genre->RestoreEntries(places, std::move(edit.added));
        edit.genre->RestoreTotal(edit.totalAfter);
    }
    for (CEditTreeChange& change : journal_) tree.Replay(change);
    return selectedAfter_;
}
