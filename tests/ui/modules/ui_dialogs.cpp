// A plug-in with dialog resources and a dialog procedure, for the window-system tests.
#include "ui_dialogs.h"

#include "host/host.h"

using namespace uitest;

namespace {

HINSTANCE g_instance = nullptr;

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const ControlTemplate kMainControls[] = {
    {kClose, ControlKind::PushButton, "Close", 150, 10, 50, 14, kChild | WS_TABSTOP, 0},
    {-1, ControlKind::GroupBox, "Antenna in use", 7, 6, 130, 33, kChild, 0},
    {kOmni, ControlKind::RadioButton, "Omni", 17, 18, 50, 16, kChild | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
    {kHighGain, ControlKind::RadioButton, "High Gain", 75, 18, 50, 16, kChild | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
    {kOpenSecond, ControlKind::PushButton, "Open Second", 150, 30, 50, 14, kChild | WS_TABSTOP, 0},
    {kReadout, ControlKind::StaticText, "", 7, 50, 60, 20, kChild | WS_GROUP | SS_SUNKEN | SS_CENTERIMAGE | SS_CENTER, 0},
    {kPictureControl, ControlKind::StaticBitmap, "", 100, 60, 10, 10, kChild | SS_BITMAP, kPicture},
};
const DialogTemplate kDialogs[] = {
    {kMainDialog, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, WS_EX_TOOLWINDOW, "Test Dialog",
     "MS Sans Serif", 8, 0, 0, 210, 100, kMainControls, int(sizeof kMainControls / sizeof kMainControls[0])},
    {kSecondDialog, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "Second", "MS Sans Serif", 8, 10, 10, 80, 40, nullptr, 0},
};

// The picture as the bytes of a 24-bit bottom-up BMP file.
constexpr int kStride = (kPictureWidth * 3 + 3) / 4 * 4;
constexpr int kBmpSize = 54 + kStride * kPictureHeight;
unsigned char g_bmp[kBmpSize];

void put32(unsigned char* p, unsigned v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

struct PictureMaker {
    PictureMaker() {
        g_bmp[0] = 'B';
        g_bmp[1] = 'M';
        put32(g_bmp + 2, kBmpSize);
        put32(g_bmp + 10, 54);
        put32(g_bmp + 14, 40);
        put32(g_bmp + 18, kPictureWidth);
        put32(g_bmp + 22, kPictureHeight);
        g_bmp[26] = 1;
        g_bmp[28] = 24;
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x) {
                unsigned char* p = g_bmp + 54 + (kPictureHeight - 1 - y) * kStride + x * 3;
                const unsigned c = picture_pixel(x, y);
                p[0] = static_cast<unsigned char>(c);
                p[1] = static_cast<unsigned char>(c >> 8);
                p[2] = static_cast<unsigned char>(c >> 16);
            }
    }
} g_picture_maker;

const BitmapResource kBitmaps[] = {{kPicture, g_bmp, kBmpSize}};
const ResourceTable kResources = {kDialogs, 2, nullptr, 0, kBitmaps, 1};

Record* g_record = nullptr;

}  // namespace

DLLCLBK INT_PTR CALLBACK TestDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        g_record = reinterpret_cast<Record*>(lparam);
        if (g_record) ++g_record->init;
        CheckRadioButton(window, kOmni, kHighGain, kOmni);
        return TRUE;
    case WM_DESTROY:
        if (g_record) ++g_record->destroyed;
        return TRUE;
    case WM_COMMAND:
        if (g_record) g_record->commands.push_back(wparam);
        switch (LOWORD(wparam)) {
        case kClose:
            oapiCloseDialog(window);
            return TRUE;
        case kOpenSecond:
            if (g_record) g_record->second = oapiOpenDialog(g_instance, kSecondDialog, TestDialogProc, g_record);
            return TRUE;
        }
        break;
    }
    return oapiDefDialogProc(window, message, wparam, lparam);
}

DLLCLBK BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) InitLib(instance);
    return TRUE;
}
DLLCLBK void InitModule(HINSTANCE instance) { g_instance = instance; }
DLLCLBK void ExitModule(HINSTANCE) { g_instance = nullptr; }
DLLCLBK const ResourceTable* ModuleResources() { return &kResources; }
