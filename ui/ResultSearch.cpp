#include "ResultSearch.h"

#include "core/Columns.h"
#include "core/CommandRuns.h"
#include "framework/Dpi.h"
#include "ui/CodePageText.h"
#include "ui/EnvironmentValue.h"
#include "ui/PlatformNameFolder.h"
#include "ui/SearchPath.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

uint64_t Combine(DWORD high, DWORD low)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

// Suspends drawing of a window for a scope.
class RedrawSuspended {
public:
    explicit RedrawSuspended(CWnd& window) : window(window) { window.SetRedraw(false); }
    ~RedrawSuspended()
    {
        window.SetRedraw(true);
        InvalidateRect(window.GetSafeHwnd(), nullptr, TRUE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    CWnd& window;
};

// Measures as LVM_GETSTRINGWIDTH does (the list's font on the list's DC) but
// keeps the DC for the whole search: the message gets and releases a DC on
// every call, which under Wine costs more than all the rest of a row.
class ListTextMeasure : public trawl::ITextMeasure {
public:
    explicit ListTextMeasure(CResultListCtrl& list) : list(list)
    {
        auto font = reinterpret_cast<HGDIOBJ>(list.SendMessage(WM_GETFONT));
        if (font == nullptr)
            return;
        dc = GetDC(list.GetSafeHwnd());
        if (dc != nullptr)
            previousFont = SelectObject(dc, font);
    }
    ~ListTextMeasure() override
    {
        if (dc == nullptr)
            return;
        SelectObject(dc, previousFont);
        ReleaseDC(list.GetSafeHwnd(), dc);
    }
    ListTextMeasure(const ListTextMeasure&) = delete;
    ListTextMeasure& operator=(const ListTextMeasure&) = delete;

    int TextWidth(const std::string& text) override
    {
        if (dc == nullptr)
            return list.GetStringWidth(text);
        // Measured in UTF-16, as the list converts the text to draw it.
        std::optional<std::wstring> wide = WideFromCodePage(text);
        SIZE size{};
        if (!wide || !GetTextExtentPoint32W(dc, wide->c_str(), static_cast<int>(wide->size()), &size))
            return list.GetStringWidth(text);
        return size.cx;
    }

private:
    CResultListCtrl& list;
    HDC dc = nullptr;
    HGDIOBJ previousFont = nullptr;
};

} // namespace

void Win32FileFinder::FindMatches(const std::string& searchPath,
                                  const std::function<void(const trawl::FoundEntry&)>& onEntry)
{
    // A path the code page does not carry would search somewhere else.
    held.clear();
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
        entry.platformRecord = &data;
        onEntry(entry);
    } while (FindNextFileW(find.get(), &data));
}

const void* Win32FileFinder::HoldRecord(const trawl::FoundEntry& entry)
{
    if (entry.platformRecord == nullptr)
        return nullptr;
    return &held.emplace_back(*static_cast<const WIN32_FIND_DATAW*>(entry.platformRecord));
}

std::optional<trawl::LocalTime> Win32LocalTime::ToLocalTime(uint64_t fileTime)
{
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME fields{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &fields))
        return std::nullopt;
    return trawl::LocalTime{fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute};
}

void ResultListWriter::InsertRow(int32_t row, const std::string& path)
{
    list.SetCell(row, 0, path);
}

void ResultListWriter::SetCell(int32_t row, int column, const std::string& text)
{
    list.SetCell(row, column, text);
}

void ResultListWriter::InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry)
{
    list.SetCell(row, 0, path);
    const auto* data = static_cast<const WIN32_FIND_DATAW*>(entry.platformRecord);
    if (data == nullptr || entry.name.size() > path.size())
        return;
    list.AddListedFile(row, std::string_view(path).substr(0, path.size() - entry.name.size()), entry.name,
                       data->cFileName, data->cAlternateFileName);
    if (list.versionColumn >= 0)
        list.DeferProgramCells(row, data->dwFileAttributes);
}

void SetupResultColumns(CResultListCtrl& list, const trawl::DisplayOptions& options)
{
    const std::vector<trawl::ResultColumn> columns = trawl::BuildColumnSet(options);
    trawl::RecordColumnKinds({});
    list.DeleteAllItems();
    while (list.DeleteColumn(0)) {
    }
    trawl::RecordColumnKinds(columns);
    list.versionColumn = trawl::VersionColumnPosition(options);
    for (size_t position = 0; position < columns.size(); ++position) {
        const trawl::ResultColumn& column = columns[position];
        list.InsertSizedColumn(column.heading, static_cast<int>(position), -1, column.widthSpec,
                               CResultListCtrl::maskAll,
                               column.align == trawl::ColumnAlign::Right ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
}

trawl::SearchOutcome ListMatchingFiles(CResultListCtrl& list, std::string_view directoryList,
                                       std::string_view pattern, const trawl::DisplayOptions& options)
{
    RedrawSuspended quiet(list);
    list.DeleteAllItems();
    Win32FileFinder finder;
    Win32LocalTime clock;
    ResultListWriter writer(list);
    ListTextMeasure measure(list);
    // The program's own PATHEXT, as the command interpreter it starts would read it.
    std::vector<std::string> extensions = trawl::ParsePathExt(EnvironmentValue("PATHEXT").value_or(""));
    PlatformNameFolder folder;
    const trawl::CommandLookup commands{extensions, folder};
    const std::optional<std::string_view> command = trawl::CommandOfPattern(pattern);
    list.SetRunRule(extensions, command ? std::optional<std::string>(*command) : std::nullopt);
    return trawl::SearchDirectoryList(directoryList, pattern, options, finder, clock, measure, writer,
                                      &commands);
}

void FinishResultList(CResultListCtrl& list, const trawl::SearchOutcome& outcome,
                      const std::string& noFilesText)
{
    int widest = outcome.widestText;
    if (list.GetItemCount() == 0) {
        list.SetCell(0, 0, noFilesText);
        widest = std::max(widest, list.GetStringWidth(noFilesText));
    }
    list.SetColumnWidth(0, widest + ScaleForDpi(10, DpiOfWindow(list.GetSafeHwnd())));
}
