#include "AppExecAlias.h"

#include "Wtf8.h"

#include <vector>

namespace trawl {

namespace {

constexpr size_t headerBytes = 8;
constexpr uint32_t aliasVersion = 3;

uint32_t Dword(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

} // namespace

std::optional<AppExecAlias> ParseAppExecAlias(std::span<const uint8_t> bytes)
{
    if (bytes.size() < headerBytes || Dword(bytes.data()) != appExecLinkTag)
        return std::nullopt;
    const size_t dataBytes = bytes[4] | (bytes[5] << 8);
    if (dataBytes < 4 || dataBytes > bytes.size() - headerBytes)
        return std::nullopt;
    const std::span<const uint8_t> data = bytes.subspan(headerBytes, dataBytes);
    if (Dword(data.data()) != aliasVersion)
        return std::nullopt;
    const std::span<const uint8_t> area = data.subspan(4);
    if (area.size() % 2 != 0)
        return std::nullopt;

    std::vector<std::string> strings;
    std::u16string text;
    for (size_t at = 0; at < area.size(); at += 2) {
        const auto unit = static_cast<char16_t>(area[at] | (area[at + 1] << 8));
        if (unit != u'\0') {
            text += unit;
            continue;
        }
        strings.push_back(Wtf8FromUtf16(text));
        text.clear();
    }
    // A string cut by the length field, even after three whole ones, says
    // the data is not what this reader knows.
    if (!text.empty())
        return std::nullopt;
    if (strings.size() < 3 || strings[0].empty() || strings[1].empty() || strings[2].empty())
        return std::nullopt;
    return AppExecAlias{std::move(strings[0]), std::move(strings[1]), std::move(strings[2])};
}

} // namespace trawl
