#pragma once

#include "Platform.h"

#include <cstddef>

class CCmdTarget;
class CCmdUI;

// What an entry of a message map answers to.
enum class EntryKind {
    Message,         // a window message, by number
    Command,         // WM_COMMAND from a menu, an accelerator or a control (code 0)
    ControlNotify,   // WM_COMMAND notification code from a child control
    UpdateCommandUI, // the command-update question for a command id
    Notify,          // WM_NOTIFY from a child, by code and control id
    NotifyReflect,   // WM_NOTIFY reflected back to the control that sent it
};

// Everything a handler thunk may need; it unpacks what its handler takes.
struct MessageArgs {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    CCmdUI* cmdUI = nullptr;
};

using EntryHandler = void (*)(CCmdTarget& target, MessageArgs& args);

struct MessageEntry {
    EntryKind kind;
    UINT code; // message number, or notification code
    UINT id;   // command or control id
    EntryHandler handler;
};

// One static table per class, chained to its base class's table.
struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    size_t count;

    // First entry in this map or its bases that matches kind, code and id.
    const MessageEntry* Find(EntryKind kind, UINT code, UINT id) const;
};

template <size_t N>
constexpr MessageMap MakeMessageMap(const MessageMap* base, const MessageEntry (&entries)[N])
{
    return MessageMap{base, entries, N};
}

constexpr MessageMap MakeMessageMap(const MessageMap* base)
{
    return MessageMap{base, nullptr, 0};
}

namespace msgmap {

template <class T>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using type = C;
};
template <auto Fn>
using ClassOf = typename MemberOf<decltype(Fn)>::type;

template <auto Fn>
ClassOf<Fn>& Target(CCmdTarget& target)
{
    return static_cast<ClassOf<Fn>&>(target);
}

// void Fn(): menu item, accelerator or button.
template <auto Fn>
constexpr MessageEntry Command(UINT id)
{
    return {EntryKind::Command, 0, id, [](CCmdTarget& t, MessageArgs&) { (Target<Fn>(t).*Fn)(); }};
}

// void Fn(): a notification code such as EN_CHANGE or CBN_SELCHANGE from control id.
template <auto Fn>
constexpr MessageEntry ControlNotify(UINT code, UINT id)
{
    return {EntryKind::ControlNotify, code, id, [](CCmdTarget& t, MessageArgs&) { (Target<Fn>(t).*Fn)(); }};
}

// void Fn(CCmdUI*): the command-update question for id.
template <auto Fn>
constexpr MessageEntry UpdateCommandUI(UINT id)
{
    return {EntryKind::UpdateCommandUI, 0, id,
            [](CCmdTarget& t, MessageArgs& a) { (Target<Fn>(t).*Fn)(a.cmdUI); }};
}

// void Fn(NMHDR*, LRESULT*): WM_NOTIFY code from control id.
template <auto Fn>
constexpr MessageEntry Notify(UINT code, UINT id)
{
    return {EntryKind::Notify, code, id, [](CCmdTarget& t, MessageArgs& a) {
                (Target<Fn>(t).*Fn)(reinterpret_cast<NMHDR*>(a.lParam), &a.result);
            }};
}

// void Fn(NMHDR*, LRESULT*): WM_NOTIFY code that the parent reflects back to the control.
template <auto Fn>
constexpr MessageEntry NotifyReflect(UINT code)
{
    return {EntryKind::NotifyReflect, code, 0, [](CCmdTarget& t, MessageArgs& a) {
                (Target<Fn>(t).*Fn)(reinterpret_cast<NMHDR*>(a.lParam), &a.result);
            }};
}

// LRESULT Fn(WPARAM, LPARAM): any window message, unpacked by the handler.
template <auto Fn>
constexpr MessageEntry Message(UINT message)
{
    return {EntryKind::Message, message, 0,
            [](CCmdTarget& t, MessageArgs& a) { a.result = (Target<Fn>(t).*Fn)(a.wParam, a.lParam); }};
}

// int Fn(CREATESTRUCTA*): WM_CREATE; -1 fails the creation.
template <auto Fn>
constexpr MessageEntry OnCreate()
{
    return {EntryKind::Message, WM_CREATE, 0, [](CCmdTarget& t, MessageArgs& a) {
                a.result = (Target<Fn>(t).*Fn)(reinterpret_cast<CREATESTRUCTA*>(a.lParam));
            }};
}

// void Fn(UINT type, int cx, int cy): WM_SIZE.
template <auto Fn>
constexpr MessageEntry OnSize()
{
    return {EntryKind::Message, WM_SIZE, 0, [](CCmdTarget& t, MessageArgs& a) {
                (Target<Fn>(t).*Fn)(static_cast<UINT>(a.wParam), static_cast<short>(LOWORD(a.lParam)),
                                    static_cast<short>(HIWORD(a.lParam)));
            }};
}

// void Fn(): a message whose parameters the handler does not need (WM_DESTROY, WM_CLOSE).
template <auto Fn>
constexpr MessageEntry Plain(UINT message)
{
    return {EntryKind::Message, message, 0, [](CCmdTarget& t, MessageArgs&) { (Target<Fn>(t).*Fn)(); }};
}

} // namespace msgmap

// Declares a class's message map. The .cpp defines the two members:
//   const MessageEntry CView::messageEntries[] = { msgmap::Command<&CView::OnX>(ID_X), ... };
//   const MessageMap CView::messageMap = MakeMessageMap(&CBase::messageMap, messageEntries);
#define DECLARE_MESSAGE_MAP()                                                                                \
private:                                                                                                     \
    static const MessageEntry messageEntries[];                                                              \
                                                                                                             \
public:                                                                                                      \
    static const MessageMap messageMap;                                                                      \
    const MessageMap* GetMessageMap() const override                                                         \
    {                                                                                                        \
        return &messageMap;                                                                                  \
    }
