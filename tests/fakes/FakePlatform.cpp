#include "fakes/FakePlatform.h"

#include "app/UnitUtf16.h"

#include <algorithm>
#include <cstdio>

namespace fg::fake {

// --- clock -----------------------------------------------------------------------------------

void FakeClock::Sleep(std::uint32_t ms) {
    now += ms;
    slept += ms;
    ++sleeps;
}

std::wstring FakeClock::LocalTimeText() {
    const std::uint32_t seconds = (timeOfDayMs + (now - startTick)) / 1000 % 86400;
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

IClock::TimerId FakeClock::AddTimer(std::function<void()> onTimer) {
    timers[++lastId].onTimer = std::move(onTimer);
    return lastId;
}

void FakeClock::SetTimer(TimerId id, bool enabled, std::uint32_t intervalMs) {
    auto it = timers.find(id);
    if (it == timers.end()) return;
    it->second.enabled = enabled;
    it->second.interval = intervalMs;
    it->second.due = now + intervalMs;
}

bool FakeClock::TimerEnabled(TimerId id) const {
    auto it = timers.find(id);
    return it != timers.end() && it->second.enabled && it->second.interval > 0;
}

std::uint32_t FakeClock::TimerInterval(TimerId id) const {
    auto it = timers.find(id);
    return it == timers.end() ? 0 : it->second.interval;
}

void FakeClock::RunDue(std::uint32_t upTo) {
    for (;;) {
        TimerId next = 0;
        std::uint32_t nextDue = 0;
        for (const auto& [id, t] : timers) {
            if (!t.enabled || t.interval == 0) continue;
            if (static_cast<std::int32_t>(t.due - upTo) > 0) continue;
            if (next == 0 || static_cast<std::int32_t>(t.due - nextDue) < 0) {
                next = id;
                nextDue = t.due;
            }
        }
        if (next == 0) return;
        if (static_cast<std::int32_t>(nextDue - now) > 0) now = nextDue;
        Timer& t = timers[next];
        t.due = now + t.interval;
        std::function<void()> handler = t.onTimer; // the handler may remove its own timer
        handler();
        auto it = timers.find(next);
        // A timer that fell due again while its handler ran fires once more, not once per period.
        if (it != timers.end() && static_cast<std::int32_t>(it->second.due - now) < 0)
            it->second.due = now;
    }
}

void FakeClock::Advance(std::uint32_t ms) {
    const std::uint32_t target = now + ms;
    RunDue(target);
    if (static_cast<std::int32_t>(target - now) > 0) now = target;
}

// --- input -----------------------------------------------------------------------------------

bool FakeInput::ButtonDown(int vkButton) {
    if (vkButton == SecondaryKey() && rightUpAt &&
        static_cast<std::int32_t>(clock.now - *rightUpAt) >= 0) {
        Release(SecondaryKey());
        rightUpAt.reset();
    }
    return (state[vkButton & 0xFF] & 0x80) != 0;
}

void FakeInput::KeyEvent(std::uint8_t vkKey, std::uint8_t scan, std::uint32_t flags) {
    events.push_back({vkKey, scan, flags, clock.now});
    if (flags & KEYEVENTF_KEYUP_)
        Release(vkKey);
    else
        Press(vkKey);
}

void FakeInput::Press(int vkKey) {
    std::uint8_t& s = state[vkKey & 0xFF];
    if (!(s & 0x80)) s ^= 0x01; // the toggle flips on each new press
    s |= 0x80;
}

void FakeInput::Release(int vkKey) {
    state[vkKey & 0xFF] &= static_cast<std::uint8_t>(~0x80);
}

std::int16_t FakeInput::CharToVirtualKey(wchar_t c) {
    // A US layout: letters and digits on their keys, capitals and a few signs with Shift.
    if (c >= L'a' && c <= L'z') return static_cast<std::int16_t>(c - L'a' + 'A');
    if (c >= L'A' && c <= L'Z') return static_cast<std::int16_t>(0x100 | c);
    if (c >= L'0' && c <= L'9') return static_cast<std::int16_t>(c);
    switch (c) {
    case L' ':
        return 0x20;
    case L'\r':
        return 0x0D;
    case L'\t':
        return 0x09;
    case L'.':
        return 0xBE;
    case L',':
        return 0xBC;
    case L'-':
        return 0xBD;
    case L'!':
        return 0x131;
    case L'?':
        return 0x1BF;
    case L':':
        return 0x1BA;
    case L';':
        return 0xBA;
    default:
        return -1;
    }
}

std::uint32_t FakeInput::MapKey(std::uint32_t code, std::uint32_t) {
    // A stable made-up scan code per key, enough to see that one is passed.
    return code == 0 ? 0 : (code * 7) % 0x7F + 1;
}

bool FakeInput::GetKeyboardState(std::array<std::uint8_t, 256>& out) {
    out = state;
    return true;
}

bool FakeInput::SetKeyboardState(const std::array<std::uint8_t, 256>& in) {
    state = in;
    return true;
}

// --- desktop ---------------------------------------------------------------------------------

HWindow FakeDesktop::AddWindow(std::uint32_t threadId, std::uint32_t processId, bool visible,
                               const std::wstring& className) {
    FakeWindow w;
    w.handle = nextHandle += 0x10;
    w.threadId = threadId;
    w.processId = processId;
    w.visible = visible;
    w.className = className;
    zorder.insert(zorder.begin(), w);
    return w.handle;
}

FakeWindow* FakeDesktop::Find(HWindow h) {
    auto it = std::find_if(zorder.begin(), zorder.end(),
                           [h](const FakeWindow& w) { return w.handle == h; });
    return it == zorder.end() ? nullptr : &*it;
}

HWindow FakeDesktop::ForegroundWindow() {
    ++foregroundAsks;
    if (foregroundNullAsks < 0) return 0;
    if (foregroundNullAsks > 0) {
        --foregroundNullAsks;
        return 0;
    }
    return foreground;
}

HWindow FakeDesktop::NextWindow(HWindow h) {
    for (std::size_t i = 0; i + 1 < zorder.size(); ++i)
        if (zorder[i].handle == h) return zorder[i + 1].handle;
    return 0;
}

HWindow FakeDesktop::TopLevelAt(TPoint p) {
    for (const FakeWindow& w : zorder)
        if (w.visible && p.x >= w.rect.left && p.x < w.rect.right && p.y >= w.rect.top &&
            p.y < w.rect.bottom)
            return w.handle;
    return 0;
}

bool FakeDesktop::IsVisible(HWindow h) {
    const FakeWindow* w = Find(h);
    return w && w->visible;
}

bool FakeDesktop::IsMinimized(HWindow h) {
    const FakeWindow* w = Find(h);
    return w && w->minimized;
}

void FakeDesktop::Restore(HWindow h) {
    if (FakeWindow* w = Find(h)) {
        w->minimized = false;
        w->visible = true;
    }
}

void FakeDesktop::BringToTop(HWindow h) {
    auto it = std::find_if(zorder.begin(), zorder.end(),
                           [h](const FakeWindow& w) { return w.handle == h; });
    if (it != zorder.end()) std::rotate(zorder.begin(), it, it + 1);
}

bool FakeDesktop::SetForeground(HWindow h) {
    if (!Find(h)) return false;
    // Like Windows: a locked foreground yields only to a thread that shares its input or when
    // the lock timeout is off.
    const std::uint32_t fgThread = WindowThreadId(foreground);
    const bool joined = attached.count({fgThread, ownThread}) || fgThread == ownThread;
    if (foregroundLocked && lockTimeout != 0 && !joined) return false;
    foreground = h;
    BringToTop(h);
    return true;
}

HWindow FakeDesktop::FindTopLevelByClass(const std::wstring& className) {
    for (const FakeWindow& w : zorder)
        if (w.className == className) return w.handle;
    return 0;
}

std::uint32_t FakeDesktop::WindowThreadId(HWindow h) {
    const FakeWindow* w = Find(h);
    return w ? w->threadId : 0;
}

std::uint32_t FakeDesktop::WindowProcessId(HWindow h) {
    const FakeWindow* w = Find(h);
    return w ? w->processId : 0;
}

bool FakeDesktop::AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) {
    attachCalls.emplace_back(from, to);
    if (attachFails || from == to || from == 0) return false;
    if (attach) return attached.insert({from, to}).second;
    return attached.erase({from, to}) != 0;
}

void FakeDesktop::SetForegroundLockTimeout(std::uint32_t ms) {
    lockTimeout = ms;
    lockTimeoutWrites.push_back(ms);
}

bool FakeDesktop::WindowRect(HWindow h, TRect& r) {
    const FakeWindow* w = Find(h);
    if (!w) return false;
    r = w->rect;
    return true;
}

bool FakeDesktop::WindowMaximized(HWindow h, bool& maximized) {
    const FakeWindow* w = Find(h);
    if (!w) return false;
    maximized = w->maximized;
    return true;
}

bool FakeDesktop::ClientToScreen(HWindow h, TPoint& p) {
    const FakeWindow* w = Find(h);
    if (!w) return false;
    p = {p.x + w->rect.left, p.y + w->rect.top};
    return true;
}

TPoint FakeDesktop::ClientSize(HWindow h) {
    const FakeWindow* w = Find(h);
    return w ? TPoint{w->rect.Width(), w->rect.Height()} : TPoint{};
}

void FakeDesktop::PopupMenu(const TPopupMenu& menu, TPoint at, HWindow owner) {
    Popup shown{{}, {}, at, owner, owner != 0 && foreground == owner && IsVisible(owner)};
    for (const TMenuEntry& e : menu) {
        shown.captions.push_back(e.caption);
        shown.pictureSizes.push_back(e.picture.Width);
    }
    popups.push_back(shown);
    if (whilePoppedUp) whilePoppedUp();
    const TPopupMenu* level = &menu;
    const TMenuEntry* picked = nullptr;
    for (const std::wstring& caption : pick) {
        picked = nullptr;
        for (const TMenuEntry& e : *level)
            if (e.caption == caption && e.enabled) picked = &e;
        if (!picked) return;
        level = &picked->children;
    }
    if (picked && picked->onClick) picked->onClick();
}

bool FakeDesktop::MonitorNearestRect(const TRect& r, TRect& bounds) {
    return MonitorNearest({r.left + r.Width() / 2, r.top + r.Height() / 2}, bounds);
}

TPoint FakeDesktop::VirtualScreenSize() {
    if (monitors.empty()) return {};
    TRect all = monitors.front();
    for (const TRect& m : monitors) {
        all.left = std::min(all.left, m.left);
        all.top = std::min(all.top, m.top);
        all.right = std::max(all.right, m.right);
        all.bottom = std::max(all.bottom, m.bottom);
    }
    return {all.Width(), all.Height()};
}

bool FakeDesktop::MonitorWorkArea(TPoint p, TRect& work) {
    if (monitors.empty()) return false;
    const std::size_t i = NearestMonitor(p);
    work = i < workAreas.size() ? workAreas[i] : monitors[i];
    return true;
}

std::size_t FakeDesktop::NearestMonitor(TPoint p) const {
    auto distance = [p](const TRect& r) {
        const long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
        const long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
        return dx * dx + dy * dy;
    };
    const auto nearest =
        std::min_element(monitors.begin(), monitors.end(),
                         [&](const TRect& a, const TRect& b) { return distance(a) < distance(b); });
    return static_cast<std::size_t>(nearest - monitors.begin());
}

bool FakeDesktop::MonitorNearest(TPoint p, TRect& bounds) {
    if (monitors.empty()) return false;
    bounds = monitors[NearestMonitor(p)];
    return true;
}

int FakeDesktop::MonitorDpi(TPoint p) {
    if (monitors.empty()) return 96;
    const std::size_t i = NearestMonitor(p);
    return i < monitorDpi.size() ? monitorDpi[i] : 96;
}

void FakeDesktop::SendCopyData(HWindow h, const void* data, std::uint32_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    copyData.push_back({h, std::vector<std::uint8_t>(p, p + size)});
}

bool FakeDesktop::SetClipboardText(const std::wstring& text) {
    clipboard = text;
    clipboardSet = true;
    return true;
}

bool FakeDesktop::ClearClipboard() {
    if (clipboardLocked) return false;
    clipboard.clear();
    clipboardSet = true;
    return true;
}

bool FakeDesktop::ClipboardText(std::wstring& text) {
    if (clipboardLocked) return false;
    text = clipboard;
    return true;
}

void FakeDesktop::ShowMessage(const std::wstring& text, const std::wstring&) {
    messageBoxes.push_back(text);
}

// --- system ----------------------------------------------------------------------------------

std::wstring FakeSystem::ErrorText(std::uint32_t code) {
    auto it = errorTexts.find(code);
    return it == errorTexts.end() ? std::wstring() : it->second;
}

bool FakeSystem::ProcessSnapshot(std::vector<ProcessEntry>& out) {
    ++snapshots;
    if (snapshotFails) return false;
    out = processes;
    return true;
}

bool FakeSystem::ExpandEnvironment(const std::wstring& text, std::wstring& out) {
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find(L'%', i);
        const std::size_t close =
            open == std::wstring::npos ? std::wstring::npos : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        auto it = environment.find(text.substr(open + 1, close - open - 1));
        out += it == environment.end() ? text.substr(open, close - open + 1) : it->second;
        i = close + 1;
    }
    return true;
}

MutexResult FakeSystem::CreateOwnedMutex(const std::wstring& name) {
    if (mutexFails) return MutexResult::Failed;
    return mutexes.insert(name).second ? MutexResult::Created : MutexResult::AlreadyExists;
}

std::wstring FakeSystem::SpecialFolder(int csidl) {
    auto it = specialFolders.find(csidl);
    return it == specialFolders.end() ? std::wstring() : it->second;
}

std::wstring FakeSystem::AnsiToWide(const std::string& text) {
    // The fake's code page is Latin-1.
    std::wstring out;
    for (unsigned char c : text)
        out += static_cast<wchar_t>(c);
    return out;
}

std::string FakeSystem::WideToAnsi(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 256 ? static_cast<char>(c) : '?';
    return out;
}

bool FakeSystem::RunValue(const std::wstring& name, std::wstring& value) {
    auto it = runValues.find(name);
    if (it == runValues.end()) return false;
    value = it->second;
    return true;
}

bool FakeSystem::SetRunValue(const std::wstring& name, const std::wstring& value) {
    if (registryFails) return false;
    runValues[name] = value;
    return true;
}

bool FakeSystem::DeleteRunValue(const std::wstring& name) {
    if (registryFails) return false;
    runValues.erase(name);
    return true;
}

std::intptr_t FakeSystem::ShellOpen(HWindow, const std::wstring& file) {
    shellOpened.push_back(file);
    return shellAnswer;
}

