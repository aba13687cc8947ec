#include "capture/UnitRightButtonGate_win32.h"

#include "app/UnitFrmDebug.h"
#include "platform/win32/PreciseTime.h"

#include <atomic>
#include <cwchar>
#include <utility>
#include <vector>

namespace fg {

namespace {

// Messages of the hook's thread; it has no window and runs no modal loop, so thread messages
// cannot be lost.
constexpr UINT kWake = WM_APP + 1;      // events to send are waiting
constexpr UINT kReinstall = WM_APP + 2; // the system removed the hook: install it again

std::atomic<TRightButtonGateHook*> current{nullptr};
std::atomic<bool> hookFailed{false};

HHOOK InstallHook(HOOKPROC proc) {
    HHOOK h = SetWindowsHookExW(WH_MOUSE_LL, proc, GetModuleHandleW(nullptr), 0);
    hookFailed = h == nullptr;
    return h;
}

TGateEvent::Kind KindOf(WPARAM message) {
    switch (message) {
    case WM_RBUTTONDOWN:
        return TGateEvent::RightDown;
    case WM_RBUTTONUP:
        return TGateEvent::RightUp;
    case WM_MOUSEMOVE:
        return TGateEvent::Move;
    default:
        return TGateEvent::Other;
    }
}

} // namespace

TRightButtonGateHook::TRightButtonGateHook(IDesktop& desktop, IInput& input,
                                           std::function<bool(HWindow)> leaveAlone)
    : logic(std::make_unique<TRightButtonGate>(TRightButtonGate::OnPlatform(
          desktop, input, std::move(leaveAlone), [this](bool on) { Install(on); },
          [this] { PostThreadMessageW(threadId, kWake, 0, 0); }))) {
    current = this;
}

TRightButtonGateHook::~TRightButtonGateHook() {
    Install(false);
    current = nullptr;
}

void TRightButtonGateHook::Install(bool on) {
    if (on && installed) {
        PostThreadMessageW(threadId, kReinstall, 0, 0);
        return;
    }
    if (on) {
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread = std::thread([this, ready] { Run(ready); });
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
        installed = true;
        if (hookFailed) AppendLog(L"[Gate] the mouse hook could not be installed", true);
        return;
    }
    if (!installed) return;
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    thread.join();
    installed = false;
}

void TRightButtonGateHook::Run(HANDLE ready) {
    threadId = GetCurrentThreadId();
    MSG m;
    PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, before anyone posts
    HHOOK hook = InstallHook(&MouseProc);
    SetEvent(ready);
    for (;;) {
        DWORD timeout = INFINITE;
        std::uint32_t at = 0;
        if (logic->Deadline(at)) {
            const std::uint32_t now = GetTickCount();
            timeout = static_cast<std::int32_t>(at - now) > 0 ? at - now : 0;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        // The hook's calls arrive as sent messages, handled inside PeekMessage.
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                if (hook) UnhookWindowsHookEx(hook);
                Send(logic->TakeReplays()); // a press held back when the gate went off
                return;
            }
            if (m.message == kReinstall) {
                if (hook) UnhookWindowsHookEx(hook);
                hook = InstallHook(&MouseProc);
            }
        }
        logic->Tick(GetTickCount());
        Send(logic->TakeReplays());
    }
}

void TRightButtonGateHook::Send(const std::vector<TGateReplay>& replays) {
    if (replays.empty()) return;
    // Where the press happened: the hand may have wandered a few pixels inside the start box. The
    // cursor is put there before the events go, since they take the cursor's place as it is when
    // the system handles them.
    POINT now{};
    GetCursorPos(&now);
    const TPoint at = replays.front().at;
    if (now.x != at.x || now.y != at.y) SetCursorPos(at.x, at.y);
    // Synthesized events name physical buttons, which the system then swaps like the hand's: the
    // click handed on must arrive as the secondary button's again.
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    const DWORD down = swapped ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    const DWORD up = swapped ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    std::vector<INPUT> inputs;
    for (const TGateReplay& r : replays) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = r.down ? down : up;
        in.mi.dwExtraInfo = kMark;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (releaseMs != 0) {
        // The counter is the same in every process: a test compares it with the program that
        // gets the click.
        wchar_t text[96];
        swprintf(text, 96, L"click sent: released at %.3f ms, sent at %.3f ms", releaseMs,
                 PreciseCounterMs());
        logic->Say(text);
        releaseMs = 0;
    }
}

LRESULT CALLBACK TRightButtonGateHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    TRightButtonGateHook* self = current;
    if (code == HC_ACTION && self) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const TGateEvent e{.kind = KindOf(wParam),
                           .at = {info.pt.x, info.pt.y},
                           .injected =
                               (info.flags & LLMHF_INJECTED) != 0 || info.dwExtraInfo == kMark};
        const double at = PreciseCounterMs();
        const bool keep = self->logic->Decide(e, GetTickCount());
        if (self->logic->HasReplays()) {
            if (e.kind == TGateEvent::RightUp) self->releaseMs = at;
            PostThreadMessageW(GetCurrentThreadId(), kWake, 0, 0);
        }
        if (keep) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace fg
