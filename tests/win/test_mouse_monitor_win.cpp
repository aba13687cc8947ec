// The mouse monitor's hidden window against the real system.
#include "../unit/NoBindings.h"
#include "actions/UnitTargetFocus.h"
#include "capture/UnitFrmMouseMonitor_win32.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "platform/Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace fg {
namespace {

using test::NoBindings;

TEST(MouseMonitorWindow, StaysHiddenAndNamesTheMonitorOfAWindowAsALastResort) {
    const Platform& os = Os();
    TTargetFocus target;
    NoBindings gestures;
    TRightButtonGate gate(TRightButtonGate::OnPlatform(*os.desktop, *os.input, {}, {}, {}));
    TFrmRatTrap ratTrap(*os.desktop, *os.input);
    TFrmScratchPad scratchpad(*os.desktop, *os.input);
    HWND covering;
    {
        TFrmMouseMonitorWindow window(*os.input, *os.desktop, *os.clock,
                                      {.target = target,
                                       .gestures = gestures,
                                       .gate = gate,
                                       .ratTrap = ratTrap,
                                       .scratchpad = scratchpad});
        ASSERT_NE(window.Handle(), nullptr);
        EXPECT_FALSE(IsWindowVisible(window.Handle()));

        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        covering = CreateWindowExW(0, L"STATIC", L"covering", WS_POPUP, 0, 0, w, h, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(covering, SW_SHOWNOACTIVATE);
        const HWND foreground = GetForegroundWindow();

        TRect monitor;
        ASSERT_TRUE(
            window.Logic().Parts().monitorOfWindow(reinterpret_cast<HWindow>(covering), monitor));
        EXPECT_EQ(monitor, (TRect{0, 0, w, h}));
        // Its brief showing leaves nothing behind: hidden again, and the foreground untouched.
        EXPECT_FALSE(IsWindowVisible(window.Handle()));
        EXPECT_EQ(GetForegroundWindow(), foreground);

        TRect none;
        EXPECT_FALSE(window.Logic().Parts().monitorOfWindow(0, none));
    }
    DestroyWindow(covering);
}

} // namespace
} // namespace fg
