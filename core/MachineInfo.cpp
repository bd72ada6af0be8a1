#include "MachineInfo.h"

namespace trawl {

std::string FormatKilobytes(std::string_view pattern, uint64_t bytes, char letter)
{
    std::string text;
    for (size_t at = 0; at < pattern.size(); ++at) {
        const std::string_view rest = pattern.substr(at);
        if (rest.starts_with("%lu")) {
            text += std::to_string(bytes >> 10);
            at += 2;
        } else if (rest.starts_with("%c")) {
            if (letter != '\0')
                text += letter;
            at += 1;
        } else if (rest.starts_with("%%")) {
            text += '%';
            at += 1;
        } else {
            text += pattern[at];
        }
    }
    return text;
}

std::vector<DriveRow> ListDrives(const IMachine& machine, const DriveTexts& texts)
{
    std::vector<DriveRow> rows;
    const uint32_t present = machine.LogicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if ((present & (uint32_t{1} << (letter - 'A'))) == 0)
            continue;
        DriveRow row;
        row.root = std::string(1, letter) + ":\\";
        switch (machine.KindOf(letter)) {
        case DriveKind::Fixed: {
            row.image = fixedDiskImage;
            const std::optional<uint64_t> free = machine.FreeBytes(letter);
            row.detail = free ? FormatKilobytes(texts.freeFormat, *free, letter) : texts.unavailable;
            break;
        }
        case DriveKind::Network:
            row.image = networkImage;
            // A disconnected drive is still listed, with nothing beside it.
            row.detail = machine.NetworkName(letter).value_or("");
            break;
        case DriveKind::CdRom:
            row.image = cdRomImage;
            row.detail = texts.cdRom;
            break;
        case DriveKind::Other:
            continue;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace trawl
