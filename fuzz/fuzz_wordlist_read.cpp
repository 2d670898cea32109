// LoadWordList on any file, then every operation a caller may use on what was read.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/recording_prompt.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

std::string TempPath() {
    char pattern[] = "/tmp/fuzz-wordlist-read-XXXXXX";
    const int descriptor = ::mkstemp(pattern);
    if (descriptor < 0) std::abort();
    ::close(descriptor);
    return pattern;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
}

// A read list keeps every total within the questions reachable from its genre.
void Walk(const CWordList& list) {
    std::vector<CGenre*> genres;
    for (const auto& genre : list.GetGenres()) {
        genres.push_back(genre.get());
        const int total = genre->GetTotal();
        if (total < 0) std::abort();
        for (int n : {1, total / 2 + 1, total}) {
            if (n < 1 || n > total) continue;
            CQuestion* question = genre->GetQuestionAt(n);
            if (!question) std::abort();
            question->GetText();
            question->CheckAnswer(question->GetHintAnswer(""));
            question->GetAnswerText(0);
            question->GetAnswerText(1);
            question->IsComplete();
        }
        genre->ExcludesGenre(genre->GetName());
        if (!genres.empty()) genre->ExcludesGenre(genres.front()->GetName());
    }
    std::int64_t sum = 0;
    for (const CGenre* genre : genres) sum += genre->GetTotal();
    const int last = static_cast<int>(std::min<std::int64_t>(sum, INT32_MAX)) - 1;
    if (last >= 0 && !FindQuestionByIndex(genres, last)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = TempPath();
    WriteFile(path, data, size);
    CRecordingPrompt prompt;
    CWordList list;
    if (!LoadWordList(prompt, list, path)) {
        if (prompt.Messages().size() != 1) std::abort();
        return 0;
    }
    if (!prompt.Messages().empty()) std::abort();
    Walk(list);
    CWordList copy(list);
    if (copy.GetCount() != list.GetCount()) std::abort();
    if (!list.GetGenres().empty()) {
        const std::string name(list.GetGenres().front()->GetName());
        list.RemoveGenre(name);
        for (const auto& genre : list.GetGenres()) genre->ExcludesGenre(name);
    }
    list.RemoveAll();  // the copy holds texts of its own and outlives its source
    Walk(copy);
    return 0;
}
