#pragma once

#include "framework/Platform.h"

#include <string>

// A child process of this program in a role (--child=<role>: a switch, so the
// program started in the child does not take it for a file name). The child
// answers in lines on its standard output, each starting with a word.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& role);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the child printed; empty at its end.
    std::string ReadLine();
    // The rest of the line that starts with the word, skipping others; empty when none came.
    std::string Expect(const std::string& word);
    bool Running() const;
    DWORD ExitCode() const;
    // Seconds from now until the process is gone; negative when it did not go in two minutes.
    double SecondsUntilGone();

private:
    HANDLE read = nullptr;
    HANDLE process = nullptr;
};

// The child's side: "ready <window> <rows>", once the window to be closed is
// up with its rows.
void ReportReady(HWND window, int rows);
// The parent's side: that window and its rows; a null window when the line is not one.
struct ReadyChild {
    HWND window = nullptr;
    int rows = 0;
};
ReadyChild ReadReady(const std::string& ready);
