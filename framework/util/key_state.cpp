#include "framework/util/key_state.h"

#include <windows.h>

bool IsKeyDown(int virtualKey)
{
    const unsigned short state = static_cast<unsigned short>(GetKeyState(virtualKey));
    return (state & 0xFF00) != 0;
}
