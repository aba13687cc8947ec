// The tooltip as a real window on the Wine desktop: its shape, its place, its hit test, and that it
// never takes the focus from the program the user works in.
#include "app/UnitFrmDebug.h"
#include "capture/UnitDirectionPictures.h"
#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"

#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace fg {
namespace {

using test::PumpFor;

HWND TooltipHandle() {
    return FindWindowW(L"TTooltipWindow", nullptr);
}

RECT Bounds(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// A program of the test's own in the foreground, with the keyboard focus in an edit field.
class Editor : public test::ForegroundTestWindow {
  public:
    Editor() : ForegroundTestWindow(L"FgTooltipEditor", 700, 500) {
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 400,
                               24, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        Activate(edit);
    }
    std::wstring Text() const {
        wchar_t buffer[64] = {};
        GetWindowTextW(edit, buffer, 64);
        return buffer;
    }
    HWND edit;
};

class TooltipWin : public ::testing::Test {
  protected:
    void SetUp() override { InstallWin32Tooltips(); }
    void TearDown() override { SetTooltipViewFactory({}); }
};

void TypeKey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    PumpFor(80);
}

TEST_F(TooltipWin, APictureTooltipShowsFramedOnTopAndLeavesTheFocusAlone) {
    Editor editor;
    if (GetForegroundWindow() != editor.hwnd) GTEST_SKIP() << "the desktop gave no foreground";
    ASSERT_EQ(GetFocus(), editor.edit);

    TTooltipWindow tt;
    tt.ShowTooltip(DirectionPicture(TMouseDirection::mdUp), {400, 300}, L"");
    const HWND h = TooltipHandle();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(IsWindowVisible(h));
    const RECT r = Bounds(h);
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 300);
    EXPECT_EQ(r.right - r.left, 46);
    EXPECT_EQ(r.bottom - r.top, 39);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 44); // a one-pixel frame
    EXPECT_EQ(client.bottom, 37);

    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_BORDER | WS_CAPTION | WS_CHILD), WS_POPUP | WS_BORDER);
    const LONG_PTR exStyle = GetWindowLongPtrW(h, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    const ULONG_PTR classStyle = GetClassLongPtrW(h, GCL_STYLE);
    EXPECT_EQ(classStyle & (CS_SAVEBITS | CS_DROPSHADOW),
              static_cast<ULONG_PTR>(CS_SAVEBITS | CS_DROPSHADOW));
    EXPECT_EQ(GetWindow(h, GW_OWNER), nullptr); // made before any owner window exists

    PumpFor(50);
    EXPECT_EQ(GetForegroundWindow(), editor.hwnd);
    EXPECT_EQ(GetFocus(), editor.edit);
    TypeKey('A');
    EXPECT_EQ(editor.Text(), L"a");

    // A click on the tooltip reaches the tooltip (it answers the hit test) but takes no focus.
    SetCursorPos(420, 320);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpFor(100);
    EXPECT_EQ(GetForegroundWindow(), editor.hwnd);
    TypeKey('B');
    EXPECT_EQ(editor.Text(), L"ab");

    tt.CloseTooltip(false);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(TooltipHandle(), nullptr);
    EXPECT_FALSE(tt.IsShowing());
}

TEST_F(TooltipWin, HitTestAnswersFromSignedScreenCoordinates) {
    TTooltipWindow tt;
    tt.ShowTooltip(L"Gestures ENABLED for program.", {200, 200}, false, L"");
    const HWND h = TooltipHandle();
    ASSERT_NE(h, nullptr);
    // Partly above and left of the screen's origin, where the packed coordinates are negative, as
    // on a monitor left of and above the primary (the Wine desktop has only the one monitor).
    SetWindowPos(h, nullptr, -40, -15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT r = Bounds(h);
    ASSERT_EQ(r.left, -40);
    ASSERT_EQ(r.top, -15);

    const struct {
        POINT p;
        bool hit;
    } cases[] = {
        {{r.left, r.top}, true},   {{-30, -10}, true},          {{r.right - 1, r.bottom - 1}, true},
        {{r.right, r.top}, false}, {{r.left, r.bottom}, false}, {{r.left - 1, -10}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(tt.IsHit({c.p.x, c.p.y}), c.hit);
        const LPARAM packed = MAKELPARAM(static_cast<WORD>(c.p.x), static_cast<WORD>(c.p.y));
        EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, packed), c.hit ? HTCLIENT : HTNOWHERE);
    }
    tt.CloseTooltip(false);
    EXPECT_FALSE(tt.IsHit({-30, -10}));
}

// The desktop's taskbar takes the bottom of the monitor: a tooltip shown just above it moves up
// off the cursor instead of hiding under it.
TEST_F(TooltipWin, ATooltipAtTheBottomStaysAboveTheTaskbar) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info));
    const RECT work = info.rcWork;
    if (work.bottom == info.rcMonitor.bottom)
        GTEST_SKIP()
            << "the work area reaches the monitor's bottom (Wine leaves its taskbar in it)";
    TTooltipWindow tt;
    const POINT pos{600, work.bottom - 5};
    tt.ShowTooltip(L"Gestures ENABLED for program.", {pos.x, pos.y}, false, L"");
    const RECT r = Bounds(TooltipHandle());
    EXPECT_LE(r.bottom, work.bottom);
    EXPECT_LT(r.bottom, pos.y); // the cursor stays uncovered
    tt.CloseTooltip(false);
}

TEST_F(TooltipWin, TextWindowIsTheSystemsTextSizePlusMargins) {
    TTooltipWindow tt;
    const std::wstring text = L"UP+RIGHT";
    TTooltipNativeWindow measuring(tt, nullptr);
    const TPoint size = measuring.MeasureText(text, 0);
    ASSERT_GT(size.x, 0);
    ASSERT_GT(size.y, 0);
    tt.ShowTooltip(text, {500, 500}, false, L"");
    const RECT r = Bounds(TooltipHandle());
    EXPECT_EQ(r.right - r.left, size.x + 7);
    EXPECT_EQ(r.bottom - r.top, size.y + 4 + 3);

    // Lines are never wrapped: a long text is cut at 200 pixels, six lines at 83.
    tt.CloseTooltip(false);
    tt.ShowTooltip(std::wstring(120, L'W'), {500, 500}, false, L"");
    EXPECT_EQ(Bounds(TooltipHandle()).right - Bounds(TooltipHandle()).left, 200);
    tt.CloseTooltip(false);
    tt.ShowTooltip(L"1\n2\n3\n4\n5\n6\n7\n8", {500, 500}, false, L"");
    EXPECT_EQ(Bounds(TooltipHandle()).bottom - Bounds(TooltipHandle()).top, 83);
    tt.CloseTooltip(false);
}

TEST_F(TooltipWin, TheOwnerWindowTakesItsTooltipsWithIt) {
    auto owner = std::make_unique<TFrmDummyUnicodeTooltipWindow>();
    ASSERT_NE(owner->Handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(owner->Handle()));
    TTooltipWindow tt;
    tt.ShowTooltip(L"owned", {300, 300}, false, L"");
    const HWND h = TooltipHandle();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetWindow(h, GW_OWNER), owner->Handle());
    owner.reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(tt.IsShowing());
}

} // namespace
} // namespace fg
