#pragma once
// What an operation needs of the window that owns it: message boxes and the open/save file
// dialogs. Core operations that tell the learner something take a CPrompt as their owner; the
// windows give a Qt implementation, tests and the command-line tools a recording one.
// All texts here are UTF-8 (paths are native, which on Linux is UTF-8 as well).
#include <optional>
#include <string>

enum class PromptIcon { None, Information, Question, Exclamation };
// YesNoDefaultNo: はい and いいえ with いいえ the default, for a step that cannot be undone.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    bool save = false;
    // "text|pattern|text|pattern||", for example "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||".
    std::string filter;
    std::string defaultExtension;
    std::string initialFileName;
    std::string initialFolder;
};

class CPrompt {
public:
    virtual ~CPrompt() = default;
    virtual PromptAnswer ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                                     PromptButtons buttons) = 0;
    // The chosen file's full path, or nullopt when the learner cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
};
