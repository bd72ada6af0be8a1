#include "CmdTarget.h"

#include "CmdUI.h"

const MessageMap CCmdTarget::messageMap = MakeMessageMap(nullptr);

const MessageEntry* MessageMap::Find(EntryKind kind, UINT code, UINT id) const
{
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.kind == kind && entry.code == code && entry.id == id)
                return &entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI)
{
    return DispatchCmdMsg(id, code, cmdUI);
}

bool CCmdTarget::AskUpdate(CCmdUI& item)
{
    item.handled = false;
    OnCmdMsg(item.id, updateCode, &item);
    return item.handled;
}

bool CCmdTarget::DispatchCmdMsg(UINT id, int code, CCmdUI* cmdUI)
{
    const MessageMap* map = GetMessageMap();
    MessageArgs args;
    if (code == updateCode) {
        const MessageEntry* entry = map->Find(EntryKind::UpdateCommandUI, 0, id);
        if (entry == nullptr || cmdUI == nullptr)
            return false;
        args.cmdUI = cmdUI;
        cmdUI->handled = true;
        entry->handler(*this, args);
        return true;
    }
    if (code == probeCode)
        return map->Find(EntryKind::Command, 0, id) != nullptr;
    const MessageEntry* entry = nullptr;
    // A button's BN_CLICKED has code 0, the same as a menu command.
    if (code == commandCode)
        entry = map->Find(EntryKind::Command, 0, id);
    if (entry == nullptr)
        entry = map->Find(EntryKind::ControlNotify, static_cast<UINT>(code), id);
    if (entry == nullptr)
        return false;
    entry->handler(*this, args);
    return true;
}

void CCmdTarget::BeginWaitCursor()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (waitDepth++ == 0)
        cursorBeforeWait = previous;
}

void CCmdTarget::EndWaitCursor()
{
    if (waitDepth == 0)
        return;
    if (--waitDepth == 0)
        SetCursor(cursorBeforeWait != nullptr ? cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
}
