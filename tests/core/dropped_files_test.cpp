// Dropped files: drop handles built as the shell builds them, real files and
// shortcuts in a temporary folder.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/window.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/text_array.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"

namespace {

// A drop handle holding the names, as WM_DROPFILES hands it over.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    size_t size = sizeof(DROPFILES) + 2;  // the list ends with an empty name
    for (const std::string& name : names)
        size += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        memcpy(p, name.c_str(), name.size() + 1);
        p += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class DroppedFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        AppGlobals.Instance = GetModuleHandleA(nullptr);
        char path[MAX_PATH];
        GetTempPathA(MAX_PATH, path);
        temp_ = std::string(path) + "drop_test_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(temp_.c_str(), nullptr);
        WNDCLASSA windowClass;
        TWindow::FillWindowClass(windowClass);
        windowClass.lpszClassName = "DroppedFilesTest";
        windowClass.lpfnWndProc = DefWindowProcA;
        RegisterClassA(&windowClass);
        top_ = CreateWindowExA(WS_EX_ACCEPTFILES, "DroppedFilesTest", "drop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 200, 200, nullptr, nullptr, AppGlobals.Instance, nullptr);
        child_ = CreateWindowExA(0, "DroppedFilesTest", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top_, nullptr,
                                 AppGlobals.Instance, nullptr);
    }

    void TearDown() override
    {
        DestroyWindow(top_);
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(temp_.c_str());
        CoUninitialize();
    }

    std::string File(const std::string& name, const char* content = "x")
    {
        const std::string path = temp_ + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
        CloseHandle(file);
        files_.push_back(path);
        return path;
    }

    std::string temp_;
    std::vector<std::string> files_;
    HWND top_ = nullptr;
    HWND child_ = nullptr;
};

}  // namespace

TEST_F(DroppedFilesTest, OneFileAndItsShortcut)
{
    const std::string target = File("target.txt");
    const std::string link = temp_ + "link.LNK";
    files_.push_back(link);
    ASSERT_TRUE(CreateShortcut(link.c_str(), target.c_str(), "", nullptr, 0));

    char* name = TWindow(child_).GetDroppedFile(MakeDrop({target, link}));
    EXPECT_EQ(target, name);  // file 0 only
    FreeText(name);
    EXPECT_EQ(top_, GetForegroundWindow());

    // A shortcut stands for its target, whatever the case of its extension.
    name = TWindow(child_).GetDroppedFile(MakeDrop({link}));
    EXPECT_STRCASEEQ(target.c_str(), name);
    FreeText(name);

    // A shortcut that cannot be read stays itself.
    const std::string broken = File("broken.lnk", "not a shortcut");
    name = TWindow(child_).GetDroppedFile(MakeDrop({broken}));
    EXPECT_EQ(broken, name);
    FreeText(name);
}

TEST_F(DroppedFilesTest, EveryFileOfADrop)
{
    const std::string a = File("a.txt");
    const std::string b = File("b.dat");
    const std::string link = temp_ + "to_a.lnk";
    files_.push_back(link);
    ASSERT_TRUE(CreateShortcut(link.c_str(), a.c_str(), "", nullptr, 0));
    // A name longer than the old fixed buffers is read whole (the file need not exist).
    const std::string longName = temp_ + std::string(300, 'n') + ".txt";

    HDROP drop = MakeDrop({a, b, link, longName});
    EXPECT_EQ(4, TWindow(top_).GetDroppedFiles(drop, nullptr));  // counting leaves the drop alive

    TTextArray files;
    files.Resize(1);
    files.Set(0, "stale");
    EXPECT_EQ(4, TWindow(top_).GetDroppedFiles(drop, &files));
    ASSERT_EQ(4, files.Count);
    EXPECT_EQ(a, files.At(0));
    EXPECT_EQ(b, files.At(1));
    EXPECT_STRCASEEQ(a.c_str(), files.At(2));
    EXPECT_EQ(longName, files.At(3));

    TTextArray one;
    EXPECT_EQ(1, TWindow(top_).GetDroppedFiles(MakeDrop({b}), &one));
    ASSERT_EQ(1, one.Count);
    EXPECT_EQ(b, one.At(0));
}

TEST_F(DroppedFilesTest, HasExtensionIgnoresCaseAndFolderDots)
{
    TTextArray extensions(2);
    extensions.Set(0, "txt");
    extensions.Set(1, "BMP");
    EXPECT_TRUE(TWindow::HasExtension("C:\\a\\b.TXT", extensions));
    EXPECT_TRUE(TWindow::HasExtension("C:\\a\\b.bmp", extensions));
    EXPECT_TRUE(TWindow::HasExtension("b.x.txt", extensions));
    EXPECT_FALSE(TWindow::HasExtension("C:\\a.txt\\b", extensions));  // the dot is in a folder name
    EXPECT_FALSE(TWindow::HasExtension("C:\\a\\b.txt2", extensions));
    EXPECT_FALSE(TWindow::HasExtension("C:\\a\\b", extensions));
    EXPECT_FALSE(TWindow::HasExtension("", extensions));
    // "表" ends in the byte 0x5C, which is no backslash here.
    EXPECT_TRUE(TWindow::HasExtension("C:\\表.txt", extensions));

    TTextArray withEmpty(1);
    EXPECT_TRUE(TWindow::HasExtension("C:\\a\\noext", withEmpty));  // no extension matches ""
    EXPECT_FALSE(TWindow::HasExtension("C:\\a\\b.txt", TTextArray()));
}
