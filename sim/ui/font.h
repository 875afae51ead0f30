// The window system's one font: a DejaVu Sans face at the pixel size of an 8-point
// dialog font (11 pixels to the em at 96 dots per inch), drawn without anti-aliasing and
// with hinted, whole-pixel metrics. It serves the dialogs' controls and is the default
// font of every drawing context.
//
// Text arrives as the modules write it: 8-bit characters in the Windows Latin code page
// (1252). Control characters (below 0x20) have no glyph and take no room.
#pragma once

#include <string>
#include <string_view>

#include "raster.h"

typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace sim {

// Pixel size of the font: -MulDiv(8 points, 96 dpi, 72).
constexpr int kGuiFontPixels = 11;

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
