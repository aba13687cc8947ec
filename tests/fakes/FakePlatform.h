// Fakes of the platform seam that behave like a small Windows desktop on virtual time: windows with
// a z-order, owners' threads and processes, a foreground window, monitors with bounds, a last-error
// slot, named mutexes and an in-memory file system.
#pragma once

#include "platform/Platform.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fg::fake {

class FakeFileSystem;

class FakeClock : public IClock {
  public:
    std::uint32_t TickCount() override { return now; }
    // A sleep moves virtual time; it fires no timer (the thread is blocked).
    void Sleep(std::uint32_t ms) override;
    std::wstring LocalTimeText() override;
    TimerId AddTimer(std::function<void()> onTimer) override;
    void SetTimer(TimerId id, bool enabled, std::uint32_t intervalMs) override;
    void RemoveTimer(TimerId id) override { timers.erase(id); }

    // Moves virtual time forward, firing every timer that falls due on the way, in order.
    void Advance(std::uint32_t ms);
    // Fires the timers that are due now, as a message pump would.
    void FireDueTimers() { RunDue(now); }
    bool TimerEnabled(TimerId id) const;
    std::uint32_t TimerInterval(TimerId id) const;
    // Timers added and not removed yet: what a long run must keep flat.
    std::size_t LiveTimers() const { return timers.size(); }

    std::uint32_t now = 1000;
    std::uint32_t slept = 0; // total virtual time spent in Sleep
    int sleeps = 0;
    std::uint32_t timeOfDayMs = (14 * 3600 + 3 * 60 + 7) * 1000u; // at now == start
    std::uint32_t startTick = 1000;

  private:
    struct Timer {
        std::function<void()> onTimer;
        bool enabled = false;
        std::uint32_t interval = 0;
        std::uint32_t due = 0;
    };
    void RunDue(std::uint32_t upTo);
    std::map<TimerId, Timer> timers;
    TimerId lastId = 0;
};

// The keyboard and mouse of the fake desktop: key events change the key state as the system's
// would, and every event is kept with its virtual time.
class FakeInput : public IInput {
  public:
    explicit FakeInput(FakeClock& c) : clock(c) {}
    bool ButtonDown(int vkButton) override;
    bool KeyDown(int vkKey) override { return (state[vkKey & 0xFF] & 0x80) != 0; }
    bool KeyToggled(int vkKey) override { return (state[vkKey & 0xFF] & 0x01) != 0; }
    bool ButtonsSwapped() override { return swapped; }
    TPoint CursorPos() override { return cursor; }
    void KeyEvent(std::uint8_t vkKey, std::uint8_t scan, std::uint32_t flags) override;
    std::int16_t CharToVirtualKey(wchar_t c) override;
    std::uint32_t MapKey(std::uint32_t code, std::uint32_t mapType) override;
    bool GetKeyboardState(std::array<std::uint8_t, 256>& out) override;
    bool SetKeyboardState(const std::array<std::uint8_t, 256>& in) override;

    // Presses or releases a key or button as the user would.
    void Press(int vkKey);
    void Release(int vkKey);

    struct Event {
        std::uint8_t vk;
        std::uint8_t scan;
        std::uint32_t flags;
        std::uint32_t time;
        bool operator==(const Event&) const = default;
    };
    FakeClock& clock;
    std::array<std::uint8_t, 256> state{};
    std::vector<Event> events;
    // The user lets go of the secondary button (the right one, the left one when swapped) at this
    // virtual time: a wait that only sleeps (the chord's) sees it as well as one that handles
    // messages.
    std::optional<std::uint32_t> rightUpAt;
    TPoint cursor{960, 540};
    // As on Windows, the state of each key is the physical button's, swapped or not (so is
    // Press); only the messages programs get follow the setting.
    bool swapped = false;
    int SecondaryKey() const { return swapped ? vk::LBUTTON : vk::RBUTTON; }
    int PrimaryKey() const { return swapped ? vk::RBUTTON : vk::LBUTTON; }
};

struct FakeWindow {
    HWindow handle = 0;
    std::uint32_t threadId = 0;
    std::uint32_t processId = 0;
    bool visible = true;
    bool minimized = false;
    std::wstring className;
    TRect rect{100, 100, 900, 700};
    bool maximized = false;
};

class FakeDesktop : public IDesktop {
  public:
    explicit FakeDesktop(FakeClock& c) : clock(c) {}

