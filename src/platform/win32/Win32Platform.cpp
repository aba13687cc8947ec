#include "platform/win32/Win32Platform.h"

#include "platform/win32/Window.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <winver.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/win32/Dpi.h"
#include "platform/win32/Menus.h"
#include "platform/win32/PreciseTime.h"
#include "platform/win32/Tally.h"
#include "platform/win32/Window.h"

namespace fg {

namespace {

// The instance mutex, held for the life of the process and never closed: the system drops it.
HANDLE instanceMutex = nullptr;

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HWindow ToHandle(HWND h) {
    return reinterpret_cast<HWindow>(h);
}
HWND ToHwnd(HWindow h) {
    return reinterpret_cast<HWND>(h);
}

// Timers live on a hidden message-only window; their handlers run under the top-level error
// handler.
class TimerWindow {
  public:
    UINT_PTR Add(std::function<void()> onTimer) {
        handlers[++lastId] = std::move(onTimer);
        return lastId;
    }
    void Set(UINT_PTR id, bool enabled, UINT interval) {
        KillTimer(Handle(), id);
        if (enabled && interval > 0) ::SetTimer(Handle(), id, interval, nullptr);
    }
    void Remove(UINT_PTR id) {
        if (hwnd) KillTimer(hwnd, id);
        handlers.erase(id);
    }

  private:
    HWND Handle() {
        if (!hwnd) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"Farrowglimmer.Timers";
            RegisterClassExW(&wc);
            hwnd = tally::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, wc.hInstance, nullptr);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
        return hwnd;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (msg != WM_TIMER || !self) return DefWindowProcW(h, msg, wParam, lParam);
        auto it = self->handlers.find(wParam);
        if (it != self->handlers.end()) {
            std::function<void()> handler = it->second; // the handler may remove its own timer
            Guarded(
                [&] {
                    handler();
                    return 0;
                },
                0);
        }
        return 0;
    }
    HWND hwnd = nullptr;
    UINT_PTR lastId = 0;
    std::map<UINT_PTR, std::function<void()>> handlers;
};

class Win32Clock : public IClock {
  public:
    TimerId AddTimer(std::function<void()> onTimer) override {
        return static_cast<TimerId>(timers.Add(std::move(onTimer)));
    }
    void SetTimer(TimerId id, bool enabled, std::uint32_t intervalMs) override {
        timers.Set(static_cast<UINT_PTR>(id), enabled, intervalMs);
    }
    void RemoveTimer(TimerId id) override { timers.Remove(static_cast<UINT_PTR>(id)); }

    std::uint32_t TickCount() override { return GetTickCount(); }
    double PreciseMs() override { return PreciseCounterMs(); }
    void Sleep(std::uint32_t ms) override { ::Sleep(ms); }
    std::wstring LocalTimeText() override {
        wchar_t buf[80];
        // No format: the user's long time format from the regional settings.
        const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, 80);
        return n > 0 ? std::wstring(buf) : std::wstring();
    }

  private:
    TimerWindow timers;
};

