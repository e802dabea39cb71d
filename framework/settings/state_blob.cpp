#include "framework/settings/state_blob.h"

#include <cstring>
#include <new>

TStateBlob::TStateBlob() : Data(nullptr), Size(0) {}

TStateBlob::TStateBlob(const void* data, int size) : TStateBlob()
{
    Assign(data, size);
}

TStateBlob::TStateBlob(const TStateBlob& other) : TStateBlob()
{
    Assign(other.Data, other.Size);
}

TStateBlob::TStateBlob(TStateBlob&& other) noexcept : Data(other.Data), Size(other.Size)
{
    other.Data = nullptr;
    other.Size = 0;
}

TStateBlob& TStateBlob::operator=(const TStateBlob& other)
{
    if (this != &other)
        Assign(other.Data, other.Size);
    return *this;
}

TStateBlob& TStateBlob::operator=(TStateBlob&& other) noexcept
{
    if (this != &other) {
        delete[] Data;
        Data = other.Data;
        Size = other.Size;
        other.Data = nullptr;
        other.Size = 0;
    }
    return *this;
}

TStateBlob::~TStateBlob()
{
    delete[] Data;
}

void TStateBlob::Assign(const void* data, int size)
{
    BYTE* copy = data && size > 0 ? new (std::nothrow) BYTE[size] : nullptr;
    if (copy)
        std::memcpy(copy, data, static_cast<size_t>(size));
    else
        size = 0;  // nothing, or no memory for it: empty
    delete[] Data;
    Data = copy;
    Size = size;
}

void TStateBlob::Clear()
{
    delete[] Data;
    Data = nullptr;
    Size = 0;
}
