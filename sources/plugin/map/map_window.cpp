// The map window: each step's marks for the relay satellite, the station and the focus
// vessel: a position circle, the name beside it, and the coverage circle, the part of
// Earth from which the object stands above the horizon. Each mark gets its own drawing
// context and pen, both released before it returns.
#include "map/map_window.h"

#include <algorithm>
#include <cmath>

#include "link/constants.h"
#include "link/globals.h"
#include "link/map_marks.h"
#include "map/map_geometry.h"
#include "resource_ids.h"

namespace {

constexpr double PI = 3.141592653589793;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double TWO_PI = 6.283185307179586;

constexpr int COVERAGE_PEN_WIDTH = 3;  // pixels
constexpr int LABEL_SIZE = 50;         // characters of the name, terminating zero included

// The arc sine of a value that rounding may have pushed just beyond +-1.
double SafeAsin(double v) { return std::asin(std::clamp(v, -1.0, 1.0)); }

}  // namespace

void EarthLongLat(OBJHANDLE object, double* longitude, double* latitude) {
    OBJHANDLE hEarth = oapiGetObjectByName(EARTH_NAME);
    VECTOR3 global, local;
    oapiGetGlobalPos(object, &global);
    oapiGlobalToLocal(hEarth, &global, &local);
    const double r = std::sqrt(local.x * local.x + local.y * local.y + local.z * local.z);
    if (!(r > 0.0)) {
        *longitude = 0.0;
        *latitude = 0.0;
        return;
    }
    const double x = local.x / r, y = local.y / r, z = local.z / r;
    const double colatitude = std::acos(std::clamp(y, -1.0, 1.0));
    *latitude = HALF_PI - colatitude;
    const double s = std::sin(colatitude);
    double lng = 0.0;  // above a pole every longitude is the same point
    if (s > 0.0) lng = x < 0.0 ? PI - SafeAsin(z / s) : SafeAsin(z / s);
    if (lng > PI) lng -= TWO_PI;
    *longitude = lng;
}

void DrawMapMark(OBJHANDLE object, BYTE red, BYTE green, BYTE blue) {
    double lng, lat;
    EarthLongLat(object, &lng, &lat);

    HWND map = oapiFindDialog(g_hDLL, IDD_MAP);
    if (!map) return;
    HDC hDC = GetDC(map);

    VECTOR3 rel;
    oapiGetRelativePos(oapiGetObjectByName(EARTH_NAME), object, &rel);
    const double d = std::sqrt(rel.x * rel.x + rel.y * rel.y + rel.z * rel.z);
    MarkGeometry mark = ComputeMark(lng * DEG_PER_RAD, lat * DEG_PER_RAD, d);

    // The circle with the context's own pen and brush, before the coverage pen.
    Ellipse(hDC, mark.circle.left, mark.circle.top, mark.circle.right, mark.circle.bottom);

    HPEN hPen = CreatePen(PS_SOLID, COVERAGE_PEN_WIDTH, RGB(red, green, blue));
    HGDIOBJ hOldPen = SelectObject(hDC, hPen);
    Polyline(hDC, mark.line, COVERAGE_POINTS);
    Polyline(hDC, mark.right, COVERAGE_POINTS);
    Polyline(hDC, mark.left, COVERAGE_POINTS);
    SelectObject(hDC, hOldPen);
    DeleteObject(hPen);

    char name[LABEL_SIZE];
    oapiGetObjectName(object, name, LABEL_SIZE);
    DrawTextA(hDC, name, -1, &mark.label, DT_SINGLELINE);

    // Released against the window the context came from: the map window open now, which
    // g_hMapDlg names too while the map stays open.
    ReleaseDC(map, hDC);
}
