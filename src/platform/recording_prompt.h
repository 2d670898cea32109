#pragma once
// A prompt that shows nothing: it records every message and file dialog and answers from a
// script (or with the default button's answer). Used by tests and by the command-line tools.
#include <deque>
#include <string>
#include <vector>

#include "platform/prompt.h"

class CRecordingPrompt : public CPrompt {
public:
    struct Message {
        std::string text;
        std::string caption;
        PromptIcon icon;
        PromptButtons buttons;
        PromptDefault defaultButton = PromptDefault::First;
    };

    PromptAnswer ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                             PromptButtons buttons, PromptDefault defaultButton = PromptDefault::First) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;

    // Answers for the next message boxes, in order; without one the default button is taken.
    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    // Answers for the next file dialogs, in order (nullopt = cancelled); without one, cancelled.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }
    void Clear() { messages_.clear(); fileRequests_.clear(); }

private:
    std::vector<Message> messages_;
    std::vector<FileDialogRequest> fileRequests_;
    std::deque<PromptAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
};
