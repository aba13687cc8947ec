// The saved log's bytes and its backups on the real file system.
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace fg {
namespace {

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(f, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    return bytes;
}

TEST(DebugLogFile, HasTheByteOrderMarkCrLfLinesAndNumberedBackups) {
    const std::wstring name = L"DebugWinTest.txt";
    const std::wstring path = GetDataPath() + name;
    for (const wchar_t* suffix : {L"", L".bak1", L".bak2"}) DeleteFileW((path + suffix).c_str());

    TFrmDebug log(nullptr);
    AppendLog(L"first \u00e9");
    AppendLog(L"second");
    log.SaveLogToFile(name);
    const std::vector<unsigned char> first = ReadBytes(path);
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[1], 0xFE);
    std::wstring text;
    log.GetLogText(text);
    ASSERT_EQ(first.size(), 2 + text.size() * 2);
    EXPECT_EQ(0, memcmp(first.data() + 2, text.data(), text.size() * 2));
    const std::wstring body(reinterpret_cast<const wchar_t*>(first.data() + 2), text.size());
    EXPECT_LT(body.find(L"second\r\n"), body.find(L"first \u00e9\r\n")); // newest first

    log.SaveLogToFile(name);
    EXPECT_EQ(ReadBytes(path + L".bak1"), first);
    log.SaveLogToFile(name);
    EXPECT_FALSE(ReadBytes(path + L".bak2").empty());
    for (const wchar_t* suffix : {L"", L".bak1", L".bak2"}) DeleteFileW((path + suffix).c_str());
}

TEST(DebugLogFile, AnUnwritablePathRaisesTheSystemsReason) {
    TFrmDebug log(nullptr);
    EXPECT_THROW(log.SaveLogToFile(L"no\\such\\folder\\Debug.txt"), std::exception);
}

TEST(DebugLog, LastErrorSuffixCarriesTheSystemText) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    AppendLog(L"open", true);
    const std::wstring line = DebugHistory().front();
    EXPECT_NE(line.find(L"open :(2) "), std::wstring::npos) << std::string(line.begin(), line.end());
    EXPECT_NE(line.back(), L'.');
    EXPECT_GT(line.back(), L' ');
}

} // namespace
} // namespace fg
