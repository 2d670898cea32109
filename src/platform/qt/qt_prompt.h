#pragma once
// The learner-facing prompt of the program: message boxes and file dialogs with Japanese
// buttons, owned by the window that is active when they are asked for.
#include <QString>
#include <QStringList>

#include "platform/prompt.h"

class CQtPrompt : public CPrompt {
public:
    PromptAnswer ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                             PromptButtons buttons, PromptDefault defaultButton = PromptDefault::First) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
};

// "text|pattern|text|pattern||" as Qt name filters ("text (pattern)"); patterns the text
// already shows in parentheses are not repeated, ";" between patterns becomes a blank.
QStringList ConvertFileFilter(const std::string& filter);
