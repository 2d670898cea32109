// The editor's rules without its window: reading the question fields, and the genres offered
// for inclusion.
#include "editor/question_fields.h"

#include <gtest/gtest.h>

#include "editor/genre_choice.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

TEST(QuestionFields, ReadAsTheEditorDoes) {
    using Texts = std::vector<std::string>;
    const std::string longAnswer = std::string(300, 'a') + "\x82\xA0";  // never cut at 255 bytes
    const struct {
        QuestionInput input;
        FieldsRefusal refusal;
        Texts fieldList;  // text, count, answers
    } cases[] = {
        {{" q \r\n", "a", "", false}, FieldsRefusal::None, {"q", "1", "a"}},
        {{"q", "a\r\nb\r\nc", "0", false}, FieldsRefusal::None, {"q", "1", "a", "b", "c"}},
        {{"q", "a\r\nb\r\nc", " 7 ", false}, FieldsRefusal::None, {"q", "3", "a", "b", "c"}},
        {{"q", "a\r\nb", "2x", false}, FieldsRefusal::None, {"q", "2", "a", "b"}},
        {{"q", "a\r\n  \r\n\tb \r\n\r\nc\r\n", "", true}, FieldsRefusal::None, {"q", "-1", "a", "b", "c"}},
        {{"q", longAnswer, "", false}, FieldsRefusal::None, {"q", "1", longAnswer}},
        {{"q", "a\nb\nc\nd\ne", "9", true}, FieldsRefusal::None, {"q", "-1", "a", "b", "c", "d", "e"}},
        {{" \t\r\n", "a", "", false}, FieldsRefusal::MissingData, {}},
        {{"q", " \r\n\r\n", "", false}, FieldsRefusal::MissingData, {}},
        {{"q", "a", "", true}, FieldsRefusal::ChoiceCount, {}},
        {{"q", "a\nb\nc\nd\ne\nf", "", true}, FieldsRefusal::ChoiceCount, {}},
    };
    for (const auto& c : cases) {
        QuestionFields fields;
        EXPECT_EQ(ReadQuestionFields(c.input, fields), c.refusal) << c.input.text << "|" << c.input.answers;
        if (c.refusal == FieldsRefusal::None) {
            const CWordList list = fields.ToFieldList();
            EXPECT_EQ(Texts(list.GetTexts().begin(), list.GetTexts().end()), c.fieldList) << c.input.answers;
        }
    }
    // A double-byte character whose second byte is not white space survives the trim whole.
    EXPECT_EQ(TrimBlanks(" \x81\x40\x82\xA0\t"), "\x81\x40\x82\xA0");
}

// Genres as "A>B>C" (A includes B and C), added in order: a child named before its genre exists
// stays pending.
TEST(GenreChoice, OffersAllButTheReceivingGenreItsDirectChildrenAndWhatIncludesIt) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"D", "B", "A>B", "C"}, "D C "},
        {{"A", "B>A", "C"}, "C "},         // B includes A
        {{"A", "B>A", "D>B", "E"}, "E "},  // D includes A through B
        {{"C", "B>C", "A>B"}, "C "},  // reached only through B
        {{"B", "C", "A>C>B"}, ""},
        {{"A>B", "B", "A"}, "B "},  // B still pending; a second A would be read as a link to itself
        {{"X", "Y"}, "X Y "},
    };
    for (const auto& [genres, offeredForA] : cases) {
        CWordList list;
        for (const std::string& spec : genres) {
            CGenre* genre = list.AddGenre(std::make_unique<CGenre>(spec.substr(0, spec.find('>'))));
            for (std::size_t at = spec.find('>'); at != std::string::npos; at = spec.find('>', at + 1))
                genre->AddChildByName(list, spec.substr(at + 1, spec.find('>', at + 1) - at - 1));
        }
        std::string offered;
        for (const CGenre* genre : OfferedChildGenres(list, "A")) (offered += genre->GetName()) += ' ';
        EXPECT_EQ(offered, offeredForA) << genres.back();
    }
}

}  // namespace
