// The score table and the name entry, driven by their numbered controls over a rank table in a
// temporary folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/app_settings.h"
#include "platform/qt/dialog_builder.h"
#include "platform/recording_prompt.h"
#include "score/name_entry_dialog.h"
#include "score/rank_table.h"
#include "score/score_dialog.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

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
    CScoreDialog& Open(int marked = 0) {
        dialog_ = std::make_unique<CScoreDialog>(settings_, prompt_, nullptr, marked);
        dialog_->show();
        return *dialog_;
    }
    QComboBox& Chooser() const { return *FindControl<QComboBox>(*dialog_, kChooser); }
    QTreeWidget& List() const { return *FindControl<QTreeWidget>(*dialog_, kList); }
    QPushButton& ClearButton() const { return *FindControl<QPushButton>(*dialog_, kClear); }
    QStringList Row(int row) const {
        QStringList texts;
        for (int column = 0; column < List().columnCount(); ++column) texts << List().topLevelItem(row)->text(column);
        return texts;
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    std::unique_ptr<CScoreDialog> dialog_;
};

TEST_F(ScoreDialogTest, WithoutRankingsEverythingIsEmpty) {
    for (bool withTable : {false, true}) {
        if (withTable) OpenTable();
        CScoreDialog& dialog = Open();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("成績表"));
        EXPECT_EQ(Chooser().count(), 0);
        EXPECT_EQ(List().topLevelItemCount(), 0);
        EXPECT_FALSE(ClearButton().isEnabled());
    }
    ASSERT_EQ(List().columnCount(), 6);
    const QStringList headings{"", "日付", "名前", "正答数", "問題数", "正答率"};
    const int widths[] = {25, 85, 100, 55, 55, 55};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(List().headerItem()->text(column), headings[column]);
        EXPECT_EQ(List().columnWidth(column), widths[column]);
    }
}

TEST_F(ScoreDialogTest, ShowsTheCurrentRankingAndPutsItBackAfterBrowsing) {
    CRankTable& table = OpenTable();
    AddRanking({Sjis("動物")}, {20, 17});
    CRankList* plants = AddRanking({Sjis("植物"), Sjis("木")}, {9});
    Open();
    ASSERT_EQ(Chooser().count(), 2);
    EXPECT_EQ(Chooser().itemText(0), QStringLiteral("動物"));
    EXPECT_EQ(Chooser().itemText(1), QStringLiteral("植物,木"));
    EXPECT_EQ(Chooser().currentIndex(), 1);
    ASSERT_EQ(List().topLevelItemCount(), 1);
    EXPECT_EQ(Row(0).mid(2), (QStringList{"名前9", "9", "20", "45.00"}));
    EXPECT_EQ(Row(0)[0], QStringLiteral("1."));
    EXPECT_TRUE(ClearButton().isEnabled());

    Chooser().setCurrentIndex(0);
    ASSERT_EQ(List().topLevelItemCount(), 2);
    EXPECT_EQ(Row(0)[0], QStringLiteral("1."));
    EXPECT_EQ(Row(0)[5], QStringLiteral("100.00"));
    EXPECT_EQ(Row(1)[0], QStringLiteral("2."));
    EXPECT_EQ(Row(1)[5], QStringLiteral("85.00"));

    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(table.GetCurrentList(), plants) << "browsing leaves the ranking of the next run alone";
    EXPECT_EQ(table.GetLists().size(), 2u) << "browsing creates no rankings";
}

TEST_F(ScoreDialogTest, WithoutCurrentRankingTheFirstIsShown) {
    CRankTable& table = OpenTable();
    AddRanking({"A"}, {10});
    AddRanking({"B"}, {12});
    table.SetCurrentList(nullptr);
    Open();
    EXPECT_EQ(Chooser().currentIndex(), 0);
    EXPECT_EQ(Row(0)[3], QStringLiteral("10"));
    QTest::mouseClick(FindControl<QPushButton>(*dialog_, kOk), Qt::LeftButton);
    EXPECT_EQ(table.GetCurrentList(), nullptr);
}

