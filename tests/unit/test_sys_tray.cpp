// The tray: its icon through Scroll Lock and the taskbar's re-creation, the clicks on it, the
// tray menu, and the two lists it writes when it goes.
#include "LogLines.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "ui/UnitFrmSysTrayMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace fg {
namespace {

// The notification area as the shell keeps it: the icon's picture and tip, or none.
struct FakeTray : ITrayIconView {
    struct Call {
        char action; // 'A'dd, 'M'odify, 'D'elete
        int picture;
        std::wstring tip;
        bool operator==(const Call&) const = default;
    };
    bool AddIcon(int picture, const std::wstring& tip) override {
        calls.push_back({'A', picture, tip});
        return !refuse;
    }
    bool ModifyIcon(int picture, const std::wstring& tip) override {
        calls.push_back({'M', picture, tip});
        return !refuse;
    }
    void DeleteIcon() override { calls.push_back({'D', -1, L""}); }
    // The tray's window shown (with no size) or hidden again, as the desktop sees it.
    void ShowMenuOwner(bool shown) override {
        if (fake::FakeWindow* w = desktop ? desktop->Find(window) : nullptr) w->visible = shown;
    }
    std::vector<Call> calls;
    bool refuse = false;
    fake::FakeDesktop* desktop = nullptr;
    HWindow window = 0;
};

class SysTray : public ::testing::Test {
  protected:
    SysTray() {
        ownWindow = os.desktop.AddWindow(os.desktop.ownThread, 5, false);
        notepad = os.desktop.AddWindow(7, 70);
        os.desktop.foreground = notepad;
        view.desktop = &os.desktop;
        view.window = ownWindow;
    }

    // The tray with `parts`, as a test may have changed them.
    TfrmSysTrayMenu& Create(const std::wstring& version = L"1.0") {
        tray = std::make_unique<TfrmSysTrayMenu>(view, ownWindow, version, parts);
        return *tray;
    }
    void ScrollLock() {
        os.input.Press(vk::SCROLL);
        os.input.Release(vk::SCROLL);
    }
    std::wstring Path(const wchar_t* name) { return GetDataPath() + name; }

