#include "ChildProcess.h"

#include "Timing.h"

#include <cstdint>
#include <cstdio>

ChildProcess::ChildProcess(const std::string& role)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0))
        return;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = "\"" + std::string(self) + "\" --child=" + role;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &info)) {
        process = info.hProcess;
        CloseHandle(info.hThread);
    }
    CloseHandle(write);
}

ChildProcess::~ChildProcess()
{
    if (process != nullptr) {
        if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
    if (read != nullptr)
        CloseHandle(read);
}

std::string ChildProcess::ReadLine()
{
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (read != nullptr && ReadFile(read, &c, 1, &got, nullptr) && got == 1) {
        if (c == '\n')
            return line;
        if (c != '\r')
            line += c;
    }
    return line;
}

std::string ChildProcess::Expect(const std::string& word)
{
    for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
        if (line.compare(0, word.size() + 1, word + " ") == 0)
            return line.substr(word.size() + 1);
    return {};
}

bool ChildProcess::Running() const
{
    return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = 1;
    return process != nullptr && GetExitCodeProcess(process, &code) ? code : 1;
}

double ChildProcess::SecondsUntilGone()
{
    const double start = Now();
    if (WaitForSingleObject(process, 120000) != WAIT_OBJECT_0)
        return -1;
    return Now() - start;
}

void ReportReady(HWND window, int rows)
{
    std::printf("ready %llx %d\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
                rows);
}

ReadyChild ReadReady(const std::string& ready)
{
    unsigned long long window = 0;
    ReadyChild child;
    if (std::sscanf(ready.c_str(), "%llx %d", &window, &child.rows) == 2)
        child.window = reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
    return child;
}
