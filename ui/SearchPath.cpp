#include "SearchPath.h"

#include "framework/CodePage.h"
#include "framework/File.h"

std::optional<std::wstring> SystemSearchPath(const std::string& searchPath, UINT codePage)
{
    std::optional<std::wstring> path = WideFromCodePage(searchPath, codePage);
    if (!path || path->rfind(LR"(\\?\)", 0) == 0)
        return path;
    const size_t cut = path->find_last_of(L"\\/");
    if (cut == std::wstring::npos)
        return path;
    // A pattern that names a device ("con", "nul.txt", "aux.*") would make
    // the plain path the device itself, listed in every directory: the
    // long-path form lists what the directory holds under that name.
    const std::wstring full = CFile::FullPath(*path);
    const bool namesDevice = path->rfind(LR"(\\.\)", 0) != 0 && full.rfind(LR"(\\.\)", 0) == 0;
    if (full.size() < MAX_PATH && !namesDevice)
        return path;
    // With its separator: "C:" alone would be drive C's current directory.
    const std::wstring directory = CFile::FullPath(path->substr(0, cut + 1));
    const std::wstring pattern = path->substr(cut + 1);
    return CFile::ExactForm(directory.back() == L'\\' ? directory : directory + L'\\') + pattern;
}

std::wstring ReachingForm(const std::wstring& fullPath)
{
    return fullPath.size() < MAX_PATH ? fullPath : CFile::ExactForm(fullPath);
}
