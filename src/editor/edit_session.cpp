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

EditOutcome CEditSession::AddQuestion(int selected, const QuestionFields& fields, std::string_view explanation) {
    const std::string& label = QuestionGroupLabel();
    CGenre* genre = FindTargetGenre(selected, label);
    if (genre == nullptr) return {};
    const int group = tree_.FindOrMakeGroup(genre->GetName(), label);
    if (group == CEditTree::kNone) return {};
    const int item = tree_.Append(group, fields.text);
    genre->AddQuestion(fields.ToFieldList());
    // The explanation belongs to the entry just appended, the genre's last.
    genre->GetEntries().back().GetQuestion()->SetExplanation(explanation);
    return {true, item};
}

EditOutcome CEditSession::ReplaceQuestion(int selected, const QuestionFields& fields, std::string_view explanation) {
    if (tree_.KindOf(selected) != EditItemKind::Question) return {};
    CGenre* genre = FindTargetGenre(selected, QuestionGroupLabel());
    if (genre == nullptr || genre->FindQuestion(tree_.Label(selected)) == nullptr) return {};
    genre->ReplaceQuestion(tree_.Label(selected), fields.ToFieldList(), explanation);
    tree_.SetLabel(selected, fields.text);
    return {true, selected};
}

EditOutcome CEditSession::AddGenre(std::string name) {
    workingCopy_.AddGenre(std::make_unique<CGenre>(name));
    tree_.Append(CEditTree::kRoot, std::move(name));
    return {true, CEditTree::kNone};
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
    const int group = tree_.FindOrMakeGroup(genre->GetName(), label);
    if (group == CEditTree::kNone) return {};
    const int item = tree_.Append(group, std::string(name));
    genre->AddChildGenre(child);
    return {true, item};
}

EditOutcome CEditSession::DeleteItem(int selected) {
    const EditItemKind kind = tree_.KindOf(selected);
    if (kind == EditItemKind::None) return {};
    if (kind == EditItemKind::Genre) {
        const std::string name = tree_.Label(selected);
        workingCopy_.RemoveGenre(name);
        for (int item : tree_.ItemsOfGenre(name)) tree_.Remove(item);
        return {true, CEditTree::kNone};
    }
    const bool group = kind == EditItemKind::QuestionGroup || kind == EditItemKind::ChildGroup;
    const int genreItem = group ? tree_.Parent(selected) : tree_.Parent(tree_.Parent(selected));
    CGenre* genre = workingCopy_.FindGenre(tree_.Label(genreItem));
    if (genre == nullptr) return {};
    const bool questions = kind == EditItemKind::QuestionGroup || kind == EditItemKind::Question;
    const int flags = (questions ? CGenre::kQuestions : CGenre::kChildren) | (group ? 0 : CGenre::kMatchName);
    genre->RemoveEntries(flags, group ? std::string_view() : std::string_view(tree_.Label(selected)));
    tree_.Remove(selected);
    return {true, CEditTree::kNone};
}

void CEditSession::DeleteAll() {
    if (prompt_.ShowMessage("すべての項目が削除されます。\r\nよろしいですか？", "全削除", PromptIcon::Question,
                            PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    workingCopy_.RemoveAll();
    tree_.Clear();
    modified_ = false;
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
    if (workingCopy_.Save(prompt_, settings_.currentFile)) modified_ = false;
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
    workingCopy_.RemoveAll();
    tree_.Clear();
    modified_ = false;
    return true;
}

bool CEditSession::Open() {
    if (AskToSave() == SavePrompt::Cancelled || !ChooseFile(false)) return false;
    // A file that cannot be read leaves the working copy, and whether it is saved, as it was.
    if (LoadWordList(prompt_, workingCopy_, settings_.currentFile)) modified_ = false;
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
                               PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes
               ? EditEnd::Cancel
               : EditEnd::Stay;
}
