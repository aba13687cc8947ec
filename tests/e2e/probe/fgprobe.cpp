// fgprobe: finds, reads and drives windows of other processes for the end-to-end tests.
//
// Every window is printed as one line of tab-separated fields:
//   handle  class  text  visible  pid  exe  control-id
// with tab, CR, LF and backslash in texts escaped as \t \r \n \\. Exit code 0 on success, 1 when
// nothing matched (or the window is gone), 2 on a usage error.
#include <windows.h>

#include "platform/win32/PreciseTime.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr UINT kMessageTimeoutMs = 2000;

void writeOut(const std::wstring& text) {
    if (text.empty()) return;
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

void writeErr(const wchar_t* text) {
    fwprintf(stderr, L"fgprobe: %ls\n", text);
}

std::wstring escaped(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        switch (c) {
        case L'\t':
            out += L"\\t";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<HWND> parseHandle(const std::wstring& s) {
    wchar_t* end = nullptr;
    unsigned long long v = wcstoull(s.c_str(), &end, 0);
    if (s.empty() || *end != L'\0' || v == 0) return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(v));
}

std::wstring className(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// Reads the text through WM_GETTEXT, which the system marshals across processes (an edit
// control's contents are not its caption, so GetWindowText would miss them).
std::wstring windowText(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &len))
        return {};
    std::wstring buf(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &got))
        return {};
    buf.resize(got < len ? got : len);
    return buf;
}

// Top-level captions are read without messages, so a hung program cannot stall a listing.
std::wstring captionOf(HWND h) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
}

std::map<DWORD, std::wstring> processNames() {
    std::map<DWORD, std::wstring> names;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
        names[pe.th32ProcessID] = pe.szExeFile;
    CloseHandle(snap);
    return names;
}

struct Filter {
    std::optional<std::wstring> cls, text, exe;
    std::optional<DWORD> pid;
    bool visibleOnly = false;
    DWORD waitMs = 0;
};

// Parses --class --title/--text --exe --pid --visible --wait; anything else is a usage error.
std::optional<Filter> parseFilter(const Args& a, size_t from) {
    Filter f;
    for (size_t i = from; i < a.size(); ++i) {
        const std::wstring& k = a[i];
        bool hasValue = i + 1 < a.size();
        if (k == L"--visible")
            f.visibleOnly = true;
        else if (!hasValue)
            return std::nullopt;
        else if (k == L"--class")
            f.cls = a[++i];
        else if (k == L"--title" || k == L"--text")
            f.text = a[++i];
        else if (k == L"--exe")
            f.exe = a[++i];
        else if (k == L"--pid")
            f.pid = wcstoul(a[++i].c_str(), nullptr, 0);
        else if (k == L"--wait")
            f.waitMs = wcstoul(a[++i].c_str(), nullptr, 0);
        else
            return std::nullopt;
    }
    return f;
}

struct Row {
    HWND h;
    std::wstring cls, text, exe;
    bool visible;
    DWORD pid;
    int id;
};

Row describe(HWND h, std::wstring text, const std::map<DWORD, std::wstring>& names) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    auto it = names.find(pid);
    return {h,
            className(h),
            std::move(text),
            it == names.end() ? L"" : it->second,
            IsWindowVisible(h) != FALSE,
            pid,
            GetDlgCtrlID(h)};
}

bool matches(const Filter& f, const Row& r) {
    if (f.cls && lstrcmpiW(f.cls->c_str(), r.cls.c_str()) != 0) return false;
    if (f.text && *f.text != r.text) return false;
    if (f.exe && lstrcmpiW(f.exe->c_str(), r.exe.c_str()) != 0) return false;
    if (f.pid && *f.pid != r.pid) return false;
    return !f.visibleOnly || r.visible;
}

void printRow(const Row& r) {
    wchar_t head[64];
    swprintf(head, 64, L"0x%llx\t",
             static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(r.h)));
    writeOut(head + escaped(r.cls) + L"\t" + escaped(r.text) + L"\t" + (r.visible ? L"1" : L"0") +
             L"\t" + std::to_wstring(r.pid) + L"\t" + escaped(r.exe) + L"\t" +
             std::to_wstring(r.id) + L"\n");
}

