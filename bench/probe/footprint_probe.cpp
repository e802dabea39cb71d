// footprint_probe.dll: the footprint benchmark's eyes inside the indicator.
// The benchmark hooks the indicator's thread with ProbeHook, which loads this
// library there; when the hooked thread takes the registered message
// "FootprintProbeCount" from its queue, the library counts the process's GDI
// objects and leaves the count plus one in the property "FootprintGdiObjects"
// of the message's window, where the benchmark reads it.
//
// Windows counts GDI objects for any process (GetGuiResources). Wine does not:
// there the count is read from the process's GDI handle table, which the
// process environment block names, as on Windows.
#include <windows.h>

namespace {

const UINT CountMessage = RegisterWindowMessageA("FootprintProbeCount");

struct TGdiEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    BYTE type, flags;
    ULONGLONG user;
};
const int GdiTableSize = 0x10000;

long CountGdiObjects()
{
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return static_cast<long>(count);
    const TGdiEntry* table = nullptr;
    const BYTE* teb = reinterpret_cast<const BYTE*>(NtCurrentTeb());
#ifndef _WIN64
    // A 32-bit thread with a 64-bit twin names it in GdiBatchCount; the
    // table is then named by the 64-bit PEB, else by the 32-bit one.
    if (const DWORD twin = *reinterpret_cast<const DWORD*>(teb + 0xF70)) {
        teb = reinterpret_cast<const BYTE*>(static_cast<ULONG_PTR>(twin));
    } else {
        const BYTE* peb = *reinterpret_cast<const BYTE* const*>(teb + 0x30);
        table = peb ? *reinterpret_cast<const TGdiEntry* const*>(peb + 0x94) : nullptr;
        teb = nullptr;
    }
#endif
    if (teb) {
        const ULONGLONG peb = *reinterpret_cast<const ULONGLONG*>(teb + 0x60);
        table = peb ? reinterpret_cast<const TGdiEntry*>(static_cast<ULONG_PTR>(
                          *reinterpret_cast<const ULONGLONG*>(static_cast<ULONG_PTR>(peb) + 0xF8)))
                    : nullptr;
    }
    if (!table)
        return -1;
    long objects = 0;
    for (int i = 0; i < GdiTableSize; ++i)
        objects += table[i].type != 0;
    return objects;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM removal, LPARAM data)
{
    const MSG* message = reinterpret_cast<const MSG*>(data);
    if (code == HC_ACTION && removal == PM_REMOVE && message && message->message == CountMessage && CountMessage)
        SetPropA(message->hwnd, "FootprintGdiObjects", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(CountGdiObjects() + 1)));
    return CallNextHookEx(nullptr, code, removal, data);
}
