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

TEST_F(GestureFilesWin, TheSystemWritesTheExampleFileByteForByte) {
    const std::wstring file = Use(L"Gestures_fgwin.exe.ini");
    store.Gestures.SetValue(L"UP+RIGHT", L"03");
    store.ActionTypes.SetValue(L"03", L"Keystroke");
    store.Actions.SetValue(L"03", L"010057CTRL+W");
    store.Gestures.SetValue(L"[TOP]+DOWN", L"A1");
    store.ActionTypes.SetValue(L"A1", L"Run Program / File");
    store.Actions.SetValue(L"A1", L"Farrowglimmer.exe|CONFIG");
    store.SaveGestures(file);
    EXPECT_EQ(Bytes(GetDataPath() + file), "[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                           "[A1]\r\nActionType=Run Program / File\r\n"
                                           "Action=Farrowglimmer.exe|CONFIG\r\n"
                                           "[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_FALSE(Os().files->Exists(GetDataPath() + file + L".new"));

    const std::vector<std::wstring> saved = test::Bindings(store);
    TGestureStore reread;
    reread.LoadGestures(file, true);
    EXPECT_EQ(test::Bindings(reread), saved);
}

TEST_F(GestureFilesWin, AFileInUtf16IsReadAndRewrittenAsEightBitText) {
    const std::wstring file = Use(L"Gestures_fgutf16.exe.ini");
    const std::wstring text =
        L"[Settings]\r\ncbDisableAll=1\r\n"
        L"[03]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\x.exe|-q\r\n";
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    WriteBytes(file, bytes);
    store.LoadGestures(file, true);
    EXPECT_EQ(store.Actions.Value(L"03"), L"C:\\Tools\\x.exe|-q");
    EXPECT_TRUE(store.cbDisableAll);

    store.SaveGestures(file);
    EXPECT_EQ(Bytes(GetDataPath() + file),
              "[03]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\x.exe|-q\r\n"
              "[Settings]\r\ncbDisableAll=1\r\n");
}

TEST_F(GestureFilesWin, ValuesTheReaderWouldTrimOrUnquoteComeBackExactly) {
    const std::wstring file = Use(L"Gestures_fgquotes.exe.ini");
    const std::wstring actions[] = {L"\"C:\\My Apps\\x.exe\"|\"C:\\My Docs\\a b.txt\"", L" x.exe| ",
                                    L"'a'", L"\"C:\\My Apps\\x.exe\"|-q"};
    std::wstring g = L"0";
    for (const std::wstring& a : actions) {
        store.Gestures.SetValue(ToHumanReadable(g), g);
        store.ActionTypes.SetValue(g, L"Run Program / File");
        store.Actions.SetValue(g, a);
        g += g.back() == L'0' ? L'1' : L'0';
    }
    store.SaveGestures(file);
    TGestureStore reread;
    reread.LoadGestures(file, true);
    EXPECT_EQ(test::Bindings(reread), test::Bindings(store));
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
        store.LoadGestures(file, true);
        const std::vector<std::wstring> first = test::Bindings(store);
        store.SaveGestures(file);
        TGestureStore again;
        again.LoadGestures(file, true);
        EXPECT_EQ(test::Bindings(again), first);
    }
    EXPECT_EQ(store.Actions.Value(L"0"), std::wstring(2047, L'v'));
}

TEST_F(GestureFilesWin, ASaveTheSystemRefusesKeepsTheOldFile) {
    const std::wstring file = Use(L"Gestures_fgheld.exe.ini");
    const std::wstring path = GetDataPath() + file;
    store.Gestures.SetValue(L"UP", L"0");
    store.ActionTypes.SetValue(L"0", L"Macro");
    store.SaveGestures(file);
    const std::string old = Bytes(path);

    // Another program holds the file open without letting it be deleted or renamed over.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    store.Gestures.SetValue(L"DOWN", L"1");
    bool refused = false;
    try {
        store.SaveGestures(file);
    } catch (const TUserError& e) {
        refused = true;
        EXPECT_EQ(e.Message(), L"Unable to write to " + path);
    }
    CloseHandle(held);
    if (!refused) GTEST_SKIP() << "Wine replaced a file that another handle holds open";
    EXPECT_EQ(Bytes(path), old);
    EXPECT_FALSE(Os().files->Exists(path + L".new"));
}

TEST_F(GestureFilesWin, ASaveIntoAnUnwritableFolderKeepsTheOldFile) {
    const std::wstring folder = GetDataPath() + L"fgro-folder";
    const std::wstring file = L"fgro-folder\\Gestures_x.exe.ini";
    CreateDirectoryW(folder.c_str(), nullptr);
    store.Gestures.SetValue(L"UP", L"0");
    store.ActionTypes.SetValue(L"0", L"Macro");
    store.SaveGestures(file);
    const std::string old = Bytes(GetDataPath() + file);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring probe = folder + L"\\probe";
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool writable = h != INVALID_HANDLE_VALUE;
    if (writable) {
        CloseHandle(h);
        DeleteFileW(probe.c_str());
    } else {
        store.Gestures.SetValue(L"DOWN", L"1");
        EXPECT_THROW(store.SaveGestures(file), TUserError);
        EXPECT_EQ(Bytes(GetDataPath() + file), old);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW((GetDataPath() + file).c_str());
    RemoveDirectoryW(folder.c_str());
    if (writable)
        GTEST_SKIP() << "Wine lets this user create files in a read-only folder (Unix permissions "
                        "do not bind root), so a refused write cannot be shown this way";
}

TEST(GestureScanWin, TheListsReachTheMainThreadByASentMessage) {
    struct ThreadView : test::RecordingView {
        void BeginProgramUpdate() override { thread = GetCurrentThreadId(); }
        DWORD thread = 0;
    } view;
    TMainThreadWindow window;
    TGesturesParts parts;
    parts.view = &view;
    parts.mainThread = window.Caller();
    TFrmGestures gestures(parts);

    test::LogMark mark;
    gestures.StartScan();
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
