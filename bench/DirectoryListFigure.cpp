#include "DirectoryListFigure.h"

#include "Timing.h"

#include "support/FixtureFiles.h"

#include "ui/DirectoryListDlg.h"
#include "ui/StoredEnvironment.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 5;
constexpr int entryCount = 1000;
constexpr size_t fullValue = 32767;
constexpr double openTarget = 0.3;

// The dialog's owner: the modal loop tells it when the dialog has drawn and
// has nothing left to do, which is when the user can read it.
class IdleOwner : public CWnd {
public:
    double shownAt = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && shownAt == 0) {
            shownAt = Now();
            ::PostMessageA(reinterpret_cast<HWND>(lParam), WM_COMMAND, IDCANCEL, 0);
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

// Every other entry exists; each is padded with a last component so that the
// whole value holds exactly 32,767 characters.
std::string MakeList(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    const size_t entryChars = (fullValue - (entryCount - 1)) / entryCount;
    size_t longer = (fullValue - (entryCount - 1)) % entryCount;
    std::string list;
    for (int i = 0; i < entryCount; ++i) {
        std::string entry = root + "\\" + (i % 2 != 0 ? "gone" : "d") + std::to_string(i) + "-";
        entry.resize(entryChars + (longer > 0 ? 1 : 0), 'x');
        longer -= longer > 0 ? 1 : 0;
        if (i % 2 == 0)
            CreateDirectoryA(entry.c_str(), nullptr);
        list += (i != 0 ? ";" : "") + entry;
    }
    return list;
}

} // namespace

void PrintDirectoryListFigure()
{
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) < 3) {
        std::printf("directory list: no temporary folder\n");
        return;
    }
    const std::string root = std::string(temp, 3) + "trawl-dl";
    const std::string list = MakeList(root);
    IdleOwner owner;
    if (!owner.CreateEx(0, nullptr, "Directory List bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                        nullptr, 0)) {
        std::printf("directory list: cannot create the owner window\n");
        return;
    }
    PumpMessages();
    std::vector<double> times;
    size_t rows = 0;
    for (int run = 0; run < runs; ++run) {
        owner.shownAt = 0;
        const double start = Now();
        // As the command does: the stored values are read while it opens.
        CDirectoryListDlg dialog(list, StoredVariableValues("PATH"), nullptr, &owner);
        dialog.DoModal();
        times.push_back(owner.shownAt - start);
        rows = dialog.rows.size();
        PumpMessages();
    }
    owner.DestroyWindow();
    RemoveTree(root);
    const double median = Median(times);
    std::printf(
        "directory list dialog, %zu characters, %zu rows, half missing: %.3f s open (%s; target at most "
        "%.1f s: %s)\n",
        list.size(), rows, median, RunList(times).c_str(), openTarget,
        median <= openTarget ? "met" : "NOT met");
}
