// The tray shows the true lock states again after a change that no hook saw
// (a lock key in an elevated program, on the lock screen, during a remote
// session): at each of these moments the indicator reads the states from the
// system. The tray is made wrong the way such a change leaves it: states
// recorded and announced that are not the system's.
#include <windows.h>
#include <wtsapi32.h>

#include "tests/indicator/indicator_fixture.h"

namespace {

class LockStateResyncTest : public IndicatorTest {
protected:
    // Records and announces states that are not the system's.
    void MakeTrayWrong(int index)
    {
        const char* const names[] = {"ScrollLock", "CapsLock", "NumLock"};
        for (int bit = 0; bit < 3; ++bit)
            SetPropA(indicator_.Monitor, names[bit], reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index >> bit & 1)));
        PostMessageA(indicator_.Monitor, WM_USER + 100, 0, 0);
        ExpectTrayPicture(IconName('A', index));
    }
};

}  // namespace

TEST_F(LockStateResyncTest, ShowsTheTrueStatesAgainAtEachMoment)
{
    StartIndicator();
    const HWND monitor = indicator_.Monitor;
    const int truth = 2, wrong = 0;  // Caps Lock on, the tray showing it off
    HWND front = nullptr;
    auto send = [monitor](UINT message, WPARAM wParam) {
        return [=] { SendMessageA(monitor, message, wParam, 0); };
    };
    const struct {
        const char* moment;
        std::function<void()> give;
    } moments[] = {
        {"another window comes to the front",
         [&] {
             front = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                                     nullptr, nullptr, nullptr, nullptr);
             SetForegroundWindow(front);
         }},
        {"session unlocked", send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK)},
        {"console connected", send(WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT)},
        {"remote session connected", send(WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT)},
        {"resumed by the user", send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND)},
        {"resumed by itself", send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)},
        {"taskbar created again",
         [&] {
             NOTIFYICONDATAA forgotten = IndicatorTrayRecord(monitor);  // as a restarted taskbar has it
             Shell_NotifyIconA(NIM_DELETE, &forgotten);
             send(RegisterWindowMessageA("TaskbarCreated"), 0)();
         }},
    };
    // Caps Lock on, typed where the hook sees it; then Shift, typed in the same
    // program, whose thread has seen the change.
    EXPECT_EQ(0, TypeInSteps({"d14 u14", "d10 u10"}, [&](size_t step) {
                  SCOPED_TRACE(step == 0 ? "Caps Lock typed" : "Shift typed in a hooked program");
                  ExpectTrayPicture(IconName('A', truth));
                  if (step == 0)
                      MakeTrayWrong(wrong);
              }));
    for (const auto& m : moments) {
        SCOPED_TRACE(m.moment);
        MakeTrayWrong(wrong);
        m.give();
        ExpectTrayPicture(IconName('A', truth));
    }
    DestroyWindow(front);
    // Caps Lock off again. (A typist newer than the change may see it wrongly,
    // and its hook record it so; the press turns it off all the same.)
    EXPECT_EQ(0, TypeInSteps({"d14 u14"}));
}
