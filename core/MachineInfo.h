#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

enum class DriveKind { Other, Fixed, Network, CdRom };

// What the About box asks of the machine: its drives by letter and its
// memory. The program asks Windows; tests describe a machine of their own.
class IMachine {
public:
    virtual ~IMachine() = default;
    // One bit per drive letter, bit 0 = A:.
    virtual uint32_t LogicalDrives() const = 0;
    virtual DriveKind KindOf(char letter) const = 0;
    // Free bytes on a fixed drive; nothing when they cannot be read.
    virtual std::optional<uint64_t> FreeBytes(char letter) const = 0;
    // The network name a drive letter is connected to; nothing when unknown.
    virtual std::optional<std::string> NetworkName(char letter) const = 0;
    virtual uint64_t TotalPhysicalMemory() const = 0;
};

// Images of the drive bitmap, in its order.
enum DriveImage : int { fixedDiskImage = 0, cdRomImage = 1, networkImage = 2 };

// The texts a drive row is made of, from the string table.
struct DriveTexts {
    std::string freeFormat;  // "%lu KB Free on %c:"
    std::string unavailable; // free space that cannot be read
    std::string cdRom;       // the second cell of a CD-ROM drive
};

struct DriveRow {
    std::string root; // "C:\"
    int image = fixedDiskImage;
    std::string detail; // free space, network name or the CD-ROM text
};

// One row per fixed, network or CD-ROM drive from C: to Z:, in letter
// order; floppies (A:, B:) and removable or unknown drives are left out.
std::vector<DriveRow> ListDrives(const IMachine& machine, const DriveTexts& texts);

// Fills a "%lu" pattern with a byte count in whole KB (rounded down) and
// "%c" with a letter. The count is never cut to 32 bits, so 4 TiB and more
// show true. Other "%" sequences are copied as they stand.
std::string FormatKilobytes(std::string_view pattern, uint64_t bytes, char letter = '\0');

} // namespace trawl
