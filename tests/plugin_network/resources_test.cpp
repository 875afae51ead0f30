// The plug-in's resources as the host reads them: the controller dialog 101, the map
// window 9 with its bitmap 107, and the string table.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "network_host.h"

namespace {

class Resources : public NetworkTest {};

struct ExpectedControl {
    int id;
    ControlKind kind;
    const char* caption;
    int x, y, cx, cy;
    DWORD style;  // beyond WS_CHILD | WS_VISIBLE
};

constexpr DWORD kReadout = WS_GROUP | SS_SUNKEN | SS_CENTERIMAGE | SS_CENTER;
constexpr ControlKind kPush = ControlKind::PushButton, kText = ControlKind::StaticText,
                      kBox = ControlKind::GroupBox, kRadio = ControlKind::RadioButton;

const ExpectedControl kController[] = {
    {2, kPush, "Close", 183, 15, 61, 16, WS_TABSTOP},
    {1000, kPush, "Enable Track", 100, 154, 65, 14, WS_TABSTOP},
    {1001, kText, "", 136, 57, 42, 22, kReadout},
    {1003, kText, "", 13, 99, 99, 22, kReadout},
    {-1, kText, "Satellite", 49, 86, 26, 8, WS_GROUP},
    {-1, kText, "Signal Strength", 133, 44, 49, 8, WS_GROUP},
    {1007, kPush, "Generate Network", 13, 153, 65, 14, WS_TABSTOP},
    {1008, kText, "", 13, 57, 99, 22, kReadout},
    {-1, kText, "Tracking Station", 35, 44, 53, 8, WS_GROUP},
    {1002, kPush, "Stop Track", 100, 170, 65, 14, WS_TABSTOP},
    {1009, kPush, "Clear Network", 13, 170, 65, 14, WS_TABSTOP},
    {1014, kPush, "MAP", 183, 168, 64, 17, WS_TABSTOP},
    {-1, kBox, "Network Mgmt", 7, 141, 79, 44, BS_GROUPBOX},
    {-1, kBox, "Tracking Activation", 93, 141, 79, 44, BS_GROUPBOX},
    {-1, kText, "Lag", 213, 44, 13, 8, WS_GROUP},
    {1004, kText, "", 136, 99, 42, 22, kReadout},
    {1005, kText, "", 199, 57, 42, 22, kReadout},
    {1010, kText, "", 199, 99, 42, 22, kReadout},
    {-1, kText, "Signal Strength", 133, 86, 49, 8, WS_GROUP},
    {-1, kText, "Lag", 213, 86, 13, 8, WS_GROUP},
    {-1, kBox, "Antenna in use", 7, 6, 163, 33, BS_GROUPBOX},
    {1015, kRadio, "Omni", 17, 18, 61, 16, WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE},
    {1016, kRadio, "High Gain", 90, 18, 61, 16, BS_AUTORADIOBUTTON | BS_PUSHLIKE},
    {1019, kPush, "Check cfg filename", 183, 146, 64, 17, WS_TABSTOP},
};

TEST_F(Resources, ControllerDialogInTemplateOrder) {
    const DialogTemplate* dialog = Plugin().dialog(101);
    ASSERT_NE(dialog, nullptr);
    EXPECT_STREQ(dialog->caption, "Orvenet Controller");
    EXPECT_EQ(dialog->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(dialog->ex_style, WS_EX_TOOLWINDOW);
    EXPECT_STREQ(dialog->font, "MS Sans Serif");
    EXPECT_EQ(dialog->point_size, 8);
    EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}), (std::vector<int>{0, 0, 257, 193}));
    ASSERT_EQ(dialog->control_count, int(std::size(kController)));
    for (int i = 0; i < dialog->control_count; ++i) {
        const ControlTemplate& got = dialog->controls[i];
        const ExpectedControl& want = kController[i];
        SCOPED_TRACE(std::to_string(i) + ": " + want.caption + " " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_STREQ(got.caption, want.caption);
        EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}), (std::vector<int>{want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(got.style, WS_CHILD | WS_VISIBLE | want.style);
        EXPECT_EQ(got.bitmap_id, 0);
    }
}

TEST_F(Resources, MapWindowShowsTheWorldMapBitmap) {
    const DialogTemplate* map = Plugin().dialog(9);
    ASSERT_NE(map, nullptr);
    EXPECT_STREQ(map->caption, "MAP");
    EXPECT_EQ(map->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS);
    EXPECT_EQ(map->style & WS_VISIBLE, 0u);
    EXPECT_EQ(map->ex_style, WS_EX_TOOLWINDOW);
    EXPECT_STREQ(map->font, "MS Shell Dlg");
    EXPECT_EQ(map->point_size, 8);
    EXPECT_EQ((std::vector<int>{map->x, map->y, map->cx, map->cy}), (std::vector<int>{600, 0, 419, 206}));
    ASSERT_EQ(map->control_count, 1);
    const ControlTemplate& picture = map->controls[0];
    EXPECT_EQ(picture.id, 1009);
    EXPECT_EQ(picture.kind, ControlKind::StaticBitmap);
    EXPECT_EQ((std::vector<int>{picture.x, picture.y, picture.cx, picture.cy}), (std::vector<int>{0, 0, 420, 194}));
    // No SS_NOTIFY: the picture sends no commands.
    EXPECT_EQ(picture.style, WS_CHILD | WS_VISIBLE | SS_BITMAP);
    EXPECT_EQ(picture.bitmap_id, 107);

    // Bitmap 107 is the world map file, byte for byte: a 630 x 315, 24-bit BMP.
    const BitmapResource* bitmap = Plugin().bitmap(107);
    ASSERT_NE(bitmap, nullptr);
    std::ifstream in(ORV_SOURCE_DIR "/sources/plugin/resources/world_map.bmp", std::ios::binary);
    const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bitmap->size, file.size());
    EXPECT_EQ(std::memcmp(bitmap->bmp, file.data(), file.size()), 0);
    std::int32_t width = 0, height = 0;
    std::uint16_t bits = 0;
    std::memcpy(&width, bitmap->bmp + 18, 4);
    std::memcpy(&height, bitmap->bmp + 22, 4);
    std::memcpy(&bits, bitmap->bmp + 28, 2);
    EXPECT_EQ(bitmap->bmp[0], 'B');
    EXPECT_EQ(bitmap->bmp[1], 'M');
    EXPECT_EQ(width, 630);
    EXPECT_EQ(height < 0 ? -height : height, 315);
    EXPECT_EQ(bits, 24);
}

TEST_F(Resources, StringTable) {
    EXPECT_STREQ(Plugin().string(1000),
                 "ORVENET PLUGIN :\r\n\r\n The Plugin that enhances the realism of your simulation, creating and "
                 "utilizing the network in used by the major space agencies.");
    EXPECT_STREQ(Plugin().string(1001), "Miscellaneous");
}

}  // namespace
