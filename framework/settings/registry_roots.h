// The registry roots, one process-wide handle each; code that needs a root
// takes it from here.
#pragma once

#include <windows.h>

extern const HKEY RootLocalMachine;
extern const HKEY RootClassesRoot;
extern const HKEY RootUsers;
extern const HKEY RootCurrentUser;
extern const HKEY RootDynData;
extern const HKEY RootCurrentConfig;