std::vector<HWND> topLevels() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND h, LPARAM p) {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// Collects matching windows, polling every 50 ms until one matches or the wait runs out.
template <class Enumerate, class TextOf>
std::vector<Row> collect(const Filter& f, Enumerate enumerate, TextOf textOf) {
    ULONGLONG deadline = GetTickCount64() + f.waitMs;
    for (;;) {
        auto names = processNames();
        std::vector<Row> rows;
        for (HWND h : enumerate()) {
            Row r = describe(h, textOf(h), names);
            if (matches(f, r)) rows.push_back(std::move(r));
        }
        if (!rows.empty() || GetTickCount64() >= deadline) return rows;
        Sleep(50);
    }
}

int printAll(const std::vector<Row>& rows) {
    for (const Row& r : rows)
        printRow(r);
    return rows.empty() ? kNotFound : kFound;
}

int cmdList(const Args& a) {
    auto f = parseFilter(a, 0);
    if (!f) return kUsage;
    printAll(collect(*f, topLevels, captionOf));
    return kFound;
}

int cmdFind(const Args& a) {
    auto f = parseFilter(a, 0);
    if (!f) return kUsage;
    return printAll(collect(*f, topLevels, captionOf));
}

int cmdChildren(const Args& a) {
    auto h = parseHandle(a[0]);
    auto f = parseFilter(a, 1);
    if (!h || !f) return kUsage;
    if (!IsWindow(*h)) return kNotFound;
    return printAll(collect(
        *f, [&] { return descendants(*h); }, windowText));
}

// The remaining commands act on one window given by its handle.
using WindowAction = int (*)(HWND, const Args&);

int actText(HWND h, const Args&) {
    writeOut(windowText(h));
    return kFound;
}

// Clicks a button the way its parent sees a click, which works while the window is hidden.
int actClick(HWND h, const Args&) {
    HWND parent = GetParent(h);
    if (!parent) return kNotFound;
    WPARAM wp = MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED);
    return PostMessageW(parent, WM_COMMAND, wp, reinterpret_cast<LPARAM>(h)) ? kFound : kNotFound;
}

// Posted, not sent: a handler that shows a modal box would otherwise block the probe.
int actBmClick(HWND h, const Args&) {
    return PostMessageW(h, BM_CLICK, 0, 0) ? kFound : kNotFound;
}

int actOk(HWND h, const Args&) {
    return PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) ? kFound : kNotFound;
}

int actClose(HWND h, const Args&) {
    return PostMessageW(h, WM_CLOSE, 0, 0) ? kFound : kNotFound;
}

int actShow(HWND h, const Args& a) {
    int cmd = a.size() > 1 ? static_cast<int>(wcstol(a[1].c_str(), nullptr, 0)) : SW_SHOW;
    ShowWindowAsync(h, cmd);
    return kFound;
}

// Answers once the window's thread has handled a message: the program is in its message loop.
int actSync(HWND h, const Args& a) {
    UINT ms = a.size() > 1 ? wcstoul(a[1].c_str(), nullptr, 0) : 5000;
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, ms, &r) ? kFound : kNotFound;
}

int actInfo(HWND h, const Args&) {
    printRow(describe(h, captionOf(h), processNames()));
    RECT rc{};
    GetWindowRect(h, &rc);
    wchar_t buf[96];
    swprintf(buf, 96, L"rect\t%ld\t%ld\t%ld\t%ld\n", rc.left, rc.top, rc.right, rc.bottom);
    writeOut(buf);
    RECT client{};
    GetClientRect(h, &client);
    swprintf(buf, 96, L"client\t%ld\t%ld\n", client.right, client.bottom);
    writeOut(buf);
    return kFound;
}

// Moves a track bar and tells its parent as a drag's end does (WM_HSCROLL, TB_THUMBPOSITION).
int actTrackBar(HWND h, const Args& a) {
    if (a.size() < 2) return kNotFound;
    const long pos = wcstol(a[1].c_str(), nullptr, 0);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(h, TBM_SETPOS, TRUE, pos, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &r);
    return PostMessageW(GetParent(h), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                        reinterpret_cast<LPARAM>(h))
               ? kFound
               : kNotFound;
}

