// What the ui_dialogs test module and its tests share: resource numbers and the record
// that the module's dialog procedure keeps of the messages it gets.
#pragma once

#include <vector>

#include "host/winapi.h"

namespace uitest {

constexpr int kMainDialog = 201;    // two push-like radio buttons, buttons, a text, a picture
constexpr int kSecondDialog = 202;  // a plain dialog, opened from the first one
constexpr int kPicture = 401;       // bitmap resource shown by control 302
constexpr int kPictureWidth = 24, kPictureHeight = 16;

// Control ids of the main dialog.
constexpr int kClose = 2;
constexpr int kOmni = 1015, kHighGain = 1016;
constexpr int kOpenSecond = 300;
constexpr int kReadout = 301;
constexpr int kPictureControl = 302;

// The procedure's record, handed over as the dialog's context (lParam of WM_INITDIALOG)
// and living in the test, so that it outlasts the module.
struct Record {
    int init = 0;
    int destroyed = 0;
    std::vector<WPARAM> commands;  // wParam of every WM_COMMAND, in order
    HWND second = nullptr;         // what opening the second dialog gave
};

// Colour of the test picture's pixel (x, y), as 0xRRGGBB.
constexpr unsigned picture_pixel(int x, int y) { return (unsigned(x * 10) << 16) | (unsigned(y * 15) << 8) | 0x40u; }

}  // namespace uitest
