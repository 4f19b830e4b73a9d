#pragma once

#include <QString>

#include <functional>
#include <optional>

class TDM1;

// The program's start sequence, from the splash to the message loop.
struct StartOptions {
    QString dataDir;        // where QLXData1.db lies (the program's directory by default)
    int splashMs = 1000;    // the splash's pause
    // Runs the login; the operator's name, or nothing when the login was cancelled
    // or the operators cannot be read. The real login dialog by default.
    std::function<std::optional<QString>(TDM1 &)> login;
    // Runs the message loop once the main window is shown (QApplication::exec by default).
    std::function<int()> eventLoop;
};

// Returns the program's exit code.
int runProgram(const StartOptions &options);

// The command line: `--data DIR` runs on the database in DIR; `--create-db DIR`
// writes a fresh shop database there and ends.
int velboraMain(int argc, char **argv);
