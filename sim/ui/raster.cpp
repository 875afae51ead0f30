#include "raster.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "sim/core/log.h"

namespace sim {

namespace {

// Sides are cut to this (8192 x 8192 pixels are 256 MiB).
constexpr int kMaxRasterSide = 8192;

int g_live_rasters = 0;  // the host runs on one thread

}  // namespace

int Raster::live_count() { return g_live_rasters; }

PixelRect PixelRect::intersected(const PixelRect& o) const {
    PixelRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.empty()) return {};
    return r;
}

PixelRect PixelRect::united(const PixelRect& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

Raster::Raster(int width, int height, Pixel fill) {
    width = std::clamp(width, 1, kMaxRasterSide);
    height = std::clamp(height, 1, kMaxRasterSide);
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        log().warn("raster: cannot allocate " + std::to_string(width) + " x " + std::to_string(height) +
                   " pixels; using 1 x 1");
        cairo_surface_destroy(surface_);
        width = height = 1;
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    }
    ++g_live_rasters;
    width_ = width;
    height_ = height;
    stride_ = cairo_image_surface_get_stride(surface_) / int(sizeof(Pixel));
    data_ = reinterpret_cast<Pixel*>(cairo_image_surface_get_data(surface_));
    fill_rect(bounds(), fill);
}

Raster::~Raster() { release(); }

void Raster::release() {
    if (context_) cairo_destroy(context_);
    if (surface_) {
        cairo_surface_destroy(surface_);
        --g_live_rasters;
    }
    context_ = nullptr;
    surface_ = nullptr;
}

cairo_t* Raster::context() {
    if (!context_) {
        context_ = cairo_create(surface_);
        cairo_set_antialias(context_, CAIRO_ANTIALIAS_NONE);
    }
    return context_;
}

Raster::Raster(Raster&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      context_(std::exchange(other.context_, nullptr)),
      data_(std::exchange(other.data_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)) {}

Raster& Raster::operator=(Raster&& other) noexcept {
    if (this != &other) {
        release();
        surface_ = std::exchange(other.surface_, nullptr);
        context_ = std::exchange(other.context_, nullptr);
        data_ = std::exchange(other.data_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
    }
    return *this;
}

Pixel Raster::pixel(int x, int y) const {
    if (!bounds().contains(x, y)) return 0;
    return row(y)[x] & 0xFFFFFFu;
}

void Raster::set_pixel(int x, int y, Pixel p) {
    if (!bounds().contains(x, y)) return;
    row(y)[x] = p;
    mark_dirty();
}

void Raster::fill_span(int y, int x0, int x1, Pixel p, const PixelRect& clip) {
    const PixelRect c = clip.intersected(bounds());
    if (y < c.top || y >= c.bottom) return;
    x0 = std::max(x0, c.left);
    x1 = std::min(x1, c.right);
    if (x0 >= x1) return;
    std::fill(row(y) + x0, row(y) + x1, p);
}

void Raster::fill_rect(const PixelRect& r, Pixel p) {
    const PixelRect c = r.intersected(bounds());
    for (int y = c.top; y < c.bottom; ++y) std::fill(row(y) + c.left, row(y) + c.right, p);
    mark_dirty();
}

void Raster::blit(const Raster& source, int x, int y, const PixelRect& clip) {
    const PixelRect target = PixelRect{x, y, x + source.width(), y + source.height()}.intersected(clip).intersected(bounds());
    if (target.empty()) return;
    source.flush();
    for (int ty = target.top; ty < target.bottom; ++ty) {
        const Pixel* from = source.row(ty - y) + (target.left - x);
        std::copy(from, from + target.width(), row(ty) + target.left);
    }
    mark_dirty();
}

Raster Raster::cropped(const PixelRect& r) const {
    const PixelRect c = r.intersected(bounds());
    Raster out(c.empty() ? 1 : c.width(), c.empty() ? 1 : c.height());
    if (!c.empty()) out.blit(*this, -c.left, -c.top, out.bounds());
    return out;
}

bool Raster::same_pixels(const Raster& other) const {
    if (width_ != other.width_ || height_ != other.height_) return false;
    flush();
    other.flush();
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if ((row(y)[x] & 0xFFFFFFu) != (other.row(y)[x] & 0xFFFFFFu)) return false;
    return true;
}

void Raster::mark_dirty() { cairo_surface_mark_dirty(surface_); }

void Raster::flush() const { cairo_surface_flush(surface_); }

bool Raster::write_png(const std::filesystem::path& file) const {
    flush();
    const cairo_status_t status = cairo_surface_write_to_png(surface_, file.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        log().warn("snapshot: cannot write " + file.string() + ": " + cairo_status_to_string(status));
        return false;
    }
    return true;
}

bool Raster::read_png(const std::filesystem::path& file, Raster& out) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
    const bool ok = cairo_surface_status(png) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
        const int stride = cairo_image_surface_get_stride(png) / int(sizeof(Pixel));
        const Pixel* data = reinterpret_cast<const Pixel*>(cairo_image_surface_get_data(png));
        Raster r(w, h);
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) r.row(y)[x] = data[std::ptrdiff_t(y) * stride + x] & 0xFFFFFFu;
        r.mark_dirty();
        out = std::move(r);
    }
    cairo_surface_destroy(png);
    return ok;
}

}  // namespace sim
