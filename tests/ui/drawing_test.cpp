// Drawing through contexts on a dialog's client raster: the handle rules, and repaints.
#include <functional>

#include "fixture.h"
#include "sim/ui/dialog.h"

namespace uitest {
namespace {

// Where the test picture sits in the main dialog's client area (control 302 at 100, 60
// dialog units).
constexpr int kPictureX = sim::du_to_pixels_x(100), kPictureY = sim::du_to_pixels_y(60);

// One mark as the map draws it: circle, three coverage lines, label.
void draw_mark(HWND window, int x, int y) {
    const HDC dc = GetDC(window);
    Ellipse(dc, x - 5, y - 5, x + 5, y + 5);
    POINT line[37];
    for (int k = 0; k < 37; ++k) line[k] = {x - 18 + k, y + (k % 5) - 2};
    const HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    const HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, line, 37);
    SelectObject(dc, old);
    DeleteObject(pen);
    RECT label{x + 6, y - 10, x + 106, y + 10};
    DrawTextA(dc, "Mark", -1, &label, DT_SINGLELINE);
    ReleaseDC(window, dc);
}

TEST_F(Host, RepaintWithEraseRestoresTheBitmapExactly) {
    const HWND h = open_main();
    const sim::Raster& client = *windows.client_raster(h);
    // The picture is drawn at its own size, pixel for pixel.
    const sim::Control* picture = windows.dialog(h)->control(kPictureControl);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->rect, (sim::PixelRect{kPictureX, kPictureY, kPictureX + kPictureWidth, kPictureY + kPictureHeight}));
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) ASSERT_EQ(client.pixel(kPictureX + x, kPictureY + y), picture_pixel(x, y));
    const sim::Raster before = client.cropped(client.bounds());

    draw_mark(h, kPictureX + 12, kPictureY + 8);
    draw_mark(h, 30, 30);
    EXPECT_FALSE(client.same_pixels(before));
    // The map's request: a rectangle given the wrong way round, which covers the window.
    const RECT everything{-6000, 6000, 6000, -6000};
    EXPECT_EQ(InvalidateRect(h, &everything, TRUE), TRUE);
    EXPECT_FALSE(client.same_pixels(before)) << "the repaint waits for the end of the step";
    sim.step(1.0);
    EXPECT_TRUE(client.same_pixels(before));
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, RepaintCoversOnlyTheInvalidRegion) {
    const HWND h = open_main();
    const sim::Raster& client = *windows.client_raster(h);
    const sim::Raster before = client.cropped(client.bounds());
    draw_mark(h, 30, 30);
    draw_mark(h, 200, 120);
    const RECT left{0, 0, 100, 100};
    InvalidateRect(h, &left, TRUE);
    windows.run_pending_repaints();
    EXPECT_TRUE(client.cropped({0, 0, 100, 100}).same_pixels(before.cropped({0, 0, 100, 100})));
    EXPECT_FALSE(client.same_pixels(before));
    // A text change repaints its control at once.
    const HWND readout = GetDlgItem(h, kReadout);
    const sim::PixelRect r = windows.dialog(h)->control(kReadout)->rect;
    const sim::Raster blank = client.cropped(r);
    SetWindowTextA(readout, "N/A");
    EXPECT_FALSE(client.cropped(r).same_pixels(blank));
    SetWindowTextA(readout, "");
    EXPECT_TRUE(client.cropped(r).same_pixels(blank));
}

