// Processes, errors, environment and the program's own identity.
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fg {

struct ProcessEntry {
    std::uint32_t processId = 0;
    std::wstring exeFile; // as the process list spells it
};

enum class MutexResult { Created, AlreadyExists, Failed };

class ISystem {
  public:
    virtual ~ISystem() = default;

    virtual std::uint32_t LastError() = 0;
    virtual void SetLastError(std::uint32_t code) = 0;
    // The system's message text for an error code, as the system gives it.
    virtual std::wstring ErrorText(std::uint32_t code) = 0;

    // A snapshot of the running processes; false when none could be taken.
    virtual bool ProcessSnapshot(std::vector<ProcessEntry>& out) = 0;

    // Expands %NAME% references; false when the system could not.
    virtual bool ExpandEnvironment(const std::wstring& text, std::wstring& out) = 0;

    virtual bool DebuggerPresent() = 0;
    virtual std::wstring ExecutablePath() = 0;
    // Creates a named mutex, initially owned, held until the process ends.
    virtual MutexResult CreateOwnedMutex(const std::wstring& name) = 0;
    // A shell folder by its CSIDL number; empty when the shell cannot resolve it.
    virtual std::wstring SpecialFolder(int csidl) = 0;
    // Converts text in the system's ANSI code page to UTF-16, and back (a character the code
    // page lacks becomes the system's default character).
    virtual std::wstring AnsiToWide(const std::string& text) = 0;
    virtual std::string WideToAnsi(const std::wstring& text) = 0;
    // The decimal separator of the user's regional settings.
    virtual wchar_t DecimalSeparator() = 0;
    // Values under the current user's Run key (the programs started at logon): reading answers
    // false when there is no such value; writing and deleting answer whether the system did it
    // (deleting a value that is not there counts as done).
    virtual bool RunValue(const std::wstring& name, std::wstring& value) = 0;
    virtual bool SetRunValue(const std::wstring& name, const std::wstring& value) = 0;
    virtual bool DeleteRunValue(const std::wstring& name) = 0;
    // Opens a file, folder or program the way the shell does (default verb, shown normally);
    // the shell's answer, above 32 on success.
    virtual std::intptr_t ShellOpen(HWindow owner, const std::wstring& file) = 0;
    // Starts a command line as a new process (no application name, no inherited handles, the
    // given creation flags, a start-up record left to the program); waits for it to end when asked.
    // False with the system's error code when it could not be started.
    virtual bool StartProcess(const std::wstring& commandLine, std::uint32_t creationFlags,
                              bool wait, std::uint32_t& error) = 0;
    // The zero-terminated UTF-16 text held by a global memory handle; false when it cannot be
    // locked.
    virtual bool GlobalMemoryText(std::uintptr_t handle, std::wstring& out) = 0;
    // The file version of an executable's version resource, most significant part first (1.2.3.4
    // as {1, 2, 3, 4}); false when the file has no version information.
    virtual bool FileVersion(const std::wstring& path, std::uint16_t parts[4]) = 0;
};

} // namespace fg
