#include "editor/edit_dialog_tree.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

#include "platform/qt/text_bridge.h"

std::vector<std::size_t> SortLabelsByLocale(const std::vector<std::string_view>& labels) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(labels.size());
    // Folded first: the "C" locale's collator would tell letter case apart.
    for (std::string_view label : labels) keys.push_back(collator.sortKey(FromCp932(label).toCaseFolded()));
    std::vector<std::size_t> order(labels.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
    return order;
}

CEditTreeModel::CEditTreeModel(CEditTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {
    tree_.SetObserver(this);
}

CEditTreeModel::~CEditTreeModel() { tree_.SetObserver(nullptr); }

QModelIndex CEditTreeModel::IndexOf(int item) const {
    if (!tree_.IsItem(item)) return {};
    return createIndex(tree_.Row(item), 0, static_cast<quintptr>(item));
}

QModelIndex CEditTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const std::vector<int>& children = tree_.Children(ItemOf(parent));
    if (column != 0 || row < 0 || row >= static_cast<int>(children.size())) return {};
    return createIndex(row, 0, static_cast<quintptr>(children[row]));
}

QModelIndex CEditTreeModel::parent(const QModelIndex& index) const {
    return index.isValid() ? IndexOf(tree_.Parent(ItemOf(index))) : QModelIndex();
}

int CEditTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(tree_.Children(ItemOf(parent)).size());
}

int CEditTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CEditTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return FromCp932(tree_.Label(ItemOf(index)));
}

void CEditTreeModel::BeforeInsert(int parent, int row) { beginInsertRows(IndexOf(parent), row, row); }
void CEditTreeModel::AfterInsert() { endInsertRows(); }
void CEditTreeModel::BeforeRemove(int parent, int row) { beginRemoveRows(IndexOf(parent), row, row); }
void CEditTreeModel::AfterRemove() { endRemoveRows(); }
void CEditTreeModel::BeforeReset() { beginResetModel(); }
void CEditTreeModel::AfterReset() { endResetModel(); }

void CEditTreeModel::LabelChanged(int item) {
    const QModelIndex changed = IndexOf(item);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}
