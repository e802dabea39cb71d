// TTextArray: a counted array of owned texts (multi-string values, dropped
// file names, lists of extensions).
#pragma once

struct TTextArray {
    int Count;    // number of texts
    char** Texts; // Count owned texts; null when Count is 0

    TTextArray();
    explicit TTextArray(int count);
    TTextArray(const TTextArray& other);
    TTextArray(TTextArray&& other) noexcept;
    TTextArray& operator=(const TTextArray& other);
    TTextArray& operator=(TTextArray&& other) noexcept;
    ~TTextArray();

    // Destroys every present text and makes `count` empty texts (none for 0
    // or less, or without memory for the array).
    void Resize(int count);
    // Replaces the text at `index` (0 <= index < Count) with a copy of `text`.
    void Set(int index, const char* text);
    const char* At(int index) const { return Texts[index]; }
};
