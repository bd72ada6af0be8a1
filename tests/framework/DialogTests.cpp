#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr UINT probeDialog = 900;
constexpr int nameEdit = 901;
constexpr int flagBox = 902;
constexpr UINT WM_ACT_AS_USER = WM_APP + 1;

// A modal dialog whose user is the test: once the dialog is up, `user` runs
// inside its modal loop and does what a person would.
class CProbeDialog : public CDialog {
public:
    CProbeDialog() : CDialog(probeDialog) {}

    void DoDataExchange(CDataExchange* exchange) override
    {
        DDX_Text(exchange, nameEdit, name);
        DDX_Check(exchange, flagBox, flag);
    }

    std::string name;
    int flag = 0;
    int nameChanges = 0;
    std::function<void(CProbeDialog&)> user;

protected:
    bool OnInitDialog() override
    {
        bool result = CDialog::OnInitDialog();
        PostMessage(WM_ACT_AS_USER);
        return result;
    }
    LRESULT OnActAsUser(WPARAM, LPARAM)
    {
        user(*this);
        return 0;
    }
    void OnNameChanged() { ++nameChanges; }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CProbeDialog::messageEntries[] = {
    msgmap::Message<&CProbeDialog::OnActAsUser>(WM_ACT_AS_USER),
    msgmap::ControlNotify<&CProbeDialog::OnNameChanged>(EN_CHANGE, nameEdit),
};
const MessageMap CProbeDialog::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

void Press(CProbeDialog& dialog, int button)
{
    SendMessageA(dialog.GetDlgItem(button), BM_CLICK, 0, 0);
}

TEST(Dialog, OkTakesTheUsersValuesAndOnlyTheUsersEditsNotify)
{
    CProbeDialog dialog;
    dialog.name = "start";
    dialog.user = [](CProbeDialog& d) {
        // The members reached the controls before the user saw them.
        EXPECT_EQ(d.GetDlgItemText(nameEdit), "start");
        EXPECT_EQ(d.nameChanges, 0) << "filling the edit is not the user's edit";
        SetWindowTextA(d.GetDlgItem(nameEdit), "typed");
        Press(d, flagBox);
        Press(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "typed");
    EXPECT_EQ(dialog.flag, 1);
    EXPECT_EQ(dialog.nameChanges, 1);
}

TEST(Dialog, CancelLeavesTheMembersAlone)
{
    CProbeDialog dialog;
    dialog.name = "kept";
    dialog.flag = 1;
    dialog.user = [](CProbeDialog& d) {
        SetWindowTextA(d.GetDlgItem(nameEdit), "thrown away");
        Press(d, flagBox);
        Press(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.name, "kept");
    EXPECT_EQ(dialog.flag, 1);
}

TEST(Dialog, CheckValuesOutsideTheBoxStatesShowUncheckedAndReadBackAsZero)
{
    struct Case {
        int stored;
        UINT shown;
        int readBack;
    };
    const Case cases[] = {
        {5, BST_UNCHECKED, 0}, {-1, BST_UNCHECKED, 0}, {1, BST_CHECKED, 1}, {0, BST_UNCHECKED, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        CProbeDialog dialog;
        dialog.flag = c.stored;
        UINT shown = 99;
        dialog.user = [&shown](CProbeDialog& d) {
            shown = static_cast<UINT>(SendMessageA(d.GetDlgItem(flagBox), BM_GETCHECK, 0, 0));
            Press(d, IDOK);
        };
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(dialog.flag, c.readBack);
    }
}

TEST(Dialog, MissingTemplateFailsWithoutShowingAnything)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(Dialog, ModelessCreateFillsTheControlsOrLeavesNoWindow)
{
    CProbeDialog dialog;
    dialog.name = "shown";
    ASSERT_TRUE(dialog.Create(probeDialog));
    EXPECT_EQ(dialog.GetDlgItemText(nameEdit), "shown");
    EXPECT_TRUE(dialog.DestroyWindow());

    CDialog missing(4242);
    EXPECT_FALSE(missing.Create(4242));
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
}

} // namespace
