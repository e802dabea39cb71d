// Start-up registration: a start by hand writes the shortcut and says so, a
// restored start is silent, exit says it unregisters and deletes the shortcut.
#include <windows.h>
#include <objbase.h>

#include "framework/core/display_text.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

std::string Shown(const char* text)
{
    TText shown;
    DisplayText(shown.Slot(), text);
    return shown.Get();
}

bool ShortcutExists()
{
    return GetFileAttributesA(StartupShortcutFile().c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Answers the "Register" message, exits from the menu and answers the
// "Unregister" message, checking both texts and the shortcut meanwhile.
void RunRegistrationAndExit(TIndicator& indicator, const std::string& program)
{
    const struct {
        const char* text;
        const char* screenshot;
    } messages[] = {
        {"ｼｽﾃﾑ起動時にPelorumを起動する設定を行いました。\r\n"
         "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
         "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）",
         "register_message.png"},
        {"ｼｽﾃﾑ起動時にPelorumを起動する設定を解除します。\r\n（再び ", "unregister_message.png"},
    };
    for (const auto& expected : messages) {
        const bool unregister = &expected != messages;
        HWND message = WaitForShape(indicator.info.dwProcessId);
        ASSERT_NE(nullptr, message);
        std::string text = Shown(expected.text);
        if (unregister)
            text += "\"" + program + "\"" + Shown(" を実行すれば再設定されます。）");
        EXPECT_EQ(text, WindowText(FindWindowExA(message, nullptr, "TransparentEdit", nullptr)));
        Screenshot(message, expected.screenshot);
        // The shortcut is there while the messages show: target and switch.
        CoInitialize(nullptr);
        TText target, arguments;
        EXPECT_TRUE(ReadShortcut(StartupShortcutFile().c_str(), &target.Slot(), &arguments.Slot(), nullptr, nullptr));
        CoUninitialize();
        EXPECT_EQ(program, target.Get());
        EXPECT_STREQ("/restore", arguments.Get());
        PressButton(message, IDOK);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(message); }, Patience));
        if (!unregister)
            PostMessageA(indicator.Monitor, WM_COMMAND, 199, 0);  // exit
    }
    EXPECT_EQ(0, indicator.Finish());
    EXPECT_FALSE(ShortcutExists());
}

}  // namespace

// Started by hand from a folder with katakana of both widths in its name, and
// as "Indicator.exe" from a console in its folder: the shortcut and the
// "Unregister" message name the program's full path, which stands in quotes
// there, where the display conversion leaves it alone.
TEST_F(IndicatorTest, StartByHandRegistersAndExitUnregisters)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ﾃｽﾄ テスト\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll"})
        ASSERT_TRUE(CopyFileA((TestProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    const struct {
        std::string started, program;
    } starts[] = {
        {folder + "Indicator.exe", folder + "Indicator.exe"},
        {"Indicator.exe", TestProgramFolder() + "Indicator.exe"},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.started);
        char kept[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, kept);
        SetCurrentDirectoryA(TestProgramFolder().c_str());
        TIndicator byHand;
        const bool started = byHand.Start("", start.started);
        SetCurrentDirectoryA(kept);
        ASSERT_TRUE(started);
        RunRegistrationAndExit(byHand, start.program);
    }
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll"})
        DeleteFileA((folder + file).c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(IndicatorTest, RestoredAndSuppressedStartsAreSilent)
{
    // The restart form of the switch, in capitals, counts as "/restore".
    StartIndicator("/RESTORE:3");
    EXPECT_TRUE(ShowsNothing(indicator_));
    EXPECT_FALSE(ShortcutExists());
    EXPECT_EQ(0, indicator_.Close());

    // Ticked once, the message no longer shows; the shortcut is written all the same.
    for (bool first : {true, false}) {
        TIndicator byHand;
        ASSERT_TRUE(byHand.Start(""));
        if (first) {
            HWND message = WaitForShape(byHand.info.dwProcessId);
            ASSERT_NE(nullptr, message);
            const std::string box = Shown("次回からこのメッセージを表示しない(&W)");
            SendMessageA(FindWindowExA(message, nullptr, nullptr, box.c_str()), BM_CLICK, 0, 0);
            PressButton(message, IDOK);
            EXPECT_TRUE(PumpUntil([] { return ReadSetting("WithoutStereotype", "Register", 0) == 1; }, Patience));
            ASSERT_TRUE(DeleteFileA(StartupShortcutFile().c_str()));
        } else {
            EXPECT_TRUE(ShowsNothing(byHand));
            EXPECT_TRUE(ShortcutExists());
        }
        EXPECT_EQ(0, byHand.Close());
    }
}
