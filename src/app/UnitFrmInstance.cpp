#include "app/UnitFrmInstance.h"

#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitUtf16.h"
#include "platform/Platform.h"

namespace fg {

std::vector<InstanceCommand> InstanceStepsFor(const std::vector<std::wstring>& args) {
    if (args.empty()) return {InstanceCommand::INST_INIT};
    const std::wstring first = AsciiLower(args.front());
    std::vector<InstanceCommand> steps;
    if (first == L"config") steps.push_back(InstanceCommand::INST_CONFIG);
    if (first == L"edit_gestures") steps.push_back(InstanceCommand::INST_EDIT_GESTURES);
    return steps;
}

std::wstring InstanceCommandText(InstanceCommand c) {
    switch (c) {
    case InstanceCommand::INST_CONFIG:
        return L"CONFIG";
    case InstanceCommand::INST_EDIT_GESTURES:
        return L"EDIT_GESTURES";
    default:
        return {};
    }
}

std::vector<std::uint8_t> InstanceMessageBytes(InstanceCommand c) {
    std::vector<std::uint8_t> bytes;
    AppendUtf16Le(InstanceCommandText(c), bytes);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

bool CreateInstanceMutex() {
    std::wstring name = Os().system->ExecutablePath();
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    // Any failure other than an existing mutex counts as a later copy.
    return Os().system->CreateOwnedMutex(name) == MutexResult::Created;
}

namespace {

// How long a later plain start looks for the running copy's instance window: the first copy
// makes it right after the mutex, so only a copy that is starting or ending is not found at once.
constexpr std::uint32_t kHandOverWaitMs = 2000;
constexpr std::uint32_t kHandOverPollMs = 50;

void SendInstanceCommand(HWindow target, InstanceCommand c) {
    const std::vector<std::uint8_t> bytes = InstanceMessageBytes(c);
    Os().desktop->SendCopyData(target, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// A second copy would watch the mouse beside the first (gestures run twice) and both would write
// the same files at exit: a plain start beside a running copy asks it for its Edit Gestures
// window instead, which is what a user starting the program again is after. False when no
// running copy turned up (the one holding the mutex is ending): then this start runs itself.
bool HandOverToRunningCopy() {
    IDesktop& desktop = *Os().desktop;
    desktop.ProcessMessages();
    HWindow target = desktop.FindTopLevelByClass(kInstanceClassName);
    for (std::uint32_t waited = 0; !target && waited < kHandOverWaitMs; waited += kHandOverPollMs) {
        Os().clock->Sleep(kHandOverPollMs);
        target = desktop.FindTopLevelByClass(kInstanceClassName);
    }
    if (!target) return false;
    SendInstanceCommand(target, InstanceCommand::INST_EDIT_GESTURES);
    desktop.ProcessMessages();
    return true;
}

} // namespace

void ForwardInstanceCommand(InstanceCommand c) {
    IDesktop& desktop = *Os().desktop;
    desktop.ProcessMessages();
    if (const HWindow target = desktop.FindTopLevelByClass(kInstanceClassName))
        SendInstanceCommand(target, c);
    desktop.ProcessMessages();
}

bool RunInstanceSteps(const std::vector<std::wstring>& args,
                      const std::function<void()>& makeInstanceWindow) {
    for (InstanceCommand c : InstanceStepsFor(args)) {
        const bool firstCopy = CreateInstanceMutex();
        if (c != InstanceCommand::INST_INIT)
            ForwardInstanceCommand(c);
        else if (firstCopy && makeInstanceWindow)
            makeInstanceWindow();
        else if (!firstCopy && HandOverToRunningCopy())
            return false;
    }
    // Any argument at all makes this start a messenger that never runs the program.
    return args.empty();
}

void TFrmDummyInstance::GetDataMessage(const void* data, std::size_t size) {
    // Every text but "EDIT_GESTURES" asks for the configuration.
    const std::wstring text = DecodeUtf16LeUntilNul(data, size);
    command = text == L"EDIT_GESTURES" ? InstanceCommand::INST_EDIT_GESTURES
                                       : InstanceCommand::INST_CONFIG;
    AppendLog(L"Instance command received: " + InstanceCommandText(command));
    waiting = true;
    Ready();
}

void TFrmDummyInstance::Ready() {
    const auto& show = command == InstanceCommand::INST_CONFIG ? showConfig : showEditGestures;
    if (!waiting || !show) return;
    waiting = false;
    TFocusManager::ForceForeground(show());
}

} // namespace fg
