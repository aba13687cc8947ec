// Start-up decisions and the instance window through which a later start hands its command to
// the running copy.
#pragma once

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fg {

enum class InstanceCommand : std::uint8_t {
    INST_INIT = 0,
    INST_CONFIG = 1,
    INST_EDIT_GESTURES = 2
};

constexpr const wchar_t* kInstanceClassName = L"Farrowglimmer.FrmDummyInstance";
constexpr const wchar_t* kInstanceCaption = L"FrmDummyInstance";

// The instance steps a command line asks for, in order: {INST_INIT} without arguments; otherwise
// the forwarding of the first argument, if it names a command (ASCII case ignored), else nothing.
std::vector<InstanceCommand> InstanceStepsFor(const std::vector<std::wstring>& args);

// The text a command travels as ("CONFIG", "EDIT_GESTURES"); empty for INST_INIT.
std::wstring InstanceCommandText(InstanceCommand c);

// The bytes of the instance message: the text in UTF-16LE and its terminating NUL.
std::vector<std::uint8_t> InstanceMessageBytes(InstanceCommand c);

// Creates the instance mutex named after the executable's file name; true for the first copy.
bool CreateInstanceMutex();

// The messenger's half: hands the command to the running copy, if there is one.
void ForwardInstanceCommand(InstanceCommand c);

// Runs the instance steps of a command line and answers whether this start runs the program. A
// first copy gets its instance window from makeInstanceWindow at once, before any other window,
// so that a later start finds it.
bool RunInstanceSteps(const std::vector<std::wstring>& args,
                      const std::function<void()>& makeInstanceWindow);

class TFrmDummyInstance {
  public:
    // Handles an instance message: at most `size` bytes at `data` are read.
    void GetDataMessage(const void* data, std::size_t size);
    InstanceCommand command = InstanceCommand::INST_INIT;

    // The windows the commands show, with the handle to bring to the front. Every command is
    // logged; one whose window is not there yet waits for Ready.
    std::function<HWindow()> showConfig;
    std::function<HWindow()> showEditGestures;

    // Carries out the last command once its window is there. Start-up calls it when every window
    // is made and handed its parts, for a command that came earlier (a second start while this
    // copy was still starting).
    void Ready();

  private:
    bool waiting = false; // the last command came before its window
};

} // namespace fg
