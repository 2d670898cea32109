// pellora-wl export and import: the bytes of the tables, round trips in every encoding, a table
// as a spreadsheet saves it, and bad input that must leave the word list OUT as it was.
#include <algorithm>

#include "cli_test_util.h"

namespace {

// Texts a table must carry: commas, quotes, backslashes, semicolons, line breaks, half-width
// kana, the wave dash and the full-width minus; a choice question and a genre without questions.
const std::string kList = "_PEL_LORA_LIST_FILE_,1.0\r\n"
                          "PL_BLOCK,記号\\, \"引用\";\r\nPL_PRIMITIVE;\r\n"
                          "a\\,b \"c\" \\\\d\\; e,2,x\\,y,\"q\",ｾﾐ\\;ｺﾛﾝ;\r\nPL_INFO,一行目\\;\r\n二行目 ～ －;\r\n"
                          "行1\r\n行2,-1,正解,誤り;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,空;\r\nPL_BLOCK_END;\r\n\r\n";
const std::string kTable = "genre,question,required,explanation,answer1,answer2,answer3\r\n"
                           "\"記号, \"\"引用\"\"\",\"a,b \"\"c\"\" \\d; e\",2,\"一行目;\n二行目 ～ －\",\"x,y\",\"\"\"q\"\"\",ｾﾐ;ｺﾛﾝ\r\n"
                           "\"記号, \"\"引用\"\"\",\"行1\n行2\",-1,,正解,誤り,\r\n"
                           "空,,,,,,\r\n";

class ExchangeCli : public testing::Test {
protected:
    void SetUp() override { WriteFileBytes(dir / "list.wl", Sjis(kList)); }
    // The dump of a word list without its file name.
    std::string Dump(const std::string& file) {
        const CliRun run = RunCli(dir, "dump " + file);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        return run.out.substr(run.out.find("\"ok\""));
    }
    TempDir dir;
};

TEST_F(ExchangeCli, ExportWritesTheTableAndImportGivesTheListBack) {
    const std::pair<const char*, std::string> encodings[] = {
        {"", kTable}, {"--encoding utf-8-bom", "\xEF\xBB\xBF" + kTable}, {"--encoding cp932", Sjis(kTable)}};
    for (const auto& [option, bytes] : encodings) {
        SCOPED_TRACE(option);
        CliRun run = RunCli(dir, std::string("export ") + option + " list.wl");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, bytes);
        EXPECT_EQ(run.err, "");
        run = RunCli(dir, std::string("export ") + option + " -o t.csv list.wl");
        EXPECT_EQ(ReadFileBytes(dir / "t.csv"), bytes);
        run = RunCli(dir, "import t.csv out.wl");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(Dump("out.wl"), Dump("list.wl"));
    }
}

