// The indicator on an English system (the tests' prefix with LANG=C.UTF-8:
// code page 1252, English as the interface language), its texts read back
// through the wide functions: in English without a "Language" value, in
// Japanese with "Language" = "ja".
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/indicator/indicator_fixture.h"

namespace {

const wchar_t KeyPath[] = L"Software\\Velquist\\Indicator\\1.x";

struct TLanguageRow {
    const wchar_t* stored;  // "Language"; null: none
    int menuId;             // the tray menu resource of the language
    std::vector<std::wstring> menuItems;
    const wchar_t* settingsTitle;
    std::vector<std::wstring> versionTitles;  // katakana in either width, as DisplayText decides
    WPARAM versionKey;                        // the version item's access key, in this menu only
    const wchar_t* choose;                    // English chosen then; null: cancelled
    std::wstring storedAfter;                 // "Language" after the dialog
    const char* screens;                      // the screenshots' prefix; null: none
};

const TLanguageRow Rows[] = {
    {nullptr, 2,
     {L"&Num Lock", L"&Caps Lock", L"&Scroll Lock", L"", L"&Keyboard", L"&Settings...", L"&Help",
      L"&Version Information", L"", L"E&xit"},
     L"Pelorum Settings", {L"Pelorum Version Information"}, 'v', nullptr, L"", "english_"},
    {L"ja", 1,
     {L"&Num Lock", L"&Caps Lock", L"&Scroll Lock", L"", L"ｷｰﾎﾞｰﾄﾞ(&P)", L"設定(&S)...", L"ﾍﾙﾌﾟ(&H)",
      L"ﾊﾞｰｼﾞｮﾝ情報(&A)", L"", L"終了(&X)"},
     L"Pelorum 設定", {L"Pelorum ﾊﾞｰｼﾞｮﾝ情報", L"Pelorum バージョン情報"}, 'a', L"English", L"en", nullptr},
};

std::wstring WideWindowText(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string Utf8(const std::wstring& text)
{
    char bytes[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The items of the popup of a menu resource of the real Indicator.exe.
std::vector<std::wstring> MenuItems(int menuId)
{
    std::vector<std::wstring> items;
    const std::string path = TestProgramFolder() + "Indicator.exe";  // ASCII: the build's folder
    const std::wstring program(path.begin(), path.end());
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMENU menu = module ? LoadMenuW(module, MAKEINTRESOURCEW(menuId)) : nullptr;
    HMENU popup = menu ? GetSubMenu(menu, 0) : nullptr;
    for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
        wchar_t text[128] = L"";
        GetMenuStringW(popup, i, text, 128, MF_BYPOSITION);
        items.push_back(text);
    }
    if (menu)
        DestroyMenu(menu);
    if (module)
        FreeLibrary(module);
    return items;
}

void ExpectTitle(HWND shape, const std::vector<std::wstring>& titles)
{
    const std::wstring title = WideWindowText(shape);
    EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), title))
        << "the title \"" << Utf8(title) << "\" is not \"" << Utf8(titles.front()) << "\"";
}

// The radio button of the shape whose label starts with `label`.
HWND OptionOf(HWND shape, const wchar_t* label)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WideWindowText(child).rfind(label, 0) == 0)
            return child;
    return nullptr;
}

// "Language" as stored; empty when there is none.
std::wstring StoredLanguage()
{
    wchar_t code[16] = L"";
    DWORD size = sizeof code;
    RegGetValueW(HKEY_CURRENT_USER, KeyPath, L"Language", RRF_RT_REG_SZ, nullptr, code, &size);
    return code;
}

class EnglishInterfaceTest : public IndicatorTest {};

}  // namespace

TEST_F(EnglishInterfaceTest, TextsFollowTheLanguage)
{
    ASSERT_NE(LANG_JAPANESE, PRIMARYLANGID(GetUserDefaultUILanguage())) << "not the English prefix";
    ASSERT_NE(932u, GetACP());
    for (const TLanguageRow& row : Rows) {
        SCOPED_TRACE(row.stored ? "Language = ja" : "no Language value");
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                 &key, nullptr));
        if (row.stored)
            RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(row.stored),
                           static_cast<DWORD>((wcslen(row.stored) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        EXPECT_EQ(row.menuItems, MenuItems(row.menuId));

        StartIndicator();
        const DWORD process = indicator_.info.dwProcessId;
        // The version dialog, opened with the menu's access key: the key
        // finds the item only in the menu of the row's language.
        auto checkVersion = [&](WPARAM key, const std::vector<std::wstring>& titles, const char* screenshot) {
            PostMessageW(indicator_.Monitor, TrayNotifyMessage, 9000, WM_RBUTTONDOWN);
            HWND menu = nullptr;
            ASSERT_TRUE(PumpUntil([&] { return (menu = FindWindowOf(process, "#32768")); }, Patience));
            if (screenshot) {
                RECT area;
                GetWindowRect(menu, &area);
                // Drawn in full once the last item's icon shows.
                PumpUntil([&] { return !PictureIn(area, {"CLOSE_ICON"}).empty(); }, Patience);
                SaveScreenshot(CaptureScreen({area.left - 20, area.top - 20, area.right + 20, area.bottom + 20}),
                               (std::string(screenshot) + "menu.png").c_str());
            }
            PostMessageW(menu, WM_CHAR, key, 0);
            HWND version = WaitForShape(process);
            ASSERT_NE(nullptr, version);
            ExpectTitle(version, titles);
            if (screenshot)
                Screenshot(version, (std::string(screenshot) + "version.png").c_str());
            PressButton(version, IDOK);
            ASSERT_TRUE(PumpUntil([&] { return !IsWindow(version); }, Patience));
        };
        checkVersion(row.versionKey, row.versionTitles, row.screens);

        PostMessageW(indicator_.Monitor, WM_COMMAND, 191, 0);
        HWND settings = WaitForShape(process);
        ASSERT_NE(nullptr, settings);
        ExpectTitle(settings, {row.settingsTitle});
        if (row.screens)
            Screenshot(settings, (std::string(row.screens) + "settings.png").c_str());
        // The other language, chosen and confirmed, is stored and speaks from the next menu and dialog on.
        HWND option = row.choose ? OptionOf(settings, row.choose) : nullptr;
        if (option)
            PostMessageW(settings, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(option), BN_CLICKED),
                         reinterpret_cast<LPARAM>(option));
        PressButton(settings, row.choose ? IDOK : IDCANCEL);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(settings); }, Patience));
        // Stored once the dialog's loop has ended, a moment after its window.
        PumpUntil([&] { return StoredLanguage() == row.storedAfter; }, Patience);
        EXPECT_EQ(row.storedAfter, StoredLanguage());
        if (row.choose)
            checkVersion('v', {L"Pelorum Version Information"}, nullptr);
        indicator_.Close();
        PumpUntil([] { return !FindMonitor(); }, Patience);
        RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath);
    }
}

// The on-screen display in English: "Caps Lock on".
TEST_F(EnglishInterfaceTest, OnScreenDisplayInEnglish)
{
    StartIndicator();
    EXPECT_EQ(0, TypeInSteps({"d14 u14"}, [&](size_t) {
                  HWND display = nullptr;
                  ASSERT_TRUE(PumpUntil(
                      [&] { return (display = FindWindowOf(indicator_.info.dwProcessId, "LockDisplay")); },
                      Patience));
                  EXPECT_EQ(L"Caps Lock on", WideWindowText(display));
                  Screenshot(display, "osd_caps_on_en.png");
              }));
}
