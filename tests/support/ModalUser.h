#pragma once

#include "framework/Platform.h"

#include <functional>

// Acts as the user of the next dialog this thread shows: once it is up,
// `act` runs on this thread inside the dialog's modal loop and does what a
// person would (clicks, keys). Messages `act` posts are handled by that
// loop after it returns.
class ModalUser {
public:
    explicit ModalUser(std::function<void(HWND dialog)> act);
    ~ModalUser();
    ModalUser(const ModalUser&) = delete;
    ModalUser& operator=(const ModalUser&) = delete;

    bool Acted() const { return acted; }

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> act;
    UINT_PTR timer = 0;
    bool acted = false;
};

// A key pressed and released on the dialog's focused control, through its modal loop.
void PostKey(HWND dialog, UINT key);
// Alt and a letter, as for a mnemonic.
void PostAltKey(HWND dialog, char letter);
// This thread's messages handled until `done` holds; false when it still
// does not after `milliseconds`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);
