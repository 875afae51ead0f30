// The plug-in's pure routines, called inside the loaded module: the minimum search, the
// omni strength by distance, the altitude bands and the horizon test.
#include <cmath>
#include <limits>

#include "link_host.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST_F(LinkTest, FindMinimumTakesTheLastOfEqualValuesAndSkipsNaN) {
    struct Case {
        const char* what;
        int count;
        double values[4];
        int expectIndex;     // -1: left as it was
        double expectValue;  // NaN: left as it was, or NaN written
    };
    const Case cases[] = {
        {"one value", 1, {5}, 0, 5},
        {"plain minimum", 4, {4, 1, 3, 2}, 1, 1},
        {"tie goes to the higher slot", 4, {2, 1, 3, 1}, 3, 1},
        {"tie with the last slot", 3, {1, 2, 1}, 2, 1},
        {"NaN never qualifies", 3, {kNaN, 2, 3}, 1, 2},
        {"a NaN last value lets nothing qualify", 3, {1, 2, kNaN}, -1, kNaN},
        {"an empty slot (infinity) loses to any distance", 3, {kInf, 7, kInf}, 1, 7},
        {"count 0 writes nothing", 0, {1}, -1, kNaN},
        {"negative count writes nothing", -3, {1}, -1, kNaN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double smallest = kNaN;
        int index = -1;
        K().FindMinimum(c.count, c.values, &smallest, &index);
        EXPECT_EQ(index, c.expectIndex);
        if (std::isnan(c.expectValue))
            EXPECT_TRUE(std::isnan(smallest));
        else
            EXPECT_EQ(smallest, c.expectValue);
    }
}

TEST_F(LinkTest, OmniStrengthFallsWithDistance) {
    struct Case {
        double metres;
        double percent;
        double tolerance;
    };
    const Case cases[] = {
        {1.0, 100.0, 2e-5},      {1e3, 67.4, 0.05},    {4e5, 39.2, 0.05},
        {3.6e7, 17.9, 0.05},     {4e8, 6.58, 0.005},   {1.7e9, 0.0, 0.0},
        {1e12, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.metres);
        EXPECT_NEAR(K().OmniStrengthAt(c.metres), c.percent, c.tolerance);
    }
    // It reaches zero near 1.6e9 m and is never negative beyond.
    EXPECT_GT(K().OmniStrengthAt(1.5e9), 0.0);
    for (double d = 1.0; d < 1e15; d *= 3.0) EXPECT_GE(K().OmniStrengthAt(d), 0.0) << d;
}

TEST_F(LinkTest, AltitudeBandsSwitchAtTheirLowerEdges) {
    struct Case {
        double altitude;
        int band;  // 0: stations and relays, 1: stations only, 2: deep space
    };
    const Case cases[] = {
        {-1000.0, 0},
        {0.0, 0},
        {std::nextafter(3e7, 0.0), 0},
        {3e7, 1},
        {std::nextafter(4e8, 0.0), 1},
        {4e8, 2},
        {1e12, 2},
        {kNaN, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.altitude);
        EXPECT_EQ(K().ChooseBand(c.altitude), c.band);
    }
}

TEST_F(LinkTest, HorizonIncludesItsOwnDistanceAndNothingFromInsideTheSphere) {
    for (double altitude : {1.0, 4e5, 3.6e7, 4e8}) {
        SCOPED_TRACE(altitude);
        const double r = kEarthR + altitude;
        const double horizon = K().HorizonDistance(r);
        EXPECT_NEAR(horizon, std::sqrt(r * r - kEarthR * kEarthR), 1e-6 * horizon);
        EXPECT_TRUE(K().AboveHorizon(r, horizon));
        EXPECT_FALSE(K().AboveHorizon(r, std::nextafter(horizon, kInf)));
    }
    // Resting on the sphere: the horizon is at distance 0.
    EXPECT_EQ(K().HorizonDistance(kEarthR), 0.0);
    EXPECT_TRUE(K().AboveHorizon(kEarthR, 0.0));
    EXPECT_FALSE(K().AboveHorizon(kEarthR, 1e-9));
    // Inside the sphere no station is above the horizon, however near.
    EXPECT_TRUE(std::isnan(K().HorizonDistance(kEarthR - 1.0)));
    EXPECT_FALSE(K().AboveHorizon(kEarthR - 1.0, 0.0));
    EXPECT_FALSE(K().AboveHorizon(kEarthR + 4e5, kNaN));
}

}  // namespace
