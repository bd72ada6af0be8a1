#include "File.h"

#include "CodePage.h"

namespace {

// The ANSI functions and unprefixed paths stop at MAX_PATH characters; the
// long-path prefix lets a longer path reach the file system whole rather
// than fail (or, with a cut copy, name another file).
std::wstring SystemPath(const std::wstring& full)
{
    return full.size() < MAX_PATH ? full : CFile::ExactForm(full);
}

} // namespace

std::wstring CFile::FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

std::wstring CFile::ExactForm(const std::wstring& full)
{
    if (full.rfind(LR"(\\?\)", 0) == 0)
        return full;
    // The device form is normalised like any plain path ("foo." reaches
    // "foo"); only the long-path form is taken as it is.
    if (full.rfind(LR"(\\.\)", 0) == 0)
        return LR"(\\?\)" + full.substr(4);
    if (full.rfind(LR"(\\)", 0) == 0)
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

std::wstring CFile::PlainForm(const std::wstring& path)
{
    if (path.rfind(LR"(\\?\UNC\)", 0) == 0)
        return LR"(\\)" + path.substr(8);
    return path.rfind(LR"(\\?\)", 0) == 0 ? path.substr(4) : path;
}

int CFileException::OsErrorToCause(DWORD osError)
{
    switch (osError) {
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return badPath;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return accessDenied;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    default:
        return genericException;
    }
}

bool CFile::GetStatus(const std::string& path, CFileStatus& status)
{
    // A path the code page does not carry would look at another file.
    const std::optional<std::wstring> wide = WideFromCodePage(path);
    if (!wide || wide->empty())
        return false;
    return GetStatus(SystemPath(FullPath(*wide)), status);
}

bool CFile::GetStatus(const std::wstring& path, CFileStatus& status)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    status.mtime = CTime::FromFileTime(data.ftLastWriteTime);
    status.ctime = CTime::FromFileTime(data.ftCreationTime);
    status.atime = CTime::FromFileTime(data.ftLastAccessTime);
    if (status.ctime.GetTime() == 0)
        status.ctime = status.mtime;
    if (status.atime.GetTime() == 0)
        status.atime = status.mtime;
    status.size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    status.attribute = static_cast<BYTE>(data.dwFileAttributes & 0x7F);
    // Shown without the long-path prefix; empty when the code page cannot carry it.
    status.fullName = ExactInCodePage(PlainForm(path)).value_or(std::string());
    return true;
}

void CFile::Remove(const std::string& path)
{
    const std::optional<std::wstring> wide = WideFromCodePage(path);
    if (!wide || wide->empty())
        throw CFileException(CFileException::badPath, ERROR_INVALID_NAME, path);
    Remove(SystemPath(FullPath(*wide)), path);
}

void CFile::Remove(const std::wstring& path, const std::string& shownName)
{
    if (path.empty() || !DeleteFileW(path.c_str())) {
        const DWORD error = path.empty() ? ERROR_PATH_NOT_FOUND : GetLastError();
        throw CFileException(CFileException::OsErrorToCause(error), static_cast<LONG>(error), shownName);
    }
}
