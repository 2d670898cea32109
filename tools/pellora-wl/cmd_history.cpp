// pellora-wl history: the learning record as JSON, or its questions as CSV.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "exchange/csv_cells.h"
#include "json_writer.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "record/record_names.h"
#include "record/record_store.h"

namespace {

int RunHistory(const std::vector<std::string>& args);

const WlCommand kHistory = {
    "history",
    "show the learning record (Pellora.db)",
    "usage: pellora-wl history DB [--csv]\n"
    "\n"
    "Prints the learning record DB as one JSON object\n"
    "  {\"runs\": [R, ...], \"questions\": [Q, ...]}\n"
    "with the runs oldest first, each R\n"
    "  {\"started\": ISO 8601 UTC, \"genres\": [NAME, ...], \"count\", \"right\", \"rate\",\n"
    "   \"ended\": \"finished\"|\"aborted\"|\"timeout\"|\"closed\" (null: the program stopped),\n"
    "   \"review\": true|false, \"answers\": [{\"genre\", \"question\", \"form\": \"one\"|\"several\"|\"choice\",\n"
    "   \"outcome\": \"right\"|\"hint\"|\"wrong\"|\"timeout\", \"given\", \"ms\"}, ...]}\n"
    "and each question Q\n"
    "  {\"genre\", \"question\", \"box\": 1-5, \"right\", \"wrong\", \"last\", \"due\"}  (dates YYYY-MM-DD)\n"
    "Texts are UTF-8 as `pellora-wl dump` prints them.\n"
    "\n"
    "  --csv   print the questions as CSV (UTF-8) instead:\n"
    "          genre,question,box,right,wrong,last,due\n"
    "\n"
    "A damaged DB is renamed to DB.damaged-YYYYMMDD-HHMMSS (said on stderr) and a new one begun.\n"
    "Exit status: 0; 1 when DB is missing or cannot be read; 2 for wrong arguments.\n",
    RunHistory,
};

[[maybe_unused]] const bool registered = RegisterCommand(kHistory);

std::string RunJson(const CRecordStore& store, const RunRow& run) {
    std::string out = "{\"started\": " + json::Quote(UtcText(run.started)) + ", \"genres\": [";
    for (std::size_t i = 0; i < run.genres.size(); ++i) out += (i ? ", " : "") + json::Data(run.genres[i], false);
    out += "], \"count\": " + std::to_string(run.count) + ", \"right\": " + std::to_string(run.right) +
           ", \"rate\": " + json::Number(run.rate) + ", \"ended\": " +
           (run.ending ? json::Quote(EndingName(*run.ending)) : std::string("null")) +
           ", \"review\": " + (run.review ? "true" : "false") + ", \"answers\": [";
    bool first = true;
    for (const AnswerRow& row : store.AnswersOfRun(run.id)) {
        const RecordedAnswer& answer = row.answer;
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += "{\"genre\": " + json::Data(answer.genre, false) + ", \"question\": " + json::Data(answer.question, false) +
               ", \"form\": " + json::Quote(FormName(answer.form)) +
               ", \"outcome\": " + json::Quote(OutcomeName(answer.outcome)) +
               ", \"given\": " + json::Data(answer.given, false) + ", \"ms\": " + std::to_string(answer.milliseconds) +
               "}";
    }
    return out + "]}";
}

std::string QuestionJson(const QuestionStateRow& row) {
    return "{\"genre\": " + json::Data(row.genre, false) + ", \"question\": " + json::Data(row.question, false) +
           ", \"box\": " + std::to_string(row.box) + ", \"right\": " + std::to_string(row.right) +
           ", \"wrong\": " + std::to_string(row.wrong) + ", \"last\": " + json::Quote(row.last) +
           ", \"due\": " + json::Quote(row.due) + "}";
}

std::string QuestionsCsv(const std::vector<QuestionStateRow>& rows) {
    std::string out = "genre,question,box,right,wrong,last,due\r\n";
    for (const QuestionStateRow& row : rows) {
        for (const std::string& cell :
             {text::Cp932ToUtf8Lossy(row.genre), text::Cp932ToUtf8Lossy(row.question), std::to_string(row.box),
              std::to_string(row.right), std::to_string(row.wrong), row.last}) {
            AppendCsvCell(out, cell);
            out += ',';
        }
        AppendCsvCell(out, row.due);
        out += "\r\n";
    }
    return out;
}

int RunHistory(const std::vector<std::string>& args) {
    if (HelpAsked(kHistory, args)) return 0;
    bool csv = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--csv")
            csv = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(kHistory, "unknown option '" + arg + "'");
        else
            files.push_back(arg);
    }
    if (files.size() != 1) return UsageError(kHistory, "give exactly one DB");
    std::error_code error;
    if (!std::filesystem::is_regular_file(files[0], error)) {
        std::fprintf(stderr, "pellora-wl history: %s: no such record\n", files[0].c_str());
        return 1;
    }

    CRecordingPrompt prompt;
    const CRecordStore store(files[0], prompt);
    for (const auto& message : prompt.Messages())
        std::fprintf(stderr, "pellora-wl history: %s\n", OneLine(message.text).c_str());
    if (store.Status() == RecordStatus::NewerVersion) return 1;

    std::string out;
    if (csv) {
        out = QuestionsCsv(store.QuestionStates());
    } else {
        out = "{\"runs\": [";
        bool first = true;
        for (const RunRow& run : store.Runs()) {
            out += (first ? "\n" : ",\n") + RunJson(store, run);
            first = false;
        }
        out += "],\n\"questions\": [";
        first = true;
        for (const QuestionStateRow& row : store.QuestionStates()) {
            out += (first ? "\n" : ",\n") + QuestionJson(row);
            first = false;
        }
        out += "]}\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace
