// The framework's message box: shown, ticked and answered, or answered
// unseen from what the user chose before, under a test-only application key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/message_box.h"
#include "framework/dialogs/standard_icon_element.h"
#include "framework/dialogs/without_stereotype_element.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/beep_setting.h"
#include "tests/dialogs/shape_fixture.h"

namespace {

const char kRegisterText[] =
    "ｼｽﾃﾑ起動時にPelorumを起動する設定を行いました。\r\n"
    "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
    "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）";

// Shape windows of this thread that became visible.
int ShapesShown = 0;

LRESULT CALLBACK CountShownShapes(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_WINDOWPOSCHANGED && TShape::FromWindow(call->hwnd) &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW))
        ++ShapesShown;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND VisibleShape()
{
    for (HWND window = FindWindowExA(nullptr, nullptr, ShapeClassName, nullptr); window;
         window = FindWindowExA(nullptr, window, ShapeClassName, nullptr))
        if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            return window;
    return nullptr;
}

const DWORD kNone = 0xFFFFFFFF;

}  // namespace

TEST(SuppressibleMessage, SuppressedByTheBoxAndShownAgainWithShift)
{
    UseTestModule();
    TTestSettings settings("MessageBox");
    TBeepSetting beep;
    const struct {
        const char* identifier;
        TMessageButtons buttons;
        DWORD preset;  // written before the showing
        bool shift;
        const char* beep;
        bool shown, ticked;  // how it comes up
        bool toggle;         // the box clicked before answering
        int press, result;
        DWORD stored;  // under "WithoutStereotype" afterwards; kNone: missing
    } rows[] = {
        {"Register", MessageOk, kNone, false, "Yes", true, false, true, IDOK, IDOK, 1},
        {"Register", MessageOk, kNone, false, "Yes", false, false, false, 0, IDOK, 1},
        {"Unregister", MessageOk, kNone, false, "No", true, false, false, IDOK, IDOK, 0},
        {"Register", MessageOk, kNone, true, "いいえ", true, true, true, IDOK, IDOK, 0},
        {"Confirm", MessageOkCancel, kNone, false, "Yes", true, false, true, IDCANCEL, IDCANCEL, kNone},
        {"Confirm", MessageOkCancel, 1, true, "no", true, true, false, IDCANCEL, IDCANCEL, 1},
        // An answer no push button gives (5001 is the text): shown as if nothing were remembered.
        {"Confirm", MessageOkCancel, 12345, false, "Yes", true, false, false, IDOK, IDOK, 0},
        {"Confirm", MessageOkCancel, 5001, false, "Yes", true, false, false, IDOK, IDOK, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("showing " + std::to_string(&row - rows) + ": " + row.identifier);
        beep.Set(row.beep);
        if (row.preset != kNone)
            settings.Write("App\\WithoutStereotype", row.identifier, REG_DWORD, &row.preset, sizeof row.preset);
        THeldKeys keys({row.shift ? VK_SHIFT : 0});
        ShapesShown = 0;
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountShownShapes, nullptr, GetCurrentThreadId());
        std::vector<TStep> steps;
        if (row.shown)
            steps.push_back([&] {
                HWND window = VisibleShape();
                if (!window)
                    return false;
                TShape* shape = TShape::FromWindow(window);
                HWND box = static_cast<TWithoutStereotypeElement*>(shape->Root.Children.back())->Control.Hwnd;
                const std::string label = TextOf(box);
                EXPECT_EQ("(&W)", label.substr(label.size() - 4)) << label;
                EXPECT_EQ(row.ticked, SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED);
                EXPECT_EQ(WithoutStereotypeHelpId, static_cast<int>(GetWindowContextHelpId(box)));
                EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
                EXPECT_EQ(lstrcmpiA(row.beep, "Yes") == 0, shape->SoundPlaying);
                // The box on the right, 12 pixels above the buttons.
                RECT client, boxRect = WindowRectOf(box), ok = WindowRectOf(GetDlgItem(window, IDOK));
                GetClientRect(window, &client);
                ClientToScreen(window, reinterpret_cast<POINT*>(&client.right));
                EXPECT_EQ(client.right - 12, boxRect.right);
                EXPECT_EQ(ok.top - 12, boxRect.bottom);
                if (&row == rows) {
                    EXPECT_TRUE(SaveScreenshot(CaptureScreen(WindowRectOf(window)), "register_message.png"));
                }
                if (row.toggle)
                    SendMessageA(box, BM_CLICK, 0, 0);
                SendMessageA(GetDlgItem(window, row.press), BM_CLICK, 0, 0);
                return true;
            });
        TScriptRun run(steps);
        EXPECT_EQ(row.result, ShowMessage(nullptr, row.identifier, 32516, kRegisterText, row.buttons));
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(row.shown ? 1 : 0, ShapesShown);
        DWORD stored = kNone;
        settings.Read("App\\WithoutStereotype", row.identifier, &stored, sizeof stored);
        EXPECT_EQ(row.stored, stored);
    }
}

namespace {

// Whether disabling the message element of a message box repaints its icon.
bool IconRepaintsOnDisable(HWND message)
{
    ValidateRect(message, nullptr);
    TShape::FromWindow(message)->Root.Children[1]->Enable(false);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(message, update, FALSE);
    const bool repaints = PtInRegion(update, 12 + 16, 12 + 16);
    DeleteObject(update);
    return repaints;
}

}  // namespace

TEST(SuppressibleMessage, TwoOpenMessagesWithTheSameIconEachKeepTheirOwn)
{
    UseTestModule();
    TTestSettings settings("MessageBox");
    TBeepSetting beep;
    beep.Set("Yes");
    HWND first = nullptr;
    TScriptRun run({[&] { return (first = VisibleShape()) != nullptr; },
                    [&] {
                        // "Unregister" opens while "Register" is still open; both show the information icon.
                        TScriptRun inner({[&] {
                            HWND second = GetActiveWindow();
                            if (second == first || !TShape::FromWindow(second) || !IsWindowVisible(second))
                                return false;
                            EXPECT_TRUE(TShape::FromWindow(second)->SoundPlaying);
                            EXPECT_TRUE(IconRepaintsOnDisable(second));
                            SendMessageA(GetDlgItem(second, IDOK), BM_CLICK, 0, 0);
                            return true;
                        }});
                        EXPECT_EQ(IDOK, ShowMessage(nullptr, "Unregister", 32516, "解除しました。", MessageOk));
                        TShape* shape = TShape::FromWindow(first);
                        EXPECT_TRUE(IconRepaintsOnDisable(first)) << "the icon lost its window to the other message";
                        EXPECT_TRUE(shape->SoundPlaying);
                        ShowWindow(first, SW_HIDE);
                        EXPECT_FALSE(shape->SoundPlaying) << "the icon forgot the sound it started";
                        EXPECT_EQ(nullptr, StandardIconElement(32516)->Shape) << "the shared element kept a window";
                        shape->EndShape(IDOK);
                        return true;
                    }});
    EXPECT_EQ(IDOK, ShowMessage(nullptr, "Register", 32516, kRegisterText, MessageOk));
}
