#pragma once
// Runs the built pellora-wl in a test's folder with the given standard input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

struct CliRun {
    int exitCode = -1;
    std::string out, err;
    std::vector<std::string> lines;  // out, line by line
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline CliRun RunCli(const TempDir& dir, const std::string& args, const std::string& input = "") {
    WriteFileBytes(dir / ".stdin", input);
    const std::string command = "cd " + ShellQuote(dir.Path().string()) + " && " + ShellQuote(PELLORA_WL_PATH) +
                                " " + args + " <.stdin >.stdout 2>.stderr";
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFileBytes(dir / ".stdout");
    run.err = ReadFileBytes(dir / ".stderr");
    std::istringstream stream(run.out);
    for (std::string line; std::getline(stream, line);) run.lines.push_back(line);
    return run;
}
