// Directory lists: the split keeps every non-empty entry of the searched
// part in order, and joining never doubles or drops a separator.
#include "core/DirectorySearch.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace trawl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view cut = CutDirectoryList(text);
    if (cut.size() > directoryListLimit || text.substr(0, cut.size()) != cut)
        std::abort();

    // Rebuilding the cut list without its empty entries gives back the entries.
    std::string expected;
    std::string entry;
    for (char c : cut) {
        if (c != ';') {
            entry += c;
            continue;
        }
        if (!entry.empty())
            expected += (expected.empty() ? "" : ";") + entry;
        entry.clear();
    }
    if (!entry.empty())
        expected += (expected.empty() ? "" : ";") + entry;

    std::string joined;
    for (const std::string& directory : SplitDirectoryList(text)) {
        if (directory.empty() || directory.find(';') != std::string::npos)
            std::abort();
        joined += (joined.empty() ? "" : ";") + directory;
    }
    if (joined != expected)
        std::abort();

    // Any split point of the input gives a directory and a name to join.
    const size_t at = size == 0 ? 0 : data[0] % (size + 1);
    const std::string_view directory = text.substr(0, at);
    const std::string_view name = text.substr(at);
    const std::string path = JoinPath(directory, name);
    const bool hasSeparator = !directory.empty() && directory.back() == '\\';
    const std::string want = std::string(directory) + (hasSeparator ? "" : "\\") + std::string(name);
    if (path != want)
        std::abort();
    return 0;
}
