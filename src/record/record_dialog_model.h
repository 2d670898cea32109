#pragma once
// The weak-question table of the record window: the record's question states of one word list,
// read a page at a time as the view scrolls them into sight, in the order and under the filter
// the learner chose.
#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "record/record_store.h"

class CWeakQuestionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr std::size_t kPageRows = 200;

    // store may be null (no record): the table stays empty.
    CWeakQuestionModel(const CRecordStore* store, std::string wordListFile, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

    // nullopt (a text no word list can hold) matches no row.
    void SetFilter(std::optional<std::string> cp932);
    // Reads the first page again (after the record changed).
    void Reload();
    const WeakQuestionQuery& Query() const { return query_; }
    bool MatchesNothing() const { return matchesNothing_; }
    const QuestionStateRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

private:
    const CRecordStore* store_;
    std::string wordListFile_;
    WeakQuestionQuery query_;
    std::vector<QuestionStateRow> rows_;
    bool more_ = false;
    bool matchesNothing_ = false;
};
