// The window system: dialogs built from module resources, their controls and messages,
// client-area rasters and the drawing calls, repaints, and snapshots.
//
// Windows (dialogs and their controls) are HWND handles of kind Window, drawing
// contexts HDC handles of kind DC, pens HGDIOBJ handles of kind Gdi, all index plus
// generation. The window calls treat a null window as Windows does: nothing happens and
// a query answers 0, without complaint. A stale or foreign handle is never dereferenced:
// the call does nothing, answers 0, and the host logs one line naming the call and counts
// a contract violation. So are: a drawing context released against a window it was not
// taken for, a pen deleted while a context has it selected, a draw through a released
// context, and a null where a context or a pen is required.
//
// Messages reach a dialog's procedure on the host's one thread, as the calls make them:
// WM_INITDIALOG when it opens (wParam the first tab-stop control, lParam the context
// given to open it), WM_COMMAND for a press (control id in the low word, BN_CLICKED in
// the high word, lParam the control), WM_DESTROY when it closes. A procedure may open,
// close and change windows from inside any message, its own window included.
//
// Default dialog handling (oapiDefDialogProc, and a dialog opened without a procedure):
// WM_CLOSE and WM_COMMAND with IDCANCEL (2, the close box) close the dialog; every
// message answers 0.
//
// Each dialog owns a client raster holding what is on screen: the background and the
// controls, painted when it opens and again wherever a control changes, with whatever
// modules drew through a drawing context on top. InvalidateRect marks a region for a
// repaint that run_pending_repaints carries out at the end of the step: background
// (when erasing), then the controls there, the bitmap included.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog.h"
#include "host/resources.h"
#include "painter.h"
#include "sim/core/handles.h"

namespace sim {

class Simulator;
class Module;

class WindowSystem {
public:
    explicit WindowSystem(Simulator& sim);
    ~WindowSystem();  // destroys what is left without messages
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // --- The core's hooks -----------------------------------------------------------------

    // Closes every window whose procedure lives in `module` or that was opened with its
    // instance (WM_DESTROY is sent while the procedure is still loaded).
    void close_windows_of(const Module& module);
    // Closes every window, newest first.
    void close_all();
    // Carries out the repaints that InvalidateRect asked for.
    void run_pending_repaints();

    // --- Dialogs ----------------------------------------------------------------------------

    // Opens dialog template `resource_id` of the module named by `instance` with `proc`
    // (oapiOpenDialog). A dialog of the same instance and resource that is open already is
    // not opened again: its window is returned. Null for an unknown instance or a missing
    // or broken template (a contract violation), or when the procedure closed the window
    // during WM_INITDIALOG.
    HWND open_dialog(HINSTANCE instance, int resource_id, DLGPROC proc, void* context);
    // Opens a dialog from a template given at run time, registered under `instance` and
    // `resource_id` as if it were that module's resource, so that find_dialog finds it
    // (for tests of modules whose resources do not exist yet). `instance` need not name a
    // loaded module; when it does, static bitmaps come from that module's resources.
    HWND open_dialog(HINSTANCE instance, int resource_id, const DialogTemplate& tpl, DLGPROC proc, void* context);
    // The open dialog of that instance and resource, or null (oapiFindDialog).
    HWND find_dialog(HINSTANCE instance, int resource_id) const;
    // Sends WM_DESTROY and destroys the dialog and its controls; their handles go stale
    // (oapiCloseDialog). Null: nothing. Closing a dialog that is closing already: nothing.
    void close_dialog(HWND dialog);
    // The default handling described above (oapiDefDialogProc).
    INT_PTR default_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

    // --- Window calls (the Win32 subset; results as the calls define them) --------------------

    HWND dlg_item(HWND dialog, int id);                             // GetDlgItem
    BOOL set_window_text(HWND window, const char* text);             // SetWindowTextA
    int get_window_text(HWND window, char* buffer, int size);        // GetWindowTextA
    BOOL check_radio_button(HWND dialog, int first_id, int last_id, int check_id);  // CheckRadioButton
    UINT is_dlg_button_checked(HWND dialog, int id);                 // IsDlgButtonChecked
    // Headless: the box is logged, printed on standard output and recorded; it answers
    // IDOK (MessageBoxA).
    int message_box(HWND owner, const char* text, const char* caption, UINT type);

    // --- Drawing (GetDC ... InvalidateRect) ----------------------------------------------------

    HDC get_dc(HWND window);
    int release_dc(HWND window, HDC dc);
    HPEN create_pen(int style, int width, COLORREF colour);
    HGDIOBJ select_object(HDC dc, HGDIOBJ object);
    BOOL delete_object(HGDIOBJ object);
    BOOL ellipse(HDC dc, int left, int top, int right, int bottom);
    BOOL polyline(HDC dc, const POINT* points, int count);
    int draw_text(HDC dc, const char* text, int length, RECT* box, UINT format);
    BOOL invalidate_rect(HWND window, const RECT* rect, BOOL erase);

