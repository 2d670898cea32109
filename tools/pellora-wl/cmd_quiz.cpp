// pellora-wl quiz: takes a run over genres of a word list on the terminal, or driven by a
// script, with the program's drawing, judging, hints, complete mode and ranking.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/run_drawing.h"
#include "command.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "quiz/owning_genres.h"
#include "quiz_session.h"
#include "record/record_store.h"
#include "record/review_draw.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

int RunQuiz(const std::vector<std::string>& args);

const WlCommand kQuiz = {
    "quiz",
    "take a run over genres of a word list, interactively or by script",
    "usage: pellora-wl quiz FILE [--genre NAME]... [--line I]... [--count N] [--seed S]\n"
    "                       [--complete] [--no-hint] [--lenient] [--name NAME] [--script]\n"
    "                       [--record DB [--review]]\n"
    "\n"
    "Selects genre-list lines of the word list FILE, draws a run as the program's Start does\n"
    "and asks it. The genre list has one line per genre, in file order.\n"
    "\n"
    "  --genre NAME  select the first line with this genre name (repeatable)\n"
    "  --line I      select line I, counted from 0 (repeatable); lines are taken in list order\n"
    "  --count N     questions per run (default: the selection's total; a larger N is lowered to it)\n"
    "  --seed S      seed the random generator with S instead of the time (0-4294967295)\n"
    "  --complete    complete mode: a wrong answer asks the same question again\n"
    "  --no-hint     no hints\n"
    "  --lenient     judge typed answers kindly: width, hiragana/katakana and case do not count,\n"
    "                nor blanks at either end; inner runs of blanks count as one\n"
    "  --name NAME   the name for a result that enters the ranking (else asked; empty: (no-name))\n"
    "  --script      read commands instead of answers (below)\n"
    "  --record DB   keep every answer in the learning record DB (as the program's Pellora.db)\n"
    "  --review      ask the weak questions of the selection from DB instead of a random draw:\n"
    "                due ones first (lowest box, longest overdue), then never-answered ones\n"
    "\n"
    "There is no time limit. A result that enters the ranking is saved in FILE + \"s\".\n"
    "\n"
    "Interactive: type one answer a line; for a choice question its number (0: none checked).\n"
    "A line beginning with a backslash is a key, so that any answer can still be typed:\n"
    "  \\h [TEXT]  hint, from TEXT typed so far     \\r  retry     \\q  quit without a result\n"
    "  \\\\TEXT     the answer \\TEXT                  \\?  the keys\n"
    "\n"
    "Script: one command a line; TEXT is the rest of the line after one blank, as it is:\n"
    "  answer TEXT   submit TEXT (typed questions)\n"
    "  choose SLOT   submit the choice in SLOT 0-4, or -1 for none checked (choice questions)\n"
    "  hint TYPED    the hint for the text TYPED\n"
    "  retry         start the run again\n"
    "  timeout       end the run as a time-out does\n"
    "  abort         stop without a result (end of input does the same)\n"
    "One JSON object a line is printed (texts in UTF-8):\n"
    "  {\"event\": \"question\", \"text\", \"form\": \"one\"|\"several\"|\"choice\", \"remaining\",\n"
    "   \"remaining_answers\" (several), \"choices\": [shown slots in order] (choice)}\n"
    "  {\"event\": \"judged\", \"outcome\": \"complete\"|\"partial\"|\"given\"|\"wrong\", \"message\",\n"
    "   \"right\", \"remaining\", \"remaining_answers\", \"given_answers\"}\n"
    "  {\"event\": \"hint\", \"text\", \"caret\" (byte offset in the CP932 text)}\n"
    "  {\"event\": \"end\", \"n\", \"right\", \"position\" (-1: not ranked), \"rate\" (\"85.00 %\"),\n"
    "   \"summary\" (the summary's text, null when the result was ranked)}\n"
    "  {\"event\": \"error\", \"message\"}  for a command that cannot be carried out\n"
    "\n"
    "Exit status: 0; 1 when the file cannot be read, nothing can be drawn or a result cannot\n"
    "be saved; 2 for wrong arguments.\n",
    RunQuiz,
};

struct QuizOptions {
    std::string file;
    std::vector<std::string> genres;  // CP932
    std::vector<long long> lines;
    std::optional<int> count;
    std::optional<std::uint32_t> seed;
    bool complete = false;
    bool noHint = false;
    bool lenient = false;
    std::optional<std::string> name;  // CP932
    bool script = false;
    std::optional<std::string> record;  // native path
    bool review = false;
};

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Empty when the options are sound, else the usage error.
std::string ParseOptions(const std::vector<std::string>& args, QuizOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--genre" || arg == "--line" || arg == "--count" || arg == "--seed" ||
                                arg == "--name" || arg == "--record";
        if (takesValue && i + 1 >= args.size()) return arg + " needs a value";
        const std::string value = takesValue ? args[++i] : std::string();
        if (arg == "--genre" || arg == "--name") {
            std::optional<std::string> cp932 = text::Utf8ToCp932(value);
            if (!cp932) return arg + " '" + value + "' holds characters that code page 932 cannot hold";
            if (arg == "--genre")
                options.genres.push_back(*cp932);
            else
                options.name = *cp932;
        } else if (arg == "--line") {
            long long line = 0;
            if (!ParseNumber(value, line) || line < 0) return "--line takes a line index from 0";
            options.lines.push_back(line);
        } else if (arg == "--count") {
            int count = 0;
            if (!ParseNumber(value, count) || count < 0) return "--count takes a number from 0";
            options.count = count;
        } else if (arg == "--seed") {
            std::uint32_t seed = 0;
            if (!ParseNumber(value, seed)) return "--seed takes a number from 0 to 4294967295";
            options.seed = seed;
        } else if (arg == "--complete") {
            options.complete = true;
        } else if (arg == "--no-hint") {
            options.noHint = true;
        } else if (arg == "--lenient") {
            options.lenient = true;
        } else if (arg == "--script") {
            options.script = true;
        } else if (arg == "--record") {
            options.record = value;
        } else if (arg == "--review") {
            options.review = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) return "give exactly one FILE";
    if (options.review && !options.record) return "--review needs --record DB";
    options.file = files[0];
    return std::string();
}

