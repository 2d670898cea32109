#include "word_list_loading.h"

#include <cstdio>

namespace {

CRecordingPrompt::Message Unreported() {
    // Every failure of the reader and writer is reported; this only guards the tool's output.
    return {"the operation failed without a message", "error", PromptIcon::Exclamation, PromptButtons::Ok};
}

}  // namespace

std::optional<CRecordingPrompt::Message> LoadForCommand(CWordList& list, const std::string& path) {
    CRecordingPrompt prompt;
    if (LoadWordList(prompt, list, path)) return std::nullopt;
    return prompt.Messages().empty() ? Unreported() : prompt.Messages().front();
}

std::optional<CRecordingPrompt::Message> SaveForCommand(const CWordList& list, const std::string& path) {
    CRecordingPrompt prompt;
    if (list.Save(prompt, path)) return std::nullopt;
    return prompt.Messages().empty() ? Unreported() : prompt.Messages().front();
}

void PrintFailure(const char* command, const CRecordingPrompt::Message& message) {
    std::fprintf(stderr, "pellora-wl %s: %s: %s\n", command, message.caption.c_str(), message.text.c_str());
}
