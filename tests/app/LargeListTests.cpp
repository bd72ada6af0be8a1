#include "TrawlSession.h"

#include "res/resource.h"

#include <functional>

namespace {

using LargeList = TrawlSession;

// Counts the result list's delete notifications on their way to the form.
class DeleteNotifications {
public:
    DeleteNotifications() : hook(SetWindowsHookExA(WH_CALLWNDPROC, &Count, nullptr, GetCurrentThreadId()))
    {
        perRow = 0;
        whole = 0;
    }
    ~DeleteNotifications() { UnhookWindowsHookEx(hook); }
    DeleteNotifications(const DeleteNotifications&) = delete;
    DeleteNotifications& operator=(const DeleteNotifications&) = delete;

    static inline int perRow = 0;
    static inline int whole = 0;

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(sent->lParam);
            if (header->idFrom == IDC_RESULTS && header->code == LVN_DELETEITEM)
                ++perRow;
            if (header->idFrom == IDC_RESULTS && header->code == LVN_DELETEALLITEMS)
                ++whole;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook;
};

TEST_F(LargeList, RemovingEveryRowSendsNoNotificationPerRow)
{
    Start();
    FixtureDir fixture;
    const std::string empty = fixture.Directory("empty", {});
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Clear", [&] { Click(IDC_CLEAR); }},
        {"a new search",
         [&] {
             Click(IDC_ENVCHECK);
             Type(IDC_MYPATH, empty);
             Type(IDC_FILENAME, "*");
             Click(IDC_SEARCH);
         }},
        {"closing the program", [&] { Stop(); }},
    };
    constexpr int rows = 3000;
    for (const auto& [way, removeAll] : ways) {
        SCOPED_TRACE(way);
        ASSERT_NE(view, nullptr);
        // Written as a search writes them: with drawing suspended.
        view->resultList.SetRedraw(false);
        for (int row = 0; row < rows; ++row)
            view->resultList.SetCell(row, 0, "Z:\\tmp\\file" + std::to_string(row));
        view->resultList.SetRedraw(true);
        ASSERT_GE(view->resultList.GetItemCount(), rows);

        DeleteNotifications seen;
        removeAll();
        EXPECT_EQ(seen.perRow, 0);
        EXPECT_GE(seen.whole, 1);
        if (view != nullptr) {
            EXPECT_LE(Rows().size(), 1u) << "only the message row of an empty search may stay";
        }
    }
}

} // namespace