    // Adds a window on top of the z-order.
    HWindow AddWindow(std::uint32_t threadId, std::uint32_t processId, bool visible = true,
                      const std::wstring& className = L"");
    FakeWindow* Find(HWindow h);
    std::size_t LiveWindows() const { return zorder.size(); }

    HWindow ForegroundWindow() override;
    HWindow DesktopWindow() override { return kDesktop; }
    HWindow NextWindow(HWindow h) override;
    HWindow TopLevelAt(TPoint p) override;
    bool IsVisible(HWindow h) override;
    bool IsMinimized(HWindow h) override;
    void Restore(HWindow h) override;
    void BringToTop(HWindow h) override;
    bool SetForeground(HWindow h) override;
    HWindow FindTopLevelByClass(const std::wstring& className) override;
    std::uint32_t WindowThreadId(HWindow h) override;
    std::uint32_t WindowProcessId(HWindow h) override;
    std::uint32_t CurrentThreadId() override { return ownThread; }
    bool AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) override;
    // One focus for the desktop: the control answers for its own thread only.
    HWindow FocusedControl(HWindow h) override {
        return focus != 0 && WindowThreadId(focus) == WindowThreadId(h) ? focus : 0;
    }
    void SetFocus(HWindow control) override { focus = control; }
    std::uint32_t ForegroundLockTimeout() override { return lockTimeout; }
    void SetForegroundLockTimeout(std::uint32_t ms) override;
    bool WindowRect(HWindow h, TRect& r) override;
    bool WindowMaximized(HWindow h, bool& maximized) override;
    // A window's client area is its whole rectangle.
    bool ClientToScreen(HWindow h, TPoint& p) override;
    TPoint ClientSize(HWindow h) override;
    // Records the menu and where it opened, then picks the entry whose captions (from the top
    // level down) are `pick`, when there is one and it is enabled.
    void PopupMenu(const TPopupMenu& menu, TPoint at, HWindow owner) override;
    bool MonitorNearest(TPoint p, TRect& bounds) override;
    bool MonitorNearestRect(const TRect& r, TRect& bounds) override;
    TRect PrimaryMonitor() override { return monitors.empty() ? TRect{} : monitors.front(); }
    bool MonitorWorkArea(TPoint p, TRect& work) override;
    // The size of the rectangle around all monitors, as the system's metrics give it: with a
    // monitor left of or above the primary it reaches past every monitor's right or bottom edge.
    TPoint VirtualScreenSize() override;
    // A colour the scheme does not name reads as black, as an unknown index does on Windows.
    TColor SysColor(SystemColor element) override {
        const auto it = sysColors.find(element);
        return it == sysColors.end() ? clBlack : it->second;
    }
    int MonitorDpi(TPoint p) override;
    // Pumping messages fires the timers that are due.
    void ProcessMessages() override {
        ++pumps;
        clock.FireDueTimers();
    }
    bool Terminating() override { return terminating; }
    void SendCopyData(HWindow h, const void* data, std::uint32_t size) override;
    bool SetClipboardText(const std::wstring& text) override;
    bool ClearClipboard() override;
    bool ClipboardText(std::wstring& text) override;
    HWindow FindPopupMenu() override {
        for (const FakeWindow& w : zorder)
            if (w.className == L"#32768" && w.visible) return w.handle;
        return 0;
    }
    // A closed window is gone from the screen.
    void SendClose(HWindow h) override {
        closed.push_back(h);
        if (FakeWindow* w = Find(h)) w->visible = false;
    }
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
    // Records where the dialog opened and answers fileDialogChoice: a path, or cancelled when
    // there is none.
    bool OpenFileDialog(HWindow owner, const std::wstring& initialFolder,
                        const std::wstring& filter, std::wstring& chosen) override {
        fileDialogs.push_back({owner, initialFolder, filter});
        if (fileDialogChoice.empty()) return false;
        chosen = fileDialogChoice;
        return true;
    }

    static constexpr HWindow kDesktop = 0x10010;
    FakeClock& clock;
    std::vector<FakeWindow> zorder; // index 0 is the top
    HWindow foreground = 0;
    HWindow focus = 0;
    // Foreground asks that still answer 0 before the real foreground shows (-1: always 0).
    int foregroundNullAsks = 0;
    int foregroundAsks = 0;
    // While true, SetForeground only succeeds with the lock timeout at 0.
    bool foregroundLocked = false;
    std::uint32_t lockTimeout = 200000;
    std::vector<std::uint32_t> lockTimeoutWrites;
    std::uint32_t ownThread = 1;
    std::set<std::pair<std::uint32_t, std::uint32_t>> attached;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> attachCalls;
    bool attachFails = false;
    std::vector<TRect> monitors{TRect{0, 0, 1920, 1080}};
    // The DPI of monitors[i]; a monitor without an entry has 96.
    std::vector<int> monitorDpi;
    // The work area of monitors[i]; a monitor without an entry has no taskbar on it.
    std::vector<TRect> workAreas;
    // The colour scheme; Windows' default unless a test changes it.
    std::map<SystemColor, TColor> sysColors{{SystemColor::ButtonFace, RGB_(240, 240, 240)}};
    int pumps = 0;
    bool terminating = false;
    struct CopyData {
        HWindow target;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<CopyData> copyData;
    std::wstring clipboard;
    bool clipboardSet = false;
    bool clipboardLocked = false; // another program holds it open
    std::vector<HWindow> closed;
    std::vector<std::wstring> messageBoxes;
    struct Popup {
        std::vector<std::wstring> captions; // of the top level
        std::vector<int> pictureSizes;      // width of each entry's picture, 0 for none
        TPoint at;
        HWindow owner;
        // Whether the keyboard works the menu: only through its owner, in front and shown.
        // Under Wine a hidden window in front gets no keys from the real keyboard, so the arrows
        // and Enter would be lost.
        bool keysReach = false;
    };
    std::vector<Popup> popups;
    std::vector<std::wstring> pick;
    std::function<void()> whilePoppedUp; // runs while each menu is open, before the pick
    struct FileDialog {
        HWindow owner;
        std::wstring initialFolder, filter;
        bool operator==(const FileDialog&) const = default;
    };
    std::vector<FileDialog> fileDialogs;
    std::wstring fileDialogChoice;

  private:
    std::size_t NearestMonitor(TPoint p) const; // monitors must not be empty
    HWindow nextHandle = 0x20000;
};

