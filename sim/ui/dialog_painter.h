// Painting of dialogs: the background and controls of a client area, and the whole
// window (frame, title bar with caption and close box, client area) for snapshots.
//
// The controls have the plain three-dimensional look of the classic window system:
// raised push buttons, sunken ones for a checked push-like radio button, sunken frames
// for SS_SUNKEN statics, etched group boxes with their caption on the frame, and static
// bitmaps at their own size. Everything is drawn without anti-aliasing in the window
// system's font.
#pragma once

#include "dialog.h"

namespace sim {

// Paints the part `area` (client pixels) of the dialog's client raster: the background
// first when `erase` is set, then every control that meets the area, in template order,
// all clipped to the area.
void paint_client(Dialog& dialog, const PixelRect& area, bool erase);

// Paints one control on `raster`, clipped to `clip`.
void paint_control(Raster& raster, const Control& control, const PixelRect& clip);

// Frame sizes of a rendered window, pixels.
constexpr int kFrameBorder = 1;
constexpr int kTitleBarHeight = 20;

// Where the client area sits in the image that render_window gives.
PixelRect client_in_window(const Dialog& dialog);
// The whole window: border, a title bar with the caption and a close box when the
// dialog has WS_CAPTION (and WS_SYSMENU for the box), and the client raster as it is.
Raster render_window(const Dialog& dialog);

}  // namespace sim
