#include "AboutDlg.h"

#include "framework/Resources.h"
#include "res/resource.h"
#include "ui/Win32Machine.h"

const MessageMap CAboutDlg::messageMap = MakeMessageMap(&CDialog::messageMap);

namespace {

constexpr COLORREF maskColour = RGB(0xFF, 0x00, 0xFF);
constexpr int driveImageWidth = 16;
constexpr int freeSpaceColumnChars = 40;

} // namespace

CAboutDlg::CAboutDlg(const trawl::IMachine* machine) : CDialog(IDD_ABOUTBOX), machine(machine) {}

void CAboutDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_DRIVES, driveList);
    DDX_Text(exchange, IDC_MAKERTEXT, makerText);
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    makerText = LoadResString(IDS_MAKER_TEXT);

    const Win32Machine thisMachine;
    const trawl::IMachine& asked = machine != nullptr ? *machine : thisMachine;
    // The figure is the total physical memory, and the label says so.
    SetDlgItemText(IDC_TOTALMEM,
                   trawl::FormatKilobytes(LoadResString(IDS_MEMORY_KB), asked.TotalPhysicalMemory()));

    driveList.InsertSizedColumn(LoadResString(IDS_DRIVE_HEADING), 0, -1, -1);
    driveList.InsertSizedColumn(LoadResString(IDS_FREE_SPACE_HEADING), 1, -1, freeSpaceColumnChars);

    if (driveImages.GetSafeHandle() == nullptr &&
        driveImages.Create(IDB_DRIVES, driveImageWidth, 0, maskColour)) {
        driveImages.SetBkColor(GetSysColor(COLOR_WINDOW));
        // The dialog owns the images; the table must not destroy them with itself.
        HWND table = driveList.GetSafeHwnd();
        SetWindowLongPtrA(table, GWL_STYLE, GetWindowLongPtrA(table, GWL_STYLE) | LVS_SHAREIMAGELISTS);
        driveList.SetImageList(driveImages.GetSafeHandle(), LVSIL_SMALL);
    }
    FillDriveTable(asked);

    UpdateData(false);
    return true;
}

void CAboutDlg::FillDriveTable(const trawl::IMachine& asked)
{
    const trawl::DriveTexts texts{LoadResString(IDS_DRIVE_FREE), LoadResString(IDS_UNAVAILABLE),
                                  LoadResString(IDS_CDROM_DRIVE)};
    int row = 0;
    for (const trawl::DriveRow& drive : trawl::ListDrives(asked, texts)) {
        driveList.SetCell(row, 0, drive.root, drive.image);
        driveList.SetCell(row, 1, drive.detail);
        ++row;
    }
}
