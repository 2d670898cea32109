#pragma once
// Runs the built pellora-wl in a test's folder with the given standard input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
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
                                " " + args + " <.stdin 2>.stderr";
    CliRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFileBytes(dir / ".stderr");
    std::istringstream stream(run.out);
    for (std::string line; std::getline(stream, line);) run.lines.push_back(line);
    return run;
}
