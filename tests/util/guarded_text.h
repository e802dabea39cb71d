// A text placed so that its NUL is the last byte of a readable page and the next
// page cannot be read: a function that reads past the end of the text faults.
#pragma once

#include <windows.h>

#include <cstring>

class TGuardedText {
public:
    explicit TGuardedText(const char* text)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page_ = info.dwPageSize;
        const size_t size = std::strlen(text) + 1;
        const size_t pages = (size + page_ - 1) / page_;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, (pages + 1) * page_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_)
            return;
        DWORD old = 0;
        VirtualProtect(base_ + pages * page_, page_, PAGE_NOACCESS, &old);
        text_ = base_ + pages * page_ - size;
        std::memcpy(text_, text, size);
    }
    ~TGuardedText()
    {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    TGuardedText(const TGuardedText&) = delete;
    TGuardedText& operator=(const TGuardedText&) = delete;

    const char* Get() const { return text_; }
    bool IsGuarded() const
    {
        MEMORY_BASIC_INFORMATION after;
        return text_ && VirtualQuery(text_ + std::strlen(text_) + 1, &after, sizeof after) &&
               after.Protect == PAGE_NOACCESS;
    }

private:
    char* base_ = nullptr;
    char* text_ = nullptr;
    size_t page_ = 0;
};
