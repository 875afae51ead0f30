// Snapshots: a dialog of 24 controls (the network controller's layout) written as a PNG,
// with every control at its dialog-unit position turned into pixels.
#include <filesystem>
#include <unistd.h>

#include "fixture.h"
#include "sim/ui/dialog.h"
#include "sim/ui/dialog_painter.h"

namespace uitest {
namespace {

using sim::Pixel;
using sim::PixelRect;

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kReadoutStyle = kChild | WS_GROUP | SS_SUNKEN | SS_CENTERIMAGE | SS_CENTER;
const DWORD kLabel = kChild | WS_GROUP;
const DWORD kButton = kChild | WS_TABSTOP;

const ControlTemplate kControllerControls[] = {
    {2, ControlKind::PushButton, "Close", 183, 15, 61, 16, kButton, 0},
    {1000, ControlKind::PushButton, "Enable Track", 100, 154, 65, 14, kButton, 0},
    {1001, ControlKind::StaticText, "", 136, 57, 42, 22, kReadoutStyle, 0},
    {1003, ControlKind::StaticText, "", 13, 99, 99, 22, kReadoutStyle, 0},
    {-1, ControlKind::StaticText, "Satellite", 49, 86, 26, 8, kLabel, 0},
    {-1, ControlKind::StaticText, "Signal Strength", 133, 44, 49, 8, kLabel, 0},
    {1007, ControlKind::PushButton, "Generate Network", 13, 153, 65, 14, kButton, 0},
    {1008, ControlKind::StaticText, "", 13, 57, 99, 22, kReadoutStyle, 0},
    {-1, ControlKind::StaticText, "Tracking Station", 35, 44, 53, 8, kLabel, 0},
    {1002, ControlKind::PushButton, "Stop Track", 100, 170, 65, 14, kButton, 0},
    {1009, ControlKind::PushButton, "Clear Network", 13, 170, 65, 14, kButton, 0},
    {1014, ControlKind::PushButton, "MAP", 183, 168, 64, 17, kButton, 0},
    {-1, ControlKind::GroupBox, "Network Mgmt", 7, 141, 79, 44, kChild, 0},
    {-1, ControlKind::GroupBox, "Tracking Activation", 93, 141, 79, 44, kChild, 0},
    {-1, ControlKind::StaticText, "Lag", 213, 44, 13, 8, kLabel, 0},
    {1004, ControlKind::StaticText, "", 136, 99, 42, 22, kReadoutStyle, 0},
    {1005, ControlKind::StaticText, "", 199, 57, 42, 22, kReadoutStyle, 0},
    {1010, ControlKind::StaticText, "", 199, 99, 42, 22, kReadoutStyle, 0},
    {-1, ControlKind::StaticText, "Signal Strength", 133, 86, 49, 8, kLabel, 0},
    {-1, ControlKind::StaticText, "Lag", 213, 86, 13, 8, kLabel, 0},
    {-1, ControlKind::GroupBox, "Antenna in use", 7, 6, 163, 33, kChild, 0},
    {1015, ControlKind::RadioButton, "Omni", 17, 18, 61, 16, kChild | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
    {1016, ControlKind::RadioButton, "High Gain", 90, 18, 61, 16, kChild | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
    {1019, ControlKind::PushButton, "Check cfg filename", 183, 146, 64, 17, kButton, 0},
};
const DialogTemplate kController{101, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                                 WS_EX_TOOLWINDOW, "Orvenet Controller", "MS Sans Serif", 8, 0, 0, 257, 193,
                                 kControllerControls, 24};

constexpr Pixel kWhite = 0xFFFFFF, kShadow = 0xA0A0A0, kDark = 0x696969;

class Snapshot : public Host {
protected:
    void SetUp() override {
        Host::SetUp();
        file = std::filesystem::temp_directory_path() / ("orv-ui-snapshot-" + std::to_string(::getpid()) + ".png");
    }
    void TearDown() override { std::filesystem::remove(file); }
    std::filesystem::path file;
};

TEST_F(Snapshot, ControlsSitAtTheirDialogUnitPositionsInPixels) {
    const HWND h = windows.open_dialog(module->instance, 101, kController, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(windows.press(h, "High Gain"));  // one checked push-like radio button
    SetWindowTextA(GetDlgItem(h, 1008), "Zeravivadad Gd 4");
    ASSERT_TRUE(windows.snapshot(h, file));

    sim::Raster png(1, 1);
    ASSERT_TRUE(sim::Raster::read_png(file, png));
    const PixelRect client = windows.client_area_in_render(h);
    EXPECT_EQ(client.width(), 257 * 6 / 4);
    EXPECT_EQ(client.height(), 193 * 13 / 8);
    EXPECT_EQ(png.width(), client.right + sim::kFrameBorder);
    EXPECT_EQ(png.height(), client.bottom + sim::kFrameBorder);
    auto at = [&](int x, int y) { return png.pixel(client.left + x, client.top + y); };

    std::vector<PixelRect> rects;
    for (const ControlTemplate& c : kControllerControls) {
        const PixelRect r = sim::du_rect_to_pixels(c.x, c.y, c.cx, c.cy);
        rects.push_back(r);
        SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.id));
        EXPECT_EQ(r, (PixelRect{c.x * 6 / 4, c.y * 13 / 8, c.x * 6 / 4 + c.cx * 6 / 4, c.y * 13 / 8 + c.cy * 13 / 8}));
        const bool checked = c.id == 1016;
        switch (c.kind) {
        case ControlKind::PushButton:
        case ControlKind::RadioButton:
            // Raised: light top-left corner, dark bottom-right; sunken when checked.
            EXPECT_EQ(at(r.left, r.top), checked ? kDark : kWhite);
            EXPECT_EQ(at(r.right - 1, r.bottom - 1), checked ? kWhite : kDark);
            EXPECT_EQ(at(r.left - 1, r.top), sim::kFaceColour);
            EXPECT_EQ(at(r.right, r.bottom - 1), sim::kFaceColour);
            break;
        case ControlKind::StaticText:
            if (c.style & SS_SUNKEN) {
                EXPECT_EQ(at(r.left, r.top), kShadow);
                EXPECT_EQ(at(r.right - 1, r.bottom - 1), kWhite);
                EXPECT_EQ(at(r.left - 1, r.top - 1), sim::kFaceColour);
                EXPECT_EQ(at(r.right, r.bottom), sim::kFaceColour);
            }
            break;
        case ControlKind::GroupBox:
            EXPECT_EQ(at(r.left, r.bottom - 2), kShadow);
            EXPECT_EQ(at(r.right - 1, r.bottom - 1), kWhite);
            EXPECT_EQ(at(r.right, r.bottom - 1), sim::kFaceColour);
            break;
        case ControlKind::StaticBitmap: break;
        }
        // Every control with a caption shows dark text inside its rectangle.
        if (*c.caption) {
            int text = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) text += at(x, y) == 0;
            EXPECT_GT(text, 5);
        }
    }
    // Nothing is drawn outside the controls.
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x) {
            const bool inside = std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) { return r.contains(x, y); });
            if (!inside) {
                ASSERT_EQ(at(x, y), sim::kFaceColour) << x << "," << y;
            }
        }
    // The readout's text is in its box, the title bar shows the caption.
    const PixelRect readout = rects[7];
    int dark = 0;
    for (int y = readout.top + 1; y < readout.bottom - 1; ++y)
        for (int x = readout.left + 1; x < readout.right - 1; ++x) dark += at(x, y) == 0;
    EXPECT_GT(dark, 20);
    int title_text = 0;
    for (int y = sim::kFrameBorder; y < client.top; ++y)
        for (int x = 0; x < png.width() / 2; ++x) title_text += png.pixel(x, y) == kWhite;
    EXPECT_GT(title_text, 20);
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Snapshot, ControlHandleWritesItsPartAndBadHandlesWriteNothing) {
    const HWND h = windows.open_dialog(module->instance, 101, kController, nullptr, nullptr);
    const HWND close = GetDlgItem(h, 2);
    ASSERT_TRUE(windows.snapshot(close, file));
    sim::Raster png(1, 1);
    ASSERT_TRUE(sim::Raster::read_png(file, png));
    const PixelRect r = sim::du_rect_to_pixels(183, 15, 61, 16);
    EXPECT_EQ(png.width(), r.width());
    EXPECT_EQ(png.height(), r.height());
    EXPECT_TRUE(png.same_pixels(windows.client_raster(h)->cropped(r)));
    EXPECT_FALSE(windows.snapshot(nullptr, file));
    EXPECT_FALSE(windows.snapshot(reinterpret_cast<HWND>(0x42), file));
    EXPECT_FALSE(windows.snapshot(h, "/nonexistent-folder/x.png"));
    EXPECT_EQ(violations(), 0u);
}

}  // namespace
}  // namespace uitest
