#include "painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "font.h"

namespace sim {

namespace {

// The largest coordinate magnitude the graphics interface takes.
constexpr long kCoordinateLimit = 1L << 27;
// How far a pixel's centre must lie inside a wide pen's area to be lit, pixels.
constexpr double kWidePenInset = 0.25;
// Slack for pixel centres that fall exactly on a figure's edge.
constexpr double kEdgeSlack = 1e-9;

long clamp_coordinate(long v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

// floor(a / b) for b > 0.
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return q;
}

// Columns [x0, x1) whose pixel centres lie in [lo, hi].
struct Span {
    int x0 = 0, x1 = 0;
    bool empty() const { return x1 <= x0; }
};

Span centres_within(double lo, double hi) {
    const double a = std::ceil(lo - 0.5 - kEdgeSlack), b = std::floor(hi - 0.5 + kEdgeSlack) + 1;
    if (!(b > a)) return {};
    const double limit = double(kCoordinateLimit) * 2;
    return {int(std::clamp(a, -limit, limit)), int(std::clamp(b, -limit, limit))};
}

// An ellipse inscribed in a box of raster pixels [l, r) x [t, b).
struct EllipseBox {
    double l, t, r, b;

    // The pixels of row `y` whose centres lie inside the ellipse.
    Span row(int y) const {
        const double a = (r - l) / 2, bb = (b - t) / 2;
        if (a <= 0 || bb <= 0) return {};
        const double dy = (y + 0.5 - (t + b) / 2) / bb;
        const double q = 1 - dy * dy;
        if (q < -kEdgeSlack) return {};
        const double half = a * std::sqrt(std::max(q, 0.0));
        const double cx = (l + r) / 2;
        return centres_within(cx - half, cx + half);
    }
    EllipseBox grown(double by) const { return {l - by, t - by, r + by, b + by}; }
    EllipseBox grown(double left_top, double right_bottom) const {
        return {l - left_top, t - left_top, r + right_bottom, b + right_bottom};
    }
};

// The interior of row y of a figure: its pixels whose four side-neighbours all belong to
// the figure, given the figure's spans of rows y - 1, y and y + 1.
Span interior(const Span& above, const Span& here, const Span& below) {
    if (above.empty() || below.empty() || here.empty()) return {};
    return {std::max({here.x0 + 1, above.x0, below.x0}), std::min({here.x1 - 1, above.x1, below.x1})};
}

Span intersect(const Span& a, const Span& b) { return {std::max(a.x0, b.x0), std::min(a.x1, b.x1)}; }

// The x interval [lo, hi] of row centre `yc` lying within `radius` of the segment
// a-b (a convex capsule, so the row meets it in one interval). False when it misses.
bool capsule_row(double ax, double ay, double bx, double by, double radius, double yc, double& lo, double& hi) {
    bool hit = false;
    lo = HUGE_VAL;
    hi = -HUGE_VAL;
    auto take = [&](double a, double b) {
        if (a > b) std::swap(a, b);
        lo = std::min(lo, a);
        hi = std::max(hi, b);
        hit = true;
    };
    // The end discs.
    for (const auto& [px, py] : {std::pair{ax, ay}, std::pair{bx, by}}) {
        const double dy = yc - py;
        const double q = radius * radius - dy * dy;
        if (q >= 0) take(px - std::sqrt(q), px + std::sqrt(q));
    }
    // The band between them: |cross(d, X - a)| <= radius |d| and 0 <= dot(d, X - a) <= |d|^2
    // with X = (a.x + u, yc); both conditions are intervals in u.
    const double dx = bx - ax, dy = by - ay, v = yc - ay;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0) return hit;
    const double reach = radius * std::sqrt(len2);
    double u0 = -HUGE_VAL, u1 = HUGE_VAL;
    if (dy == 0) {
        if (std::abs(dx * v) > reach) return hit;
    } else {
        double a = (dx * v - reach) / dy, b = (dx * v + reach) / dy;
        if (a > b) std::swap(a, b);
        u0 = std::max(u0, a);
        u1 = std::min(u1, b);
    }
    if (dx == 0) {
        if (dy * v < 0 || dy * v > len2) return hit;
    } else {
        double a = (-dy * v) / dx, b = (len2 - dy * v) / dx;
        if (a > b) std::swap(a, b);
        u0 = std::max(u0, a);
        u1 = std::min(u1, b);
    }
    if (u0 <= u1) take(ax + u0, ax + u1);
    return hit;
}

}  // namespace

Painter::Painter(Raster& raster, const DrawState& state, int origin_x, int origin_y, const PixelRect& clip)
    : raster_(raster), state_(state), ox_(origin_x), oy_(origin_y), clip_(clip.intersected(raster.bounds())) {}

// --- Ellipse ---------------------------------------------------------------------------

