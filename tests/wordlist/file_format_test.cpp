// The word-list file: what the reader makes of records, what the writer puts out, both ways.
#include <cstdlib>

#include "wordlist/fields.h"
#include "wordlist/record_reader.h"
#include "wordlist_test_util.h"

namespace {

using FileFormatTest = WordListFileTest;

TEST_F(FileFormatTest, ReadsTheStructureAndExplanations) {
    const struct { std::string bytes; const char* structure; } cases[] = {
        {"", ""},
        {kHeader, ""},
        {"_PEL_LORA_LIST_FILE_,1.0", ""},
        // Another version takes every line as a record; without a version likewise.
        {"_PEL_LORA_LIST_FILE_,2.0\r\nPL_BLOCK,x;\r\nq,1,a;\r\n", "x;=1[q]"},
        {"_PEL_LORA_LIST_FILE_\nPL_BLOCK,x;\nPL_BLOCK_END\n", "x;=0[]"},
        // Questions outside blocks go to a genre ALL, as does a block without a name.
        {kHeader + "q1,1,a;\r\nPL_BLOCK,G;\r\nq2,1,a;\r\nPL_BLOCK_END;\r\nq3,1,a;\r\n", "ALL=1[q1] G=1[q2] ALL=1[q3]"},
        {kHeader + "PL_BLOCK;\r\nPL_BLOCK,;\r\nPL_BLOCK,,x;\r\n", "ALL=0[] ALL=0[] =0[]"},
        // The children section outlives the block that opened it.
        {kHeader + "PL_BLOCK,A;\nPL_INCLUDE;\nB;\nPL_BLOCK,B;\nb,1,a;\nPL_PRIMITIVE;\nq,1,a;\n", "A=1[>B] B=1[?b q]"},
        // A child named before its block is resolved at the end.
        {kHeader + "PL_BLOCK,A;\nPL_INCLUDE;\nB;\nMissing;\nA;\nPL_BLOCK_END;\nPL_BLOCK,B;\nb1,1,a;\n",
         "A=1[>B ?Missing] B=1[b1]"},
        // C takes B while B's child C is pending; at the end B's entry for C closes a loop and goes.
        {kHeader + "PL_BLOCK,B;\nPL_INCLUDE;\nC;\nPL_BLOCK_END;\nPL_BLOCK,C;\nc,1,x;\nPL_INCLUDE;\nB;\nPL_BLOCK_END;\n"
                   "PL_BLOCK,A;\nPL_INCLUDE;\nB;\nC;\n", "B=0[] C=1[c >B] A=1[>B >C]"},
        // Records too short for a question; a keyword as question text.
        {kHeader + "PL_BLOCK,G;\r\nonly;\r\n;\r\n  \r\n;\r\nnoanswers,3;\r\nPL_INCLUDE;\r\n,x;\r\n", "G=1[noanswers]"},
        {kHeader + "PL_BLOCK,G;\r\nPL_INCLUDE,1,a;\r\nchild;\r\n", "G=0[?child]"},
        // A final record without its semicolon is lost; blank lines join the next record.
        {kHeader + "PL_BLOCK,G;\r\nq1,1,a;\r\nq2,1,a\r\n", "G=1[q1]"},
        {kHeader + "\r\n\r\nPL_BLOCK,G;\r\n\r\n  q,1,a;\r\n", "G=1[q]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        Load(c.bytes);
        EXPECT_EQ(Describe(list), c.structure);
    }

    // An explanation goes to the question just read.
    Load(kHeader + "PL_BLOCK,G;\nPL_INFO,before any question;\nq1,1,a;\nPL_INFO,first;\nPL_INFO,second;\n"
         "q2,1,a;\nPL_INFO;\n"   // no second field: ignored
         "q3,1,a;\nPL_INFO,;\n"  // an empty explanation is no field
         "PL_PRIMITIVE;\nPL_INFO,after section;\nPL_INCLUDE;\nX;\nPL_INFO,after child;\n");
    const CGenre* g = list.FindGenre("G");
    EXPECT_EQ(g->FindQuestion("q1")->GetExplanation(), "second");
    EXPECT_FALSE(g->FindQuestion("q2")->HasExplanation());
    EXPECT_FALSE(g->FindQuestion("q3")->HasExplanation());
}

TEST_F(FileFormatTest, WritesSectionLinesForEachRunEscapesAndSkipsPendingChildren) {
    CGenre* child = AddGenre(list, "C;");
    CGenre* g = AddGenre(list, "G");
    g->AddQuestion(Fields({"q1", "-1", "a", "b"}));
    g->AddChildByName(list, "pending");
    g->AddQuestion(Fields({"q2", "0"}));
    g->AddChildGenre(child);
    g->AddChildByName(list, "pending");
    g->AddChildGenre(child);
    g->AddQuestion(Fields({"q3", "1", "x"}));
    g->FindQuestion("q3")->SetExplanation("");
    g->AddChildGenre(child);
    CGenre* escaped = AddGenre(list, "a,b\\");
    escaped->AddQuestion(Fields({"line;\r\nnext", "1", "x;y", "end\\"}));
    escaped->FindQuestion("line;\r\nnext")->SetExplanation("e\\\r\n;");
    EXPECT_EQ(Save(list), kHeader +
                          "PL_BLOCK,C\\;;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,G;\r\nPL_PRIMITIVE;\r\nq1,-1,a,b;\r\nq2,0;\r\n"
                          "PL_INCLUDE;\r\nC\\;;\r\nC\\;;\r\n"
                          "PL_PRIMITIVE;\r\nq3,1,x;\r\nPL_INFO,;\r\nPL_INCLUDE;\r\nC\\;;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,a\\,b\\\\;\r\nPL_PRIMITIVE;\r\n"
                          "line\\;\r\nnext,1,x\\;y,end\\\\;\r\n"
                          "PL_INFO,e\\\\\r\n\\;;\r\nPL_BLOCK_END;\r\n\r\n");
}

// The sample word list shipped in res/ is a lesson a learner can use at once.
TEST_F(FileFormatTest, SampleListLoadsCompleteWithEveryQuestionFormAndIsWhatTheProgramWrites) {
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
            const CQuestion* q = entry.GetQuestion();
            if (!q) continue;
            const int required = q->GetRequired(), answers = static_cast<int>(q->GetAnswers().size());
            ++questions;
            single |= required == 1;
            several |= required >= 2 && required <= 3 && answers > required;
            choice |= required == -1 && answers >= 3 && answers <= 5;
            multiLineExplanation |= q->GetExplanation().find("\r\n") != std::string::npos;
        }
    }
    EXPECT_TRUE(questions >= 60 && largestGenre >= 20 && children > 0 && single && several && choice &&
                multiLineExplanation) << questions << " " << largestGenre;
    EXPECT_EQ(Save(list), bytes);
}

