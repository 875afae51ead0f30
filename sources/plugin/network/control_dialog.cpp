// The controller dialog.
#include "network/control_dialog.h"

#include "link/globals.h"
#include "network/antenna_vector.h"
#include "network/generation.h"
#include "network/network_constants.h"
#include "resource_ids.h"

namespace {

void OpenMap() {
    oapiOpenDialog(g_hDLL, IDD_MAP, ControlDlgProc, nullptr);
    g_hMapDlg = oapiFindDialog(g_hDLL, IDD_MAP);
}

void ShowAntennaFileName(HWND window) {
    MakeAntennaFileName();
    MessageBoxA(window, g_antennaFileName, ANTENNA_FILE_CAPTION, MB_OK);
}

// The action of a control; false for a control without one.
bool RunCommand(HWND window, int control) {
    switch (control) {
    case IDC_CLOSE: oapiCloseDialog(window); return true;
    case IDC_ENABLE_TRACK:
        LoadAntennaVector();
        g_trackEnabled = true;
        return true;
    case IDC_STOP_TRACK: g_trackEnabled = false; return true;
    case IDC_GENERATE: GenerateNetwork(); return true;
    case IDC_CLEAR: ClearNetwork(); return true;
    case IDC_OPEN_MAP: OpenMap(); return true;
    case IDC_CHECK_CFG: ShowAntennaFileName(window); return true;
    default: return false;
    }
}

}  // namespace

void OpenControlDialog(void*) { oapiOpenDialog(g_hDLL, IDD_CONTROLLER, ControlDlgProc, nullptr); }

INT_PTR CALLBACK ControlDlgProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY: return TRUE;
    case WM_INITDIALOG:
        CheckRadioButton(window, IDC_OMNI, IDC_HIGH_GAIN, IDC_OMNI);
        return TRUE;
    case WM_COMMAND:
        if (RunCommand(window, LOWORD(wparam))) return TRUE;
        break;
    default: break;
    }
    return oapiDefDialogProc(window, message, wparam, lparam);
}