class Win32Desktop : public IDesktop {
  public:
    HWindow ForegroundWindow() override { return ToHandle(GetForegroundWindow()); }
    HWindow DesktopWindow() override { return ToHandle(GetDesktopWindow()); }
    HWindow NextWindow(HWindow h) override { return ToHandle(GetWindow(ToHwnd(h), GW_HWNDNEXT)); }
    HWindow TopLevelAt(TPoint p) override {
        HWND w = WindowFromPoint(POINT{p.x, p.y});
        return ToHandle(w ? GetAncestor(w, GA_ROOT) : nullptr);
    }
    bool IsVisible(HWindow h) override { return IsWindowVisible(ToHwnd(h)) != FALSE; }
    bool IsMinimized(HWindow h) override { return IsIconic(ToHwnd(h)) != FALSE; }
    void Restore(HWindow h) override { ShowWindow(ToHwnd(h), SW_RESTORE); }
    void BringToTop(HWindow h) override { BringWindowToTop(ToHwnd(h)); }
    bool SetForeground(HWindow h) override { return SetForegroundWindow(ToHwnd(h)) != FALSE; }
    HWindow FindTopLevelByClass(const std::wstring& className) override {
        return ToHandle(FindWindowW(className.c_str(), nullptr));
    }
    std::uint32_t WindowThreadId(HWindow h) override {
        return GetWindowThreadProcessId(ToHwnd(h), nullptr);
    }
    std::uint32_t WindowProcessId(HWindow h) override {
        DWORD pid = 0;
        GetWindowThreadProcessId(ToHwnd(h), &pid);
        return pid;
    }
    std::uint32_t CurrentThreadId() override { return GetCurrentThreadId(); }
    bool AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) override {
        return ::AttachThreadInput(from, to, attach ? TRUE : FALSE) != FALSE;
    }
    HWindow FocusedControl(HWindow h) override {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(ToHwnd(h), nullptr);
        if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return 0;
        return ToHandle(info.hwndFocus);
    }
    void SetFocus(HWindow control) override { ::SetFocus(ToHwnd(control)); }
    std::uint32_t ForegroundLockTimeout() override {
        DWORD ms = 0;
        SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &ms, 0);
        return ms;
    }
    void SetForegroundLockTimeout(std::uint32_t ms) override {
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                              reinterpret_cast<void*>(static_cast<std::uintptr_t>(ms)),
                              SPIF_SENDWININICHANGE);
    }
    bool WindowRect(HWindow h, TRect& r) override {
        RECT wr;
        if (!GetWindowRect(ToHwnd(h), &wr)) return false;
        r = {wr.left, wr.top, wr.right, wr.bottom};
        return true;
    }
    bool WindowMaximized(HWindow h, bool& maximized) override {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        if (!GetWindowPlacement(ToHwnd(h), &wp)) return false;
        maximized = wp.showCmd == SW_SHOWMAXIMIZED;
        return true;
    }
    bool ClientToScreen(HWindow h, TPoint& p) override {
        POINT pt{p.x, p.y};
        if (!::ClientToScreen(ToHwnd(h), &pt)) return false;
        p = {pt.x, pt.y};
        return true;
    }
    TPoint ClientSize(HWindow h) override {
        RECT r{};
        if (!GetClientRect(ToHwnd(h), &r)) return {};
        return {r.right - r.left, r.bottom - r.top};
    }
    void PopupMenu(const TPopupMenu& menu, TPoint at, HWindow owner) override {
        // The menu belongs to a window of this thread: a button's parent takes it.
        HWND own = ToHwnd(owner);
        if (own && GetWindowThreadProcessId(own, nullptr) != GetCurrentThreadId()) own = nullptr;
        if (own && (GetWindowLongW(own, GWL_STYLE) & WS_CHILD)) own = GetAncestor(own, GA_ROOT);
        TrackMenu(menu, at, own);
    }
    bool MonitorNearest(TPoint p, TRect& bounds) override {
        return MonitorNearestRect({p.x, p.y, p.x + 1, p.y + 1}, bounds);
    }
    bool MonitorNearestRect(const TRect& rect, TRect& bounds) override {
        const RECT r{rect.left, rect.top, rect.right, rect.bottom};
        return MonitorBounds(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), bounds);
    }
    TRect PrimaryMonitor() override {
        TRect bounds{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        MonitorBounds(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), bounds);
        return bounds;
    }
    int MonitorDpi(TPoint p) override { return MonitorDpiAt(POINT{p.x, p.y}); }
    bool MonitorWorkArea(TPoint p, TRect& work) override {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        HMONITOR monitor = MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
        if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
        work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
        return true;
    }
    TPoint VirtualScreenSize() override {
        return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    }
    TColor SysColor(SystemColor element) override {
        switch (element) {
        case SystemColor::ButtonFace:
            return GetSysColor(COLOR_BTNFACE);
        }
        return GetSysColor(COLOR_BTNFACE);
    }
    void ProcessMessages() override {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                terminating = true;
                PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for the main loop
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    bool Terminating() override { return terminating; }
    void SendCopyData(HWindow h, const void* data, std::uint32_t size) override {
        COPYDATASTRUCT cds{};
        cds.dwData = 0;
        cds.cbData = size;
        cds.lpData = const_cast<void*>(data);
        SendMessageW(ToHwnd(h), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }
    bool SetClipboardText(const std::wstring& text) override {
        if (!OpenClipboard(nullptr)) return false;
        EmptyClipboard();
        const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
        bool ok = false;
        if (mem) {
            if (void* p = GlobalLock(mem)) {
                memcpy(p, text.c_str(), bytes);
                GlobalUnlock(mem);
                ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
            }
            if (!ok) GlobalFree(mem);
        }
        CloseClipboard();
        return ok;
    }
    bool ClearClipboard() override {
        if (!OpenClipboard(nullptr)) return false;
        const bool ok = EmptyClipboard() != FALSE;
        CloseClipboard();
        return ok;
    }
    bool ClipboardText(std::wstring& text) override {
        text.clear();
        if (!OpenClipboard(nullptr)) return false;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) GlobalBlockText(data, text);
        CloseClipboard();
        return true;
    }
    HWindow FindPopupMenu() override {
        // The system keeps hidden menu windows around for reuse; the menu on screen is the
        // first visible one.
        HWND menu = nullptr;
        while ((menu = FindWindowExW(nullptr, menu, MAKEINTATOM(0x8000), nullptr)))
            if (IsWindowVisible(menu)) return ToHandle(menu);
        return 0;
    }
    void SendClose(HWindow h) override { PostMessageW(ToHwnd(h), WM_CLOSE, 0, 0); }
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
        ShowMessageBox(text, caption, MB_OK);
    }
    bool OpenFileDialog(HWindow owner, const std::wstring& initialFolder,
                        const std::wstring& filter, std::wstring& chosen) override {
        // The filter's text is both its description and its pattern.
        std::wstring filters = filter + L'\0' + filter + L'\0';
        // Room for a long path: the dialog fails rather than cut one.
        std::vector<wchar_t> file(32768, L'\0');
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = ToHwnd(owner);
        ofn.lpstrFilter = filters.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
        // Without OFN_NODEREFERENCELINKS a chosen shortcut answers the file it points to.
        ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                    OFN_EXPLORER;
        if (!GetOpenFileNameW(&ofn)) return false;
        chosen = file.data();
        return true;
    }

    bool terminating = false;
};

