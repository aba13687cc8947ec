// Helpers shared by the whole program: the data folder, the foreground window and its executable,
// the z-order, joining another thread's input, waiting without freezing, environment expansion.
#pragma once

#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>

namespace fg {

// The folder of the running executable, with a trailing backslash.
std::wstring GetDataPath();
// The foreground window, asking up to six times over about 80 ms while there is none; or 0.
HWindow GetForegroundHandle();
// The next visible window below h (0: below the foreground window); or 0.
HWindow GetNextVisibleWindow(HWindow h);
// The executable file name of the process behind h: empty for 0 or no match, "[error]" when no
// process snapshot could be taken.
std::wstring GetWindowEXEName(HWindow h);
// While a gesture is held, the programs behind the windows it meets do not change: between
// BeginProcessNameReuse and EndProcessNameReuse one process snapshot answers GetWindowEXEName
// (a process it does not list takes a fresh one). Per thread, so the file scan's thread always
// looks afresh. Begin while already begun keeps the snapshot.
void BeginProcessNameReuse();
void EndProcessNameReuse();
// Gives the foreground to the window below the program's own windows.
void FocusNextWindow();
bool AttachToWindowThread(HWindow h);
void DetachFromWindowThread();
void WaitProcessingMessages(int ms);
std::wstring ExpandEnvVars(const std::wstring& s);
inline std::int64_t ByteLength(const std::wstring& s) {
    return static_cast<std::int64_t>(s.size()) * 2;
}
std::wstring GlobalHandleToString(std::uintptr_t h, std::uint32_t size);
// Opens the menu at the top-right corner of the button (the wizard's drop-down buttons).
void PopupMenuAtButton(HWindow button, const TPopupMenu& menu);

// Whether the ANSI code page holds every character of the text: one it cannot hold would be
// written as "?" (or a look-alike) by anything that writes in the code page.
bool FitsAnsiCodePage(const std::wstring& text);

// Opens a program, document or folder the way the shell does (the text is one file name, not
// split into program and arguments); when the shell refuses, starts that file as a program, with
// no arguments unless the text quotes its program itself. 0 when opened or started, else the
// system's error code. Blanks only do nothing and answer 0.
std::uint32_t ShellRun(HWindow owner, const std::wstring& text);
// The path in double quotes when it has a blank or tab and is not quoted already: unquoted,
// process creation tries the path up to each blank in turn, so "C:\Program Files\x.exe" would
// run "C:\Program.exe" when that exists.
std::wstring QuotedPath(const std::wstring& path);
// Starts a command line in a new process group without waiting for it; 0 or the error code.
std::uint32_t RunProcess(const std::wstring& commandLine, std::uint32_t creationFlags);

// The executable's file name as the data folder's owner is compared with, lower case.
constexpr const wchar_t* kOwnExeLower = L"farrowglimmer.exe";

// Lower-cases ASCII letters only, as the program's name comparisons do.
std::wstring AsciiLower(std::wstring s);

} // namespace fg
