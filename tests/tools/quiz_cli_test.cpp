// pellora-wl quiz, with a script or answers on its standard input.
#include <filesystem>

#include "cli_test_util.h"

namespace {

// Word-list text in UTF-8 with LF line ends, written as the CP932 file with CR LF.
void WriteWordList(const TempDir& dir, const std::string& name, const std::string& lines) {
    std::string crlf;
    for (char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFileBytes(dir / name, Sjis("_PEL_LORA_LIST_FILE_,1.0\r\n" + crlf));
}

// Seed 1 draws 41, 18467, 6334 for the run over 3 questions: modulo 3 they are 2, 2, 1;
//   p = 0 1 2 -> swap p0,p2: 2 1 0 -> swap p1,p2: 2 0 1 -> swap p2,p1: 2 1 0.
// So the run asks 選択 (index 2), then 猫 (1), then 犬 (0). The choice draws 26500, 19169,
// 15724 next: modulo 3 they are 1, 2, 1; p = 1 0 2 -> 1 2 0 -> 1 0 2, so the right answer
// goes to slot 1, ハズレ1 to slot 0, ハズレ2 to slot 2.
const char* kAnimals =
    "PL_BLOCK,動物;\nPL_PRIMITIVE;\n犬,1,いぬ,dog;\nPL_INFO,ワン;\n猫,2,a,b,c;\n選択,-1,正しい,ハズレ1,ハズレ2;\n"
    "PL_BLOCK_END;\n\n";

class QuizCli : public testing::Test {
protected:
    void SetUp() override { WriteWordList(dir, "a.wl", kAnimals); }
    TempDir dir;
};

TEST_F(QuizCli, CompleteModeNoHintsRetryTimeOutAndCommandsThatDoNotFit) {
    const CliRun run = RunCli(dir, "quiz a.wl --line 0 --seed 1 --complete --no-hint --script",
                              "answer x\nchoose 3\nchoose -1\nchoose 1\nhint a\nretry\ntimeout\n"
                              "timeout\nabort\nretry\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 11u) << run.out;
    EXPECT_EQ(run.lines[1], R"({"event": "error", "message": "this question is answered with choose"})");
    EXPECT_EQ(run.lines[2], R"({"event": "error", "message": "slot 3 is not shown"})");
    // Nothing chosen is wrong; complete mode asks the same question again, its choices placed anew.
    EXPECT_EQ(run.lines[3], R"({"event": "judged", "outcome": "wrong", "message": "はずれ !!\r\n答 ： \r\n正しい", "right": 0, "remaining": 3, "remaining_answers": 0, "given_answers": ""})");
    EXPECT_EQ(run.lines[4].rfind(R"({"event": "question", "text": "選択", "form": "choice", "remaining": 3, )", 0), 0u);
    EXPECT_EQ(run.lines[7], R"({"event": "error", "message": "hints are off"})");
    EXPECT_EQ(run.lines[8].rfind(R"({"event": "question", "text": "選択", )", 0), 0u);
    EXPECT_EQ(run.lines[9], R"({"event": "end", "n": 3, "right": 0, "position": -1, "rate": "0.00 %", "summary": "正答率 : 0.00 %"})");
    EXPECT_EQ(run.lines[10], R"({"event": "error", "message": "no run is under way"})");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.wls"));  // an unranked result writes no rank file
}

TEST_F(QuizCli, APlacedResultIsSavedInTheRankFile) {
    std::string lines = "PL_BLOCK,漢字;\nPL_PRIMITIVE;\n", script, answers;
    for (int i = 0; i < 20; ++i) {
        lines += "q" + std::to_string(i) + ",1,ok;\n";
        script += "answer ok\n";
        answers += "ok\n";
    }
    WriteWordList(dir, "k.wl", lines + "PL_BLOCK_END;\n\n");

    CliRun run = RunCli(dir, "quiz k.wl --genre 漢字 --count 50 --name はなこ --seed 5 --script", script);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), R"({"event": "end", "n": 20, "right": 20, "position": 1, "rate": "100.00 %", "summary": null})");

    // Interactive: the name is asked for and the new row marked in the table shown.
    run = RunCli(dir, "quiz k.wl --genre 漢字 --seed 6", answers + "たろう\n\\q\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("おめでとう。あなたの正答率 100.00 % は\n第2位です。\n名前： "), std::string::npos) << run.out;
    const std::string updated = ReadFileBytes(dir / "k.wls");
    // Both results in the rank file of the genre, the earlier first.
    EXPECT_EQ(updated.rfind(Sjis("_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,漢字\r\n"), 0), 0u) << updated;
    EXPECT_LT(updated.find(Sjis(",20,20,はなこ\r\n")), updated.find(Sjis(",20,20,たろう\r\n"))) << updated;

    // A rank file that cannot be written is reported, and the exit status tells it.
    std::filesystem::remove(dir / "k.wls");
    std::filesystem::create_directory(dir / "k.wls");
    run = RunCli(dir, "quiz k.wl --genre 漢字 --name x --seed 5 --script", script);
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[run.lines.size() - 2].rfind(R"({"event": "end", "n": 20, "right": 20, "position": 1, )", 0), 0u);
    EXPECT_NE(run.lines.back().find("k.wls : "), std::string::npos) << run.lines.back();
}

TEST_F(QuizCli, LenientJudgesTypedAnswersWithWidthKanaAndCaseFolded) {
    const CliRun run = RunCli(dir, "quiz a.wl --line 0 --seed 1 --lenient --script", "choose 1\nanswer A\nanswer C\nanswer ｲﾇ\n");
    EXPECT_EQ(run.lines.empty() ? run.err : run.lines.back(), R"({"event": "end", "n": 3, "right": 3, "position": -1, "rate": "100.00 %", "summary": "全問正解 !! おめでとう。"})");
}

TEST_F(QuizCli, RefusesWhatCannotBeAsked) {
    const struct { const char* args; int exitCode; const char* message; } cases[] = {
        {"a.wl --script", 1, "ジャンルを選択してからスタートしてください。"},
        {"a.wl --genre 植物 --script", 1, "no genre named '植物'"},
        {"a.wl --line 1 --script", 1, "no line 1"},
        {"a.wl --genre 動物 --count 0 --script", 1, "nothing to ask"},
        {"missing.wl --genre 動物", 1, "missing.wl : ファイルが開けません。"},
        {"a.wl --genre 😀", 2, "code page 932 cannot hold"},
        {"a.wl --count -3", 2, "--count takes"},
        {"a.wl --frob", 2, "unknown option"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(dir, std::string("quiz ") + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.args;
    }
}

TEST_F(QuizCli, InteractiveAnswersHintsAndKeys) {
    // 選択 by its number, 猫 with a hint and both answers, 犬 as "\dog" (wrong): the summary.
    const CliRun run = RunCli(dir, "quiz a.wl --genre 動物 --seed 1", "9\n2\n\\h\n\\h c\na\nc\n\\\\dog\n\\x\n\\r\n\\q\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::size_t pos = 0;
    for (const std::string piece : {"  1) ハズレ1\n  2) 正しい\n  3) ハズレ2\n", "type a choice number 1-3 (0: none)",
                                    "正解 !!\n", "複数解答 ： 残り 2\n", "hint: a\n", "hint: c\n",
                                    "right: 1 more (given: a)\n", "正解 !!\n",
                                    "はずれ !!\n答 ： \n   いぬ\n   dog\n\n\n解説 ：\nワン\n",
                                    "[おしまい] 正答率 : 33.33 %\n",  // the hint on 猫 cost it
                                    "keys:\n", "問 (残り 3)\n選択\n"}) {
        const std::size_t found = run.out.find(piece, pos);
        ASSERT_NE(found, std::string::npos) << "missing after " << pos << ": " << piece << "\n" << run.out;
        pos = found + piece.size();
    }
}

}  // namespace
