// The framework's entry point, seen from a program built on it: the child
// program entry_child.exe (beside this test program) is started with the
// arguments under test and writes down what its AppMain was given.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/util/windows_version.h"
#include "tests/help_browser.h"

namespace {

using Report = std::map<std::string, std::string>;

std::string Directory(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Directory(path);
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string ReadFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

// Ends the processes the child started (the help viewer), found by their parent.
void EndDescendants(DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    std::vector<DWORD> children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent)
            children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    for (DWORD child : children) {
        EndDescendants(child);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child);
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

struct TChildRun {
    bool started = false;
    DWORD exitCode = 0;
    bool reported = false;  // the report file exists: AppMain ran
    Report report;

    const std::string& operator[](const std::string& name) { return report[name]; }
    bool Has(const std::string& name) const { return report.count(name) > 0; }
};

class EntryPointTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // This process takes up the display before any child does: under Wine
        // two processes that first draw at the same moment of a fresh session
        // can race for the desktop window, and the loser dies of an X error.
        DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    }

    void SetUp() override
    {
        const std::string id = std::to_string(GetCurrentProcessId());
        appKey_ = "Software\\EntryPointTest" + id + "\\App";
        userKey_ = "Software\\EntryPointTest" + id + "\\User";
        child_ = TestProgramFolder() + "entry_child.exe";
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(child_.c_str()));
        reportPath_ = TempFolder() + "entry_report_" + id + ".txt";
    }

    void TearDown() override
    {
        DeleteFileA(reportPath_.c_str());
        const std::string base = "Software\\EntryPointTest" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, base.c_str());
    }

    // Starts `program` with the whole command line given and waits for it.
    TChildRun Run(const std::string& commandLine, const std::string& program, WORD show = SW_SHOWMINNOACTIVE)
    {
        TChildRun run;
        DeleteFileA(reportPath_.c_str());
        SetEnvironmentVariableA("ENTRY_CHILD_REPORT", reportPath_.c_str());
        SetEnvironmentVariableA("ENTRY_CHILD_APP_KEY", appKey_.c_str());
        SetEnvironmentVariableA("ENTRY_CHILD_USER_KEY", userKey_.c_str());
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        PROCESS_INFORMATION process = {};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        run.started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process) != FALSE;
        if (!run.started)
            return run;
        if (!PumpUntilSignalled(process.hProcess, 60000))
            TerminateProcess(process.hProcess, 99);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        EndDescendants(process.dwProcessId);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        run.reported = GetFileAttributesA(reportPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
        const std::string content = ReadFile(reportPath_);
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\n', start);
            if (end == std::string::npos)
                end = content.size();
            const std::string line = content.substr(start, end - start);
            const size_t equals = line.find('=');
            if (equals != std::string::npos)
                run.report[line.substr(0, equals)] = FromHex(line.substr(equals + 1));
            start = end + 1;
        }
        return run;
    }

    TChildRun RunChild(const std::string& arguments, WORD show = SW_SHOWMINNOACTIVE)
    {
        return Run("\"" + child_ + "\" " + arguments, child_, show);
    }

    void WriteSetting(const std::string& subKey, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }

    bool SettingExists(const std::string& subKey, const char* name)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        const bool exists = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return exists;
    }

    std::string child_;
    std::string appKey_;
    std::string userKey_;
    std::string reportPath_;
};

}  // namespace

