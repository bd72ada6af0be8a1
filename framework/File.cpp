#include "File.h"

namespace {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                            nullptr, nullptr);
    return text;
}

// The absolute form of a path, however long; the path itself when it has none.
std::wstring FullPath(const std::wstring& path)
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

// The ANSI functions and unprefixed paths stop at MAX_PATH characters; the
// long-path prefix lets a longer path reach the file system whole rather
// than fail (or, with a cut copy, name another file).
std::wstring SystemPath(const std::wstring& full)
{
    if (full.size() < MAX_PATH || full.rfind(L"\\\\?\\", 0) == 0)
        return full;
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace

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
    if (path.empty())
        return false;
    const std::wstring full = FullPath(Widen(path));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(SystemPath(full).c_str(), GetFileExInfoStandard, &data))
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
    status.fullName = Narrow(full);
    return true;
}

void CFile::Remove(const std::string& path)
{
    const std::wstring full = FullPath(Widen(path));
    if (path.empty() || !DeleteFileW(SystemPath(full).c_str())) {
        const DWORD error = path.empty() ? ERROR_PATH_NOT_FOUND : GetLastError();
        throw CFileException(CFileException::OsErrorToCause(error), static_cast<LONG>(error), path);
    }
}
