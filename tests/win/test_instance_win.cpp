// The instance window as another process reaches it: WM_COPYDATA with any payload.
#include "app/UnitFrmDebug.h"
#include "app/UnitFrmInstance_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace fg {
namespace {

std::wstring NewestLine() { return DebugHistory().empty() ? L"" : DebugHistory().front(); }

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void Send(HWND target, const void* data, DWORD size) {
    COPYDATASTRUCT cds{0, size, const_cast<void*>(data)};
    SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}

TEST(InstanceWindow, IsFoundByClassAndDecodesForwardedCommands) {
    TFrmDummyInstanceWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(FindWindowW(L"Farrowglimmer.FrmDummyInstance", nullptr), window.Handle());
    EXPECT_FALSE(IsWindowVisible(window.Handle()));

    ForwardInstanceCommand(InstanceCommand::INST_EDIT_GESTURES);
    EXPECT_EQ(window.Logic().command, InstanceCommand::INST_EDIT_GESTURES);
    EXPECT_TRUE(EndsWith(NewestLine(), L"Instance command received: EDIT_GESTURES"));
    ForwardInstanceCommand(InstanceCommand::INST_CONFIG);
    EXPECT_EQ(window.Logic().command, InstanceCommand::INST_CONFIG);
    EXPECT_TRUE(EndsWith(NewestLine(), L"Instance command received: CONFIG"));
}

TEST(InstanceWindow, SurvivesAnyPayload) {
    TFrmDummyInstanceWindow window;
    const wchar_t edit[] = L"EDIT_GESTURES";
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        DWORD size;
        InstanceCommand expected;
    };
    std::vector<unsigned char> noNul(reinterpret_cast<const unsigned char*>(edit),
                                     reinterpret_cast<const unsigned char*>(edit) + 26);
    std::vector<unsigned char> odd = noNul;
    odd.push_back('X');
    std::vector<unsigned char> huge(8 << 20, 0x41);
    const Case cases[] = {
        {"text without its NUL", noNul, 26, InstanceCommand::INST_EDIT_GESTURES},
        {"odd length", odd, 27, InstanceCommand::INST_EDIT_GESTURES},
        {"eight megabytes without a NUL", huge, static_cast<DWORD>(huge.size()),
         InstanceCommand::INST_CONFIG},
        {"nothing at all", {}, 0, InstanceCommand::INST_CONFIG},
        {"one byte", {0x45}, 1, InstanceCommand::INST_CONFIG},
    };
    for (const Case& c : cases) {
        window.Logic().command = InstanceCommand::INST_INIT;
        Send(window.Handle(), c.bytes.empty() ? nullptr : c.bytes.data(), c.size);
        EXPECT_EQ(window.Logic().command, c.expected) << c.name;
    }
    COPYDATASTRUCT* none = nullptr;
    SendMessageW(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(none));
}

} // namespace
} // namespace fg
