#pragma once

#include "framework/Platform.h"

#include <string>

// What the child processes do, and what the parent reads from them: the exit
// and the working set are figures of a whole process, so each is measured in
// a fresh one.

// The child's side: runs the role and returns the exit status (or ends the process).
int RunChild(const std::string& role);

struct ExitFigure {
    double seconds = 0;
    int rows = 0;        // shown when the close was sent
    std::string failure; // what went wrong; empty when nothing did
};
// Starts a child in the role, sends the close to its window and times its
// process to the end.
ExitFigure TimedExit(const std::string& role, UINT message, WPARAM wParam);

struct MemoryFigures {
    double before = 0;
    double after = 0;
    int rows = 0;
    int columns = 0;
    std::string failure; // what went wrong; empty when nothing did
};
// The working set of a child in the role before and after its rows.
MemoryFigures ChildMemory(const std::string& role);