TEST_F(EntryPointTest, AppMainSeesTheFilledRecord)
{
    const std::string arguments = "\"C:\\My Documents\\a b.txt\" /x:1 C:\\a D:\\b \\\\server\\share /exit:7";
    TChildRun run = RunChild(arguments, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.reported);
    EXPECT_EQ(7u, run.exitCode);

    EXPECT_EQ("1", run["instance_is_module"]);
    EXPECT_EQ("1", run["globals_instance"]);
    EXPECT_EQ("1", run["prev_instance_null"]);
    EXPECT_EQ(arguments, run["command_line"]);
    EXPECT_EQ(arguments, run["globals_command_line"]);
    EXPECT_EQ("1", run["globals_command_line_copied"]);
    EXPECT_EQ(std::to_string(SW_SHOWMINNOACTIVE), run["show_command"]);
    EXPECT_EQ(std::to_string(SW_SHOWMINNOACTIVE), run["globals_show_command"]);
    EXPECT_EQ("EntryChild", run["product_name"]);
    EXPECT_EQ("1", run["main_shape_null"]);
    EXPECT_EQ("0", run["exit_code_before"]);
    EXPECT_EQ(child_, run["module_path"]);
    EXPECT_EQ(child_.substr(0, child_.size() - 4) + ".HLP", run["help_file"]);

    EXPECT_EQ("1", run["app_key_entries"]);
    EXPECT_EQ("1", run["app_key_root_is_user"]);
    EXPECT_EQ("1", run["app_key_handle_null"]);
    EXPECT_EQ(appKey_, run["app_key_path"]);
    EXPECT_EQ("1", run["library_key_entries"]);
    EXPECT_EQ("1", run["library_key_root_is_user"]);
    EXPECT_EQ("1", run["library_key_handle_null"]);
    EXPECT_EQ("Software\\Velquist\\ZanthLibrary\\", run["library_key_path"]);

    EXPECT_EQ("4", run["argument_count"]);
    EXPECT_EQ("C:\\My Documents\\a b.txt", run["argument0"]);
    EXPECT_EQ("C:\\a", run["argument1"]);
    EXPECT_EQ("D:\\b", run["argument2"]);
    EXPECT_EQ("\\\\server\\share", run["argument3"]);
    EXPECT_EQ("2", run["switch_count"]);
    EXPECT_EQ("/x:1", run["switch0"]);
    EXPECT_EQ("/exit:7", run["switch1"]);

    EXPECT_EQ("1", run["com_initialised"]);
    // The child carries the manifest too and sees the same system.
    EXPECT_EQ(std::to_string(WindowsVersion()), run["windows_version"]);
}