namespace {

// A name whose last part has no extension gets ".exe", as process creation adds it.
std::wstring WithExeExtension(std::wstring name) {
    const std::size_t slash = name.find_last_of(L"\\/");
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) name += L".exe";
    return name;
}

// The program file process creation runs for a command line without an application name: a
// quoted name is taken whole; an unquoted line is tried up to each blank or tab in turn, and the
// first name that exists runs.
std::optional<std::wstring>
ProgramOfCommandLine(const std::wstring& line,
                     const std::map<std::wstring, std::vector<std::uint8_t>>& files) {
    if (!line.empty() && line[0] == L'"') {
        const std::size_t close = line.find(L'"', 1);
        const std::wstring name =
            WithExeExtension(line.substr(1, close == std::wstring::npos ? close : close - 1));
        if (files.count(name)) return name;
        return std::nullopt;
    }
    for (std::size_t end = 0;; ++end) {
        end = line.find_first_of(L" \t", end);
        const std::wstring name = WithExeExtension(line.substr(0, end));
        if (files.count(name)) return name;
        if (end == std::wstring::npos) return std::nullopt;
    }
}

} // namespace

bool FakeSystem::StartProcess(const std::wstring& commandLine, std::uint32_t creationFlags,
                              bool wait, std::uint32_t& error) {
    error = startError;
    if (startError) return false;
    const std::optional<std::wstring> program =
        files ? ProgramOfCommandLine(commandLine, files->files) : std::nullopt;
    if (!program) {
        error = 2; // ERROR_FILE_NOT_FOUND
        return false;
    }
    started.push_back({commandLine, creationFlags, wait});
    ran.push_back(*program);
    return true;
}

