// The program's texts (code page 932) crossing into Windows and back through
// real windows, menus and the registry: whatever the framework sets reads back
// with the wide functions as the text's UTF-16, and what is set with them
// reads back through the framework as the same 932 bytes. The texts' 932
// bytes read otherwise in any other code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/menu_item.h"
#include "framework/core/system_menu_extras.h"
#include "framework/core/window.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/util/list.h"
#include "framework/util/text.h"
#include "framework/util/window_class.h"

namespace {

const struct {
    const char* text;     // as the program holds it
    const wchar_t* wide;  // as the system shows it
} kTexts[] = {
    {"ﾊﾞｰｼﾞｮﾝ情報", L"ﾊﾞｰｼﾞｮﾝ情報"},
    {"設定(&S)", L"設定(&S)"},
    {"表示位置(&P)", L"表示位置(&P)"},  // 表 ends in the byte of a backslash
    {"Plain", L"Plain"},
};

std::wstring WindowTextW(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring MenuStringW(HMENU menu, UINT position)
{
    wchar_t text[256] = L"";
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

std::wstring RegistryTextW(HKEY key, const wchar_t* name)
{
    wchar_t text[256] = L"";
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return L"<none>";
    return text;
}

class WideTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppGlobals.Instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass;
        TWindow::FillWindowClass(windowClass);
        RegisterWindowClass(windowClass);
    }

    HWND Make(const char* title)
    {
        return TWindow::CreateEx(&object_, 0, "ZanthWindowClass", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                 nullptr, nullptr);
    }

    TWindow object_;
};

}  // namespace

TEST_F(WideTexts, WindowTextsBothWays)
{
    for (const auto& row : kTexts) {
        SCOPED_TRACE(row.text);
        HWND window = Make(row.text);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(IsWindowUnicode(window));
        EXPECT_EQ(row.wide, WindowTextW(window));
        TText read(object_.GetTextCopy());
        EXPECT_STREQ(row.text, read.Get());
        // Set by the system's wide function, read by the framework; and back.
        ASSERT_TRUE(SetWindowTextW(window, L""));
        ASSERT_TRUE(SetWindowTextW(window, row.wide));
        read.Set(object_.GetTextCopy());
        EXPECT_STREQ(row.text, read.Get());
        ASSERT_TRUE(object_.SetText(""));
        ASSERT_TRUE(object_.SetText(row.text));
        EXPECT_EQ(row.wide, WindowTextW(window));
        DestroyWindow(window);
    }
}

TEST_F(WideTexts, MenuItemsBothWays)
{
    for (const auto& row : kTexts) {
        SCOPED_TRACE(row.text);
        HMENU menu = CreatePopupMenu();
        ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 100, row.wide));
        // Captured from the menu into the item, then given back to the menu.
        TMenuItem item(TMenuPosition{0});
        item.CaptureAndMakeOwnerDraw(menu);
        EXPECT_STREQ(row.text, item.Text.Get());
        item.MakeNormal(menu);
        EXPECT_EQ(row.wide, MenuStringW(menu, 0));
        DestroyMenu(menu);
    }
    // The system menu's extras find their own popup again by its text.
    HWND window = Make("");
    ASSERT_TRUE(AddSystemMenuExtras(object_, true));
    EXPECT_GE(PositionPopupIndex(GetSystemMenu(window, FALSE)), 0);
    DestroyWindow(window);
}

TEST_F(WideTexts, RegistryNamesAndValuesBothWays)
{
    const std::wstring base = L"Software\\WideTextsTest" + std::to_wstring(GetCurrentProcessId());
    HKEY root = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &root, nullptr));
    for (const auto& row : kTexts) {
        SCOPED_TRACE(row.text);
        // A key of that name, made by the framework, found by the wide name.
        TRegistryKeyChain chain;
        chain.AddEntry(root, row.text);
        ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
        HKEY found = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(root, row.wide, 0, KEY_READ, &found));
        RegCloseKey(found);
        // A value of that name and text written by the framework, read wide.
        const HKEY key = chain.LastHandle();
        ASSERT_EQ(ERROR_SUCCESS, WriteString(key, row.text, row.text));
        EXPECT_EQ(row.wide, RegistryTextW(key, row.wide));
        // Written wide, read by the framework as the same bytes.
        const DWORD size = static_cast<DWORD>((wcslen(row.wide) + 1) * sizeof(wchar_t));
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key, L"Wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(row.wide), size));
        char* read = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, ReadString(key, "Wide", read));
        EXPECT_STREQ(row.text, read);
        FreeText(read);
        TStringList names;
        EnumValueNames(key, names);
        bool listed = false;
        for (TStringList::Node* node = names.First(); node; node = node->next)
            listed = listed || std::string(node->value) == row.text;
        EXPECT_TRUE(listed);
        chain.CloseKeys();
    }
    RegCloseKey(root);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str()));
}
