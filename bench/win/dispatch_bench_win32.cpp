// What dispatching one gesture costs with the real profile routines: finding the foreground
// program, loading its gesture file and looking the gesture up, for files of 10, 100 and 1,000
// bindings. The deliberate pauses (the execute pause, the sleeps after a report) are left out.
// Run it with tools/dispatch-bench.sh.
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace fg {
namespace {

// The system's clock, except that a sleep returns at once.
class NoSleepClock : public IClock {
  public:
    explicit NoSleepClock(IClock& c) : real(c) {}
    std::uint32_t TickCount() override { return real.TickCount(); }
    void Sleep(std::uint32_t) override {}
    std::wstring LocalTimeText() override { return real.LocalTimeText(); }
    TimerId AddTimer(std::function<void()> f) override { return real.AddTimer(std::move(f)); }
    void SetTimer(TimerId id, bool on, std::uint32_t ms) override { real.SetTimer(id, on, ms); }
    void RemoveTimer(TimerId id) override { real.RemoveTimer(id); }

  private:
    IClock& real;
};

class CountingSender : public TPaste {
  public:
    void SendKestroke(const TKeystrokeData&) override { ++sent; }
    void SendTextWithKeystrokes(const std::wstring&) override { ++sent; }
    int sent = 0;
};

// Distinct gestures of up to four strokes, no stroke twice in a row.
std::vector<std::wstring> Gestures(std::size_t count) {
    std::vector<std::wstring> out;
    std::vector<std::wstring> level = {L""};
    while (out.size() < count) {
        std::vector<std::wstring> next;
        for (const std::wstring& g : level)
            for (wchar_t c = L'0'; c <= L'7'; ++c)
                if (g.empty() || g.back() != c) next.push_back(g + c);
        for (const std::wstring& g : next)
            if (out.size() < count) out.push_back(g);
        level = next;
    }
    return out;
}

// The dispatcher with its lookup in reach, to time a dispatch without finding the foreground
// program (a process snapshot, whose cost depends on how many processes run).
class BenchDispatcher : public TFrmGestures {
  public:
    using TFrmGestures::FindAndRunGesture;
    using TFrmGestures::LoadProgramFile;
    using TFrmGestures::TFrmGestures;
};

// The best of five batches: on a shared machine the other loads only ever add time.
template <typename F> double MsPerCall(int runs, F&& f) {
    double best = 0;
    for (int batch = 0; batch < 5; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < runs; ++i)
            f();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        const double ms = took.count() / runs;
        if (batch == 0 || ms < best) best = ms;
    }
    return best;
}

int Run() {
    InstallWin32Platform();
    Platform p = Os();
    NoSleepClock clock(*p.clock);
    p.clock = &clock;
    InstallPlatform(p);

    // A foreground window of our own, so the program behind it is looked up as in real use.
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"dispatch_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                        300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);

    CountingSender sender;
    TFrmScratchPad pad{*p.desktop, *p.input};
    TTargetFocus pressed;
    TfrmDummyWatchForExplorerPopup watch;
    TActionRunner runner{{pad, sender, pressed, watch, TKeystrokeConversions::Default()}};
    TGestureStore store;
    BenchDispatcher dispatcher(store, runner);
    const std::wstring exe = GetWindowEXEName(GetForegroundHandle());
    const std::wstring file = GestureFileName(exe);
    std::printf("foreground program: \"%ls\" (file %ls)\n", exe.c_str(), file.c_str());
    std::printf("%9s %12s %14s %13s %9s %10s | %13s %14s %11s\n", "bindings", "dispatch ms",
                "foreground ms", "without fg ms", "load ms", "lookup ms", "one read ms",
                "section list ms", "file check ms");

    for (const std::size_t size : {10u, 100u, 1000u}) {
        TGestureFile written;
        const std::vector<std::wstring> gestures = Gestures(size);
        for (const std::wstring& g : gestures)
            written.Set({g, L"Keystroke", L"000041A"});
        store.SaveGestures(file, written);
        // The last binding of the file: the longest walk through the lists.
        const std::wstring target = gestures.back();
        const int runs = size >= 1000 ? 40 : 200;
        dispatcher.ReportGestures(target, true); // warm the system's caches
        const int before = sender.sent;
        // As in a gesture: one process snapshot serves from the press to the action.
        const double dispatch = MsPerCall(runs, [&] {
            BeginProcessNameReuse();
            dispatcher.ReportGestures(target, true);
            EndProcessNameReuse();
        });
        const bool found = sender.sent - before == 5 * runs;
        const double foreground = MsPerCall(
            runs, [&] { (void)GestureFileName(GetWindowEXEName(GetForegroundHandle())); });
        // What a dispatch does once it knows the file: load it and find and run the binding.
        BeginProcessNameReuse();
        (void)GetWindowEXEName(GetForegroundHandle()); // the press took the snapshot
        const double withoutForeground = MsPerCall(runs, [&] {
            dispatcher.LoadProgramFile(file);
            dispatcher.FindAndRunGesture(target);
        });
        EndProcessNameReuse();
        const double load = MsPerCall(runs, [&] { dispatcher.LoadProgramFile(file); });
        const std::wstring h = ToHumanReadable(target);
        const TGestureFile& loaded = dispatcher.LoadProgramFile(file);
        const double lookup = MsPerCall(runs * 10, [&] { (void)loaded.Find(h); });
        // What one call of each kind costs, to tell where the time goes.
        const std::wstring path = GetDataPath() + file;
        const double read = MsPerCall(runs * 5, [&] {
            (void)Os().files->ProfileReadCut(path, target, L"Action", L"", kGestureValueBuffer);
        });
        const double sections =
            MsPerCall(runs, [&] { (void)Os().files->ProfileSectionNames(path); });
        const double check = MsPerCall(runs * 5, [&] { (void)Os().files->Exists(path); });
        std::printf("%9zu %12.3f %14.3f %13.3f %9.3f %10.4f | %13.3f %14.3f %11.3f%s\n", size,
                    dispatch, foreground, withoutForeground, load, lookup, read, sections, check,
                    found ? "" : "  (NOT FOUND)");
    }
    DeleteFileW((GetDataPath() + file).c_str());
    DestroyWindow(window);
    return 0;
}

} // namespace
} // namespace fg

int main() {
    return fg::Run();
}
