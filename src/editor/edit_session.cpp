#include "editor/edit_session.h"

#include <filesystem>

#include "app/app_settings.h"
#include "editor/question_fields.h"
#include "platform/prompt.h"
#include "wordlist/genre.h"

namespace {

constexpr const char* kWordListFilter = "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||";
constexpr const char* kUnsavedCaption = "未保存";

// Paths are native: on Windows either slash ends a folder, elsewhere only '/'.
std::size_t LastSeparator(const std::string& path) {
    if constexpr (std::filesystem::path::preferred_separator == '\\') return path.find_last_of("\\/");
    return path.find_last_of('/');
}

}  // namespace

// A command's step, into which the tree writes its changes while the command runs.
struct CRecording {
    CRecording(CEditTree& tree, int selected) : tree(tree), step(tree.PathOf(selected)) { tree.SetJournal(&step.Journal()); }
    ~CRecording() { tree.SetJournal(nullptr); }
    CEditTree& tree;
    CEditStep step;
};

CEditSession::CEditSession(const CWordList& source, CAppSettings& settings, CPrompt& prompt, LabelSorter sorter)
    : workingCopy_(source), settings_(settings), prompt_(prompt), sorter_(std::move(sorter)) {}

bool CEditSession::RequireSelection(int selected) {
    if (tree_.IsItem(selected)) return true;
    prompt_.ShowMessage("項目を選択してから実行してください。", "未選択", PromptIcon::Information, PromptButtons::Ok);
    return false;
}

CGenre* CEditSession::FindTargetGenre(int selected, std::string_view groupLabel) const {
    return workingCopy_.FindGenre(tree_.TargetGenre(selected, groupLabel));
}

CGenre* CEditSession::GenreOfItem(int item) const {
    const int genreItem = tree_.TopLevelAncestor(item);
    if (genreItem == CEditTree::kNone) return nullptr;
    const std::string& name = tree_.Label(genreItem);
    for (int top : tree_.Children(CEditTree::kRoot))
        if (tree_.Label(top) == name) return top == genreItem ? workingCopy_.FindGenre(name) : nullptr;
    return nullptr;
}

EditOutcome CEditSession::Commit(CRecording& recording, EditOutcome outcome) {
    tree_.SetJournal(nullptr);
    if (!outcome.changed || recording.step.IsEmpty()) return outcome;
    recording.step.SetSelectedAfter(tree_.PathOf(outcome.select));
    history_.Push(std::move(recording.step));
    return outcome;
}

EditOutcome CEditSession::AddQuestion(int selected, const QuestionFields& fields, std::string_view explanation) {
    const std::string& label = QuestionGroupLabel();
    CGenre* genre = FindTargetGenre(selected, label);
    if (genre == nullptr) return {};
    CRecording recording(tree_, selected);
    const int group = tree_.FindOrMakeGroup(genre->GetName(), label);
    if (group == CEditTree::kNone) return {};
    const int item = tree_.Append(group, fields.text);
    recording.step.EditGenre(*genre, {}, [&] {
        genre->AddQuestion(fields.ToFieldList());
        // The explanation belongs to the entry just appended, the genre's last.
        genre->GetEntries().back().GetQuestion()->SetExplanation(explanation);
    });
    return Commit(recording, {true, item});
}

bool CEditSession::CanReplace(int selected) const {
    if (tree_.KindOf(selected) != EditItemKind::Question) return false;
    const CGenre* genre = GenreOfItem(selected);
    return genre != nullptr && genre->FindQuestion(tree_.Label(selected)) != nullptr;
}

EditOutcome CEditSession::ReplaceQuestion(int selected, const QuestionFields& fields, std::string_view explanation) {
    if (!CanReplace(selected)) return {};
    CGenre* genre = GenreOfItem(selected);
    CRecording recording(tree_, selected);
    // The first question of the old text goes; the new one comes at the genre's end.
    recording.step.EditGenre(*genre, genre->FindEntries(CGenre::kQuestions | CGenre::kMatchName, tree_.Label(selected)), [&] {
        genre->AddQuestion(fields.ToFieldList());
        genre->GetEntries().back().GetQuestion()->SetExplanation(explanation);
    });
    tree_.SetLabel(selected, fields.text);
    return Commit(recording, {true, selected});
}

