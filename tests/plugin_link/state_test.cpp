// The plug-in's module-wide state: what a fresh load gives, and the reset routine that
// puts it back.
#include <cstring>

#include "link_host.h"

namespace {

TEST_F(LinkTest, ResetGlobalsGivesBackTheLoadTimeState) {
    KavrinHooks& k = K();
    // Right after load (and InitModule): nothing selected, nothing tracked, no network.
    EXPECT_EQ(*k.hDLL, Instance());
    EXPECT_FALSE(*k.trackEnabled);
    EXPECT_EQ(*k.currentStation, nullptr);
    EXPECT_EQ(*k.currentRelay, nullptr);
    EXPECT_EQ(*k.relayIndex, 0);
    EXPECT_EQ(*k.lastMapRefresh, 0.0);
    EXPECT_EQ(k.antennaVector->x, 0.0);
    EXPECT_EQ(k.antennaVector->y, 0.0);
    EXPECT_EQ(k.antennaVector->z, 0.0);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(k.stationRoster[i], nullptr);
        EXPECT_EQ(k.relayRoster[i], nullptr);
        EXPECT_EQ(k.deepSpaceRoster[i], nullptr);
    }

    // Everything a session changes, changed.
    const HINSTANCE instance = *k.hDLL;
    const DWORD command = *k.customCmdId;
    const FILEHANDLE files[3] = {*k.stationFile, *k.relayFile, *k.deepSpaceFile};
    const OBJHANDLE ship = Free("Ship", VECTOR3{kEarthR + 5e5, 0, 0});
    *k.hControlDlg = OpenReadouts();
    *k.hMapDlg = OpenMap();
    for (int i = 0; i < 100; ++i) k.stationRoster[i] = k.relayRoster[i] = k.deepSpaceRoster[i] = ship;
    *k.stationFocus = *k.relayFocus = *k.deepSpaceFocus = true;
    *k.trackEnabled = true;
    *k.antennaVector = VECTOR3{0.6, 0, 0.8};
    std::strcpy(k.antennaFileName, "config/Orvenet/ShipVectors/TestProbe.cfg");
    *k.currentStation = *k.currentRelay = ship;
    *k.relayIndex = 42;
    *k.lastMapRefresh = 123.0;

    k.ResetGlobals();
    EXPECT_EQ(*k.hControlDlg, nullptr);
    EXPECT_EQ(*k.hMapDlg, nullptr);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(k.stationRoster[i], nullptr);
        EXPECT_EQ(k.relayRoster[i], nullptr);
        EXPECT_EQ(k.deepSpaceRoster[i], nullptr);
    }
    EXPECT_FALSE(*k.stationFocus || *k.relayFocus || *k.deepSpaceFocus);
    EXPECT_FALSE(*k.trackEnabled);
    EXPECT_EQ(k.antennaVector->x, 0.0);
    EXPECT_EQ(k.antennaVector->z, 0.0);
    EXPECT_STREQ(k.antennaFileName, "");
    EXPECT_EQ(*k.currentStation, nullptr);
    EXPECT_EQ(*k.currentRelay, nullptr);
    EXPECT_EQ(*k.relayIndex, 0);
    EXPECT_EQ(*k.lastMapRefresh, 0.0);
    // The bindings that loading made stay: the module can still find its dialogs, take
    // its custom command back and close its files.
    EXPECT_EQ(*k.hDLL, instance);
    EXPECT_EQ(*k.customCmdId, command);
    EXPECT_EQ(*k.stationFile, files[0]);
    EXPECT_EQ(*k.relayFile, files[1]);
    EXPECT_EQ(*k.deepSpaceFile, files[2]);
}

}  // namespace
