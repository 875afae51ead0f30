// Pixel tests of the painter on small rasters: the shapes of the map marks as the
// graphics interface draws them.
#include "sim/ui/painter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sim/ui/font.h"

namespace {

using sim::Painter;
using sim::Pixel;
using sim::PixelRect;
using sim::Raster;

constexpr Pixel kGrey = 0x808080;  // background, so that white figure pixels show
constexpr Pixel kRed = 0xFF0000;

// The raster region as text ('.' background, '#' black, 'o' white, '*' other), for
// failure messages.
std::string picture(const Raster& r, PixelRect area) {
    std::string out = "\n";
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const Pixel p = r.pixel(x, y);
            out += p == kGrey ? '.' : p == sim::kBlack ? '#' : p == sim::kWhite ? 'o' : '*';
        }
        out += '\n';
    }
    return out;
}

PixelRect touched(const Raster& r) {
    PixelRect box{r.width(), r.height(), 0, 0};
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (r.pixel(x, y) != kGrey) box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                               std::max(box.bottom, y + 1)};
    return box;
}

struct Canvas {
    Raster raster;
    sim::DrawState state;
    explicit Canvas(int w, int h) : raster(w, h, kGrey) {}
    Painter painter() { return Painter(raster, state, 0, 0, raster.bounds()); }
};

TEST(Painter, EllipseBoxExcludesRightColumnAndBottomRow) {
    Canvas c(340, 180);
    c.painter().ellipse(310, 153, 320, 163);
    const PixelRect area{305, 148, 325, 168};
    SCOPED_TRACE(picture(c.raster, area));
    EXPECT_EQ(touched(c.raster), (PixelRect{310, 153, 320, 163}));
    // Outline in the default black pen, inside in the default white brush.
    EXPECT_EQ(c.raster.pixel(310, 158), sim::kBlack);
    EXPECT_EQ(c.raster.pixel(315, 153), sim::kBlack);
    EXPECT_EQ(c.raster.pixel(319, 157), sim::kBlack);
    EXPECT_EQ(c.raster.pixel(315, 158), sim::kWhite);
    // The figure is symmetric about the box's centre lines.
    for (int y = 153; y < 163; ++y)
        for (int x = 310; x < 320; ++x) {
            EXPECT_EQ(c.raster.pixel(x, y), c.raster.pixel(629 - x, y)) << x << "," << y;
            EXPECT_EQ(c.raster.pixel(x, y), c.raster.pixel(x, 315 - y)) << x << "," << y;
        }
    // The outline is closed: every row and every column of the box has outline pixels,
    // and each outline pixel has another one among its eight neighbours.
    for (int y = 153; y < 163; ++y) {
        int n = 0;
        for (int x = 310; x < 320; ++x) n += c.raster.pixel(x, y) == sim::kBlack;
        EXPECT_GE(n, 2) << "row " << y;
    }
    for (int y = 153; y < 163; ++y)
        for (int x = 310; x < 320; ++x) {
            if (c.raster.pixel(x, y) != sim::kBlack) continue;
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) neighbours += (dx || dy) && c.raster.pixel(x + dx, y + dy) == sim::kBlack;
            EXPECT_GE(neighbours, 2) << x << "," << y;
        }
}

TEST(Painter, EllipseBoxGivenTheWrongWayRoundIsPutRight) {
    Canvas a(40, 40), b(40, 40);
    a.painter().ellipse(5, 7, 30, 20);
    b.painter().ellipse(30, 20, 5, 7);
    EXPECT_TRUE(a.raster.same_pixels(b.raster));
    Canvas empty(40, 40);
    empty.painter().ellipse(5, 5, 5, 20);  // no width: nothing
    EXPECT_TRUE(touched(empty.raster).empty());
}