// Prints a track bar's position or a box's check state.
int actState(HWND h, const Args&) {
    DWORD_PTR r = 0;
    const bool bar = className(h) == TRACKBAR_CLASSW;
    SendMessageTimeoutW(h, bar ? TBM_GETPOS : BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG,
                        kMessageTimeoutMs, &r);
    writeOut(std::to_wstring(r) + L"\n");
    return kFound;
}

// Selects the INDEX-th top-level node of a tree view, as a click on it does.
int actTreeSelect(HWND h, const Args& a) {
    if (a.size() < 2) return kNotFound;
    long index = wcstol(a[1].c_str(), nullptr, 0);
    DWORD_PTR item = 0;
    SendMessageTimeoutW(h, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                        &item);
    while (item && index-- > 0)
        SendMessageTimeoutW(h, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item),
                            SMTO_ABORTIFHUNG, kMessageTimeoutMs, &item);
    if (!item) return kNotFound;
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(h, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &r) &&
                   r
               ? kFound
               : kNotFound;
}

// Selects the INDEX-th tab of a tab control as a click on it does: the control tells its parent.
int actTabSelect(HWND h, const Args& a) {
    if (a.size() < 2) return kNotFound;
    const long index = wcstol(a[1].c_str(), nullptr, 0);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(h, TCM_SETCURFOCUS, index, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &r);
    SendMessageTimeoutW(h, TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &r);
    return static_cast<long>(r) == index ? kFound : kNotFound;
}

// Posts a message: a number, or the name of a registered message ("TaskbarCreated").
int actPost(HWND h, const Args& a) {
    if (a.size() < 2) return kUsage;
    wchar_t* end = nullptr;
    UINT msg = wcstoul(a[1].c_str(), &end, 0);
    if (*end != L'\0') msg = RegisterWindowMessageW(a[1].c_str());
    const WPARAM w = a.size() > 2 ? wcstoull(a[2].c_str(), nullptr, 0) : 0;
    const LPARAM l = a.size() > 3 ? static_cast<LPARAM>(wcstoll(a[3].c_str(), nullptr, 0)) : 0;
    return msg && PostMessageW(h, msg, w, l) ? kFound : kNotFound;
}

// Takes the icon of a window (id 0) out of the notification area, as a shell that lost its
// icons has.
int actTrayRemove(HWND h, const Args&) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = h;
    return Shell_NotifyIconW(NIM_DELETE, &data) ? kFound : kNotFound;
}

int actExists(HWND, const Args&) {
    return kFound;
}

double PreciseMs() {
    return fg::PreciseCounterMs();
}

// Blocks until a line (or the end) arrives on the standard input.
void WaitForStartSignal() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD got = 0;
    while (ReadFile(in, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
    }
}

LRESULT TextLength(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &len))
        return -1;
    return static_cast<LRESULT>(len);
}

// For the latency bench: waits for the window's text length to change. Prints "ready", waits for
// the start signal (a line on the standard input), then asks for the length every POLL ms (1)
// until it differs or TIMEOUT ms (5000) have passed, and prints
//   changed <start ms> <change ms> <asks>\t<new text>
// with both times on the high-resolution clock that every process of the prefix shares. Nothing
// is sent to the window before the signal, so the wait does not load the program it watches.
int actWaitText(HWND h, const Args& a) {
    const DWORD pollMs = a.size() > 1 ? wcstoul(a[1].c_str(), nullptr, 0) : 1;
    const double timeoutMs = a.size() > 2 ? wcstod(a[2].c_str(), nullptr) : 5000;
    const LRESULT before = TextLength(h);
    writeOut(L"ready " + std::to_wstring(before) + L"\n");
    WaitForStartSignal();
    const double start = PreciseMs();
    long asks = 0;
    for (;;) {
        const LRESULT now = TextLength(h);
        const double at = PreciseMs();
        ++asks;
        if (now != before) {
            wchar_t head[96];
            swprintf(head, 96, L"changed %.3f %.3f %ld\t", start, at, asks);
            writeOut(head + escaped(windowText(h)) + L"\n");
            return kFound;
        }
        if (at - start > timeoutMs) return kNotFound;
        Sleep(pollMs);
    }
}

