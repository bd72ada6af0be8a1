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
std::optional<std::wstring> ReachableName(const ListedFile& file)
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

std::optional<std::wstring> FullDirectory(const ListedFile& file)
{
    const std::optional<std::wstring> directory = WideFromCodePage(file.directory);
    if (!directory || directory->empty())
        return std::nullopt;
    std::wstring full = CFile::FullPath(*directory);
    if (full.empty() || full.back() != L'\\')
        full += L'\\';
    return full;
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

std::optional<std::wstring> ExactPath(const ListedFile& file)
{
    const std::optional<std::wstring> directory = FullDirectory(file);
    const std::optional<std::wstring> name = ReachableName(file);
    if (!directory || !name)
        return std::nullopt;
    return CFile::ExactForm(*directory + *name);
}

std::optional<std::string> LaunchPath(const ListedFile& file, size_t limit)
{
    const std::optional<std::wstring> exact = ExactPath(file);
    if (!exact)
        return std::nullopt;
    if (std::optional<std::string> plain = Launchable(CFile::PlainForm(*exact), *exact, limit))
        return plain;
    const DWORD needed = GetShortPathNameW(exact->c_str(), nullptr, 0);
    std::wstring shortPath(needed, L'\0');
    const DWORD length = needed == 0 ? 0 : GetShortPathNameW(exact->c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return std::nullopt;
    shortPath.resize(length);
    return Launchable(CFile::PlainForm(shortPath), *exact, limit);
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
