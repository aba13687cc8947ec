// Starting programs and opening files and folders through the real shell, and the hidden window
// of the shell popup watch.
#include "actions/UnitFrmDummyWatchForExplorerPopup_win32.h"
#include "app/UnitMisc.h"

#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace fg {
namespace {

std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// The running processes: id and lower-case executable name.
std::map<DWORD, std::wstring> Processes() {
    std::map<DWORD, std::wstring> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        processes[entry.th32ProcessID] = Lower(entry.szExeFile);
    CloseHandle(snapshot);
    return processes;
}

// Ends, by id, the processes that appeared since `before`, waiting up to a deadline for the
// first one to show; gives their names.
std::set<std::wstring> EndProcessesStartedSince(const std::map<DWORD, std::wstring>& before) {
    std::map<DWORD, std::wstring> started;
    const auto collect = [&] {
        for (const auto& [id, name] : Processes())
            if (!before.count(id)) started[id] = name;
    };
    const DWORD deadline = GetTickCount() + 5000;
    for (collect(); started.empty() && static_cast<LONG>(GetTickCount() - deadline) < 0; collect())
        Sleep(50);
    Sleep(300); // a launcher may hand over to the program it starts
    collect();
    std::set<std::wstring> names;
    for (const auto& [id, name] : started) {
        names.insert(name);
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(h, 0);
            WaitForSingleObject(h, 2000);
            CloseHandle(h);
        }
    }
    return names;
}

TEST(Launch, RunProcessOfAMissingProgramGivesFileNotFound) {
    EXPECT_EQ(RunProcess(GetDataPath() + L"fg-no-such-program.exe", NORMAL_PRIORITY_CLASS),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    // The shell cannot open it either, so the fallback's error comes back.
    EXPECT_EQ(ShellRun(0, L" " + GetDataPath() + L"fg-no-such-program.exe\r\n"),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(Launch, ShellRunOpensADocumentWithItsProgram) {
    // Wine's own associations cover settings files (with Notepad) but not plain text.
    const std::wstring doc = GetDataPath() + L"fg-launch-test.ini";
    HANDLE f = CreateFileW(doc.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    wchar_t program[MAX_PATH] = L"";
    if (reinterpret_cast<INT_PTR>(FindExecutableW(doc.c_str(), nullptr, program)) <= 32) {
        DeleteFileW(doc.c_str());
        GTEST_SKIP() << "no program is registered for .ini documents here";
    }
    const std::wstring path = program;
    const std::wstring programName = Lower(path.substr(path.find_last_of(L"\\/") + 1));
    const auto before = Processes();
    const std::uint32_t result = ShellRun(0, doc + L"\r\n");
    const std::set<std::wstring> started = EndProcessesStartedSince(before);
    DeleteFileW(doc.c_str());
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(started.count(programName))
        << "expected " << std::string(programName.begin(), programName.end());
}

// A folder opens in a window of the shell's folder browser: the shell answers success and a
// program to show the folder starts.
TEST(Launch, ShellRunOpensAFolder) {
    const auto before = Processes();
    std::wstring folder = GetDataPath();
    folder.pop_back(); // without its trailing backslash, as a user would write it
    const std::uint32_t result = ShellRun(0, folder);
    const std::set<std::wstring> started = EndProcessesStartedSince(before);
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(started.empty()) << "nothing started to show the folder";
}

TEST(PopupWatchWindow, IsHiddenAndIdleUntilAGestureEnds) {
    TfrmDummyWatchForExplorerPopupWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_NE(FindWindowExW(window.Handle(), nullptr, L"Edit", nullptr), nullptr);
    EXPECT_FALSE(window.Logic().timInterval.Enabled());
}

} // namespace
} // namespace fg
