#pragma once

#include "core/MachineInfo.h"

#include <map>

// A machine described by the test: drives by letter and an amount of memory.
class FakeMachine : public trawl::IMachine {
public:
    struct Drive {
        trawl::DriveKind kind = trawl::DriveKind::Other;
        std::optional<uint64_t> freeBytes;
        std::optional<std::string> networkName;
    };

    FakeMachine& Add(char letter, trawl::DriveKind kind, std::optional<uint64_t> freeBytes = {},
                     std::optional<std::string> networkName = {})
    {
        drives[letter] = {kind, freeBytes, std::move(networkName)};
        return *this;
    }

    uint32_t LogicalDrives() const override
    {
        uint32_t bits = 0;
        for (const auto& [letter, drive] : drives)
            bits |= uint32_t{1} << (letter - 'A');
        return bits;
    }
    trawl::DriveKind KindOf(char letter) const override { return At(letter).kind; }
    std::optional<uint64_t> FreeBytes(char letter) const override { return At(letter).freeBytes; }
    std::optional<std::string> NetworkName(char letter) const override { return At(letter).networkName; }
    uint64_t TotalPhysicalMemory() const override { return memory; }

    uint64_t memory = 0;

private:
    const Drive& At(char letter) const
    {
        static const Drive none;
        auto found = drives.find(letter);
        return found != drives.end() ? found->second : none;
    }

    std::map<char, Drive> drives;
};

using trawl::DriveKind;
inline constexpr uint64_t GiB = uint64_t{1} << 30;
inline constexpr uint64_t TiB = uint64_t{1} << 40;
