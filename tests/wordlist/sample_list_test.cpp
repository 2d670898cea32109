// The sample word list shipped in res/ is a lesson a learner can use at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"
#include "wordlist_test_util.h"

namespace {

std::filesystem::path SourceDir() {
    if (const char* dir = std::getenv("PELLORA_SOURCE_DIR")) return dir;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

TEST(SampleList, LoadsCompleteWithEveryQuestionForm) {
    const std::filesystem::path path = SourceDir() / "res" / "sample.wl";
    CRecordingPrompt prompt;
    CWordList list;
    ASSERT_EQ(LoadWordList(prompt, list, path), 1) << path;
    EXPECT_TRUE(prompt.Messages().empty());

    int questions = 0, largestGenre = 0, children = 0;
    bool single = false, several = false, choice = false, multiLineExplanation = false;
    for (const auto& genre : list.GetGenres()) {
        largestGenre = std::max(largestGenre, genre->GetTotal());
        for (const CGenreEntry& entry : genre->GetEntries()) {
            ASSERT_NE(entry.GetKind(), CGenreEntry::kPending) << entry.GetPendingName();
            if (entry.GetKind() == CGenreEntry::kChild) {
                ++children;
                continue;
            }
            const CQuestion& question = *entry.GetQuestion();
            ++questions;
            const int required = question.GetRequired();
            const std::size_t answers = question.GetAnswers().size();
            single |= required == 1;
            several |= required >= 2 && required <= 3 && answers > static_cast<std::size_t>(required);
            choice |= required == -1 && answers >= 3 && answers <= 5;
            multiLineExplanation |= question.GetExplanation().find("\r\n") != std::string::npos;
        }
    }
    EXPECT_GE(questions, 60);
    EXPECT_GE(largestGenre, 20);
    EXPECT_GT(children, 0);
    EXPECT_TRUE(single && several && choice && multiLineExplanation);

    // The file is exactly what the program writes.
    TempDir dir;
    ASSERT_EQ(list.Save(prompt, dir / "again.wl"), 1);
    EXPECT_EQ(ReadFileBytes(dir / "again.wl"), ReadFileBytes(path));
}

}  // namespace
