#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "wordlist/record_reader.h"
#include "wordlist_test_util.h"

namespace {

const std::string kHeader = "_PEL_LORA_LIST_FILE_,1.0\r\n";

const std::string kWorkedExample =
    "_PEL_LORA_LIST_FILE_,1.0\r\n"
    "PL_BLOCK,Animals;\r\n"
    "PL_PRIMITIVE;\r\n"
    "Say dog\\, please,1,dog,inu;\r\n"
    "PL_INFO,Note\\;\r\n"
    "dogs bark;\r\n"
    "PL_INCLUDE;\r\n"
    "Birds;\r\n"
    "PL_BLOCK_END;\r\n"
    "\r\n"
    "PL_BLOCK,Birds;\r\n"
    "PL_BLOCK_END;\r\n"
    "\r\n";

class FileFormatTest : public testing::Test {
protected:
    // Loads bytes as a file; fails the test when the load reports anything.
    void Load(std::string_view bytes) {
        ASSERT_EQ(LoadBytes(prompt, list, dir / "in.wl", bytes), 1);
        EXPECT_TRUE(prompt.Messages().empty());
    }
    std::string Save() {
        EXPECT_EQ(list.Save(prompt, dir / "out.wl"), 1);
        EXPECT_TRUE(prompt.Messages().empty());
        return ReadFileBytes(dir / "out.wl");
    }

