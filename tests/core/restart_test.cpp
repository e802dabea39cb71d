// Restart registration and the restored state, against the real registry. The
// process's HKEY_CURRENT_USER is redirected to a test-only key while a test
// runs, so that the RunOnce values written never reach the user's own RunOnce key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/command_line.h"
#include "framework/core/restart.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_roots.h"
#include "framework/settings/state_blob.h"
#include "framework/util/text.h"

namespace {

class RestartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandboxPath_ = "Software\\RestartTest" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, sandboxPath_.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &sandbox_, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, sandbox_));

        savedProduct_ = AppGlobals.ProductName;
        savedAppKey_ = AppGlobals.AppKey;
        AppGlobals.ProductName = NewText("RestartTest");
        AppGlobals.AppKey = new TRegistryKeyChain;
        AppGlobals.AppKey->AddEntry(RootCurrentUser, "Software\\Velquist\\Test\\1.x");
        SplitCommandLine("\"C:\\Program Files\\\x83\x5C\\prog.exe\"");
        SetProgramFile(L"C:\\Program Files\\ソ\\prog.exe");
    }

    void TearDown() override
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        SplitCommandLine("");
        SetProgramFile(L"");
        FreeText(AppGlobals.ProductName);
        AppGlobals.ProductName = savedProduct_;
        delete AppGlobals.AppKey;
        AppGlobals.AppKey = savedAppKey_;
        RegCloseKey(sandbox_);
        RegDeleteTreeA(HKEY_CURRENT_USER, sandboxPath_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, sandboxPath_.c_str());
    }

    // Reads a value below the sandbox (what the program sees as HKEY_CURRENT_USER).
    bool Read(const char* subKey, const char* name, std::vector<BYTE>& data, DWORD& type)
    {
        HKEY key;
        if (RegOpenKeyExA(sandbox_, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            data.resize(size);
            result = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
        }
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool Exists(const char* subKey, const char* name)
    {
        std::vector<BYTE> data;
        DWORD type = 0;
        return Read(subKey, name, data, type);
    }

    std::string RunOnceText(const char* name)
    {
        std::vector<BYTE> data;
        DWORD type = 0;
        if (!Read(RunOnceKeyPath, name, data, type) || type != REG_SZ)
            return "<none>";
        // The stored length counts the terminating NUL.
        if (data.empty() || data.back() != 0)
            return "<unterminated>";
        return std::string(reinterpret_cast<const char*>(data.data()), data.size() - 1);
    }

    void Write(const char* subKey, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(sandbox_, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }

    int ValueCount(const char* subKey)
    {
        HKEY key;
        if (RegOpenKeyExA(sandbox_, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        DWORD values = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        return static_cast<int>(values);
    }

    static constexpr const char* Serialize = "Software\\Velquist\\Test\\1.x\\Serialize";
    std::string sandboxPath_;
    HKEY sandbox_ = nullptr;
    char* savedProduct_ = nullptr;
    TRegistryKeyChain* savedAppKey_ = nullptr;
};

const BYTE SampleState[] = {1, 2, 3, 0, 0xFF};

}  // namespace

TEST_F(RestartTest, TakesTheFirstFreeNameAfterZeroAndOne)
{
    Write(RunOnceKeyPath, "RestartTest0", REG_SZ, "first", 6);
    Write(RunOnceKeyPath, "RestartTest1", REG_SZ, "second", 7);
    const TStateBlob state(SampleState, sizeof SampleState);
    ASSERT_TRUE(RegisterRestart(&state));

    EXPECT_EQ("\"C:\\Program Files\\\x83\x5C\\prog.exe\" /restore:2", RunOnceText("RestartTest2"));
    EXPECT_EQ("first", RunOnceText("RestartTest0"));
    EXPECT_EQ("second", RunOnceText("RestartTest1"));
    std::vector<BYTE> data;
    DWORD type = 0;
    ASSERT_TRUE(Read(Serialize, "2", data, type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::vector<BYTE>(SampleState, SampleState + sizeof SampleState), data);
    EXPECT_EQ(1, ValueCount(Serialize));
}

TEST_F(RestartTest, RestoredOnceThenGone)
{
    const TStateBlob state(SampleState, sizeof SampleState);
    ASSERT_TRUE(RegisterRestart(&state));
    EXPECT_EQ("\"C:\\Program Files\\\x83\x5C\\prog.exe\" /restore:0", RunOnceText("RestartTest0"));

    SplitCommandLine("prog /RESTORE:0");
    TStateBlob restored;
    ASSERT_TRUE(RestoreSession(restored));
    ASSERT_EQ(static_cast<int>(sizeof SampleState), restored.Size);
    EXPECT_EQ(0, memcmp(SampleState, restored.Data, sizeof SampleState));
    EXPECT_FALSE(Exists(Serialize, "0"));

    // A second restore finds nothing and leaves the caller's state alone.
    EXPECT_FALSE(RestoreSession(restored));
    EXPECT_EQ(static_cast<int>(sizeof SampleState), restored.Size);
}

TEST_F(RestartTest, WithoutStateRegistersTheStartAndReportsFalse)
{
    EXPECT_FALSE(RegisterRestart(nullptr));
    EXPECT_EQ("\"C:\\Program Files\\\x83\x5C\\prog.exe\" /restore:0", RunOnceText("RestartTest0"));
    EXPECT_EQ(0, ValueCount(Serialize));
}

TEST_F(RestartTest, QuotedModulePathIsNotQuotedAgain)
{
    // A program path whose quotes stayed (only one quote pair is ever removed).
    FreeText(AppGlobals.ModulePath);
    AppGlobals.ModulePath = NewText("\"C:\\a b\\prog.exe\"");
    SetProgramFile(L"C:\\a b\\prog.exe");
    const TStateBlob empty;
    ASSERT_TRUE(RegisterRestart(&empty));
    EXPECT_EQ("\"C:\\a b\\prog.exe\" /restore:0", RunOnceText("RestartTest0"));
    // An empty state is stored as an empty value and restored as one.
    SplitCommandLine("prog /restore:0");
    TStateBlob restored(SampleState, 2);
    ASSERT_TRUE(RestoreSession(restored));
    EXPECT_EQ(0, restored.Size);
}

TEST_F(RestartTest, UnreadableValuesStillTakeTheirNames)
{
    // Too long for a 1024-byte read, and not a string at all: both are someone's entries.
    const std::string longText(2000, 'x');
    Write(RunOnceKeyPath, "RestartTest0", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    const DWORD number = 5;
    Write(RunOnceKeyPath, "RestartTest1", REG_DWORD, &number, sizeof number);
    const TStateBlob state(SampleState, 1);
    ASSERT_TRUE(RegisterRestart(&state));
    EXPECT_EQ(longText, RunOnceText("RestartTest0"));
    EXPECT_EQ("\"C:\\Program Files\\\x83\x5C\\prog.exe\" /restore:2", RunOnceText("RestartTest2"));
}

TEST_F(RestartTest, RunOnceKeyThatCannotBeOpenedWritesNothing)
{
    // The state would go to a key that stays usable; HKEY_CURRENT_USER itself
    // is a key that has been deleted, under which nothing can be created.
    HKEY appRoot;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(sandbox_, "AppRoot", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &appRoot, nullptr));
    AppGlobals.AppKey->At(0).Root = appRoot;
    HKEY doomed;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(sandbox_, "Doomed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &doomed, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, doomed));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(sandbox_, "Doomed"));

    const TStateBlob state(SampleState, sizeof SampleState);
    EXPECT_FALSE(RegisterRestart(&state));
    EXPECT_FALSE(RegisterRestart(nullptr));

    RegOverridePredefKey(HKEY_CURRENT_USER, sandbox_);
    RegCloseKey(doomed);
    EXPECT_EQ(0, ValueCount("AppRoot\\Software\\Velquist\\Test\\1.x\\Serialize"));
    RegCloseKey(appRoot);
}

TEST_F(RestartTest, StateThatCannotBeSavedLeavesNoRunOnceEntry)
{
    const TStateBlob state(SampleState, sizeof SampleState);
    delete AppGlobals.AppKey;
    AppGlobals.AppKey = nullptr;
    EXPECT_FALSE(RegisterRestart(&state));
    EXPECT_EQ(0, ValueCount(RunOnceKeyPath));

    // An application key below a key that no longer exists.
    HKEY gone;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(sandbox_, "Gone", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &gone, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(sandbox_, "Gone"));
    AppGlobals.AppKey = new TRegistryKeyChain;
    AppGlobals.AppKey->AddEntry(gone, "App");
    EXPECT_FALSE(RegisterRestart(&state));
    EXPECT_EQ(0, ValueCount(RunOnceKeyPath));
    RegCloseKey(gone);
}

TEST_F(RestartTest, RestoreRefusesSwitchValuesThatAreNoNumbers)
{
    Write(Serialize, "abc", REG_BINARY, SampleState, sizeof SampleState);
    Write(Serialize, "", REG_BINARY, SampleState, sizeof SampleState);
    Write(Serialize, "3", REG_BINARY, SampleState, sizeof SampleState);
    TStateBlob restored(SampleState, 1);
    for (const char* line : {"prog", "prog /restore", "prog /restore:", "prog /restore:abc", "prog /restore:\"3\"",
                             "prog /restore:-3", "prog /restore: 3", "prog /restore:99999999999"}) {
        SCOPED_TRACE(line);
        SplitCommandLine(line);
        EXPECT_FALSE(RestoreSession(restored));
        EXPECT_EQ(1, restored.Size);
    }
    // Nothing was deleted.
    EXPECT_EQ(3, ValueCount(Serialize));
}

TEST_F(RestartTest, RestoreOfAValueLongerThanTheBufferFails)
{
    const std::vector<BYTE> big(1025, 0xAB);
    const std::vector<BYTE> fits(1024, 0xCD);
    Write(Serialize, "4", REG_BINARY, big.data(), static_cast<DWORD>(big.size()));
    Write(Serialize, "5", REG_BINARY, fits.data(), static_cast<DWORD>(fits.size()));
    TStateBlob restored(SampleState, 1);
    SplitCommandLine("prog /restore:4");
    EXPECT_FALSE(RestoreSession(restored));
    EXPECT_EQ(1, restored.Size);
    EXPECT_TRUE(Exists(Serialize, "4"));

    SplitCommandLine("prog /restore:5");
    ASSERT_TRUE(RestoreSession(restored));
    EXPECT_EQ(1024, restored.Size);
    EXPECT_EQ(0xCD, restored.Data[1023]);
    EXPECT_FALSE(Exists(Serialize, "5"));
}
