#include "LogLines.h"
#include "app/UnitFrmInstance.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace fg {
namespace {

using IC = InstanceCommand;

TEST(Startup, OnlyTheFirstArgumentCounts) {
    struct Case {
        std::vector<std::wstring> args;
        std::vector<IC> steps;
    };
    const Case cases[] = {
        {{}, {IC::INST_INIT}},
        {{L"config"}, {IC::INST_CONFIG}},
        {{L"CONFIG"}, {IC::INST_CONFIG}},
        {{L"Edit_Gestures"}, {IC::INST_EDIT_GESTURES}},
        {{L"CONFIG", L"EDIT_GESTURES"}, {IC::INST_CONFIG}},
        {{L"-data"}, {}},
        {{L"-data", L"CONFIG"}, {}},
        {{L""}, {}},
        {{L"C\u00d6NFIG"}, {}},
        {{std::wstring(100000, L'x')}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstanceStepsFor(c.args), c.steps) << c.args.size();
}

TEST(Startup, InstanceMessageCarriesTheTextAndItsNul) {
    const auto config = InstanceMessageBytes(IC::INST_CONFIG);
    EXPECT_EQ(config,
              (std::vector<std::uint8_t>{'C', 0, 'O', 0, 'N', 0, 'F', 0, 'I', 0, 'G', 0, 0, 0}));
    EXPECT_EQ(InstanceMessageBytes(IC::INST_EDIT_GESTURES).size(), 28u);
}

TEST(Startup, ForwardingSendsOnlyWhenACopyRuns) {
    fake::FakePlatform platform;
    ForwardInstanceCommand(IC::INST_CONFIG);
    EXPECT_TRUE(platform.desktop.copyData.empty());

    const HWindow running = platform.desktop.AddWindow(2, 3, false, kInstanceClassName);
    ForwardInstanceCommand(IC::INST_EDIT_GESTURES);
    ASSERT_EQ(platform.desktop.copyData.size(), 1u);
    EXPECT_EQ(platform.desktop.copyData[0].target, running);
    EXPECT_EQ(platform.desktop.copyData[0].bytes, InstanceMessageBytes(IC::INST_EDIT_GESTURES));
    EXPECT_EQ(platform.desktop.pumps, 4); // messages processed before and after each send
}

TEST(Startup, MutexIsNamedAfterTheExecutable) {
    fake::FakePlatform platform;
    platform.system.exePath = L"D:\\Apps\\Farrowglimmer.exe";
    EXPECT_TRUE(CreateInstanceMutex());
    EXPECT_FALSE(CreateInstanceMutex());
    EXPECT_EQ(platform.system.mutexes, std::set<std::wstring>{L"Farrowglimmer.exe"});
    platform.system.mutexFails = true;
    EXPECT_FALSE(CreateInstanceMutex()); // a failure counts as a later copy
}

TEST(Startup, APlainStartBesideARunningCopyHandsOverAndEnds) {
    struct Case {
        const char* name;
        bool mutexHeld;   // a copy already holds the instance mutex
        bool mutexFails;  // the system refuses the mutex altogether
        bool copyAnswers; // that copy's instance window exists
        bool runs;        // this start goes on to run the program
        bool makesWindow; // ... with its instance window made at once
        bool handsOver;   // "EDIT_GESTURES" reaches the running copy
    };
    const Case cases[] = {
        {"first copy", false, false, false, true, true, false},
        {"a copy runs", true, false, true, false, false, true},
        {"the mutex is refused, a copy runs", false, true, true, false, false, true},
        // The copy that held the mutex is on its way out: no one shows anything, so this runs.
        {"mutex held, no copy answers", true, false, false, true, false, false},
        {"the mutex is refused, no copy runs", false, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        fake::FakePlatform platform;
        platform.system.exePath = L"C:\\Tools\\Farrowglimmer.exe";
        if (c.mutexHeld) platform.system.mutexes.insert(L"Farrowglimmer.exe");
        platform.system.mutexFails = c.mutexFails;
        const HWindow running =
            c.copyAnswers ? platform.desktop.AddWindow(7, 8, false, kInstanceClassName) : 0;
        int made = 0;
        EXPECT_EQ(RunInstanceSteps({}, [&] { ++made; }), c.runs) << c.name;
        EXPECT_EQ(made, c.makesWindow ? 1 : 0) << c.name;
        if (!c.handsOver) {
            EXPECT_TRUE(platform.desktop.copyData.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(platform.desktop.copyData.size(), 1u) << c.name;
        EXPECT_EQ(platform.desktop.copyData[0].target, running) << c.name;
        EXPECT_EQ(platform.desktop.copyData[0].bytes, InstanceMessageBytes(IC::INST_EDIT_GESTURES))
            << c.name;
    }
}

TEST(InstanceMessage, EveryTextButEditGesturesAsksForTheConfiguration) {
    fake::FakePlatform platform;
    TFrmDummyInstance instance;
    struct Case {
        std::vector<std::uint8_t> bytes;
        IC expected;
        const wchar_t* logged;
    };
    const Case cases[] = {
        {InstanceMessageBytes(IC::INST_CONFIG), IC::INST_CONFIG, L"CONFIG"},
        {InstanceMessageBytes(IC::INST_EDIT_GESTURES), IC::INST_EDIT_GESTURES, L"EDIT_GESTURES"},
        {{'e', 0, 'd', 0, 'i', 0, 't', 0}, IC::INST_CONFIG, L"CONFIG"},
        {{}, IC::INST_CONFIG, L"CONFIG"},
    };
    for (const Case& c : cases) {
        test::LogMark mark;
        instance.GetDataMessage(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(instance.command, c.expected);
        EXPECT_EQ(mark.Messages(), std::vector<std::wstring>{
                                       std::wstring(L"Instance command received: ") + c.logged});
    }
}

TEST(InstanceMessage, ReadsNoFurtherThanTheGivenSize) {
    fake::FakePlatform platform;
    TFrmDummyInstance instance;
    // "EDIT_GESTURES" without its NUL, then bytes that must not be read.
    std::vector<std::uint8_t> bytes = InstanceMessageBytes(IC::INST_EDIT_GESTURES);
    bytes.resize(26);
    bytes.insert(bytes.end(), {'X', 0, 0, 0});
    instance.GetDataMessage(bytes.data(), 26);
    EXPECT_EQ(instance.command, IC::INST_EDIT_GESTURES);
    instance.GetDataMessage(bytes.data(), 27); // odd: the last byte is no code unit
    EXPECT_EQ(instance.command, IC::INST_EDIT_GESTURES);
    instance.GetDataMessage(bytes.data(), 30);
    EXPECT_EQ(instance.command, IC::INST_CONFIG);
}

TEST(InstanceMessage, ShownWindowIsBroughtToTheFront) {
    fake::FakePlatform platform;
    const HWindow config = platform.desktop.AddWindow(platform.desktop.ownThread, 1);
    platform.desktop.AddWindow(5, 6);
    platform.desktop.foreground = platform.desktop.zorder[0].handle;
    TFrmDummyInstance instance;
    int shown = 0;
    instance.showConfig = [&] {
        ++shown;
        return config;
    };
    const auto bytes = InstanceMessageBytes(IC::INST_CONFIG);
    instance.GetDataMessage(bytes.data(), bytes.size());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(platform.desktop.foreground, config);
}

TEST(InstanceMessage, ACommandThatComesBeforeItsWindowIsCarriedOutWhenTheCopyIsReady) {
    fake::FakePlatform platform;
    const HWindow edit = platform.desktop.AddWindow(platform.desktop.ownThread, 1);
    platform.desktop.AddWindow(5, 6);
    platform.desktop.foreground = platform.desktop.zorder[0].handle;
    TFrmDummyInstance instance;
    const auto bytes = InstanceMessageBytes(IC::INST_EDIT_GESTURES);
    instance.GetDataMessage(bytes.data(), bytes.size()); // the copy is still making its windows
    int shown = 0;
    instance.showEditGestures = [&] {
        ++shown;
        return edit;
    };
    EXPECT_EQ(shown, 0);
    instance.Ready();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(platform.desktop.foreground, edit);
    instance.Ready();
    EXPECT_EQ(shown, 1) << "carried out once";
}

} // namespace
} // namespace fg
