#include "framework/util/width_conversion.h"

#include "framework/util/text.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// A half-width byte and its full-width Shift-JIS code (lead byte high).
struct TWidthPair {
    unsigned char half;
    unsigned short full;
    bool twoWay; // false: the full-width code is not converted back
};

// The space and the ASCII symbols, with the corner brackets of the kana block.
const TWidthPair SymbolTable[] = {
    {0x20, 0x8140, true}, {0x2C, 0x8143, true}, {0x2E, 0x8144, true}, {0x3A, 0x8146, true},
    {0x3B, 0x8147, true}, {0x3F, 0x8148, true}, {0x21, 0x8149, true}, {0x5E, 0x814F, true},
    {0x5F, 0x8151, true}, {0x2F, 0x815E, true}, {0x7E, 0x8160, true}, {0x7C, 0x8162, true},
    {0x28, 0x8169, true}, {0x29, 0x816A, true}, {0x5B, 0x816D, true}, {0x5D, 0x816E, true},
    {0x7B, 0x816F, true}, {0x7D, 0x8170, true}, {0xA2, 0x8175, true}, {0xA3, 0x8176, true},
    {0x2B, 0x817B, true}, {0x2D, 0x817C, true}, {0x60, 0x8165, false}, {0x27, 0x8166, true},
    {0x22, 0x8168, true}, {0x3D, 0x8181, true}, {0x3C, 0x8183, true}, {0x3E, 0x8184, true},
    {0x5C, 0x818F, true}, {0x24, 0x8190, true}, {0x25, 0x8193, true}, {0x23, 0x8194, true},
    {0x26, 0x8195, true}, {0x2A, 0x8196, true}, {0x40, 0x8197, true},
};

// Kana punctuation, the sound marks and the katakana. The last two entries
// only narrow: the old WI and WE have no half-width form and become I and E.
const TWidthPair KanaTable[] = {
    {0xA4, 0x8141, true}, {0xA1, 0x8142, true}, {0xA5, 0x8145, true}, {0xDE, 0x814A, true},
    {0xDF, 0x814B, true}, {0xB0, 0x815B, true},
    {0xA7, 0x8340, true}, {0xB1, 0x8341, true}, {0xA8, 0x8342, true}, {0xB2, 0x8343, true},
    {0xA9, 0x8344, true}, {0xB3, 0x8345, true}, {0xAA, 0x8346, true}, {0xB4, 0x8347, true},
    {0xAB, 0x8348, true}, {0xB5, 0x8349, true}, {0xB6, 0x834A, true}, {0xB7, 0x834C, true},
    {0xB8, 0x834E, true}, {0xB9, 0x8350, true}, {0xBA, 0x8352, true}, {0xBB, 0x8354, true},
    {0xBC, 0x8356, true}, {0xBD, 0x8358, true}, {0xBE, 0x835A, true}, {0xBF, 0x835C, true},
    {0xC0, 0x835E, true}, {0xC1, 0x8360, true}, {0xAF, 0x8362, true}, {0xC2, 0x8363, true},
    {0xC3, 0x8365, true}, {0xC4, 0x8367, true}, {0xC5, 0x8369, true}, {0xC6, 0x836A, true},
    {0xC7, 0x836B, true}, {0xC8, 0x836C, true}, {0xC9, 0x836D, true}, {0xCA, 0x836E, true},
    {0xCB, 0x8371, true}, {0xCC, 0x8374, true}, {0xCD, 0x8377, true}, {0xCE, 0x837A, true},
    {0xCF, 0x837D, true}, {0xD0, 0x837E, true}, {0xD1, 0x8380, true}, {0xD2, 0x8381, true},
    {0xD3, 0x8382, true}, {0xAC, 0x8383, true}, {0xD4, 0x8384, true}, {0xAD, 0x8385, true},
    {0xD5, 0x8386, true}, {0xAE, 0x8387, true}, {0xD6, 0x8388, true}, {0xD7, 0x8389, true},
    {0xD8, 0x838A, true}, {0xD9, 0x838B, true}, {0xDA, 0x838C, true}, {0xDB, 0x838D, true},
    {0xDC, 0x838F, true}, {0xA6, 0x8392, true}, {0xDD, 0x8393, true},
    {0xB2, 0x8390, false}, {0xB4, 0x8391, false},
};

