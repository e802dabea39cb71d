// Registration of the framework's window classes.
#pragma once

#include <windows.h>

// Registers the class unless the module already has it. A class that can be
// neither found nor registered leaves the program unable to make its windows:
// the process ends at once with exit code 0.
void RegisterWindowClass(const WNDCLASSA& description);
// The same for a Unicode class, whose windows take and give texts in UTF-16.
void RegisterWindowClass(const WNDCLASSW& description);
