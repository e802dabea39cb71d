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

// One typist holds the focus throughout, so that no other window comes to the
// front until the moment that is just that.
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
        const char* keys;  // typed by the typist, whose thread has seen the change
        std::function<void()> give;
    } moments[] = {
        {"Shift typed in a hooked program", "d10 u10", [] {}},
        {"session unlocked", "", send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK)},
        {"console connected", "", send(WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT)},
        {"remote session connected", "", send(WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT)},
        {"resumed by the user", "", send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND)},
        {"resumed by itself", "", send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)},
        {"taskbar created again", "",
         [&] {
             NOTIFYICONDATAA forgotten = IndicatorTrayRecord(monitor);  // as a restarted taskbar has it
             Shell_NotifyIconA(NIM_DELETE, &forgotten);
             send(RegisterWindowMessageA("TaskbarCreated"), 0)();
         }},
        {"another window comes to the front", "",
         [&] {
             front = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                                     nullptr, nullptr, nullptr, nullptr);
             SetForegroundWindow(front);
         }},
    };
    const size_t count = sizeof moments / sizeof moments[0];
    // Caps Lock on where the hook sees it, each moment's keys, Caps Lock off.
    std::vector<std::string> steps = {"d14 u14"};
    for (const auto& m : moments)
        steps.push_back(m.keys);
    steps.push_back("d14 u14");

    EXPECT_EQ(0, TypeInSteps(steps, [&](size_t step) {
                  if (step > count)
                      return ExpectTrayPicture(IconName('A', 0));
                  {
                      SCOPED_TRACE(step == 0 ? "Caps Lock typed" : moments[step - 1].moment);
                      ExpectTrayPicture(IconName('A', truth));
                  }
                  if (step < count) {
                      MakeTrayWrong(wrong);
                      moments[step].give();  // and the typist types its keys
                  } else {
                      SetForegroundWindow(FindWindowA("LampHookTypist", nullptr));
                      EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() != front; }, Patience));
                      DestroyWindow(front);
                  }
              }));
}
