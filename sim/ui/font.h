// The window system's one font: a DejaVu Sans face at the size of an 8-point dialog
// font, drawn without anti-aliasing and with hinted, whole-pixel metrics. It serves the
// dialogs' controls and is the default font of every drawing context.
//
// The size is the one whose cell matches the dialog base units (6 x 13 pixels): at 10
// pixels to the em, DejaVu Sans averages 6 pixels a character over the alphabet and its
// lines are 13 pixels high, so texts fill controls laid out in dialog units as they
// were meant to. (The face runs wider than the dialog faces of the real window system,
// so 11 pixels, 8 points at 96 dots per inch, would overflow their labels.)
//
// Text arrives as the modules write it: 8-bit characters in the Windows Latin code page
// (1252). Control characters (below 0x20) have no glyph and take no room.
#pragma once

#include <string>
#include <string_view>

#include "raster.h"

typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace sim {

// Pixels to the em.
constexpr int kGuiFontPixels = 10;

class Font {
public:
    // The shared font, made on first use.
    static Font& gui();

    int ascent() const { return ascent_; }    // pixels above the baseline
    int descent() const { return descent_; }  // pixels below it
    int height() const { return ascent_ + descent_; }  // height of a line's cell

    // Advance width of `text`, pixels.
    int width(std::string_view text) const;
    // Draws `text` with the top of its line cell at `top` and its first glyph's origin at
    // `left`, in colour `colour`, clipped to `clip` (and the raster).
    void draw(Raster& raster, std::string_view text, int left, int top, Pixel colour, const PixelRect& clip) const;

    // Code page 1252 text as UTF-8, control characters left out.
    static std::string to_utf8(std::string_view text);

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

private:
    Font();
    cairo_scaled_font_t* font_ = nullptr;
    int ascent_ = 0, descent_ = 0;
};

}  // namespace sim