TEST_F(EntryPointTest, HelpSwitchEndsWithMinusOneOnlyWithTheHelpFile)
{
    // A copy of the program in a folder of its own, so that its help file is the test's.
    const std::string folder = TempFolder() + "entry_help_" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string program = folder + "help.child.exe";
    const std::string helpFile = folder + "help.child.HLP";
    ASSERT_TRUE(CopyFileA(child_.c_str(), program.c_str(), FALSE));
    // A help file left by an earlier run that stopped half-way (Wine reuses
    // process numbers) would answer the first start.
    DeleteFileA(helpFile.c_str());

    TChildRun without = Run("\"" + program + "\" /HELP", program);
    ASSERT_TRUE(without.started);
    EXPECT_EQ(0u, without.exitCode);
    EXPECT_TRUE(without.reported);
    EXPECT_EQ(helpFile, without["help_file"]);
    EXPECT_EQ("/HELP", without["switch0"]);

    HANDLE file = CreateFileA(helpFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    for (const char* help : {"/HELP", "/help", "/?", "a /Help:x b"}) {
        SCOPED_TRACE(help);
        TWinHelpCatcher viewer;  // answered while the child runs
        TChildRun with = Run("\"" + program + "\" " + help, program);
        ASSERT_TRUE(with.started);
        EXPECT_EQ(0xFFFFFFFFu, with.exitCode);
        ASSERT_EQ(1u, viewer.Calls.size());
        EXPECT_TRUE(viewer.Calls[0].command == HELP_INDEX && viewer.Calls[0].file == helpFile);
        // The application never ran.
        EXPECT_FALSE(with.reported);
    }
    TChildRun other = Run("\"" + program + "\" /helper", program);
    EXPECT_EQ(0u, other.exitCode);
    EXPECT_TRUE(other.reported);

    DeleteFileA(helpFile.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(EntryPointTest, RestoreWithShiftHeldDeletesTheStateAndEnds)
{
    const std::string serialize = appKey_ + "\\Serialize";
    const BYTE state[] = {9, 8, 7};
    WriteSetting(serialize, "5", REG_BINARY, state, sizeof state);

    TChildRun cancelled = RunChild("/restore:5 /shift /exit:3");
    ASSERT_TRUE(cancelled.started);
    EXPECT_EQ(0xFFFFFFFFu, cancelled.exitCode);
    EXPECT_EQ("1", cancelled["restoring"]);
    EXPECT_FALSE(cancelled.Has("restored"));
    EXPECT_FALSE(SettingExists(serialize, "5"));

    WriteSetting(serialize, "5", REG_BINARY, state, sizeof state);
    TChildRun restored = RunChild("/restore:5 /exit:3");
    EXPECT_EQ(3u, restored.exitCode);
    EXPECT_EQ("1", restored["restored"]);
    EXPECT_EQ(std::string("\x09\x08\x07"), restored["restored_data"]);
    EXPECT_FALSE(SettingExists(serialize, "5"));

    // Nothing saved: the start goes on without a state.
    TChildRun nothing = RunChild("/restore:5 /shift /exit:3");
    EXPECT_EQ(3u, nothing.exitCode);
    EXPECT_EQ("0", nothing["restored"]);
}

TEST_F(EntryPointTest, ResourceTextsAndTheWidthOfShownTexts)
{
    const std::string view = userKey_ + "\\Software\\Velquist\\ZanthLibrary\\View";
    const DWORD halfWidth = 1;
    WriteSetting(view, "FontStyle", REG_DWORD, &halfWidth, sizeof halfWidth);
    TChildRun half = RunChild("/texts");
    ASSERT_TRUE(half.reported);
    EXPECT_EQ("1", half["font_style"]);
    EXPECT_EQ("ﾍﾙﾌﾟ(&H) \"ﾍﾙﾌﾟ\"", half["resource1"]);
    EXPECT_EQ("ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\"", half["display"]);

    const DWORD fullWidth = 2;
    WriteSetting(view, "FontStyle", REG_DWORD, &fullWidth, sizeof fullWidth);
    TChildRun full = RunChild("/texts");
    EXPECT_EQ("2", full["font_style"]);
    EXPECT_EQ("ヘルプ(&H) \"ﾍﾙﾌﾟ\"", full["resource1"]);
    EXPECT_EQ("ヘルプ \"ﾍﾙﾌﾟ\"", full["display"]);
    // The raw text is as the resource holds it.
    EXPECT_EQ("ﾍﾙﾌﾟ(&H) \"ﾍﾙﾌﾟ\"", full["raw1"]);

    // Without the setting the taskbar decides.
    RegDeleteTreeA(HKEY_CURRENT_USER, (userKey_ + "\\Software").c_str());
    TChildRun unset = RunChild("/texts");
    EXPECT_EQ("0", unset["font_style"]);
    EXPECT_EQ(unset["taskbar_rebar"] == "1" ? "ヘルプ \"ﾍﾙﾌﾟ\"" : "ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\"", unset["display"]);

    // Long strings are cut to the buffers; missing ones are empty.
    EXPECT_EQ(std::string(300, 'x'), full["resource2"]);
    EXPECT_EQ(std::string(254, 'x'), full["raw2"]);
    EXPECT_EQ("", full["resource99"]);
    EXPECT_TRUE(full.Has("raw99"));
    EXPECT_EQ("", full["raw99"]);
}

TEST_F(EntryPointTest, UnregistrableWindowClassEndsWithZero)
{
    TChildRun run = RunChild("/badclass /exit:5");
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("before", run["badclass"]);
}

TEST_F(EntryPointTest, BadCommandLines)
{
    TChildRun blank = Run("\"" + child_ + "\"   \t  ", child_);
    EXPECT_EQ(0u, blank.exitCode);
    EXPECT_EQ(child_, blank["module_path"]);
    EXPECT_EQ("0", blank["argument_count"]);
    EXPECT_EQ("0", blank["switch_count"]);

    TChildRun unquoted = Run(child_ + " a b", child_);
    EXPECT_EQ(child_, unquoted["module_path"]);
    EXPECT_EQ("a b", unquoted["argument0"]);

    TChildRun unterminated = RunChild("/x: \"abc /y");
    EXPECT_EQ("/x:", unterminated["switch0"]);
    EXPECT_EQ("abc /y", unterminated["argument0"]);

    TChildRun colon = RunChild("/x:");
    EXPECT_EQ("1", colon["switch_count"]);
    EXPECT_EQ("/x:", colon["switch0"]);

    // "ソ" and "表" end in the backslash code.
    TChildRun trail = RunChild("C:\\\x83\x5C\\\x95\x5C.txt \"\x83\x5C \x95\x5C\" /\x83\x5C:\"\x95\x5C\"");
    EXPECT_EQ("2", trail["argument_count"]);
    EXPECT_EQ("C:\\\x83\x5C\\\x95\x5C.txt", trail["argument0"]);
    EXPECT_EQ("\x83\x5C \x95\x5C", trail["argument1"]);
    EXPECT_EQ("/\x83\x5C:\"\x95\x5C\"", trail["switch0"]);
}

TEST_F(EntryPointTest, CommandLineOfNearlyThirtyTwoKilobytes)
{
    std::string arguments;
    int count = 0;
    // The system takes at most 32767 characters with the program path.
    while (child_.size() + 3 + arguments.size() + 8 < 32000) {
        arguments += "\"" + std::to_string(count % 10) + "\" ";
        ++count;
    }
    arguments += "/exit:4";
    TChildRun run = RunChild(arguments);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(4u, run.exitCode);
    EXPECT_EQ(std::to_string(count), run["argument_count"]);
    EXPECT_EQ(std::to_string((count - 1) % 10), run["argument_last"]);
    EXPECT_EQ(arguments, run["command_line"]);
}
