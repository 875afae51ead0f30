#include "font.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>

namespace sim {

namespace {

constexpr const char* kFaceName = "DejaVu Sans";

// Code points of the bytes 0x80 .. 0x9F in code page 1252; the five unassigned bytes
// become U+FFFD.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

Font& Font::gui() {
    static Font font;
    return font;
}

Font::Font() {
    cairo_font_face_t* face = cairo_toy_font_face_create(kFaceName, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, kGuiFontPixels, kGuiFontPixels);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    font_ = cairo_scaled_font_create(face, &size, &identity, options);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);

    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font_, &extents);
    // Hinted metrics are whole pixels.
    ascent_ = int(std::lround(extents.ascent));
    descent_ = int(std::lround(extents.descent));
}

// At exit: with the font gone and no raster left, Cairo's font caches and Fontconfig's
// configuration are released too, so that leak checkers see a clean process.
Font::~Font() {
    cairo_scaled_font_destroy(font_);
    if (Raster::live_count() == 0) {
        cairo_debug_reset_static_data();
        FcFini();
    }
}

std::string Font::to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) continue;
        if (b < 0x80)
            out += char(b);
        else if (b < 0xA0)
            append_utf8(out, kCp1252High[b - 0x80]);
        else
            append_utf8(out, char32_t(b));
    }
    return out;
}

int Font::width(std::string_view text) const {
    const std::string utf8 = to_utf8(text);
    if (utf8.empty()) return 0;
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font_, utf8.c_str(), &extents);
    return int(std::lround(extents.x_advance));
}

void Font::draw(Raster& raster, std::string_view text, int left, int top, Pixel colour, const PixelRect& clip) const {
    const PixelRect c = clip.intersected(raster.bounds());
    if (c.empty()) return;
    const std::string utf8 = to_utf8(text);
    if (utf8.empty()) return;
    cairo_t* cr = raster.context();
    cairo_save(cr);
    cairo_rectangle(cr, c.left, c.top, c.width(), c.height());
    cairo_clip(cr);
    cairo_set_scaled_font(cr, font_);
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
    cairo_move_to(cr, left, top + ascent_);
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
    raster.flush();
}

}  // namespace sim
