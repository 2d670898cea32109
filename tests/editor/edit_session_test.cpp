// The editor without a window: its tree of a word list, each edit command on the working copy
// and the tree, and the file commands with their prompts, over files in a temporary folder.
#include "editor/edit_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

#include "app/app_settings.h"
#include "editor/question_fields.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"

namespace {

// Genre b holds two questions and includes C, a and a genre that does not exist; C includes a
// before its question. Read in file order, b, C and a.
constexpr std::string_view kFile =
    "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,b;\r\nPL_PRIMITIVE;\r\nZeta,1,z;\r\nalpha,1,a;\r\nPL_INFO,note;\r\n"
    "PL_INCLUDE;\r\nC;\r\na;\r\nmissing;\r\nPL_BLOCK_END;\r\nPL_BLOCK,C;\r\nPL_INCLUDE;\r\na;\r\nPL_PRIMITIVE;\r\n"
    "beta,-1,r,w;\r\nPL_BLOCK_END;\r\nPL_BLOCK,a;\r\nPL_BLOCK_END;\r\n";
// The tree of kFile: the top level and the questions in order without letter case.
const std::string kTree = "a b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]";
const std::string kModel = "b{Zeta(1;z;) alpha(1;a;note) >C >a ?missing} C{>a beta(-1;r,w;)} a{}";

std::string Utf8(std::string_view cp932) { return text::Cp932ToUtf8Lossy(cp932); }

std::string DumpTree(const CEditTree& tree, int item = CEditTree::kRoot) {
    std::string dump;
    for (int child : tree.Children(item)) {
        if (!dump.empty()) dump += ' ';
        dump += Utf8(tree.Label(child));
        if (!tree.Children(child).empty() || tree.KindOf(child) == EditItemKind::ChildGroup)
            dump += '[' + DumpTree(tree, child) + ']';
    }
    return dump;
}

std::string DumpModel(const CWordList& list) {
    std::string dump;
    for (const auto& genre : list.GetGenres()) {
        dump += (dump.empty() ? "" : " ") + Utf8(genre->GetName()) + '{';
        for (const CGenreEntry& entry : genre->GetEntries()) {
            dump += dump.back() == '{' ? "" : " ";
            if (const CQuestion* q = entry.GetQuestion()) {
                dump += Utf8(q->PeekText()) + '(' + std::to_string(q->GetRequired()) + ';';
                for (const CAnswer& answer : q->GetAnswers()) (dump += answer.GetText()) += ',';
                dump.back() = ';';
                dump += Utf8(q->GetExplanation()) + ')';
            } else {
                dump += entry.GetChild() ? '>' + Utf8(entry.GetChild()->GetName()) : '?' + Utf8(entry.GetPendingName());
            }
        }
        dump += '}';
    }
    return dump;
}

class EditSessionTest : public testing::Test {
protected:
    EditSessionTest() {
        WriteFileBytes(dir_ / "lesson.wl", Sjis(kFile));
        EXPECT_EQ(LoadWordList(prompt_, source_, dir_ / "lesson.wl"), 1);
        settings_.currentFile = (dir_ / "lesson.wl").string();
        Reopen();
    }
    void Reopen() {
        session_ = std::make_unique<CEditSession>(source_, settings_, prompt_, SortLabelsCaseless);
        session_->BuildTree();
    }
    const CEditTree& Tree() const { return session_->GetTree(); }
    // The item at a path of labels ("b/問題/Zeta"), the last of each label.
    int Item(std::string_view path) const {
        int item = CEditTree::kRoot;
        for (std::string_view rest = path; item != CEditTree::kNone && !rest.empty();) {
            const std::string_view piece = rest.substr(0, rest.find('/'));
            rest.remove_prefix(std::min(piece.size() + 1, rest.size()));
            const std::string label = Sjis(piece);
            const auto& children = Tree().Children(item);
            auto found = std::find_if(children.rbegin(), children.rend(), [&](int c) { return Tree().Label(c) == label; });
            item = found == children.rend() ? CEditTree::kNone : *found;
        }
        return path.empty() ? CEditTree::kNone : item;
    }
    std::string Totals() const {
        const auto& genres = session_->GetWorkingCopy().GetGenres();
        return std::accumulate(genres.begin(), genres.end(), std::string(), [](std::string t, const auto& g) { return t + std::to_string(g->GetTotal()) + ' '; });
    }
    // The messages so far as "caption: text", or the caption only for the reader's and writer's.
    std::vector<std::string> Said() const {
        std::vector<std::string> said;
        for (const auto& m : prompt_.Messages()) said.push_back(m.icon == PromptIcon::Exclamation ? m.caption : m.caption + ": " + m.text);
        return said;
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    CWordList source_;
    std::unique_ptr<CEditSession> session_;
};

enum class Op { Add, Replace, NewGenre, AddChild, Delete, DeleteAll };

// Each edit runs twice: on a tree whose every group has been looked at, and on a fresh one,
// whose question groups make their items only when an edit or a look needs them.
TEST_F(EditSessionTest, EachEditChangesTheTreeAndTheWorkingCopyAlikeAndIsUndoneAndRedoneExactly) {
    EXPECT_EQ(DumpTree(Tree()), kTree);
    EXPECT_EQ(DumpModel(session_->GetWorkingCopy()), kModel);
    EXPECT_EQ(session_->Caption(), "Harbor Lessons - 編集 - lesson.wl");
    const struct {
        Op op;
        const char* selected;
        const char* name;  // of a new or child genre
        std::string tree;
        std::string model;
        const char* select;  // the item selected afterwards; "" none
    } cases[] = {
        {Op::Add, "b", "", "a b[問題[alpha Zeta new] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C >a ?missing new(2;x,y;ex\r\n)} C{>a beta(-1;r,w;)} a{}", "b/問題/new"},
        {Op::Add, "b/子ジャンル/C", "", "a b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta new]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C >a ?missing} C{>a beta(-1;r,w;) new(2;x,y;ex\r\n)} a{}", "C/問題/new"},
        {Op::Add, "C/子ジャンル/a", "", "a[問題[new]] b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C >a ?missing} C{>a beta(-1;r,w;)} a{new(2;x,y;ex\r\n)}", "a/問題/new"},
        {Op::Replace, "b/問題/alpha", "", "a b[問題[new Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) >C >a ?missing new(2;x,y;ex\r\n)} C{>a beta(-1;r,w;)} a{}", "b/問題/new"},
        {Op::Replace, "b/問題", "", kTree, kModel, ""},
        {Op::NewGenre, "", "d", "a b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]] d", kModel + " d{}", ""},
        {Op::AddChild, "b/子ジャンル/C", "C", "a b[問題[alpha Zeta] 子ジャンル[C a C]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C >a ?missing >C} C{>a beta(-1;r,w;)} a{}", "b/子ジャンル/C"},
        {Op::AddChild, "a", "d", "a[子ジャンル[d]] b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]", kModel, "a/子ジャンル/d"},
        // The including genre receives it; a name the list lacks gets an item only.
        {Op::AddChild, "C/子ジャンル/a", "d", "a b[問題[alpha Zeta] 子ジャンル[C a]] C[子ジャンル[a d] 問題[beta]]", kModel,
         "C/子ジャンル/d"},
        {Op::Delete, "a", "", "b[問題[alpha Zeta] 子ジャンル[C]] C[子ジャンル[] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C ?missing} C{beta(-1;r,w;)}", ""},
        {Op::Delete, "C", "", "a b[問題[alpha Zeta] 子ジャンル[a]]", "b{Zeta(1;z;) alpha(1;a;note) >a ?missing} a{}", ""},
        {Op::Delete, "b/子ジャンル", "", "a b[問題[alpha Zeta]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) ?missing} C{>a beta(-1;r,w;)} a{}", ""},
        {Op::Delete, "b/問題", "", "a b[子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]", "b{>C >a ?missing} C{>a beta(-1;r,w;)} a{}", ""},
        {Op::Delete, "b/問題/Zeta", "", "a b[問題[alpha] 子ジャンル[C a]] C[子ジャンル[a] 問題[beta]]",
         "b{alpha(1;a;note) >C >a ?missing} C{>a beta(-1;r,w;)} a{}", ""},
        {Op::Delete, "b/子ジャンル/a", "", "a b[問題[alpha Zeta] 子ジャンル[C]] C[子ジャンル[a] 問題[beta]]",
         "b{Zeta(1;z;) alpha(1;a;note) >C ?missing} C{>a beta(-1;r,w;)} a{}", ""},
        // C includes a: a including C would close a loop.
        {Op::AddChild, "a", "C", kTree, kModel, ""},
        {Op::DeleteAll, "", "", "", "", ""},
    };
    const QuestionFields fields{"new", 2, {"x", "y"}};
    const std::string tree(kTree), model(kModel);
    for (bool lookedAt : {true, false}) for (const auto& c : cases) {
        Reopen();
        const std::string before = DumpTree(Tree()) + DumpModel(session_->GetWorkingCopy()) + Totals();
        if (!lookedAt) Reopen();
        const int selected = Item(c.selected);
        EditOutcome outcome;
        switch (c.op) {
        case Op::Add: outcome = session_->AddQuestion(selected, fields, "ex\r\n"); break;
        case Op::Replace: outcome = session_->ReplaceQuestion(selected, fields, "ex\r\n"); break;
        case Op::NewGenre: outcome = session_->AddGenre(c.name); break;
        case Op::AddChild: outcome = session_->AddChildGenre(selected, c.name); break;
        case Op::Delete: outcome = session_->DeleteItem(selected); break;
        case Op::DeleteAll: session_->DeleteAll(), outcome.changed = true; break;
        }
        SCOPED_TRACE(c.selected + std::string(" ") + std::to_string(static_cast<int>(c.op)) + (lookedAt ? "" : " fresh"));
        EXPECT_EQ(DumpTree(Tree()), c.tree);
        EXPECT_EQ(DumpModel(session_->GetWorkingCopy()), c.model);
        EXPECT_EQ(outcome.changed, c.model != model || c.tree != tree);
        EXPECT_EQ(outcome.select, *c.select ? Item(c.select) : CEditTree::kNone);
        session_->NoteChange(outcome);
        const std::string totals = Totals();
        const int undoneSelect = session_->Undo().select;  // before the tree is looked at
        EXPECT_EQ(undoneSelect, outcome.changed ? Item(c.selected) : CEditTree::kNone);
        EXPECT_EQ(DumpTree(Tree()) + DumpModel(session_->GetWorkingCopy()) + Totals(), before);
        EXPECT_FALSE(session_->IsModified());
        const int redoneSelect = session_->Redo().select;
        EXPECT_EQ(redoneSelect, *c.select ? Item(c.select) : CEditTree::kNone);
        EXPECT_EQ(DumpTree(Tree()) + DumpModel(session_->GetWorkingCopy()) + Totals(), c.tree + c.model + totals);
        EXPECT_EQ(session_->IsModified(), outcome.changed);
    }
}

// Undone one by one, each step finds the state the next one left, back to the start; redone, to
// the end. A deleted genre comes back with its items in other genres' child-genre groups.
TEST_F(EditSessionTest, ASequenceOfEditsUndoesBackToTheStartAndRedoesToTheEnd) {
    const QuestionFields fields{"new", 2, {"x", "y"}};
    const std::function<EditOutcome()> edits[] = {
        [&] { return session_->AddGenre("d"); },
        [&] { return session_->AddChildGenre(Item("d"), "C"); },
        [&] { return session_->AddQuestion(Item("d/子ジャンル/C"), fields, ""); },
        [&] { return session_->ReplaceQuestion(Item("b/問題/alpha"), fields, "e"); },
        [&] { return session_->DeleteItem(Item("C")); },
        [&] { return session_->DeleteItem(Item("b/問題")); },
        [&] { session_->DeleteAll(); return EditOutcome{true}; },
        [&] { return session_->AddGenre("e"); },
    };
    session_->AddChildGenre(Item("a"), "zz");  // an item without an entry, as a trimmed name makes
    EXPECT_FALSE(session_->DeleteItem(Item("a/子ジャンル/zz")).changed);
    auto state = [&] { return DumpTree(Tree()) + " | " + DumpModel(session_->GetWorkingCopy()) + " | " + Totals(); };
    std::vector<std::string> states{state()};
    for (const auto& edit : edits) session_->NoteChange(edit()), states.push_back(state());
    for (std::size_t i = states.size() - 1; i-- > 0;) EXPECT_EQ((session_->Undo(), state()), states[i]) << i;
    for (std::size_t i = 1; i < states.size(); ++i) EXPECT_EQ((session_->Redo(), state()), states[i]) << i;
    const EditMenuState menu = session_->UpdateMenuState(CEditTree::kNone);
    EXPECT_EQ(std::pair(menu.undo, menu.redo), std::pair(true, false));
}

// The flag follows the history, clear where it reaches the saved state, which a new step from
// before it makes unreachable. A hundred steps at least; New and Open start afresh.
TEST_F(EditSessionTest, UndoClearsTheFlagAtTheSavedStateKeepsAHundredStepsAndNewOrOpenStartAfresh) {
    int added = 0;
    const std::string moves = "asauurauuaur";
    const std::string modified = "TFTFTFTFTTTT";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        switch (moves[i]) {
        case 'a': session_->NoteChange(session_->AddGenre("g" + std::to_string(++added))); break;
        case 's': prompt_.QueueFile((dir_ / "out.wl").string()); session_->SaveAs(); break;
        case 'u': session_->Undo(); break;
        case 'r': session_->Redo(); break;
        }
        EXPECT_EQ(session_->IsModified(), modified[i] == 'T') << i;
    }
    for (int i = 0; i < 150; ++i) session_->NoteChange(session_->AddGenre("g" + std::to_string(++added)));
    int undone = 0;
    for (; session_->UpdateMenuState(CEditTree::kNone).undo; ++undone) session_->Undo();
    EXPECT_EQ(undone, 100);
    for (bool open : {false, true}) {
        session_->NoteChange(session_->AddGenre("x")), prompt_.QueueAnswer(PromptAnswer::No), prompt_.QueueFile((dir_ / "lesson.wl").string());
        EXPECT_TRUE(open ? session_->Open() : session_->New());
        EXPECT_FALSE(session_->UpdateMenuState(CEditTree::kNone).undo) << open;
    }
}

// Nothing to save once the tree is empty: finishing hands back the empty list at once.
TEST_F(EditSessionTest, AnEmptyTreeIsNeverUnsaved) {
    for (const char* genre : {"a", "b", "C"}) session_->NoteChange(session_->DeleteItem(Item(genre)));
    EXPECT_TRUE(session_->IsModified());
    EXPECT_FALSE(session_->UpdateMenuState(CEditTree::kNone).items);
    EXPECT_FALSE(session_->IsModified());
    EXPECT_EQ(session_->Finish(), EditEnd::Ok);
    EXPECT_TRUE(prompt_.Messages().empty());
    session_->NoteChange(session_->AddGenre("x")), session_->DeleteAll();  // confirmed by the first button
    EXPECT_FALSE(session_->IsModified());
}

enum class File { New, Open, Finish, Cancel, Save, SaveAs };

TEST_F(EditSessionTest, FileCommandsAskBeforeUnsavedChangesGo) {
    const std::string lesson = (dir_ / "lesson.wl").string();
    const std::string out = (dir_ / "out.wl").string();
    const std::string unwritable = (dir_ / "no" / "such.wl").string();
    const std::string save = "未保存: 編集した内容が保存されていません。\r\n保存しますか?";
    const std::string discard = "未保存: 編集された内容が破棄されます。\r\nよろしいですか?";
    using A = PromptAnswer;
    const struct {
        File command;
        std::string start;  // the file in use
        std::vector<PromptAnswer> answers;
        std::vector<std::optional<std::string>> files;
        int result;  // completed (1) or not (0); Finish and Cancel: the EditEnd
        bool modifiedAfter;
        std::string currentFile;
        std::vector<std::string> said;
        const char* tree;  // "" empty, "+" with the new genre, "=" as read
        bool written;      // out.wl
    } cases[] = {
        {File::New, lesson, {A::No}, {}, 1, false, "", {save}, "", false},
        {File::New, lesson, {A::Yes}, {unwritable}, 0, true, unwritable, {save, "Save error"}, "+", false},
        {File::New, lesson, {A::Yes}, {out}, 1, false, "", {save}, "", true},
        {File::Open, lesson, {A::No}, {std::nullopt}, 0, true, lesson, {save}, "+", false},
        {File::Open, out, {A::No}, {lesson}, 1, false, lesson, {save}, "=", false},
        {File::Open, lesson, {A::Yes}, {std::nullopt}, 0, true, lesson, {save}, "+", false},
        // A file that cannot be read leaves the changes unsaved.
        {File::Open, lesson, {A::No}, {unwritable}, 1, true, unwritable, {save, "Open error"}, "+", false},
        {File::Finish, lesson, {A::Yes}, {out}, int(EditEnd::Ok), false, out, {save}, "+", true},
        {File::Finish, lesson, {A::No, A::Yes}, {}, int(EditEnd::Cancel), true, lesson, {save, discard}, "+", false},
        {File::Finish, lesson, {A::Yes, A::No}, {std::nullopt}, int(EditEnd::Stay), true, lesson, {save, discard}, "+", false},
        {File::Finish, lesson, {A::Yes, A::Ok, A::No}, {unwritable}, int(EditEnd::Stay), true, unwritable,
         {save, "Save error", discard}, "+", false},
        {File::Cancel, lesson, {A::No}, {}, int(EditEnd::Stay), true, lesson, {discard}, "+", false},
        {File::Cancel, lesson, {A::Yes}, {}, int(EditEnd::Cancel), true, lesson, {discard}, "+", false},
        {File::Save, unwritable, {}, {}, 1, true, unwritable, {"Save error"}, "+", false},
        {File::Save, "", {}, {std::nullopt}, 0, true, "", {}, "+", false},
        {File::Save, "", {}, {out}, 1, false, out, {}, "+", true},
        {File::SaveAs, lesson, {}, {out}, 1, false, out, {}, "+", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(&c - cases));
        settings_.currentFile = c.start;
        settings_.currentDir.clear();
        Reopen();
        prompt_.Clear();
        session_->NoteChange(session_->AddGenre("new"));
        for (PromptAnswer answer : c.answers) prompt_.QueueAnswer(answer);
        for (const auto& file : c.files) prompt_.QueueFile(file);
        std::filesystem::remove(out);
        int result = 0;
        switch (c.command) {
        case File::New: result = session_->New(); break;
        case File::Open: result = session_->Open(); break;
        case File::Finish: result = int(session_->Finish()); break;
        case File::Cancel: result = int(session_->Cancel()); break;
        case File::Save: result = session_->Save(); break;
        case File::SaveAs: result = session_->SaveAs(); break;
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(session_->IsModified(), c.modifiedAfter);
        EXPECT_EQ(settings_.currentFile, c.currentFile);
        EXPECT_EQ(Said(), c.said);
        const std::string tree = *c.tree == '+' ? std::string(kTree) + " new" : *c.tree == '=' ? std::string(kTree) : "";
        EXPECT_EQ(DumpTree(Tree()), tree);
        EXPECT_EQ(std::filesystem::exists(out), c.written);
        EXPECT_TRUE(!c.written || ReadFileBytes(out).find("PL_BLOCK,new;") != std::string::npos);
        for (const auto& request : prompt_.FileRequests()) {
            const bool ownDialog = &request == &prompt_.FileRequests().back() && !c.answers.empty() && c.answers[0] == A::No;
            EXPECT_EQ(request.save, !(c.command == File::Open && ownDialog));
            EXPECT_EQ(request.filter + request.defaultExtension + request.initialFileName + request.initialFolder,
                      "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||wl*.wl.");
        }
    }
    EXPECT_EQ(settings_.currentDir, dir_.Path().string() + "/");
}

}  // namespace
