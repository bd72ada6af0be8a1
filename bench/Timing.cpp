#include "Timing.h"

#include "framework/Platform.h"

#include <algorithm>
#include <cstdio>

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

double ThreadSeconds()
{
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME time) {
        return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string RunList(const std::vector<double>& values)
{
    std::string text;
    for (double value : values) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%s%.3f", text.empty() ? "" : " ", value);
        text += figure;
    }
    return text;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
