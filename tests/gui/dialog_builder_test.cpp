// Windows made from templates: each kind becomes its widget, named by its number, placed in
// dialog units of the template's font, with the styles that matter.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <stdexcept>

#include "platform/qt/dialog_builder.h"
#include "platform/qt/up_down.h"

namespace {

const QByteArray kTemplate = R"({"id": 900, "caption": "試験", "font": {"face": "ＭＳ Ｐゴシック", "size": 12},
 "size": [200, 120], "style": ["caption", "sysmenu"],
 "controls": [
  {"id": 10, "kind": "listbox", "rect": [4, 4, 60, 40], "style": ["extended", "disablenoscroll"]},
  {"id": 11, "kind": "edit", "caption": "abc", "rect": [70, 4, 40, 12], "style": ["readonly", "centre", "notabstop"]},
  {"id": 12, "kind": "edit", "rect": [70, 20, 30, 12], "style": []},
  {"id": 13, "kind": "updown", "rect": [100, 20, 10, 12], "style": ["wrap", "arrowkeys"]},
  {"id": 14, "kind": "edit", "rect": [70, 36, 80, 30], "style": ["multiline", "readonly", "vscroll"]},
  {"id": 20, "kind": "radio", "caption": "一", "rect": [4, 50, 40, 10], "style": ["group"]},
  {"id": 21, "kind": "radio", "caption": "二", "rect": [4, 60, 40, 10], "style": []},
  {"id": 22, "kind": "radio", "caption": "三", "rect": [4, 70, 40, 10], "style": ["group"]},
  {"id": 30, "kind": "checkbox", "caption": "可", "rect": [4, 84, 40, 10], "style": ["disabled"]},
  {"id": 31, "kind": "combobox", "rect": [50, 84, 60, 80], "style": []},
  {"id": 32, "kind": "treeview", "rect": [120, 4, 70, 50], "style": []},
  {"id": 33, "kind": "listview", "rect": [120, 60, 70, 40], "style": []},
  {"id": 34, "kind": "button", "caption": "OK", "rect": [150, 104, 40, 12], "style": ["default"]},
  {"id": 35, "kind": "groupbox", "caption": "枠", "rect": [0, 46, 48, 36], "style": ["hidden"]},
  {"id": 65535, "kind": "static", "caption": "名前 ：", "rect": [50, 104, 40, 10], "style": []}
 ]})";

class DialogBuilderTest : public testing::Test {
protected:
    DialogBuilderTest() { BuildDialog(dialog_, ParseDialogTemplate(kTemplate)); }
    QDialog dialog_;
};

}  // namespace

TEST_F(DialogBuilderTest, PlacesControlsInDialogUnitsOfTheTemplateFont) {
    const QSize base = DialogBaseUnits(dialog_);
    EXPECT_GT(base.width(), 4);
    EXPECT_GE(base.height(), 14);  // a 12-point face is 16 pixels tall at 96 dpi
    // x * baseX / 4 and y * baseY / 8, rounded.
    EXPECT_EQ(DialogUnitsToPixels(dialog_, QRect(4, 8, 8, 16)),
              QRect(base.width(), base.height(), 2 * base.width(), 2 * base.height()));
    EXPECT_EQ(FindControl<QWidget>(dialog_, 14)->geometry(), DialogUnitsToPixels(dialog_, QRect(70, 36, 80, 30)));
    EXPECT_EQ(dialog_.size(), DialogUnitsToPixels(dialog_, QRect(0, 0, 200, 120)).size());
    EXPECT_EQ(dialog_.minimumSize(), dialog_.maximumSize());
    // The combo box keeps one line's height, not the dropped list's.
    EXPECT_LT(FindControl<QWidget>(dialog_, 31)->height(), DialogUnitsToPixels(dialog_, QRect(0, 0, 1, 80)).height());
}

TEST_F(DialogBuilderTest, AppliesStyles) {
    auto* list = FindControl<QListWidget>(dialog_, 10);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto* total = FindControl<QLineEdit>(dialog_, 11);
    EXPECT_TRUE(total->isReadOnly());
    EXPECT_EQ(total->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(total->text(), QStringLiteral("abc"));
    EXPECT_NE(total->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_TRUE(FindControl<QPlainTextEdit>(dialog_, 14)->isReadOnly());
    EXPECT_FALSE(FindControl<QCheckBox>(dialog_, 30)->isEnabled());
    EXPECT_TRUE(FindControl<QPushButton>(dialog_, 34)->isDefault());
    EXPECT_TRUE(FindControl<QWidget>(dialog_, 35)->isHidden());
    EXPECT_TRUE(FindControl<QTreeWidget>(dialog_, 32)->isHeaderHidden());
    EXPECT_FALSE(FindControl<QTreeWidget>(dialog_, 33)->isHeaderHidden());  // a report list view
    EXPECT_EQ(FindControl<QLabel>(dialog_, 65535)->text(), QStringLiteral("名前 ："));
    EXPECT_FALSE(FindControl<QWidget>(dialog_, 12)->isHidden());
}

TEST_F(DialogBuilderTest, RadioButtonsAreExclusivePerGroup) {
    auto* one = FindControl<QRadioButton>(dialog_, 20);
    auto* two = FindControl<QRadioButton>(dialog_, 21);
    auto* three = FindControl<QRadioButton>(dialog_, 22);
    one->setChecked(true);
    three->setChecked(true);
    EXPECT_TRUE(one->isChecked());  // another group
    two->setChecked(true);
    EXPECT_FALSE(one->isChecked());
    EXPECT_TRUE(three->isChecked());
}

TEST_F(DialogBuilderTest, UpDownTakesThePrecedingEditAsBuddyAtItsRightEdge) {
    auto* upDown = FindControl<CUpDown>(dialog_, 13);
    auto* buddy = FindControl<QLineEdit>(dialog_, 12);
    ASSERT_EQ(upDown->Buddy(), buddy);
    EXPECT_TRUE(upDown->Wraps());
    EXPECT_EQ(upDown->geometry().left(), buddy->geometry().right() + 1);
    EXPECT_EQ(upDown->geometry().top(), buddy->geometry().top());
    EXPECT_EQ(upDown->height(), buddy->height());
}

TEST(DialogTemplateTest, FaultyTemplatesAreRefusedByName) {
    EXPECT_THROW(LoadDialogTemplate(1), std::runtime_error);
    EXPECT_THROW(ParseDialogTemplate("{\"id\": 5,"), std::runtime_error);
    QDialog dialog;
    EXPECT_THROW(BuildDialog(dialog, ParseDialogTemplate(R"({"controls": [{"id": 1, "kind": "slider"}]})")),
                 std::runtime_error);
}

TEST(DialogTemplateTest, EveryShippedTemplateBuilds) {
    for (int id : {100, 102}) {
        QDialog dialog;
        const CDialogTemplate loaded = LoadDialogTemplate(id);
        EXPECT_EQ(loaded.id, id);
        EXPECT_NO_THROW(BuildDialog(dialog, loaded)) << id;
    }
}