bool FakeSystem::FileVersion(const std::wstring& path, std::uint16_t parts[4]) {
    auto it = fileVersions.find(path);
    if (it == fileVersions.end()) return false;
    std::copy(it->second.begin(), it->second.end(), parts);
    return true;
}

bool FakeSystem::GlobalMemoryText(std::uintptr_t handle, std::wstring& out) {
    auto it = globalMemory.find(handle);
    if (it == globalMemory.end()) return false;
    out = it->second;
    return true;
}

// --- files -----------------------------------------------------------------------------------

bool FakeFileSystem::InReadOnlyFolder(const std::wstring& path) const {
    const std::size_t end = path.rfind(L'\\');
    return end != std::wstring::npos && readOnlyFolders.count(path.substr(0, end + 1)) != 0;
}

bool FakeFileSystem::Move(const std::wstring& from, const std::wstring& to) {
    if (moveFails || !files.count(from) || files.count(to)) return false;
    if (InReadOnlyFolder(from) || InReadOnlyFolder(to)) return false;
    files[to] = std::move(files[from]);
    files.erase(from);
    return true;
}

bool FakeFileSystem::Replace(const std::wstring& from, const std::wstring& to) {
    if (moveFails || !files.count(from) || Refused(to) || InReadOnlyFolder(from)) return false;
    if (from == to) return true;
    files[to] = std::move(files[from]);
    files.erase(from);
    return true;
}

