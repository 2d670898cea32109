#include "editor/edit_tree.h"

#include <algorithm>
#include <numeric>

#include "platform/text_codec.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

const std::string& QuestionGroupLabel() {
    static const std::string label = text::ToCp932("問題");
    return label;
}

const std::string& ChildGroupLabel() {
    static const std::string label = text::ToCp932("子ジャンル");
    return label;
}

std::vector<std::size_t> SortLabelsCaseless(const std::vector<std::string_view>& labels) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    std::vector<std::size_t> order(labels.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(labels[a].begin(), labels[a].end(), labels[b].begin(), labels[b].end(),
                                            [&](char x, char y) { return lower(x) < lower(y); });
    });
    return order;
}

CEditTree::CEditTree() { nodes_.emplace_back(); }

bool CEditTree::IsItem(int item) const {
    return item > kRoot && item < static_cast<int>(nodes_.size()) && nodes_[item].alive;
}

int CEditTree::AddNode(int parent, std::string label) const {
    const int item = static_cast<int>(nodes_.size());
    Node& node = nodes_.emplace_back();
    node.label = std::move(label);
    node.parent = parent;
    node.row = static_cast<int>(nodes_[parent].children.size());
    nodes_[parent].children.push_back(item);
    return item;
}

int CEditTree::Append(int parent, std::string label) {
    Fill(parent);
    const int row = static_cast<int>(nodes_[parent].children.size());
    if (journal_) journal_->push_back({CEditTreeChange::Insert, PathOf(parent), row, {}, {}});
    if (observer_) observer_->BeforeInsert(parent, row);
    const int item = AddNode(parent, std::move(label));
    if (observer_) observer_->AfterInsert();
    return item;
}

void CEditTree::Remove(int item) {
    if (!IsItem(item)) return;
    if (!journal_) return Cut(item, nullptr);
    CEditTreeChange change{CEditTreeChange::Remove, PathOf(Parent(item)), Row(item), {}, {}};
    Cut(item, &change.branch);
    journal_->push_back(std::move(change));
}

void CEditTree::Cut(int item, std::vector<std::pair<int, std::string>>* branch) {
    const int parent = nodes_[item].parent;
    const int row = nodes_[item].row;
    if (observer_) observer_->BeforeRemove(parent, row);
    std::vector<int>& siblings = nodes_[parent].children;
    siblings.erase(siblings.begin() + row);
    for (std::size_t i = row; i < siblings.size(); ++i) nodes_[siblings[i]].row = static_cast<int>(i);
    // The slots are not reused, so an id never names a different item later.
    std::vector<std::pair<int, int>> pending{{item, 0}};
    while (!pending.empty()) {
        const auto [id, depth] = pending.back();
        pending.pop_back();
        if (branch) Fill(id);  // the branch keeps every item, to come back as it was
        Node& node = nodes_[id];
        if (branch) branch->emplace_back(depth, std::move(node.label));
        for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) pending.emplace_back(*child, depth + 1);
        node = Node{};
        node.alive = false;
    }
    if (observer_) observer_->AfterRemove();
}

void CEditTree::Insert(int parent, int row, std::vector<std::pair<int, std::string>>& branch) {
    if (branch.empty()) return;
    if (observer_) observer_->BeforeInsert(parent, row);
    const int item = AddNode(parent, std::move(branch.front().second));
    std::vector<int>& siblings = nodes_[parent].children;
    siblings.pop_back();
    siblings.insert(siblings.begin() + row, item);
    for (std::size_t i = row; i < siblings.size(); ++i) nodes_[siblings[i]].row = static_cast<int>(i);
    std::vector<int> ancestors{item};  // ancestors[d]: the latest item at depth d of the branch
    for (std::size_t i = 1; i < branch.size(); ++i) {
        ancestors.resize(static_cast<std::size_t>(branch[i].first));
        ancestors.push_back(AddNode(ancestors.back(), std::move(branch[i].second)));
    }
    branch.clear();
    if (observer_) observer_->AfterInsert();
}

void CEditTree::Revert(CEditTreeChange& change) {
    const int parent = ItemAt(change.place);
    switch (change.kind) {
    case CEditTreeChange::Insert: Cut(Children(parent)[change.row], &change.branch); break;
    case CEditTreeChange::Remove: Insert(parent, change.row, change.branch); break;
    case CEditTreeChange::Relabel:
        std::swap(nodes_[parent].label, change.label);
        if (observer_) observer_->LabelChanged(parent);
        break;
    }
}

void CEditTree::Replay(CEditTreeChange& change) {
    if (change.kind == CEditTreeChange::Relabel) return Revert(change);  // a relabelling swaps both ways
    const int parent = ItemAt(change.place);
    if (change.kind == CEditTreeChange::Insert) return Insert(parent, change.row, change.branch);
    Cut(Children(parent)[change.row], &change.branch);
}

void CEditTree::Swap(CEditTree& other) {
    if (observer_) observer_->BeforeReset();
    nodes_.swap(other.nodes_);
    if (observer_) observer_->AfterReset();
}

std::vector<int> CEditTree::PathOf(int item) const {
    std::vector<int> path;
    for (; IsItem(item); item = nodes_[item].parent) path.insert(path.begin(), nodes_[item].row);
    return path;
}

