// A window made from one designated initialiser and a control table, at the DPI it opens with,
// and laid out again from the table when its DPI changes.
#include "app/UnitFrmDebug_win32.h"
#include "platform/win32/Dpi.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace fg {
namespace {

// The debug window's layout: client area 542 x 503, a label at 5,5, the list of lines at 0,22
// anchored on all sides, "Copy" at 455,64 (75 x 25) anchored top-right, lines 13 pixels high,
// Tahoma 8 pt.
constexpr int kClientW = 542, kClientH = 503;

RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text) {
    return FindWindowExW(parent, nullptr, cls, text);
}

::testing::AssertionResult Same(const RECT& got, const RECT& expected) {
    if (EqualRect(&got, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << got.left << "," << got.top << "-" << got.right << "," << got.bottom << ", expected "
           << expected.left << "," << expected.top << "-" << expected.right << ","
           << expected.bottom;
}

LONG FontHeight(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

void ExpectLaidOutFor(HWND window, int dpi) {
    SCOPED_TRACE(testing::Message() << "at " << dpi << " DPI");
    auto s = [dpi](int px) { return ScaleByDpi(px, dpi); };
    RECT client{};
    GetClientRect(window, &client);
    // Whatever the frame leaves of the suggested rectangle, the anchors share it out.
    const int dw = client.right - s(kClientW), dh = client.bottom - s(kClientH);
    HWND copy = Child(window, L"Button", L"Copy");
    HWND lines = Child(window, L"ListBox", nullptr);
    HWND label = Child(window, L"Static", L"Most Recent Log Items");
    ASSERT_TRUE(copy && lines && label);
    EXPECT_TRUE(Same(ChildRect(window, copy), {s(455) + dw, s(64), s(530) + dw, s(89)}));
    EXPECT_TRUE(Same(ChildRect(window, lines), {0, s(22), s(449) + dw, s(501) + dh}));
    const RECT l = ChildRect(window, label);
    EXPECT_EQ(l.left, s(5));
    EXPECT_EQ(l.top, s(5));
    EXPECT_EQ(FontHeight(copy), -MulDiv(8, dpi, 72));
    EXPECT_EQ(FontHeight(label), -MulDiv(8, dpi, 72));
    EXPECT_EQ(SendMessageW(lines, LB_GETITEMHEIGHT, 0, 0), s(13));
}

TEST(WindowDpiWin, TheDebugWindowIsMadeForItsDpiAndLaidOutAgainWhenItChanges) {
    TFrmDebugWindow window;
    const HWND h = reinterpret_cast<HWND>(window.Handle());
    ASSERT_TRUE(h);
    const int dpi = WindowDpi(h);
    EXPECT_EQ(window.Dpi(), dpi);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, ScaleByDpi(kClientW, dpi));
    EXPECT_EQ(client.bottom, ScaleByDpi(kClientH, dpi));
    ExpectLaidOutFor(h, dpi);

    RECT start{};
    GetWindowRect(h, &start);
    const HWND label = Child(h, L"Static", L"Most Recent Log Items");
    const LONG labelWidth = ChildRect(h, label).right - ChildRect(h, label).left;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE));

    // To half as much again (a move to a 150 % monitor), then back.
    for (const int next : {dpi * 3 / 2, dpi}) {
        RECT suggested = WindowRectForClient(ScaleByDpi(kClientW, next),
                                             ScaleByDpi(kClientH, next), style, exStyle, next);
        OffsetRect(&suggested, start.left - suggested.left, start.top - suggested.top);
        SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(window.Dpi(), next);
        RECT now{};
        GetWindowRect(h, &now);
        EXPECT_TRUE(Same(now, suggested)) << "the window takes the suggested rectangle";
        ExpectLaidOutFor(h, next);
        const LONG width = ChildRect(h, label).right - ChildRect(h, label).left;
        if (next == dpi)
            EXPECT_EQ(width, labelWidth);
        else
            EXPECT_GT(width, labelWidth * 13 / 10) << "the label is measured with the new font";
    }
}

} // namespace
} // namespace fg
