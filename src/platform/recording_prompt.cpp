#include "platform/recording_prompt.h"

namespace {

PromptAnswer DefaultButton(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Yes;
        case PromptButtons::YesNoDefaultNo:
            return PromptAnswer::No;
    }
    return PromptAnswer::Ok;
}

}  // namespace

PromptAnswer CRecordingPrompt::ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                                           PromptButtons buttons) {
    messages_.push_back({text, caption, icon, buttons});
    if (answers_.empty()) return DefaultButton(buttons);
    PromptAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> CRecordingPrompt::ChooseFile(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) return std::nullopt;
    auto path = files_.front();
    files_.pop_front();
    return path;
}