void PrintMessages(const CRecordingPrompt& prompt) {
    for (const auto& message : prompt.Messages())
        std::fprintf(stderr, "pellora-wl quiz: %s\n", OneLine(message.text).c_str());
}

int RunQuiz(const std::vector<std::string>& args) {
    if (HelpAsked(kQuiz, args)) return 0;
    QuizOptions options;
    if (std::string error = ParseOptions(args, options); !error.empty()) return UsageError(kQuiz, error);

    CRecordingPrompt prompt;
    CWordList list;
    if (!LoadWordList(prompt, list, options.file)) {
        PrintMessages(prompt);
        return 1;
    }

    // The genre list: one line per genre of the flat list, as the main window shows it.
    const auto& genres = list.GetGenres();
    std::set<std::size_t> selectedLines;
    for (const std::string& name : options.genres) {
        std::size_t line = 0;
        while (line < genres.size() && genres[line]->GetName() != name) ++line;
        if (line == genres.size()) {
            std::fprintf(stderr, "pellora-wl quiz: no genre named '%s'\n", text::Cp932ToUtf8Lossy(name).c_str());
            return 1;
        }
        selectedLines.insert(line);
    }
    for (long long line : options.lines) {
        if (static_cast<unsigned long long>(line) >= genres.size()) {
            std::fprintf(stderr, "pellora-wl quiz: no line %lld: the genre list has %zu lines\n", line, genres.size());
            return 1;
        }
        selectedLines.insert(static_cast<std::size_t>(line));
    }
    std::vector<std::string> selectedTexts;
    for (std::size_t line : selectedLines) selectedTexts.emplace_back(genres[line]->GetName());

    CAppSettings settings;
    settings.currentFile = options.file;
    settings.useHint = options.noHint ? 0 : 1;
    settings.completeMode = options.complete ? 1 : 0;
    settings.lenientAnswers = options.lenient ? 1 : 0;
    settings.timeLimit = 0;
    settings.ReopenRankTable(prompt);
    if (!prompt.Messages().empty()) {
        // The program goes on with an empty table, as it does: report it as a warning.
        PrintMessages(prompt);
        prompt.Clear();
    }

    // A damaged record is set aside and one that cannot be written is not kept: said, then on.
    std::unique_ptr<CRecordStore> record;
    if (options.record) {
        record = std::make_unique<CRecordStore>(*options.record, prompt);
        PrintMessages(prompt);
        prompt.Clear();
    }

    // A selection change offers the whole total; the count given is lowered by the drawing.
    const int total = CountSelection(list, selectedTexts).total;
    int perRunCount = options.count.value_or(total > 0 ? total : 10);
    ProgramRandom().Seed(options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    std::vector<CQuestion*> runList;
    const bool prepared =
        options.review ? PrepareReviewRun(prompt, list, selectedTexts, perRunCount, runList,
                                          record->ReviewStates(), record->Clock().Today())
                       : PrepareRun(prompt, list, selectedTexts, perRunCount, runList, settings.GetRankTable());
    if (!prepared) {
        if (prompt.Messages().empty())
            std::fprintf(stderr, "pellora-wl quiz: nothing to ask: %s\n",
                         total < 1 ? "the selected genres hold no questions" : "the count is 0");
        PrintMessages(prompt);
        return 1;
    }

    // A review run asks what it drew, which may be fewer than the count.
    if (options.review) perRunCount = static_cast<int>(runList.size());
    CCliQuizFront front(settings, prompt, options.name, !options.script);
    CQuizRun run(runList, static_cast<unsigned>(perRunCount), settings, front);
    if (record) {
        // Named as the program names it, so both keep one history of a word list.
        std::error_code error;
        const std::filesystem::path file = std::filesystem::weakly_canonical(options.file, error);
        RecordedRun facts{.wordListFile = error ? options.file : file.string(), .genres = selectedTexts,
                          .review = options.review};
        run.SetRecorder(record.get(), std::move(facts), OwningGenreNames(list, runList));
    }
    return options.script ? RunQuizScript(run, front, !options.noHint) : RunQuizInteractive(run, front, !options.noHint);
}

const bool registered = RegisterCommand(kQuiz);

}  // namespace
