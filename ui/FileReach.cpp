#include "FileReach.h"

#include "framework/CodePage.h"
#include "framework/File.h"

#include <algorithm>
#include <memory>

namespace {

bool IsPathChar(wchar_t c)
{
    return c >= 32 && std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos;
}

// The name to put after the directory: the long one when a path can hold it.
std::optional<std::wstring> ReachableName(const FoundFile& file)
{
    for (const std::wstring* name : {&file.name, &file.shortName})
        if (!name->empty() && std::all_of(name->begin(), name->end(), IsPathChar))
            return *name;
    return std::nullopt;
}

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// Opened for its identity only: no access asked, every sharing granted.
Handle OpenItself(const std::wstring& path)
{
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle, &CloseHandle);
}

bool SameFile(const std::wstring& first, const std::wstring& second)
{
    const Handle one = OpenItself(first), other = OpenItself(second);
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return one && other && GetFileInformationByHandle(one.get(), &a) &&
           GetFileInformationByHandle(other.get(), &b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

std::wstring FinalPath(const std::wstring& path)
{
    const Handle handle = OpenItself(path);
    if (!handle)
        return {};
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle.get(), final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(handle.get(), final.data(), static_cast<DWORD>(final.size()), 0);
    }
    final.resize(length < final.size() ? length : 0);
    return final;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::optional<std::wstring> FullDirectory(const FoundFile& file)
{
    const std::optional<std::wstring> directory = WideFromCodePage(file.directory);
    if (!directory || directory->empty())
        return std::nullopt;
    std::wstring full = CFile::FullPath(*directory);
    if (full.empty() || full.back() != L'\\')
        full += L'\\';
    return full;
}

// How many entries of the directory have each name, compared as the file
// system compares names, and the long name of the last one with the short
// name. The name's last character is made a wildcard: an enumeration of a
// plain name may stop at the first file that answers to it (Wine's does),
// and two files that answer to one name are what this looks for.
struct Namesakes {
    int longTwins = 0;
    int shortTwins = 0;
    std::wstring longOfShort;
};

Namesakes CountNamesakes(const std::wstring& exactDirectory, const std::wstring& reachedBy,
                         const FoundFile& file)
{
    Namesakes found;
    std::wstring pattern = exactDirectory + reachedBy;
    pattern.back() = L'?';
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return found;
    do {
        if (EqualIgnoringCase(data.cFileName, file.name))
            ++found.longTwins;
        if (!file.shortName.empty() && EqualIgnoringCase(data.cAlternateFileName, file.shortName)) {
            ++found.shortTwins;
            found.longOfShort = data.cFileName;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

// A plain path names this file when normalising it changes nothing, it fits,
// and the code page carries it.
std::optional<std::string> Launchable(const std::wstring& plain, const std::wstring& exact, size_t limit)
{
    if (plain.empty() || plain.size() > limit || CFile::FullPath(plain) != plain || !SameFile(plain, exact))
        return std::nullopt;
    return ExactInCodePage(plain);
}

} // namespace

std::optional<std::wstring> ExactPath(const FoundFile& file)
{
    const std::optional<std::wstring> directory = FullDirectory(file);
    const std::optional<std::wstring> name = ReachableName(file);
    if (!directory || !name)
        return std::nullopt;
    return CFile::ExactForm(*directory + *name);
}

CheckedPath CheckedExactPath(const FoundFile& file)
{
    const std::optional<std::wstring> directory = FullDirectory(file);
    const std::optional<std::wstring> name = ReachableName(file);
    if (!directory || !name)
        return {{}, ReachFault::NoName};
    const std::wstring exactDirectory = CFile::ExactForm(*directory);
    const Namesakes namesakes = CountNamesakes(exactDirectory, *name, file);
    const bool byShortName = *name != file.name;
    if (namesakes.longTwins > 1 || (byShortName && namesakes.shortTwins > 1))
        return {{}, ReachFault::Ambiguous};
    // The alias recorded at the search may since have gone to another file.
    if (byShortName && namesakes.shortTwins == 1 && namesakes.longOfShort != file.name)
        return {{}, ReachFault::Changed};
    return {exactDirectory + *name, ReachFault::None};
}

std::optional<std::string> LaunchPath(const std::wstring& exact, size_t limit)
{
    if (std::optional<std::string> plain = Launchable(CFile::PlainForm(exact), exact, limit))
        return plain;
    const DWORD needed = GetShortPathNameW(exact.c_str(), nullptr, 0);
    std::wstring shortPath(needed, L'\0');
    const DWORD length = needed == 0 ? 0 : GetShortPathNameW(exact.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return std::nullopt;
    shortPath.resize(length);
    return Launchable(CFile::PlainForm(shortPath), exact, limit);
}

AfterRemove CheckRemoved(const std::wstring& exactPath)
{
    if (GetFileAttributesW(exactPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        return AfterRemove::StillThere;
    // What Windows answers for a file marked for deletion and still open.
    return GetLastError() == ERROR_ACCESS_DENIED ? AfterRemove::Pending : AfterRemove::Gone;
}

bool LeadsElsewhere(const std::wstring& exactPath)
{
    const size_t slash = exactPath.rfind(L'\\');
    if (slash == std::wstring::npos)
        return false;
    // With its backslash: "\\?\C:" would open the volume, not its root.
    const std::wstring final = FinalPath(exactPath);
    std::wstring directory = FinalPath(exactPath.substr(0, slash + 1));
    if (!directory.empty() && directory.back() == L'\\')
        directory.pop_back();
    if (final.empty() || directory.empty() || EqualIgnoringCase(final, directory + exactPath.substr(slash)))
        return false;
    // Wine names some files it maps (a trailing dot) by another name that is
    // another file; only a final path that is this same file is a link's target.
    return SameFile(final, exactPath);
}
