#pragma once
// The application object: sets up the program's look, makes sure it is the only program
// working in its start-up folder, runs the main window modally and ends the program when it
// has closed. It keeps no data of its own.
#include <string>

class CPrompt;
class CWordListPreload;

class CQuizApp {
public:
    // Returns the process exit code: 0, or 1 when another program already works in the folder.
    // A word-list path given (on the command line) is opened once the main window has
    // started, as its open command would. A preload, when given, holds the word list used last.
    int Run(const std::string& wordList = {}, CWordListPreload* preload = nullptr);
    // prompt: where the learner is told things
    int Run(CPrompt& prompt, const std::string& wordList = {}, CWordListPreload* preload = nullptr);
};
