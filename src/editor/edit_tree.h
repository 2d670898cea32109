#pragma once
// The editor's tree of a word list: items that hold only a label (CP932 bytes). What an item
// stands for follows from its place and from its parent's label, and every genre or question
// an operation needs is found again by label. A window shows the tree through an observer
// that hears of every insertion, removal and relabelling before and after it happens.
//
// A built tree makes a genre's question items only when that group's children are first asked
// for: a list of hundreds of thousands of questions opens with its genres alone. Until then the
// group stands for its genre's questions, which nothing changes before asking for them: every
// change to a group, and every walk of its children, fills it first.
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CGenre;
class CWordList;

enum class EditItemKind { None, Genre, QuestionGroup, ChildGroup, Question, ChildGenre };

// The labels of the two group items, as CP932 bytes.
const std::string& QuestionGroupLabel();  // "問題"
const std::string& ChildGroupLabel();     // "子ジャンル"

// Orders one level's labels ascending: order[i] is the index of the i-th smallest label.
using LabelSorter = std::function<std::vector<std::size_t>(const std::vector<std::string_view>& labels)>;
// Byte order with ASCII letters compared without case: for windowless callers.
std::vector<std::size_t> SortLabelsCaseless(const std::vector<std::string_view>& labels);

class CEditTreeObserver {
public:
    virtual ~CEditTreeObserver() = default;
    virtual void BeforeInsert(int parent, int row) = 0;
    virtual void AfterInsert() = 0;
    virtual void BeforeRemove(int parent, int row) = 0;
    virtual void AfterRemove() = 0;
    virtual void LabelChanged(int item) = 0;
    virtual void BeforeReset() = 0;
    virtual void AfterReset() = 0;
};

// One change of the tree as a journal keeps it, to be undone and done again in the same place.
struct CEditTreeChange {
    enum Kind { Insert, Remove, Relabel };
    Kind kind = Insert;
    std::vector<int> place;  // rows from the top: of the parent (Insert, Remove), of the item (Relabel)
    int row = 0;
    // The item that is out of the tree and everything under it, in order: depth, label.
    std::vector<std::pair<int, std::string>> branch;
    std::string label;  // Relabel: the label that is not shown
};

class CEditTree {
public:
    static constexpr int kRoot = 0;   // the invisible parent of the top level
    static constexpr int kNone = -1;

    CEditTree();
    void SetObserver(CEditTreeObserver* observer) { observer_ = observer; }
    // While set, every append, removal and relabelling is written down there.
    void SetJournal(std::vector<CEditTreeChange>* journal) { journal_ = journal; }
    void Revert(CEditTreeChange& change);
    void Replay(CEditTreeChange& change);
    // Every item trades places with other's (a whole tree at once: delete all and its undo).
    void Swap(CEditTree& other);

    std::vector<int> PathOf(int item) const;  // rows from the top; empty for none
    int ItemAt(const std::vector<int>& path) const;  // kNone when the path leads nowhere

    const std::string& Label(int item) const { return nodes_[item].label; }
    int Parent(int item) const { return nodes_[item].parent; }  // kRoot for a top-level item
    int Row(int item) const { return nodes_[item].row; }
    const std::vector<int>& Children(int item) const {
        Fill(item);
        return nodes_[item].children;
    }
    bool IsEmpty() const { return nodes_[kRoot].children.empty(); }
    bool IsItem(int item) const;  // a live item (not the root)

    int Append(int parent, std::string label);
    void Remove(int item);  // with everything under it
    void SetLabel(int item, std::string label);
    void Clear();
    // Every genre at the top level in list order with its groups, question groups sorted (when
    // first asked for); then the top level sorted. Entries naming a genre not in the list get no
    // item.
    void Build(const CWordList& list, LabelSorter sorter);

    EditItemKind KindOf(int item) const;
    int TopLevelAncestor(int item) const;
    // The name of the genre an item stands for when a question ("問題") or a child genre
    // ("子ジャンル") is to be added there; empty for no item.
    std::string_view TargetGenre(int item, std::string_view groupLabel) const;
    // The group of that label under the first top-level item of the genre's name, appended when
    // missing; kNone when no top-level item has the name.
    int FindOrMakeGroup(std::string_view genreName, std::string_view groupLabel);
    // The top-level items of that label and the items of that label in every child-genre group.
    std::vector<int> ItemsOfGenre(std::string_view name) const;

private:
    struct Node {
        std::string label;
        int parent = kNone;
        int row = 0;
        bool alive = true;
        std::vector<int> children;
        const CGenre* questionsOf = nullptr;  // a question group not yet filled: its genre
    };
    int AddNode(int parent, std::string label) const;
    void Insert(int parent, int row, std::vector<std::pair<int, std::string>>& branch);
    void Cut(int item, std::vector<std::pair<int, std::string>>* branch);
    void SortChildren(int parent) const;
    // Makes a question group's items from its genre when they have not been made yet.
    void Fill(int item) const;

    // Filling a group changes nothing anyone has seen: the items were there all along. A deque,
    // so that making items keeps every other item where it is.
    mutable std::deque<Node> nodes_;
    LabelSorter sorter_;
    CEditTreeObserver* observer_ = nullptr;
    std::vector<CEditTreeChange>* journal_ = nullptr;
};