// A 3-pixel pen along a straight line: the centre line and one pixel on each side,
// and round ends that reach one pixel beyond the end point on the centre line only.
TEST(Painter, ThreePixelPenCoversCentreLineAndOnePixelEachSideWithRoundEnds) {
    struct Case {
        const char* name;
        POINT a, b;
    } cases[] = {{"horizontal", {10, 20}, {30, 20}}, {"vertical", {20, 10}, {20, 30}}, {"backwards", {30, 20}, {10, 20}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(40, 40);
        c.state.pen = {kRed, 3};
        const POINT line[2] = {k.a, k.b};
        c.painter().polyline(line, 2);
        SCOPED_TRACE(picture(c.raster, c.raster.bounds()));
        const bool horizontal = k.a.y == k.b.y;
        // (along, across) -> pixel
        auto at = [&](int along, int across) {
            return horizontal ? c.raster.pixel(along, k.a.y + across) : c.raster.pixel(k.a.x + across, along);
        };
        for (int s = 10; s <= 30; ++s) {
            EXPECT_EQ(at(s, 0), kRed) << s;
            EXPECT_EQ(at(s, -1), kRed) << s;
            EXPECT_EQ(at(s, 1), kRed) << s;
            EXPECT_EQ(at(s, -2), kGrey) << s;
            EXPECT_EQ(at(s, 2), kGrey) << s;
        }
        for (int end : {9, 31}) {
            EXPECT_EQ(at(end, 0), kRed) << end;
            EXPECT_EQ(at(end, -1), kGrey) << end;
            EXPECT_EQ(at(end, 1), kGrey) << end;
        }
        EXPECT_EQ(at(8, 0), kGrey);
        EXPECT_EQ(at(32, 0), kGrey);
    }
}

TEST(Painter, ThreePixelPenOnDiagonalsAndJoinsLeavesNoGaps) {
    Canvas c(60, 60);
    c.state.pen = {kRed, 3};
    const POINT zigzag[4] = {{10, 10}, {30, 30}, {50, 10}, {50, 40}};
    c.painter().polyline(zigzag, 4);
    SCOPED_TRACE(picture(c.raster, c.raster.bounds()));
    for (int k = 10; k <= 30; ++k) {
        EXPECT_EQ(c.raster.pixel(k, k), kRed);
        EXPECT_EQ(c.raster.pixel(k + 1, k), kRed);
        EXPECT_EQ(c.raster.pixel(k, k + 1), kRed);
        if (k <= 23) {
            EXPECT_EQ(c.raster.pixel(k + 3, k), kGrey) << k;  // beside the line, before the join
        }
    }
    // Round join at (30, 30): covered on its centre and one pixel below.
    EXPECT_EQ(c.raster.pixel(30, 31), kRed);
    EXPECT_EQ(c.raster.pixel(30, 32), kGrey);
    for (int y = 10; y <= 40; ++y) EXPECT_EQ(c.raster.pixel(50, y), kRed) << y;
}

// A polyline whose points all coincide (a coverage circle of radius 0) is a dot of the
// pen's width: the centre and its four side-neighbours.
TEST(Painter, ThreePixelPenDotIsRound) {
    Canvas c(20, 20);
    c.state.pen = {kRed, 3};
    const POINT same[3] = {{10, 10}, {10, 10}, {10, 10}};
    c.painter().polyline(same, 3);
    SCOPED_TRACE(picture(c.raster, c.raster.bounds()));
    EXPECT_EQ(touched(c.raster), (PixelRect{9, 9, 12, 12}));
    for (auto [x, y] : {std::pair{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}}) EXPECT_EQ(c.raster.pixel(x, y), kRed);
    for (auto [x, y] : {std::pair{9, 9}, {11, 9}, {9, 11}, {11, 11}}) EXPECT_EQ(c.raster.pixel(x, y), kGrey);
}

TEST(Painter, OnePixelPolylineLeavesOutItsLastPoint) {
    Canvas c(20, 20);
    const POINT square[5] = {{2, 2}, {12, 2}, {12, 8}, {2, 8}, {2, 3}};
    c.painter().polyline(square, 5);
    SCOPED_TRACE(picture(c.raster, c.raster.bounds()));
    for (int x = 2; x <= 12; ++x) EXPECT_EQ(c.raster.pixel(x, 2), sim::kBlack);
    for (int y = 2; y <= 8; ++y) EXPECT_EQ(c.raster.pixel(12, y), sim::kBlack);
    for (int y = 4; y <= 8; ++y) EXPECT_EQ(c.raster.pixel(2, y), sim::kBlack);
    EXPECT_EQ(c.raster.pixel(2, 3), kGrey);  // the last point
    EXPECT_EQ(touched(c.raster), (PixelRect{2, 2, 13, 9}));
    // A sloped line lights one pixel per column.
    Canvas s(20, 20);
    const POINT slope[2] = {{0, 0}, {10, 3}};
    s.painter().polyline(slope, 2);
    for (int x = 0; x < 10; ++x) {
        int n = 0;
        for (int y = 0; y < 20; ++y) n += s.raster.pixel(x, y) == sim::kBlack;
        EXPECT_EQ(n, 1) << x;
    }
    EXPECT_EQ(s.raster.pixel(0, 0), sim::kBlack);
    EXPECT_EQ(s.raster.pixel(10, 3), kGrey);
}

// Coordinates far outside the raster are clipped before anything loops over them.
TEST(Painter, FarCoordinatesAreClippedNotWalked) {
    for (int width : {1, 3}) {
        Canvas c(50, 20);
        c.state.pen = {kRed, width};
        const POINT far[2] = {{-2000000000, 10}, {2000000000, 10}};
        c.painter().polyline(far, 2);
        for (int x = 0; x < 50; ++x) EXPECT_EQ(c.raster.pixel(x, 10), kRed) << width << " " << x;
        c.painter().ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
        EXPECT_EQ(c.raster.pixel(25, 2), sim::kWhite);
    }
}

TEST(Painter, ContextOriginAndClipConfineDrawing) {
    Canvas c(40, 40);
    c.state.pen = {kRed, 3};
    Painter p(c.raster, c.state, 10, 10, PixelRect{10, 10, 20, 20});
    const POINT line[2] = {{-5, 5}, {30, 5}};
    p.polyline(line, 2);
    EXPECT_EQ(touched(c.raster), (PixelRect{10, 14, 20, 17}));
}

TEST(Painter, TextStaysInsideItsBoxAtItsTopLeft) {
    Canvas c(200, 50);
    const RECT box{20, 10, 120, 30};
    const int height = c.painter().draw_text("A vessel name far wider than one hundred pixels", box, DT_SINGLELINE);
    SCOPED_TRACE(picture(c.raster, c.raster.bounds()));
    EXPECT_EQ(height, sim::Font::gui().height());
    EXPECT_GE(height, 11);
    EXPECT_LE(height, 20);
    EXPECT_EQ(touched(c.raster), (PixelRect{20, 10, 120, 10 + height}));  // clipped at the right edge
    int black = 0, other = 0;
    for (int y = 0; y < c.raster.height(); ++y)
        for (int x = 0; x < c.raster.width(); ++x) {
            const Pixel p = c.raster.pixel(x, y);
            black += p == sim::kBlack;
            other += p != sim::kBlack && p != sim::kWhite && p != kGrey;
        }
    EXPECT_GT(black, 50);
    EXPECT_EQ(other, 0);  // no anti-aliasing
    // The opaque cell starts at the box's top-left corner.
    EXPECT_EQ(c.raster.pixel(20, 10), sim::kWhite);
}

TEST(Painter, TextOfOtherCodePagesAndControlCharactersDrawsSafely) {
    Canvas c(200, 60);
    const std::string text = "Caf\xE9 \x80 \x81\x01\tend";
    c.painter().draw_text(text, RECT{0, 0, 200, 60}, DT_SINGLELINE);
    EXPECT_FALSE(touched(c.raster).empty());
    EXPECT_EQ(sim::Font::to_utf8("Caf\xE9\x80\x01"), "Caf\xC3\xA9\xE2\x82\xAC");
    // Without DT_SINGLELINE a line break starts a new line.
    Canvas two(200, 60);
    const int h = two.painter().draw_text("one\r\ntwo", RECT{0, 0, 200, 60}, 0);
    EXPECT_EQ(h, 2 * sim::Font::gui().height());
    EXPECT_EQ(touched(two.raster).bottom, 2 * sim::Font::gui().height());
}

}  // namespace
