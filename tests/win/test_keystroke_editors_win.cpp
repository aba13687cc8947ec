// The keystroke editors as real windows: key-downs posted to the capture field with the keyboard
// state set beside them, every capture stored and read back with the program's conversions, the
// dialog keys inside the modal loop, and the list window capturing through the keystroke window.
// With FG_SHOTS naming a folder, pictures of the windows and panels are saved there.
#include "ui/UnitFrameHotKey_win32.h"
#include "ui/UnitFrameKeystrokeList_win32.h"
#include "ui/UnitFrmKeystrokeEditor_win32.h"
#include "ui/UnitFrmKeystrokeList_win32.h"

#include "../unit/KeystrokeCaptureCases.h"
#include "WinShots_win32.h"
#include "WinTestSupport_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fg {
namespace {

using test::PumpFor;

std::wstring TextOf(HWND h) {
    wchar_t buffer[128] = {};
    GetWindowTextW(h, buffer, 128);
    return buffer;
}

// The keyboard state the next key-downs are read with; posted key messages leave it alone.
void Hold(const std::vector<std::uint8_t>& keys) {
    std::array<BYTE, 256> state{};
    for (std::uint8_t k : keys)
        state[k] = 0x80;
    SetKeyboardState(state.data());
}

// A key-down as the field receives it: with Alt held the system sends WM_SYSKEYDOWN.
void PostKeyDown(HWND field, std::uint16_t key, bool alt) {
    PostMessageW(field, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 | (1 << 29)) : 1);
}

void PostClick(HWND parent, int id) {
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    HWND found = nullptr;
    struct Search {
        const wchar_t* text;
        HWND* found;
    } search{text, &found};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            if (TextOf(h) != s->text) return TRUE;
            *s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return found;
}

class KeystrokeEditorsWin : public ::testing::Test {
  protected:
    void TearDown() override { Hold({}); }
};

TEST_F(KeystrokeEditorsWin, TheWindowTakesTheProgramsConversionsWhileItLives) {
    TFrmKeystrokeEdit* before = FrmKeystrokeEdit;
    {
        TFrmKeystrokeEditWindow window;
        EXPECT_EQ(FrmKeystrokeEdit, &window.Logic());
        EXPECT_EQ(FrmKeystrokeEditor, &window.Logic());
        const HWND h = reinterpret_cast<HWND>(window.Handle());
        ASSERT_NE(h, nullptr);
        RECT client{};
        GetClientRect(h, &client);
        EXPECT_EQ(client.right, ScaleByDpi(334, window.Dpi()));
        EXPECT_EQ(client.bottom, ScaleByDpi(140, window.Dpi()));
        EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_SYSMENU, 0); // no title-bar buttons
        EXPECT_EQ(TextOf(h), L"Farrowglimmer keystroke");
    }
    EXPECT_EQ(FrmKeystrokeEdit, before);
    EXPECT_EQ(FrmKeystrokeEditor, nullptr);
}

// Every capture shows its display name in the real field and survives the stored form.
TEST_F(KeystrokeEditorsWin, EveryCaptureInTheFieldSurvivesTheStoredForm) {
    TFrmKeystrokeEditWindow window;
    const HWND field = window.Field();
    ASSERT_NE(field, nullptr);
    for (const test::CaptureCase& c : test::CaptureCases()) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        window.Logic().btnClearClick();
        Hold(c.held);
        bool alt = false;
        for (std::uint8_t h : c.held)
            alt = alt || h == VK_MENU;
        PostKeyDown(field, c.key, alt);
        PostMessageW(field, alt ? WM_SYSCHAR : WM_CHAR, L'x', 1); // typed characters are dropped
        PumpFor(10);
        EXPECT_EQ(TextOf(field), c.shown);
        const TKeystrokeData captured = window.Logic().Captured();
        EXPECT_EQ(captured.name, c.shown);
        const TKeystrokeData back =
            FrmKeystrokeEdit->FromString(FrmKeystrokeEdit->ToString(captured));
        EXPECT_EQ(back, captured);
        bool valid = false;
        EXPECT_EQ(FrmKeystrokeEdit->GetHumanReadable(back, valid), c.shown);
    }
    // Alt+F4 in the field is a capture, not a close.
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(window.Handle())));
}

