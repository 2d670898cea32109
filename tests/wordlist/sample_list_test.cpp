// The sample word list shipped in res/ is a lesson a learner can use at once.
#include <cstdlib>

#include "wordlist_test_util.h"

namespace {

using SampleList = WordListFileTest;

TEST_F(SampleList, LoadsCompleteWithEveryQuestionFormAndIsWhatTheProgramWrites) {
    const char* source = std::getenv("PELLORA_SOURCE_DIR");
    const std::string bytes = ReadFileBytes(
        (source ? std::filesystem::path(source) : std::filesystem::path(__FILE__).parent_path() / ".." / "..") /
        "res" / "sample.wl");
    Load(bytes);
    int questions = 0, largestGenre = 0, children = 0;
    bool single = false, several = false, choice = false, multiLineExplanation = false;
    for (const auto& genre : list.GetGenres()) {
        largestGenre = std::max(largestGenre, genre->GetTotal());
        for (const CGenreEntry& entry : genre->GetEntries()) {
            ASSERT_NE(entry.GetKind(), CGenreEntry::kPending) << entry.GetPendingName();
            children += entry.GetKind() == CGenreEntry::kChild;
            if (const CQuestion* question = entry.GetQuestion()) {
                ++questions;
                const int required = question->GetRequired();
                const int answers = static_cast<int>(question->GetAnswers().size());
                single |= required == 1;
                several |= required >= 2 && required <= 3 && answers > required;
                choice |= required == -1 && answers >= 3 && answers <= 5;
                multiLineExplanation |= question->GetExplanation().find("\r\n") != std::string::npos;
            }
        }
    }
    EXPECT_GE(questions, 60);
    EXPECT_GE(largestGenre, 20);
    EXPECT_GT(children, 0);
    EXPECT_TRUE(single && several && choice && multiLineExplanation);
    EXPECT_EQ(Save(), bytes);
}

}  // namespace
