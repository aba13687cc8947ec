// fgrecorder: writes how it was started into "started.txt" beside itself, so a case can check
// what a "Run Program / File" binding passed. UTF-8, one line each: the raw command line, then
// every argument as the C runtime's rules split it. Written to a side file and renamed into place,
// so a reader never sees half a file.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return 2;
    std::wstring dir(self, len);
    dir.erase(dir.find_last_of(L'\\') + 1);

    const wchar_t* line = GetCommandLineW();
    std::string text = Utf8(line) + "\r\n";
    int argc = 0;
    if (wchar_t** argv = CommandLineToArgvW(line, &argc)) {
        for (int i = 0; i < argc; ++i) text += Utf8(argv[i]) + "\r\n";
        LocalFree(argv);
    }

    const std::wstring part = dir + L"started.txt.part";
    HANDLE f = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    if (!ok || written != text.size()) return 1;
    return MoveFileExW(part.c_str(), (dir + L"started.txt").c_str(), MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
