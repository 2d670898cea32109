#pragma once
// What the editor does to its working copy and its tree, without a window: adding, replacing
// and deleting by the selected item, loading a question into the fields, the file commands
// with their prompts, and the caption. The window reads its controls, calls these and shows
// the outcome.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/edit_history.h"
#include "editor/edit_tree.h"
#include "wordlist/word_list.h"

class CAppSettings;
class CPrompt;
struct CRecording;
struct QuestionFields;

// An edit command's outcome: whether the working copy changed, and the item to select.
struct EditOutcome {
    bool changed = false;
    int select = CEditTree::kNone;
};

// A question as the fields show it (CP932 bytes).
struct QuestionView {
    std::string text;
    std::string answers;  // each answer followed by CR LF
    int required = 1;     // -1: a choice question
    std::string explanation;
};

// Which menu items can be used.
struct EditMenuState {
    bool items = true;    // add question, child genre, delete selected, delete all, save as, save
    bool replace = true;  // the selection is a question item
    bool undo = false;
    bool redo = false;
};

enum class EditEnd { Stay, Ok, Cancel };

class CEditSession {
public:
    // The working copy is a deep copy of source; source is never touched again.
    CEditSession(const CWordList& source, CAppSettings& settings, CPrompt& prompt, LabelSorter sorter);

    const CWordList& GetWorkingCopy() const { return workingCopy_; }
    CEditTree& GetTree() { return tree_; }
    const CEditTree& GetTree() const { return tree_; }
    bool IsModified() const { return modified_; }
    void BuildTree() { tree_.Build(workingCopy_, sorter_); }

    // False, after telling the learner, when no item is selected.
    bool RequireSelection(int selected);
    // The commands that change the working copy report it; the caller sets the flag.
    void NoteChange(const EditOutcome& outcome) { modified_ = modified_ || outcome.changed; }
    EditOutcome AddQuestion(int selected, const QuestionFields& fields, std::string_view explanation);
    EditOutcome ReplaceQuestion(int selected, const QuestionFields& fields, std::string_view explanation);
    EditOutcome AddGenre(std::string name, int selected = CEditTree::kNone);
    EditOutcome AddChildGenre(int selected, std::string_view name);
    EditOutcome DeleteItem(int selected);
    void DeleteAll(int selected = CEditTree::kNone);  // asks first
    // Each command that changed the working copy is a step of the history. Undo and redo
    // select the item the step started or ended with (kNone: the selection stays) and report no
    // change: the flag follows the history, clear where it reaches the saved state.
    EditOutcome Undo();
    EditOutcome Redo();
    // Whether a replace would find the selected item's question (before its fields are read).
    bool CanReplace(int selected) const;

    // The genre that receives a child genre: the selection's top-level ancestor.
    std::string_view ReceivingGenre(int selected) const;
    // The question of a question item, none for any other item or one not found.
    std::optional<QuestionView> LoadQuestion(int item) const;
    // An empty tree also clears the modified flag: there is nothing to save.
    EditMenuState UpdateMenuState(int selected);

    // File commands; each returns whether it completed.
    bool New();
    bool Open();
    bool SaveAs();
    bool Save();
    EditEnd Finish();
    EditEnd Cancel();
    std::string Caption() const;  // UTF-8

private:
    enum class SavePrompt { Go, Declined, Cancelled };
    SavePrompt AskToSave();
    bool ChooseFile(bool save);
    void Write();
    CGenre* FindTargetGenre(int selected, std::string_view groupLabel) const;
    // The genre of a group, question or child-genre item when that genre's first top-level
    // item is the item's own: else a second genre of the same name, which a lookup by name
    // cannot reach.
    CGenre* GenreOfItem(int item) const;
    // Keeps a command's step in the history when outcome says something changed.
    EditOutcome Commit(CRecording& recording, EditOutcome outcome);

    bool modified_ = false;
    CWordList workingCopy_;
    CAppSettings& settings_;
    CPrompt& prompt_;
    LabelSorter sorter_;
    CEditTree tree_;
    CEditHistory history_;  // after the working copy: its steps free pieces of the list's storage
};
