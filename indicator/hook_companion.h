// The 64-bit companion program (LAMPHOST64.exe) that hooks the keys of 64-bit
// programs on 64-bit Windows, where the 32-bit hook never runs in them.
#pragma once

// Starts the companion from the program's own folder when the program runs on
// 64-bit Windows; it ends by itself when this process ends. Without it (32-bit
// Windows, the file missing, its start refused) nothing happens and nothing is
// shown.
void StartHookCompanion();
