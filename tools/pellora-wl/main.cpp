// pellora-wl: the command-line companion for word lists, rank files and drills.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"

namespace {

std::vector<WlCommand>& Registry() {
    static std::vector<WlCommand> commands;
    return commands;
}

void PrintOverview(std::FILE* out) {
    std::fprintf(out, "usage: pellora-wl COMMAND [ARGS...]\n\ncommands:\n");
    for (const WlCommand& command : Registry()) std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(out, "\n'pellora-wl COMMAND --help' tells more of one command.\n");
}

}  // namespace

bool RegisterCommand(const WlCommand& command) {
    Registry().push_back(command);
    return true;
}

const std::vector<WlCommand>& Commands() { return Registry(); }

int UsageError(const WlCommand& command, const std::string& message) {
    std::fprintf(stderr, "pellora-wl %s: %s\n\n%s", command.name, message.c_str(), command.usage);
    return 2;
}

std::optional<DataFileArguments> ParseDataFileArguments(const WlCommand& command, const std::vector<std::string>& args,
                                                        int* exitCode) {
    DataFileArguments parsed;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--bytes") {
            parsed.bytes = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            *exitCode = UsageError(command, "unknown option '" + arg + "'");
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        *exitCode = UsageError(command, "give exactly one FILE");
        return std::nullopt;
    }
    parsed.file = files[0];
    return parsed;
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        if (c != '\r') line += c == '\n' ? ' ' : c;
    return line;
}

bool HelpAsked(const WlCommand& command, const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(command.usage, stdout);
            return true;
        }
    }
    return false;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintOverview(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        PrintOverview(stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const WlCommand& command : Registry()) {
        if (command.name == std::string(argv[1])) return command.run(args);
    }
    std::fprintf(stderr, "pellora-wl: unknown command '%s'\n\n", argv[1]);
    PrintOverview(stderr);
    return 2;
}
