#include "Win32Machine.h"

#include "framework/Platform.h"

#include <winnetwk.h>

namespace {

std::string RootPath(char letter)
{
    return std::string(1, letter) + ":\\";
}

} // namespace

uint32_t Win32Machine::LogicalDrives() const
{
    return GetLogicalDrives();
}

trawl::DriveKind Win32Machine::KindOf(char letter) const
{
    switch (GetDriveTypeA(RootPath(letter).c_str())) {
    case DRIVE_FIXED:
        return trawl::DriveKind::Fixed;
    case DRIVE_REMOTE:
        return trawl::DriveKind::Network;
    case DRIVE_CDROM:
        return trawl::DriveKind::CdRom;
    default:
        return trawl::DriveKind::Other;
    }
}

std::optional<uint64_t> Win32Machine::FreeBytes(char letter) const
{
    // All free bytes of the volume, whatever quota the user has, counted
    // in 64 bits: the cluster counts of the older call stop short on large
    // volumes.
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExA(RootPath(letter).c_str(), &available, &total, &free))
        return std::nullopt;
    return free.QuadPart;
}

std::optional<std::string> Win32Machine::NetworkName(char letter) const
{
    const std::string local = std::string(1, letter) + ":";
    char remote[250] = {};
    DWORD length = sizeof remote;
    if (WNetGetConnectionA(local.c_str(), remote, &length) != NO_ERROR)
        return std::nullopt;
    return std::string(remote);
}

uint64_t Win32Machine::TotalPhysicalMemory() const
{
    // The extended record: the plain one stops at 4 GB on some systems.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullTotalPhys;
}
