// pellora-wl quiz, run as the built program with a script or answers on its standard input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

struct QuizResult {
    int exitCode = -1;
    std::vector<std::string> lines;  // standard output, line by line
    std::string out;
    std::string err;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

QuizResult RunQuiz(const TempDir& dir, const std::string& args, const std::string& input) {
    WriteFileBytes(dir / ".stdin", input);
    const std::string command = "cd " + Quote(dir.Path().string()) + " && " + Quote(PELLORA_WL_PATH) + " quiz " +
                                args + " <.stdin 2>.stderr";
    QuizResult result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFileBytes(dir / ".stderr");
    std::istringstream stream(result.out);
    for (std::string line; std::getline(stream, line);) result.lines.push_back(line);
    return result;
}

// Word-list text in UTF-8 with LF line ends, written as the CP932 file with CR LF.
void WriteWordList(const std::filesystem::path& path, const std::string& lines) {
    std::string crlf;
    for (char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFileBytes(path, Sjis("_PEL_LORA_LIST_FILE_,1.0\r\n" + crlf));
}

// Seed 1 draws 41, 18467, 6334 for the run over 3 questions: modulo 3 they are 2, 2, 1;
//   p = 0 1 2 -> swap p0,p2: 2 1 0 -> swap p1,p2: 2 0 1 -> swap p2,p1: 2 1 0.
// So the run asks 選択 (index 2), then 猫 (1), then 犬 (0). The choice draws 26500, 19169,
// 15724 next: modulo 3 they are 1, 2, 1; p = 1 0 2 -> 1 2 0 -> 1 0 2, so the right answer
// goes to slot 1, ハズレ1 to slot 0, ハズレ2 to slot 2.
const char* kAnimals =
    "PL_BLOCK,動物;\n"
    "PL_PRIMITIVE;\n"
    "犬,1,いぬ,dog;\n"
    "PL_INFO,ワン;\n"
    "猫,2,a,b,c;\n"
    "選択,-1,正しい,ハズレ1,ハズレ2;\n"
    "PL_BLOCK_END;\n"
    "\n";

}  // namespace

TEST(QuizCli, ScriptDrivesARunThroughEveryForm) {
    TempDir dir;
    WriteWordList(dir / "a.wl", kAnimals);
    const QuizResult result = RunQuiz(dir, "a.wl --genre 動物 --seed 1 --script",
                                      "answer x\n"
                                      "choose 3\n"
                                      "choose 1\n"
                                      "hint \n"
                                      "hint cq\n"
                                      "answer b\n"
                                      "answer b\n"
                                      "answer  c\n"
                                      "answer 😀\n"
                                      "answer \n"
                                      "answer dog\n"
                                      "frobnicate\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> expected = {
        R"({"event": "question", "text": "選択", "form": "choice", "remaining": 3, "choices": ["ハズレ1", "正しい", "ハズレ2"]})",
        R"({"event": "error", "message": "this question is answered with choose"})",
        R"({"event": "error", "message": "slot 3 is not shown"})",
        R"({"event": "judged", "outcome": "complete", "message": "正解 !!", "right": 1, "remaining": 2, "remaining_answers": 2, "given_answers": ""})",
        R"({"event": "question", "text": "猫", "form": "several", "remaining": 2, "remaining_answers": 2})",
        R"({"event": "hint", "text": "a", "caret": 1})",
        R"({"event": "hint", "text": "c", "caret": 1})",
        R"({"event": "judged", "outcome": "partial", "message": "正解 !!", "right": 1, "remaining": 2, "remaining_answers": 1, "given_answers": "b"})",
        R"({"event": "judged", "outcome": "given", "message": "正解 !!", "right": 1, "remaining": 2, "remaining_answers": 1, "given_answers": "b"})",
        R"({"event": "judged", "outcome": "wrong", "message": "はずれ !!\r\n答 ： \r\n   a\r\n   b\r\n   c\r\n", "right": 1, "remaining": 1, "remaining_answers": 0, "given_answers": ""})",
        R"({"event": "question", "text": "犬", "form": "one", "remaining": 1})",
        R"({"event": "error", "message": "the answer holds characters that code page 932 cannot hold"})",
        R"({"event": "judged", "outcome": "wrong", "message": "はずれ !!\r\n答 ： \r\n   いぬ\r\n   dog\r\n\r\n\r\n解説 ：\r\nワン", "right": 1, "remaining": 1, "remaining_answers": 0, "given_answers": ""})",
        R"({"event": "end", "n": 3, "right": 1, "position": -1, "rate": "33.33 %", "summary": "正答率 : 33.33 %"})",
        R"({"event": "error", "message": "no question is being asked"})",
        R"({"event": "error", "message": "unknown command 'frobnicate'"})",
    };
    EXPECT_EQ(result.lines, expected);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.wls"));  // three questions are never ranked
}

TEST(QuizCli, CompleteModeRetryAndTimeOut) {
    TempDir dir;
    WriteWordList(dir / "a.wl", kAnimals);
    const QuizResult result = RunQuiz(dir, "a.wl --line 0 --seed 1 --complete --no-hint --script",
                                      "choose -1\n"
                                      "choose 1\n"
                                      "hint a\n"
                                      "retry\n"
                                      "timeout\n"
                                      "timeout\n"
                                      "abort\n"
                                      "retry\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 9u) << result.out;
    // Wrong in complete mode: the same question again, its choices placed anew.
    EXPECT_EQ(result.lines[1],
              R"({"event": "judged", "outcome": "wrong", "message": "はずれ !!\r\n答 ： \r\n正しい", "right": 0, "remaining": 3, "remaining_answers": 0, "given_answers": ""})");
    EXPECT_EQ(result.lines[2].rfind(R"({"event": "question", "text": "選択", "form": "choice", "remaining": 3, )", 0), 0u);
    EXPECT_EQ(result.lines[3].rfind(R"({"event": "judged", "outcome": )", 0), 0u);
    EXPECT_EQ(result.lines[5], R"({"event": "error", "message": "hints are off"})");
    EXPECT_EQ(result.lines[6].rfind(R"({"event": "question", "text": "選択", )", 0), 0u);
    EXPECT_EQ(result.lines[7],
              R"({"event": "end", "n": 3, "right": 0, "position": -1, "rate": "0.00 %", "summary": "正答率 : 0.00 %"})");
    EXPECT_EQ(result.lines[8], R"({"event": "error", "message": "no run is under way"})");
}

TEST(QuizCli, APlacedResultIsSavedInTheRankFile) {
    TempDir dir;
    std::string lines = "PL_BLOCK,漢字;\nPL_PRIMITIVE;\n";
    for (int i = 0; i < 20; ++i) lines += "q" + std::to_string(i) + ",1,ok;\n";
    lines += "PL_BLOCK_END;\n\nPL_BLOCK,small;\nPL_PRIMITIVE;\n";
    for (int i = 0; i < 19; ++i) lines += "s" + std::to_string(i) + ",1,ok;\n";
    lines += "PL_BLOCK_END;\n\n";
    WriteWordList(dir / "k.wl", lines);
    std::string allRight;
    for (int i = 0; i < 19; ++i) allRight += "answer ok\n";

    QuizResult result = RunQuiz(dir, "k.wl --genre small --seed 5 --script", allRight);
    EXPECT_EQ(result.lines.back(),
              R"({"event": "end", "n": 19, "right": 19, "position": -1, "rate": "100.00 %", "summary": "全問正解 !! おめでとう。"})");
    EXPECT_FALSE(std::filesystem::exists(dir / "k.wls"));

    result = RunQuiz(dir, "k.wl --genre 漢字 --count 50 --name はなこ --seed 5 --script", allRight + "answer ok\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_FALSE(result.lines.empty());
    EXPECT_EQ(result.lines.front().find(R"("remaining": 20)") != std::string::npos, true) << result.lines.front();
    EXPECT_EQ(result.lines.back(),
              R"({"event": "end", "n": 20, "right": 20, "position": 1, "rate": "100.00 %", "summary": null})");
    const std::string rankFile = ReadFileBytes(dir / "k.wls");
    EXPECT_EQ(rankFile.rfind(Sjis("_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,漢字\r\n"), 0), 0u) << rankFile;
    EXPECT_NE(rankFile.find(Sjis(",20,20,はなこ\r\n")), std::string::npos) << rankFile;

    // Interactive: the name is asked for; an equal result goes behind the stored one.
    std::string answers;
    for (int i = 0; i < 20; ++i) answers += "ok\n";
    result = RunQuiz(dir, "k.wl --genre 漢字 --seed 6", answers + "たろう\n\\q\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("おめでとう。あなたの正答率 100.00 % は\n第2位です。\n名前： "), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("*  2. "), std::string::npos) << result.out;  // the new row marked
    const std::string updated = ReadFileBytes(dir / "k.wls");
    EXPECT_LT(updated.find(Sjis(",20,20,はなこ\r\n")), updated.find(Sjis(",20,20,たろう\r\n"))) << updated;

    // A rank file that cannot be written is reported, and the exit status tells it.
    std::filesystem::remove(dir / "k.wls");
    std::filesystem::create_directory(dir / "k.wls");
    result = RunQuiz(dir, "k.wl --genre 漢字 --name x --seed 5 --script", allRight + "answer ok\n");
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_GE(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[result.lines.size() - 2].rfind(R"({"event": "end", "n": 20, "right": 20, "position": 1, )", 0), 0u);
    EXPECT_NE(result.lines.back().find("k.wls : "), std::string::npos) << result.lines.back();
}

TEST(QuizCli, SelectsLinesInListOrderAndHonoursTheCount) {
    TempDir dir;
    WriteWordList(dir / "d.wl",
                  "PL_BLOCK,ALL;\nPL_PRIMITIVE;\nx1,1,a;\nx2,1,a;\nPL_BLOCK_END;\n\n"
                  "PL_BLOCK,ALL;\nPL_PRIMITIVE;\ny1,1,a;\nPL_BLOCK_END;\n\n"
                  "PL_BLOCK,B;\nPL_PRIMITIVE;\nb1,1,a;\nPL_BLOCK_END;\n\n");
    // Both "ALL" lines stand for the first genre of that name: 2 + 2 questions, then B.
    QuizResult result = RunQuiz(dir, "d.wl --line 2 --line 1 --genre ALL --script", "abort\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_NE(result.lines[0].find(R"("remaining": 5)"), std::string::npos) << result.lines[0];

    result = RunQuiz(dir, "d.wl --genre B --genre ALL --count 2 --script", "");
    EXPECT_NE(result.lines[0].find(R"("remaining": 2)"), std::string::npos) << result.lines[0];
}

TEST(QuizCli, RefusesWhatCannotBeAsked) {
    TempDir dir;
    WriteWordList(dir / "a.wl", kAnimals);
    const struct {
        const char* args;
        int exitCode;
        const char* message;
    } cases[] = {
        {"a.wl --script", 1, "ジャンルを選択してからスタートしてください。"},
        {"a.wl --genre 植物 --script", 1, "no genre named '植物'"},
        {"a.wl --line 1 --script", 1, "no line 1"},
        {"a.wl --genre 動物 --count 0 --script", 1, "nothing to ask"},
        {"missing.wl --genre 動物", 1, "missing.wl : ファイルが開けません。"},
        {"a.wl --genre 😀", 2, "code page 932 cannot hold"},
        {"a.wl --count -3", 2, "--count takes"},
        {"a.wl --seed x", 2, "--seed takes"},
        {"a.wl --frob", 2, "unknown option"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const QuizResult result = RunQuiz(dir, c.args, "");
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(QuizCli, InteractiveAnswersHintsAndKeys) {
    TempDir dir;
    WriteWordList(dir / "a.wl", kAnimals);
    // 選択 by its number, 猫 with a hint and both answers, 犬 as "\dog" (wrong): the summary.
    const QuizResult result = RunQuiz(dir, "a.wl --genre 動物 --seed 1",
                                      "9\n2\n\\h\n\\h c\na\nc\n\\\\dog\n\\x\n\\r\n\\q\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string& out = result.out;
    const std::string inOrder[] = {
        "  1) ハズレ1\n  2) 正しい\n  3) ハズレ2\n",
        "type a choice number 1-3 (0: none)",
        "正解 !!\n",
        "複数解答 ： 残り 2\n",
        "hint: a\n",
        "hint: c\n",
        "right: 1 more (given: a)\n",
        "正解 !!\n",
        "はずれ !!\n答 ： \n   いぬ\n   dog\n\n\n解説 ：\nワン\n",
        "[おしまい] 正答率 : 33.33 %\n",  // the hint on 猫 cost it
        "keys:\n",
        "問 (残り 3)\n選択\n",
    };
    std::size_t pos = 0;
    for (const std::string& piece : inOrder) {
        const std::size_t found = out.find(piece, pos);
        ASSERT_NE(found, std::string::npos) << "missing after " << pos << ": " << piece << "\n" << out;
        pos = found + piece.size();
    }
}