// Half-width bases followed by the voiced sound mark, and their voiced katakana.
const TWidthPair VoicedTable[] = {
    {0xB6, 0x834B, true}, {0xB7, 0x834D, true}, {0xB8, 0x834F, true}, {0xB9, 0x8351, true},
    {0xBA, 0x8353, true}, {0xBB, 0x8355, true}, {0xBC, 0x8357, true}, {0xBD, 0x8359, true},
    {0xBE, 0x835B, true}, {0xBF, 0x835D, true}, {0xC0, 0x835F, true}, {0xC1, 0x8361, true},
    {0xC2, 0x8364, true}, {0xC3, 0x8366, true}, {0xC4, 0x8368, true}, {0xCA, 0x836F, true},
    {0xCB, 0x8372, true}, {0xCC, 0x8375, true}, {0xCD, 0x8378, true}, {0xCE, 0x837B, true},
    {0xB3, 0x8394, true},
};

// Half-width bases followed by the semi-voiced sound mark.
const TWidthPair SemiVoicedTable[] = {
    {0xCA, 0x8370, true}, {0xCB, 0x8373, true}, {0xCC, 0x8376, true},
    {0xCD, 0x8379, true}, {0xCE, 0x837C, true},
};

const unsigned char HalfU = 0xB3;
const unsigned char VoicedMark = 0xDE;
const unsigned char SemiVoicedMark = 0xDF;
const unsigned short FullSpace = 0x8140;
const unsigned short FullVu = 0x8394;

template <size_t N>
const TWidthPair* FindHalf(const TWidthPair (&table)[N], unsigned char half)
{
    for (const TWidthPair& pair : table) {
        if (pair.half == half)
            return &pair;
    }
    return nullptr;
}

template <size_t N>
const TWidthPair* FindFull(const TWidthPair (&table)[N], unsigned short full)
{
    for (const TWidthPair& pair : table) {
        if (pair.full == full && pair.twoWay)
            return &pair;
    }
    return nullptr;
}

// The ToHalfWidth direction also narrows the entries marked one way toward half width.
template <size_t N>
const TWidthPair* FindFullIncludingNarrowOnly(const TWidthPair (&table)[N], unsigned short full)
{
    for (const TWidthPair& pair : table) {
        if (pair.full == full)
            return &pair;
    }
    return nullptr;
}