    TempDir dir;
    CRecordingPrompt prompt;
    CWordList list;
};

TEST_F(FileFormatTest, ReadsTheWorkedExample) {
    Load(kWorkedExample);
    EXPECT_EQ(Describe(list), "Animals=1[Say dog, please >Birds] Birds=0[]");
    const CQuestion* question = list.FindGenre("Animals")->GetEntries()[0].GetQuestion();
    EXPECT_EQ(question->GetRequired(), 1);
    ASSERT_EQ(question->GetAnswers().size(), 2u);
    EXPECT_EQ(question->GetAnswers()[0].GetText(), "dog");
    EXPECT_EQ(question->GetAnswers()[1].GetText(), "inu");
    EXPECT_EQ(question->GetExplanation(), "Note;\r\ndogs bark");
}

TEST_F(FileFormatTest, WritesTheWorkedExample) {
    CGenre* animals = AddGenre(list, "Animals");
    animals->AddQuestion(Fields({"Say dog, please", "1", "dog", "inu"}));
    animals->FindQuestion("Say dog, please")->SetExplanation("Note;\r\ndogs bark");
    animals->AddChildByName(list, "Birds");
    AddGenre(list, "Birds");
    list.ResolveAll();
    EXPECT_EQ(Save(), kWorkedExample);
    // And what is read is written back byte for byte.
    Load(kWorkedExample);
    EXPECT_EQ(Save(), kWorkedExample);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    const char* structure;
};

class FileReadTable : public FileFormatTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(FileReadTable, GivesTheStructure) {
    Load(GetParam().bytes);
    EXPECT_EQ(Describe(list), GetParam().structure);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileReadTable,
    testing::Values(
        ReadCase{"Empty", "", ""}, ReadCase{"HeaderOnly", kHeader, ""},
        ReadCase{"HeaderWithoutLineEnd", "_PEL_LORA_LIST_FILE_,1.0", ""},
        ReadCase{"OtherVersionTakesWholeLines", "_PEL_LORA_LIST_FILE_,2.0\r\nPL_BLOCK,x;\r\nq,1,a;\r\n",
                 "x;=1[q]"},
        ReadCase{"NoVersion", "_PEL_LORA_LIST_FILE_\nPL_BLOCK,x;\nPL_BLOCK_END\n", "x;=0[]"},
        ReadCase{"QuestionsOutsideBlocksGoToALL",
                 kHeader + "q1,1,a;\r\nPL_BLOCK,G;\r\nq2,1,a;\r\nPL_BLOCK_END;\r\nq3,1,a;\r\n",
                 "ALL=1[q1] G=1[q2] ALL=1[q3]"},
        ReadCase{"BlockWithoutName", kHeader + "PL_BLOCK;\r\nPL_BLOCK,;\r\nPL_BLOCK,,x;\r\n", "ALL=0[] ALL=0[] =0[]"},
        ReadCase{"ChildrenSectionOutlivesTheBlock",
                 kHeader + "PL_BLOCK,A;\r\nPL_INCLUDE;\r\nB;\r\nPL_BLOCK,B;\r\nb1,1,a;\r\nPL_PRIMITIVE;\r\nb2,1,a;\r\n",
                 "A=1[>B] B=1[?b1 b2]"},
        ReadCase{"ChildNamedLaterIsResolvedAtTheEnd",
                 kHeader + "PL_BLOCK,A;\r\nPL_INCLUDE;\r\nB;\r\nMissing;\r\nA;\r\nPL_BLOCK_END;\r\n"
                           "PL_BLOCK,B;\r\nb1,1,a;\r\nPL_BLOCK_END;\r\n",
                 "A=1[>B ?Missing] B=1[b1]"},
        ReadCase{"ChildClosingALoopIsIgnored",
                 kHeader + "PL_BLOCK,B;\r\nPL_INCLUDE;\r\nC;\r\nPL_BLOCK_END;\r\nPL_BLOCK,C;\r\nc,1,x;\r\n"
                           "PL_INCLUDE;\r\nB;\r\nPL_BLOCK_END;\r\nPL_BLOCK,A;\r\nPL_INCLUDE;\r\nB;\r\nC;\r\n",
                 // C takes B while B's child C is pending; at the end B's entry for C is the one refused.
                 "B=0[] C=1[c >B] A=1[>B >C]"},
        ReadCase{"ShortAndExtraRecords",
                 kHeader + "PL_BLOCK,G;\r\nonly;\r\nnoanswers,3;\r\n;\r\n  \r\n;\r\nPL_INCLUDE;\r\n,x;\r\n",
                 "G=1[noanswers]"},
        ReadCase{"KeywordAsQuestionText", kHeader + "PL_BLOCK,G;\r\nPL_INCLUDE,1,a;\r\nchild;\r\n",
                 "G=0[?child]"},
        ReadCase{"FinalRecordWithoutSemicolonIsLost", kHeader + "PL_BLOCK,G;\r\nq1,1,a;\r\nq2,1,a\r\n",
                 "G=1[q1]"},
        ReadCase{"BlankLinesJoinTheNextRecord", kHeader + "\r\n\r\nPL_BLOCK,G;\r\n\r\n  q,1,a;\r\n", "G=1[q]"},
        ReadCase{"ReadingStopsAt1A", kHeader + "PL_BLOCK,G;\r\nq1,1,a;\x1Aq2,1,a;\r\n", "G=1[q1]"},
        ReadCase{"LfOnlyLineEnds", "_PEL_LORA_LIST_FILE_,1.0\nPL_BLOCK,G;\nq1,1,a;\n", "G=1[q1]"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST_F(FileFormatTest, ExplanationRecords) {
    Load(kHeader +
         "PL_BLOCK,G;\r\n"
         "PL_INFO,before any question;\r\n"
         "q1,1,a;\r\nPL_INFO,first;\r\nPL_INFO,second;\r\n"
         "q2,1,a;\r\nPL_INFO;\r\n"         // no second field: ignored
         "q3,1,a;\r\nPL_INFO,;\r\n"        // an empty explanation is no field
         "PL_PRIMITIVE;\r\nPL_INFO,after section;\r\n"
         "PL_INCLUDE;\r\nX;\r\nPL_INFO,after child;\r\n"
         "PL_BLOCK,X;\r\n");
    const CGenre* g = list.FindGenre("G");
    EXPECT_EQ(g->FindQuestion("q1")->GetExplanation(), "second");
    EXPECT_FALSE(g->FindQuestion("q2")->HasExplanation());
    EXPECT_FALSE(g->FindQuestion("q3")->HasExplanation());
}

TEST_F(FileFormatTest, WritesSectionLinesForEachRunAndSkipsPendingChildren) {
    CGenre* child = AddGenre(list, "C");
    CGenre* g = AddGenre(list, "G");
    g->AddQuestion(Fields({"q1", "-1", "a", "b"}));
    g->AddChildByName(list, "pending");
    g->AddQuestion(Fields({"q2", "0"}));
    g->AddChildGenre(child);
    g->AddChildByName(list, "pending");
    g->AddChildGenre(child);
    g->AddQuestion(Fields({"q3", "1", "x"}));
    g->FindQuestion("q3")->SetExplanation("");
    EXPECT_EQ(Save(), kHeader +
                          "PL_BLOCK,C;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,G;\r\nPL_PRIMITIVE;\r\nq1,-1,a,b;\r\nq2,0;\r\n"
                          "PL_INCLUDE;\r\nC;\r\nC;\r\n"
                          "PL_PRIMITIVE;\r\nq3,1,x;\r\nPL_INFO,;\r\nPL_BLOCK_END;\r\n\r\n");
}

TEST_F(FileFormatTest, EscapesAndLineBreaksInTheFile) {
    CGenre* g = AddGenre(list, "a,b\\");
    g->AddQuestion(Fields({"line;\r\nnext", "1", "x;y", "end\\"}));
    g->FindQuestion("line;\r\nnext")->SetExplanation("e\\\r\n;");
    EXPECT_EQ(Save(), kHeader +
                          "PL_BLOCK,a\\,b\\\\;\r\n"
                          "PL_PRIMITIVE;\r\n"
                          "line\\;\r\nnext,1,x\\;y,end\\\\;\r\n"
                          "PL_INFO,e\\\\\r\n\\;;\r\n"
                          "PL_BLOCK_END;\r\n\r\n");
}

// Texts that survive a save and a read unchanged.
TEST_F(FileFormatTest, RoundTripKeepsTexts) {
    const std::string hyou = Sjis("表");  // second byte 0x5C
    const std::vector<std::string> texts = {
        "plain",           "ends with semicolon;", "semicolon;\r\nat a line end", "trailing backslash\\",
        "\\\\;\r\n;\\",    hyou,                   hyou + ";" + hyou + "\\",      Sjis("日本の地理、四字熟語"),
        "inner  blanks  ", "a\r\r\nb",             "lone\rcr",                    std::string("nul\0", 4),
    };
    for (const std::string& text : texts) {
        CWordList source;
        CGenre* g = AddGenre(source, text);
        CGenre* child = AddGenre(source, text + "child\\");
        g->AddQuestion(Fields({"q" + text, "2", text, "answer\r\nwith break", text}));
        g->FindQuestion("q" + text)->SetExplanation(text + "x");
        g->AddChildGenre(child);
        ASSERT_EQ(source.Save(prompt, dir / "trip.wl"), 1);
        Load(ReadFileBytes(dir / "trip.wl"));
        SCOPED_TRACE(text);
        EXPECT_EQ(Describe(list), Describe(source));
        const CQuestion* read = list.GetGenres()[0]->GetEntries()[0].GetQuestion();
        ASSERT_NE(read, nullptr);
        std::vector<std::string> answers;
        for (const CAnswer& answer : read->GetAnswers()) answers.push_back(answer.GetText());
        EXPECT_EQ(answers, (std::vector<std::string>{text, "answer\r\nwith break", text}));
        EXPECT_EQ(read->GetRequired(), 2);
        EXPECT_EQ(read->GetExplanation(), text + "x");
    }
}

TEST_F(FileFormatTest, RoundTripLosesWhatTheFormatCannotHold) {
    CWordList source;
    CGenre* g = AddGenre(source, "G");
    g->AddQuestion(Fields({"  leading blanks", "1", "a"}));
    g->AddQuestion(Fields({"PL_BLOCK_END", "1", "a"}));
    g->AddQuestion(Fields({"empty explanation", "1", "a"}));
    g->FindQuestion("empty explanation")->SetExplanation("");
    g->AddChildByName(source, "nowhere");
    g->AddQuestion(Fields({"after", "1", "a", ""}));  // an empty last answer is no field
    ASSERT_EQ(source.Save(prompt, dir / "trip.wl"), 1);
    Load(ReadFileBytes(dir / "trip.wl"));
    // The keyword ends the block; what follows lands in a genre named ALL.
    EXPECT_EQ(Describe(list), "G=1[leading blanks] ALL=2[empty explanation after]");
    EXPECT_FALSE(list.GetGenres()[1]->FindQuestion("empty explanation")->HasExplanation());
    EXPECT_EQ(list.GetGenres()[1]->FindQuestion("after")->GetAnswers().size(), 1u);
}

TEST_F(FileFormatTest, ReadingReplacesTheListAndResolvesAgainstTheNewOne) {
    CGenre* old = AddGenre(list, "Old");
    AddQuestion(*old, "old");
    Load(kWorkedExample);
    EXPECT_EQ(list.FindGenre("Old"), nullptr);
    EXPECT_EQ(list.GetCount(), 2u);
}

TEST(RecordReader, EndsRecordCountsWholeCharacters) {
    const struct {
        std::string line;
        bool ends;
    } cases[] = {
        {"a;", true},       {"a\\;", false},    {"a\\\\;", true},    {"a\\\\\\;", false}, {";", true},
        {"", false},        {"a", false},       {"\x95\\;", true},   {"\x95\\\\;", false}, {"\x81;", false},
        {"\x81\x81;", true}, {"a;b", false},
    };
    for (const auto& c : cases) EXPECT_EQ(EndsRecord(c.line), c.ends) << c.line;
}

}  // namespace
