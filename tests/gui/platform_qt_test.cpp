// The Qt platform layer: windows made from templates and fitted to small screens, our up-down
// control, message boxes and file filters, the font substitution and the data files we carry.
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>

#include "app/app_settings.h"
#include "app/option_dialog.h"
#include "editor/edit_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/default_data.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/up_down.h"
#include "platform/qt/window_fit.h"
#include "quiz/quiz_dialog.h"
#include "wordlist/word_list.h"

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
    EXPECT_EQ(dialog.size(), DialogUnitsToPixels(dialog, QRect(0, 0, 200, 120)).size());
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
        // totals past 16 bits step and wrap alike
        {0, 500000, 500000, nullptr, +1, 0}, {0, 500000, 0, nullptr, -1, 500000}, {0, 70000, 0, "40000", +1, 40001},
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

// A message box is as wide as its caption needs beside a title bar's icon and buttons.
TEST(QtPromptTest, MessageBoxesAreWideEnoughForTheirCaptions) {
    QFont title = QApplication::font("QMdiSubWindowTitleBar");
    title.setBold(true);
    const int bar = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight), QFontMetrics(title).height());
    for (const char* caption : {"time out", "おしまい", "Harbor Lessons - 編集 - とても長いファイルの名前.wl"}) {
        int width = 0;
        QTimer::singleShot(0, [&] { width = QApplication::activeModalWidget()->width(), QApplication::activeModalWidget()->close(); });
        CQtPrompt().ShowMessage("OK", caption, PromptIcon::Information, PromptButtons::Ok);
        EXPECT_GE(width, QFontMetrics(title).horizontalAdvance(QString::fromUtf8(caption)) + 3 * bar) << caption;
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

// At QT_SCALE_FACTOR=2 a 1600x1000 screen is 800x500 of the windows' own pixels, in which their
// fonts keep their size: the same windows on a smaller area. 480x300 makes them scroll.
TEST(WindowFitTest, WindowsOpenInsideTheScreenShrinkBeforeScrollingAndGrowWhereSizable) {
    CWordList list;
    CAppSettings settings;
    CRecordingPrompt prompt;
    std::vector<CQuestion*> run;
    const std::function<std::unique_ptr<QWidget>()> windows[] = {
        [&] { return std::make_unique<CEditDialog>(list, settings, prompt); },
        [&] { return std::make_unique<COptionDialog>(prompt); },
        [&] { return std::make_unique<CQuizDialog>(list, run, 0, settings, prompt); },
    };
    for (const QSize screen : {QSize(1366, 768 - 32), QSize(800, 500), QSize(480, 300)}) {
        for (const auto& make : windows) {
            const std::unique_ptr<QWidget> window = make();
            const QSize base = window->size();
            const std::string what = window->metaObject()->className() + std::to_string(screen.height());
            QHash<QWidget*, int> heights;  // a list or box keeps two lines, or all it had
            for (QWidget* control : window->findChildren<QAbstractScrollArea*>()) heights[control] = control->height();
            WindowFitOf(*window)->FitInto(QRect(QPoint(), screen));
            for (QWidget* control : heights.keys())
                EXPECT_GE(control->height(), std::min(heights[control], 2 * control->fontMetrics().height())) << what;
            const int title = window->windowFlags().testFlag(Qt::FramelessWindowHint) ? 0 : 24;
            EXPECT_TRUE(window->width() <= screen.width() && window->height() <= screen.height() - title &&
                        window->minimumWidth() < base.width() && window->minimumHeight() < base.height()) << what;
            const QRect view = WindowFitOf(*window)->Viewport();
            EXPECT_TRUE(screen.height() == 300 || view.bottomRight() == window->rect().bottomRight()) << what << ": no scrolling";
            for (QWidget* control : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (control->objectName().isEmpty() || control->isHidden()) continue;
                WindowFitOf(*window)->ShowControl(*control);
                // Whole, or from its start where it is larger than the view.
                const QRect place = control->geometry();
                const bool larger = place.width() > view.width() || place.height() > view.height();
                EXPECT_TRUE(view.contains(place) || (larger && view.contains(place.topLeft())))
                    << what << " " << control->objectName().toStdString();
            }
        }
    }
    // The editor grows: its tree, text boxes and menu take the room, the buttons keep their size at the right.
    CEditDialog editor(list, settings, prompt);
    QWidget& tree = Control<QWidget>(editor, CEditDialog::kTree);
    QWidget& finish = Control<QWidget>(editor, CEditDialog::kFinish);
    const auto [treeHeight, button] = std::pair(tree.height(), std::pair(finish.size(), editor.width() - finish.x()));
    ShowActive(editor);
    editor.resize(editor.width() + 100, editor.height() + 300);
    QTest::qWait(10);
    EXPECT_EQ(std::tuple(tree.height() > treeHeight, editor.findChild<QMenuBar*>()->width(), finish.size(), editor.width() - finish.x()),
              std::tuple(true, editor.width(), button.first, button.second));
    WindowFitOf(editor)->FitInto(QRect(0, 0, 480, 300));  // scrolled: the keyboard's control comes into view
    Control<QWidget>(editor, CEditDialog::kAdd).setFocus();
    EXPECT_TRUE(WindowFitOf(editor)->Viewport().contains(Control<QWidget>(editor, CEditDialog::kAdd).geometry()));
}

}  // namespace
