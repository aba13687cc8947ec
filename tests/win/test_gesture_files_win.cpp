// Gesture files through the real profile routines: the bytes they write, files in UTF-16,
// hostile files, saves the system refuses, and the scan's hand-over by a sent message.
#include "../unit/GestureFakes.h"
#include "../unit/LogLines.h"
#include "app/UnitMisc.h"
#include "gestures/UnitFrmGestures_win32.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace fg {
namespace {

std::string Bytes(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    Os().files->ReadAll(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

class GestureFilesWin : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::wstring& name : made) {
            SetFileAttributesW((GetDataPath() + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            Os().files->Delete(GetDataPath() + name);
            Os().files->Delete(GetDataPath() + name + L".new");
        }
    }
    std::wstring Use(const std::wstring& name) {
        made.push_back(name);
        Os().files->Delete(GetDataPath() + name);
        return name;
    }
    void WriteBytes(const std::wstring& name, const std::string& bytes) {
        std::wstring error;
        ASSERT_TRUE(Os().files->WriteAll(
            GetDataPath() + name, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), error));
    }

    TGestureStore store;
    std::vector<std::wstring> made;
};

std::string Utf16WithMark(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

constexpr const wchar_t* kExample = L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                    L"[A1]\r\nActionType=Run Program / File\r\n"
                                    L"Action=Farrowglimmer.exe|CONFIG\r\n"
                                    L"[Settings]\r\ncbDisableAll=0\r\n";

// A new file is begun as UTF-16 so that the routines keep every character; a file in the code
// page that holds every value is rewritten in the code page, byte for byte as the routines write.
TEST_F(GestureFilesWin, TheSystemWritesTheExampleFileByteForByte) {
    const std::wstring file = Use(L"Gestures_fgwin.exe.ini");
    TGestureFile example;
    example.Set({L"03", L"Keystroke", L"010057CTRL+W"});
    example.Set({L"A1", L"Run Program / File", L"Farrowglimmer.exe|CONFIG"});
    store.SaveGestures(file, example);
    EXPECT_EQ(Bytes(GetDataPath() + file), Utf16WithMark(kExample));
    EXPECT_FALSE(Os().files->Exists(GetDataPath() + file + L".new"));

    TGestureStore reread;
    const auto back = reread.LoadGestures(file, true);
    EXPECT_EQ(test::Bindings(*back), test::Bindings(example));

    const std::wstring text = kExample;
    WriteBytes(file, std::string(text.begin(), text.end()));
    reread.SaveGestures(file, *back);
    EXPECT_EQ(Bytes(GetDataPath() + file), std::string(text.begin(), text.end()));
}

TEST_F(GestureFilesWin, AFileInUtf16KeepsEveryCharacterThroughASave) {
    const std::wstring file = Use(L"Gestures_fgutf16.exe.ini");
    const std::wstring action =
        L"C:\\Data\\\x30C4\x30FC\x30EB\\\x8A18\x9332.exe|\x65E5\x672C \x8A9E";
    WriteBytes(file, Utf16WithMark(L"[Settings]\r\ncbDisableAll=1\r\n"
                                   L"[03]\r\nActionType=Run Program / File\r\nAction=" +
                                   action + L"\r\n"));
    const auto read = store.LoadGestures(file, true);
    EXPECT_EQ(read->FindGesture(L"03")->action, action);
    EXPECT_TRUE(read->disabled);

    store.SaveGestures(file, *read);
    EXPECT_EQ(Bytes(GetDataPath() + file),
              Utf16WithMark(L"[03]\r\nActionType=Run Program / File\r\nAction=" + action +
                            L"\r\n[Settings]\r\ncbDisableAll=1\r\n"));
    TGestureStore reread;
    EXPECT_EQ(reread.LoadGestures(file, true)->FindGesture(L"03")->action, action);
}

TEST_F(GestureFilesWin, ValuesTheReaderWouldTrimOrUnquoteComeBackExactly) {
    const std::wstring file = Use(L"Gestures_fgquotes.exe.ini");
    const std::wstring actions[] = {L"\"C:\\My Apps\\x.exe\"|\"C:\\My Docs\\a b.txt\"", L" x.exe| ",
                                    L"'a'", L"\"C:\\My Apps\\x.exe\"|-q"};
    std::wstring g = L"0";
    TGestureFile written;
    for (const std::wstring& a : actions) {
        written.Set({g, L"Run Program / File", a});
        g += g.back() == L'0' ? L'1' : L'0';
    }
    store.SaveGestures(file, written);
    TGestureStore reread;
    EXPECT_EQ(test::Bindings(*reread.LoadGestures(file, true)), test::Bindings(written));
}

TEST_F(GestureFilesWin, HostileFilesLoadWithoutHarm) {
    const std::wstring file = Use(L"Gestures_fghostile.exe.ini");
    std::string garbage;
    for (int i = 0; i < 8192; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    const std::string longValue =
        "[0]\r\nActionType=Multiple Keystrokes\r\nAction=" + std::string(100000, 'v') + "\r\n";
    for (const std::string& bytes : {garbage + "\r\n[03]\r\nActionType=Keystroke\r\n", longValue}) {
        WriteBytes(file, bytes);
        const auto read = store.LoadGestures(file, true);
        store.SaveGestures(file, *read);
        TGestureStore again;
        EXPECT_EQ(test::Bindings(*again.LoadGestures(file, true)), test::Bindings(*read));
    }
    EXPECT_EQ(store.LoadGestures(file, true)->FindGesture(L"0")->action, std::wstring(2047, L'v'));
}

// Two refusals that hold for any user, root included: the file held open by another program
// that shares nothing (it can be neither replaced nor deleted), and a folder where the save's new
// file would go. Either way the old file stays as it was and the error names the file.
TEST_F(GestureFilesWin, ASaveTheSystemRefusesKeepsTheOldFile) {
    const std::wstring file = Use(L"Gestures_fgheld.exe.ini");
    const std::wstring path = GetDataPath() + file;
    TGestureFile bindings;
    bindings.Set({L"0", L"Macro", L""});
    store.SaveGestures(file, bindings);
    const std::string old = Bytes(path);

    const std::function<void()> refusals[] = {
        [&] {
            const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            try {
                store.SaveGestures(file, bindings);
                ADD_FAILURE() << "a save over a file held without sharing succeeded";
            } catch (const TUserError& e) {
                EXPECT_EQ(e.Message(), L"Unable to write to " + path);
            }
            CloseHandle(held);
            EXPECT_FALSE(Os().files->Exists(path + L".new"));
        },
        [&] {
            ASSERT_TRUE(CreateDirectoryW((path + L".new").c_str(), nullptr));
            EXPECT_THROW(store.SaveGestures(file, bindings), TUserError);
            RemoveDirectoryW((path + L".new").c_str());
        },
    };
    bindings.Set({L"1", L"Keystroke", L"000042B"});
    for (const auto& refuse : refusals) {
        refuse();
        EXPECT_EQ(Bytes(path), old);
    }
}

TEST(GestureScanWin, TheListsReachTheMainThreadByASentMessage) {
    struct ThreadView : IGesturesEditView {
        void Mirror() override { thread = GetCurrentThreadId(); }
        bool IsShowing() override { return false; }
        void Show() override {}
        void Hide() override {}
        HWindow Handle() override { return 0; }
        bool Confirm(const std::wstring&) override { return false; }
        DWORD thread = 0;
    } view;
    TMainThreadWindow window;
    TGestureStore store;
    TFrmGesturesEdit edit(store, &view, {.mainThread = window.Caller()});

    test::LogMark mark;
    edit.tsSwitchChange(kProgramTab); // starts a scan; its lists come by a sent message
    view.thread = 0;
    const DWORD deadline = GetTickCount() + 20000;
    while (mark.Messages().size() < 2 && GetTickCount() < deadline) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    const std::vector<std::wstring> lines = mark.Messages();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(L"[FGest] INI count ", 0), 0u);
    EXPECT_EQ(lines[1].rfind(L"[FGest] PROGS count ", 0), 0u);
    EXPECT_EQ(view.thread, GetCurrentThreadId());
    EXPECT_TRUE(TGatherINIData::WaitUntilIdle(std::chrono::seconds(10)));
}

} // namespace
} // namespace fg
