// pellora-wl rank: the rankings of a rank file as JSON, read exactly as the program reads them.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "json_writer.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"

namespace {

int RunRank(const std::vector<std::string>& args);

const WlCommand kRank = {
    "rank",
    "show the rankings of a rank file (*.wls) as JSON",
    "usage: pellora-wl rank [--bytes] FILE\n"
    "\n"
    "Reads the rank file FILE as the program does and prints\n"
    "  {\"file\": P, \"ok\": true, \"rankings\": [{\"names\": [N, ...], \"entries\":\n"
    "    [{\"date\": D, \"questions\": Q, \"right\": R, \"name\": M, \"rate\": F}, ...]}, ...]}\n"
    "with the rankings in file order and their entries best first. A missing file has no\n"
    "rankings. When the program would refuse the file, prints\n"
    "  {\"file\": P, \"ok\": false, \"caption\": C, \"message\": M}\n"
    "with the message it would show, and exits with 1.\n"
    "\n"
    "  --bytes   write names and dates as the hex of their CP932 bytes instead of UTF-8\n",
    RunRank,
};

std::string EntryJson(const CRankEntry& entry, bool bytes) {
    return "{\"date\": " + json::Data(entry.date, bytes) + ", \"questions\": " + std::to_string(entry.questions) +
           ", \"right\": " + std::to_string(entry.right) + ", \"name\": " + json::Data(entry.name, bytes) +
           ", \"rate\": " + json::Number(entry.GetRate()) + "}";
}

std::string RankingJson(const CRankList& list, bool bytes) {
    std::string out = "{\"names\": [";
    for (std::size_t i = 0; i < list.GetNames().size(); ++i) {
        if (i > 0) out += ", ";
        out += json::Data(list.GetNames()[i], bytes);
    }
    out += "], \"entries\": [";
    for (std::size_t i = 0; i < list.GetEntries().size(); ++i) {
        if (i > 0) out += ", ";
        out += EntryJson(list.GetEntries()[i], bytes);
    }
    return out + "]}";
}

int RunRank(const std::vector<std::string>& args) {
    if (HelpAsked(kRank, args)) return 0;
    int exitCode = 0;
    const std::optional<DataFileArguments> parsed = ParseDataFileArguments(kRank, args, &exitCode);
    if (!parsed) return exitCode;
    const bool bytes = parsed->bytes;
    const std::string& file = parsed->file;

    CRecordingPrompt prompt;
    CRankTable table(prompt, file);
    std::string out = "{\"file\": " + json::Quote(file);
    if (!prompt.Messages().empty()) {
        const CRecordingPrompt::Message& message = prompt.Messages().front();
        out += ", \"ok\": false, \"caption\": " + json::Quote(message.caption) +
               ", \"message\": " + json::Quote(message.text) + "}\n";
        std::fputs(out.c_str(), stdout);
        return 1;
    }
    out += ", \"ok\": true, \"rankings\": [";
    for (std::size_t i = 0; i < table.GetLists().size(); ++i) {
        if (i > 0) out += ", ";
        out += RankingJson(*table.GetLists()[i], bytes);
    }
    out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

const bool registered = RegisterCommand(kRank);

}  // namespace
