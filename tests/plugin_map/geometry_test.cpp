// The map's projection and mark geometry, on their own: the numbers a mark is drawn
// from, exactly.
#include <gtest/gtest.h>

#include <cmath>

// The geometry has no host call; the test compiles it in.
#include "sources/plugin/map/map_geometry.cpp"

namespace {

constexpr double R = 6371010.0;

void ExpectRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

}  // namespace

TEST(MapGeometry, MarksAtTheDescribedPlaces) {
    const MarkGeometry origin = ComputeMark(0, 0, R);
    ExpectRect(origin.circle, 310, 153, 320, 163);
    ExpectRect(origin.label, 321, 148, 421, 168);

    const MarkGeometry above = ComputeMark(0, 0, R + 400e3);
    EXPECT_NEAR(CoverageRadius(R + 400e3) * 57.29577951308232, 19.8, 0.05);
    EXPECT_EQ(above.line[0].x, 315);
    EXPECT_EQ(above.line[0].y, 123);

    const MarkGeometry florida = ComputeMark(-80.6, 28.5, R + 400e3);
    ExpectRect(florida.circle, 168, 102, 178, 112);
}

TEST(MapGeometry, CircleAroundTheSouthPoleCrossesTheMap) {
    const MarkGeometry geo = ComputeMark(100, -30, 42164000);
    EXPECT_NEAR(CoverageRadius(42164000) * 57.29577951308232, 81.3, 0.05);
    EXPECT_EQ(geo.line[0].x, 805);
    EXPECT_EQ(geo.line[0].y, 278);
    EXPECT_EQ(geo.left[0].x, 175);
    EXPECT_EQ(geo.left[0].y, 278);
    // The relative longitude runs from +180 down to -180: the line spans the whole width.
    EXPECT_GT(geo.line[0].x - geo.line[COVERAGE_POINTS - 1].x, 600);
}

TEST(MapGeometry, LatitudeZeroIsNotMirroredAndSouthIsMirrored) {
    const MarkGeometry equator = ComputeMark(20, 0, R + 400e3);
    EXPECT_LT(equator.line[0].y, 158) << "azimuth 0 points north at latitude 0";
    const MarkGeometry north = ComputeMark(20, 10, R + 400e3);
    const MarkGeometry south = ComputeMark(20, -10, R + 400e3);
    for (int k = 0; k < COVERAGE_POINTS; ++k) {
        EXPECT_EQ(north.line[k].x, south.line[k].x);
        EXPECT_NEAR(north.line[k].y - 158, 158 - south.line[k].y, 1);
    }
}

TEST(MapGeometry, TruncationTowardZeroAndTheEdges) {
    EXPECT_EQ(MapX(180), 630.0);
    EXPECT_EQ(MapX(-180), 0.0);
    // x0 - 5 = -2.7 truncates to -2, not -3.
    const double lng = (2.3 / 315.0 - 1.0) * 180.0;
    const MarkGeometry m = ComputeMark(lng, 0, R);
    EXPECT_EQ(m.circle.left, -2);
    EXPECT_EQ(ComputeMark(180, 0, R).circle.right, 635);
}

TEST(MapGeometry, DegenerateObjectsGiveFinitePoints) {
    struct Case {
        const char* what;
        double lng, lat, d;
    } cases[] = {
        {"below the surface", 10, 10, R - 0.001},
        {"at the centre", 0, 0, 0},
        {"on the surface", 10, 10, R},
        {"over the north pole", 0, 90, R + 400e3},
        {"over the south pole", 0, -90, 42164000},
        {"circle touching the pole", 0, 90 - 19.8, R + 400e3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MarkGeometry m = ComputeMark(c.lng, c.lat, c.d);
        for (int k = 0; k < COVERAGE_POINTS; ++k) {
            EXPECT_LT(std::abs(m.line[k].x), 2000);
            EXPECT_LT(std::abs(m.line[k].y), 2000);
        }
    }
    EXPECT_EQ(CoverageRadius(R - 0.001), 0.0) << "a station a hair below the surface is a point";
    const MarkGeometry point = ComputeMark(10, 10, R - 0.001);
    for (int k = 1; k < COVERAGE_POINTS; ++k) EXPECT_EQ(point.line[k].x, point.line[0].x);
}
