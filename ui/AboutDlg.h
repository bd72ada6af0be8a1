#pragma once

#include "core/MachineInfo.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "ui/ResultListCtrl.h"

#include <string>

// The program's information box: version, maker, the machine's memory and
// a table of its fixed, network and CD-ROM drives. Everything is read once,
// while it opens.
class CAboutDlg : public CDialog {
public:
    // The machine is the one the program runs on unless a test gives another.
    explicit CAboutDlg(const trawl::IMachine* machine = nullptr);

    void DoDataExchange(CDataExchange* exchange) override;

    CResultListCtrl driveList;
    std::string makerText;
    CImageList driveImages;

protected:
    bool OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

private:
    void FillDriveTable(const trawl::IMachine& machine);

    const trawl::IMachine* machine;
};