TEST_F(ScoreDialogTest, NamesWithCommasAndBackslashesShowTheirOwnRanking) {
    OpenTable();
    AddRanking({"a,b"}, {11});
    AddRanking({"c\\d"}, {13});
    AddRanking({"e"}, {15});
    Open();
    Chooser().setCurrentIndex(0);
    ASSERT_EQ(List().topLevelItemCount(), 1);
    EXPECT_EQ(Row(0)[3], QStringLiteral("11"));
    Chooser().setCurrentIndex(1);
    ASSERT_EQ(List().topLevelItemCount(), 1);
    EXPECT_EQ(Row(0)[3], QStringLiteral("13"));
}

TEST_F(ScoreDialogTest, ClearingAsksFirstAndEmptiesTheShownRanking) {
    CRankTable& table = OpenTable();
    AddRanking({"A"}, {10, 8});
    CRankList* second = AddRanking({"B"}, {12});
    table.SetCurrentList(second);
    Open();
    Chooser().setCurrentIndex(0);

    prompt_.QueueAnswer(PromptAnswer::Cancel);
    QTest::mouseClick(&ClearButton(), Qt::LeftButton);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, "現在表示されている成績表をクリアします。");
    EXPECT_EQ(prompt_.Messages()[0].caption, "削除");
    EXPECT_EQ(prompt_.Messages()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::None);
    EXPECT_EQ(List().topLevelItemCount(), 2);
    EXPECT_EQ(table.GetLists()[0]->GetEntries().size(), 2u);

    prompt_.QueueAnswer(PromptAnswer::Ok);
    QTest::mouseClick(&ClearButton(), Qt::LeftButton);
    EXPECT_EQ(List().topLevelItemCount(), 0);
    EXPECT_TRUE(table.GetLists()[0]->GetEntries().empty());
    EXPECT_EQ(table.GetLists()[1]->GetEntries().size(), 1u) << "only the shown ranking is cleared";
    EXPECT_TRUE(table.IsModified());

    Chooser().setCurrentIndex(1);
    EXPECT_TRUE(ClearButton().isEnabled());
    Chooser().setCurrentIndex(0);
    EXPECT_FALSE(ClearButton().isEnabled());
    dialog_->close();
    EXPECT_EQ(table.GetCurrentList(), second);
}

TEST(NameEntryDialogTest, CongratulatesAndClosesOnlyWithOk) {
    CRecordingPrompt prompt;
    CNameEntryDialog dialog(2, "85.00 %", prompt);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("第2位"));
    EXPECT_EQ(FindControl<QLabel>(dialog, kCongratulation)->text(),
              QStringLiteral("おめでとう。あなたの正答率 85.00 % は\n第2位です。"));
    QLineEdit* nameBox = FindControl<QLineEdit>(dialog, kNameBox);
    EXPECT_EQ(nameBox->text(), QString());

    QTest::keyClick(nameBox, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());

    const QString longName = QStringLiteral("  は な こ ") + QString(300, QLatin1Char('x'));
    nameBox->setText(longName);
    QTest::mouseClick(FindControl<QPushButton>(dialog, kOk), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), Sjis(longName.toStdString())) << "blanks kept, nothing cut";
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST(NameEntryDialogTest, RefusesNamesOutsideShiftJis) {
    CRecordingPrompt prompt;
    CNameEntryDialog dialog(1, "100.00 %", prompt);
    dialog.show();
    QLineEdit* nameBox = FindControl<QLineEdit>(dialog, kNameBox);
    nameBox->setText(QStringLiteral("はな\U0001F338"));
    QTest::keyClick(nameBox, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].icon, PromptIcon::Information);
    EXPECT_EQ(nameBox->text(), QStringLiteral("はな\U0001F338"));

    nameBox->setText(QString());
    QTest::keyClick(nameBox, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Name(), "");
}

}  // namespace