void PutFull(std::string& out, unsigned short code)
{
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Letters and digits convert by adding a constant to the half-width code.
bool ArithmeticFull(unsigned char b, int flags, unsigned short& full)
{
    if (b >= '0' && b <= '9' && (flags & WidthDigits)) {
        full = static_cast<unsigned short>(b + 0x821F);
        return true;
    }
    if (b >= 'A' && b <= 'Z' && (flags & WidthUpper)) {
        full = static_cast<unsigned short>(b + 0x821F);
        return true;
    }
    if (b >= 'a' && b <= 'z' && (flags & WidthLower)) {
        full = static_cast<unsigned short>(b + 0x8220);
        return true;
    }
    return false;
}

bool ArithmeticHalf(unsigned short code, int flags, char& half)
{
    if (code >= 0x824F && code <= 0x8258 && (flags & WidthDigits)) {
        half = static_cast<char>(code - 0x821F);
        return true;
    }
    if (code >= 0x8260 && code <= 0x8279 && (flags & WidthUpper)) {
        half = static_cast<char>(code - 0x821F);
        return true;
    }
    if (code >= 0x8281 && code <= 0x829A && (flags & WidthLower)) {
        half = static_cast<char>(code - 0x8220);
        return true;
    }
    return false;
}

bool IsAsciiLetterOrDigit(unsigned char b)
{
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// One byte on its own: the first table that holds it decides, and a byte of a
// class that is not selected stays as it is.
void WidenSingle(std::string& out, unsigned char b, int flags)
{
    unsigned short full = 0;
    if (IsAsciiLetterOrDigit(b)) {
        if (ArithmeticFull(b, flags, full))
            PutFull(out, full);
        else
            out += static_cast<char>(b);
        return;
    }
    if (const TWidthPair* pair = FindHalf(SymbolTable, b)) {
        if (flags & WidthSymbols)
            PutFull(out, pair->full);
        else
            out += static_cast<char>(b);
        return;
    }
    if (const TWidthPair* pair = FindHalf(KanaTable, b)) {
        if (flags & WidthKana)
            PutFull(out, pair->full);
        else
            out += static_cast<char>(b);
        return;
    }
    out += static_cast<char>(b);
}

} // namespace

char* ToFullWidth(const char* text, int flags)
{
    if (!text)
        return NewText("");
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    std::string out;
    out.reserve(2 * std::strlen(text));
    while (*p) {
        const unsigned char b = p[0];
        const unsigned char next = p[1]; // the NUL at worst: p[0] is not the end
        if (b == ' ') {
            if (flags & WidthSymbols)
                PutFull(out, FullSpace);
            else
                out += ' ';
            ++p;
        } else if (IsLeadByte(b)) {
            // A lead byte at the very end has no trail byte to take along.
            out += static_cast<char>(b);
            ++p;
            if (*p) {
                out += static_cast<char>(*p);
                ++p;
            }
        } else if (b == HalfU && next == VoicedMark) {
            PutFull(out, FullVu);
            p += 2;
        } else if (next == VoicedMark && FindHalf(VoicedTable, b)) {
            if (flags & WidthKana) {
                PutFull(out, FindHalf(VoicedTable, b)->full);
            } else {
                out += static_cast<char>(b);
                out += static_cast<char>(next);
            }
            p += 2;
        } else if (next == SemiVoicedMark && FindHalf(SemiVoicedTable, b)) {
            if (flags & WidthKana) {
                PutFull(out, FindHalf(SemiVoicedTable, b)->full);
            } else {
                out += static_cast<char>(b);
                out += static_cast<char>(next);
            }
            p += 2;
        } else {
            WidenSingle(out, b, flags);
            ++p;
        }
    }
    return NewText(out.c_str(), static_cast<int>(out.size()));
}

char* ToHalfWidth(const char* text, int flags)
{
    if (!text)
        return NewText("");
    const int length = static_cast<int>(std::strlen(text));
    std::string out;
    out.reserve(length);
    int offset = 0;
    while (offset < length) {
        const char* p = text + offset;
        const int step = CharLength(length - offset, p);
        offset += step;
        const unsigned char lead = static_cast<unsigned char>(p[0]);
        if (step != 2 || !IsLeadByte(lead)) {
            out.append(p, step); // single bytes and CR LF pairs
            continue;
        }
        const unsigned short code =
            static_cast<unsigned short>((lead << 8) | static_cast<unsigned char>(p[1]));
        char half = 0;
        if (const TWidthPair* pair = FindFull(VoicedTable, code)) {
            if (flags & WidthKana) {
                out += static_cast<char>(pair->half);
                out += static_cast<char>(VoicedMark);
            } else {
                out.append(p, 2);
            }
        } else if (const TWidthPair* pair = FindFull(SemiVoicedTable, code)) {
            if (flags & WidthKana) {
                out += static_cast<char>(pair->half);
                out += static_cast<char>(SemiVoicedMark);
            } else {
                out.append(p, 2);
            }
        } else if (code == FullSpace && (flags & WidthSymbols)) {
            out += ' ';
        } else if (ArithmeticHalf(code, flags, half)) {
            out += half;
        } else if (const TWidthPair* pair = (flags & WidthSymbols) ? FindFull(SymbolTable, code)
                                                                    : nullptr) {
            out += static_cast<char>(pair->half);
        } else if (const TWidthPair* pair =
                       (flags & WidthKana) ? FindFullIncludingNarrowOnly(KanaTable, code)
                                           : nullptr) {
            out += static_cast<char>(pair->half);
        } else {
            out.append(p, 2);
        }
    }
    return NewText(out.c_str(), static_cast<int>(out.size()));
}
