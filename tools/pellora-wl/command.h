#pragma once
// The commands of pellora-wl register themselves here, one file each.
#include <optional>
#include <string>
#include <vector>

struct WlCommand {
    const char* name;
    const char* summary;  // one line for the overview
    const char* usage;    // the whole --help text of the command
    int (*run)(const std::vector<std::string>& args);  // args after the command name
};

bool RegisterCommand(const WlCommand& command);
const std::vector<WlCommand>& Commands();

// For wrong arguments: prints "pellora-wl NAME: message" and the usage to stderr; returns 2.
int UsageError(const WlCommand& command, const std::string& message);
// The arguments "[--bytes] FILE" of the commands that print a data file. nullopt after a usage
// error, whose exit status is then in *exitCode.
struct DataFileArguments {
    bool bytes = false;
    std::string file;
};
std::optional<DataFileArguments> ParseDataFileArguments(const WlCommand& command, const std::vector<std::string>& args,
                                                        int* exitCode);

// A message box's text for one line of stderr: its line breaks become blanks.
std::string OneLine(const std::string& text);

// True when args ask for the command's help (then it has been printed).
bool HelpAsked(const WlCommand& command, const std::vector<std::string>& args);