    fake::FakePlatform os;
    FakeTray view;
    HWindow ownWindow = 0;
    HWindow notepad = 0;
    std::unique_ptr<TfrmSysTrayMenu> tray;
    std::vector<bool> monitor;
    std::vector<std::wstring> opened;
    TSysTrayParts parts{.setMonitorEnabled = [this](bool on) { monitor.push_back(on); },
                        .openConfiguration = [this] { opened.push_back(L"configuration"); },
                        .openEditGestures = [this] { opened.push_back(L"edit gestures"); },
                        .openAbout = [this] { opened.push_back(L"about"); },
                        .showDebug = [this] { opened.push_back(L"debug"); },
                        .exitProgram = [this] { opened.push_back(L"exit"); }};
};

using Call = FakeTray::Call;
constexpr int kNormal = TfrmSysTrayMenu::kIconNormal;
constexpr int kSuspended = TfrmSysTrayMenu::kIconSuspended;
const std::wstring kTip = L"Farrowglimmer v1.0";

TEST_F(SysTray, CreationAddsTheNormalIconWithTheVersionTip) {
    test::LogMark mark;
    Create();
    EXPECT_EQ(view.calls, (std::vector<Call>{{'A', kNormal, kTip}}));
    EXPECT_EQ(mark.Messages(), (std::vector<std::wstring>{L"SystemTrayIcon - creating"}));
}

TEST_F(SysTray, ALongTipIsCutTo127Characters) {
    Create(std::wstring(200, L'9'));
    ASSERT_EQ(tray->TipText().size(), 127u);
    EXPECT_EQ(view.calls.at(0).tip, L"Farrowglimmer v" + std::wstring(112, L'9'));
    tray.reset();
    Create(L"");
    EXPECT_EQ(view.calls.back(), (Call{'A', kNormal, L""}));
}

TEST_F(SysTray, ScrollLockSuspendsTheMonitorAndTheIconWithinATick) {
    Create();
    os.clock.Advance(1300);
    EXPECT_EQ(monitor, std::vector<bool>{}) << "nothing to switch while gestures are on";
    EXPECT_EQ(view.calls.size(), 1u) << "the icon the shell shows is already the right one";

    ScrollLock();
    os.clock.Advance(1299);
    EXPECT_TRUE(monitor.empty());
    os.clock.Advance(1);
    EXPECT_EQ(monitor, std::vector<bool>{false});
    EXPECT_EQ(view.calls.back(), (Call{'M', kSuspended, kTip}));
    EXPECT_EQ(tray->CurrentIconIndex(), kSuspended);

    // While it stays on, every tick switches polling off again (a pop-up may have switched it
    // on) but leaves the shell alone.
    os.clock.Advance(2600);
    EXPECT_EQ(monitor, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(view.calls.size(), 2u);

    ScrollLock();
    os.clock.Advance(1300);
    EXPECT_EQ(monitor.back(), true);
    EXPECT_EQ(view.calls.back(), (Call{'M', kNormal, kTip}));
    EXPECT_EQ(tray->CurrentIconIndex(), kNormal);
    os.clock.Advance(1300);
    EXPECT_EQ(monitor.size(), 4u) << "switched on once, not at every tick";
}

TEST_F(SysTray, ARecreatedTaskbarGetsTheIconBackAndTheNextTickCorrectsIt) {
    Create();
    ScrollLock();
    os.clock.Advance(1300);
    tray->TaskbarCreated();
    EXPECT_EQ(view.calls.back(), (Call{'A', kNormal, kTip}));
    EXPECT_EQ(tray->CurrentIconIndex(), kSuspended);
    os.clock.Advance(1300);
    EXPECT_EQ(view.calls.back(), (Call{'M', kSuspended, kTip}));
}

TEST_F(SysTray, AChangeTheShellRefusedIsTriedAgainAtTheNextTick) {
    Create();
    ScrollLock();
    view.refuse = true;
    os.clock.Advance(1300);
    view.refuse = false;
    os.clock.Advance(1300);
    EXPECT_EQ(view.calls,
              (std::vector<Call>{
                  {'A', kNormal, kTip}, {'M', kSuspended, kTip}, {'M', kSuspended, kTip}}));
}

TEST_F(SysTray, ClicksOnTheIcon) {
    struct {
        std::uint32_t message;
        bool shift;
        std::vector<std::wstring> opened;
        std::size_t menus;
    } const cases[] = {
        {traymsg::LBUTTONDBLCLK, false, {L"edit gestures"}, 0},
        {traymsg::RBUTTONDOWN, false, {}, 1},
        // The way in to the debug window: a right double click never arrives as one, since its
        // first press opens the menu, which takes the second.
        {traymsg::RBUTTONDOWN, true, {L"debug"}, 0},
        {traymsg::RBUTTONDBLCLK, false, {L"debug"}, 0},
        {traymsg::LBUTTONDOWN, false, {}, 0},
        {traymsg::LBUTTONUP, false, {}, 0},
        {traymsg::RBUTTONUP, false, {}, 0},
        {traymsg::MOUSEMOVE, false, {}, 0},
    };
    Create();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + (c.shift ? 0x10000u : 0u));
        opened.clear();
        os.desktop.popups.clear();
        if (c.shift) os.input.Press(vk::SHIFT);
        tray->WMTrayIcon(c.message);
        if (c.shift) os.input.Release(vk::SHIFT);
        EXPECT_EQ(opened, c.opened);
        EXPECT_EQ(os.desktop.popups.size(), c.menus);
    }
}

TEST_F(SysTray, TheMenuOpensBesideTheCursorWithItsPictures) {
    Create();
    os.input.cursor = {1800, 1070};
    test::LogMark mark;
    tray->WMTrayIcon(traymsg::RBUTTONDOWN);
    ASSERT_EQ(os.desktop.popups.size(), 1u);
    const auto& menu = os.desktop.popups[0];
    EXPECT_EQ(menu.captions,
              (std::vector<std::wstring>{L"&Configure ...", L"-", L"Edit Gestures ...", L"-",
                                         L"About", L"Exit Farrowglimmer"}));
    EXPECT_EQ(menu.pictureSizes, (std::vector<int>{16, 0, 16, 0, 0, 0}));
    EXPECT_EQ(menu.at, (TPoint{1805, 1066}));
    EXPECT_EQ(menu.owner, ownWindow);
    EXPECT_EQ(os.desktop.foreground, ownWindow) << "the menu closes when the user clicks away";
    EXPECT_EQ(mark.Messages(), (std::vector<std::wstring>{L"WMTrayIcon right button ",
                                                          L">>tray popup", L">>tray popup done"}));
    EXPECT_FALSE(tray->PopupShowing());
}

TEST_F(SysTray, TheKeyboardWorksTheMenuAndTheTrayWindowHidesAfterIt) {
    Create();
    tray->WMTrayIcon(traymsg::RBUTTONDOWN);
    ASSERT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_TRUE(os.desktop.popups[0].keysReach) << "the arrows and Enter would be lost";
    EXPECT_FALSE(os.desktop.IsVisible(ownWindow)) << "the tray's window shows after the menu";
}

