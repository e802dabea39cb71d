#include "framework/settings/text_array.h"

#include <new>

#include "framework/util/text.h"

TTextArray::TTextArray() : Count(0), Texts(nullptr) {}

TTextArray::TTextArray(int count) : TTextArray()
{
    Resize(count);
}

TTextArray::TTextArray(const TTextArray& other) : TTextArray()
{
    *this = other;
}

TTextArray::TTextArray(TTextArray&& other) noexcept : Count(other.Count), Texts(other.Texts)
{
    other.Count = 0;
    other.Texts = nullptr;
}

TTextArray& TTextArray::operator=(const TTextArray& other)
{
    if (this != &other) {
        Resize(other.Count);
        for (int i = 0; i < Count; ++i)
            SetText(Texts[i], other.Texts[i]);
    }
    return *this;
}

TTextArray& TTextArray::operator=(TTextArray&& other) noexcept
{
    if (this != &other) {
        Resize(0);
        Count = other.Count;
        Texts = other.Texts;
        other.Count = 0;
        other.Texts = nullptr;
    }
    return *this;
}

TTextArray::~TTextArray()
{
    Resize(0);
}

void TTextArray::Resize(int count)
{
    for (int i = 0; i < Count; ++i)
        FreeText(Texts[i]);
    delete[] Texts;
    Texts = nullptr;
    Count = 0;
    if (count > 0) {
        Texts = new (std::nothrow) char*[count];
        if (!Texts)
            return;
        for (int i = 0; i < count; ++i)
            Texts[i] = NewText("");
        Count = count;
    }
}

void TTextArray::Set(int index, const char* text)
{
    SetText(Texts[index], text);
}