// A context taken for a control draws in the control's coordinates, clipped to it.
TEST_F(Host, ControlContextDrawsInsideTheControl) {
    const HWND h = open_main();
    const sim::Raster& client = *windows.client_raster(h);
    const sim::PixelRect r = windows.dialog(h)->control(kReadout)->rect;
    const sim::Raster before = client.cropped(client.bounds());
    const HWND readout = GetDlgItem(h, kReadout);
    const HDC dc = GetDC(readout);
    const HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
    const HGDIOBJ old = SelectObject(dc, pen);
    const POINT across[2] = {{-500, 5}, {500, 5}};
    Polyline(dc, across, 2);
    SelectObject(dc, old);
    DeleteObject(pen);
    EXPECT_EQ(ReleaseDC(readout, dc), 1);
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x) {
            const bool on_line = r.contains(x, y) && y >= r.top + 4 && y <= r.top + 6;
            const sim::Pixel expected = on_line ? 0xFF0000u : before.pixel(x, y);
            ASSERT_EQ(client.pixel(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, ContextAndPenHandleRules) {
    const HWND h = open_main();
    const HWND readout = GetDlgItem(h, kReadout);
    const POINT line[2] = {{0, 0}, {10, 10}};
    RECT box{0, 0, 50, 20};

    // The pen that SelectObject hands back is the context's previous one.
    HDC dc = GetDC(h);
    const HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    EXPECT_EQ(SelectObject(dc, pen), windows.stock_pen());
    EXPECT_EQ(SelectObject(dc, windows.stock_pen()), pen);
    EXPECT_EQ(violations(), 0u);

    struct Case {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"a pen deleted while selected",
         [&] {
             SelectObject(dc, pen);
             EXPECT_EQ(DeleteObject(pen), FALSE);
             EXPECT_EQ(Polyline(dc, line, 2), TRUE) << "the pen is still there";
         }},
        {"a context released against another window", [&] { EXPECT_EQ(ReleaseDC(readout, dc), 0); }},
        {"drawing through a released context", [&] { EXPECT_EQ(Ellipse(dc, 0, 0, 5, 5), FALSE); }},
        {"text through a released context", [&] { EXPECT_EQ(DrawTextA(dc, "x", -1, &box, DT_SINGLELINE), 0); }},
        {"releasing it again", [&] { EXPECT_EQ(ReleaseDC(h, dc), 0); }},
        {"a window handle as a drawing object",
         [&] {
             dc = GetDC(h);
             EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(h)), nullptr);
         }},
        {"a null context", [&] { EXPECT_EQ(Polyline(nullptr, line, 2), FALSE); }},
        {"a null pen", [&] { EXPECT_EQ(SelectObject(dc, nullptr), nullptr); }},
        {"null points", [&] { EXPECT_EQ(Polyline(dc, nullptr, 3), FALSE); }},
        {"null text", [&] { EXPECT_EQ(DrawTextA(dc, nullptr, -1, &box, DT_SINGLELINE), 0); }},
        {"the context of a closed window",
         [&] {
             oapiCloseDialog(h);
             EXPECT_EQ(ReleaseDC(h, dc), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_EQ(violations(), 1u);
    }
    // The pen is free once the context that held it is gone.
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(DeleteObject(pen), FALSE);
    EXPECT_EQ(violations(), 1u);
    EXPECT_EQ(DeleteObject(windows.stock_pen()), TRUE) << "a stock object is not deleted, harmlessly";
    EXPECT_EQ(windows.dc_count(), 0u);
    EXPECT_EQ(windows.gdi_object_count(), 0u);
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, DegenerateDrawingRequestsAreNotViolations) {
    const HWND h = open_main();
    const HDC dc = GetDC(h);
    const POINT one[1] = {{3, 3}};
    EXPECT_EQ(Polyline(dc, one, 1), FALSE);
    EXPECT_EQ(Polyline(dc, nullptr, 0), FALSE);
    const HPEN odd = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));  // width 0 is one pixel
    ASSERT_NE(odd, nullptr);
    DeleteObject(odd);
    RECT box{10, 10, 5, 5};
    EXPECT_GT(DrawTextA(dc, "inverted box", 4, &box, DT_SINGLELINE), 0);
    ReleaseDC(h, dc);
    EXPECT_EQ(violations(), 0u);
}

// A module that never gives contexts back cannot exhaust the host.
TEST_F(Host, LeakedContextsAreCapped) {
    const HWND h = open_main();
    std::vector<HDC> taken;
    for (int i = 0; i < 1200; ++i)
        if (HDC dc = GetDC(h)) taken.push_back(dc);
    EXPECT_EQ(taken.size(), 1000u);
    oapiCloseDialog(h);
    EXPECT_EQ(windows.dc_count(), 0u) << "a window's contexts end with it";
    EXPECT_EQ(violations(), 0u);
}

}  // namespace
}  // namespace uitest
