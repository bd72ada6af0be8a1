#include "Win32DirectoryProbe.h"

#include "core/DirectorySearch.h"
#include "framework/CodePage.h"
#include "framework/File.h"
#include "ui/SearchPath.h"

#include <windows.h>

namespace {

DWORD AttributesAt(const std::wstring& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

bool IsDirectory(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

trawl::PathKind Win32DirectoryProbe::Probe(const std::string& path)
{
    const std::optional<std::wstring> searched = SystemSearchPath(trawl::JoinPath(path, "*"));
    if (!searched)
        return trawl::PathKind::Missing;
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW(searched->c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        return trawl::PathKind::Directory;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED)
        return trawl::PathKind::Unreadable;
    // Nothing in it at all, as in a drive's empty root: the search's own
    // directory (its path without the "*") is there.
    if (error == ERROR_FILE_NOT_FOUND &&
        IsDirectory(AttributesAt(searched->substr(0, searched->size() - 1))))
        return trawl::PathKind::Directory;

    // What the name leads to alone: normalised, as most programs take it,
    // and exactly as written.
    std::wstring name = WideFromCodePage(path).value_or(std::wstring());
    while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/'))
        name.pop_back();
    const DWORD normalised = AttributesAt(ReachingForm(CFile::FullPath(name)));
    const DWORD written = AttributesAt(CFile::ExactForm(name));
    if (IsDirectory(normalised) || IsDirectory(written))
        return trawl::PathKind::Unreached;
    if (normalised != INVALID_FILE_ATTRIBUTES || written != INVALID_FILE_ATTRIBUTES)
        return trawl::PathKind::File;
    return trawl::PathKind::Missing;
}
