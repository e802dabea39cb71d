// Shortcut files written and read back through the shell-link object, in a
// temporary folder of the test's own.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/util/list.h"
#include "framework/util/recent_documents.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"

namespace {

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        // Katakana in the folder name: "ソ", whose trail byte is 0x5C.
        folder_ = std::string(temp) + "shortcut_test_\x83\x5C" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((folder_ + data.cFileName).c_str());
            } while (FindNextFileA(search, &data));
            FindClose(search);
        }
        RemoveDirectoryA(folder_.c_str());
        CoUninitialize();
    }

    std::string MakeFile(const std::string& name)
    {
        const std::string path = folder_ + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, "text", 4, &written, nullptr);
        CloseHandle(file);
        return path;
    }

    int FileCount()
    {
        int count = 0;
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++count;
        } while (FindNextFileA(search, &data));
        FindClose(search);
        return count;
    }

    std::string folder_;
};

}  // namespace

TEST_F(ShortcutTest, WrittenAndReadBack)
{
    const std::string target = MakeFile("\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80.exe");  // "プログラム.exe"
    const std::string link = folder_ + "\x83\x5C\x83\x74\x83\x67.lnk";                    // "ソフト.lnk"
    ASSERT_TRUE(CreateShortcut(link.c_str(), target.c_str(), "/restore", target.c_str(), 3));

    char* readTarget = NewText("old");
    char* arguments = NewText("old");
    char* icon = NewText("old");
    int iconIndex = -1;
    ASSERT_TRUE(ReadShortcut(link.c_str(), &readTarget, &arguments, &icon, &iconIndex));
    EXPECT_STRCASEEQ(target.c_str(), readTarget);
    EXPECT_STREQ("/restore", arguments);
    EXPECT_STRCASEEQ(target.c_str(), icon);
    EXPECT_EQ(3, iconIndex);

    // Parts not asked for are left alone; the others are replaced.
    SetText(arguments, "kept");
    ASSERT_TRUE(ReadShortcut(link.c_str(), &readTarget, nullptr, nullptr, nullptr));
    EXPECT_STRCASEEQ(target.c_str(), readTarget);
    EXPECT_STREQ("kept", arguments);
    FreeText(readTarget);
    FreeText(arguments);
    FreeText(icon);
}

TEST_F(ShortcutTest, MissingFolderWritesNothing)
{
    const std::string target = MakeFile("target.txt");
    const std::string link = folder_ + "missing\\sub\\a.lnk";
    EXPECT_FALSE(CreateShortcut(link.c_str(), target.c_str(), "", nullptr, 0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(link.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder_ + "missing").c_str()));
    EXPECT_EQ(1, FileCount());
}

TEST_F(ShortcutTest, OverlongLinkPathIsRefused)
{
    const std::string target = MakeFile("target.txt");
    const std::string link = folder_ + std::string(300, 'a') + ".lnk";
    EXPECT_FALSE(CreateShortcut(link.c_str(), target.c_str(), "", nullptr, 0));
    EXPECT_EQ(1, FileCount());
}

TEST_F(ShortcutTest, ReadingWhatIsNoShortcutFails)
{
    const std::string text = MakeFile("plain.lnk");
    char* target = NewText("old");
    EXPECT_FALSE(ReadShortcut(text.c_str(), &target, nullptr, nullptr, nullptr));
    EXPECT_STREQ("", target);
    EXPECT_FALSE(ReadShortcut((folder_ + "none.lnk").c_str(), &target, nullptr, nullptr, nullptr));
    EXPECT_STREQ("", target);
    FreeText(target);
}

TEST_F(ShortcutTest, TargetsOfAFolderWithExtensionFilter)
{
    const std::string text = MakeFile("a.txt");
    const std::string doc = MakeFile("b.doc");
    const std::string upper = MakeFile("c.TXT");
    ASSERT_TRUE(CreateShortcut((folder_ + "1.lnk").c_str(), text.c_str(), "", nullptr, 0));
    ASSERT_TRUE(CreateShortcut((folder_ + "2.lnk").c_str(), doc.c_str(), "", nullptr, 0));
    ASSERT_TRUE(CreateShortcut((folder_ + "3.lnk").c_str(), upper.c_str(), "", nullptr, 0));

    TStringList all;
    ShortcutTargets(folder_.c_str(), all, nullptr);
    EXPECT_EQ(3, all.Count());  // the plain files are no shortcuts

    TStringList texts;
    texts.Add("kept");  // the list is not cleared
    ShortcutTargets(folder_.c_str(), texts, "txt;doc");
    ASSERT_EQ(3, texts.Count());
    EXPECT_STREQ("kept", texts.At(0));
    // Extensions compare case-sensitively: c.TXT is left out.
    for (int i = 1; i < texts.Count(); ++i)
        EXPECT_EQ(nullptr, strstr(texts.At(i), ".TXT"));

    TStringList none;
    ShortcutTargets(folder_.c_str(), none, "xls");
    EXPECT_EQ(0, none.Count());
}

TEST(RecentDocuments, AppendsWithoutClearing)
{
    CoInitialize(nullptr);
    TStringList targets;
    targets.Add("kept");
    RecentDocuments(targets, "no-such-extension");
    ASSERT_EQ(1, targets.Count());
    EXPECT_STREQ("kept", targets.At(0));
    CoUninitialize();
}
