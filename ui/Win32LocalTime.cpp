#include "Win32LocalTime.h"

#include <windows.h>

std::optional<trawl::LocalTime> Win32LocalTime::ToLocalTime(uint64_t fileTime)
{
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME fields{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &fields))
        return std::nullopt;
    return trawl::LocalTime{fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute};
}
