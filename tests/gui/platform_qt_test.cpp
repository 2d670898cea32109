// The Qt platform layer: windows made from templates, our up-down control, file filters for Qt's
// file dialog, the font substitution and the data files the program carries.
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QListWidget>
#include <QRadioButton>

#include "gui/gui_test.h"
#include "platform/qt/default_data.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/up_down.h"

namespace {

const QByteArray kTemplate = R"({"id": 900, "caption": "試験", "font": {"face": "ＭＳ Ｐゴシック", "size": 12},
 "size": [200, 120], "style": ["caption", "sysmenu"],
 "controls": [
  {"id": 10, "kind": "listbox", "rect": [4, 4, 60, 40], "style": ["extended", "disablenoscroll"]},
  {"id": 11, "kind": "edit", "caption": "abc", "rect": [70, 4, 40, 12], "style": ["readonly", "notabstop"]},
  {"id": 12, "kind": "edit", "rect": [70, 20, 30, 12], "style": []},
  {"id": 13, "kind": "updown", "rect": [100, 20, 10, 12], "style": ["wrap", "arrowkeys"]},
  {"id": 14, "kind": "edit", "rect": [70, 36, 80, 30], "style": ["multiline", "readonly", "vscroll"]},
  {"id": 20, "kind": "radio", "caption": "一", "rect": [4, 50, 40, 10], "style": ["group"]},
  {"id": 21, "kind": "radio", "caption": "二", "rect": [4, 60, 40, 10], "style": []},
  {"id": 22, "kind": "radio", "caption": "三", "rect": [4, 70, 40, 10], "style": ["group"]},
  {"id": 32, "kind": "treeview", "rect": [120, 4, 70, 50], "style": []},
  {"id": 33, "kind": "listview", "rect": [120, 60, 70, 40], "style": []},
  {"id": 34, "kind": "button", "caption": "OK", "rect": [150, 104, 40, 12], "style": ["default"]},
  {"id": 35, "kind": "groupbox", "caption": "枠", "rect": [0, 46, 48, 36], "style": ["hidden"]},
  {"id": 65535, "kind": "static", "caption": "名前 ：", "rect": [50, 104, 40, 10], "style": []}
 ]})";

// One window from a template: sizes in dialog units of its font, the up-down with its buddy, each
// style, and radio sets that "group" starts.
TEST(DialogBuilderTest, BuildsTheTemplateInDialogUnitsWithItsStyles) {
    QDialog dialog;
    BuildDialog(dialog, ParseDialogTemplate(kTemplate));
    auto at = [&](int id) { return &Control<QWidget>(dialog, id); };
    const QSize base = DialogBaseUnits(dialog);
    EXPECT_GE(base.height(), 14);  // a 12-point face is 16 pixels tall at 96 dpi
    EXPECT_EQ(DialogUnitsToPixels(dialog, QRect(4, 8, 8, 16)),
              QRect(base.width(), base.height(), 2 * base.width(), 2 * base.height()));
    EXPECT_EQ(at(14)->geometry(), DialogUnitsToPixels(dialog, QRect(70, 36, 80, 30)));
    EXPECT_EQ(dialog.maximumSize(), DialogUnitsToPixels(dialog, QRect(0, 0, 200, 120)).size());
    EXPECT_EQ(Control<CUpDown>(dialog, 13).Buddy(), at(12));
    auto& list = Control<QListWidget>(dialog, 10);
    auto& readOnly = Control<QLineEdit>(dialog, 11);
    auto tabStop = [&](int id) { return (at(id)->focusPolicy() & Qt::TabFocus) != 0; };
    const std::pair<bool, const char*> checks[] = {
        {dialog.font() == DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 12), "the template's font"},
        {list.selectionMode() == QAbstractItemView::ExtendedSelection, "extended"},
        {list.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, "disablenoscroll"},
        {readOnly.isReadOnly() && readOnly.text() == QStringLiteral("abc"), "readonly with its caption"},
        {!tabStop(11) && !tabStop(14) && tabStop(12), "notabstop; a read-only box is no Tab stop unless made one"},
        {Control<QPushButton>(dialog, 34).isDefault(), "default"},
        {at(35)->isHidden() && !at(12)->isHidden(), "hidden"},
        {Control<QTreeWidget>(dialog, 32).isHeaderHidden() && !Control<QTreeWidget>(dialog, 33).isHeaderHidden(),
         "headings for a report list view only"},
        {Control<QLabel>(dialog, 65535).text() == QStringLiteral("名前 ："), "static caption"},
    };
    for (const auto& [holds, what] : checks) EXPECT_TRUE(holds) << what;

    auto radio = [&](int id) { return &Control<QRadioButton>(dialog, id); };
    radio(20)->setChecked(true);
    radio(22)->setChecked(true);  // another set
    radio(21)->setChecked(true);
    EXPECT_EQ(QList<bool>({radio(20)->isChecked(), radio(21)->isChecked(), radio(22)->isChecked()}),
              QList<bool>({false, true, true}));
}

