#include "app/UnitFrmDebug.h"

#include "platform/Errors.h"
#include "app/UnitFocusManager.h"
#include "app/UnitMisc.h"
#include "app/UnitUtf16.h"
#include "platform/Platform.h"

#include <cwchar>

namespace fg {

TFrmDebug* FrmDebug = nullptr;

namespace {

std::deque<std::wstring>& History() {
    static std::deque<std::wstring> history;
    return history;
}

bool saveOnExit = false;
bool timingMarks = false;

// The system's message text without trailing blanks, line breaks and full stops.
std::wstring TrimmedErrorText(std::uint32_t code) {
    std::wstring text = Os().system->ErrorText(code);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text;
}

} // namespace

const std::deque<std::wstring>& DebugHistory() { return History(); }

void AppendLog(const std::wstring& s, bool includeLastError) {
    std::wstring message = s;
    if (includeLastError) {
        const std::uint32_t code = Os().system->LastError(); // before anything can change it
        message += L" :(" + std::to_wstring(code) + L") " + TrimmedErrorText(code);
    }
    std::wstring line = Os().clock ? Os().clock->LocalTimeText() : std::wstring();
    line += FrmDebug ? FrmDebug->LevelPrefix() : std::wstring(L":(x) ");
    line += message;

    auto& history = History();
    history.push_front(line);
    if (history.size() > kHistoryMax) history.pop_back();
    if (FrmDebug) FrmDebug->LineAppended(history.front());
}

void SetTimingMarks(bool on) {
    timingMarks = on;
}

void TimingMark(const wchar_t* phase) {
    if (!timingMarks) return;
    wchar_t ms[32];
    std::swprintf(ms, 32, L" %.3f ms", Os().clock->PreciseMs());
    AppendLog(std::wstring(L"[Timing] ") + phase + ms);
}

TFrmDebug::TFrmDebug(IDebugView* debugView) : view(debugView) {
    FrmDebug = this; // from here on lines carry the window's prefix
    const std::wstring timing =
        Os().files->ProfileRead(GetDataPath() + L"defaults.ini", L"debug", L"timing", L"");
    SetTimingMarks(!timing.empty() && timing != L"0");
}

TFrmDebug::~TFrmDebug() {
    AppendLog(L"UnitFrmDebug Destroy");
    memo.clear();
    if (view) view->MemoClear();
    cl.clear();
    if (saveOnExit) {
        AppendLog(L"UnitFrmDebug Autosave");
        try {
            EmergencyDump(L"");
        } catch (const TUserError&) {
            // The program is ending: nobody is left to tell.
        }
    }
    if (FrmDebug == this) FrmDebug = nullptr;
}

std::wstring TFrmDebug::LevelPrefix() const {
    std::wstring prefix = L": ";
    if (fLevel > 0) prefix += std::wstring(static_cast<std::size_t>(fLevel), L'>') + L" ";
    return prefix;
}

void TFrmDebug::LineAppended(const std::wstring& line) {
    if (!view || !view->IsShowing()) return;
    if (memo.size() > kMemoMax) {
        memo.pop_back();
        view->MemoDeleteBottom();
    }
    memo.push_front(line);
    view->MemoInsertTop(line);
}

void TFrmDebug::MeOnlyAppend(const std::wstring& s, bool includeLastError) {
    if (Os().system->DebuggerPresent() || saveOnExit) AppendLog(s, includeLastError);
}

void TFrmDebug::StartTimer() { cl.push_back(Os().clock->TickCount()); }

void TFrmDebug::EndTimerLog(const std::wstring& s) {
    if (cl.empty()) return; // an unpaired end has nothing to measure
    const std::uint32_t elapsed = Os().clock->TickCount() - cl.back();
    cl.pop_back();
    AppendLog(L"ms(" + std::to_wstring(elapsed) + L"): " + s);
}

void TFrmDebug::SetSaveOnExit() { saveOnExit = true; }

void TFrmDebug::GetLogText(std::wstring& s) const {
    for (const std::wstring& line : History()) {
        s += line;
        s += L"\r\n";
    }
}

void TFrmDebug::SaveLogToFile(const std::wstring& filename) {
    IFileSystem& files = *Os().files;
    const std::wstring path = GetDataPath() + filename;
    if (files.Exists(path)) {
        int n = 1;
        while (files.Exists(path + L".bak" + std::to_wstring(n))) ++n;
        files.Move(path, path + L".bak" + std::to_wstring(n)); // a failed rename is overwritten
    }
    std::wstring text;
    GetLogText(text);
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    AppendUtf16Le(text, bytes);
    std::wstring reason;
    if (!files.WriteAll(path, bytes, reason))
        throw TUserError(L"Cannot create file \"" + path + L"\". " + reason);
}

void TFrmDebug::EmergencyDump(const std::wstring& filename) {
    SaveLogToFile(filename.empty() ? std::wstring(L"Debug.txt") : filename);
}

void TFrmDebug::ApplicationException(const std::wstring& message) {
    AppendLog(message);
    SaveLogToFile(L"Debug.txt");
    Os().system->SetLastError(0);
    Os().desktop->ShowMessage(message + L"\r\n[Debug.txt] log created.", L"Farrowglimmer");
}

void TFrmDebug::FormShow() {
    if (view) TFocusManager::ForceForeground(view->Handle());
    memo.clear();
    if (view) view->MemoClear();
    const auto& history = History();
    for (std::size_t i = 0; i < history.size() && i <= kOpeningView; ++i) {
        memo.push_back(history[i]);
        if (view) view->MemoAddBottom(history[i]);
    }
}

void TFrmDebug::Button1Click() {
    std::wstring text;
    GetLogText(text);
    Os().desktop->SetClipboardText(text);
}

void TFrmDebug::btnSaveClick() {
    SaveLogToFile(L"Debug.txt");
    Os().desktop->ShowMessage(L"Debug.txt Created", L"Farrowglimmer");
}

void TFrmDebug::cbAutoSaveClick(bool checked) { saveOnExit = checked; }

} // namespace fg
