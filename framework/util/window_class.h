// Registration of the framework's window classes.
#pragma once

#include <windows.h>

// Registers the class unless the module already has it. A class that can be
// neither found nor registered leaves the program unable to make its windows:
// the process ends at once with exit code 0.
// The wide form makes a Unicode class, whose windows take their messages and
// texts in UTF-16: the form for the program's own classes. The ANSI form is
// for a procedure that still reads ANSI messages (its name must be ASCII).
void RegisterWindowClass(const WNDCLASSW& description);
void RegisterWindowClass(const WNDCLASSA& description);
