// Index: helpers (spans, ellipse rows, capsules); Ellipse; Polyline (thin and wide pens);
// DrawTextA.
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

// floor and ceil of values already cut to a range that ints hold (cheaper than the
// library's, which the inner loops feel).
int floor_int(double v) {
    const int i = int(v);
    return v < i ? i - 1 : i;
}
int ceil_int(double v) {
    const int i = int(v);
    return v > i ? i + 1 : i;
}

Span centres_within(double lo, double hi) {
    const double limit = double(kCoordinateLimit) * 2;
    lo = std::clamp(lo - 0.5 - kEdgeSlack, -limit, limit);
    hi = std::clamp(hi - 0.5 + kEdgeSlack, -limit, limit);
    const int a = ceil_int(lo), b = floor_int(hi) + 1;
    if (b <= a) return {};
    return {a, b};
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

// The area within `radius` of the segment a-b (a capsule: convex, so a row meets it in
// one interval), with what every row needs computed once.
class Capsule {
public:
    Capsule(double ax, double ay, double bx, double by, double radius)
        : ax_(ax), ay_(ay), bx_(bx), by_(by), r2_(radius * radius), dx_(bx - ax), dy_(by - ay) {
        len2_ = dx_ * dx_ + dy_ * dy_;
        reach_ = radius * std::sqrt(len2_);
        inv_dx_ = dx_ != 0 ? 1 / dx_ : 0;
        inv_dy_ = dy_ != 0 ? 1 / dy_ : 0;
    }

    // The x interval [lo, hi] of the row through y = yc; false when the row misses.
    bool row(double yc, double& lo, double& hi) const {
        lo = HUGE_VAL;
        hi = -HUGE_VAL;
        disc(ax_, ay_, yc, lo, hi);
        disc(bx_, by_, yc, lo, hi);
        if (len2_ > 0) band(yc, lo, hi);
        return lo <= hi;
    }

private:
    void disc(double px, double py, double yc, double& lo, double& hi) const {
        const double dy = yc - py, q = r2_ - dy * dy;
        if (q < 0) return;
        const double half = std::sqrt(q);
        lo = std::min(lo, px - half);
        hi = std::max(hi, px + half);
    }
    // The part between the end discs: |cross(d, X - a)| <= radius |d| and
    // 0 <= dot(d, X - a) <= |d|^2 with X = (a.x + u, yc); each is an interval in u.
    void band(double yc, double& lo, double& hi) const {
        const double v = yc - ay_;
        double u0 = -HUGE_VAL, u1 = HUGE_VAL;
        if (dy_ == 0) {
            if (std::abs(dx_ * v) > reach_) return;
        } else {
            const double a = (dx_ * v - reach_) * inv_dy_, b = (dx_ * v + reach_) * inv_dy_;
            u0 = std::max(u0, std::min(a, b));
            u1 = std::min(u1, std::max(a, b));
        }
        if (dx_ == 0) {
            if (dy_ * v < 0 || dy_ * v > len2_) return;
        } else {
            const double a = -dy_ * v * inv_dx_, b = (len2_ - dy_ * v) * inv_dx_;
            u0 = std::max(u0, std::min(a, b));
            u1 = std::min(u1, std::max(a, b));
        }
        if (u0 > u1) return;
        lo = std::min(lo, ax_ + u0);
        hi = std::max(hi, ax_ + u1);
    }

    double ax_, ay_, bx_, by_, r2_, dx_, dy_, len2_ = 0, reach_ = 0, inv_dx_ = 0, inv_dy_ = 0;
};

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
    // Segments beside the clip rectangle (the map's shifted copies of a coverage line)
    // are skipped whole.
    if (std::max(ax, bx) + radius < clip_.left || std::min(ax, bx) - radius > clip_.right) return;
    const double top = std::min(ay, by) - radius, bottom = std::max(ay, by) + radius;
    const int y0 = int(std::max<double>(std::ceil(top - 0.5 - kEdgeSlack), clip_.top));
    const int y1 = int(std::min<double>(std::floor(bottom - 0.5 + kEdgeSlack) + 1, clip_.bottom));
    const Capsule capsule(ax, ay, bx, by, radius + kEdgeSlack);
    const Pixel colour = state_.pen.colour;
    for (int y = y0; y < y1; ++y) {
        double lo, hi;
        if (!capsule.row(y + 0.5, lo, hi)) continue;
        const Span s = centres_within(lo, hi);
        const int x0 = std::max(s.x0, clip_.left), x1 = std::min(s.x1, clip_.right);
        if (x0 < x1) std::fill(raster_.row(y) + x0, raster_.row(y) + x1, colour);
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