class FakeSystem : public ISystem {
  public:
    std::uint32_t LastError() override { return lastError; }
    void SetLastError(std::uint32_t code) override { lastError = code; }
    std::wstring ErrorText(std::uint32_t code) override;
    bool ProcessSnapshot(std::vector<ProcessEntry>& out) override;
    bool ExpandEnvironment(const std::wstring& text, std::wstring& out) override;
    bool DebuggerPresent() override { return debugger; }
    std::wstring ExecutablePath() override { return exePath; }
    MutexResult CreateOwnedMutex(const std::wstring& name) override;
    std::wstring SpecialFolder(int csidl) override;
    std::wstring AnsiToWide(const std::string& text) override;
    std::string WideToAnsi(const std::wstring& text) override;
    wchar_t DecimalSeparator() override { return decimalSeparator; }
    bool RunValue(const std::wstring& name, std::wstring& value) override;
    bool SetRunValue(const std::wstring& name, const std::wstring& value) override;
    bool DeleteRunValue(const std::wstring& name) override;
    bool GlobalMemoryText(std::uintptr_t handle, std::wstring& out) override;
    std::intptr_t ShellOpen(HWindow owner, const std::wstring& file) override;
    bool StartProcess(const std::wstring& commandLine, std::uint32_t creationFlags, bool wait,
                      std::uint32_t& error) override;
    bool FileVersion(const std::wstring& path, std::uint16_t parts[4]) override;

    struct Started {
        std::wstring commandLine;
        std::uint32_t flags;
        bool wait;
        bool operator==(const Started&) const = default;
    };
    std::vector<std::wstring> shellOpened;
    std::intptr_t shellAnswer = 42; // above 32: opened
    // A process starts only when the program its command line names is a file of `files`, found
    // the way the system finds it: an unquoted line is tried up to each blank in turn, so
    // "C:\Program Files\x.exe" runs "C:\Program.exe" when that exists. Otherwise starting fails
    // with 2 (file not found), as it does on Windows.
    std::vector<Started> started;
    std::vector<std::wstring> ran; // the program file each start ran
    std::uint32_t startError = 0;  // non-zero: starting fails with this code
    FakeFileSystem* files = nullptr;

