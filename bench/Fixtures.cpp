#include "Fixtures.h"

#include "ui/Win32FileFinder.h"
#include "ui/Win32LocalTime.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Changing how files are generated must change this, so old fixtures are rebuilt.
constexpr char fixtureTag[] = "trawl-bench fixture v1 20x1638";

// A bijection on 32 bits: distinct inputs give distinct file names.
uint32_t Mix(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

struct FixtureFile {
    std::string name;
    uint64_t size;
    FILETIME lastWrite;
};

FixtureFile DescribeFile(int directory, int index)
{
    const auto key = static_cast<uint32_t>(directory * filesPerDirectory + index);
    const uint32_t h = Mix(key);
    const uint32_t h2 = Mix(key ^ 0x9e3779b9U);
    const uint32_t h3 = Mix(key ^ 0x85ebca6bU);

    FixtureFile file;
    char name[32];
    std::snprintf(name, sizeof name, "%08x.dat", static_cast<unsigned>(h));
    file.name = name;
    // Sizes spread over 64 B .. 1 MB with a skew towards small files, so the
    // KB cells have both many distinct values and many ties. Sparse: cheap.
    const uint32_t bits = 6 + h2 % 15;
    file.size = (h2 >> 4) % (uint32_t{1} << bits);
    // 4,000 distinct minutes over about three years from 2021-01-01: about
    // eight files share each date cell.
    constexpr uint64_t start = 132539328000000000ULL; // 2021-01-01 00:00 UTC
    constexpr uint64_t minute = 600000000ULL;
    const uint64_t time = start + static_cast<uint64_t>(h3 % 4000) * 394 * minute;
    file.lastWrite = FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return file;
}

std::string DirectoryPath(const std::string& root, int directory)
{
    return root + static_cast<char>('a' + directory);
}

std::string MarkerPath(const std::string& root)
{
    return root + "complete";
}

// The rows a search writes, kept row by row.
class RowRecorder : public trawl::IResultSink, public trawl::ITextMeasure {
public:
    void InsertRow(int32_t, const std::string& path) override { rows.push_back(RecordedRow{{path}}); }
    void InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry) override
    {
        InsertRow(row, path);
        RecordedRow& recorded = rows.back();
        recorded.name = entry.name;
        recorded.exactName = entry.exactName;
        recorded.exactShortName = entry.exactShortName;
        recorded.attributes = entry.attributes;
    }
    void SetCell(int32_t, int column, const std::string& text) override
    {
        std::vector<std::string>& cells = rows.back().cells;
        if (cells.size() <= static_cast<size_t>(column))
            cells.resize(static_cast<size_t>(column) + 1);
        cells[static_cast<size_t>(column)] = text;
    }
    int TextWidth(const std::string&) override { return 0; }
    std::vector<RecordedRow> rows;
};

} // namespace

std::string FixtureRoot()
{
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) == 0)
        return {};
    return std::string(temp) + "tb\\";
}

std::vector<std::string> FixtureDirectories(const std::string& root)
{
    std::vector<std::string> directories;
    for (int d = 0; d < directoryCount; ++d)
        directories.push_back(DirectoryPath(root, d));
    return directories;
}

std::string Join(const std::vector<std::string>& directories, size_t count)
{
    std::string list;
    for (size_t i = 0; i < count && i < directories.size(); ++i) {
        if (i != 0)
            list += ';';
        list += directories[i];
    }
    return list;
}

std::string FixtureList(const std::string& root)
{
    return Join(FixtureDirectories(root), directoryCount);
}

bool FixtureComplete(const std::string& root)
{
    HANDLE marker = CreateFileA(MarkerPath(root).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return false;
    char text[64] = {};
    DWORD read = 0;
    ReadFile(marker, text, sizeof text - 1, &read, nullptr);
    CloseHandle(marker);
    return std::strcmp(text, fixtureTag) == 0;
}

bool CreateFixture(const std::string& root)
{
    DeleteFileA(MarkerPath(root).c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < directoryCount; ++d) {
        const std::string directory = DirectoryPath(root, d);
        if (!CreateDirectoryA(directory.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            std::printf("cannot create %s (error %lu)\n", directory.c_str(), GetLastError());
            return false;
        }
        for (int i = 0; i < filesPerDirectory; ++i) {
            const FixtureFile file = DescribeFile(d, i);
            const std::string path = directory + "\\" + file.name;
            HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                std::printf("cannot create %s (error %lu)\n", path.c_str(), GetLastError());
                return false;
            }
            LARGE_INTEGER end{};
            end.QuadPart = static_cast<LONGLONG>(file.size);
            bool ok = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle) &&
                      SetFileTime(handle, nullptr, nullptr, &file.lastWrite);
            CloseHandle(handle);
            if (!ok) {
                std::printf("cannot size or date %s (error %lu)\n", path.c_str(), GetLastError());
                return false;
            }
        }
    }
    HANDLE marker = CreateFileA(MarkerPath(root).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(marker, fixtureTag, static_cast<DWORD>(std::strlen(fixtureTag)), &written, nullptr);
    CloseHandle(marker);
    return true;
}

void DeleteFixture(const std::string& root)
{
    DeleteFileA(MarkerPath(root).c_str());
    for (int d = 0; d < directoryCount; ++d) {
        const std::string directory = DirectoryPath(root, d);
        for (int i = 0; i < filesPerDirectory; ++i)
            DeleteFileA((directory + "\\" + DescribeFile(d, i).name).c_str());
        RemoveDirectoryA(directory.c_str());
    }
    RemoveDirectoryA((root + "empty").c_str());
    RemoveDirectoryA(root.c_str());
}

int RawEnumeration(const std::vector<std::string>& directories)
{
    int files = 0;
    for (const std::string& directory : directories) {
        WIN32_FIND_DATAA data{};
        HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ++files;
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return files;
}

const std::string& RecordedRow::Cell(int column) const
{
    static const std::string none;
    return column >= 0 && static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)]
                                                                     : none;
}

std::vector<RecordedRow> RecordRows(const std::string& directoryList)
{
    Win32FileFinder finder;
    Win32LocalTime clock;
    RowRecorder recorder;
    trawl::SearchDirectoryList(directoryList, "*", allColumns, finder, clock, recorder, recorder);
    return std::move(recorder.rows);
}
