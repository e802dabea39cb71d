// The standard directories end in exactly one backslash, also where the last
// byte of a name is the trail byte 0x5C of a double-byte character.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/util/directories.h"
#include "framework/util/text.h"

namespace {

std::string Take(char* text)
{
    std::string copy(text);
    FreeText(text);
    return copy;
}

std::string Windows()
{
    char* text;
    WindowsDirectory(text);
    return Take(text);
}

std::string System()
{
    char* text;
    SystemDirectory(text);
    return Take(text);
}

std::string Current()
{
    char* text;
    CurrentDirectory(text);
    return Take(text);
}

std::string Special(int folder)
{
    char* text;
    SpecialFolder(text, folder);
    return Take(text);
}

// Restores the working directory when a test changed it.
class TCurrentDirectoryKeeper {
public:
    TCurrentDirectoryKeeper() { GetCurrentDirectoryA(MAX_PATH, saved_); }
    ~TCurrentDirectoryKeeper() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH] = "";
};

}  // namespace

TEST(Directories, EndInExactlyOneBackslash)
{
    char raw[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(raw, MAX_PATH), 0u);
    const std::string system = System();
    EXPECT_EQ(std::string(raw) + "\\", system);
    EXPECT_NE('\\', system[system.size() - 2]);

    ASSERT_GT(GetWindowsDirectoryA(raw, MAX_PATH), 0u);
    EXPECT_EQ(std::string(raw) + "\\", Windows());
}

TEST(Directories, DriveRootKeepsItsOneBackslash)
{
    TCurrentDirectoryKeeper keeper;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ("C:\\", Current());
}

TEST(Directories, TrailByteBackslashIsNotASeparator)
{
    // "ソ" is 0x83 0x5C: its second byte is the backslash code, but not a backslash.
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + "dirs_\x83\x5C";
    CreateDirectoryA(folder.c_str(), nullptr);
    {
        TCurrentDirectoryKeeper keeper;
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
        const std::string current = Current();
        ASSERT_GE(current.size(), 3u);
        EXPECT_EQ("\x83\x5C\\", current.substr(current.size() - 3));
    }
    RemoveDirectoryA(folder.c_str());
}

TEST(Directories, EndsWithBackslashWalksByCharacters)
{
    EXPECT_TRUE(EndsWithBackslash("C:\\"));
    EXPECT_TRUE(EndsWithBackslash("\x83\x5C\\"));
    EXPECT_FALSE(EndsWithBackslash("C:\\\x83\x5C"));
    EXPECT_FALSE(EndsWithBackslash(""));
    EXPECT_FALSE(EndsWithBackslash("abc"));
    // A lead byte with nothing after it is a character of its own.
    EXPECT_FALSE(EndsWithBackslash("a\x83"));

    char* text;
    WithBackslash(text, "C:\\\x95\x5C");
    EXPECT_STREQ("C:\\\x95\x5C\\", text);
    FreeText(text);
    WithBackslash(text, "");
    EXPECT_STREQ("", text);
    FreeText(text);
}

TEST(Directories, SpecialFolders)
{
    EXPECT_EQ(Windows(), Special(CSIDL_WINDOWS));
    EXPECT_EQ(System(), Special(CSIDL_SYSTEM));
    const std::string appData = Special(CSIDL_APPDATA);
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ('\\', appData.back());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(appData.c_str()));
    // No folder has this number.
    EXPECT_EQ("", Special(0x7F));
}
