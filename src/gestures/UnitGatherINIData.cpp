#include "gestures/UnitGatherINIData.h"

#include "app/UnitMisc.h"
#include "platform/Platform.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace fg {

namespace {

std::mutex runningMutex;
std::condition_variable runningChanged;
int running = 0;

bool EndsWithExe(const std::wstring& n) {
    return n.size() >= 4 && AsciiLower(n.substr(n.size() - 4)) == L".exe";
}

// The z-order can change while it is walked; a walk never takes more steps than this.
constexpr int kMaxWindows = 100000;

} // namespace

TScanLists TGatherINIData::Execute() {
    TScanLists lists;
    // The folder already ends with a backslash; the doubled one is accepted by the system.
    for (const IFileSystem::FoundFile& f : Os().files->FindFiles(GetDataPath(), L"\\Gesture*.ini"))
        if (!f.directory && f.name != L"Gestures.ini" && f.size != 0) lists.inis.push_back(f.name);

    HWindow h = GetForegroundHandle();
    for (int steps = 0; h != 0 && steps < kMaxWindows; ++steps, h = GetNextVisibleWindow(h)) {
        const std::wstring n = GetWindowEXEName(h);
        if (!EndsWithExe(n) || AsciiLower(n) == kOwnExeLower) continue;
        // Only repeats in a row are dropped here; the program list drops the rest.
        if (lists.progs.empty() || lists.progs.back() != n) lists.progs.push_back(n);
    }
    return lists;
}

void TGatherINIData::Start(THandOver handOver) {
    {
        std::lock_guard<std::mutex> lock(runningMutex);
        ++running;
    }
    std::thread([handOver = std::move(handOver)] {
        try {
            const TScanLists lists = Execute();
            handOver(lists);
        } catch (...) {
            // Nothing may escape a thread; errors of the handler are shown on the main thread.
        }
        std::lock_guard<std::mutex> lock(runningMutex);
        --running;
        runningChanged.notify_all();
    }).detach();
}

bool TGatherINIData::WaitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(runningMutex);
    return runningChanged.wait_for(lock, timeout, [] { return running == 0; });
}

} // namespace fg
