#include "record/record_dialog_model.h"

#include "record/weak_question_table.h"

CWeakQuestionModel::CWeakQuestionModel(const CRecordStore* store, std::string wordListFile, QObject* parent)
    : QAbstractTableModel(parent), store_(store), wordListFile_(std::move(wordListFile)) {
    Reload();
}

int CWeakQuestionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CWeakQuestionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kWeakColumnHeadings.size());
}

QVariant CWeakQuestionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<WeakColumn>(index.column());
    const bool number = column == WeakColumn::Box || column == WeakColumn::Right || column == WeakColumn::Wrong;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    QString text = QString::fromStdString(WeakCellText(Row(index.row()), column));
    // A question of several lines stays on one line of the table.
    if (role == Qt::DisplayRole) text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return text;
}

QVariant CWeakQuestionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(kWeakColumnHeadings.at(static_cast<std::size_t>(section)));
}

bool CWeakQuestionModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && more_; }

void CWeakQuestionModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    std::vector<QuestionStateRow> page = store_->WeakQuestions(wordListFile_, query_, rows_.size(), kPageRows);
    more_ = page.size() == kPageRows;
    if (page.empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    endInsertRows();
}

void CWeakQuestionModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) return;
    query_.column = static_cast<WeakColumn>(column);
    query_.descending = order == Qt::DescendingOrder;
    Reload();
}

void CWeakQuestionModel::SetFilter(std::optional<std::string> cp932) {
    matchesNothing_ = !cp932;
    query_.filter = cp932.value_or(std::string());
    Reload();
}

void CWeakQuestionModel::Reload() {
    beginResetModel();
    rows_.clear();
    more_ = store_ != nullptr && !matchesNothing_;
    endResetModel();
    fetchMore({});
}