TEST_F(ExchangeCli, ExportOfSomeGenresAndWhatATableCannotHold) {
    EXPECT_EQ(RunCli(dir, "export --genre 空 --genre 空 list.wl").out, "genre,question,required,explanation\r\n空,,,\r\n");
    CliRun run = RunCli(dir, "export --genre 無 list.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "pellora-wl export: list.wl: no genre is named '無'\n");

    // Child genres are counted and left out; bytes that are no CP932 cannot become UTF-8, and
    // the place is named however far into the table it is.
    std::string list = "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,A;\r\n";
    for (int i = 0; i < 30000; ++i) list += "question number " + std::to_string(i) + " of a long table,1,answer;\r\n";
    list += "PL_INCLUDE;\r\nB;\r\nB;\r\nPL_BLOCK_END;\r\nPL_BLOCK,B;\r\nX\x85\x40,1,a;\r\n";
    WriteFileBytes(dir / "big.wl", list);
    WriteFileBytes(dir / "t.csv", "old");
    run = RunCli(dir, "export -o t.csv big.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "pellora-wl export: big.wl: row 30002, column 2 of the table: the bytes 0x85 0x40 are not CP932\n");
    EXPECT_EQ(ReadFileBytes(dir / "t.csv"), "old");
    run = RunCli(dir, "export --encoding cp932 -o t.csv big.wl");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "pellora-wl export: warning: 2 child-genre references left out (a table cannot hold them)\n");
    EXPECT_TRUE(ReadFileBytes(dir / "t.csv").ends_with("\r\nB,X\x85\x40,1,,a\r\n"));
}

TEST_F(ExchangeCli, ATableAsASpreadsheetSavesItInUtf8OrCp932) {
    const std::string table = "genre,question,required,explanation,answer1,answer2,answer3\r\n"
                              "動物,\"犬は\n英語で?\",,\"説明, \"\"引用\"\"\",  dog  ,ドッグ,\r\n"
                              "動物,選んで〜−,-1,,正解,誤り,\r\n"
                              "植物,,,,,,\r\n"
                              ",,,,,,\r\n"
                              "動物,多すぎ, 5 ,,a,,b\r\n";
    const std::string expected =
        "\"ok\": true, \"genres\": [\n"
        "{\"name\": \"動物\", \"total\": 3, \"entries\": ["
        "{\"question\": \"犬は\\r\\n英語で?\", \"required\": 1, \"answers\": [\"dog\", \"ドッグ\"], "
        "\"explanation\": \"説明, \\\"引用\\\"\"}, "
        "{\"question\": \"選んで～－\", \"required\": -1, \"answers\": [\"正解\", \"誤り\"], \"explanation\": null}, "
        "{\"question\": \"多すぎ\", \"required\": 2, \"answers\": [\"a\", \"b\"], \"explanation\": null}]},\n"
        "{\"name\": \"植物\", \"total\": 0, \"entries\": []}]}\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + table, Sjis(table)}) {
        WriteFileBytes(dir / "in.csv", bytes);
        const CliRun run = RunCli(dir, "import in.csv out.wl");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(Dump("out.wl"), expected);
    }

    // --add finds genres by name and appends new ones.
    WriteFileBytes(dir / "more.csv", "植物,花,,,はな\r\n鉱物,石,,,いし\r\n");
    EXPECT_EQ(RunCli(dir, "import --add more.csv out.wl").exitCode, 0);
    std::string added = expected;
    added.replace(added.rfind("\"total\": 0, \"entries\": []}]}"), std::string::npos,
                  "\"total\": 1, \"entries\": [{\"question\": \"花\", \"required\": 1, \"answers\": [\"はな\"], "
                  "\"explanation\": null}]},\n{\"name\": \"鉱物\", \"total\": 1, \"entries\": [{\"question\": \"石\", "
                  "\"required\": 1, \"answers\": [\"いし\"], \"explanation\": null}]}]}\n");
    EXPECT_EQ(Dump("out.wl"), added);
}

TEST_F(ExchangeCli, BadInputIsNamedAndLeavesOutAsItWas) {
    struct Case {
        std::string bytes;
        const char* options;
        const char* message;  // after "pellora-wl import: in.csv: "
    };
    const std::string ok = "g,q,1,,a\r\n";
    const Case cases[] = {
        {ok + "g,\"q,1,,a\r\nh,r,1,,b\r\n", "", "row 2, column 2: the quoted cell is not closed"},
        {"g,q\"x,1,,a\nh,r,1,,b", "", "row 1, column 2: a quote inside a cell that is not quoted"},
        {ok + ok + "g,\"q\"x,1,,a", "--add", "row 3, column 2: a quoted cell goes on after its closing quote"},
        {"g,q,1,,,\r\n", "", "row 1, column 5: the question has no answer"},
        {"g,q,-1,,a\r\n", "", "row 1, column 3: a choice question needs 2 to 5 answers"},
        {"g,q,-1,,a,b,c,d,e,f\r\n", "--add", "row 1, column 3: a choice question needs 2 to 5 answers"},
        {"g,q,-2,,a\r\n", "", "row 1, column 3: a choice question needs 2 to 5 answers"},  // any count below 0
        {"g, ,,,a\r\n", "", "row 1, column 2: the question is empty"},
        {"g,q,1a,,a\r\n", "", "row 1, column 3: the required count is not a whole number"},
        {"g,q,1,,\"a\nb\"\r\n", "", "row 1, column 5: an answer cannot hold a line break"},
        {",q,1,,a\r\n", "", "row 1, column 1: the genre name is empty"},
        {ok + "g,q😀,1,,a\r\n", "", "row 2, column 2: U+1F600 cannot be written in CP932"},
        {"g,q,1,,a\x8A\xA0\r\n", "--encoding utf-8", "row 1, column 5: the byte 0x8A is not UTF-8"},
        {"g,q,1,,a\x85\x40\r\n", "--encoding cp932", "row 1, column 5: the bytes 0x85 0x40 are not CP932"},
        {"", "", "cannot be read: Is a directory"},
    };
    const std::string before = ReadFileBytes(dir / "list.wl");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.message);
        std::filesystem::remove_all(dir / "in.csv");
        if (test.bytes.empty()) std::filesystem::create_directory(dir / "in.csv");
        else WriteFileBytes(dir / "in.csv", test.bytes);
        const CliRun run = RunCli(dir, std::string("import ") + test.options + " in.csv list.wl");
        EXPECT_EQ(run.exitCode, 1);
        const std::string summary = "pellora-wl import: in.csv: 1 bad row; nothing written (--skip-bad writes the rest)\n";
        EXPECT_EQ(run.err, std::string("pellora-wl import: in.csv: ") + test.message + "\n" +
                               (test.bytes.empty() ? "" : summary));
        EXPECT_EQ(ReadFileBytes(dir / "list.wl"), before);
    }
}

