// A word list keeps its questions and texts in storage of its own, released with the list:
// nothing copied from a list or made for it may keep pointing into it once it is gone.
#include <algorithm>

#include "wordlist_test_util.h"

namespace {

// A list whose texts and explanations fill more than one block of storage.
std::unique_ptr<CWordList> Filled(char letter) {
    auto list = std::make_unique<CWordList>();
    for (const char* name : {"A", "B"}) {
        CGenre* genre = AddGenre(*list, std::string(name) + letter);
        for (int i = 0; i < 300; ++i) {
            const std::string text(20 + i % 50, letter);
            genre->AddQuestion(Fields({text + std::to_string(i), "1", text, "", text + "\\"}));
            if (i % 2) genre->GetEntries().back().GetQuestion()->SetExplanation(text + "\r\n" + text);
        }
    }
    list->GetGenres()[0]->AddChildGenre(list->GetGenres()[1].get());
    return list;
}

using ListStorage = WordListFileTest;

// A genre copied for one list and added to another takes its questions to the one it joins.
TEST_F(ListStorage, CopiesOutliveTheirSourceAndTheListTheyWereMadeFor) {
    auto source = Filled('a');
    auto fields = std::make_unique<CWordList>(Fields({"q", "1", "answer"}));
    const CWordList fieldsCopy(*fields);
    CWordList copy(*source);
    CWordList moved{CWordList(*source)};
    auto other = std::make_unique<CWordList>();
    CWordList joined;
    joined.AddGenre(std::make_unique<CGenre>(*other, *source->GetGenres()[1]));
    CQuestion* question = copy.GetGenres()[0]->GetQuestionAt(2);
    const std::string explanation(question->GetExplanation());
    question->SetExplanation(question->GetExplanation());  // a text of the storage, set again
    EXPECT_EQ(question->GetExplanation(), explanation);
    const std::string bytes = Save(copy), joinedBytes = Save(joined);
    source.reset();
    fields.reset();
    other.reset();
    // Gone lists leave their storage to the next lists, which overwrite it.
    for (char letter : {'x', 'y'}) Filled(letter)->GetGenres()[0]->RemoveEntries(CGenre::kQuestions, "");
    EXPECT_EQ(Save(copy), bytes);
    EXPECT_EQ(Save(moved), bytes);
    EXPECT_EQ(Save(joined), joinedBytes);
    EXPECT_TRUE(std::ranges::equal(fieldsCopy.GetTexts(), std::vector<std::string>{"q", "1", "answer"}));
}

// A large text freed between two others and allocated again; then each goes with the list once.
TEST_F(ListStorage, LargeTextsFreedAndAllocatedAgainGoWithTheList) {
    const std::string large(3000, 'x');
    CWordList list;  // gone at the end, each piece once: twice would abort
    CGenre* genre = AddGenre(list, "G");
    for (const char* text : {"a", "b", "c"}) genre->AddQuestion(Fields({text, "1", text}));
    for (const auto& [n, text] : {std::pair(1, large + "1"), {2, large}, {3, large + "3"}, {2, ""}, {2, large + "2"}})
        genre->GetQuestionAt(n)->SetExplanation(text);
    for (int n : {1, 2, 3}) EXPECT_EQ(genre->GetQuestionAt(n)->GetExplanation(), large + char('0' + n));
}

}  // namespace
