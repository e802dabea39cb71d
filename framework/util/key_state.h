// Whether a key is held down, from the thread's key-state table.
#pragma once

// True when the high byte of GetKeyState for the virtual key is non-zero.
bool IsKeyDown(int virtualKey);