    std::uint32_t lastError = 0;
    std::map<std::uint32_t, std::wstring> errorTexts{
        {0, L"The operation completed successfully.\r\n"}, {2, L"File not found.\r\n"}};
    std::vector<ProcessEntry> processes;
    bool snapshotFails = false;
    int snapshots = 0;
    std::map<std::wstring, std::wstring> environment;
    bool debugger = false;
    std::wstring exePath = L"C:\\Tools\\Farrowglimmer.exe";
    std::set<std::wstring> mutexes;
    bool mutexFails = false;
    std::map<int, std::wstring> specialFolders;
    std::map<std::uintptr_t, std::wstring> globalMemory;
    wchar_t decimalSeparator = L'.';
    std::map<std::wstring, std::wstring> runValues; // the Run key; names compare as stored
    bool registryFails = false;                     // writes and deletes are refused
    // The version resources of executables by path; a path not listed has none.
    std::map<std::wstring, std::array<std::uint16_t, 4>> fileVersions;
};

class FakeFileSystem : public IFileSystem {
  public:
    bool Exists(const std::wstring& path) override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
    bool Move(const std::wstring& from, const std::wstring& to) override;
    // Fails like Move does (moveFails), and when `to` is read-only.
    bool Replace(const std::wstring& from, const std::wstring& to) override;
    bool WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                  std::wstring& error) override;
    bool ReadAll(const std::wstring& path, std::vector<std::uint8_t>& bytes) override;
    bool Delete(const std::wstring& path) override {
        return !InReadOnlyFolder(path) && files.erase(path) != 0;
    }
    // The fake's stamp is a hash of the contents: it changes exactly when they do. With
    // coarseStamps it is the size alone, as on a file system whose write times are coarse (FAT32
    // keeps them to 2 s): a rewrite of the same size within that time leaves the stamp as it was.
    bool Stamp(const std::wstring& path, std::uint64_t& stamp) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        stamp = 1469598103934665603ull;
        if (!coarseStamps)
            for (std::uint8_t b : it->second)
                stamp = (stamp ^ b) * 1099511628211ull;
        stamp ^= it->second.size();
        return true;
    }
    std::vector<FoundFile> FindFiles(const std::wstring& folder,
                                     const std::wstring& pattern) override;

    // Profile files live in the same file map, parsed and written the way the system's routines
    // treat them: names compare without case, new keys and sections go last, blanks around keys
    // and values are dropped. Their encoding is the system's too: a file that begins with the
    // UTF-16LE byte-order mark is Unicode and stays so; any other file, and every file the
    // routines create, is 8-bit text in the ANSI code page (the fake's is Latin-1, as
    // FakeSystem's), where a character the code page cannot hold is written as "?".
    std::wstring ProfileRead(const std::wstring& path, const std::wstring& section,
                             const std::wstring& key, const std::wstring& def) override;
    bool ProfileWrite(const std::wstring& path, const std::wstring& section,
                      const std::wstring& key, const std::wstring& value) override;
    std::vector<std::wstring> ProfileSectionNames(const std::wstring& path) override;
    std::vector<std::wstring> ProfileKeyNames(const std::wstring& path,
                                              const std::wstring& section) override;
    // A file's text as the profile routines read it, and storing one as a user's editor would:
    // SetText in the ANSI code page (losing what it cannot hold), SetUnicodeText as UTF-16LE with
    // its byte-order mark.
    std::wstring Text(const std::wstring& path) const;
    void SetText(const std::wstring& path, const std::wstring& text);
    void SetUnicodeText(const std::wstring& path, const std::wstring& text);
    bool IsUnicode(const std::wstring& path) const;

    std::map<std::wstring, std::vector<std::uint8_t>> files;
    std::set<std::wstring> readOnly; // paths that cannot be written
    // Folders (with their trailing backslash) in which no file can be made, written, replaced,
    // moved or deleted, as a folder the user has no write access to.
    std::set<std::wstring> readOnlyFolders;
    std::set<std::wstring> folders; // folders: they exist, yet are no file
    bool moveFails = false;
    bool coarseStamps = false;
    int profileReads = 0;  // values read through the profile routines
    int profileWrites = 0; // values written through them, refused ones too

  private:
    bool InReadOnlyFolder(const std::wstring& path) const;
    bool Refused(const std::wstring& path) const {
        return readOnly.count(path) != 0 || InReadOnlyFolder(path);
    }
};

// Owns one fake of each service and installs them for its lifetime.
class FakePlatform {
  public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeClock clock;
    FakeDesktop desktop{clock};
    FakeInput input{clock};
    FakeSystem system;
    FakeFileSystem files;

  private:
    Platform previous;
};

} // namespace fg::fake
