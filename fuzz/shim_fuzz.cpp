// Shim files of any bytes: a target read is one line's path and arguments,
// and the same text saved as UTF-16 reads the same.
#include "core/ShimFile.h"
#include "core/Wtf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace trawl;

namespace {

bool OneLine(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Its own allocation, so AddressSanitizer sees a read past the end.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<ShimTarget> target = ParseShimFile(bytes);
    if (!target)
        return 0;
    // Blanks inside a path's quotes stay; none are left around the arguments.
    const std::string& path = target->path;
    const std::string& args = target->args;
    if (path.find_first_not_of(" \t") == std::string::npos || path.find('"') != std::string::npos ||
        !OneLine(path) || !OneLine(args) || (!args.empty() && (args.front() == ' ' || args.back() == ' ')))
        std::abort();

    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xEF\xBB\xBF"))
        return 0;
    std::string wide = "\xFF\xFE";
    for (char16_t unit : Utf16FromWtf8(bytes)) {
        wide += static_cast<char>(unit & 0xFF);
        wide += static_cast<char>(unit >> 8);
    }
    const std::optional<ShimTarget> fromWide = ParseShimFile(wide);
    if (wide.size() <= maxShimBytes &&
        (!fromWide || fromWide->path != target->path || fromWide->args != target->args))
        std::abort();
    return 0;
}