bool FakeFileSystem::WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                              std::wstring& error) {
    if (Refused(path)) {
        error = L"Access is denied";
        return false;
    }
    files[path] = bytes;
    return true;
}

bool FakeFileSystem::ReadAll(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    auto it = files.find(path);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
}

namespace {

struct IniSection {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> entries;
};

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    return s;
}

std::wstring Trim(const std::wstring& s) {
    const std::size_t b = s.find_first_not_of(L" \t");
    if (b == std::wstring::npos) return {};
    return s.substr(b, s.find_last_not_of(L" \t") - b + 1);
}

std::vector<IniSection> ParseIni(const std::wstring& text) {
    std::vector<IniSection> sections;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        const std::wstring trimmed = Trim(line);
        if (trimmed.size() >= 2 && trimmed.front() == L'[' &&
            trimmed.find(L']') != std::wstring::npos) {
            sections.push_back({trimmed.substr(1, trimmed.find(L']') - 1), {}});
        } else if (!sections.empty() && line.find(L'=') != std::wstring::npos) {
            // The value is kept as written; readers drop its surrounding blanks.
            const std::size_t eq = line.find(L'=');
            sections.back().entries.emplace_back(Trim(line.substr(0, eq)), line.substr(eq + 1));
        }
    }
    return sections;
}

std::wstring WriteIni(const std::vector<IniSection>& sections) {
    std::wstring text;
    for (const IniSection& s : sections) {
        text += L"[" + s.name + L"]\r\n";
        for (const auto& [k, v] : s.entries)
            text += k + L"=" + v + L"\r\n";
    }
    return text;
}

IniSection* FindSection(std::vector<IniSection>& sections, const std::wstring& name) {
    for (IniSection& s : sections)
        if (Lower(s.name) == Lower(name)) return &s;
    return nullptr;
}

} // namespace

namespace {
// The system's wildcard match: * any run, ? one character, letters without case.
bool WildMatch(const wchar_t* p, const wchar_t* s) {
    for (; *p; ++p, ++s) {
        if (*p == L'*') {
            for (;; ++s) {
                if (WildMatch(p + 1, s)) return true;
                if (!*s) return false;
            }
        }
        if (!*s) return false;
        const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; };
        if (*p != L'?' && lower(*p) != lower(*s)) return false;
    }
    return !*s;
}
} // namespace

