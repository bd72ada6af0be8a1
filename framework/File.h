#pragma once

#include "Platform.h"
#include "Time.h"

#include <cstdint>
#include <exception>
#include <string>

// What GetStatus tells about a file.
struct CFileStatus {
    // A creation or access time the file system did not record is the
    // modification time.
    CTime ctime;
    CTime mtime;
    CTime atime;
    // The whole size: files of 2 GiB and more are common.
    int64_t size = 0;
    // Read-only 0x01, hidden 0x02, system 0x04, volume 0x08, directory 0x10, archive 0x20.
    BYTE attribute = 0;
    // The absolute path of the file.
    std::string fullName;
};

// A file operation that failed, with the cause in the framework's terms.
class CFileException : public std::exception {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(int cause, LONG osError, std::string fileName)
        : cause(cause), osError(osError), fileName(std::move(fileName))
    {
    }
    // The cause for a system error code; genericException for codes without one.
    static int OsErrorToCause(DWORD osError);
    const char* what() const noexcept override { return "file exception"; }

    int cause;
    LONG osError;
    std::string fileName;
};

// File operations on paths of any length: a path is always used whole.
// A path of the code page is made absolute first, as the system does (which
// drops trailing dots and spaces and turns "nul.txt" into the device). A
// UTF-16 path is used exactly as given: in the "\\?\" form it reaches the
// very name it holds.
class CFile {
public:
    // False when nothing of that name is found.
    static bool GetStatus(const std::string& path, CFileStatus& status);
    static bool GetStatus(const std::wstring& path, CFileStatus& status);
    // Deletes the file; throws CFileException when it cannot.
    static void Remove(const std::string& path);
    // The exception names the file as shownName.
    static void Remove(const std::wstring& path, const std::string& shownName);

    // The absolute form of a path, however long, as the system makes it; the
    // path itself when it has none.
    static std::wstring FullPath(const std::wstring& path);
    // An absolute path in the "\\?\" form, which the system takes as it is.
    static std::wstring ExactForm(const std::wstring& fullPath);
    // The path without the "\\?\" prefix, as a program that normalises takes it.
    static std::wstring PlainForm(const std::wstring& path);
};
