#pragma once
// The application object: sets up the program's look, makes sure it is the only program
// working in its start-up folder, runs the main window modally and ends the program when it
// has closed. It keeps no data of its own.

class CPrompt;

class CQuizApp {
public:
    // Returns the process exit code: 0, or 1 when another program already works in the folder.
    int Run();
    int Run(CPrompt& prompt);  // prompt: where the learner is told things
};