EditOutcome CEditSession::AddGenre(std::string name, int selected) {
    CRecording recording(tree_, selected);
    recording.step.AddGenre(workingCopy_, std::make_unique<CGenre>(name));
    tree_.Append(CEditTree::kRoot, std::move(name));
    return Commit(recording, {true, CEditTree::kNone});
}

std::string_view CEditSession::ReceivingGenre(int selected) const {
    const int top = tree_.TopLevelAncestor(selected);
    return top == CEditTree::kNone ? std::string_view() : std::string_view(tree_.Label(top));
}

EditOutcome CEditSession::AddChildGenre(int selected, std::string_view name) {
    const std::string& label = ChildGroupLabel();
    CGenre* genre = FindTargetGenre(selected, label);
    if (genre == nullptr) return {};
    CGenre* child = workingCopy_.FindGenre(name);
    // A genre that includes the receiving one would close a loop, which reading drops.
    if (child != nullptr && child->ExcludesGenre(genre->GetName()) == 0) return {};
    CRecording recording(tree_, selected);
    const int group = tree_.FindOrMakeGroup(genre->GetName(), label);
    if (group == CEditTree::kNone) return {};
    const int item = tree_.Append(group, std::string(name));
    recording.step.EditGenre(*genre, {}, [&] { genre->AddChildGenre(child); });
    return Commit(recording, {true, item});
}

EditOutcome CEditSession::DeleteItem(int selected) {
    const EditItemKind kind = tree_.KindOf(selected);
    if (kind == EditItemKind::None) return {};
    CRecording recording(tree_, selected);
    if (kind == EditItemKind::Genre) {
        const std::string name = tree_.Label(selected);
        if (workingCopy_.FindGenre(name) == nullptr) return {};
        recording.step.RemoveGenre(workingCopy_, name);
        for (int item : tree_.ItemsOfGenre(name)) tree_.Remove(item);
        return Commit(recording, {true, CEditTree::kNone});
    }
    CGenre* genre = GenreOfItem(selected);
    if (genre == nullptr) return {};
    const bool group = kind == EditItemKind::QuestionGroup || kind == EditItemKind::ChildGroup;
    const bool questions = kind == EditItemKind::QuestionGroup || kind == EditItemKind::Question;
    const int flags = (questions ? CGenre::kQuestions : CGenre::kChildren) | (group ? 0 : CGenre::kMatchName);
    std::vector<std::size_t> places = genre->FindEntries(flags, group ? std::string_view() : std::string_view(tree_.Label(selected)));
    // An item whose entry its genre does not hold stays, and so does the file.
    if (!group && places.empty()) return {};
    // The tree first: a question group not filled yet makes its items from the entries the
    // list is about to give up.
    tree_.Remove(selected);
    recording.step.EditGenre(*genre, places, [] {});
    return Commit(recording, {true, CEditTree::kNone});
}

void CEditSession::DeleteAll(int selected) {
    if (prompt_.ShowMessage("すべての項目が削除されます。\r\nよろしいですか？", "全削除", PromptIcon::Question,
                            PromptButtons::OkCancel, PromptDefault::Last) != PromptAnswer::Ok) {
        return;
    }
    CRecording recording(tree_, selected);
    recording.step.RemoveAll(workingCopy_, tree_);
    Commit(recording, {true, CEditTree::kNone});
    modified_ = false;
}

EditOutcome CEditSession::Undo() {
    if (!history_.CanUndo()) return {};
    const std::vector<int>& path = history_.StepToUndo().Undo(workingCopy_, tree_);
    modified_ = !history_.IsClean();
    return {false, path.empty() ? CEditTree::kNone : tree_.ItemAt(path)};
}

EditOutcome CEditSession::Redo() {
    if (!history_.CanRedo()) return {};
    const std::vector<int>& path = history_.StepToRedo().Redo(workingCopy_, tree_);
    modified_ = !history_.IsClean();
    return {false, path.empty() ? CEditTree::kNone : tree_.ItemAt(path)};
}

