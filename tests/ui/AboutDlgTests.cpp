#include "ui/AboutDlg.h"

#include "support/FakeMachine.h"
#include "support/ModalUser.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ChildTexts(HWND dialog)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        texts.push_back(text);
    }
    return texts;
}

// Whether a child's text fits on one line of the child, in its own font.
bool FitsOnOneLine(HWND dialog, const std::string& text)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char own[256] = {};
        GetWindowTextA(child, own, sizeof own);
        if (text != own)
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, own, static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        RECT client{};
        GetClientRect(child, &client);
        return size.cx <= client.right;
    }
    return false;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(AboutDialog, ShowsTheMachinesMemoryAndDrives)
{
    FakeMachine machine;
    machine.memory = 33554432;
    machine
        .Add('A', DriveKind::Fixed, GiB) // never listed, whatever it is
        .Add('B', DriveKind::Other)
        .Add('C', DriveKind::Fixed, 10 * GiB)
        .Add('D', DriveKind::CdRom)
        .Add('E', DriveKind::Other)
        .Add('F', DriveKind::Fixed, 5 * TiB)
        .Add('G', DriveKind::Network, {}, "\\\\fileserver\\projects")
        .Add('H', DriveKind::Fixed)    // free space cannot be read
        .Add('N', DriveKind::Network); // disconnected
    struct Row {
        std::string root;
        int image;
        std::string detail;
        bool operator==(const Row&) const = default;
    };
    const std::vector<Row> expected = {
        {"C:\\", 0, "10485760 KB Free on C:"},
        {"D:\\", 1, "CD-ROM drive"},
        {"F:\\", 0, "5368709120 KB Free on F:"},
        {"G:\\", 2, "\\\\fileserver\\projects"},
        {"H:\\", 0, "Unavailable"},
        {"N:\\", 2, ""},
    };

    CAboutDlg about(&machine);
    std::vector<Row> rows, rowsAfterClicks;
    std::vector<std::string> texts, headings;
    HIMAGELIST images = nullptr;
    ModalUser user([&](HWND dialog) {
        CResultListCtrl& table = about.driveList;
        auto readRows = [&table] {
            std::vector<Row> read;
            for (int row = 0; row < table.GetItemCount(); ++row)
                read.push_back(
                    {table.GetItemText(row, 0), table.GetImage(row, 0), table.GetItemText(row, 1)});
            return read;
        };
        rows = readRows();
        for (int column = 0; column < table.GetColumnCount(); ++column)
            headings.push_back(table.GetColumnHeading(column));
        texts = ChildTexts(dialog);
        EXPECT_TRUE(FitsOnOneLine(dialog, "Total Memory:"));
        images = ListView_GetImageList(table.GetSafeHwnd(), LVSIL_SMALL);
        // A heading click and a right-click on the table do nothing.
        NMLISTVIEW click{};
        click.hdr = {table.GetSafeHwnd(), IDC_DRIVES, LVN_COLUMNCLICK};
        click.iSubItem = 1;
        SendMessageA(dialog, WM_NOTIFY, IDC_DRIVES, reinterpret_cast<LPARAM>(&click));
        click.hdr.code = NM_RCLICK;
        click.iItem = 0;
        SendMessageA(dialog, WM_NOTIFY, IDC_DRIVES, reinterpret_cast<LPARAM>(&click));
        rowsAfterClicks = readRows();
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    ASSERT_TRUE(user.Acted());

    EXPECT_EQ(rows, expected);
    EXPECT_EQ(rowsAfterClicks, expected);
    EXPECT_EQ(headings, (std::vector<std::string>{"Drive", "Disk Free Space"}));
    // The figure is the total memory, whatever is free, and the label says so.
    EXPECT_TRUE(Contains(texts, "32768 KB"));
    EXPECT_TRUE(Contains(texts, "Total Memory:"));
    EXPECT_FALSE(Contains(texts, "Free Memory:"));
    EXPECT_TRUE(Contains(texts, "Trawl  - Version 1.09"));
    EXPECT_EQ(about.makerText, LoadResString(IDS_MAKER_TEXT));
    EXPECT_TRUE(Contains(texts, about.makerText));
    // The dialog's own image list, still whole after the table is gone.
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images, about.driveImages.GetSafeHandle());
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
}

TEST(AboutDialog, DriveBitmapAndVersionResource)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDB_DRIVES),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 13);
    EXPECT_EQ(info.bmBitsPixel, 4);
    DeleteObject(bitmap);

    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> version(GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(version.size()), version.data()));
    for (const auto& [name, value] : {std::pair{"ProductName", "Trawl"}, std::pair{"ProductVersion", "1.09"},
                                      std::pair{"CompanyName", "Quillfen Software"}}) {
        char* text = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueA(version.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            << name;
        EXPECT_STREQ(text, value);
    }
}

} // namespace
