// TStateBlob: a block of bytes and its size, the unit of binary settings
// (window placements, restart state).
#pragma once

#include <windows.h>

struct TStateBlob {
    BYTE* Data; // null when empty
    int Size;   // 0 when empty

    TStateBlob();
    // An exact copy of `size` bytes; none when size is 0 or less or data is null.
    TStateBlob(const void* data, int size);
    TStateBlob(const TStateBlob& other);
    TStateBlob(TStateBlob&& other) noexcept;
    TStateBlob& operator=(const TStateBlob& other);
    TStateBlob& operator=(TStateBlob&& other) noexcept;
    ~TStateBlob();

    void Assign(const void* data, int size);
    void Clear();
    bool IsEmpty() const { return Size <= 0; }
};
