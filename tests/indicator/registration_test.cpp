// Start-up registration: a start by hand writes the shortcut and says so, a
// restored start is silent, exit says it unregisters and deletes the shortcut.
#include <windows.h>
#include <objbase.h>

#include "framework/util/display_text.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

const char RegisterText[] =
    "ｼｽﾃﾑ起動時にPelorumを起動する設定を行いました。\r\n"
    "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
    "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）";

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

// Ends the indicator with its exit command: the "Unregister" message must
// name the program in double quotes, the shortcut goes after it.
void ExitThroughMenu(TIndicator& indicator, const std::string& program, const char* screenshot)
{
    PostMessageA(indicator.Monitor, WM_COMMAND, 199, 0);
    HWND message = WaitForShape(indicator.Id());
    ASSERT_NE(nullptr, message);
    const std::string text = Shown("ｼｽﾃﾑ起動時にPelorumを起動する設定を解除します。\r\n（再び ") + "\"" + program +
                             "\"" + Shown(" を実行すれば再設定されます。）");
    EXPECT_EQ(text, ChildText(message, "TransparentEdit"));
    if (screenshot) {
        RECT area;
        GetWindowRect(message, &area);
        SaveScreenshot(CaptureScreen(area), screenshot);
    }
    PressButton(message, IDOK);
    EXPECT_EQ(0, indicator.Finish());
    EXPECT_FALSE(ShortcutExists());
}

}  // namespace

class RegistrationTest : public IndicatorTest {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        IndicatorTest::SetUp();
    }
    void TearDown() override
    {
        IndicatorTest::TearDown();
        CoUninitialize();
    }
};

TEST_F(RegistrationTest, StartByHandRegistersAndExitUnregisters)
{
    const std::string program = TestProgramFolder() + "Indicator.exe";
    StartIndicator("");
    HWND message = WaitForShape(indicator_.Id());
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(Shown(RegisterText), ChildText(message, "TransparentEdit"));
    RECT area;
    GetWindowRect(message, &area);
    SaveScreenshot(CaptureScreen(area), "register_message.png");

    TText target, arguments;
    ASSERT_TRUE(ReadShortcut(StartupShortcutFile().c_str(), &target.Slot(), &arguments.Slot(), nullptr, nullptr));
    EXPECT_STREQ(program.c_str(), target.Get());
    EXPECT_STREQ("/restore", arguments.Get());
    PressButton(message, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(message); }, StartTimeoutMs));

    ExitThroughMenu(indicator_, program, "unregister_message.png");
}

TEST_F(RegistrationTest, RestoredAndSuppressedStartsAreSilent)
{
    // The restart form of the switch, in capitals, counts as "/restore".
    StartIndicator("/RESTORE:3");
    EXPECT_TRUE(ShowsNothing(indicator_));
    EXPECT_FALSE(ShortcutExists());
    EXPECT_EQ(0, indicator_.Close());

    // Ticked once, the message no longer shows; the shortcut is written all the same.
    {
        TIndicator byHand;
        ASSERT_TRUE(byHand.Start(""));
        HWND message = WaitForShape(byHand.Id());
        ASSERT_NE(nullptr, message);
        HWND box = FindChildByText(message, Shown("次回からこのメッセージを表示しない(&W)").c_str());
        ASSERT_NE(nullptr, box);
        SendMessageA(box, BM_CLICK, 0, 0);
        PressButton(message, IDOK);
        EXPECT_TRUE(PumpUntil([&] { return ReadSetting("WithoutStereotype", "Register", 0) == 1; }, StartTimeoutMs));
        EXPECT_EQ(0, byHand.Close());
    }
    ASSERT_TRUE(DeleteFileA(StartupShortcutFile().c_str()));
    StartIndicator("");
    EXPECT_TRUE(ShowsNothing(indicator_));
    EXPECT_TRUE(ShortcutExists());
}

// The program path stands in quotes, where the display conversion leaves
// katakana of either width alone.
TEST_F(RegistrationTest, ExitNamesAKatakanaPathUnchanged)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ﾃｽﾄ テスト\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll"})
        ASSERT_TRUE(CopyFileA((TestProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    ASSERT_TRUE(indicator_.Start("/restore", folder + "Indicator.exe"));
    ExitThroughMenu(indicator_, folder + "Indicator.exe", nullptr);
    for (const char* file : {"Indicator.exe", "LAMPHOOK.dll"})
        DeleteFileA((folder + file).c_str());
    RemoveDirectoryA(folder.c_str());
}