class Win32Input : public IInput {
  public:
    // The asynchronous state is the desktop's, whichever program has the focus.
    bool ButtonDown(int vkButton) override { return (GetAsyncKeyState(vkButton) & 0x8000) != 0; }
    bool KeyDown(int vkKey) override { return (GetAsyncKeyState(vkKey) & 0x8000) != 0; }
    bool KeyToggled(int vkKey) override { return (GetKeyState(vkKey) & 0x0001) != 0; }
    bool ButtonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
    TPoint CursorPos() override {
        POINT p{0, 0};
        GetCursorPos(&p);
        return {p.x, p.y};
    }
    void KeyEvent(std::uint8_t vkKey, std::uint8_t scan, std::uint32_t flags) override {
        keybd_event(vkKey, scan, flags, 0);
    }
    std::int16_t CharToVirtualKey(wchar_t c) override { return VkKeyScanW(c); }
    std::uint32_t MapKey(std::uint32_t code, std::uint32_t mapType) override {
        return MapVirtualKeyW(code, mapType);
    }
    bool GetKeyboardState(std::array<std::uint8_t, 256>& state) override {
        return ::GetKeyboardState(state.data()) != FALSE;
    }
    bool SetKeyboardState(const std::array<std::uint8_t, 256>& state) override {
        std::array<std::uint8_t, 256> copy = state;
        return ::SetKeyboardState(copy.data()) != FALSE;
    }
};