int CEditTree::ItemAt(const std::vector<int>& path) const {
    int item = kRoot;
    for (int row : path) {
        if (row < 0 || row >= static_cast<int>(nodes_[item].children.size())) return kNone;
        item = nodes_[item].children[row];
    }
    return item;
}

void CEditTree::SetLabel(int item, std::string label) {
    if (!IsItem(item)) return;
    if (journal_) journal_->push_back({CEditTreeChange::Relabel, PathOf(item), 0, {}, nodes_[item].label});
    nodes_[item].label = std::move(label);
    if (observer_) observer_->LabelChanged(item);
}

void CEditTree::Clear() {
    if (observer_) observer_->BeforeReset();
    nodes_.clear();
    nodes_.emplace_back();
    if (observer_) observer_->AfterReset();
}

void CEditTree::SortChildren(int parent) const {
    std::vector<int>& children = nodes_[parent].children;
    std::vector<std::string_view> labels;
    labels.reserve(children.size());
    for (int child : children) labels.emplace_back(nodes_[child].label);
    const std::vector<std::size_t> order = sorter_(labels);
    std::vector<int> sorted;
    sorted.reserve(children.size());
    for (std::size_t index : order) sorted.push_back(children[index]);
    children = std::move(sorted);
    for (std::size_t i = 0; i < children.size(); ++i) nodes_[children[i]].row = static_cast<int>(i);
}

void CEditTree::Fill(int item) const {
    const CGenre* genre = nodes_[item].questionsOf;
    if (genre == nullptr) return;
    nodes_[item].questionsOf = nullptr;
    for (const CGenreEntry& entry : genre->GetEntries())
        if (const CQuestion* question = entry.GetQuestion()) AddNode(item, std::string(question->PeekText()));
    SortChildren(item);
}

void CEditTree::Build(const CWordList& list, LabelSorter sorter) {
    if (observer_) observer_->BeforeReset();
    sorter_ = std::move(sorter);
    nodes_.clear();
    nodes_.emplace_back();
    for (const auto& genre : list.GetGenres()) {
        const int genreItem = AddNode(kRoot, std::string(genre->GetName()));
        int questions = kNone;
        int children = kNone;
        for (const CGenreEntry& entry : genre->GetEntries()) {
            if (entry.GetQuestion() != nullptr) {
                if (questions != kNone) continue;
                questions = AddNode(genreItem, QuestionGroupLabel());
                nodes_[questions].questionsOf = genre.get();
            } else if (const CGenre* child = entry.GetChild()) {
                if (children == kNone) children = AddNode(genreItem, ChildGroupLabel());
                AddNode(children, std::string(child->GetName()));
            }
        }
    }
    SortChildren(kRoot);
    if (observer_) observer_->AfterReset();
}

EditItemKind CEditTree::KindOf(int item) const {
    if (!IsItem(item)) return EditItemKind::None;
    const int parent = nodes_[item].parent;
    if (parent == kRoot) return EditItemKind::Genre;
    const std::string& parentLabel = nodes_[parent].label;
    if (parentLabel == QuestionGroupLabel()) return EditItemKind::Question;
    if (parentLabel == ChildGroupLabel()) return EditItemKind::ChildGenre;
    return nodes_[item].label == QuestionGroupLabel() ? EditItemKind::QuestionGroup : EditItemKind::ChildGroup;
}

int CEditTree::TopLevelAncestor(int item) const {
    if (!IsItem(item)) return kNone;
    while (nodes_[item].parent != kRoot) item = nodes_[item].parent;
    return item;
}

std::string_view CEditTree::TargetGenre(int item, std::string_view groupLabel) const {
    switch (KindOf(item)) {
    case EditItemKind::None:
        return {};
    case EditItemKind::Genre:
        return nodes_[item].label;
    case EditItemKind::QuestionGroup:
    case EditItemKind::ChildGroup:
        return nodes_[nodes_[item].parent].label;
    case EditItemKind::ChildGenre:
        // A question goes to the included genre itself, a child genre to the including one.
        if (groupLabel == QuestionGroupLabel()) return nodes_[item].label;
        [[fallthrough]];
    case EditItemKind::Question:
        break;
    }
    return nodes_[nodes_[nodes_[item].parent].parent].label;
}

int CEditTree::FindOrMakeGroup(std::string_view genreName, std::string_view groupLabel) {
    for (int genreItem : nodes_[kRoot].children) {
        if (nodes_[genreItem].label != genreName) continue;
        const std::vector<int>& groups = nodes_[genreItem].children;
        // The first group when it has the label, else the second, whatever its label.
        if (!groups.empty() && nodes_[groups[0]].label == groupLabel) return groups[0];
        if (groups.size() >= 2) return groups[1];
        return Append(genreItem, std::string(groupLabel));
    }
    return kNone;
}

std::vector<int> CEditTree::ItemsOfGenre(std::string_view name) const {
    std::vector<int> items;
    for (int genreItem : nodes_[kRoot].children) {
        if (nodes_[genreItem].label == name) items.push_back(genreItem);
        for (int group : nodes_[genreItem].children) {
            if (nodes_[group].label != ChildGroupLabel()) continue;
            for (int child : nodes_[group].children)
                if (nodes_[child].label == name) items.push_back(child);
        }
    }
    return items;
}
