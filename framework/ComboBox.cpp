#include "ComboBox.h"

#include <algorithm>

int CComboBox::AddString(const std::string& text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::SelectString(int startAfter, const std::string& prefix)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(prefix.c_str())));
}

std::string CComboBox::GetLBText(int index) const
{
    auto length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    // The length message may tell more than the text holds; keep what was copied.
    auto copied =
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? std::min(static_cast<size_t>(copied), static_cast<size_t>(length)) : 0);
    return text;
}