TEST_F(KeystrokeEditorsWin, ModalWindowAnswersWithTheCaptureAfterSet) {
    TFrmKeystrokeEditWindow window;
    const HWND h = reinterpret_cast<HWND>(window.Handle());
    Hold({VK_CONTROL});
    PostKeyDown(window.Field(), 187, false);
    PostClick(h, IDOK);
    TKeystrokeData k;
    ASSERT_TRUE(window.Logic().GetHotKey(k, false));
    EXPECT_EQ(FrmKeystrokeEdit->ToString(k), L"0100BBCTRL+=");
    EXPECT_FALSE(IsWindowVisible(h));

    PostKeyDown(window.Field(), 'Q', false);
    PostClick(h, IDCANCEL);
    EXPECT_FALSE(window.Logic().GetHotKey(k, false));
    EXPECT_EQ(FrmKeystrokeEdit->ToString(k), L"0100BBCTRL+=");
}

// The modal loop's dialog handling leaves Enter and Escape to the field, and Tab moves on.
TEST_F(KeystrokeEditorsWin, DialogKeysReachTheFieldButTabMovesTheFocus) {
    TFrmKeystrokeEditWindow window;
    const HWND h = reinterpret_cast<HWND>(window.Handle());
    const HWND field = window.Field();
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    PumpFor(50);
    if (GetForegroundWindow() != h) GTEST_SKIP() << "the desktop gave no foreground";
    EXPECT_EQ(GetFocus(), field); // the field takes the focus when the window activates

    for (const auto& [key, shown] : {std::pair{VK_RETURN, L"ENTER"}, {VK_ESCAPE, L"ESCAPE"}}) {
        MSG msg{field, WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(h, &msg));
        EXPECT_EQ(TextOf(field), shown);
    }
    EXPECT_TRUE(IsWindowVisible(h));
    MSG tab{field, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(h, &tab));
    EXPECT_NE(GetFocus(), field);
    EXPECT_EQ(TextOf(field), L"ESCAPE");
    ShowWindow(h, SW_HIDE);
}

// The list window's Add runs the keystroke window; Set hands the rows back.
TEST_F(KeystrokeEditorsWin, ListWindowCapturesThroughTheKeystrokeWindow) {
    TFrmKeystrokeEditWindow editor;
    TFrmKeystrokeListWindow list;
    const HWND panel = reinterpret_cast<HWND>(list.Panel().Handle());
    ASSERT_NE(panel, nullptr);
    const HWND add = ChildWithText(panel, L"Add Keystroke");
    ASSERT_NE(add, nullptr);
    // Processed in order: the Add click opens the keystroke window, whose loop takes the key and
    // its Set; then the list window's Set.
    PostMessageW(panel, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(add), BN_CLICKED),
                 reinterpret_cast<LPARAM>(add));
    PostKeyDown(editor.Field(), 'S', false);
    PostClick(reinterpret_cast<HWND>(editor.Handle()), IDOK);
    PostClick(reinterpret_cast<HWND>(list.Handle()), IDOK);
    std::vector<std::wstring> sl{L"old"};
    ASSERT_TRUE(list.Logic().GetKeystrokeList(sl, L"100046ALT+F"));
    EXPECT_EQ(sl, (std::vector<std::wstring>{L"100046ALT+F", L"000053S"}));
    EXPECT_EQ(SendMessageW(list.Panel().List(), LVM_GETITEMCOUNT, 0, 0), 2);
}

