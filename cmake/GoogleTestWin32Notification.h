// GoogleTest's Notification on a system event instead of std::mutex and
// std::condition_variable, which the win32 thread model's runtime does not
// have before GCC 13. GoogleTest takes a class of this name in place of its
// own when GTEST_HAS_NOTIFICATION_ is set; it lets one thread start others
// and is used by GoogleTest's own threads only.
#pragma once

#ifdef __cplusplus
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
#endif
