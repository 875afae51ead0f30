// Earth geometry through the host: altitude, station distance, Earth hidden by the Moon,
// and the high-gain antenna's angle.
#include <cmath>

#include "link_host.h"

namespace {

constexpr double kPi = 3.141592653589793;

TEST_F(LinkTest, AltitudeAndStationDistanceComeFromTheHostPositions) {
    const OBJHANDLE ship = Free("Ship", VECTOR3{kEarthR + 5e5, 0, 0});
    const OBJHANDLE station = Landed("Station", 20, 10);
    Focus(ship);
    EXPECT_NEAR(K().FocusAltitude(), Norm(FromEarth(ship)) - kEarthR, 1e-3);
    EXPECT_NEAR(K().FocusAltitude(), 5e5, 1e-3);

    VECTOR3 sight;
    oapiGetRelativePos(station, ship, &sight);
    EXPECT_NEAR(K().StationDistance(station), Norm(sight), 1e-3);
}

// The Moon hides Earth only from a vessel that flies near it (its surface reference),
// beyond it as seen from Earth, with the line to Earth passing inside the Moon.
TEST_F(LinkTest, EarthIsHiddenOnlyBehindTheMoonItFliesNear) {
    VECTOR3 moon;
    oapiGetRelativePos(oapiGetObjectByName("Moon"), oapiGetObjectByName("Earth"), &moon);
    const VECTOR3 out = Unit(moon);
    // A direction at right angles to the Earth-Moon line.
    const VECTOR3 side = Unit(VECTOR3{-out.z, 0, out.x});

    struct Case {
        const char* what;
        VECTOR3 rpos;  // from Earth's centre
        bool visible;
    };
    const Case cases[] = {
        {"behind the Moon, inside its sphere of influence", Add(moon, Scale(out, 2e7)), false},
        {"just behind the Moon's limb", Add(Add(moon, Scale(out, 2e7)), Scale(side, 1.7e6)), false},
        {"behind the Moon, beside its shadow line", Add(Add(moon, Scale(out, 2e7)), Scale(side, 3e6)), true},
        {"between Earth and the Moon, near the Moon", Add(moon, Scale(out, -2e7)), true},
        {"far behind the Moon, where Earth is the surface reference", Add(moon, Scale(out, 1e8)), true},
        {"near Earth", VECTOR3{kEarthR + 4e5, 0, 0}, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OBJHANDLE ship = Free("Ship" + std::to_string(n++), c.rpos);
        Focus(ship);
        EXPECT_EQ(K().EarthVisible(), c.visible);
    }
}

TEST_F(LinkTest, AntennaAngleTurnsTheAntennaWithTheShip) {
    const OBJHANDLE ship = Free("Ship", VECTOR3{kEarthR + 5e5, 0, 0});
    Focus(ship);
    Track();
    const VECTOR3 at = FromEarth(ship);
    struct Case {
        const char* what;
        VECTOR3 offset;  // target from the ship, global axes
        double angle;
    };
    const Case cases[] = {
        {"straight ahead", VECTOR3{0, 0, 1e5}, 0.0},
        {"30 degrees off", VECTOR3{1e5 * std::sin(kPi / 6), 0, 1e5 * std::cos(kPi / 6)}, kPi / 6},
        {"at right angles", VECTOR3{0, 1e5, 0}, kPi / 2},
        {"straight behind", VECTOR3{0, 0, -1e5}, kPi},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OBJHANDLE target = Free("Target" + std::to_string(n++), Add(at, c.offset));
        EXPECT_NEAR(K().AntennaAngle(target), c.angle, 1e-7);
    }

    // Turned a quarter about y, the ship's +z axis points along global +x; the matrix
    // acts by rows, so a transposed product would point the antenna along -x.
    const MATRIX3 turn{0, 0, 1, 0, 1, 0, -1, 0, 0};
    oapiGetVesselInterface(ship)->SetRotationMatrix(turn);
    const OBJHANDLE ahead = Free("AlongX", Add(at, VECTOR3{1e5, 0, 0}));
    EXPECT_NEAR(K().AntennaAngle(ahead), 0.0, 1e-7);

    *K().trackEnabled = false;
    EXPECT_EQ(K().AntennaAngle(ahead), 0.0);
    *K().trackEnabled = true;
    EXPECT_EQ(K().AntennaAngle(nullptr), 0.0);
}

}  // namespace
