#pragma once
// The application object: sets up the program's look, runs the main window modally and ends
// the program when it has closed. It keeps no data of its own.

class CQuizApp {
public:
    // Returns the process exit code.
    int Run();
};
