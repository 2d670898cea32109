#pragma once
// Loading a word list for a command: the program's own reader, with the message it would show
// kept instead of shown.
#include <optional>
#include <string>

#include "platform/recording_prompt.h"
#include "wordlist/word_list.h"

// The message of a failed load or save, or nullopt when it succeeded.
std::optional<CRecordingPrompt::Message> LoadForCommand(CWordList& list, const std::string& path);
std::optional<CRecordingPrompt::Message> SaveForCommand(const CWordList& list, const std::string& path);

// "pellora-wl NAME: CAPTION: TEXT" on stderr.
void PrintFailure(const char* command, const CRecordingPrompt::Message& message);
