// A raster: an RGB image held in a Cairo image surface (CAIRO_FORMAT_RGB24), the pixel
// store behind every window's client area and every snapshot.
//
// Pixels are 0xRRGGBB (the top byte unused). Coordinates are pixels, x to the right and
// y downwards, (0, 0) the top-left pixel. Every access outside the raster is clipped:
// nothing here can fail on bad coordinates.
#pragma once

#include <cstdint>
#include <filesystem>

#include "host/winapi.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace sim {

using Pixel = std::uint32_t;  // 0xRRGGBB

// A window-system colour (0x00BBGGRR) as a raster pixel, and back.
constexpr Pixel to_pixel(COLORREF c) {
    return (Pixel(GetRValue(c)) << 16) | (Pixel(GetGValue(c)) << 8) | Pixel(GetBValue(c));
}
constexpr COLORREF to_colorref(Pixel p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// A rectangle of pixels: columns left .. right - 1, rows top .. bottom - 1.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    PixelRect intersected(const PixelRect& o) const;
    PixelRect united(const PixelRect& o) const;  // the bounding box; an empty side is ignored
    PixelRect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const PixelRect&) const = default;
};

class Raster {
public:
    // A width x height raster filled with `fill`. Sizes below 1 give a 1 x 1 raster (a
    // window without a client area still has one pixel to draw into).
    Raster(int width, int height, Pixel fill = 0xFFFFFF);
    ~Raster();
    Raster(Raster&& other) noexcept;
    Raster& operator=(Raster&& other) noexcept;
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    PixelRect bounds() const { return {0, 0, width_, height_}; }

    // The pixel at (x, y); 0 outside the raster.
    Pixel pixel(int x, int y) const;
    void set_pixel(int x, int y, Pixel p);
    // Fills columns x0 .. x1 - 1 of row y, clipped to `clip` and to the raster.
    void fill_span(int y, int x0, int x1, Pixel p, const PixelRect& clip);
    void fill_rect(const PixelRect& r, Pixel p);
    // Copies `source` with its top-left at (x, y), clipped to `clip` and to the raster.
    void blit(const Raster& source, int x, int y, const PixelRect& clip);
    // A copy of the pixels in `r` (clipped to the raster; an empty result is 1 x 1).
    Raster cropped(const PixelRect& r) const;
    // Whether two rasters have the same size and pixels.
    bool same_pixels(const Raster& other) const;

    // PNG file output; false (and a log line) when the file cannot be written.
    bool write_png(const std::filesystem::path& file) const;
    // Reads a PNG file into a raster (for tests and tools); false when it cannot be read.
    static bool read_png(const std::filesystem::path& file, Raster& out);

    // The Cairo surface, for drawing text and for rendering. Callers that draw on it with
    // Cairo call cairo_surface_flush(surface()) before reading pixels again; the raster's
    // own writers keep the surface marked dirty.
    cairo_surface_t* surface() const { return surface_; }
    // A Cairo context on the surface, made on first use and kept with the raster. Users
    // save and restore its state around what they do.
    cairo_t* context();
    // Direct pixel rows (stride in pixels), for the painter's inner loops.
    Pixel* row(int y) { return data_ + std::ptrdiff_t(y) * stride_; }
    const Pixel* row(int y) const { return data_ + std::ptrdiff_t(y) * stride_; }
    // Called after writing through row(): tells Cairo that the pixels changed.
    void mark_dirty();
    // Called before reading pixels that Cairo may have drawn.
    void flush() const;

    // Rasters alive in the process (the font's clean-up at exit needs there to be none).
    static int live_count();

private:
    void release();
    cairo_surface_t* surface_ = nullptr;
    cairo_t* context_ = nullptr;
    Pixel* data_ = nullptr;
    int width_ = 0, height_ = 0, stride_ = 0;
};

}  // namespace sim
