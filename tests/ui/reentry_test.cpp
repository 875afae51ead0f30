// Procedures that open and close windows from inside their own messages, and windows
// that outlive the instance they were opened under.
#include "fixture.h"

namespace uitest {
namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const ControlTemplate kOneButton[] = {{5, ControlKind::PushButton, "Go", 0, 0, 40, 14, kChild, 0}};
const DialogTemplate kPlain{70, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "Plain", "MS Sans Serif", 8, 0, 0, 60, 30, kOneButton, 1};

int g_destroys = 0;

INT_PTR CALLBACK CloseAtInit(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) oapiCloseDialog(window);
    if (message == WM_DESTROY) {
        ++g_destroys;
        oapiCloseDialog(window);  // closing a closing window: nothing
        EXPECT_EQ(oapiFindDialog(nullptr, 70), nullptr) << "a closing window is not found";
        EXPECT_NE(GetDlgItem(window, 5), nullptr) << "its controls are there until it is gone";
    }
    return TRUE;
}

TEST_F(Host, ProcedureThatClosesItsWindowWhileItOpens) {
    g_destroys = 0;
    EXPECT_EQ(windows.open_dialog(nullptr, 70, kPlain, CloseAtInit, nullptr), nullptr);
    EXPECT_EQ(g_destroys, 1);
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(violations(), 0u);
}

INT_PTR CALLBACK DefaultsOnly(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return oapiDefDialogProc(window, message, wparam, lparam);
}

TEST_F(Host, DefaultHandlingClosesOnCloseAndCancelOnly) {
    const HWND h = windows.open_dialog(nullptr, 70, kPlain, DefaultsOnly, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(windows.press(h, "Go"));
    EXPECT_EQ(oapiDefDialogProc(h, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), 0), 0);
    EXPECT_EQ(oapiFindDialog(nullptr, 70), h);
    EXPECT_EQ(oapiDefDialogProc(h, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(oapiFindDialog(nullptr, 70), nullptr);
    const HWND again = windows.open_dialog(nullptr, 70, kPlain, DefaultsOnly, nullptr);
    EXPECT_TRUE(windows.press(again, IDCANCEL));
    EXPECT_EQ(oapiFindDialog(nullptr, 70), nullptr);
    EXPECT_EQ(violations(), 0u);
}

// A window opened under another instance but with the module's procedure is closed
// when the module goes, like the module's own.
TEST_F(Host, WindowWithTheModulesProcedureUnderAnotherInstanceClosesAtUnload) {
    const HINSTANCE other = reinterpret_cast<HINSTANCE>(0x5);
    ASSERT_NE(windows.open_dialog(other, 70, kPlain, proc, &record), nullptr);
    ASSERT_NE(windows.open_dialog(nullptr, 71, kPlain, DefaultsOnly, nullptr), nullptr);
    sim.unload_module(module);
    module = nullptr;
    EXPECT_EQ(record.destroyed, 1);
    EXPECT_EQ(oapiFindDialog(other, 70), nullptr);
    EXPECT_NE(oapiFindDialog(nullptr, 71), nullptr) << "a window of the host's own stays";
    EXPECT_EQ(violations(), 0u);
}

// A bitmap that cannot be found leaves its control empty, at the template's size.
TEST_F(Host, MissingBitmapLeavesAnEmptyPicture) {
    const ControlTemplate picture[] = {{9, ControlKind::StaticBitmap, "", 0, 0, 40, 20, kChild | SS_BITMAP, 555}};
    const DialogTemplate tpl{72, WS_POPUP, 0, "Picture", "", 8, 0, 0, 60, 30, picture, 1};
    const HWND h = windows.open_dialog(module->instance, 72, tpl, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    const sim::Control* c = windows.dialog(h)->control(9);
    EXPECT_FALSE(c->bitmap);
    EXPECT_EQ(c->rect, sim::du_rect_to_pixels(0, 0, 40, 20));
    EXPECT_EQ(windows.client_raster(h)->pixel(5, 5), sim::kFaceColour);
    EXPECT_EQ(violations(), 0u);
}

// Sizes no window can have are cut, not allocated.
TEST_F(Host, AbsurdTemplateSizesAreCut) {
    const ControlTemplate far[] = {{9, ControlKind::PushButton, "Far", -2000000000, 2000000000, 2000000000, 40, kChild, 0}};
    const DialogTemplate tpl{73, WS_POPUP, 0, "Huge", "", 8, 0, 0, 2000000000, -5, far, 1};
    const HWND h = windows.open_dialog(nullptr, 73, tpl, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(windows.client_raster(h)->width(), sim::du_to_pixels_x(2500));
    EXPECT_EQ(windows.client_raster(h)->height(), 1);
    EXPECT_TRUE(windows.press(h, "Far"));
    EXPECT_EQ(violations(), 0u);
}

}  // namespace
}  // namespace uitest