// For the configuration-open bench: waits for a hidden window to be shown. Prints "ready", waits
// for the start signal, then looks at the window every POLL ms (1) until it is visible or TIMEOUT
// ms (5000) have passed; then sends it a message, whose answer means its thread has finished the
// showing (and the painting that goes with it). Prints
//   shown <start ms> <visible ms> <answered ms> <looks> <last hidden ms>
// on the clock the program's phase stamps use: the window became visible between the last look
// that found it hidden and the first that found it visible (a busy machine may leave the probe
// waiting in between). Looking at the style sends the window nothing.
int actWaitShown(HWND h, const Args& a) {
    const DWORD pollMs = a.size() > 1 ? wcstoul(a[1].c_str(), nullptr, 0) : 1;
    const double timeoutMs = a.size() > 2 ? wcstod(a[2].c_str(), nullptr) : 5000;
    writeOut(IsWindowVisible(h) ? L"ready visible\n" : L"ready hidden\n");
    WaitForStartSignal();
    const double start = PreciseMs();
    long looks = 0;
    double hiddenAt = start; // the last look that found it hidden
    for (;;) {
        const bool visible = IsWindowVisible(h) != FALSE;
        const double at = PreciseMs();
        ++looks;
        if (visible) {
            DWORD_PTR r = 0;
            const bool answered =
                SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, kMessageTimeoutMs, &r) != 0;
            const double answeredAt = PreciseMs();
            wchar_t line[128];
            swprintf(line, 128, L"shown %.3f %.3f %.3f %ld %.3f\n", start, at,
                     answered ? answeredAt : -1.0, looks, hiddenAt);
            writeOut(line);
            return kFound;
        }
        hiddenAt = at;
        if (at - start > timeoutMs) return kNotFound;
        Sleep(pollMs);
    }
}

// A block of another process's memory for the messages whose structures hold pointers (list
// views and tab controls of another program): the structure is written there, the message sent
// with its address, and the block read back.
class RemoteBlock {
  public:
    RemoteBlock(HWND h, std::size_t bytes) : size(bytes) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process)
            at = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (at) VirtualFreeEx(process, at, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    bool ok() const { return at != nullptr; }
    char* address(std::size_t offset = 0) const { return static_cast<char*>(at) + offset; }
    bool write(const void* data, std::size_t bytes, std::size_t offset = 0) const {
        return WriteProcessMemory(process, address(offset), data, bytes, nullptr) != FALSE;
    }
    bool read(void* data, std::size_t bytes, std::size_t offset = 0) const {
        return ReadProcessMemory(process, address(offset), data, bytes, nullptr) != FALSE;
    }

  private:
    HANDLE process = nullptr;
    void* at = nullptr;
    std::size_t size;
};

LRESULT sendRemote(HWND h, UINT msg, WPARAM w, const RemoteBlock& block) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(h, msg, w, reinterpret_cast<LPARAM>(block.address()), SMTO_ABORTIFHUNG,
                        kMessageTimeoutMs, &r);
    return static_cast<LRESULT>(r);
}

std::wstring listViewText(HWND h, const RemoteBlock& block, int item, int sub) {
    constexpr int kChars = 1024;
    LVITEMW it{};
    it.iSubItem = sub;
    it.cchTextMax = kChars;
    it.pszText = reinterpret_cast<wchar_t*>(block.address(sizeof(LVITEMW)));
    block.write(&it, sizeof it);
    const LRESULT n = sendRemote(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), block);
    std::wstring text(static_cast<std::size_t>(n > 0 && n < kChars ? n : 0), L'\0');
    if (!text.empty()) block.read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    return text;
}

// The rows of a list view: index, the texts of the first COLUMNS columns (3 unless given), the
// image index and 1 for the selected row, tab-separated.
int actListRows(HWND h, const Args& a) {
    const int columns = a.size() > 1 ? static_cast<int>(wcstol(a[1].c_str(), nullptr, 0)) : 3;
    RemoteBlock block(h, sizeof(LVITEMW) + 1024 * sizeof(wchar_t));
    if (!block.ok()) return kNotFound;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(h, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &count);
    std::wstring out;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        out += std::to_wstring(i);
        for (int c = 0; c < columns; ++c)
            out += L"\t" + escaped(listViewText(h, block, i, c));
        LVITEMW it{};
        it.mask = LVIF_IMAGE | LVIF_STATE;
        it.iItem = i;
        it.stateMask = LVIS_SELECTED;
        block.write(&it, sizeof it);
        sendRemote(h, LVM_GETITEMW, 0, block);
        block.read(&it, sizeof it);
        out += L"\t" + std::to_wstring(it.iImage) + L"\t" +
               ((it.state & LVIS_SELECTED) ? L"1" : L"0") + L"\n";
    }
    writeOut(out);
    return kFound;
}

