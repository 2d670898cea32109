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

int CEditTree::AddNode(int parent, std::string label) {
    const int item = static_cast<int>(nodes_.size());
    Node& node = nodes_.emplace_back();
    node.label = std::move(label);
    node.parent = parent;
    node.row = static_cast<int>(nodes_[parent].children.size());
    nodes_[parent].children.push_back(item);
    return item;
}

int CEditTree::Append(int parent, std::string label) {
    if (observer_) observer_->BeforeInsert(parent, static_cast<int>(nodes_[parent].children.size()));
    const int item = AddNode(parent, std::move(label));
    if (observer_) observer_->AfterInsert();
    return item;
}

void CEditTree::Remove(int item) {
    if (!IsItem(item)) return;
    const int parent = nodes_[item].parent;
    const int row = nodes_[item].row;
    if (observer_) observer_->BeforeRemove(parent, row);
    std::vector<int>& siblings = nodes_[parent].children;
    siblings.erase(siblings.begin() + row);
    for (std::size_t i = row; i < siblings.size(); ++i) nodes_[siblings[i]].row = static_cast<int>(i);
    // The slots are not reused, so an id never names a different item later.
    std::vector<int> pending{item};
    while (!pending.empty()) {
        Node& node = nodes_[pending.back()];
        pending.pop_back();
        pending.insert(pending.end(), node.children.begin(), node.children.end());
        node = Node{};
        node.alive = false;
    }
    if (observer_) observer_->AfterRemove();
}

void CEditTree::SetLabel(int item, std::string label) {
    if (!IsItem(item)) return;
    nodes_[item].label = std::move(label);
    if (observer_) observer_->LabelChanged(item);
}

void CEditTree::Clear() {
    if (observer_) observer_->BeforeReset();
    nodes_.clear();
    nodes_.emplace_back();
    if (observer_) observer_->AfterReset();
}

void CEditTree::SortChildren(int parent, const LabelSorter& sorter) {
    std::vector<int>& children = nodes_[parent].children;
    std::vector<std::string_view> labels;
    labels.reserve(children.size());
    for (int child : children) labels.emplace_back(nodes_[child].label);
    const std::vector<std::size_t> order = sorter(labels);
    std::vector<int> sorted;
    sorted.reserve(children.size());
    for (std::size_t index : order) sorted.push_back(children[index]);
    children = std::move(sorted);
    for (std::size_t i = 0; i < children.size(); ++i) nodes_[children[i]].row = static_cast<int>(i);
}

void CEditTree::Build(const CWordList& list, const LabelSorter& sorter) {
    if (observer_) observer_->BeforeReset();
    nodes_.clear();
    nodes_.emplace_back();
    for (const auto& genre : list.GetGenres()) {
        const int genreItem = AddNode(kRoot, std::string(genre->GetName()));
        int questions = kNone;
        int children = kNone;
        for (const CGenreEntry& entry : genre->GetEntries()) {
            if (const CQuestion* question = entry.GetQuestion()) {
                if (questions == kNone) questions = AddNode(genreItem, QuestionGroupLabel());
                AddNode(questions, std::string(question->PeekText()));
            } else if (const CGenre* child = entry.GetChild()) {
                if (children == kNone) children = AddNode(genreItem, ChildGroupLabel());
                AddNode(children, std::string(child->GetName()));
            }
        }
        if (questions != kNone) SortChildren(questions, sorter);
    }
    SortChildren(kRoot, sorter);
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
