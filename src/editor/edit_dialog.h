#pragma once
// The word-list editor (template 138, menu 142): a tree of the working copy's genres with
// their questions and child genres, fields for one question, and commands that add, replace
// and delete items and read and write word-list files. The main window's list is only copied;
// after OK the main window takes a copy of the working copy.
#include <QDialog>
#include <array>
#include <memory>

#include "editor/edit_session.h"

class CAppSettings;
class CEditTreeModel;
class CPrompt;
class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QTreeView;

class CEditDialog : public QDialog {
    Q_OBJECT
public:
    // Menu commands; each menu item's objectName is its number.
    enum Command {
        kNew = 32795,
        kOpen = 32779,
        kSaveAs = 32780,
        kSave = 32781,
        kFinishCommand = 32782,
        kAddQuestion = 32775,
        kNewGenre = 32776,
        kAddChildGenre = 32783,
        kDeleteSelected = 32777,
        kDeleteAll = 32778,
        kReplace = 32784,
        kHelp = 32796,
        kUndo = 32798,
        kRedo = 32799,
    };
    enum Control {
        kTree = 1017,
        kQuestion = 1000,
        kAnswers = 1012,
        kExplanation = 1045,
        kCount = 1020,
        kChoice = 1043,
        kAdd = 1027,
        kFinish = 1026,
        kCancel = 2,
    };

    CEditDialog(const CWordList& source, CAppSettings& settings, CPrompt& prompt, QWidget* parent = nullptr);
    ~CEditDialog() override;

    const CWordList& GetWorkingCopy() const { return session_.GetWorkingCopy(); }
    bool IsModified() const { return session_.IsModified(); }

    // Every menu command goes through here: the command, the modified flag, the menu's state.
    void Dispatch(int command);

public slots:
    void reject() override;  // cancel: asks before unsaved changes are thrown away

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildMenu();
    void SetCaption();
    void UpdateMenu();
    int SelectedItem() const;
    void Select(int item);
    bool ReadFields(QuestionFields& fields, std::string& explanation);
    EditOutcome AddQuestion();
    EditOutcome ReplaceQuestion();
    EditOutcome NewGenre();
    EditOutcome AddChildGenre();
    EditOutcome DeleteSelected();
    void AddFromButton();
    void LoadQuestion(const QModelIndex& index);
    void ShowContextMenu(const QPoint& position);
    void Finish();
    void RunFileCommand(int command);

    CAppSettings& settings_;
    CPrompt& prompt_;
    CEditSession session_;
    // Whether the input method was on when the question, answers and explanation fields last
    // lost the focus.
    std::array<bool, 3> inputMethodOn_{};

    CEditTreeModel* model_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QTreeView* tree_ = nullptr;
    QPlainTextEdit* question_ = nullptr;
    QPlainTextEdit* answers_ = nullptr;
    QPlainTextEdit* explanation_ = nullptr;
    QLineEdit* count_ = nullptr;
    QCheckBox* choice_ = nullptr;
};
