// The plug-in's resources: the controller dialog (101), the map window (9), the world
// map bitmap (107) and the string table, exported to the host through ModuleResources.
//
// Positions and sizes are dialog units. Every control is a visible child window.
#include "host/host.h"
#include "resource_ids.h"

// The bytes of resources/world_map.bmp, embedded at build time.
extern const unsigned char kWorldMapBmp[];
extern const unsigned long kWorldMapBmp_size;

namespace {

// --- Styles ------------------------------------------------------------------------------

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD BUTTON = CHILD | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD LABEL = CHILD | WS_GROUP | SS_LEFT;
constexpr DWORD READOUT = CHILD | WS_GROUP | SS_SUNKEN | SS_CENTERIMAGE | SS_CENTER;
constexpr DWORD FRAME = CHILD | BS_GROUPBOX;
constexpr DWORD ANTENNA = CHILD | BS_AUTORADIOBUTTON | BS_PUSHLIKE;

constexpr ControlKind PUSH = ControlKind::PushButton;
constexpr ControlKind TEXT = ControlKind::StaticText;
constexpr ControlKind GROUP = ControlKind::GroupBox;
constexpr ControlKind RADIO = ControlKind::RadioButton;

// --- Controller dialog "Orvenet Controller" ------------------------------------------------

// In template order. The station row of readouts lies at y 57, the relay satellite row at
// y 99, each under its labels.
const ControlTemplate CONTROLLER_CONTROLS[] = {
    {IDC_CLOSE, PUSH, "Close", 183, 15, 61, 16, BUTTON, 0},
    {IDC_ENABLE_TRACK, PUSH, "Enable Track", 100, 154, 65, 14, BUTTON, 0},
    {IDC_STATION_STRENGTH, TEXT, "", 136, 57, 42, 22, READOUT, 0},
    {IDC_RELAY_NAME, TEXT, "", 13, 99, 99, 22, READOUT, 0},
    {IDC_STATIC, TEXT, "Satellite", 49, 86, 26, 8, LABEL, 0},
    {IDC_STATIC, TEXT, "Signal Strength", 133, 44, 49, 8, LABEL, 0},
    {IDC_GENERATE, PUSH, "Generate Network", 13, 153, 65, 14, BUTTON, 0},
    {IDC_STATION_NAME, TEXT, "", 13, 57, 99, 22, READOUT, 0},
    {IDC_STATIC, TEXT, "Tracking Station", 35, 44, 53, 8, LABEL, 0},
    {IDC_STOP_TRACK, PUSH, "Stop Track", 100, 170, 65, 14, BUTTON, 0},
    {IDC_CLEAR, PUSH, "Clear Network", 13, 170, 65, 14, BUTTON, 0},
    {IDC_OPEN_MAP, PUSH, "MAP", 183, 168, 64, 17, BUTTON, 0},
    {IDC_STATIC, GROUP, "Network Mgmt", 7, 141, 79, 44, FRAME, 0},
    {IDC_STATIC, GROUP, "Tracking Activation", 93, 141, 79, 44, FRAME, 0},
    {IDC_STATIC, TEXT, "Lag", 213, 44, 13, 8, LABEL, 0},
    {IDC_RELAY_STRENGTH, TEXT, "", 136, 99, 42, 22, READOUT, 0},
    {IDC_STATION_LAG, TEXT, "", 199, 57, 42, 22, READOUT, 0},
    {IDC_RELAY_LAG, TEXT, "", 199, 99, 42, 22, READOUT, 0},
    {IDC_STATIC, TEXT, "Signal Strength", 133, 86, 49, 8, LABEL, 0},
    {IDC_STATIC, TEXT, "Lag", 213, 86, 13, 8, LABEL, 0},
    {IDC_STATIC, GROUP, "Antenna in use", 7, 6, 163, 33, FRAME, 0},
    {IDC_OMNI, RADIO, "Omni", 17, 18, 61, 16, ANTENNA | WS_GROUP, 0},
    {IDC_HIGH_GAIN, RADIO, "High Gain", 90, 18, 61, 16, ANTENNA, 0},
    {IDC_CHECK_CFG, PUSH, "Check cfg filename", 183, 146, 64, 17, BUTTON, 0},
};

// --- Map window "MAP" ------------------------------------------------------------------------

// The picture shows the bitmap at its own size (630 x 315 pixels) and sends no
// notifications.
const ControlTemplate MAP_CONTROLS[] = {
    {IDC_MAP_PICTURE, ControlKind::StaticBitmap, "", 0, 0, 420, 194, CHILD | SS_BITMAP, IDB_WORLD_MAP},
};

const DialogTemplate DIALOGS[] = {
    {IDD_CONTROLLER, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, WS_EX_TOOLWINDOW,
     "Orvenet Controller", "MS Sans Serif", 8, 0, 0, 257, 193, CONTROLLER_CONTROLS,
     int(sizeof CONTROLLER_CONTROLS / sizeof CONTROLLER_CONTROLS[0])},
    // Not visible in the template: opening it through the host shows it.
    {IDD_MAP, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, WS_EX_TOOLWINDOW,
     "MAP", "MS Shell Dlg", 8, 600, 0, 419, 206, MAP_CONTROLS, int(sizeof MAP_CONTROLS / sizeof MAP_CONTROLS[0])},
};

// --- String table (read by no code of the module) ------------------------------------------

const StringResource STRINGS[] = {
    {IDS_ABOUT,
     "ORVENET PLUGIN :\r\n\r\n The Plugin that enhances the realism of your simulation, creating and "
     "utilizing the network in used by the major space agencies."},
    {IDS_CATEGORY, "Miscellaneous"},
};

const BitmapResource BITMAPS[] = {
    {IDB_WORLD_MAP, kWorldMapBmp, kWorldMapBmp_size},
};

const ResourceTable RESOURCES = {
    DIALOGS, int(sizeof DIALOGS / sizeof DIALOGS[0]),
    STRINGS, int(sizeof STRINGS / sizeof STRINGS[0]),
    BITMAPS, int(sizeof BITMAPS / sizeof BITMAPS[0]),
};

}  // namespace

DLLCLBK const ResourceTable* ModuleResources() { return &RESOURCES; }
