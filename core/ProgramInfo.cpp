#include "ProgramInfo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace trawl {

namespace {

// Reads go by pages of this size: the headers of an ordinary program lie in
// its first page, and its resource directories in one more.
constexpr size_t pageBytes = 4096;
constexpr size_t maxPages = 3;
// Windows before Vista loaded no more sections; real programs hold a dozen.
constexpr uint16_t maxSections = 96;
// Entries looked at in one resource directory; the version type comes early.
constexpr uint32_t maxDirectoryEntries = 4096;

constexpr uint16_t resourceTypeVersion = 16;
constexpr uint32_t versionResourceName = 1;
constexpr uint32_t subdirectoryFlag = 0x80000000u;
constexpr uint32_t fixedInfoSignature = 0xFEEF04BDu;

uint16_t Word(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint32_t Dword(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

struct Section {
    uint32_t virtualAddress;
    uint32_t rawSize;
    uint32_t rawOffset;
};

class ImageReader {
public:
    explicit ImageReader(IFileRanges& file) : file(file) {}

    // Exactly `size` bytes at `offset`, or nothing. Small ranges come from a
    // page read around them: the headers share the first page, the resource
    // directories usually another.
    std::optional<std::vector<uint8_t>> Read(uint64_t offset, size_t size)
    {
        std::vector<uint8_t> bytes(size);
        const Page* page = FindPage(offset, size);
        if (page == nullptr && size <= pageBytes)
            page = ReadPage(offset);
        if (page != nullptr && offset >= page->offset && offset + size <= page->offset + page->bytes.size()) {
            std::copy_n(page->bytes.begin() + static_cast<ptrdiff_t>(offset - page->offset), size,
                        bytes.begin());
            return bytes;
        }
        if (size > pageBytes && file.ReadAt(offset, bytes.data(), size) == size)
            return bytes;
        return std::nullopt;
    }

    // The file offset of `size` bytes at an address of the loaded image,
    // when one section's data in the file holds them all.
    std::optional<uint64_t> FileOffset(uint32_t address, uint32_t size) const
    {
        for (const Section& section : sections) {
            if (address < section.virtualAddress)
                continue;
            const uint64_t into = address - section.virtualAddress;
            if (into + size <= section.rawSize)
                return uint64_t{section.rawOffset} + into;
        }
        return std::nullopt;
    }

    std::vector<Section> sections;

private:
    struct Page {
        uint64_t offset;
        std::vector<uint8_t> bytes; // short at the end of the file
    };

    const Page* FindPage(uint64_t offset, size_t size) const
    {
        for (const Page& page : pages)
            if (offset >= page.offset && offset + size <= page.offset + page.bytes.size())
                return &page;
        return nullptr;
    }

    const Page* ReadPage(uint64_t offset)
    {
        // The first page stays: every header is looked up there.
        if (pages.size() == maxPages)
            pages.pop_back();
        Page& page = pages.emplace_back(Page{offset, std::vector<uint8_t>(pageBytes)});
        page.bytes.resize(file.ReadAt(offset, page.bytes.data(), pageBytes));
        return &page;
    }

    IFileRanges& file;
    std::vector<Page> pages;
};

// The entry of a resource directory whose id is `wanted`, or with `anyName`
// the wanted id if present and else the first entry. Its offset field, or nothing.
std::optional<uint32_t> FindResourceEntry(ImageReader& image, uint64_t root, uint32_t directory,
                                          uint32_t wanted, bool anyName)
{
    const std::optional<std::vector<uint8_t>> header = image.Read(root + directory, 16);
    if (!header)
        return std::nullopt;
    const uint32_t named = Word(header->data() + 12);
    const uint32_t total = std::min(named + Word(header->data() + 14), maxDirectoryEntries);
    if (total == 0)
        return std::nullopt;
    const std::optional<std::vector<uint8_t>> entries = image.Read(root + directory + 16, size_t{total} * 8);
    if (!entries)
        return std::nullopt;
    for (uint32_t i = named; i < total; ++i) {
        const uint8_t* entry = entries->data() + size_t{i} * 8;
        if (Dword(entry) == wanted)
            return Dword(entry + 4);
    }
    if (anyName)
        return Dword(entries->data() + 4);
    return std::nullopt;
}

// The fixed file information's version of a version resource.
std::string ReadVersion(ImageReader& image, uint32_t resourceAddress)
{
    const std::optional<uint64_t> root = image.FileOffset(resourceAddress, 16);
    if (!root)
        return {};
    // Type, then name, then language: the first two are subdirectories,
    // the last a data entry, each placed from the start of the tree.
    std::optional<uint32_t> offset = FindResourceEntry(image, *root, 0, resourceTypeVersion, false);
    if (!offset || (*offset & subdirectoryFlag) == 0)
        return {};
    offset = FindResourceEntry(image, *root, *offset & ~subdirectoryFlag, versionResourceName, true);
    if (!offset || (*offset & subdirectoryFlag) == 0)
        return {};
    offset = FindResourceEntry(image, *root, *offset & ~subdirectoryFlag, 0, true);
    if (!offset || (*offset & subdirectoryFlag) != 0)
        return {};
    const std::optional<std::vector<uint8_t>> dataEntry = image.Read(*root + *offset, 16);
    if (!dataEntry)
        return {};

    // VS_VERSIONINFO: length, value length, type, the key, then the fixed
    // file information on a four-byte boundary.
    static constexpr char16_t key[] = u"VS_VERSION_INFO";
    constexpr size_t keyBytes = sizeof key;
    constexpr size_t valueAt = (6 + keyBytes + 3) / 4 * 4;
    constexpr size_t fixedBytes = 52;
    constexpr size_t needed = valueAt + fixedBytes;
    if (Dword(dataEntry->data() + 4) < needed)
        return {};
    const std::optional<uint64_t> at = image.FileOffset(Dword(dataEntry->data()), needed);
    if (!at)
        return {};
    const std::optional<std::vector<uint8_t>> info = image.Read(*at, needed);
    if (!info || Word(info->data()) < needed || Word(info->data() + 2) < fixedBytes)
        return {};
    for (size_t i = 0; i < std::size(key); ++i)
        if (Word(info->data() + 6 + 2 * i) != key[i])
            return {};
    const uint8_t* fixed = info->data() + valueAt;
    if (Dword(fixed) != fixedInfoSignature)
        return {};
    return FormatVersionCell(Dword(fixed + 8), Dword(fixed + 12));
}

bool Is64BitMachine(uint16_t machine)
{
    return machine == 0x8664 || machine == 0xAA64;
}

// A .NET program built for x86 may run on any processor: its runtime header
// says whether it holds only portable code and whether it needs, or merely
// prefers, a 32-bit process. Nothing for a header that cannot be read.
std::optional<std::string> ManagedPlatform(ImageReader& image, uint32_t runtimeAddress)
{
    constexpr uint32_t ilOnly = 0x1, requires32Bit = 0x2, prefers32Bit = 0x20000;
    constexpr uint32_t headerBytes = 72;
    const std::optional<uint64_t> at = image.FileOffset(runtimeAddress, headerBytes);
    const std::optional<std::vector<uint8_t>> runtime = at ? image.Read(*at, headerBytes) : std::nullopt;
    if (!runtime || Dword(runtime->data()) < headerBytes)
        return std::nullopt;
    const uint32_t flags = Dword(runtime->data() + 16);
    if ((flags & ilOnly) == 0)
        return std::nullopt; // mixed code: the machine's own
    if ((flags & requires32Bit) == 0)
        return "Any CPU";
    if ((flags & prefers32Bit) != 0)
        return "Any CPU (32-bit preferred)";
    return "x86";
}

} // namespace

std::string PlatformName(uint16_t machine)
{
    switch (machine) {
    case 0x014C:
        return "x86";
    case 0x8664:
        return "x64";
    case 0xAA64:
        return "ARM64";
    case 0x01C0: // ARM
    case 0x01C2: // Thumb
    case 0x01C4: // ARM Thumb-2
        return "ARM";
    default:
        return {};
    }
}

std::string FormatVersionCell(uint32_t mostSignificant, uint32_t leastSignificant)
{
    return std::to_string(mostSignificant >> 16) + '.' + std::to_string(mostSignificant & 0xFFFF) + '.' +
           std::to_string(leastSignificant >> 16) + '.' + std::to_string(leastSignificant & 0xFFFF);
}

ProgramInfo ReadProgramInfo(IFileRanges& file)
{
    ProgramInfo info;
    ImageReader image(file);
    const std::optional<std::vector<uint8_t>> dos = image.Read(0, 64);
    if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z')
        return info;
    const uint64_t header = Dword(dos->data() + 0x3C);
    // Signature and file header.
    const std::optional<std::vector<uint8_t>> fileHeader = image.Read(header, 24);
    if (!fileHeader || std::memcmp(fileHeader->data(), "PE\0\0", 4) != 0)
        return info;
    const uint16_t machine = Word(fileHeader->data() + 4);
    info.platform = PlatformName(machine);

    const uint16_t sectionCount = std::min(Word(fileHeader->data() + 6), maxSections);
    const uint16_t optionalSize = Word(fileHeader->data() + 20);
    const std::optional<std::vector<uint8_t>> optional = image.Read(header + 24, optionalSize);
    if (!optional || optionalSize < 2)
        return info;
    // The data directories follow the fields that differ between 32 and 64 bits.
    size_t directoriesAt = 0;
    bool wide = false;
    switch (Word(optional->data())) {
    case 0x10B:
        directoriesAt = 96;
        break;
    case 0x20B:
        directoriesAt = 112;
        wide = true;
        break;
    default:
        return info;
    }
    // A 64-bit machine in a 32-bit header, or the other way round, is no
    // program that machine loads: named as neither.
    if (!info.platform.empty() && Is64BitMachine(machine) != wide)
        info.platform.clear();
    const uint32_t directoryCount =
        optionalSize >= directoriesAt ? Dword(optional->data() + directoriesAt - 4) : 0;
    const auto directory = [&](uint32_t index) -> std::optional<uint32_t> {
        const size_t at = directoriesAt + size_t{index} * 8;
        if (directoryCount <= index || optionalSize < at + 8)
            return std::nullopt;
        const uint32_t address = Dword(optional->data() + at);
        return address == 0 ? std::nullopt : std::optional<uint32_t>(address);
    };
    const std::optional<uint32_t> resourceAddress = directory(2);
    const std::optional<uint32_t> runtimeAddress = directory(14);
    if (!resourceAddress && !runtimeAddress)
        return info;

    const std::optional<std::vector<uint8_t>> table =
        image.Read(header + 24 + optionalSize, size_t{sectionCount} * 40);
    if (!table)
        return info;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const uint8_t* section = table->data() + size_t{i} * 40;
        image.sections.push_back({Dword(section + 12), Dword(section + 16), Dword(section + 20)});
    }
    if (runtimeAddress && !wide && machine == 0x014C)
        if (std::optional<std::string> managed = ManagedPlatform(image, *runtimeAddress))
            info.platform = *managed;
    if (resourceAddress)
        info.version = ReadVersion(image, *resourceAddress);
    return info;
}

} // namespace trawl
