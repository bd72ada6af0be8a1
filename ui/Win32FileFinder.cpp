#include "Win32FileFinder.h"

#include "ui/CodePageText.h"
#include "ui/SearchPath.h"

#include <memory>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's names are UTF-16");

namespace {

uint64_t Combine(DWORD high, DWORD low)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

} // namespace

void Win32FileFinder::FindMatches(const std::string& searchPath,
                                  const std::function<void(const trawl::FoundEntry&)>& onEntry)
{
    // A path the code page does not carry would search somewhere else.
    std::optional<std::wstring> widePath = SystemSearchPath(searchPath, codePage);
    if (!widePath)
        return;
    WIN32_FIND_DATAW data{};
    // Closed however the loop ends: writing a row may throw.
    std::unique_ptr<void, decltype(&FindClose)> find(FindFirstFileW(widePath->c_str(), &data), &FindClose);
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        return;
    }
    do {
        const std::string name = ListedNameInCodePage(data.cFileName, data.cAlternateFileName, codePage);
        const std::string shortName =
            data.cAlternateFileName[0] == L'\0'
                ? std::string()
                : ExactInCodePage(data.cAlternateFileName, codePage).value_or(std::string());
        trawl::FoundEntry entry;
        entry.name = name;
        entry.shortName = shortName;
        entry.attributes = data.dwFileAttributes;
        entry.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
        entry.lastWriteTime =
            Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
        entry.exactName = reinterpret_cast<const char16_t*>(data.cFileName);
        entry.exactShortName = reinterpret_cast<const char16_t*>(data.cAlternateFileName);
        // The find data carries the tag only for a reparse point.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            entry.reparseTag = data.dwReserved0;
        onEntry(entry);
    } while (FindNextFileW(find.get(), &data));
}
