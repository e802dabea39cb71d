// The indicator on 64-bit Windows, in a 64-bit prefix where 32- and 64-bit
// programs run side by side: its 64-bit companion hooks the keys of 64-bit
// programs beside the 32-bit hook, ends with the indicator by every route, and
// the indicator does without it as before where it cannot start.
#include <windows.h>

#include <algorithm>

#include "tests/indicator/indicator_fixture.h"

namespace {

const char Companion[] = "LAMPHOST64.exe";
const int CompanionServed = 0, CompanionFoundNothing = 1;

// The companion of a running indicator (other than the one that `ended`) once
// it has recorded its hook, opened to wait on or end; null when none comes.
HANDLE WaitForCompanion(const TIndicator& indicator, DWORD ended = 0)
{
    std::vector<DWORD> found;
    if (!PumpUntil(
            [&] {
                found = ProcessesOf(Companion, indicator.info.dwProcessId);
                found.erase(std::remove(found.begin(), found.end(), ended), found.end());
                return !found.empty() && GetPropA(indicator.Monitor, "KeyboardHook64");
            },
            Patience))
        return nullptr;
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, found[0]);
}

// Its exit code once it has ended; -1 when it does not end in time.
int CompanionEnd(HANDLE companion)
{
    DWORD code = static_cast<DWORD>(-1);
    if (companion && PumpUntilSignalled(companion, Patience))
        GetExitCodeProcess(companion, &code);
    CloseHandle(companion);
    return static_cast<int>(code);
}

int CompanionStartedByHand(const std::string& folder, const std::string& arguments = "")
{
    TProcess companion;
    return companion.Start("\"" + folder + Companion + "\" " + arguments) ? companion.Finish() : -2;
}

std::string NewFolder(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

class HookCompanionTest : public IndicatorTest {
protected:
    void TearDown() override
    {
        IndicatorTest::TearDown();
        EXPECT_TRUE(PumpUntil([] { return ProcessesOf(Companion).empty(); }, Patience)) << "a companion is left";
    }
};

}  // namespace

// A 32-bit and a 64-bit program, in turn, type each lock key twice: after
// every press the recorded states are those of the typing thread's own
// key-state table, and the tray shows their picture.
TEST_F(HookCompanionTest, FollowsLockKeysTypedInProgramsOfBothKinds)
{
    StartIndicator();
    ASSERT_NE(nullptr, WaitForCompanion(indicator_));
    const std::vector<std::string> keys = {"d14 u14", "d90 u90", "d91 u91", "d14 u14", "d90 u90", "d91 u91"};
    const int index[] = {2, 6, 7, 5, 1, 0};
    for (const char* typist : {"key_typist.exe", "key_typist64.exe", "key_typist.exe"}) {
        SCOPED_TRACE(typist);
        EXPECT_EQ(0, TypeInSteps(
                         keys,
                         [&](size_t i) {
                             SCOPED_TRACE(keys[i]);
                             const int own = TypistLockStates();
                             EXPECT_EQ(index[i], own);
                             EXPECT_EQ(own, RecordedIndex(indicator_.Monitor));
                             ExpectTrayPicture(IconName('A', own));
                         },
                         typist));
    }
}

// The companion removes its hook and ends when the indicator ends, however
// it ends: afterwards a 64-bit program's lock keys reach no monitor window.
TEST_F(HookCompanionTest, EndsWithTheIndicatorByEveryRoute)
{
    enum TRoute { ExitCommand, CloseMessage, Terminated };
    const char* const names[] = {"exit command", "WM_CLOSE", "process terminated"};
    for (TRoute route : {ExitCommand, CloseMessage, Terminated}) {
        SCOPED_TRACE(names[route]);
        TIndicator indicator;
        ASSERT_TRUE(indicator.Start("/restore"));
        HANDLE companion = WaitForCompanion(indicator);
        ASSERT_NE(nullptr, companion);
        if (route == ExitCommand) {
            PostMessageA(indicator.Monitor, WM_COMMAND, 199, 0);
            PressButton(WaitForShape(indicator.info.dwProcessId), IDOK);  // the "Unregister" message
            EXPECT_EQ(0, indicator.Finish());
        } else if (route == CloseMessage) {
            EXPECT_EQ(0, indicator.Close());
        } else {
            ASSERT_TRUE(TerminateProcess(indicator.info.hProcess, 9));
        }
        EXPECT_EQ(CompanionServed, CompanionEnd(companion));
        TOwnMonitor own;
        EXPECT_EQ(0, TypeInSteps({"d14 u14 d14 u14"}, nullptr, "key_typist64.exe"));
        EXPECT_EQ(0, own.Notifications());
    }
}

