#pragma once
// A recording prompt that also notes the thread each message was shown on.
#include <thread>
#include <vector>

#include "platform/recording_prompt.h"

struct CThreadNotingPrompt : CRecordingPrompt {
    std::vector<std::thread::id> threads;
    PromptAnswer ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                             PromptButtons buttons, PromptDefault defaultButton) override {
        threads.push_back(std::this_thread::get_id());
        return CRecordingPrompt::ShowMessage(text, caption, icon, buttons, defaultButton);
    }
};
