#include "score/score_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <stdexcept>

#include "app/app_settings.h"
#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"
#include "score/rank_table.h"

namespace {

constexpr int kChooser = 1060;
constexpr int kList = 1058;
constexpr int kOk = 1;
constexpr int kClear = 1059;

struct Column {
    const char* heading;
    int width;
};
constexpr Column kColumns[] = {{"", 25}, {"日付", 85}, {"名前", 100}, {"正答数", 55}, {"問題数", 55}, {"正答率", 55}};

// Two decimals with a decimal point whatever the C locale is.
QString FormatRate(double rate) { return QString::number(rate, 'f', 2); }

}  // namespace

CScoreDialog::CScoreDialog(CAppSettings& settings, CPrompt& prompt, QWidget* parent, int markedPosition)
    : QDialog(parent), settings_(settings), prompt_(prompt) {
    BuildDialog(*this, LoadDialogTemplate(154));
    ApplyBackground(*this);
    chooser_ = RequireControl<QComboBox>(*this, kChooser);
    list_ = RequireControl<QTreeWidget>(*this, kList);
    clearButton_ = RequireControl<QPushButton>(*this, kClear);
    connect(RequireControl<QPushButton>(*this, kOk), &QPushButton::clicked, this, &QDialog::accept);
    connect(clearButton_, &QPushButton::clicked, this, &CScoreDialog::Clear);

    if (CRankTable* table = settings_.GetRankTable()) {
        rankingAtOpening_ = table->GetCurrentList();
        int currentIndex = 0;
        const std::vector<std::string> texts = table->GetListTexts(&currentIndex);
        for (const std::string& text : texts) chooser_->addItem(FromCp932(text));
        if (!texts.empty()) chooser_->setCurrentIndex(currentIndex);
    }

    list_->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList headings;
    for (const Column& column : kColumns) headings << QString::fromUtf8(column.heading);
    list_->setHeaderLabels(headings);
    for (int column = 0; column < list_->columnCount(); ++column) list_->setColumnWidth(column, kColumns[column].width);
    list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->header()->setStretchLastSection(false);
    // The headings sit on plain button colour, not on the window's pattern.
    QPalette headerPalette = list_->header()->palette();
    headerPalette.setBrush(QPalette::Window, QApplication::style()->standardPalette().button());
    list_->header()->setPalette(headerPalette);
    list_->header()->setAutoFillBackground(true);

    FillList();
    connect(chooser_, &QComboBox::currentIndexChanged, this, &CScoreDialog::FillList);

    if (markedPosition > 0 && markedPosition <= list_->topLevelItemCount()) {
        // The result just entered is where keyboard selection starts, and shown as selected.
        QTreeWidgetItem* row = list_->topLevelItem(markedPosition - 1);
        list_->setCurrentItem(row);
        list_->scrollToItem(row);
    }
}

void CScoreDialog::FillList() {
    CRankTable* table = settings_.GetRankTable();
    if (table == nullptr) {
        clearButton_->setEnabled(false);
        return;
    }
    // The ranking is taken by its place in the chooser, not by splitting its line again: a genre
    // name holding a comma or a backslash would not survive the round trip.
    const int index = chooser_->currentIndex();
    const auto& rankings = table->GetLists();
    table->SetCurrentList(index >= 0 && index < static_cast<int>(rankings.size()) ? rankings[index].get() : nullptr);

    list_->clear();
    int count = 0;
    const std::vector<CRankEntry>* entries = table->GetCurrentEntries(&count);
    for (int place = 1; entries != nullptr && place <= count; ++place) {
        const CRankEntry& entry = (*entries)[place - 1];
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, QStringLiteral("%1.").arg(place));
        row->setText(1, FromCp932(entry.date));
        row->setText(2, FromCp932(entry.name));
        row->setText(3, QString::number(entry.right));
        row->setText(4, QString::number(entry.questions));
        row->setText(5, FormatRate(entry.GetRate()));
    }
    clearButton_->setEnabled(list_->topLevelItemCount() > 0);
}

void CScoreDialog::Clear() {
    CRankTable* table = settings_.GetRankTable();
    if (table == nullptr) return;
    if (prompt_.ShowMessage("現在表示されている成績表をクリアします。", "削除", PromptIcon::None,
                            PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    table->ClearCurrentList();
    list_->clear();
}

void CScoreDialog::done(int result) {
    if (CRankTable* table = settings_.GetRankTable()) table->SetCurrentList(rankingAtOpening_);
    QDialog::done(result);
}
