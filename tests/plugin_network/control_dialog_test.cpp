// The controller dialog through the window system, as a user presses its buttons, and
// the map window that shares its procedure.
#include "host_calls.h"
#include "network_host.h"
#include "sim/core/log.h"
#include "sim/ui/window_system.h"

using ::testing::ElementsAre;

namespace {

class ControlDialog : public NetworkTest {
protected:
    void SetUp() override {
        MainFolder folder;
        folder.stations = "N = 2\nFOCUS = TRUE\nBase 1 = Alpha\nBase 2 = Bravo\nLong 2 = 90";
        folder.relays = "N = 1\nSat 1 = Relay";
        folder.extra["config/Orvenet/ShipVectors/Ship.cfg"] = "VECTOR = 0 3 4";
        folder.extra["config/Orvenet/ShipVectors/Other.cfg"] = "VECTOR = -2 0 0";
        Start(folder);
        ship_ = MakeVessel("Ship One", "Ship");
        ASSERT_TRUE(Sim().set_focus(ship_));
    }
    sim::WindowSystem& W() { return Sim().windows(); }
    bool Checked(HWND dialog, int id) { return W().is_dlg_button_checked(dialog, id) == BST_CHECKED; }

    OBJHANDLE ship_ = nullptr;
};

TEST_F(ControlDialog, TheCommandOpensTheDialogOnceWithOmniChecked) {
    EXPECT_EQ(Sim().commands().at(0).description, "Opens the Orbiter Network Control Dialog");
    const HWND dialog = OpenController();
    EXPECT_EQ(W().find_window("Orvenet Controller"), dialog);
    EXPECT_TRUE(Checked(dialog, 1015));
    EXPECT_FALSE(Checked(dialog, 1016));
    Press(dialog, "High Gain");
    EXPECT_TRUE(Checked(dialog, 1016));
    EXPECT_FALSE(Checked(dialog, 1015));
    // A second command finds the dialog open: still one window, the choice kept.
    EXPECT_TRUE(Sim().run_command("Orvenet"));
    EXPECT_EQ(W().windows().size(), 1u);
    EXPECT_TRUE(Checked(dialog, 1016));
}

TEST_F(ControlDialog, TrackingButtons) {
    const HWND dialog = OpenController();
    Press(dialog, "Enable Track");
    EXPECT_TRUE(*K().trackEnabled);
    EXPECT_NEAR(K().antennaVector->y, 0.6, 1e-15);
    EXPECT_NEAR(K().antennaVector->z, 0.8, 1e-15);
    Press(dialog, "Stop Track");
    EXPECT_FALSE(*K().trackEnabled);
    EXPECT_NEAR(K().antennaVector->z, 0.8, 1e-15);  // Stop Track changes nothing else
    // A second Enable Track reads the file of the ship that has the focus now.
    ASSERT_TRUE(Sim().set_focus(MakeVessel("Ship Two", "Other")));
    Press(dialog, "Enable Track");
    EXPECT_TRUE(*K().trackEnabled);
    EXPECT_NEAR(K().antennaVector->x, -1.0, 1e-15);
    EXPECT_NEAR(K().antennaVector->z, 0.0, 1e-15);
}

TEST_F(ControlDialog, NetworkButtons) {
    const HWND dialog = OpenController();
    Press(dialog, "Enable Track");
    Press(dialog, "Generate Network");
    EXPECT_THAT(SlotNames(K().stationRoster, 2), ElementsAre("Alpha", "Bravo"));
    EXPECT_THAT(SlotNames(K().relayRoster, 1), ElementsAre("Relay"));
    EXPECT_TRUE(*K().trackEnabled);  // the buttons do not depend on each other
    Press(dialog, "Clear Network");
    EXPECT_THAT(VesselNames(), ElementsAre("Ship One"));
    EXPECT_FALSE(*K().trackEnabled);
}

TEST_F(ControlDialog, CloseClosesTheDialogAndNothingElse) {
    const HWND dialog = OpenController();
    Press(dialog, "Enable Track");
    Press(dialog, "Generate Network");
    Press(dialog, "Close");
    EXPECT_EQ(Controller(), nullptr);
    EXPECT_TRUE(*K().trackEnabled);
    EXPECT_EQ(VesselNames().size(), 4u);
    // The step goes on with the dialog closed.
    Sim().step(1.0);
    EXPECT_EQ(sim::contract_violations(), 0u);
    // Reopened, it starts with Omni again.
    EXPECT_TRUE(Checked(OpenController(), 1015));
}

TEST_F(ControlDialog, TheMapWindowSharesTheProcedure) {
    const HWND dialog = OpenController();
    Press(dialog, "MAP");
    const HWND map = Map();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(*K().hMapDlg, map);
    EXPECT_EQ(W().find_window("MAP"), map);
    // MAP again: the open map is taken as it is.
    Press(dialog, "MAP");
    EXPECT_EQ(Map(), map);
    EXPECT_EQ(W().windows().size(), 2u);
    // The picture has the id of Clear Network but sends nothing.
    Press(dialog, "Generate Network");
    EXPECT_FALSE(W().press(map, 1009));
    EXPECT_EQ(VesselNames().size(), 4u);
    // Id 2 in the map window closes the map, not the controller.
    Press(map, "2");
    EXPECT_EQ(Map(), nullptr);
    EXPECT_EQ(Controller(), dialog);
    Press(dialog, "MAP");
    EXPECT_NE(Map(), nullptr);
    EXPECT_EQ(*K().hMapDlg, Map());
}

TEST_F(ControlDialog, CheckCfgFilenameShowsTheNameWhetherOrNotTheFileExists) {
    const HWND dialog = OpenController();
    for (const char* cls : {"Ship", "NoSuchClass"}) {
        SCOPED_TRACE(cls);
        ASSERT_TRUE(Sim().set_focus(MakeVessel(std::string("A ") + cls, cls)));
        const std::size_t before = W().message_boxes().size();
        Press(dialog, "Check cfg filename");
        ASSERT_EQ(W().message_boxes().size(), before + 1);
        const auto& box = W().message_boxes().back();
        EXPECT_EQ(box.caption, "The Config File for this ship Antenna should be:");
        EXPECT_EQ(box.text, std::string("config/Orvenet/ShipVectors/") + cls + ".cfg");
        EXPECT_EQ(std::string(K().antennaFileName), box.text);
    }
    EXPECT_NE(Controller(), nullptr);
}

TEST_F(ControlDialog, OtherMessagesGetTheDefaultHandling) {
    const HWND dialog = OpenController();
    // A command without an action of its own (a readout's id) changes nothing.
    EXPECT_EQ(K().ControlDlgProc(dialog, WM_COMMAND, MAKEWPARAM(1008, BN_CLICKED), 0), 0);
    EXPECT_NE(Controller(), nullptr);
    EXPECT_EQ(K().ControlDlgProc(dialog, WM_DESTROY, 0, 0), TRUE);
    EXPECT_NE(Controller(), nullptr);
    // The notification code is not looked at.
    EXPECT_EQ(K().ControlDlgProc(dialog, WM_COMMAND, MAKEWPARAM(1000, 5), 0), TRUE);
    EXPECT_TRUE(*K().trackEnabled);
    // WM_CLOSE goes to the host, which closes the dialog.
    K().ControlDlgProc(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(Controller(), nullptr);
}

}  // namespace
