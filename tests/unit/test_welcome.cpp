// The welcome and About windows on the fakes: the version labels, the welcome's pages and links,
// its first start, and both windows wired to the configuration, the store and the tray as start-up
// wires them.
#include "LogLines.h"
#include "MonitorWindows.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestures.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "platform/Errors.h"
#include "startup/UnitTrayWiring.h"
#include "startup/UnitWelcomeWiring.h"
#include "ui/UnitFrmAbout.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitFrmSysTrayMenu.h"
#include "ui/UnitFrmWelcome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace fg {
namespace {

constexpr int kVkEscape = 0x1B, kVkReturn = 0x0D, kVkSpace = 0x20;

// A native window as the fakes see it: a real window of the fake desktop, shown or hidden.
template <typename View> struct FakeView : View {
    explicit FakeView(fake::FakePlatform& os) : desktop(os.desktop) {
        handle = desktop.AddWindow(1, 5, false);
    }
    void Mirror() override { ++mirrors; }
    bool IsShowing() override { return desktop.Find(handle)->visible; }
    void Show() override { desktop.Find(handle)->visible = true; }
    void Hide() override { desktop.Find(handle)->visible = false; }
    HWindow Handle() override { return handle; }
    fake::FakeDesktop& desktop;
    HWindow handle = 0;
    int mirrors = 0;
};

bool Logged(const test::LogMark& mark, const std::wstring& message) {
    const auto messages = mark.Messages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

// --- About --------------------------------------------------------------------------------------

TEST(About, TheVersionLabelsComeFromTheExesVersionResource) {
    struct Case {
        bool hasVersion;
        std::array<std::uint16_t, 4> parts;
        const wchar_t* version;
        const wchar_t* build;
    };
    const Case cases[] = {
        {true, {1, 2, 3, 4}, L"1.2", L" build 3-4"},
        {true, {1, 0, 0, 1}, L"1.0", L" build 0-1"},
        {true, {65535, 65535, 65535, 65535}, L"65535.65535", L" build 65535-65535"},
        {false, {}, L"", L"lblBuild"},
    };
    for (const Case& c : cases) {
        fake::FakePlatform os;
        if (c.hasVersion) os.system.fileVersions[os.system.exePath] = c.parts;
        // Another file's version is not the program's.
        os.system.fileVersions[L"C:\\Other\\x.exe"] = {9, 9, 9, 9};
        test::LogMark mark;
        TFrmAbout about;
        about.FormCreate();
        EXPECT_EQ(about.lblVersion(), c.version);
        EXPECT_EQ(about.lblBuild(), c.build);
        EXPECT_TRUE(Logged(mark, L"FrmAbout - creating"));
    }
}

TEST(About, CloseEscapeAndEnterHideItAndTheLinkOpensTheAddress) {
    fake::FakePlatform os;
    FakeView<IAboutView> view(os);
    TFrmAbout about(&view);
    about.FormCreate();
    EXPECT_FALSE(about.Showing());

    about.ShowInFront();
    EXPECT_TRUE(about.Showing());
    EXPECT_EQ(os.desktop.foreground, view.handle);
    about.FormKeyUp(kVkSpace);
    EXPECT_TRUE(about.Showing());
    for (int key : {kVkEscape, kVkReturn}) {
        about.ShowInFront();
        about.FormKeyUp(key);
        EXPECT_FALSE(about.Showing()) << key;
    }
    about.ShowInFront();
    about.Button1Click();
    EXPECT_FALSE(about.Showing());

    about.lblURLClick();
    EXPECT_EQ(os.system.shellOpened, std::vector<std::wstring>{kAboutURL});
}

// --- Welcome ------------------------------------------------------------------------------------

// The Edit Gestures window's native side: it answers questions as the test says.
struct EditGesturesView : FakeView<IGesturesEditView> {
    using FakeView::FakeView;
    bool Confirm(const std::wstring& text) override {
        questions.push_back(text);
        return answer;
    }
    std::vector<std::wstring> questions;
    bool answer = false;
};

class Welcome : public ::testing::Test {
  protected:
    Welcome() {
        welcome.FormCreate();
        WireWelcome(config, welcome);
        editGestures = os.desktop.AddWindow(2, 5);
    }
    std::wstring SettingsPath() const { return GetDataPath() + L"defaults.ini"; }
    void Write(const std::wstring& name, const std::wstring& text) {
        os.files.SetText(GetDataPath() + name, text);
    }
    std::wstring Read(const std::wstring& name) const {
        return os.files.Text(GetDataPath() + name);
    }
    std::wstring WelcomeShown() {
        return os.files.ProfileRead(SettingsPath(), L"init", L"WelcomeShown", L"<missing>");
    }

    fake::FakePlatform os;
    TFrmConfig config;
    TGestureStore store;
    EditGesturesView editView{os};
    TFrmGesturesEdit editWindow{store, &editView, {}};
    HWindow editGestures = 0;
    int editGesturesShown = 0;
    FakeView<IWelcomeView> view{os};
    TfrmWelcome welcome{&view, WelcomeParts(config, editWindow, [this] {
                            ++editGesturesShown;
                            return editGestures;
                        })};
};

TEST_F(Welcome, EveryOpeningStartsOnGettingStartedWhateverPageWasReadLast) {
    EXPECT_EQ(welcome.Page(), wpGettingStarted);
    EXPECT_FALSE(welcome.Showing());
    for (int last : {wpPopup, wpExampleGesture, wpPermanent}) {
        welcome.ShowInFront();
        EXPECT_EQ(os.desktop.foreground, view.handle);
        welcome.pcHelpChange(last);
        EXPECT_EQ(welcome.Page(), last);
        // Asked again while open, it stays where the user is.
        welcome.ShowInFront();
        EXPECT_EQ(welcome.Page(), last);
        welcome.FormClose();
        EXPECT_FALSE(welcome.Showing());
        welcome.ShowInFront();
        EXPECT_EQ(welcome.Page(), wpGettingStarted) << "after page " << last;
        welcome.FormClose();
    }
    welcome.pcHelpChange(kWelcomePageCount);
    welcome.pcHelpChange(-1);
    EXPECT_EQ(welcome.Page(), wpGettingStarted);
}

TEST_F(Welcome, TheExampleLinkGreysItselfShowsTheHowToAndSavesTheGlobalGestureOnce) {
    EXPECT_TRUE(welcome.ExampleLinkEnabled());
    EXPECT_FALSE(welcome.HowToVisible());
    const int mirrors = view.mirrors;
    welcome.lblCreateExampleGestureClick();
    EXPECT_FALSE(welcome.ExampleLinkEnabled());
    EXPECT_TRUE(welcome.HowToVisible());
    EXPECT_GT(view.mirrors, mirrors);
    const std::wstring file = GetDataPath() + L"Gestures.ini";
    EXPECT_EQ(os.files.ProfileRead(file, L"A1", L"Action", L""), L"Farrowglimmer.exe|CONFIG");
    EXPECT_EQ(store.Global()->Find(L"[TOP]+DOWN")->gesture, L"A1");

    // A second click (the link is grey, but a message may still arrive) creates nothing again,
    // and the how-to stays after the window was closed and opened.
    os.files.Delete(file);
    welcome.lblCreateExampleGestureClick();
    EXPECT_FALSE(os.files.Exists(file));
    welcome.ShowInFront();
    welcome.FormClose();
    welcome.ShowInFront();
    EXPECT_TRUE(welcome.HowToVisible());
    EXPECT_FALSE(welcome.ExampleLinkEnabled());
}

// The example is added to the global file as it is now. The file the dispatcher read last is
// left as it is on disk, and a [TOP]+DOWN the user bound already is replaced only when the user
// says so (and its row keeps telling the truth until then).
TEST_F(Welcome, TheExampleAddsToTheGlobalFileAsItIsNowAndReplacesNothingUnasked) {
    const std::wstring notepad = L"Gestures_notepad.exe.ini";
    Write(notepad, L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    store.LoadGestures(notepad, true); // a gesture drawn over Notepad
    const std::wstring handEdited = L"[1]\r\nActionType=Keystroke\r\nAction=000042B\r\n";
    Write(notepad, handEdited);
    Write(L"Gestures.ini", L"[2]\r\nActionType=Keystroke\r\nAction=000043C\r\n");
    welcome.lblCreateExampleGestureClick();
    EXPECT_EQ(Read(notepad), handEdited);
    EXPECT_EQ(Read(L"Gestures.ini"), L"[2]\r\nActionType=Keystroke\r\nAction=000043C\r\n"
                                     L"[A1]\r\nActionType=Run Program / File\r\n"
                                     L"Action=Farrowglimmer.exe|CONFIG\r\n"
                                     L"[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_TRUE(editView.questions.empty());

    const std::wstring own = L"[A1]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                             L"[Settings]\r\ncbDisableAll=0\r\n";
    Write(L"Gestures.ini", own);
    const std::wstring question = L"The gesture [TOP]+DOWN already exists. Replace it?";
    editView.answer = false;
    welcome.Parts().createExampleGesture();
    EXPECT_EQ(editView.questions, std::vector<std::wstring>{question});
    EXPECT_EQ(Read(L"Gestures.ini"), own);
    using Row = TFrmGesturesEdit::TGestureRow;
    EXPECT_EQ(editWindow.Rows(), (std::vector<Row>{Row{L"[TOP]+DOWN", L"Keystroke", L"A"}}));

    editView.answer = true;
    welcome.Parts().createExampleGesture();
    EXPECT_EQ(editView.questions, (std::vector<std::wstring>{question, question}));
    EXPECT_EQ(Read(L"Gestures.ini"), L"[A1]\r\nActionType=Run Program / File\r\n"
                                     L"Action=Farrowglimmer.exe|CONFIG\r\n"
                                     L"[Settings]\r\ncbDisableAll=0\r\n");
    // The example bound already: nothing to ask.
    welcome.Parts().createExampleGesture();
    EXPECT_EQ(editView.questions.size(), 2u);
}

TEST_F(Welcome, TheOtherLinksOpenTheDrawingPageAndTheEditGesturesWindowInFront) {
    config.tvGroupClick(cpMisc);
    welcome.lblConfigureHotkeyClick();
    EXPECT_TRUE(config.Showing());
    EXPECT_EQ(config.Page(), cpGestureMethod);

    os.desktop.foreground = view.handle;
    welcome.lblEditGesturesClick();
    EXPECT_EQ(editGesturesShown, 1);
    EXPECT_EQ(os.desktop.foreground, editGestures);
}

TEST_F(Welcome, TheFirstStartShowsItOnceAndMarksItShownTheNextStartDoesNot) {
    config.FormCreate();
    EXPECT_TRUE(welcome.Showing());
    EXPECT_EQ(WelcomeShown(), L"1");
    welcome.FormClose();

    // The next start reads the mark.
    TFrmConfig next;
    TfrmWelcome nextWelcome(nullptr, WelcomeParts(next, editWindow, [] { return HWindow{0}; }));
    WireWelcome(next, nextWelcome);
    next.FormCreate();
    EXPECT_FALSE(nextWelcome.Showing());
    // The configuration's link still opens it.
    next.lblConfigureHotkeyClick();
    EXPECT_TRUE(nextWelcome.Showing());
    EXPECT_EQ(WelcomeShown(), L"1");
}

TEST_F(Welcome, AMissingPartStopsTheWiringAndNamesItself) {
    TfrmWelcome other(nullptr, WelcomeParts(config, editWindow, {}));
    try {
        other.CheckParts();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"The welcome window is missing its edit-gestures");
    }
}

// The tray as start-up wires it: its tip shows the About window's version label, and its "About"
// entry opens that window in front.
struct AnyTray : ITrayIconView {
    bool AddIcon(int, const std::wstring& t) override {
        tip = t;
        return true;
    }
    bool ModifyIcon(int, const std::wstring&) override { return true; }
    void DeleteIcon() override {}
    void ShowMenuOwner(bool) override {}
    std::wstring tip;
};

TEST(AboutInTheTray, TheTipTakesTheAboutWindowsVersionAndTheEntryOpensIt) {
    fake::FakePlatform os;
    os.system.fileVersions[os.system.exePath] = {3, 7, 0, 12};
    FakeView<IAboutView> view(os);
    TFrmAbout about(&view);
    about.FormCreate();
    AnyTray icon;
    test::MonitorWindows made(os);
    TFrmMouseMonitor& monitor = made.monitor;
    EXPECT_THROW(TfrmSysTrayMenu(icon, 0, about.lblVersion(),
                                 SysTrayParts(monitor, {.showDebug = [] {},
                                                        .showConfiguration = [] {},
                                                        .exitProgram = [] {}}))
                     .CheckParts(),
                 TUserError);
    TfrmSysTrayMenu tray(icon, 0, about.lblVersion(),
                         SysTrayParts(monitor, {.showDebug = [] {},
                                                .showConfiguration = [] {},
                                                .exitProgram = [] {},
                                                .showEditGestures = [] {},
                                                .showAbout = [&about] { about.ShowInFront(); }}));
    EXPECT_EQ(icon.tip, L"Farrowglimmer v3.7");
    // Some other program has the foreground when the tray's menu is used.
    os.desktop.foreground = os.desktop.AddWindow(7, 70);
    os.desktop.pick = {L"About"};
    tray.WMTrayIcon(traymsg::RBUTTONDOWN);
    EXPECT_TRUE(about.Showing());
    EXPECT_EQ(os.desktop.foreground, view.handle);
}

} // namespace
} // namespace fg
