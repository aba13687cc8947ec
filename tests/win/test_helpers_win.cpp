// The window, process and folder helpers against the real system.
#include "app/UnitFocusManager.h"
#include "app/UnitMisc.h"
#include "app/UnitSpecialPaths.h"

#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace fg {
namespace {

using test::H;

HWND MakeWindow(const wchar_t* title, bool visible) {
    HWND h = CreateWindowExW(0, L"STATIC", title, WS_POPUP | WS_CAPTION, 100, 100, 200, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (visible) ShowWindow(h, SW_SHOWNORMAL);
    return h;
}

TEST(WindowHelpers, ExecutableNameComesFromTheProcessSnapshot) {
    HWND own = MakeWindow(L"own", false);
    EXPECT_EQ(AsciiLower(GetWindowEXEName(H(own))), L"win_tests.exe");
    EXPECT_EQ(GetWindowEXEName(0), L"");
    DestroyWindow(own);
    // A window that no longer exists belongs to no process.
    EXPECT_EQ(GetWindowEXEName(H(own)), L"");
}

TEST(WindowHelpers, ForegroundAndZOrder) {
    HWND below = MakeWindow(L"below", true);
    HWND hidden = MakeWindow(L"hidden", false);
    HWND top = MakeWindow(L"top", true);
    ASSERT_TRUE(TFocusManager::ForceForeground(H(below)));
    ASSERT_TRUE(TFocusManager::ForceForeground(H(top)));
    EXPECT_EQ(GetForegroundHandle(), H(top));
    // The hidden window may sit anywhere in the z-order; it is never the answer.
    HWindow next = GetNextVisibleWindow(0);
    EXPECT_NE(next, H(hidden));
    EXPECT_EQ(next, H(below));
    EXPECT_TRUE(TFocusManager::ForceForeground(H(top))); // already in front

    ShowWindow(below, SW_MINIMIZE);
    EXPECT_TRUE(TFocusManager::ForceForeground(H(below)));
    EXPECT_FALSE(IsIconic(below));
    for (HWND h : {below, hidden, top})
        DestroyWindow(h);
}

TEST(WindowHelpers, AttachingToOwnThreadNeedsNoAttachment) {
    HWND own = MakeWindow(L"own", false);
    EXPECT_TRUE(AttachToWindowThread(H(own)));
    DetachFromWindowThread();
    DestroyWindow(own);
}

TEST(WindowHelpers, DataPathIsTheExecutablesFolder) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.erase(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(GetDataPath(), folder);
}

TEST(WindowHelpers, EnvironmentExpansionIsNeverCutShort) {
    SetEnvironmentVariableW(L"FG_LONG", std::wstring(600, L'x').c_str());
    EXPECT_EQ(ExpandEnvVars(L"a%FG_LONG%b"), L"a" + std::wstring(600, L'x') + L"b");
    EXPECT_EQ(ExpandEnvVars(L"plain text"), L"plain text");
}

// Where the open menu stands, read by a timer of the menu's own loop, which then closes it.
RECT openMenu{};
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, MAKEINTATOM(0x8000), nullptr)))
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == GetCurrentThreadId())
            break;
    if (!menu) return;
    GetWindowRect(menu, &openMenu);
    KillTimer(nullptr, id);
    EndMenu();
}

TEST(WindowHelpers, PopupMenuAtButtonOpensAtTheButtonsTopRightCorner) {
    HWND form = MakeWindow(L"form", true);
    HWND button = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE, 20, 10, 60, 24, form,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    POINT corner{60, 0};
    ClientToScreen(button, &corner);
    bool clicked = false;
    openMenu = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseMenu);
    PopupMenuAtButton(H(button), {{.caption = L"One", .onClick = [&] { clicked = true; }}});
    KillTimer(nullptr, timer);
    EXPECT_EQ(openMenu.left, corner.x);
    EXPECT_EQ(openMenu.top, corner.y);
    EXPECT_FALSE(clicked); // closed without a pick
    DestroyWindow(form);
}

TEST(SpecialPaths, ShellFoldersResolve) {
    EXPECT_NE(SpecialPaths.GetDesktop(), L"");
    EXPECT_NE(SpecialPaths.GetMyDocs(), L"");
    EXPECT_NE(SpecialPaths.GetStartMenu(), L"");
    EXPECT_NE(SpecialPaths.GetCommonStartupPath(), L"");
    const std::wstring common = SpecialPaths.GetCommonStartupPath();
    const std::size_t at = common.find(L"All Users");
    EXPECT_EQ(SpecialPaths.GetProfiles(),
              at == std::wstring::npos ? std::wstring() : common.substr(0, at));
}

} // namespace
} // namespace fg