std::wstring RowText(HWND list, int row) {
    wchar_t buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// The wizard drives the panels' logic directly: the panels show each change, capture from their
// own field, and take another DPI's size.
TEST_F(KeystrokeEditorsWin, PanelsShowTheirLogicAndCaptureFromTheirField) {
    test::ForegroundTestWindow host(L"FgKeystrokePanelsHost", 800, 500);
    TFrameKeystrokeEdit single;
    TFrameKeystrokeList multiple;
    {
        TFrameKeystrokeEditPanel singlePanel(single);
        TFrameKeystrokeListPanel multiplePanel(multiple);
        ASSERT_TRUE(singlePanel.CreatePanel(host.hwnd, 10, 10, 96));
        ASSERT_TRUE(multiplePanel.CreatePanel(host.hwnd, 10, 100, 96));
        const HWND s = reinterpret_cast<HWND>(singlePanel.Handle());
        EXPECT_TRUE(GetWindowLongPtrW(s, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(GetWindowLongPtrW(s, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

        single.SetKeystroke(L"100073ALT+F4");
        EXPECT_EQ(TextOf(singlePanel.Field()), L"ALT+F4");
        Hold({VK_SHIFT});
        PostKeyDown(singlePanel.Field(), '2', false);
        PumpFor(10);
        EXPECT_EQ(TextOf(singlePanel.Field()), L"SHIFT+ALT+2"); // the loaded Alt stays
        single.Init();
        EXPECT_EQ(TextOf(singlePanel.Field()), L"");

        multiple.SetKeystrokeList(L"100046ALT+F|000053S");
        const HWND list = multiplePanel.List();
        ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(RowText(list, 1), L"S");
        multiple.Init();
        EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);

        multiplePanel.SetPanelDpi(144, 10, 100);
        RECT r{};
        GetClientRect(reinterpret_cast<HWND>(multiplePanel.Handle()), &r);
        EXPECT_EQ(r.right, ScaleByDpi(TFrameKeystrokeListPanel::kWidth, 144));
        EXPECT_EQ(r.bottom, ScaleByDpi(TFrameKeystrokeListPanel::kHeight, 144));
    }
    // The panels are gone, the logic stays and works without them.
    Hold({});
    single.txtHotkeyKeyDown('Z');
    EXPECT_EQ(single.Text(), L"Z");
}

// --- pictures for the eye ---------------------------------------------------------------------

// folder/what-<dpi>dpi.bmp
std::string ShotPath(const std::string& folder, const char* what, int dpi) {
    char name[96];
    std::snprintf(name, sizeof name, "/%s-%ddpi.bmp", what, dpi);
    return folder + name;
}

TEST_F(KeystrokeEditorsWin, Pictures) {
    const char* shots = std::getenv("FG_SHOTS");
    if (!shots) GTEST_SKIP() << "FG_SHOTS names no folder";
    const std::string folder = shots;

    TFrmKeystrokeEditWindow editor;
    const HWND e = reinterpret_cast<HWND>(editor.Handle());
    const int desktopDpi = editor.Dpi();
    editor.Logic().CloseAltF41Click(L"01101B");
    ShowWindow(e, SW_SHOW);
    SetForegroundWindow(e);
    PumpFor(300);
    test::SaveWindowShot(e, ShotPath(folder, "keystroke-window", desktopDpi));
    ShowWindow(e, SW_HIDE);

    TFrmKeystrokeListWindow list;
    const HWND l = reinterpret_cast<HWND>(list.Handle());
    list.Logic().SetKeystrokeList(L"100046ALT+F|000053S|0100BBCTRL+=|00014DWINKEY+M");
    ShowWindow(l, SW_SHOW);
    SetForegroundWindow(l);
    PumpFor(300);
    test::SaveWindowShot(l, ShotPath(folder, "keystroke-list-window", desktopDpi));
    ShowWindow(l, SW_HIDE);

    // Both panels in a window of the test's own, as the wizard shows them, at the desktop's DPI
    // and at 144.
    for (int dpi : {desktopDpi, 144}) {
        test::ForegroundTestWindow host(L"FgKeystrokePanelsHost", ScaleByDpi(460, dpi),
                                        ScaleByDpi(440, dpi));
        TFrameKeystrokeEdit single;
        TFrameKeystrokeList multiple;
        TFrameKeystrokeEditPanel singlePanel(single);
        TFrameKeystrokeListPanel multiplePanel(multiple);
        ASSERT_TRUE(singlePanel.CreatePanel(host.hwnd, 10, 10, dpi));
        ASSERT_TRUE(multiplePanel.CreatePanel(host.hwnd, 10, 90, dpi));
        single.SetKeystroke(L"111044CTRL+SHIFT+ALT+D");
        multiple.SetKeystrokeList(L"100020ALT+SPACE|00004EN");
        host.Activate();
        PumpFor(300);
        test::SaveWindowShot(host.hwnd, ShotPath(folder,
                                                 desktopDpi == 96 ? "keystroke-panels-on-96"
                                                                  : "keystroke-panels-on-other",
                                                 dpi));
    }
}

} // namespace
} // namespace fg
