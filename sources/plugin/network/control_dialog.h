// The controller dialog "Orvenet Controller" (resource 101) and its procedure, which the
// map window (resource 9) shares.
#pragma once

#include "host/host.h"

// The custom command's callback (context: null, not used): opens the controller dialog
// with ControlDlgProc. An open dialog is not opened twice (the host's rule).
void OpenControlDialog(void* context);

// Dialog procedure of the controller dialog and of the map window:
// - WM_INITDIALOG: "Omni" checked, "High Gain" not (the map window has neither button,
//   so nothing happens there); WM_DESTROY: nothing. Both answer TRUE.
// - WM_COMMAND by control id (the notification code is not looked at), answering TRUE:
//   2 closes the window that received it; 1000 loads the focus ship's antenna vector,
//   then switches tracking on; 1002 switches tracking off; 1007 generates the network;
//   1009 clears it; 1014 opens the map window and takes its handle into g_hMapDlg;
//   1019 shows the focus ship's antenna vector file name in a message box.
// - Any other message or command: the host's default dialog handling.
INT_PTR CALLBACK ControlDlgProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
