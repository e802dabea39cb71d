#include "framework/settings/registry_roots.h"

const HKEY RootLocalMachine = HKEY_LOCAL_MACHINE;
const HKEY RootClassesRoot = HKEY_CLASSES_ROOT;
const HKEY RootUsers = HKEY_USERS;
const HKEY RootCurrentUser = HKEY_CURRENT_USER;
const HKEY RootDynData = HKEY_DYN_DATA;
const HKEY RootCurrentConfig = HKEY_CURRENT_CONFIG;
