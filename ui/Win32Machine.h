#pragma once

#include "core/MachineInfo.h"

// The machine the program runs on, as Windows reports it.
class Win32Machine : public trawl::IMachine {
public:
    uint32_t LogicalDrives() const override;
    trawl::DriveKind KindOf(char letter) const override;
    std::optional<uint64_t> FreeBytes(char letter) const override;
    std::optional<std::string> NetworkName(char letter) const override;
    uint64_t TotalPhysicalMemory() const override;
};
