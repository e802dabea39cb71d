// Help from a shape, with the help page beside the program and without the
// old viewer's file: F1, the help button and the context-help popup of the
// "do not show again" box each open the page, at the topic's section where
// the control has one; with the viewer's file present the viewer is asked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/help_page.h"
#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/without_stereotype_element.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/shape_fixture.h"
#include "tests/help_browser.h"

namespace {

enum TAsk { F1OnBox, F1OnOk, HelpButton, F1WithHelpButton, ContextButtonOnBox, PopupOnBox };

}  // namespace

TEST(ShapeHelp, EveryPathOpensThePageOrAsksTheViewer)
{
    UseTestModule();
    TTestSettings settings("ShapeHelp");
    TProgramBesideHelp program("shape help");
    TTestBrowser browser;
    TWinHelpCatcher viewer;
    TText atBox, atButton;
    AnsiText(atBox.Slot(), HelpPageUrl(WideText(program.Page.c_str()), WithoutStereotypeHelpId));
    AnsiText(atButton.Slot(), HelpPageUrl(WideText(program.Page.c_str()), 4321));

    const struct {
        TAsk ask;
        int buttonTopic;  // 0: no help button
        bool helpFile;
        std::string opened;   // the browser's arguments; "" when the viewer is asked instead
        UINT viewerCommand;   // and what the viewer gets
        LONG viewerData;
    } rows[] = {
        {F1OnBox, 0, false, std::string(atBox.Get()) + "\r\n", 0, 0},
        {F1OnOk, 0, false, program.Page + "\r\n", 0, 0},
        {ContextButtonOnBox, 0, false, std::string(atBox.Get()) + "\r\n", 0, 0},
        {PopupOnBox, 0, false, std::string(atBox.Get()) + "\r\n", 0, 0},
        {HelpButton, 4321, false, std::string(atButton.Get()) + "\r\n", 0, 0},
        {F1WithHelpButton, 4321, false, std::string(atButton.Get()) + "\r\n", 0, 0},
        {HelpButton, -1, false, program.Page + "\r\n", 0, 0},
        {PopupOnBox, 0, true, "", HELP_CONTEXTPOPUP, WithoutStereotypeHelpId},
        {HelpButton, 4321, true, "", HELP_CONTEXT, 4321},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("row " + std::to_string(&row - rows));
        program.Place(true, row.helpFile);
        viewer.Calls.clear();
        TButtonRecord ok(IDOK, "OK"), help(IDHELP, "ﾍﾙﾌﾟ", nullptr, true, row.buttonTopic);
        TButtonsElement buttons(DockBottom, &ok, row.buttonTopic ? &help : nullptr, nullptr);
        TWithoutStereotypeElement box("HelpTest");
        TShape shape(nullptr, "Help", &buttons, &box, nullptr);
        HWND menu = nullptr;
        std::vector<TStep> steps = {WhenActive(shape), [&] {
                                        RECT at = WindowRectOf(box.Control.Hwnd);
                                        HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {}};
                                        switch (row.ask) {
                                        case F1OnBox:
                                        case F1OnOk:
                                        case F1WithHelpButton:
                                            SetFocus(row.ask == F1OnOk ? GetDlgItem(shape.Hwnd, IDOK) : box.Control.Hwnd);
                                            // Typed, not posted: the system makes its help
                                            // message of a key that comes from the keyboard.
                                            keybd_event(VK_F1, 0x3B, 0, 0);
                                            keybd_event(VK_F1, 0x3B, KEYEVENTF_KEYUP, 0);
                                            break;
                                        case HelpButton:
                                            SendMessageA(GetDlgItem(shape.Hwnd, IDHELP), BM_CLICK, 0, 0);
                                            break;
                                        case ContextButtonOnBox:
                                            // What the system sends when the caption's "?" button is
                                            // followed by a click on the box.
                                            info.iCtrlId = GetDlgCtrlID(box.Control.Hwnd);
                                            info.hItemHandle = box.Control.Hwnd;
                                            info.dwContextId = GetWindowContextHelpId(box.Control.Hwnd);
                                            info.MousePos = {at.left + 2, at.top + 2};
                                            SendMessageA(shape.Hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                                            break;
                                        case PopupOnBox:
                                            PostMessageA(shape.Hwnd, WM_CONTEXTMENU,
                                                         reinterpret_cast<WPARAM>(box.Control.Hwnd),
                                                         MAKELPARAM(at.left + 2, at.top + 2));
                                            break;
                                        }
                                        return true;
                                    }};
        if (row.ask == PopupOnBox) {
            // The popup's one item, chosen with the keyboard.
            steps.push_back([&] {
                menu = FindWindowA("#32768", nullptr);
                if (!menu || !IsWindowVisible(menu))
                    return false;
                PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
                return true;
            });
        }
        std::string opened;
        steps.push_back([&] {
            if (row.opened.empty() ? viewer.Calls.empty() : (opened = browser.Log()).empty())
                return false;
            shape.EndShape(IDOK);
            return true;
        });
        EXPECT_EQ(IDOK, RunScripted(shape, steps));
        if (!row.opened.empty()) {
            EXPECT_EQ(row.opened, browser.NextStart());
            EXPECT_TRUE(viewer.Calls.empty());
        } else {
            ASSERT_EQ(1u, viewer.Calls.size());
            EXPECT_EQ(row.viewerCommand, viewer.Calls[0].command);
            EXPECT_EQ(row.viewerData, viewer.Calls[0].data);
            EXPECT_EQ(program.HelpFile, viewer.Calls[0].file);
            EXPECT_EQ("", browser.Log());
        }
    }
}
