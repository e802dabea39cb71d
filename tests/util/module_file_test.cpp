#include <windows.h>

#include <gtest/gtest.h>

#include "framework/util/module_file.h"
#include "framework/util/text.h"

TEST(ModuleFile, NamesTheLoadedFile)
{
    char expected[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, expected, MAX_PATH), 0u);
    char* path;
    ModuleFileName(path, nullptr);
    EXPECT_STREQ(expected, path);
    FreeText(path);

    ModuleFileName(path, GetModuleHandleA("kernel32.dll"));
    EXPECT_NE(nullptr, strstr(path, "kernel32.dll"));
    FreeText(path);
}

TEST(ModuleFile, UnknownModuleGivesTheEmptyText)
{
    // An address that is no module: the system gives no path.
    char* path;
    ModuleFileName(path, reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x10)));
    EXPECT_STREQ("", path);
    FreeText(path);
}