// The screen rectangle of a list view's row or a tab control's tab INDEX: where a click goes.
int actItemRect(HWND h, const Args& a) {
    if (a.size() < 2) return kUsage;
    const long index = wcstol(a[1].c_str(), nullptr, 0);
    RemoteBlock block(h, sizeof(RECT));
    if (!block.ok()) return kNotFound;
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    block.write(&r, sizeof r);
    const bool tab = className(h) == WC_TABCONTROLW;
    if (!sendRemote(h, tab ? TCM_GETITEMRECT : LVM_GETITEMRECT, static_cast<WPARAM>(index), block))
        return kNotFound;
    block.read(&r, sizeof r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    wchar_t buf[96];
    swprintf(buf, 96, L"%ld\t%ld\t%ld\t%ld\n", r.left, r.top, r.right, r.bottom);
    writeOut(buf);
    return kFound;
}

struct WindowCommand {
    const wchar_t* name;
    WindowAction act;
};

constexpr WindowCommand kWindowCommands[] = {
    {L"text", actText},           {L"click", actClick},
    {L"bmclick", actBmClick},     {L"ok", actOk},
    {L"close", actClose},         {L"show", actShow},
    {L"sync", actSync},           {L"info", actInfo},
    {L"exists", actExists},       {L"waittext", actWaitText},
    {L"waitshown", actWaitShown}, {L"trackbar", actTrackBar},
    {L"state", actState},         {L"treeselect", actTreeSelect},
    {L"post", actPost},           {L"trayremove", actTrayRemove},
    {L"lvrows", actListRows},     {L"itemrect", actItemRect},
    {L"tabselect", actTabSelect},
};

// Processes of the snapshot, "pid<TAB>exe" a line, optionally only those with one exe name.
int cmdProcesses(const Args& a) {
    if (!a.empty() && (a.size() != 2 || a[0] != L"--exe")) return kUsage;
    bool any = false;
    for (const auto& [pid, exe] : processNames()) {
        if (!a.empty() && lstrcmpiW(a[1].c_str(), exe.c_str()) != 0) continue;
        writeOut(std::to_wstring(pid) + L"\t" + escaped(exe) + L"\n");
        any = true;
    }
    return any ? kFound : kNotFound;
}

// Presses and releases a key inside the desktop (a virtual-key code), as a keyboard would.
int cmdKey(const Args& a) {
    const auto vk = static_cast<BYTE>(wcstoul(a[0].c_str(), nullptr, 0));
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), 0, 0);
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
    return kFound;
}

// Swaps the meaning of the mouse buttons (1) or restores it (0) for the desktop's session, as a
// left-handed user's setting does; prints the setting as the system then reports it.
int cmdSwap(const Args& a) {
    SwapMouseButton(wcstoul(a[0].c_str(), nullptr, 10) != 0);
    writeOut(std::to_wstring(GetSystemMetrics(SM_SWAPBUTTON)) + L"\n");
    return kFound;
}

int cmdForeground(const Args&) {
    HWND h = GetForegroundWindow();
    if (!h) return kNotFound;
    printRow(describe(h, captionOf(h), processNames()));
    return kFound;
}

// The control with the keyboard focus in the thread of the foreground window: where the next key
// goes.
int cmdFocus(const Args&) {
    HWND fg = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!fg || !GetGUIThreadInfo(GetWindowThreadProcessId(fg, nullptr), &info) || !info.hwndFocus)
        return kNotFound;
    printRow(describe(info.hwndFocus, windowText(info.hwndFocus), processNames()));
    return kFound;
}

