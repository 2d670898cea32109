#pragma once
// The editor's tree as a Qt item model, so that a list of hundreds of thousands of questions
// is shown without one widget item per question, and the order of labels in the learner's
// locale.
#include <QAbstractItemModel>

#include "editor/edit_tree.h"

// Ascending, letter case ignored, in the learner's locale; each label's key is made once.
std::vector<std::size_t> SortLabelsByLocale(const std::vector<std::string_view>& labels);

class CEditTreeModel : public QAbstractItemModel, private CEditTreeObserver {
    Q_OBJECT
public:
    explicit CEditTreeModel(CEditTree& tree, QObject* parent = nullptr);
    ~CEditTreeModel() override;

    QModelIndex IndexOf(int item) const;  // invalid for the root
    int ItemOf(const QModelIndex& index) const { return index.isValid() ? static_cast<int>(index.internalId()) : CEditTree::kRoot; }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void BeforeInsert(int parent, int row) override;
    void AfterInsert() override;
    void BeforeRemove(int parent, int row) override;
    void AfterRemove() override;
    void LabelChanged(int item) override;
    void BeforeReset() override;
    void AfterReset() override;

    CEditTree& tree_;
};
