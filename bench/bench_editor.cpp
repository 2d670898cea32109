// Opening the editor on a word list far larger than any lesson: 500,000 questions in 5,000
// genres that nest as a tree. The tree is sorted in the learner's locale; a genre's questions
// get their items when first shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "offscreen_application.h"
#include "app/app_settings.h"
#include "editor/edit_dialog.h"
#include "editor/edit_dialog_tree.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

constexpr int kGenres = 5000;
constexpr int kQuestionsPerGenre = 100;

// Genre i includes genres 2i+1 and 2i+2; the question numbers run against their order, so
// sorting has work to do.
const CWordList& LargeList() {
    static const std::unique_ptr<CWordList> list = [] {
        auto made = std::make_unique<CWordList>();
        const std::string question = text::ToCp932("次の都道府県の県庁所在地を漢字で答えなさい、問題番号第");
        std::vector<CGenre*> genres;
        for (int g = 0; g < kGenres; ++g) {
            genres.push_back(made->AddGenre(std::make_unique<CGenre>(text::ToCp932("分野") + std::to_string(kGenres - g))));
            for (int q = kQuestionsPerGenre; q > 0; --q) {
                genres.back()->AddQuestion(std::make_unique<CQuestion>(
                    question + std::to_string(g * kQuestionsPerGenre + q), "2", true,
                    std::vector<std::string>{text::ToCp932("さいたま市"), text::ToCp932("浦和")}));
            }
        }
        for (int g = 0; 2 * g + 1 < kGenres; ++g) {
            genres[g]->AddChildGenre(genres[2 * g + 1]);
            if (2 * g + 2 < kGenres) genres[g]->AddChildGenre(genres[2 * g + 2]);
        }
        return made;
    }();
    return *list;
}

// The tree as the editor opens with it: genres and their groups, shown through the item model.
void BM_EditorTreeBuild(benchmark::State& state) {
    const CWordList& list = LargeList();
    CEditTree tree;
    CEditTreeModel model(tree);
    for (auto _ : state) {
        tree.Build(list, SortLabelsByLocale);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["genres"] = static_cast<double>(model.rowCount());
}
BENCHMARK(BM_EditorTreeBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same tree with every group's items made, as when the learner has opened them all.
void BM_EditorTreeBuildAndFillAll(benchmark::State& state) {
    const CWordList& list = LargeList();
    CEditTree tree;
    std::size_t items = 0;
    for (auto _ : state) {
        tree.Build(list, SortLabelsByLocale);
        items = 0;
        std::vector<int> pending{CEditTree::kRoot};
        while (!pending.empty()) {
            const int item = pending.back();
            pending.pop_back();
            for (int child : tree.Children(item)) pending.push_back(child);
            items += tree.Children(item).size();
        }
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_EditorTreeBuildAndFillAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening the editor window: the working copy, the window and the first screen of its tree.
void BM_EditorOpenWithTree(benchmark::State& state) {
    bench::OffscreenApplication("bench_editor");
    const CWordList& list = LargeList();
    CAppSettings settings;
    CRecordingPrompt prompt;
    for (auto _ : state) {
        CEditDialog editor(list, settings, prompt);
        editor.show();
        benchmark::DoNotOptimize(editor.grab());  // lays out and paints the visible rows
    }
}
BENCHMARK(BM_EditorOpenWithTree)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undoing a delete all in the editor window: the list and the tree come back, and the view
// shows them. Only the undo is timed.
void BM_EditorUndoDeleteAll(benchmark::State& state) {
    bench::OffscreenApplication("bench_editor");
    const CWordList& list = LargeList();
    CAppSettings settings;
    CRecordingPrompt prompt;
    CEditDialog editor(list, settings, prompt);
    editor.show();
    for (auto _ : state) {
        state.PauseTiming();
        editor.Dispatch(CEditDialog::kDeleteAll);  // the prompt answers OK
        QApplication::processEvents();
        state.ResumeTiming();
        editor.Dispatch(CEditDialog::kUndo);
        QApplication::processEvents();  // the view lays the tree out again
    }
    state.counters["genres"] = static_cast<double>(editor.GetWorkingCopy().GetCount());
}
BENCHMARK(BM_EditorUndoDeleteAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
