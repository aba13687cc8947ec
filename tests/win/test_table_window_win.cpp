// The shared plumbing of the windows made from tables of controls, under Wine: a click runs its
// row's handler, Enter runs the focused link or else the window's own Enter, a greyed control and
// a window that sets its own controls run nothing, and every link is drawn blue with the hand
// over it.
#include "platform/win32/TableWindow.h"

#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace fg {
namespace {

using test::PumpFor;

enum : int { idLink = 10, idButton, idGreyed, idLabel };

class TestTable : public TTableWindow {
  public:
    TestTable() {
        CreateNative({.className = L"FgTableWindowTest",
                      .caption = L"Table",
                      .exStyle = WS_EX_CONTROLPARENT,
                      .x = 100,
                      .y = 100,
                      .clientWidth = 300,
                      .clientHeight = 120});
        const auto record = [this](const wchar_t* what) { return [this, what] { ran += what; }; };
        CreateControls(
            {{idLink, ControlKind::HotLink, L"A link", 8, 8, 120, 18, akTopLeft, record(L"link ")},
             {idButton, ControlKind::Button, L"Button", 8, 40, 80, 25, akTopLeft,
              record(L"button ")},
             {idGreyed, ControlKind::Button, L"Greyed", 96, 40, 80, 25, akTopLeft,
              record(L"greyed ")},
             {idLabel, ControlKind::Label, L"Label", 8, 80, 0, 0, akTopLeft}},
            {L"Tahoma", 8}, 300, 120, Dpi());
        EnableWindow(controls.Item(idGreyed), FALSE);
        onEnter = record(L"enter ");
        onEscape = record(L"escape ");
    }
    HWND Item(int id) const { return controls.Item(id); }
    void SetMirroring(bool on) { mirroring = on; }

    std::wstring ran;
};

class TableWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(window.Handle(), nullptr);
        ShowWindow(window.Handle(), SW_SHOWNORMAL);
        SetForegroundWindow(window.Handle());
        PumpFor(50);
    }
    // What one command runs with focus on the control of that id.
    std::wstring Ran(WPARAM command, int focus) {
        window.ran.clear();
        SetFocus(window.Item(focus));
        SendMessageW(window.Handle(), WM_COMMAND, command, 0);
        return window.ran;
    }

    TestTable window;
};

TEST_F(TableWindow, ClicksEnterAndEscapeRunTheHandlersTheyMean) {
    window.ran.clear();
    SendMessageW(window.Item(idButton), BM_CLICK, 0, 0);
    PumpFor(20);
    EXPECT_EQ(window.ran, L"button ");

    struct Case {
        WPARAM command;
        int focus;
        const wchar_t* ran;
    };
    const Case cases[] = {
        {MAKEWPARAM(idLink, BN_CLICKED), idLink, L"link "}, // a click, or Space on it
        {IDOK, idLink, L"link "},                           // Enter on a link is its click
        {IDOK, idButton, L"enter "},
        {IDCANCEL, idLink, L"escape "},
        {MAKEWPARAM(idGreyed, BN_CLICKED), idButton, L""},
        {MAKEWPARAM(idButton, BN_SETFOCUS), idButton, L""},
        {MAKEWPARAM(idLabel, BN_CLICKED), idButton, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ran(c.command, c.focus), c.ran) << LOWORD(c.command) << " " << HIWORD(c.command);

    window.SetMirroring(true);
    EXPECT_EQ(Ran(MAKEWPARAM(idButton, BN_CLICKED), idButton), L"");
    EXPECT_EQ(Ran(IDOK, idLink), L"");
}

// The blue pixels of the link as the window draws it into a white picture.
int BluePixels(const TestTable& window, UINT state) {
    const int w = 120, h = 18;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = idLink;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = window.Item(idLink);
    item.hDC = dc;
    item.rcItem = {0, 0, w, h};
    EXPECT_TRUE(
        SendMessageW(window.Handle(), WM_DRAWITEM, idLink, reinterpret_cast<LPARAM>(&item)));
    int blue = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            blue += GetPixel(dc, x, y) == RGB(0, 0, 255);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return blue;
}

TEST_F(TableWindow, ALinkIsDrawnBlueUntilGreyedAndShowsTheHand) {
    EXPECT_GT(BluePixels(window, 0), 20);
    EXPECT_EQ(BluePixels(window, ODS_DISABLED), 0);

    EXPECT_TRUE(SendMessageW(window.Handle(), WM_SETCURSOR,
                             reinterpret_cast<WPARAM>(window.Item(idLink)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

} // namespace
} // namespace fg
