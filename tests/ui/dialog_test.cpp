// Dialogs from module resources: opening, messages, controls, closing, unloading, and
// the window calls' handling of null and stale windows.
#include <cstring>

#include "fixture.h"

namespace uitest {
namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST_F(Host, OpenSendsInitDialogAndASecondOpenGivesTheSameWindow) {
    const HWND h = open_main();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(record.init, 1);
    EXPECT_EQ(oapiFindDialog(module->instance, kMainDialog), h);
    EXPECT_EQ(open_main(), h);
    EXPECT_EQ(record.init, 1) << "an open dialog is not opened twice";
    EXPECT_EQ(windows.windows().size(), 1u);
    // The procedure's WM_INITDIALOG selected Omni.
    EXPECT_EQ(IsDlgButtonChecked(h, kOmni), UINT(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(h, kHighGain), UINT(BST_UNCHECKED));
    EXPECT_EQ(oapiFindDialog(module->instance, kSecondDialog), nullptr);
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, ProcedureClosesItsOwnWindowOnId2) {
    const HWND h = open_main();
    ASSERT_TRUE(windows.press(h, "Close"));
    EXPECT_EQ(record.commands, (std::vector<WPARAM>{MAKEWPARAM(kClose, BN_CLICKED)}));
    EXPECT_EQ(record.destroyed, 1);
    EXPECT_EQ(oapiFindDialog(module->instance, kMainDialog), nullptr);
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(violations(), 0u);
    // The handles are stale now: a violation each, and nothing happens.
    const HWND item = GetDlgItem(h, kReadout);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(SetWindowTextA(h, "x"), FALSE);
    EXPECT_EQ(IsDlgButtonChecked(h, kOmni), 0u);
    EXPECT_EQ(violations(), 3u);
    // Opening again gives a new window.
    const HWND again = open_main();
    EXPECT_NE(again, nullptr);
    EXPECT_NE(again, h);
    EXPECT_EQ(record.init, 2);
}

// The close box sends IDCANCEL; a procedure may open a dialog from inside a command.
TEST_F(Host, CloseBoxAndDialogsOpenedFromACommand) {
    const HWND main = open_main();
    ASSERT_TRUE(windows.press(main, kOpenSecond));
    ASSERT_NE(record.second, nullptr);
    EXPECT_EQ(oapiFindDialog(module->instance, kSecondDialog), record.second);
    EXPECT_EQ(windows.windows(), (std::vector<HWND>{main, record.second}));
    // The second dialog has no control 2: pressing 2 is its close box.
    ASSERT_TRUE(windows.press(record.second, "2"));
    EXPECT_EQ(record.commands.back(), MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(oapiFindDialog(module->instance, kSecondDialog), nullptr);
    EXPECT_EQ(windows.windows(), (std::vector<HWND>{main}));
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, UnloadingTheModuleClosesItsWindowsFirst) {
    open_main();
    windows.press(open_main(), kOpenSecond);
    ASSERT_EQ(windows.windows().size(), 2u);
    sim.unload_module(module);
    module = nullptr;
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(windows.describe(), "");
    EXPECT_EQ(record.destroyed, 2) << "WM_DESTROY reached the procedure while it was loaded";
    EXPECT_EQ(violations(), 0u);
}

TEST(Shutdown, WindowsStillOpenAtShutdownGetWmDestroy) {
    sim::reset_contract_violations();
    Record r;
    {
        sim::Simulator host(ORV_DATA_DIR);
        sim::Module* m = host.load_plugin(ORV_TEST_MODULE_DIR "/ui_dialogs.so");
        ASSERT_NE(m, nullptr);
        const auto proc = reinterpret_cast<DLGPROC>(m->symbol("TestDialogProc"));
        ASSERT_NE(oapiOpenDialog(m->instance, kMainDialog, proc, &r), nullptr);
    }
    EXPECT_EQ(r.destroyed, 1);
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST_F(Host, BadRequestsToOpenAreViolations) {
    EXPECT_EQ(oapiOpenDialog(module->instance, 999, proc, &record), nullptr);
    EXPECT_EQ(violations(), 1u);
    EXPECT_EQ(oapiOpenDialog(reinterpret_cast<HINSTANCE>(0x1234), kMainDialog, proc, &record), nullptr);
    EXPECT_EQ(violations(), 1u);
    EXPECT_EQ(oapiOpenDialog(nullptr, kMainDialog, proc, &record), nullptr);
    EXPECT_EQ(violations(), 1u);
    const DialogTemplate broken{7, WS_POPUP, 0, "Broken", "", 8, 0, 0, 50, 50, nullptr, 3};
    EXPECT_EQ(windows.open_dialog(module->instance, 7, broken, nullptr, nullptr), nullptr);
    EXPECT_EQ(violations(), 1u);
    EXPECT_TRUE(windows.windows().empty());
}

// Two groups of automatic radio buttons, in a dialog opened from a template at run time
// without a procedure (default handling).
TEST_F(Host, PressingARadioButtonUnchecksTheOthersOfItsGroupOnly) {
    const ControlTemplate controls[] = {
        {11, ControlKind::RadioButton, "A1", 0, 0, 40, 14, kChild | WS_GROUP | BS_AUTORADIOBUTTON, 0},
        {12, ControlKind::RadioButton, "A2", 0, 16, 40, 14, kChild | BS_AUTORADIOBUTTON, 0},
        {13, ControlKind::PushButton, "Push", 0, 32, 40, 14, kChild, 0},
        {21, ControlKind::RadioButton, "B1", 50, 0, 40, 14, kChild | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
        {22, ControlKind::RadioButton, "B2", 50, 16, 40, 14, kChild | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
        {-1, ControlKind::StaticText, "Label", 50, 32, 40, 8, kChild | WS_GROUP, 0},
    };
    const DialogTemplate tpl{55, WS_POPUP | WS_CAPTION, 0, "Groups", "MS Sans Serif", 8, 0, 0, 100, 50, controls, 6};
    const HWND h = windows.open_dialog(module->instance, 55, tpl, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(oapiFindDialog(module->instance, 55), h);
    auto checked = [&] {
        std::vector<int> ids;
        for (int id : {11, 12, 21, 22})
            if (IsDlgButtonChecked(h, id) == BST_CHECKED) ids.push_back(id);
        return ids;
    };
    EXPECT_EQ(checked(), std::vector<int>{});
    ASSERT_TRUE(windows.press(h, "A1"));
    ASSERT_TRUE(windows.press(h, "b1"));  // captions match without regard to case
    EXPECT_EQ(checked(), (std::vector<int>{11, 21}));
    ASSERT_TRUE(windows.press(h, 12));
    EXPECT_EQ(checked(), (std::vector<int>{12, 21}));
    ASSERT_TRUE(windows.press(h, "Push"));  // a push button leaves the radio buttons alone
    EXPECT_EQ(checked(), (std::vector<int>{12, 21}));
    // CheckRadioButton over a range: the one named is checked, the rest of the range not,
    // whatever the groups; an id outside the range unchecks the whole range.
    EXPECT_EQ(CheckRadioButton(h, 12, 22, 22), TRUE);
    EXPECT_EQ(checked(), (std::vector<int>{22}));
    EXPECT_EQ(CheckRadioButton(h, 11, 12, 11), TRUE);
    EXPECT_EQ(checked(), (std::vector<int>{11, 22}));
    EXPECT_EQ(CheckRadioButton(h, 11, 22, 0), TRUE);
    EXPECT_EQ(checked(), std::vector<int>{});
    // Labels and unknown controls cannot be pressed; a push button is never checked.
    EXPECT_FALSE(windows.press(h, "Label"));
    EXPECT_FALSE(windows.press(h, "Nothing"));
    EXPECT_FALSE(windows.press(h, 99));
    EXPECT_EQ(IsDlgButtonChecked(h, 13), 0u);
    EXPECT_EQ(IsDlgButtonChecked(h, 99), 0u);
    // The default handling closes the dialog on its close box.
    ASSERT_TRUE(windows.press_close_box(h));
    EXPECT_EQ(oapiFindDialog(module->instance, 55), nullptr);
    EXPECT_EQ(violations(), 0u);
}

// A null window: nothing happens and every query answers 0, as on Windows, and it is
// not a violation.
TEST_F(Host, NullWindowDoesNothingAndAnswersZero) {
    char buffer[8] = "junk";
    EXPECT_EQ(GetDlgItem(nullptr, kReadout), nullptr);
    EXPECT_EQ(SetWindowTextA(nullptr, "x"), FALSE);
    EXPECT_EQ(GetWindowTextA(nullptr, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(CheckRadioButton(nullptr, kOmni, kHighGain, kOmni), FALSE);
    EXPECT_EQ(IsDlgButtonChecked(nullptr, kOmni), 0u);
    EXPECT_EQ(InvalidateRect(nullptr, nullptr, TRUE), FALSE);
    EXPECT_EQ(GetDC(nullptr), nullptr);
    EXPECT_EQ(oapiFindDialog(nullptr, kMainDialog), nullptr);
    EXPECT_EQ(oapiDefDialogProc(nullptr, WM_CLOSE, 0, 0), 0);
    oapiCloseDialog(nullptr);
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, ForeignHandlesAreViolations) {
    const HWND h = open_main();
    const HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(SetWindowTextA(reinterpret_cast<HWND>(pen), "x"), FALSE);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(module->instance)), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(reinterpret_cast<HWND>(0x7), kOmni), 0u);
    EXPECT_EQ(violations(), 3u);
    // A control is not a dialog.
    oapiCloseDialog(GetDlgItem(h, kReadout));
    EXPECT_EQ(violations(), 1u);
    EXPECT_EQ(oapiFindDialog(module->instance, kMainDialog), h);
    DeleteObject(pen);
}

TEST_F(Host, TextsOfControlsAndCaptions) {
    const HWND h = open_main();
    const HWND readout = GetDlgItem(h, kReadout);
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(GetDlgItem(h, 4242), nullptr);
    EXPECT_EQ(violations(), 0u);
    EXPECT_EQ(SetWindowTextA(readout, "87.25%"), TRUE);
    char buffer[16];
    EXPECT_EQ(GetWindowTextA(readout, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "87.25%");
    EXPECT_EQ(GetWindowTextA(readout, buffer, 4), 3) << "cut to the buffer, terminator included";
    EXPECT_STREQ(buffer, "87.");
    EXPECT_EQ(GetWindowTextA(h, buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "Test Dialog");
    SetWindowTextA(readout, nullptr);
    EXPECT_EQ(GetWindowTextA(readout, buffer, sizeof buffer), 0);
    SetWindowTextA(readout, "say \"hi\"\r\n");
    SetWindowTextA(h, "Renamed");
    EXPECT_EQ(windows.find_window("renamed"), h);
    EXPECT_EQ(windows.find_window("Test Dialog"), nullptr);
    EXPECT_EQ(windows.describe(),
              "window \"Renamed\" 201\n"
              "  2 button \"Close\"\n"
              "  -1 groupbox \"Antenna in use\"\n"
              "  1015 radio \"Omni\" checked\n"
              "  1016 radio \"High Gain\"\n"
              "  300 button \"Open Second\"\n"
              "  301 static \"say \\\"hi\\\"\\r\\n\"\n"
              "  302 bitmap \"\"\n");
    EXPECT_EQ(violations(), 0u);
}

TEST_F(Host, MessageBoxIsLoggedAndAnswersOk) {
    const HWND h = open_main();
    EXPECT_EQ(MessageBoxA(h, "config/Orvenet/ShipVectors/DeltaGlider.cfg", "Orvenet", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
    ASSERT_EQ(windows.message_boxes().size(), 2u);
    EXPECT_EQ(windows.message_boxes()[0].caption, "Orvenet");
    EXPECT_EQ(windows.message_boxes()[0].text, "config/Orvenet/ShipVectors/DeltaGlider.cfg");
    const auto& lines = sim::log().lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "message box \"Orvenet\": config/Orvenet/ShipVectors/DeltaGlider.cfg"),
              lines.end());
    EXPECT_EQ(violations(), 0u);
}

}  // namespace
}  // namespace uitest

namespace {

// Without a running simulator there are no windows: the window calls act as on a null
// window, and the calls that need an object count a violation.
TEST(NoSimulator, WindowCallsActAsOnANullWindow) {
    ASSERT_EQ(sim::Simulator::current(), nullptr);
    sim::reset_contract_violations();
    EXPECT_EQ(GetDlgItem(nullptr, 1), nullptr);
    EXPECT_EQ(oapiFindDialog(nullptr, 1), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(nullptr, 1), 0u);
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OK), IDOK);
    EXPECT_EQ(sim::contract_violations(), 0u);
    EXPECT_EQ(CreatePen(PS_SOLID, 1, 0), nullptr);
    EXPECT_EQ(SetWindowTextA(reinterpret_cast<HWND>(0x10), "x"), FALSE);
    EXPECT_EQ(sim::contract_violations(), 2u);
    sim::reset_contract_violations();
}

}  // namespace