    // --- Front ends and tests ------------------------------------------------------------------
    // These name windows by handle too, but a bad handle is the front end's business: it
    // answers null, false or nothing, and is not counted as a violation.

    // Open dialogs in opening order.
    std::vector<HWND> windows() const;
    // The earliest opened dialog with exactly this caption, else the earliest whose
    // caption matches without regard to case; null when none.
    HWND find_window(const std::string& caption) const;
    // Presses a control as a user's click would: an automatic radio button is checked and
    // the others of its group unchecked, then the dialog gets WM_COMMAND. `button` is a
    // control id (decimal) or a caption (exact, else without regard to case). The id 2 of a
    // dialog without such a control is its close box. False when there is no such control
    // or it sends no command (labels, group boxes, the map picture).
    bool press(HWND window, const std::string& button);
    bool press(HWND window, int id);
    // The close box: WM_COMMAND with IDCANCEL (2). False for a bad handle.
    bool press_close_box(HWND window);
    // For every open dialog: a line `window "CAPTION" RESOURCE`, then a line per control
    // `  ID KIND "TEXT"`, with ` checked` after a checked radio button. Quotes,
    // backslashes and control characters in texts are escaped (\" \\ \r \n \xNN).
    std::string describe() const;
    // Writes the window (frame, title bar, client area) as a PNG file; a control's
    // handle writes its part of the client area. False for a bad handle or a file that
    // cannot be written.
    bool snapshot(HWND window, const std::filesystem::path& file) const;
    // The window as snapshot writes it; nothing for a bad handle.
    std::optional<Raster> render(HWND window) const;
    // Where the client area sits in render's image (null or bad handle: empty).
    PixelRect client_area_in_render(HWND window) const;
    // The dialog's client raster (of a control: of its dialog), or null.
    const Raster* client_raster(HWND window) const;
    // The dialog model behind a window (of a control: its dialog), or null.
    const Dialog* dialog(HWND window) const;

    struct MessageBoxRecord {
        std::string caption, text;
    };
    const std::vector<MessageBoxRecord>& message_boxes() const { return message_boxes_; }
    std::size_t dc_count() const { return dcs_.size(); }
    std::size_t gdi_object_count() const { return gdi_.size() - 1; }  // without the stock pen
    HPEN stock_pen() const { return typed<HPEN>(stock_pen_); }

private:
    struct WindowRef {
        Dialog* dialog;
        int control;  // index into dialog->controls, -1 for the dialog itself
    };
    struct DeviceContext {
        RawHandle window;  // the HWND it was taken for
        RawHandle dialog;  // whose raster it draws on
        int ox, oy;        // logical origin in raster pixels
        PixelRect clip;    // raster pixels
        RawHandle pen;     // selected pen
        DrawState state;
    };
    struct GdiObject {
        Pen pen;
        bool stock = false;
        int selections = 0;  // live contexts that have it selected
    };

    HWND open(HINSTANCE instance, int resource_id, const DialogTemplate& tpl, DLGPROC proc, void* context,
              const Module* module, const char* call);
    void destroy(RawHandle dialog, bool send_destroy);
    INT_PTR send(RawHandle dialog, UINT message, WPARAM wparam, LPARAM lparam);
    void command(RawHandle dialog, int control_index);
    // Repaints the region with the background and the controls there.
    void repaint(Dialog& dialog, const PixelRect& area);

    // Lookups. find_*: no complaint. checked_*: null answers null without complaint
    // (windows) or with one (contexts, objects); a bad handle is a violation of `call`.
    const WindowRef* find_window_ref(HWND window) const;
    const WindowRef* checked_window(HWND window, const char* call) const;
    Dialog* checked_dialog(HWND dialog, const char* call);
    DeviceContext* checked_dc(HDC dc, const char* call);
    GdiObject* checked_object(HGDIOBJ object, const char* call);
    Dialog* find_dialog_of(RawHandle dialog) const;
    Painter painter(DeviceContext& dc, Dialog& target);

    Simulator& sim_;
    std::vector<std::unique_ptr<Dialog>> dialogs_;  // in opening order
    HandleTable<WindowRef> windows_{HandleKind::Window};
    HandleTable<DeviceContext> dcs_{HandleKind::DC};
    HandleTable<GdiObject> gdi_{HandleKind::Gdi};
    RawHandle stock_pen_ = 0;
    std::vector<MessageBoxRecord> message_boxes_;
};

}  // namespace sim
