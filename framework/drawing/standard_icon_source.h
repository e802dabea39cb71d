// The standard icons of messages, by request identifier: the system's
// information (32516), exclamation (32515), question (32514) and hand
// (32513) icons, the program's own "CURE_ICON" (1118) and "APPLICATION_ICON"
// (32512), and the system logo for any other identifier. The sources are the
// shared ones of the icon caches: callers never free them.
#pragma once

class TIconSource;

// The request identifier of the program's "CURE_ICON".
enum : int { CureIconRequest = 1118 };

TIconSource* StandardIconSource(int id);
// The program's icon (32512), which the version dialog shows beside the build.
TIconSource* ApplicationIcon();
// The information icon (32516) that menus show beside the version command.
TIconSource* VersionInfoIcon();
