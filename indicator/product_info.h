// What the program says about itself: in its version dialog (AppInfo) and in
// the version resource of every shipped file (cmake/version.rc.in). Plain
// macros, so that resource scripts can use them too.
#pragma once

#define PRODUCT_NAME "Pelorum"
#define PRODUCT_VERSION_TEXT "1.x"
#define PRODUCT_COPYRIGHT "Copyright (C) 2000 The Pelorum developers"