class Win32System : public ISystem {
  public:
    std::uint32_t LastError() override { return GetLastError(); }
    void SetLastError(std::uint32_t code) override { ::SetLastError(code); }
    std::wstring ErrorText(std::uint32_t code) override {
        wchar_t* buf = nullptr;
        const DWORD n =
            FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
        std::wstring text = n && buf ? std::wstring(buf, n) : std::wstring();
        if (buf) LocalFree(buf);
        return text;
    }
    bool ProcessSnapshot(std::vector<ProcessEntry>& out) override {
        out.clear();
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snap == INVALID_HANDLE_VALUE) return false;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry)) {
            entry.szExeFile[MAX_PATH - 1] = 0;
            out.push_back({entry.th32ProcessID, entry.szExeFile});
        }
        CloseHandle(snap);
        return true;
    }
    bool ExpandEnvironment(const std::wstring& text, std::wstring& out) override {
        std::vector<wchar_t> buf(MAX_PATH);
        for (int attempt = 0; attempt < 4; ++attempt) {
            const DWORD need =
                ExpandEnvironmentStringsW(text.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
            if (need == 0) return false;
            if (need <= buf.size()) {
                out.assign(buf.data());
                return true;
            }
            buf.resize(need);
        }
        return false;
    }
    bool DebuggerPresent() override { return IsDebuggerPresent() != FALSE; }
    std::wstring ExecutablePath() override {
        std::vector<wchar_t> buf(MAX_PATH);
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0) return {};
            if (n < buf.size()) return std::wstring(buf.data(), n);
            buf.resize(buf.size() * 2);
        }
    }
    MutexResult CreateOwnedMutex(const std::wstring& name) override {
        ::SetLastError(0);
        HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
        const DWORD err = GetLastError();
        if (h) instanceMutex = h;
        if (err == ERROR_ALREADY_EXISTS) return MutexResult::AlreadyExists;
        return h ? MutexResult::Created : MutexResult::Failed;
    }
    std::wstring SpecialFolder(int csidl) override {
        LPITEMIDLIST items = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return {};
        wchar_t path[MAX_PATH + 1] = {};
        const BOOL ok = SHGetPathFromIDListW(items, path);
        CoTaskMemFree(items);
        return ok ? std::wstring(path) : std::wstring();
    }
    std::wstring AnsiToWide(const std::string& text) override {
        if (text.empty()) return {};
        const int n =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring out(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
        return out;
    }
    std::string WideToAnsi(const std::wstring& text) override {
        if (text.empty()) return {};
        const int wn = static_cast<int>(text.size());
        const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), wn, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.data(), wn, out.data(), n, nullptr, nullptr);
        return out;
    }
    wchar_t DecimalSeparator() override {
        wchar_t sep[4] = {};
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4) < 2) return L'.';
        return sep[0];
    }
    bool RunValue(const std::wstring& name, std::wstring& value) override {
        wchar_t buf[2048] = {};
        DWORD size = sizeof buf - sizeof(wchar_t); // room for a NUL the value may lack
        DWORD type = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, name.c_str(), RRF_RT_REG_SZ, &type, buf,
                         &size) != ERROR_SUCCESS)
            return false;
        value = buf;
        return true;
    }
    bool SetRunValue(const std::wstring& name, const std::wstring& value) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        const LSTATUS s = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(value.c_str()), bytes);
        RegCloseKey(key);
        return s == ERROR_SUCCESS;
    }
    bool DeleteRunValue(const std::wstring& name) override {
        HKEY key = nullptr;
        const LSTATUS open = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
        if (open == ERROR_FILE_NOT_FOUND) return true;
        if (open != ERROR_SUCCESS) return false;
        const LSTATUS s = RegDeleteValueW(key, name.c_str());
        RegCloseKey(key);
        return s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND;
    }
    bool FileVersion(const std::wstring& path, std::uint16_t parts[4]) override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) return false;
        std::vector<std::uint8_t> block(size);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return false;
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
            !fixed || length < sizeof(VS_FIXEDFILEINFO))
            return false;
        parts[0] = HIWORD(fixed->dwFileVersionMS);
        parts[1] = LOWORD(fixed->dwFileVersionMS);
        parts[2] = HIWORD(fixed->dwFileVersionLS);
        parts[3] = LOWORD(fixed->dwFileVersionLS);
        return true;
    }
    std::intptr_t ShellOpen(HWindow owner, const std::wstring& file) override {
        return reinterpret_cast<std::intptr_t>(
            ShellExecuteW(ToHwnd(owner), nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }
    bool StartProcess(const std::wstring& commandLine, std::uint32_t creationFlags, bool wait,
                      std::uint32_t& error) override {
        std::vector<wchar_t> line(commandLine.begin(), commandLine.end()); // CreateProcessW writes
        line.push_back(0);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                            nullptr, &si, &pi)) {
            error = GetLastError();
            return false;
        }
        if (wait) WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        error = 0;
        return true;
    }
    bool GlobalMemoryText(std::uintptr_t handle, std::wstring& out) override {
        return GlobalBlockText(reinterpret_cast<HANDLE>(handle), out);
    }
};