// One companion at most: a second indicator starts none, and one started by
// hand beside it, or with no indicator running, ends at once.
TEST_F(HookCompanionTest, OneCompanionAtATime)
{
    StartIndicator();
    HANDLE companion = WaitForCompanion(indicator_);
    ASSERT_NE(nullptr, companion);
    const HANDLE hook = GetPropA(indicator_.Monitor, "KeyboardHook64");
    TProcess second;
    ASSERT_TRUE(second.Start("\"" + TestProgramFolder() + "Indicator.exe\" /restore"));
    EXPECT_EQ(0, second.Finish());
    EXPECT_EQ(CompanionFoundNothing, CompanionStartedByHand(TestProgramFolder()));
    EXPECT_EQ(1u, ProcessesOf(Companion).size());
    EXPECT_EQ(hook, GetPropA(indicator_.Monitor, "KeyboardHook64"));
    EXPECT_EQ(0, TypeInSteps({"d14 u14", "d14 u14"},
                             [&](size_t i) { EXPECT_EQ(i == 0 ? 2 : 0, RecordedIndex(indicator_.Monitor)); },
                             "key_typist64.exe"));

    EXPECT_EQ(0, indicator_.Close());
    EXPECT_EQ(CompanionServed, CompanionEnd(companion));
    for (const char* arguments : {"", "/restore", "\"\" * ///"})
        EXPECT_EQ(CompanionFoundNothing, CompanionStartedByHand(TestProgramFolder(), arguments)) << arguments;
}

// Where the companion cannot start or finds no library, the indicator works
// as a 32-bit one and says nothing about it. From a folder whose name holds
// double-byte characters the companion starts and hooks as from any other.
TEST_F(HookCompanionTest, DoesWithoutItsCompanionSilently)
{
    const struct {
        const char* folder;
        std::vector<const char*> files;
        bool notAProgram;  // LAMPHOST64.exe holds text
        bool hooked;
    } cases[] = {
        {"pelorum missing", {"Indicator.exe", "LAMPHOOK.dll", "LAMPHOOK64.dll"}, false, false},
        {"pelorum not a program", {"Indicator.exe", "LAMPHOOK.dll", "LAMPHOOK64.dll"}, true, false},
        {"pelorum no library", {"Indicator.exe", "LAMPHOOK.dll", Companion}, false, false},
        {"ソフト表 ﾃｽﾄ", {"Indicator.exe", "LAMPHOOK.dll", Companion, "LAMPHOOK64.dll"}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::string folder = NewFolder(c.folder);
        for (const char* file : c.files)
            ASSERT_TRUE(CopyFileA((TestProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
        if (c.notAProgram) {
            HANDLE text = CreateFileA((folder + Companion).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(text, "not a program\r\n", 15, &written, nullptr);
            CloseHandle(text);
        }
        TIndicator indicator;
        ASSERT_TRUE(indicator.Start("/restore", folder + "Indicator.exe"));
        if (c.hooked)
            CloseHandle(WaitForCompanion(indicator));
        else
            EXPECT_TRUE(PumpUntil([] { return ProcessesOf(Companion).empty(); }, Patience));
        EXPECT_EQ(c.hooked, GetPropA(indicator.Monitor, "KeyboardHook64") != nullptr);
        EXPECT_TRUE(ShowsNothing(indicator));
        EXPECT_EQ(0, TypeInSteps({"d14 u14", "d14 u14"},
                                 [&](size_t i) { EXPECT_EQ(i == 0 ? 2 : 0, RecordedIndex(indicator.Monitor)); }));
        EXPECT_EQ(0, indicator.Close());
        EXPECT_TRUE(PumpUntil([] { return ProcessesOf(Companion).empty(); }, Patience));
        for (const char* file : {"Indicator.exe", "LAMPHOOK.dll", Companion, "LAMPHOOK64.dll"})
            DeleteFileA((folder + file).c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

namespace {

class CompanionRestartTest : public HookCompanionTest {};

}  // namespace

// A companion that ends while the indicator runs (here: killed) is started
// again, three times a minute at most. A killed program's hook lives on in
// Wine: the one that ended takes it along, and after a restart the keys of
// programs of both kinds are followed as before.
TEST_F(CompanionRestartTest, StartsItsCompanionAgainWhenItEnds)
{
    StartIndicator();
    HANDLE companion = WaitForCompanion(indicator_);
    ASSERT_NE(nullptr, companion);
    const DWORD start = GetTickCount();
    int restarts = 0;
    DWORD lastKill = start;
    while (companion != nullptr && restarts < 4) {
        const DWORD ended = GetProcessId(companion);
        lastKill = GetTickCount();
        ASSERT_TRUE(TerminateProcess(companion, 9));
        EXPECT_EQ(9, CompanionEnd(companion));
        companion = WaitForCompanion(indicator_, ended);
        if (companion == nullptr)
            break;
        ++restarts;
        if (restarts == 1) {
            for (const char* typist : {"key_typist64.exe", "key_typist.exe"}) {
                SCOPED_TRACE(typist);
                EXPECT_EQ(0, TypeInSteps({"d14 u14", "d14 u14"},
                                         [&](size_t i) { EXPECT_EQ(i == 0 ? 2 : 0, RecordedIndex(indicator_.Monitor)); },
                                         typist));
            }
        }
    }
    // Killed four times within the minute: started again three times only.
    if (lastKill - start < 60000)
        EXPECT_EQ(3, restarts);
    else
        EXPECT_LE(3, restarts);
    if (companion != nullptr)
        CloseHandle(companion);
}
