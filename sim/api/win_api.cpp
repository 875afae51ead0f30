// The window calls of host/winapi.h and the dialog calls of host/oapi.h: thin exports
// that forward to the running simulator's window system (sim/ui/window_system.h).
//
// Without a running simulator there is no window: the window calls act as on a null
// window (nothing happens, queries answer 0), and the calls that need a context or an
// object log a contract violation.
#include <cstdio>
#include <string>

#include "host/oapi.h"
#include "host/winapi.h"
#include "sim/core/log.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace {

sim::WindowSystem* windows() {
    sim::Simulator* s = sim::Simulator::current();
    return s ? &s->windows() : nullptr;
}

// The window system, or null; without one, a window handle other than null can only
// be stale, which is a violation of `call`.
sim::WindowSystem* for_window(const char* call, HWND window) {
    sim::WindowSystem* w = windows();
    if (!w && window) sim::log().violation(call, "no simulator is running");
    return w;
}

// The window system, or null and a violation of `call`.
sim::WindowSystem* required(const char* call) {
    sim::WindowSystem* w = windows();
    if (!w) sim::log().violation(call, "no simulator is running");
    return w;
}

}  // namespace

// --- Dialogs ------------------------------------------------------------------------------

HWND oapiOpenDialog(HINSTANCE instance, int resource_id, DLGPROC proc, void* context) {
    sim::WindowSystem* w = required("oapiOpenDialog");
    return w ? w->open_dialog(instance, resource_id, proc, context) : nullptr;
}

HWND oapiFindDialog(HINSTANCE instance, int resource_id) {
    sim::WindowSystem* w = windows();
    return w ? w->find_dialog(instance, resource_id) : nullptr;
}

void oapiCloseDialog(HWND dialog) {
    if (sim::WindowSystem* w = for_window("oapiCloseDialog", dialog)) w->close_dialog(dialog);
}

INT_PTR oapiDefDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    sim::WindowSystem* w = for_window("oapiDefDialogProc", dialog);
    return w ? w->default_dialog_proc(dialog, message, wparam, lparam) : 0;
}

// --- Dialog controls ----------------------------------------------------------------------

HWND GetDlgItem(HWND dialog, int id) {
    sim::WindowSystem* w = for_window("GetDlgItem", dialog);
    return w ? w->dlg_item(dialog, id) : nullptr;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    sim::WindowSystem* w = for_window("SetWindowTextA", window);
    return w ? w->set_window_text(window, text) : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    sim::WindowSystem* w = for_window("GetWindowTextA", window);
    if (!w) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    return w->get_window_text(window, buffer, size);
}

BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id) {
    sim::WindowSystem* w = for_window("CheckRadioButton", dialog);
    return w ? w->check_radio_button(dialog, first_id, last_id, check_id) : FALSE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    sim::WindowSystem* w = for_window("IsDlgButtonChecked", dialog);
    return w ? w->is_dlg_button_checked(dialog, id) : BST_UNCHECKED;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    sim::WindowSystem* w = for_window("MessageBoxA", owner);
    if (w) return w->message_box(owner, text, caption, type);
    if (owner) return 0;
    const std::string line = std::string("message box \"") + (caption ? caption : "Error") + "\": " + (text ? text : "");
    sim::log().info(line);
    std::printf("%s\n", line.c_str());
    return IDOK;
}

// --- Drawing ---------------------------------------------------------------------------------

HDC GetDC(HWND window) {
    sim::WindowSystem* w = for_window("GetDC", window);
    return w ? w->get_dc(window) : nullptr;
}

int ReleaseDC(HWND window, HDC dc) {
    sim::WindowSystem* w = required("ReleaseDC");
    return w ? w->release_dc(window, dc) : 0;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    sim::WindowSystem* w = required("CreatePen");
    return w ? w->create_pen(style, width, colour) : nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    sim::WindowSystem* w = required("SelectObject");
    return w ? w->select_object(dc, object) : nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    sim::WindowSystem* w = required("DeleteObject");
    return w ? w->delete_object(object) : FALSE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    sim::WindowSystem* w = required("Ellipse");
    return w ? w->ellipse(dc, left, top, right, bottom) : FALSE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    sim::WindowSystem* w = required("Polyline");
    return w ? w->polyline(dc, points, count) : FALSE;
}

int DrawTextA(HDC dc, LPCSTR text, int length, RECT* box, UINT format) {
    sim::WindowSystem* w = required("DrawTextA");
    return w ? w->draw_text(dc, text, length, box, format) : 0;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    sim::WindowSystem* w = for_window("InvalidateRect", window);
    return w ? w->invalidate_rect(window, rect, erase) : FALSE;
}