std::vector<IFileSystem::FoundFile> FakeFileSystem::FindFiles(const std::wstring& folder,
                                                              const std::wstring& pattern) {
    std::wstring pat = pattern;
    while (!pat.empty() && (pat.front() == L'\\' || pat.front() == L'/'))
        pat.erase(0, 1);
    std::vector<FoundFile> found;
    for (const auto& [path, bytes] : files) {
        if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
        const std::wstring name = path.substr(folder.size());
        if (name.find(L'\\') != std::wstring::npos) continue;
        if (WildMatch(pat.c_str(), name.c_str())) found.push_back({name, bytes.size(), false});
    }
    return found;
}

namespace {
bool HasUnicodeMark(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

std::vector<std::uint8_t> Latin1(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t c : text)
        bytes.push_back(static_cast<std::uint32_t>(c) < 256 ? static_cast<std::uint8_t>(c) : '?');
    return bytes;
}

std::vector<std::uint8_t> Utf16WithMark(const std::wstring& text) {
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    AppendUtf16Le(text, bytes);
    return bytes;
}
} // namespace

bool FakeFileSystem::IsUnicode(const std::wstring& path) const {
    auto it = files.find(path);
    return it != files.end() && HasUnicodeMark(it->second);
}

std::wstring FakeFileSystem::Text(const std::wstring& path) const {
    auto it = files.find(path);
    if (it == files.end()) return {};
    const auto& b = it->second;
    if (HasUnicodeMark(b)) return DecodeUtf16LeUntilNul(b.data() + 2, b.size() - 2);
    return std::wstring(b.begin(), b.end()); // Latin-1: every byte is its own character
}

void FakeFileSystem::SetText(const std::wstring& path, const std::wstring& text) {
    files[path] = Latin1(text);
}

void FakeFileSystem::SetUnicodeText(const std::wstring& path, const std::wstring& text) {
    files[path] = Utf16WithMark(text);
}

std::wstring FakeFileSystem::ProfileRead(const std::wstring& path, const std::wstring& section,
                                         const std::wstring& key, const std::wstring& def) {
    ++profileReads;
    std::vector<IniSection> sections = ParseIni(Text(path));
    if (IniSection* s = FindSection(sections, section))
        for (const auto& [k, raw] : s->entries)
            if (Lower(k) == Lower(key)) {
                const std::wstring v = Trim(raw);
                if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') &&
                    v.back() == v.front())
                    return v.substr(1, v.size() - 2);
                return v;
            }
    return def;
}

bool FakeFileSystem::ProfileWrite(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& value) {
    ++profileWrites;
    if (Refused(path)) return false;
    std::vector<IniSection> sections = ParseIni(Text(path));
    IniSection* s = FindSection(sections, section);
    if (!s) {
        sections.push_back({section, {}});
        s = &sections.back();
    }
    auto it = std::find_if(s->entries.begin(), s->entries.end(),
                           [&](const auto& e) { return Lower(e.first) == Lower(key); });
    if (it == s->entries.end())
        s->entries.emplace_back(key, value);
    else
        it->second = value;
    // The routines keep a Unicode file Unicode; anything else is rewritten in the code page.
    const std::wstring text = WriteIni(sections);
    files[path] = IsUnicode(path) ? Utf16WithMark(text) : Latin1(text);
    return true;
}

std::vector<std::wstring> FakeFileSystem::ProfileSectionNames(const std::wstring& path) {
    std::vector<std::wstring> names;
    for (const IniSection& s : ParseIni(Text(path)))
        names.push_back(s.name);
    return names;
}

std::vector<std::wstring> FakeFileSystem::ProfileKeyNames(const std::wstring& path,
                                                          const std::wstring& section) {
    std::vector<std::wstring> keys;
    std::vector<IniSection> sections = ParseIni(Text(path));
    if (IniSection* s = FindSection(sections, section))
        for (const auto& e : s->entries)
            keys.push_back(e.first);
    return keys;
}

// --- installation ----------------------------------------------------------------------------

FakePlatform::FakePlatform() : previous(Os()) {
    system.files = &files;
    InstallPlatform(Platform{&clock, &desktop, &system, &files, &input});
}

FakePlatform::~FakePlatform() {
    InstallPlatform(previous);
}

} // namespace fg::fake
