#include "app/UnitMisc.h"

#include "platform/Platform.h"

#include <optional>
#include <utility>
#include <vector>

namespace fg {

namespace {

std::wstring dataPathCache;

struct Attachment {
    bool attached = false;
    std::uint32_t target = 0;
    std::uint32_t own = 0;
} attachment;

} // namespace

std::wstring AsciiLower(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

std::wstring GetDataPath() {
    // Always the executable's own folder, whatever the command line holds: a start that only
    // forwards a command must not scatter files into the current directory.
    if (dataPathCache.empty()) {
        std::wstring exe = Os().system->ExecutablePath();
        const std::size_t slash = exe.find_last_of(L"\\/");
        exe = slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash + 1);
        if (!exe.empty() && exe.back() != L'\\' && exe.back() != L'/') exe += L'\\';
        dataPathCache = exe;
    }
    return dataPathCache;
}

HWindow GetForegroundHandle() {
    IDesktop& desktop = *Os().desktop;
    HWindow h = desktop.ForegroundWindow();
    for (int ask = 1; h == 0 && ask <= 5; ++ask) {
        h = desktop.ForegroundWindow();
        if (ask <= 4) Os().clock->Sleep(20);
    }
    return h;
}

HWindow GetNextVisibleWindow(HWindow h) {
    IDesktop& desktop = *Os().desktop;
    if (h == 0) h = desktop.ForegroundWindow();
    if (h == 0) return 0;
    for (h = desktop.NextWindow(h); h != 0; h = desktop.NextWindow(h))
        if (desktop.IsVisible(h)) return h;
    return 0;
}

namespace {

struct TProcessNames {
    bool reuse = false;
    std::optional<std::vector<ProcessEntry>> snapshot; // once taken while reusing
};
thread_local TProcessNames processNames;

const ProcessEntry* FindProcess(const std::vector<ProcessEntry>& processes, std::uint32_t pid) {
    for (const ProcessEntry& p : processes)
        if (p.processId == pid) return &p;
    return nullptr;
}

} // namespace

void BeginProcessNameReuse() {
    processNames.reuse = true;
}

void EndProcessNameReuse() {
    if (processNames.reuse) processNames = {};
}

std::wstring GetWindowEXEName(HWindow h) {
    Os().system->SetLastError(0);
    if (h == 0) return {};
    const std::uint32_t pid = Os().desktop->WindowProcessId(h);
    TProcessNames& names = processNames;
    if (names.snapshot)
        if (const ProcessEntry* p = FindProcess(*names.snapshot, pid)) return p->exeFile;
    std::vector<ProcessEntry> processes;
    if (!Os().system->ProcessSnapshot(processes)) return L"[error]";
    const ProcessEntry* p = FindProcess(processes, pid);
    std::wstring name = p ? p->exeFile : std::wstring();
    if (names.reuse) names.snapshot = std::move(processes);
    return name;
}

void PopupMenuAtButton(HWindow button, const TPopupMenu& menu) {
    IDesktop& desktop = *Os().desktop;
    TPoint corner{desktop.ClientSize(button).x, 0};
    if (!desktop.ClientToScreen(button, corner)) return;
    desktop.PopupMenu(menu, corner, button);
}

void FocusNextWindow() {
    HWindow h = GetForegroundHandle();
    for (int pass = 0; pass < 3; ++pass)
        if (AsciiLower(GetWindowEXEName(h)) == kOwnExeLower) h = GetNextVisibleWindow(h);
    const bool attached = AttachToWindowThread(GetForegroundHandle());
    Os().desktop->SetForeground(h);
    if (attached) DetachFromWindowThread();
}

bool AttachToWindowThread(HWindow h) {
    if (attachment.attached) return true; // one attachment at a time
    IDesktop& desktop = *Os().desktop;
    attachment.target = desktop.WindowThreadId(h);
    attachment.own = desktop.CurrentThreadId();
    attachment.attached = attachment.target == attachment.own ||
                          desktop.AttachThreadInput(attachment.target, attachment.own, true);
    return attachment.attached;
}

void DetachFromWindowThread() {
    if (attachment.target != attachment.own)
        Os().desktop->AttachThreadInput(attachment.target, attachment.own, false);
    attachment.attached = false;
}

void WaitProcessingMessages(int ms) {
    if (ms <= 0) return;
    IClock& clock = *Os().clock;
    IDesktop& desktop = *Os().desktop;
    const std::uint32_t start = clock.TickCount();
    while (static_cast<std::int32_t>(clock.TickCount() - start) < ms) {
        desktop.ProcessMessages();
        clock.Sleep(50);
        if (desktop.Terminating()) return;
    }
}

std::wstring ExpandEnvVars(const std::wstring& s) {
    // The expansion gets all the room it needs: a long path is never silently emptied.
    std::wstring expanded;
    if (Os().system->ExpandEnvironment(s, expanded)) return expanded;
    return s;
}

std::wstring GlobalHandleToString(std::uintptr_t h, std::uint32_t size) {
    Os().system->SetLastError(0);
    if (size == 0) return {};
    std::wstring text;
    if (!Os().system->GlobalMemoryText(h, text)) return {};
    return text;
}

std::uint32_t ShellRun(HWindow owner, const std::wstring& text) {
    Os().system->SetLastError(0);
    std::size_t first = 0, last = text.size();
    while (first < last && text[first] <= L' ')
        ++first;
    while (last > first && text[last - 1] <= L' ')
        --last;
    if (first == last) return 0;
    const std::wstring file = text.substr(first, last - first);
    // The shell answers above 32 when it opened the file; up to 32 are its error codes.
    if (Os().system->ShellOpen(owner, file) > 32) return 0;
    constexpr std::uint32_t kNormalPriorityClass = 0x20;
    return RunProcess(QuotedPath(file), kNormalPriorityClass);
}

bool FitsAnsiCodePage(const std::wstring& text) {
    ISystem& system = *Os().system;
    return system.AnsiToWide(system.WideToAnsi(text)) == text;
}

std::wstring QuotedPath(const std::wstring& path) {
    if (path.find_first_of(L" \t") == std::wstring::npos || path.front() == L'"') return path;
    return L"\"" + path + L"\"";
}

std::uint32_t RunProcess(const std::wstring& commandLine, std::uint32_t creationFlags) {
    constexpr std::uint32_t kCreateNewProcessGroup = 0x200;
    std::uint32_t error = 0;
    if (Os().system->StartProcess(commandLine, creationFlags | kCreateNewProcessGroup, false,
                                  error))
        return 0;
    return error;
}

} // namespace fg
