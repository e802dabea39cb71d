// Data placed so that its last byte is the last byte of a readable page and
// the next page cannot be read: a function that reads past the end faults.
#pragma once

#include <windows.h>

#include <cstring>

class TGuardedBytes {
public:
    TGuardedBytes(const void* data, size_t size)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        const size_t pages = (size + page - 1) / page + (size == 0 ? 1 : 0);
        base_ = static_cast<BYTE*>(
            VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_)
            return;
        DWORD old = 0;
        guard_ = base_ + pages * page;
        VirtualProtect(guard_, page, PAGE_NOACCESS, &old);
        data_ = guard_ - size;
        if (size)
            std::memcpy(data_, data, size);
    }
    ~TGuardedBytes()
    {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    TGuardedBytes(const TGuardedBytes&) = delete;
    TGuardedBytes& operator=(const TGuardedBytes&) = delete;

    BYTE* Get() const { return data_; }
    bool IsGuarded() const
    {
        MEMORY_BASIC_INFORMATION after;
        return data_ && VirtualQuery(guard_, &after, sizeof after) && after.Protect == PAGE_NOACCESS;
    }

private:
    BYTE* base_ = nullptr;
    BYTE* guard_ = nullptr;
    BYTE* data_ = nullptr;
};

// A text whose NUL is the last readable byte.
class TGuardedText {
public:
    explicit TGuardedText(const char* text) : bytes_(text, std::strlen(text) + 1) {}

    const char* Get() const { return reinterpret_cast<const char*>(bytes_.Get()); }
    bool IsGuarded() const { return bytes_.IsGuarded(); }

private:
    TGuardedBytes bytes_;
};
