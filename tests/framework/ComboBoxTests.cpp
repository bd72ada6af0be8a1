#include "framework/ComboBox.h"
#include "framework/MessageMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A combo box whose length message tells more than the entry holds, as it
// may for text converted between code pages.
class COverReportingCombo : public CComboBox {
public:
    int extra = 0;

protected:
    LRESULT OnGetTextLength(WPARAM, LPARAM)
    {
        LRESULT length = Default();
        return length == CB_ERR ? length : length + extra;
    }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry COverReportingCombo::messageEntries[] = {
    msgmap::Message<&COverReportingCombo::OnGetTextLength>(CB_GETLBTEXTLEN),
};
const MessageMap COverReportingCombo::messageMap = MakeMessageMap(&CComboBox::messageMap, messageEntries);

TEST(ComboBox, EntryTextIsWhatWasCopied)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, 0));
    COverReportingCombo combo;
    ASSERT_TRUE(combo.CreateEx(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                               parent.GetSafeHwnd(), 1));
    const std::string entries[] = {"", "PATH", std::string(300, 'V')};
    for (const std::string& entry : entries)
        combo.SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    for (int extra : {0, 1, 7, 1000}) {
        combo.extra = extra;
        for (int index = 0; index < 3; ++index)
            EXPECT_EQ(combo.GetLBText(index), entries[index]) << "told " << extra << " more, entry " << index;
    }
    EXPECT_EQ(combo.GetLBText(3), "");
}

} // namespace