TEST_F(SysTray, TheMenuPicturesFollowTheDpiAtTheCursor) {
    os.desktop.monitorDpi = {144};
    Create();
    tray->ShowPopup();
    ASSERT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_EQ(os.desktop.popups[0].pictureSizes[0], 24);
    EXPECT_EQ(os.desktop.popups[0].pictureSizes[2], 24);
}

TEST_F(SysTray, EachEntryRunsItsAction) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"&Configure ...", L"configuration"},
        {L"Edit Gestures ...", L"edit gestures"},
        {L"About", L"about"},
        {L"Exit Farrowglimmer", L"exit"},
    };
    Create();
    for (const auto& [caption, action] : cases) {
        opened.clear();
        os.desktop.pick = {caption};
        tray->ShowPopup();
        EXPECT_EQ(opened, std::vector<std::wstring>{action}) << caption;
    }
}

// With timing marks on, an entry's pick is stamped before its window opens: the bench that
// times opening the configuration window measures from this stamp.
TEST_F(SysTray, APickIsStampedBeforeItsWindowOpens) {
    parts.openConfiguration = [] { AppendLog(L"configuration opens"); };
    Create();
    SetTimingMarks(true);
    os.desktop.pick = {L"&Configure ..."};
    test::LogMark mark;
    tray->ShowPopup();
    SetTimingMarks(false);
    const std::vector<std::wstring> lines = mark.Messages();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], L"[Timing] tray menu picked 1000.000 ms");
    EXPECT_EQ(lines[3], L"configuration opens");
}

TEST_F(SysTray, AWindowOpensOnlyWhenTheForegroundsInputCanBeJoined) {
    Create();
    os.desktop.attachFails = true;
    os.desktop.pick = {L"About"};
    tray->ShowPopup(); // the menu made the tray's own window the foreground: no join needed
    EXPECT_EQ(opened, std::vector<std::wstring>{L"about"});
    opened.clear();
    os.desktop.foreground = notepad;
    tray->WMTrayIcon(traymsg::LBUTTONDBLCLK);
    EXPECT_TRUE(opened.empty());
}

TEST_F(SysTray, ASecondRightPressWhileTheMenuIsUpIsIgnored) {
    parts.openAbout = [this] {
        tray->WMTrayIcon(traymsg::RBUTTONDOWN);
        throw TUserError(L"failed");
    };
    Create();
    os.desktop.pick = {L"About"};
    EXPECT_THROW(tray->ShowPopup(), TUserError);
    EXPECT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_FALSE(tray->PopupShowing()) << "an action that failed leaves the menu usable";
}

TEST_F(SysTray, MissingPartsAreNamed) {
    parts.openAbout = nullptr;
    parts.exitProgram = nullptr;
    Create();
    try {
        tray->CheckParts();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"The system tray is missing its about exit");
    }
}

TEST_F(SysTray, GoingRemovesTheIconAndWritesBothLists) {
    // UTF-16 LE with its mark, a line without "=" among the entries.
    const std::vector<std::uint8_t> disabled = {0xFF, 0xFE, 'n', 0,   '=', 0,    '1', 0,    '\r',
                                                0,    '\n', 0,   '#', 0,   '\r', 0,   '\n', 0};
    os.files.files[Path(L"disabled.ini")] = disabled;
    Create();
    EXPECT_TRUE(tray->IsDisabledEXE(L"N"));
    EXPECT_FALSE(tray->IsNoRightClickEXE(L"n"));
    tray.reset();
    EXPECT_EQ(view.calls.back(), (Call{'D', -1, L""}));
    EXPECT_EQ(os.files.files[Path(L"disabled.ini")], disabled);
    ASSERT_TRUE(os.files.Exists(Path(L"noright.ini")));
    EXPECT_TRUE(os.files.files[Path(L"noright.ini")].empty());
}

TEST_F(SysTray, TogglesReachTheFilesWhenTheTrayGoes) {
    Create();
    tray->ToggletDisabledEXE(L"notepad.exe");
    tray->ToggleNoRightClickEXE(L"calc.exe");
    tray->ToggleNoRightClickEXE(L"calc.exe");
    EXPECT_TRUE(tray->IsDisabledEXE(L"NOTEPAD.EXE"));
    EXPECT_FALSE(os.files.Exists(Path(L"disabled.ini")));
    tray.reset();
    EXPECT_EQ(os.files.Text(Path(L"disabled.ini")), L"notepad.exe=1\r\n");
    EXPECT_EQ(os.files.Text(Path(L"noright.ini")), L"");
}

} // namespace
} // namespace fg
