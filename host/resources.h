// Module resources: dialog templates, string table and bitmaps.
//
// A module exposes its resources to the host through one exported function,
// ModuleResources, that returns a pointer to a ResourceTable living in the module's
// static data. The host reads it when it loads the module and whenever a dialog of the
// module is opened; the table must stay valid while the module is loaded.
//
// Positions and sizes are dialog units; the host turns them into pixels with the base
// units of an 8-point dialog font: x * 6 / 4 and y * 13 / 8.
#pragma once

#include "winapi.h"

enum class ControlKind : int {
    StaticText,   // "STATIC" with a text style (SS_LEFT, SS_CENTER, SS_SUNKEN, ...)
    StaticBitmap, // "STATIC" with SS_BITMAP; bitmap_id names the bitmap resource
    PushButton,
    RadioButton,  // automatic radio button (BS_AUTORADIOBUTTON); BS_PUSHLIKE draws it as a
                  // push button, sunken while checked
    GroupBox,
};

struct ControlTemplate {
    int id;              // -1 for labels and group boxes
    ControlKind kind;
    const char* caption; // text; empty for none
    int x, y, cx, cy;    // dialog units
    DWORD style;         // full style, WS_CHILD | WS_VISIBLE included
    int bitmap_id;       // StaticBitmap: the bitmap resource shown; otherwise 0
};

struct DialogTemplate {
    int id;               // resource number
    DWORD style;
    DWORD ex_style;
    const char* caption;
    const char* font;     // face name
    int point_size;
    int x, y, cx, cy;     // dialog units
    const ControlTemplate* controls;  // in template order
    int control_count;
};

struct StringResource {
    int id;
    const char* text;
};

// A bitmap as the bytes of a Windows BMP file (24-bit, bottom-up rows).
struct BitmapResource {
    int id;
    const unsigned char* bmp;
    unsigned long size;
};

struct ResourceTable {
    const DialogTemplate* dialogs;
    int dialog_count;
    const StringResource* strings;
    int string_count;
    const BitmapResource* bitmaps;
    int bitmap_count;
};

// The export a module with resources provides (see module.h for DLLCLBK).
typedef const ResourceTable* (*ModuleResourcesFunc)();
