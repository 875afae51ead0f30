// The six readouts of the controller dialog, read back through the window system.
#include <cmath>
#include <cstdio>
#include <string>

#include "link_host.h"

namespace {

constexpr double kPi = 3.141592653589793;
const int kReadouts[] = {1008, 1001, 1005, 1003, 1004, 1010};

class ReadoutTest : public LinkTest {
protected:
    // A ship 500 km above longitude 0, latitude 0, upright (its frame on the global axes),
    // with the focus, tracking on and the readout dialog open; a station 1 km below it
    // and a relay 36,000 km above it, each alone in its roster.
    void SetUp() override {
        LinkTest::SetUp();
        ship = Free("Ship", Above(0, 0, kEarthR + 5e5));
        oapiGetVesselInterface(ship)->SetRotationMatrix(MATRIX3{1, 0, 0, 0, 1, 0, 0, 0, 1});
        Focus(ship);
        Track();
        dialog = OpenReadouts();
        down = Scale(Unit(FromEarth(ship)), -1.0);
        station = Free("Station", Add(FromEarth(ship), Scale(down, 1e3)));
        relay = Free("Relay", Add(FromEarth(ship), Scale(down, -3.6e7)));
        K().stationRoster[0] = station;
        K().relayRoster[0] = relay;
    }
    void Write(const char* text) {
        for (int id : kReadouts) SetWindowTextA(GetDlgItem(dialog, id), text);
    }

    OBJHANDLE ship = nullptr, station = nullptr, relay = nullptr;
    HWND dialog = nullptr;
    VECTOR3 down{};
};

TEST_F(ReadoutTest, EveryStepRewritesAllSixInTheirFormats) {
    Write("stale");
    Step();
    EXPECT_EQ(Text(1008), "Station");
    EXPECT_EQ(Text(1001), "67.42%");
    EXPECT_EQ(Text(1005), "0.000 s");
    EXPECT_EQ(Text(1003), "Relay");
    EXPECT_EQ(Text(1004), "17.93%");
    EXPECT_EQ(Text(1010), "0.120 s");

    Write("stale");
    Step();
    for (int id : kReadouts) EXPECT_NE(Text(id), "stale") << id;
}

TEST_F(ReadoutTest, HighGainFormulaOnlyWhileItsButtonIsChecked) {
    // The antenna points at the station; the relay sits at an angle off it.
    *K().antennaVector = down;
    const VECTOR3 side = Unit(VECTOR3{-down.z, 0, down.x});
    struct Case {
        double degrees;
        const char* highGain;
    };
    const Case cases[] = {{0, "100.00%"}, {30, "55.56%"}, {45, "0.00%"}, {60, "0.00%"}, {180, "0.00%"}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        const double a = c.degrees * kPi / 180.0;
        const VECTOR3 dir = Add(Scale(down, std::cos(a)), Scale(side, std::sin(a)));
        K().relayRoster[0] = Free("Relay" + std::to_string(n++), Add(FromEarth(ship), Scale(dir, 3.6e7)));

        CheckRadioButton(dialog, 1015, 1016, 1016);
        Step();
        EXPECT_EQ(Text(1004), c.highGain);
        EXPECT_EQ(Text(1001), "100.00%");

        CheckRadioButton(dialog, 1015, 1016, 1015);
        Step();
        EXPECT_EQ(Text(1004), "17.93%");
        EXPECT_EQ(Text(1001), "67.42%");
    }
}

// Behind the Moon, Earth is hidden: both strengths are cut to zero with either antenna,
// and both lags are still shown.
TEST_F(ReadoutTest, MoonHidingEarthZeroesBothStrengthsButNotTheLags) {
    VECTOR3 moon;
    oapiGetRelativePos(oapiGetObjectByName("Moon"), oapiGetObjectByName("Earth"), &moon);
    const OBJHANDLE far = Free("Far side", Add(moon, Scale(Unit(moon), 2e7)));
    Focus(far);
    *K().currentStation = station;
    *K().currentRelay = relay;
    for (int button : {1015, 1016}) {
        SCOPED_TRACE(button);
        CheckRadioButton(dialog, 1015, 1016, button);
        K().UpdateReadouts();
        EXPECT_EQ(Text(1001), "0.00%");
        EXPECT_EQ(Text(1004), "0.00%");
        for (auto [id, target] : {std::pair{1005, station}, std::pair{1010, relay}}) {
            VECTOR3 sight;
            oapiGetRelativePos(target, far, &sight);
            char lag[64];
            std::snprintf(lag, sizeof lag, "%.3f s", Norm(sight) / 299792458.0);
            EXPECT_EQ(Text(id), lag) << id;
        }
        EXPECT_EQ(Text(1003), "Relay");
    }
}

// Stop Track: every readout says "N/A"; the station stays selected (the map keeps its
// mark), the relay is dropped by the next step.
TEST_F(ReadoutTest, TrackingOffShowsNoValuesAndKeepsTheStation) {
    Step();
    ASSERT_EQ(*K().currentStation, station);
    ASSERT_EQ(*K().currentRelay, relay);
    *K().trackEnabled = false;
    Step();
    for (int id : kReadouts) EXPECT_EQ(Text(id), "N/A") << id;
    EXPECT_EQ(*K().currentStation, station);
    EXPECT_EQ(*K().currentRelay, nullptr);
}

// The dialog may be closed and opened again between any two steps: the plug-in goes on
// selecting, writes nothing to the closed window, and fills the new one at the next step.
TEST_F(ReadoutTest, ClosingAndReopeningTheDialogBetweenSteps) {
    for (double altitude : {5e5, 1e8}) {  // relays searched first, then stations only
        SCOPED_TRACE(altitude);
        Step();
        oapiCloseDialog(dialog);
        Step();
        EXPECT_EQ(*K().hControlDlg, nullptr);
        EXPECT_EQ(*K().currentStation, station);
        dialog = OpenReadouts();
        EXPECT_EQ(Text(1008), "");
        Step();
        EXPECT_EQ(Text(1008), "Station");
        oapiCloseDialog(dialog);
        dialog = OpenReadouts();  // closed and reopened with no step between
        Step();
        EXPECT_EQ(Text(1008), "Station");

        const OBJHANDLE high = Free("High" + std::to_string(int(altitude)), Above(0, 0, kEarthR + 1e8));
        Focus(high);
    }
}

}  // namespace
