#pragma once

#include "framework/Platform.h"

// The system services the file actions use: the shell that starts files
// and programs, and the alert sound. The program uses the system's own;
// tests put a recorder in their place, so nothing starts and nothing sounds.
class IShell {
public:
    virtual ~IShell() = default;
    // As ShellExecuteA: 32 or more when started, else an error code. Null
    // verb or parameters mean none.
    virtual INT_PTR Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int show) = 0;
    virtual void Beep(UINT type) = 0;
};

IShell& SystemShell();
