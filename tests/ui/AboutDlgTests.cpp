#include "ui/AboutDlg.h"

#include "framework/Resources.h"
#include "support/FakeMachine.h"
#include "support/ModalUser.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The dialog's child showing exactly this text, if any.
HWND ChildShowing(HWND dialog, const std::string& text)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char own[256] = {};
        GetWindowTextA(child, own, sizeof own);
        if (text == own)
            return child;
    }
    return nullptr;
}

// Whether the child's text fits on one line of it, in its own font.
bool FitsOnOneLine(HWND child)
{
    char text[256] = {};
    const int length = GetWindowTextA(child, text, sizeof text);
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    RECT client{};
    GetClientRect(child, &client);
    return size.cx <= client.right;
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
    const std::vector<std::string> expected = {
        "C:\\ 0 10485760 KB Free on C:",   "D:\\ 1 CD-ROM drive", "F:\\ 0 5368709120 KB Free on F:",
        "G:\\ 2 \\\\fileserver\\projects", "H:\\ 0 Unavailable",  "N:\\ 2 ",
    };

    CAboutDlg about(&machine);
    HIMAGELIST images = nullptr;
    ModalUser user([&](HWND dialog) {
        CResultListCtrl& table = about.driveList;
        const auto rows = [&table] {
            std::vector<std::string> read;
            for (int row = 0; row < table.GetItemCount(); ++row)
                read.push_back(table.GetItemText(row, 0) + " " + std::to_string(table.GetImage(row, 0)) +
                               " " + table.GetItemText(row, 1));
            return read;
        };
        EXPECT_EQ(rows(), expected);
        EXPECT_EQ(table.GetColumnHeading(0) + "|" + table.GetColumnHeading(1), "Drive|Disk Free Space");
        EXPECT_EQ(table.GetColumnCount(), 2);
        // The figure is the total memory, whatever is free, and the label says so.
        EXPECT_NE(ChildShowing(dialog, "32768 KB"), nullptr);
        EXPECT_TRUE(FitsOnOneLine(ChildShowing(dialog, "Total Memory:")));
        EXPECT_EQ(ChildShowing(dialog, "Free Memory:"), nullptr);
        EXPECT_NE(ChildShowing(dialog, "Trawl  - Version 1.09"), nullptr);
        EXPECT_EQ(about.makerText, LoadResString(IDS_MAKER_TEXT));
        EXPECT_NE(ChildShowing(dialog, about.makerText), nullptr);
        images = ListView_GetImageList(table.GetSafeHwnd(), LVSIL_SMALL);
        // A heading click and a right-click on the table do nothing.
        NMLISTVIEW click{};
        click.hdr = {table.GetSafeHwnd(), IDC_DRIVES, LVN_COLUMNCLICK};
        click.iSubItem = 1;
        SendMessageA(dialog, WM_NOTIFY, IDC_DRIVES, reinterpret_cast<LPARAM>(&click));
        click.hdr.code = NM_RCLICK;
        click.iItem = 0;
        SendMessageA(dialog, WM_NOTIFY, IDC_DRIVES, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(rows(), expected);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    ASSERT_TRUE(user.Acted());
    // The dialog's own image list, still whole after the table is gone.
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images, about.driveImages.GetSafeHandle());
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
}

TEST(AboutDialog, DriveBitmapAndVersionResource)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDB_DRIVES),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 13);
    EXPECT_EQ(info.bmBitsPixel, 4);
    DeleteObject(bitmap);

    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> version(GetFileVersionInfoSizeA(path, nullptr));
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
