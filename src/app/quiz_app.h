#pragma once
// The application object: sets up the program's look, runs the main window modally and ends
// the program when it has closed. It keeps no data of its own.
#include <string>

class CQuizApp {
public:
    // Returns the process exit code. A word-list path given (on the command line) is opened
    // once the main window has started, as its open command would.
    int Run(const std::string& wordList = {});
};
