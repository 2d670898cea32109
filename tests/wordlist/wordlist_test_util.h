#pragma once
// Builders, a shared fixture for file tests and a one-line text form of a word list:
// "A=3[q1 >B ?C] B=0[]" lists each genre as name=total[entries], with questions by text, child
// genres as >name and pending children as ?name. Build takes the same form without totals.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

inline const std::string kHeader = "_PEL_LORA_LIST_FILE_,1.0\r\n";

inline CWordList Fields(std::initializer_list<std::string_view> texts) {
    CWordList fields(CWordList::kTexts);
    for (std::string_view text : texts) fields.AddText(text);
    return fields;
}

inline CGenre* AddGenre(CWordList& list, std::string name) {
    return list.AddGenre(std::make_unique<CGenre>(std::move(name)));
}

inline void AddQuestion(CGenre& genre, std::string_view text) { genre.AddQuestion(Fields({text, "1", "a"})); }

// Genres in order, "B[b1] A[a1 >B >Later]": >name takes the genre of that name already in the
// list as a child, else stays a pending name.
inline void Build(CWordList& list, std::string_view form) {
    CGenre* genre = nullptr;
    std::string word;
    for (char c : form) {
        if (c == '[') {
            genre = AddGenre(list, std::exchange(word, ""));
        } else if (c != ' ' && c != ']') {
            word += c;
        } else if (!word.empty()) {
            if (word[0] == '>') genre->AddChildByName(list, word.substr(1));
            else AddQuestion(*genre, word);
            word.clear();
        }
    }
}

inline std::string Describe(const CGenre& genre) {
    std::string text = std::string(genre.GetName()) + "=" + std::to_string(genre.GetTotal()) + "[";
    const char* separator = "";
    for (const CGenreEntry& entry : genre.GetEntries()) {
        text += std::exchange(separator, " ");
        switch (entry.GetKind()) {
            case CGenreEntry::kQuestion: text += entry.GetQuestion()->PeekText(); break;
            case CGenreEntry::kChild: text += ">" + std::string(entry.GetChild()->GetName()); break;
            default: text += "?" + std::string(entry.GetPendingName()); break;
        }
    }
    return text + "]";
}

inline std::string Describe(const CWordList& list) {
    std::string text;
    for (const auto& genre : list.GetGenres()) text += (text.empty() ? "" : " ") + Describe(*genre);
    return text;
}

// A folder, a prompt and a list; Load and Save fail the test when anything is reported.
class WordListFileTest : public testing::Test {
protected:
    void Load(std::string_view bytes) {
        WriteFileBytes(dir / "in.wl", bytes);
        ASSERT_EQ(LoadWordList(prompt, list, dir / "in.wl"), 1);
        EXPECT_TRUE(prompt.Messages().empty());
    }
    std::string Save(const CWordList& source) {
        EXPECT_EQ(source.Save(prompt, dir / "out.wl"), 1);
        EXPECT_TRUE(prompt.Messages().empty());
        return ReadFileBytes(dir / "out.wl");
    }

    TempDir dir;
    CRecordingPrompt prompt;
    CWordList list;
};
