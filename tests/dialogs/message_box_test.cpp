// The framework's message box: shown, ticked and answered, or answered
// unseen from what the user chose before, under a test-only application key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/message_box.h"
#include "framework/dialogs/standard_icon_element.h"
#include "framework/dialogs/without_stereotype_element.h"
#include "framework/util/icon_caches.h"
#include "framework/util/resource_names.h"
#include "framework/util/standard_icon_source.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/beep_setting.h"
#include "tests/dialogs/shape_fixture.h"

namespace {

const char kRegisterText[] =
    "ｼｽﾃﾑ起動時にPelorumを起動する設定を行いました。\r\n"
    "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
    "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）";

// Counts the shape windows of this thread that become visible.
class TShowCounter {
public:
    TShowCounter() { hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Proc, nullptr, GetCurrentThreadId()); }
    ~TShowCounter() { UnhookWindowsHookEx(hook_); }
    static int& Shown()
    {
        static int shown = 0;
        return shown;
    }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) && TShape::FromWindow(call->hwnd))
            ++Shown();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

HWND VisibleShape()
{
    for (HWND window = FindWindowExA(nullptr, nullptr, ShapeClassName, nullptr); window;
         window = FindWindowExA(nullptr, window, ShapeClassName, nullptr))
        if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            return window;
    return nullptr;
}

HWND CheckBoxOf(HWND shape)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return child;
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
        // An answer no button gives: shown as if nothing were remembered.
        {"Confirm", MessageOkCancel, 12345, false, "Yes", true, false, false, IDOK, IDOK, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("showing " + std::to_string(&row - rows) + ": " + row.identifier);
        beep.Set(row.beep);
        if (row.preset != kNone)
            settings.Write("App\\WithoutStereotype", row.identifier, REG_DWORD, &row.preset, sizeof row.preset);
        THeldKeys keys({row.shift ? VK_SHIFT : 0});
        TShowCounter counter;
        TShowCounter::Shown() = 0;
        std::vector<TStep> steps;
        if (row.shown)
            steps.push_back([&] {
                HWND window = VisibleShape();
                if (!window)
                    return false;
                HWND box = CheckBoxOf(window);
                char label[128] = "";
                GetWindowTextA(box, label, sizeof label);
                EXPECT_EQ("(&W)", std::string(label).substr(std::string(label).size() - 4));
                EXPECT_EQ(row.ticked, SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED);
                EXPECT_EQ(WithoutStereotypeHelpId, static_cast<int>(GetWindowContextHelpId(box)));
                EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
                EXPECT_EQ(lstrcmpiA(row.beep, "Yes") == 0, TShape::FromWindow(window)->SoundPlaying);
                // The box on the right, above the buttons.
                RECT client, boxRect, ok;
                GetClientRect(window, &client);
                GetWindowRect(box, &boxRect);
                GetWindowRect(GetDlgItem(window, IDOK), &ok);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&boxRect), 2);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&ok), 2);
                EXPECT_EQ(client.right - 12, boxRect.right);
                EXPECT_EQ(ok.top - 12, boxRect.bottom);
                if (&row == &rows[0]) {
                    RECT shown;
                    GetWindowRect(window, &shown);
                    EXPECT_TRUE(SaveScreenshot(CaptureScreen(shown), "register_message.png"));
                }
                if (row.toggle)
                    SendMessageA(box, BM_CLICK, 0, 0);
                SendMessageA(GetDlgItem(window, row.press), BM_CLICK, 0, 0);
                return true;
            });
        TScriptRun run(steps);
        EXPECT_EQ(row.result, ShowMessage(nullptr, row.identifier, 32516, kRegisterText, row.buttons));
        EXPECT_EQ(row.shown ? 1 : 0, TShowCounter::Shown());
        DWORD stored = kNone;
        settings.Read("App\\WithoutStereotype", row.identifier, &stored, sizeof stored);
        EXPECT_EQ(row.stored, stored);
    }
}

TEST(SuppressibleMessage, StandardIconsBySharedElementAndSource)
{
    UseTestModule();
    const struct {
        int id;
        TIconSource* source;
        unsigned int sound;
    } rows[] = {
        {32516, SystemIcon(32516), MB_ICONASTERISK}, {32515, SystemIcon(32515), MB_ICONEXCLAMATION},
        {32514, SystemIcon(32514), MB_ICONQUESTION}, {32513, SystemIcon(32513), MB_ICONHAND},
        {CureIconRequest, ResourceIcon(CURE_ICON_NAME), MB_ICONASTERISK},
        {32512, ResourceIcon(APPLICATION_ICON_NAME), 0}, {12345, SystemIcon(32517), 0},
    };
    for (const auto& row : rows) {
        TIconElement* element = StandardIconElement(row.id);
        EXPECT_EQ(row.source, StandardIconSource(row.id)) << row.id;
        EXPECT_EQ(row.source, element->Icon) << row.id;
        EXPECT_EQ(row.sound, element->SoundStyle()) << row.id;
        EXPECT_EQ(element, StandardIconElement(row.id));
        EXPECT_EQ(DockLeft, element->Dock);
        EXPECT_EQ(AlignTop, element->Align);
    }
    EXPECT_EQ(StandardIconElement(32517), StandardIconElement(1));
    EXPECT_EQ(StandardIconSource(32512), ApplicationIcon());
    EXPECT_EQ(StandardIconSource(32516), VersionInfoIcon());
}
