// Whatever was read can be saved, and what was saved can be read again. After one round the
// losses the format allows (leading white space, keywords as texts) have happened; saving what
// the saved file gives must then reproduce it byte for byte. Empty last answers are the
// exception: a record cannot end in an empty field, so each round loses one of them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/recording_prompt.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

std::string TempPath(const char* role) {
    std::string pattern = std::string("/tmp/fuzz-wordlist-") + role + "-XXXXXX";
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) std::abort();
    ::close(descriptor);
    return pattern;
}

bool HasEmptyLastAnswer(const CWordList& list) {
    for (const auto& genre : list.GetGenres())
        for (const CGenreEntry& entry : genre->GetEntries())
            if (const CQuestion* question = entry.GetQuestion())
                if (!question->GetAnswers().empty() && question->GetAnswers().back().GetText().empty()) return true;
    return false;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = TempPath("in");
    static const std::string first = TempPath("first");
    static const std::string second = TempPath("second");
    static const std::string third = TempPath("third");
    std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);

    CRecordingPrompt prompt;
    CWordList list;
    if (!LoadWordList(prompt, list, input)) return 0;
    if (!list.Save(prompt, first)) std::abort();
    CWordList once;
    if (!LoadWordList(prompt, once, first)) std::abort();
    if (!once.Save(prompt, second)) std::abort();
    CWordList twice;
    if (!LoadWordList(prompt, twice, second)) std::abort();
    if (!twice.Save(prompt, third)) std::abort();
    if (!HasEmptyLastAnswer(once) && ReadAll(second) != ReadAll(third)) std::abort();
    return 0;
}
