// The score table and the name entry, driven by their numbered controls over a rank table in a
// temporary folder.
#include <QComboBox>

#include "app/app_settings.h"
#include "gui/gui_test.h"
#include "score/name_entry_dialog.h"
#include "score/rank_table.h"
#include "score/score_dialog.h"

namespace {

enum { kChooser = 1060, kList = 1058, kOk = 1, kClear = 1059, kCongratulation = 1062, kNameBox = 1061 };

class ScoreDialogTest : public testing::Test {
protected:
    CRankTable& OpenTable() {
        settings_.currentFile = (dir_ / "lesson.wl").string();
        settings_.ReopenRankTable(prompt_);
        return *settings_.GetRankTable();
    }
    // A ranking for names with the given results (right of 20 each), in the order given.
    CRankList* AddRanking(const std::vector<std::string>& names, std::initializer_list<int> rights) {
        CRankTable& table = *settings_.GetRankTable();
        table.SelectList(names);
        int place = 1;
        for (int right : rights) table.AddResult(place++, Sjis("名前") + std::to_string(right), 20, right);
        return table.GetCurrentList();
    }
    CScoreDialog& Open() {
        dialog_ = std::make_unique<CScoreDialog>(settings_, prompt_, nullptr, 0);
        dialog_->show();
        return *dialog_;
    }
    QComboBox& Chooser() const { return Control<QComboBox>(*dialog_, kChooser); }
    QTreeWidget& List() const { return Control<QTreeWidget>(*dialog_, kList); }
    QPushButton& ClearButton() const { return Control<QPushButton>(*dialog_, kClear); }
    // The shown rows as "place name right questions rate" (the date left out).
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < List().topLevelItemCount(); ++row) {
            QStringList texts;
            for (int column : {0, 2, 3, 4, 5}) texts << List().topLevelItem(row)->text(column);
            rows << texts.join(u' ');
        }
        return rows;
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    std::unique_ptr<CScoreDialog> dialog_;
};

// Without a rank table, or without rankings, everything is empty; with them the current ranking
// is shown first, and browsing or clearing leaves the current one as it was at opening.
TEST_F(ScoreDialogTest, ShowsClearsAndPutsTheCurrentRankingBack) {
    for (bool withTable : {false, true}) {
        if (withTable) OpenTable();
        EXPECT_EQ(Open().windowTitle(), QStringLiteral("成績表"));
        EXPECT_EQ(Chooser().count() + List().topLevelItemCount(), 0);
        EXPECT_FALSE(ClearButton().isEnabled());
    }
    ASSERT_EQ(List().columnCount(), 6);
    QStringList headings;
    for (int column = 0; column < 6; ++column) headings << List().headerItem()->text(column);
    EXPECT_EQ(headings, (QStringList{"", "日付", "名前", "正答数", "問題数", "正答率"}));

    CRankTable& table = *settings_.GetRankTable();
    AddRanking({Sjis("動物")}, {20, 17});
    AddRanking({"a,b"}, {11});
    AddRanking({"c\\d"}, {13});
    CRankList* plants = AddRanking({Sjis("植物"), Sjis("木")}, {9});
    Open();
    ASSERT_EQ(Chooser().count(), 4);
    EXPECT_EQ(Chooser().itemText(0) + " " + Chooser().itemText(3), QStringLiteral("動物 植物,木"));
    EXPECT_EQ(Chooser().currentIndex(), 3);
    EXPECT_EQ(Rows(), QStringList{"1. 名前9 9 20 45.00"});
    EXPECT_TRUE(ClearButton().isEnabled());
    // Names holding a comma or a backslash still show their own ranking.
    const QStringList shown[] = {{"1. 名前20 20 20 100.00", "2. 名前17 17 20 85.00"}, {"1. 名前11 11 20 55.00"},
                                 {"1. 名前13 13 20 65.00"}};
    for (int index = 0; index < 3; ++index) {
        Chooser().setCurrentIndex(index);
        EXPECT_EQ(Rows(), shown[index]) << index;
    }
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(table.GetCurrentList(), plants) << "browsing leaves the ranking of the next run alone";
    EXPECT_EQ(table.GetLists().size(), 4u) << "browsing creates no rankings";

    // Without a current ranking the first is shown. Clearing asks first and empties only the
    // shown ranking; none is current afterwards.
    table.SetCurrentList(nullptr);
    Open();
    EXPECT_EQ(Chooser().currentIndex(), 0);
    prompt_.QueueAnswer(PromptAnswer::Cancel);
    QTest::mouseClick(&ClearButton(), Qt::LeftButton);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"削除: 現在表示されている成績表をクリアします。"});
    EXPECT_EQ(prompt_.Messages()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(List().topLevelItemCount(), 2);
    EXPECT_EQ(table.GetLists()[0]->GetEntries().size(), 2u);

    prompt_.QueueAnswer(PromptAnswer::Ok);
    QTest::mouseClick(&ClearButton(), Qt::LeftButton);
    EXPECT_EQ(List().topLevelItemCount(), 0);
    EXPECT_TRUE(table.GetLists()[0]->GetEntries().empty());
    EXPECT_EQ(table.GetLists()[1]->GetEntries().size(), 1u) << "only the shown ranking is cleared";
    Chooser().setCurrentIndex(1);
    EXPECT_TRUE(ClearButton().isEnabled());
    Chooser().setCurrentIndex(0);
    EXPECT_FALSE(ClearButton().isEnabled());
    QTest::mouseClick(&Control<QPushButton>(*dialog_, kOk), Qt::LeftButton);
    EXPECT_EQ(table.GetCurrentList(), nullptr);
}

TEST(NameEntryDialogTest, CongratulatesClosesOnlyWithOkAndRefusesNamesOutsideShiftJis) {
    CRecordingPrompt prompt;
    CNameEntryDialog dialog(2, "85.00 %", prompt);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("第2位"));
    EXPECT_EQ(Control<QLabel>(dialog, kCongratulation).text(),
              QStringLiteral("おめでとう。あなたの正答率 85.00 % は\n第2位です。"));
    QLineEdit* nameBox = &Control<QLineEdit>(dialog, kNameBox);
    EXPECT_EQ(nameBox->text(), QString());
    QTest::keyClick(nameBox, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());

    nameBox->setText(QStringLiteral("はな\U0001F338"));
    QTest::keyClick(nameBox, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].icon, PromptIcon::Information);
    EXPECT_EQ(nameBox->text(), QStringLiteral("はな\U0001F338"));

    const QString longName = QStringLiteral("  は な こ ") + QString(300, QLatin1Char('x'));
    nameBox->setText(longName);
    QTest::mouseClick(&Control<QPushButton>(dialog, kOk), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), Sjis(longName.toStdString())) << "blanks kept, nothing cut";

    CNameEntryDialog empty(1, "100.00 %", prompt);
    empty.show();
    QTest::keyClick(&Control<QLineEdit>(empty, kNameBox), Qt::Key_Return);
    EXPECT_FALSE(empty.isVisible());
    EXPECT_EQ(empty.Name(), "");
    EXPECT_EQ(prompt.Messages().size(), 1u);
}

}  // namespace