// A list far larger than the batches in which its records are handed from the reading thread:
// records of several lines and escapes, one record larger than a batch, children named before
// their genres; read and written back, it is the same file.
TEST_F(FileFormatTest, AListOfManyBatchesIsReadWholeAndInOrder) {
    std::string bytes = kHeader;
    const int genres = 3000;
    for (int i = 0; i < genres; ++i) {
        const std::string n = std::to_string(i);
        bytes += "PL_BLOCK,G" + n + ";\r\nPL_PRIMITIVE;\r\nq" + n + "\\,x,1,a\\\\b;\r\nPL_INFO,first\r\n" +
                 (i == genres / 2 ? std::string(300 * 1024, 'e') : "second " + n) + ";\r\nr" + n + ",-1,a,b,c;\r\n";
        if (i + 1 < genres) bytes += "PL_INCLUDE;\r\nG" + std::to_string(i + 1) + ";\r\n";
        bytes += "PL_BLOCK_END;\r\n\r\n";
    }
    Load(bytes);
    ASSERT_EQ(list.GetGenres().size(), static_cast<std::size_t>(genres));
    EXPECT_EQ(list.GetGenres().front()->GetTotal(), 2 * genres);
    EXPECT_TRUE(Save(list) == bytes);
}

// Both count whole characters: 表 (0x95 0x5C) ends in a backslash byte, which escapes nothing
// and must be escaped as a character of its own.
TEST(RecordReader, EndsRecordAndEscapeFieldCountWholeCharacters) {
    const struct { std::string line; bool ends; } records[] = {
        {"a;", true},        {"a\\;", false},   {"a\\\\;", true},  {"a\\\\\\;", false}, {";", true},
        {"", false},         {"a", false},      {"\x95\\;", true}, {"\x95\\\\;", false}, {"\x81;", false},
        {"\x81\x81;", true}, {"a;b", false},
    };
    for (const auto& c : records) EXPECT_EQ(EndsRecord(c.line), c.ends) << c.line;
    const struct { std::string text; int lineBreakMode; std::string escaped; } fields[] = {
        {"", 1, ""},                   {"a,b", 0, "a\\,b"},          {"\\", 0, "\\\\"},
        {"x;", 0, "x\\;"},             {"a\r\nb", 1, "a\nb"},        {"a\r\nb", 0, "a\r\nb"},
        {"a\r\nb", 2, "a\r\nb"},       {"a\rb\nc", 1, "a\rb\nc"},    {"\r\r\n\n", 1, "\r\n\n"},
        {"\x95\\\\", 0, "\x95\\\\\\"}, {"\x81", 0, "\x81"},
    };
    for (const auto& c : fields) EXPECT_EQ(EscapeField(c.text, kEscapeSet, c.lineBreakMode), c.escaped) << c.text;
    // Only the first byte of a character is tested against the set.
    EXPECT_EQ(EscapeField("\x81,", ",", 0), "\x81,");
}

}  // namespace