class Win32Files : public IFileSystem {
  public:
    bool Exists(const std::wstring& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool FileExists(const std::wstring& path) override {
        const DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool Move(const std::wstring& from, const std::wstring& to) override {
        return MoveFileW(from.c_str(), to.c_str()) != FALSE;
    }
    bool Replace(const std::wstring& from, const std::wstring& to) override {
        // A rename on one volume: the target is the old file or the new one, never missing.
        return MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    bool WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                  std::wstring& error) override {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            error = Reason(GetLastError());
            return false;
        }
        DWORD written = 0;
        const BOOL ok =
            bytes.empty() ||
            WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        const DWORD err = GetLastError();
        CloseHandle(f);
        if (!ok || written != bytes.size()) {
            error = Reason(err);
            return false;
        }
        return true;
    }
    bool ReadAll(const std::wstring& path, std::vector<std::uint8_t>& bytes) override {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        LARGE_INTEGER size{};
        bool ok = GetFileSizeEx(f, &size) && size.QuadPart < (1LL << 31);
        if (ok) {
            bytes.resize(static_cast<std::size_t>(size.QuadPart));
            DWORD read = 0;
            ok = bytes.empty() ||
                 (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                  read == bytes.size());
        }
        CloseHandle(f);
        return ok;
    }

    bool Delete(const std::wstring& path) override { return DeleteFileW(path.c_str()) != FALSE; }
    bool Stamp(const std::wstring& path, std::uint64_t& stamp) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
        const std::uint64_t written =
            (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
        const std::uint64_t size =
            (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp = written * 1000003u ^ size;
        return true;
    }
    std::vector<FoundFile> FindFiles(const std::wstring& folder,
                                     const std::wstring& pattern) override {
        std::vector<FoundFile> found;
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW((folder + pattern).c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return found;
        do {
            found.push_back(
                {data.cFileName,
                 (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                 (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(h, &data));
        FindClose(h);
        return found;
    }

    std::wstring ProfileRead(const std::wstring& path, const std::wstring& section,
                             const std::wstring& key, const std::wstring& def) override {
        return ReadProfile(
                   [&](wchar_t* buf, DWORD size) {
                       return GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(),
                                                       buf, size, path.c_str());
                   },
                   1)
            .front();
    }
    std::wstring ProfileReadCut(const std::wstring& path, const std::wstring& section,
                                const std::wstring& key, const std::wstring& def,
                                std::size_t bufferChars) override {
        if (bufferChars == 0) return {};
        std::vector<wchar_t> buf(bufferChars);
        const DWORD n =
            GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                     static_cast<DWORD>(buf.size()), path.c_str());
        return std::wstring(buf.data(), n < buf.size() ? n : buf.size() - 1);
    }
    bool ProfileWrite(const std::wstring& path, const std::wstring& section,
                      const std::wstring& key, const std::wstring& value) override {
        return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                          path.c_str()) != FALSE;
    }
    std::vector<std::wstring> ProfileSectionNames(const std::wstring& path) override {
        return ReadProfile(
            [&](wchar_t* buf, DWORD size) {
                return GetPrivateProfileSectionNamesW(buf, size, path.c_str());
            },
            2);
    }
    std::vector<std::wstring> ProfileKeyNames(const std::wstring& path,
                                              const std::wstring& section) override {
        return ReadProfile(
            [&](wchar_t* buf, DWORD size) {
                return GetPrivateProfileStringW(section.c_str(), nullptr, L"", buf, size,
                                                path.c_str());
            },
            2);
    }

  private:
    // Calls a profile routine with a buffer that grows until the answer fits (the routines
    // report a cut answer as the buffer size less `cut`), and splits a list at its zeros.
    template <typename Read> static std::vector<std::wstring> ReadProfile(Read read, DWORD cut) {
        std::vector<wchar_t> buf(1024);
        DWORD n = 0;
        for (;;) {
            n = read(buf.data(), static_cast<DWORD>(buf.size()));
            if (n < buf.size() - cut || buf.size() >= (64u << 20)) break;
            buf.resize(buf.size() * 4);
        }
        std::vector<std::wstring> items;
        if (cut == 1) return {std::wstring(buf.data(), n)};
        for (DWORD i = 0; i < n;) {
            std::wstring item(buf.data() + i);
            i += static_cast<DWORD>(item.size()) + 1;
            items.push_back(std::move(item));
        }
        return items;
    }

    static std::wstring Reason(DWORD code) {
        std::wstring text = Win32System().ErrorText(code);
        while (!text.empty() && text.back() <= L' ')
            text.pop_back();
        return text;
    }
};

} // namespace

bool MonitorBounds(HMONITOR monitor, TRect& bounds) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
    bounds = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    return true;
}

bool GlobalBlockText(HANDLE block, std::wstring& text) {
    const auto* p = static_cast<const wchar_t*>(GlobalLock(block));
    if (!p) return false;
    // A text without its zero ends with the block.
    const SIZE_T units = GlobalSize(block) / sizeof(wchar_t);
    SIZE_T n = 0;
    while (n < units && p[n])
        ++n;
    text.assign(p, n);
    GlobalUnlock(block);
    return true;
}

void InstallWin32Platform() {
    static Win32Clock clock;
    static Win32Desktop desktop;
    static Win32System system;
    static Win32Files files;
    static Win32Input input;
    InstallPlatform(Platform{&clock, &desktop, &system, &files, &input});
}

} // namespace fg