// A wrapping step from a start position (clamped into the range) after the buddy was given a
// text: a number in range is stepped from, anything else leaves the last position standing.
TEST(UpDownTest, StepsWithinTheRangeWrappingAtTheEnds) {
    struct {
        int lower, upper, start;
        const char* typed;
        int direction, expected;
    } const cases[] = {
        {0, 10, 4, nullptr, +1, 5}, {0, 10, 4, nullptr, -1, 3}, {0, 10, 10, nullptr, +1, 0}, {0, 10, 0, nullptr, -1, 10},
        {-5, 5, -5, nullptr, -1, 5}, {7, 7, 7, nullptr, +1, 7}, {0, 30, 99, nullptr, -1, 29}, {0, 50, 40, "7", +1, 8},
        {0, 50, 40, "x", +1, 41}, {0, 50, 40, "80", -1, 39},
    };
    for (const auto& c : cases) {
        QLineEdit buddy;
        CUpDown upDown;
        upDown.SetBuddy(&buddy);
        upDown.SetRange(c.lower, c.upper);
        upDown.SetWrap(true);
        upDown.SetPosition(c.start);
        if (c.typed != nullptr) buddy.setText(QString::fromLatin1(c.typed));
        upDown.Step(c.direction);
        EXPECT_EQ(upDown.Position(), c.expected);
        EXPECT_EQ(buddy.text(), QString::number(c.expected))
            << c.lower << ".." << c.upper << " from " << c.start << " step " << c.direction;
    }
}

TEST(QtPromptTest, ConvertsFiltersToQtNameFilters) {
    EXPECT_EQ(ConvertFileFilter("ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||"), (QStringList{"ﾜｰﾄﾞﾘｽﾄ(*.wl)", "全て(*.*)"}));
    EXPECT_EQ(ConvertFileFilter("MIDI|*.mid;*.midi||"), QStringList{"MIDI (*.mid *.midi)"});
    EXPECT_EQ(ConvertFileFilter("Text|*.txt"), QStringList{"Text (*.txt)"});
}

// Qt's own dialogs speak Japanese, and the dialog face is substituted with a Japanese font.
// Enter presses the default button: the first, or the last where "yes" throws work away.
TEST(QtPromptTest, EnterAnswersWithTheNamedDefaultButton) {
    using Case = std::tuple<PromptButtons, PromptDefault, PromptAnswer>;
    for (const auto& [buttons, chosen, answer] : {Case{PromptButtons::YesNo, PromptDefault::First, PromptAnswer::Yes},
                                                  Case{PromptButtons::YesNo, PromptDefault::Last, PromptAnswer::No},
                                                  Case{PromptButtons::OkCancel, PromptDefault::Last, PromptAnswer::Cancel}}) {
        QTimer::singleShot(50, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        CQtPrompt prompt;
        EXPECT_EQ(prompt.ShowMessage("text", "caption", PromptIcon::Question, buttons, chosen), answer);
    }
}

TEST(JapaneseDesktopTest, QtTranslationsAndFontSubstitution) {
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    InstallFontSubstitutions();
    const QFont font = DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 12);
    EXPECT_EQ(font.pixelSize(), 16);
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family == QStringLiteral("IPAPGothic") || family.startsWith(QStringLiteral("Noto Sans CJK")))
        << family.toStdString();
}

TEST(DefaultDataTest, WritesMissingDataFilesOnceAndNeverOverwrites) {
    TempDir dir;
    EXPECT_TRUE(IsFirstStartIn(dir.Path()));
    WriteFileBytes(dir / "default.wl", "mine");
    EXPECT_EQ(ProvideDefaultDataFiles(dir.Path()), (std::vector<std::string>{"default.mid", "HARBORLESSONS.HLP"}));
    EXPECT_EQ(ReadFileBytes(dir / "default.wl"), "mine");
    EXPECT_EQ(ReadFileBytes(dir / "default.mid").substr(0, 4), "MThd");
    EXPECT_NE(ReadFileBytes(dir / "HARBORLESSONS.HLP").find("name=\"topic4\""), std::string::npos);
    EXPECT_TRUE(ProvideDefaultDataFiles(dir.Path()).empty());
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\n");
    EXPECT_FALSE(IsFirstStartIn(dir.Path()));

    TempDir fresh;  // the sample word list is carried too
    EXPECT_EQ(ProvideDefaultDataFiles(fresh.Path()).size(), 3u);
    EXPECT_EQ(ReadFileBytes(fresh / "default.wl").rfind("_PEL_LORA_LIST_FILE_,1.0\r\n", 0), 0u);
}

}  // namespace
