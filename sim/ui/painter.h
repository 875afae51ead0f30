// The painter: the drawing calls of a drawing context, carried out on a raster by the
// rules of the Windows graphics interface, without anti-aliasing.
//
// Coordinates are logical pixels (x right, y down); the painter adds the context's
// origin and clips everything to the context's clip rectangle and the raster. A
// coordinate names a pixel, so a 1-pixel figure through (x, y) lights pixel (x, y).
// Coordinates beyond +-2^27 are clamped to it, as the graphics interface limits them;
// nothing here loops over more than the clip rectangle, whatever the input.
//
// The rules, shape by shape:
//  - Ellipse (left, top, right, bottom): the ellipse inscribed in the box, which
//    excludes its right column and bottom row; a box given the wrong way round is put
//    right. A pixel belongs to the figure when its centre lies inside the ellipse. The
//    outline is the figure's boundary (its pixels with a side-neighbour outside), drawn
//    in the pen; a wider pen grows it outwards by (w - 1) / 2 and inwards by the rest.
//    The inside is filled with the brush.
//  - Polyline with a 1-pixel pen: straight segments through the points, each lighting
//    the pixels nearest the line along its major axis; the last point of the polyline is
//    left out.
//  - Polyline with a wider pen: the area swept by a disc of the pen's width along the
//    segments, which gives round ends and round joins. A pixel is lit when its centre
//    lies at least a quarter pixel inside that area: a 3-pixel line then covers its
//    centre line and one pixel on each side, and its ends are round (the corner pixels
//    beyond an end stay unlit, where a plain centre test would square the end off). Odd
//    widths centre the disc on the pixel's centre, even ones on its top-left corner.
//  - Text: a line cell per line, the first at the box's top left; with DT_SINGLELINE
//    the text is one line whatever it contains, otherwise line breaks start new lines.
//    The background of each line's cell (its advance width by the font's height) is
//    filled when the background mode is opaque; everything is clipped to the box.
#pragma once

#include <string_view>

#include "host/winapi.h"
#include "raster.h"

namespace sim {

constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

struct Pen {
    Pixel colour = kBlack;
    int width = 1;  // pixels, at least 1
};

// The drawing attributes of a context, with the defaults of a fresh one: black 1-pixel
// pen, white brush, black text on an opaque white background.
struct DrawState {
    Pen pen;
    Pixel brush = kWhite;
    Pixel text_colour = kBlack;
    Pixel text_background = kWhite;
    bool opaque_text = true;
};

class Painter {
public:
    // Draws on `raster`; logical (0, 0) is raster pixel (origin_x, origin_y), and nothing
    // is drawn outside `clip` (raster pixels).
    Painter(Raster& raster, const DrawState& state, int origin_x, int origin_y, const PixelRect& clip);

    void ellipse(int left, int top, int right, int bottom);
    // `count` points; fewer than 2 draw nothing.
    void polyline(const POINT* points, int count);
    // Draws `text` in `box` (see above); answers the height of the text, pixels.
    int draw_text(std::string_view text, const RECT& box, UINT format);

private:
    void thin_segment(long x0, long y0, long x1, long y1);
    void wide_segment(double ax, double ay, double bx, double by, double radius);

    Raster& raster_;
    const DrawState& state_;
    int ox_, oy_;
    PixelRect clip_;
};

}  // namespace sim
