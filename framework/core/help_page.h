// Help beside the program: the old help viewer's file (HelpFile, ".HLP") where
// it exists, else the HTML page of the same name with ".html" in its place.
//
// Systems have long stopped shipping the old viewer, so a program ships the
// page instead. Every help request of the framework and the application goes
// through RequestHelp: with the help file present it calls WinHelpA exactly as
// before; without it, and with the page present, it opens the page, at the
// topic's section when a context topic is asked for. Where neither exists,
// WinHelpA is called all the same. Nothing is reported when opening fails.
#pragma once

#include <windows.h>

// HelpFile of AppGlobals with ".html" in place of its ".HLP".
void HelpPagePath(char*& result);
// Whether a search for the file finds it (FindFirstFileA).
bool HelpFileFound(const char* path);
// True when the help file is missing and the page is there.
bool HelpPageInUse();
// The page's file URL ("file:///C:/Program%20Files/Pelorum/Indicator.html"),
// with the section "#topic-<topic>" for a topic above 0. A relative path is
// taken from the current directory; a network path gives "file://server/...".
void HelpPageUrl(char*& result, const char* pagePath, int topic);
// Opens the page. Without a topic the shell opens it ("open"); with one the
// browser the system associates with ".html" is started with the page's URL
// at the topic's section, and where there is no such browser (or it does not
// start) the shell opens the page itself. True when something was started.
bool OpenHelpPage(int topic);
// One help request, as WinHelpA takes it, and the context topic it is about
// (0 or less: none). With the page in use the page is opened instead, for
// every command but HELP_QUIT, which has no viewer to close.
void RequestHelp(HWND window, UINT command, ULONG_PTR data, int topic);