std::optional<QuestionView> CEditSession::LoadQuestion(int item) const {
    if (tree_.KindOf(item) != EditItemKind::Question) return std::nullopt;
    const CGenre* genre = workingCopy_.FindGenre(tree_.Label(tree_.Parent(tree_.Parent(item))));
    const CQuestion* question = genre ? genre->FindQuestion(tree_.Label(item)) : nullptr;
    if (question == nullptr) return std::nullopt;
    QuestionView view;
    view.text = tree_.Label(item);
    for (const CAnswer& answer : question->GetAnswers()) {
        view.answers += std::string_view(answer.GetText());
        view.answers += "\r\n";
    }
    view.required = question->GetRequired();
    view.explanation = std::string(question->GetExplanation());
    return view;
}

EditMenuState CEditSession::UpdateMenuState(int selected) {
    EditMenuState state;
    state.items = !tree_.IsEmpty();
    if (!state.items) modified_ = false;
    state.replace = tree_.KindOf(selected) == EditItemKind::Question;
    state.undo = history_.CanUndo();
    state.redo = history_.CanRedo();
    return state;
}

// The file commands.

std::string CEditSession::Caption() const {
    std::string caption = "Harbor Lessons - 編集 - ";
    const std::string& file = settings_.currentFile;
    if (file.empty()) return caption + "新規作成";
    const std::size_t separator = LastSeparator(file);
    return caption + (separator == std::string::npos ? file : file.substr(separator + 1));
}

bool CEditSession::ChooseFile(bool save) {
    if (settings_.currentDir.empty()) settings_.currentDir = ".";
    FileDialogRequest request;
    request.save = save;
    request.filter = kWordListFilter;
    request.defaultExtension = "wl";
    request.initialFileName = "*.wl";
    request.initialFolder = settings_.currentDir;
    const std::optional<std::string> path = prompt_.ChooseFile(request);
    if (!path) return false;
    settings_.currentFile = *path;
    const std::size_t separator = LastSeparator(*path);
    settings_.currentDir = separator == std::string::npos ? std::string() : path->substr(0, separator + 1);
    return true;
}

void CEditSession::Write() {
    // A failed write has been reported by the writer; the changes stay unsaved, so that
    // finishing asks again instead of losing them.
    if (!workingCopy_.Save(prompt_, settings_.currentFile)) return;
    modified_ = false;
    history_.MarkClean();
}

CEditSession::SavePrompt CEditSession::AskToSave() {
    if (!modified_) return SavePrompt::Go;
    if (prompt_.ShowMessage("編集した内容が保存されていません。\r\n保存しますか?", kUnsavedCaption,
                            PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes) {
        return SavePrompt::Declined;
    }
    // A write that failed counts as not saved: the command that asked does not go on.
    return SaveAs() && !modified_ ? SavePrompt::Go : SavePrompt::Cancelled;
}

bool CEditSession::New() {
    if (AskToSave() == SavePrompt::Cancelled) return false;
    settings_.currentFile.clear();
    history_.Clear(true);  // before the list: its steps free pieces of the list's storage
    workingCopy_.RemoveAll();
    tree_.Clear();
    modified_ = false;
    return true;
}

bool CEditSession::Open() {
    if (AskToSave() == SavePrompt::Cancelled || !ChooseFile(false)) return false;
    // A file that cannot be read leaves the working copy, and whether it is saved, as it was.
    history_.Clear(!modified_);
    if (LoadWordList(prompt_, workingCopy_, settings_.currentFile)) {
        modified_ = false;
        history_.MarkClean();
    }
    BuildTree();
    return true;
}

bool CEditSession::SaveAs() {
    if (!ChooseFile(true)) return false;
    Write();
    return true;
}

bool CEditSession::Save() {
    if (settings_.currentFile.empty() && !ChooseFile(true)) return false;
    Write();
    return true;
}

EditEnd CEditSession::Finish() {
    if (AskToSave() == SavePrompt::Go && !modified_) return EditEnd::Ok;
    return Cancel();
}

EditEnd CEditSession::Cancel() {
    if (!modified_) return EditEnd::Cancel;
    return prompt_.ShowMessage("編集された内容が破棄されます。\r\nよろしいですか?", kUnsavedCaption,
                               PromptIcon::Question, PromptButtons::YesNo, PromptDefault::Last) == PromptAnswer::Yes
               ? EditEnd::Cancel
               : EditEnd::Stay;
}