// The user's long time format and its AM and PM designators, one a line, as the regional
// settings give them (for example "h:mm:ss tt", "AM", "PM").
int cmdTimeFormat(const Args&) {
    for (LCTYPE item : {LOCALE_STIMEFORMAT, LOCALE_S1159, LOCALE_S2359}) {
        wchar_t value[80] = {};
        if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, value, 80)) return kNotFound;
        writeOut(std::wstring(value) + L"\n");
    }
    return kFound;
}

// Looks for a visible pop-up menu (class #32768) every poll-ms for duration-ms: prints "ready"
// once sampling has begun, then "samples N menus M" (M: the samples that saw one). Exit 0.
int cmdMenuWatch(const Args& a) {
    const double duration = wcstod(a[0].c_str(), nullptr);
    const DWORD poll = a.size() > 1 ? wcstoul(a[1].c_str(), nullptr, 10) : 10;
    writeOut(L"ready\n");
    const double start = fg::PreciseCounterMs();
    int samples = 0, menus = 0;
    while (fg::PreciseCounterMs() - start < duration) {
        HWND m = FindWindowW(L"#32768", nullptr);
        ++samples;
        if (m && IsWindowVisible(m)) ++menus;
        Sleep(poll);
    }
    writeOut(L"samples " + std::to_wstring(samples) + L" menus " + std::to_wstring(menus) + L"\n");
    return kFound;
}

struct Command {
    const wchar_t* name;
    size_t minArgs;
    int (*run)(const Args&);
    const wchar_t* usage;
};

constexpr Command kCommands[] = {
    {L"list", 0, cmdList, L"list [filters]          top-level windows (all when no filter)"},
    {L"find", 0, cmdFind, L"find [filters]          top-level windows; exit 1 when none"},
    {L"children", 1, cmdChildren, L"children HWND [filters] descendant windows; exit 1 when none"},
    {L"procs", 0, cmdProcesses, L"procs [--exe NAME]      processes: pid, exe; exit 1 when none"},
    {L"foreground", 0, cmdForeground, L"foreground              the foreground window"},
    {L"key", 1, cmdKey, L"key VK                  presses and releases a key"},
    {L"swap", 1, cmdSwap, L"swap 0|1                swaps the mouse buttons' meaning, or not"},
    {L"focus", 0, cmdFocus,
     L"focus                   the control with the focus in the foreground"},
    {L"timefmt", 0, cmdTimeFormat,
     L"timefmt                 the user's long time format, AM and PM texts"},
    {L"menuwatch", 1, cmdMenuWatch,
     L"menuwatch MS [poll-ms]  samples for a visible pop-up menu: ready, then counts"},
};

void usage() {
    writeErr(L"usage:");
    for (const Command& c : kCommands)
        fwprintf(stderr, L"  fgprobe %ls\n", c.usage);
    fwprintf(stderr, L"  fgprobe text|click|bmclick|ok|close|show [SW]|sync [ms]|info|exists HWND\n"
                     L"  fgprobe trackbar HWND POS | state HWND | treeselect HWND INDEX\n"
                     L"  fgprobe lvrows HWND [COLUMNS] | itemrect HWND INDEX\n"
                     L"  fgprobe waittext HWND [poll-ms] [timeout-ms]  (start: a line on stdin)\n"
                     L"  fgprobe waitshown HWND [poll-ms] [timeout-ms] (start: a line on stdin)\n"
                     L"  fgprobe post HWND MSG|NAME [wParam] [lParam]   fgprobe trayremove HWND\n"
                     L"  fgprobe tabselect HWND INDEX\n"
                     L"filters: --class C --title T (--text T) --exe NAME --pid N --visible"
                     L" --wait MS\n");
}

int dispatch(const std::wstring& name, const Args& args) {
    for (const Command& c : kCommands)
        if (name == c.name) return args.size() < c.minArgs ? kUsage : c.run(args);
    for (const WindowCommand& c : kWindowCommands) {
        if (name != c.name) continue;
        if (args.empty()) return kUsage;
        auto h = parseHandle(args[0]);
        if (!h) return kUsage;
        return IsWindow(*h) ? c.act(*h, args) : kNotFound;
    }
    return kUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        usage();
        return kUsage;
    }
    Args args(argv + 2, argv + argc);
    int rc = dispatch(argv[1], args);
    if (rc == kUsage) usage();
    return rc;
}
