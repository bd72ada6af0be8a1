#include "ShimFile.h"

#include "CommandRuns.h"
#include "NameFolder.h"
#include "Wtf8.h"

namespace trawl {

namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16Mark = "\xFF\xFE";
constexpr std::string_view blanks = " \t";

// The file's text as UTF-8; nothing when it is in neither encoding.
std::optional<std::string> ShimText(std::string_view bytes)
{
    if (bytes.starts_with(utf16Mark)) {
        bytes.remove_prefix(utf16Mark.size());
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        std::u16string units;
        for (size_t at = 0; at < bytes.size(); at += 2)
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                           (static_cast<unsigned char>(bytes[at + 1]) << 8));
        return Wtf8FromUtf16(units);
    }
    if (bytes.starts_with(utf8Mark))
        bytes.remove_prefix(utf8Mark.size());
    // Whole sequences come back unchanged; any other byte would not.
    std::string text(bytes);
    if (Wtf8FromUtf16(Utf16FromWtf8(text)) != text)
        return std::nullopt;
    return text;
}

std::string_view Trim(std::string_view text)
{
    const size_t start = text.find_first_not_of(blanks);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(blanks) + 1 - start);
}

} // namespace

std::optional<ShimTarget> ParseShimFile(std::string_view bytes)
{
    if (bytes.size() > maxShimBytes)
        return std::nullopt;
    const std::optional<std::string> text = ShimText(bytes);
    if (!text || text->find('\0') != std::string::npos)
        return std::nullopt;

    std::optional<std::string_view> path, args;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        std::optional<std::string_view>* field = SameAsciiFolded(key, "path")   ? &path
                                                 : SameAsciiFolded(key, "args") ? &args
                                                                                : nullptr;
        if (field == nullptr)
            continue;
        if (*field)
            return std::nullopt;
        *field = Trim(line.substr(equals + 1));
    }
    if (!path)
        return std::nullopt;
    std::string_view target = *path;
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    // No file name holds a quote: a path with one names nothing.
    if (Trim(target).empty() || target.find('"') != std::string_view::npos)
        return std::nullopt;
    return ShimTarget{std::string(target), std::string(args.value_or(""))};
}

std::string ShimFileName(std::string_view programName)
{
    return std::string(SplitProgramName(programName).stem) + ".shim";
}

} // namespace trawl
