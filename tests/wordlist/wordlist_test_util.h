#pragma once
// Small builders and a compact text form of a word list, so that tests can state whole
// structures in one line: "A=3[q1 >B ?C] B=0[]" lists each genre as name=total[entries],
// with questions by text, child genres as >name and pending children as ?name.
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

inline CWordList Fields(std::initializer_list<std::string_view> texts) {
    CWordList fields(CWordList::kTexts);
    for (std::string_view text : texts) fields.AddText(std::string(text));
    return fields;
}

inline CGenre* AddGenre(CWordList& list, std::string name) {
    return list.AddGenre(std::make_unique<CGenre>(std::move(name)));
}

inline void AddQuestion(CGenre& genre, std::string_view text) { genre.AddQuestion(Fields({text, "1", "a"})); }

inline std::string Describe(const CGenre& genre) {
    std::string text = genre.GetName() + "=" + std::to_string(genre.GetTotal()) + "[";
    bool first = true;
    for (const CGenreEntry& entry : genre.GetEntries()) {
        if (!first) text += ' ';
        first = false;
        switch (entry.GetKind()) {
            case CGenreEntry::kQuestion: text += entry.GetQuestion()->PeekText(); break;
            case CGenreEntry::kChild: text += ">" + entry.GetChild()->GetName(); break;
            default: text += "?" + entry.GetPendingName(); break;
        }
    }
    return text + "]";
}

inline std::string Describe(const CWordList& list) {
    std::string text;
    for (const auto& genre : list.GetGenres()) {
        if (!text.empty()) text += ' ';
        text += Describe(*genre);
    }
    return text;
}

// Writes bytes to path and loads them; the prompt records any message.
inline int LoadBytes(CRecordingPrompt& prompt, CWordList& list, const std::filesystem::path& path,
                     std::string_view bytes) {
    WriteFileBytes(path, bytes);
    return LoadWordList(prompt, list, path);
}
