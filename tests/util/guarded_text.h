// Bytes placed so that the last one ends a readable page and the next page
// cannot be read: a function that reads past the end of them faults. The
// text form places a text with its NUL; the byte form any block, such as a
// registry value.
#pragma once

#include <windows.h>

#include <cstring>

class TGuardedBytes {
public:
    TGuardedBytes(const void* data, size_t size)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page_ = info.dwPageSize;
        const size_t pages = (size + page_ - 1) / page_ + (size == 0 ? 1 : 0);
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, (pages + 1) * page_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_)
            return;
        DWORD old = 0;
        VirtualProtect(base_ + pages * page_, page_, PAGE_NOACCESS, &old);
        bytes_ = base_ + pages * page_ - size;
        size_ = size;
        if (size)
            std::memcpy(bytes_, data, size);
    }
    ~TGuardedBytes()
    {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    TGuardedBytes(const TGuardedBytes&) = delete;
    TGuardedBytes& operator=(const TGuardedBytes&) = delete;

    const char* Data() const { return bytes_; }
    BYTE* Get() const { return reinterpret_cast<BYTE*>(bytes_); }
    size_t Size() const { return size_; }
    bool IsGuarded() const
    {
        MEMORY_BASIC_INFORMATION after;
        return bytes_ && VirtualQuery(bytes_ + size_, &after, sizeof after) && after.Protect == PAGE_NOACCESS;
    }

private:
    char* base_ = nullptr;
    char* bytes_ = nullptr;
    size_t size_ = 0;
    size_t page_ = 0;
};

class TGuardedText {
public:
    explicit TGuardedText(const char* text) : bytes_(text, std::strlen(text) + 1) {}

    const char* Get() const { return bytes_.Data(); }
    bool IsGuarded() const { return bytes_.IsGuarded(); }

private:
    TGuardedBytes bytes_;
};
