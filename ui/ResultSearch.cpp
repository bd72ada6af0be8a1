#include "ResultSearch.h"

#include "core/CommandRuns.h"
#include "framework/Dpi.h"
#include "ui/CodePageText.h"
#include "ui/EnvironmentValue.h"
#include "ui/PlatformNameFolder.h"
#include "ui/Win32FileFinder.h"
#include "ui/Win32LocalTime.h"

#include <algorithm>
#include <vector>

namespace {

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

// Writes the search's rows into the result list, which keeps each found
// row's file.
class ResultListWriter : public trawl::IResultSink {
public:
    explicit ResultListWriter(CResultListCtrl& list) : list(list) {}
    void InsertRow(int32_t row, const std::string& path) override { list.SetCell(row, 0, path); }
    void InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry) override
    {
        list.InsertFoundRow(row, path, entry);
    }
    void SetCell(int32_t row, int column, const std::string& text) override { list.SetCell(row, column, text); }

private:
    CResultListCtrl& list;
};

} // namespace

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
