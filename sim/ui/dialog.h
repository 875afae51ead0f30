// The model of an open dialog: its window data and its controls as built from a
// template, with pixel positions, texts and button states, and its client raster.
//
// Positions in a template are dialog units; they turn into pixels with the base units
// of an 8-point dialog font (6 x 13 pixels): x * 6 / 4 and y * 13 / 8, each value on its
// own and truncated, so a control keeps the size its template gives whatever its
// position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/resources.h"
#include "raster.h"
#include "sim/core/handles.h"

namespace sim {

constexpr int kDialogBaseUnitX = 6;   // pixels per 4 horizontal dialog units
constexpr int kDialogBaseUnitY = 13;  // pixels per 8 vertical dialog units
constexpr int du_to_pixels_x(int du) { return du * kDialogBaseUnitX / 4; }
constexpr int du_to_pixels_y(int du) { return du * kDialogBaseUnitY / 8; }
// A template rectangle (x, y, width, height in dialog units) in pixels.
constexpr PixelRect du_rect_to_pixels(int x, int y, int cx, int cy) {
    return {du_to_pixels_x(x), du_to_pixels_y(y), du_to_pixels_x(x) + du_to_pixels_x(cx),
            du_to_pixels_y(y) + du_to_pixels_y(cy)};
}

// The face colour of dialogs and buttons.
constexpr Pixel kFaceColour = 0xF0F0F0;

struct Control {
    RawHandle handle = 0;  // its HWND
    int id = -1;
    ControlKind kind = ControlKind::StaticText;
    DWORD style = 0;
    std::string text;
    PixelRect rect;        // client pixels
    int bitmap_id = 0;
    std::optional<Raster> bitmap;  // StaticBitmap: the decoded picture, if it was found
    bool checked = false;  // RadioButton

    bool starts_group() const { return (style & WS_GROUP) != 0; }
    bool push_like() const { return kind == ControlKind::PushButton || (style & BS_PUSHLIKE) != 0; }
    // Whether a click on it sends WM_COMMAND: visible buttons always, visible statics
    // only with SS_NOTIFY, group boxes and hidden controls never.
    bool notifies() const;
};

struct Dialog {
    RawHandle handle = 0;  // its HWND
    HINSTANCE instance = nullptr;
    int resource_id = 0;
    DLGPROC proc = nullptr;
    void* context = nullptr;

    DWORD style = 0, ex_style = 0;
    std::string caption;
    std::string font;
    int point_size = 0;
    PixelRect rect;  // screen pixels of the client area, from the template's position and size
    std::vector<Control> controls;  // in template order
    Raster client{1, 1};

    PixelRect invalid;  // region waiting for a repaint (client pixels), empty for none
    bool erase_pending = false;
    bool closing = false;  // WM_DESTROY is being handled

    int width() const { return rect.width(); }
    int height() const { return rect.height(); }
    Control* control(int id);
    const Control* control(int id) const;
    // The controls [first, last) of the group that control `index` belongs to: from the
    // nearest control at or before it that starts a group (or the first control) to the
    // next one that starts a group.
    std::pair<std::size_t, std::size_t> group_of(std::size_t index) const;
};

// Checks a template for what the window system cannot build (a negative or huge
// control count, controls missing, an unknown control kind); an empty answer means it
// is sound.
std::string template_error(const DialogTemplate& tpl);

// The dialog's window data and controls from a sound template (texts copied, so the
// dialog does not depend on the template's storage). Control handles and the client
// raster are left to the caller.
Dialog build_dialog(const DialogTemplate& tpl);

// The name of a control kind as the front ends show it: static, bitmap, button, radio,
// groupbox.
const char* control_kind_name(ControlKind kind);

}  // namespace sim