void Painter::ellipse(int left, int top, int right, int bottom) {
    if (clip_.empty()) return;
    long l = clamp_coordinate(left) + ox_, r = clamp_coordinate(right) + ox_;
    long t = clamp_coordinate(top) + oy_, b = clamp_coordinate(bottom) + oy_;
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (r - l < 1 || b - t < 1) return;

    const int w = std::max(state_.pen.width, 1);
    const EllipseBox box{double(l), double(t), double(r), double(b)};
    const EllipseBox outer = box.grown((w - 1) / 2, (w - 1) - (w - 1) / 2);
    const EllipseBox inner = outer.grown(-w);

    const int y0 = int(std::max<double>(outer.t, clip_.top)), y1 = int(std::min<double>(outer.b, clip_.bottom));
    if (y0 >= y1) return;
    Span above = outer.row(y0 - 1), here = outer.row(y0);
    for (int y = y0; y < y1; ++y) {
        const Span below = outer.row(y + 1);
        if (!here.empty()) {
            Span inside = interior(above, here, below);
            if (w > 1) inside = intersect(inside, inner.row(y));
            raster_.fill_span(y, here.x0, here.x1, state_.pen.colour, clip_);
            if (!inside.empty()) raster_.fill_span(y, inside.x0, inside.x1, state_.brush, clip_);
        }
        above = here;
        here = below;
    }
    raster_.mark_dirty();
}

// --- Polyline --------------------------------------------------------------------------

void Painter::polyline(const POINT* points, int count) {
    if (!points || count < 2 || clip_.empty()) return;
    const int w = std::max(state_.pen.width, 1);
    if (w == 1) {
        for (int i = 0; i + 1 < count; ++i)
            thin_segment(clamp_coordinate(points[i].x) + ox_, clamp_coordinate(points[i].y) + oy_,
                         clamp_coordinate(points[i + 1].x) + ox_, clamp_coordinate(points[i + 1].y) + oy_);
    } else {
        // Pixel (x, y) has its centre at (x + 0.5, y + 0.5).
        const double shift = (w % 2 == 1) ? 0.5 : 0.0;
        const double radius = w / 2.0 - kWidePenInset;
        for (int i = 0; i + 1 < count; ++i)
            wide_segment(double(clamp_coordinate(points[i].x) + ox_) + shift,
                         double(clamp_coordinate(points[i].y) + oy_) + shift,
                         double(clamp_coordinate(points[i + 1].x) + ox_) + shift,
                         double(clamp_coordinate(points[i + 1].y) + oy_) + shift, radius);
    }
    raster_.mark_dirty();
}

// Pixels k = 0 .. n - 1 of the segment (its end left out), n the length along the major
// axis; pixel k sits at the start plus k steps along the major axis and the nearest
// whole number of pixels (halves rounded up) along the minor one.
void Painter::thin_segment(long x0, long y0, long x1, long y1) {
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const std::int64_t n = std::max(std::abs(dx), std::abs(dy));
    if (n == 0) return;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const std::int64_t major0 = x_major ? x0 : y0, major_step = (x_major ? dx : dy) / n;  // +-1
    const std::int64_t minor0 = x_major ? y0 : x0, minor_d = x_major ? dy : dx;
    const std::int64_t lo = x_major ? clip_.left : clip_.top, hi = x_major ? clip_.right : clip_.bottom;
    // k range with the major coordinate inside [lo, hi).
    std::int64_t k0, k1;
    if (major_step > 0) {
        k0 = lo - major0;
        k1 = hi - 1 - major0;
    } else {
        k0 = major0 - (hi - 1);
        k1 = major0 - lo;
    }
    k0 = std::max<std::int64_t>(k0, 0);
    k1 = std::min<std::int64_t>(k1, n - 1);
    for (std::int64_t k = k0; k <= k1; ++k) {
        const std::int64_t major = major0 + k * major_step;
        const std::int64_t minor = minor0 + floor_div(2 * k * minor_d + n, 2 * n);
        const int x = int(x_major ? major : minor), y = int(x_major ? minor : major);
        if (clip_.contains(x, y)) raster_.row(y)[x] = state_.pen.colour;
    }
}

void Painter::wide_segment(double ax, double ay, double bx, double by, double radius) {
    const double top = std::min(ay, by) - radius, bottom = std::max(ay, by) + radius;
    const int y0 = int(std::max<double>(std::ceil(top - 0.5 - kEdgeSlack), clip_.top));
    const int y1 = int(std::min<double>(std::floor(bottom - 0.5 + kEdgeSlack) + 1, clip_.bottom));
    for (int y = y0; y < y1; ++y) {
        double lo, hi;
        if (!capsule_row(ax, ay, bx, by, radius + kEdgeSlack, y + 0.5, lo, hi)) continue;
        const Span s = centres_within(lo, hi);
        raster_.fill_span(y, s.x0, s.x1, state_.pen.colour, clip_);
    }
}

// --- Text ----------------------------------------------------------------------------

int Painter::draw_text(std::string_view text, const RECT& box, UINT format) {
    const Font& font = Font::gui();
    std::vector<std::string_view> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(text);
    } else {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
                lines.push_back(text.substr(start, i - start));
                if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
                start = i + 1;
            }
        }
    }
    const long left = clamp_coordinate(box.left) + ox_, top = clamp_coordinate(box.top) + oy_;
    const long right = clamp_coordinate(box.right) + ox_, bottom = clamp_coordinate(box.bottom) + oy_;
    const PixelRect within = PixelRect{int(left), int(top), int(right), int(bottom)}.intersected(clip_);
    const int line_height = font.height();
    if (!within.empty()) {
        long y = top;
        for (const std::string_view line : lines) {
            if (y >= within.bottom) break;
            if (y + line_height > within.top) {
                const int width = font.width(line);
                if (state_.opaque_text)
                    raster_.fill_rect(PixelRect{int(left), int(y), int(left) + width, int(y) + line_height}.intersected(within),
                                      state_.text_background);
                font.draw(raster_, line, int(left), int(y), state_.text_colour, within);
            }
            y += line_height;
        }
    }
    return line_height * int(lines.size());
}

}  // namespace sim
