// Windows on small screens: each opens inside the screen's available area, shrinks its lists
// and text boxes before it scrolls, and every control can still be reached.
#include <QMenuBar>
#include <QScrollBar>

#include "app/app_settings.h"
#include "app/option_dialog.h"
#include "editor/edit_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/window_fit.h"
#include "quiz/quiz_dialog.h"
#include "score/score_dialog.h"
#include "wordlist/word_list.h"

namespace {

// The part of a window its controls are seen in: below the menu, beside the scroll bars.
QRect Viewport(const QWidget& window) {
    QRect view = window.rect();
    if (const auto* menu = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) view.setTop(menu->height());
    for (const QScrollBar* bar : window.findChildren<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (bar->isHidden()) continue;
        if (bar->orientation() == Qt::Vertical) view.setRight(bar->geometry().left() - 1);
        else view.setBottom(bar->geometry().top() - 1);
    }
    return view;
}

// Elastic 20..80 (at least 30 long) with a rigid label over its first 10, rigid 85..95.
TEST(AxisFitTest, RigidSpansKeepTheirLengthAndElasticOnesGiveWayDownToTheirMinimum) {
    const CAxisFit axis({{20, 80, true, 30}, {20, 30, false, 0}, {85, 95, false, 0}}, 100);
    struct {
        int length;
        bool mayGrow;
        int elasticEnd, rigidStart, laidOut;
    } const cases[] = {
        {100, false, 80, 85, 100}, {70, false, 50, 55, 70}, {40, false, 50, 55, 70},  // no shorter than 30
        {150, false, 80, 85, 100}, {150, true, 130, 135, 150},
    };
    EXPECT_EQ(axis.Smallest(), 70);
    for (const auto& c : cases) {
        const double factor = axis.FactorFor(c.length, c.mayGrow);
        EXPECT_EQ(std::tuple(axis.Map(20, factor), axis.Map(30, factor), axis.Map(80, factor), axis.Map(85, factor),
                             axis.Map(95, factor) - axis.Map(85, factor), axis.LengthAt(factor)),
                  std::tuple(20, 30, c.elasticEnd, c.rigidStart, 10, c.laidOut))
            << c.length;
    }
}

// At QT_SCALE_FACTOR=2 a 1600x1000 screen is 800x500 of the windows' own pixels, whose fonts keep
// their size in them: the same windows on a smaller area.
TEST(WindowFitTest, EveryWindowOpensInsideTheScreenAndEveryControlCanBeReached) {
    CWordList list;
    CAppSettings settings;
    CRecordingPrompt prompt;
    std::vector<CQuestion*> run;
    const std::function<std::unique_ptr<QWidget>()> windows[] = {
        [&] { return std::make_unique<CEditDialog>(list, settings, prompt); },
        [&] { return std::make_unique<COptionDialog>(prompt); },
        [&] { return std::make_unique<CQuizDialog>(list, run, 0, settings, prompt); },
        [&] { return std::make_unique<CScoreDialog>(settings, prompt); },
    };
    for (const QRect screen : {QRect(0, 0, 1366, 768 - 32), QRect(0, 0, 800, 500), QRect(0, 0, 480, 300)}) {
        for (const auto& make : windows) {
            const std::unique_ptr<QWidget> window = make();
            const QSize base = window->size();
            WindowFitOf(*window)->FitInto(screen);
            const std::string what = window->metaObject()->className() + std::to_string(screen.height());
            const int title = window->windowFlags().testFlag(Qt::FramelessWindowHint) ? 0 : 24;
            EXPECT_LE(window->width(), screen.width()) << what;
            EXPECT_LE(window->height(), screen.height() - title) << what;
            EXPECT_LT(window->minimumHeight(), base.height()) << what;
            EXPECT_LT(window->minimumWidth(), base.width()) << what;
            const QRect view = Viewport(*window);
            for (QWidget* control : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (control->objectName().isEmpty() || control->isHidden()) continue;
                WindowFitOf(*window)->ShowControl(*control);
                // Whole, or from its start where it is larger than the view.
                const QRect place = control->geometry();
                EXPECT_TRUE(view.contains(place) || (view.contains(place.topLeft()) && (place.width() > view.width() || place.height() > view.height())))
                    << what << " " << control->objectName().toStdString();
            }
        }
    }
}

// The editor on the 800x500 area: the tree and the text boxes give up room, and nothing scrolls.
TEST(WindowFitTest, TheEditorShrinksItsTreeAndFieldsBeforeItScrolls) {
    CWordList list;
    CAppSettings settings;
    CRecordingPrompt prompt;
    CEditDialog editor(list, settings, prompt);
    const int tree = Control<QWidget>(editor, CEditDialog::kTree).height();
    WindowFitOf(editor)->FitInto(QRect(0, 0, 800, 500));
    EXPECT_LT(Control<QWidget>(editor, CEditDialog::kTree).height(), tree);
    const int line = editor.fontMetrics().height();
    for (int field : {CEditDialog::kQuestion, CEditDialog::kAnswers, CEditDialog::kExplanation})
        EXPECT_GE(Control<QWidget>(editor, field).height(), 2 * line) << field;
    for (const QScrollBar* bar : editor.findChildren<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(bar->isHidden());
    // Grown, the room goes to the tree and the fields; the buttons keep their size at the right.
    editor.show();
    QWidget& finish = Control<QWidget>(editor, CEditDialog::kFinish);
    const QSize button = finish.size();
    const int margin = editor.width() - finish.geometry().right();
    editor.resize(editor.width() + 100, editor.height() + 300);
    QTest::qWait(10);
    EXPECT_GT(Control<QWidget>(editor, CEditDialog::kTree).height(), tree);
    EXPECT_EQ(std::pair(finish.size(), editor.width() - finish.geometry().right()), std::pair(button, margin));
}

}  // namespace