// A kanji table as a teacher finds it (塡 and 頰 have no CP932 code): every bad row is named in
// one run, at most 100 lines; --skip-bad writes the rest and exits with 3; a bad row leaves its
// genre out. Only row 1 can be a header. Auto takes CP932 whose first byte past ASCII comes late.
TEST_F(ExchangeCli, EveryBadRowIsNamedInOneRunAndSkipBadWritesTheRest) {
    const std::string kanji = "genre,question,required,explanation,answer1\r\n常用,亜,,,ア\r\n常用,塡,,,テン\r\n"
                              "新,頰,,,ほお頰\r\ngenre,以,,,イ\r\n新,問,-1,,a\r\n";
    std::string flood;
    for (int row = 0; row < 150; ++row) flood += "g,塡,,,a\r\n";
    const std::string head = "pellora-wl import: in.csv: ";
    const std::string named = head + "row 3, column 2: U+5861 cannot be written in CP932\n" + head +
                              "row 4, column 2: U+9830 cannot be written in CP932\n" + head +
                              "row 4, column 5: U+9830 cannot be written in CP932\n" + head +
                              "row 6, column 3: a choice question needs 2 to 5 answers\n" + head + "3 bad rows";
    const struct { std::string table; const char* options; int status; long lines; std::string errEnd, dumpHas, dumpLacks; } cases[] = {
        {kanji, "", 1, 5, named + "; nothing written (--skip-bad writes the rest)\n", "", "新"},
        {kanji, "--skip-bad", 3, 5, named + " left out\n", "{\"name\": \"genre\", \"total\": 1", "新"},
        {flood, "--skip-bad", 3, 102, head + "50 more problems not shown\n" + head + "150 bad rows left out\n", "", "\"g\""},
        {"g,q,,,a\r\nh,\"r,,,b\r\ni,s,,,c\r\n", "--skip-bad", 3, 2, "", "\"g\"", "\"i\""},  // quoted to the end
        {std::string(2100, ',') + "\r\n" + Sjis("g,日本,,,ご\r\n"), "", 0, 0, "", "\"日本\"", "\"g\", \"total\": 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dumpHas);
        std::filesystem::remove(dir / "out.wl");
        WriteFileBytes(dir / "in.csv", c.table);
        const CliRun run = RunCli(dir, std::string("import ") + c.options + " in.csv out.wl");
        EXPECT_EQ(std::pair(run.exitCode, std::count(run.err.begin(), run.err.end(), '\n')), std::pair(c.status, c.lines));
        EXPECT_TRUE(run.err.ends_with(c.errEnd)) << run.err;
        const std::string dump = c.status == 1 ? "" : Dump("out.wl");
        EXPECT_EQ(std::pair(dump.find(c.dumpHas) != std::string::npos, dump.find(c.dumpLacks)), std::pair(true, std::string::npos));
        EXPECT_EQ(std::filesystem::exists(dir / "out.wl"), c.status != 1);
    }
}

}  // namespace
