#include "fakes/FakePlatform.h"

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

bool FakeDesktop::MonitorNearest(TPoint p, TRect& bounds) {
    if (monitors.empty()) return false;
    auto distance = [p](const TRect& r) {
        const long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
        const long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
        return dx * dx + dy * dy;
    };
    bounds = *std::min_element(monitors.begin(), monitors.end(),
                               [&](const TRect& a, const TRect& b) { return distance(a) < distance(b); });
    return true;
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
    for (unsigned char c : text) out += static_cast<wchar_t>(c);
    return out;
}

bool FakeSystem::GlobalMemoryText(std::uintptr_t handle, std::wstring& out) {
    auto it = globalMemory.find(handle);
    if (it == globalMemory.end()) return false;
    out = it->second;
    return true;
}

// --- files -----------------------------------------------------------------------------------

bool FakeFileSystem::Move(const std::wstring& from, const std::wstring& to) {
    if (moveFails || !files.count(from) || files.count(to)) return false;
    files[to] = std::move(files[from]);
    files.erase(from);
    return true;
}

bool FakeFileSystem::WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                              std::wstring& error) {
    if (readOnly.count(path)) {
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

// --- installation ----------------------------------------------------------------------------

FakePlatform::FakePlatform() : previous(Os()) {
    InstallPlatform(Platform{&clock, &desktop, &system, &files});
}

FakePlatform::~FakePlatform() { InstallPlatform(previous); }

} // namespace fg::fake
