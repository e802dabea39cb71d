// Help beside the program: the old help viewer's file (HelpFile, ".HLP") where
// it exists, else the HTML page of the same name with ".html" in its place
// (".en.html" for the English interface, where that page is there).
//
// Systems have long stopped shipping the old viewer, so a program ships the
// page instead. Every help request of the framework and the application goes
// through OpenHelp: with the help file present it calls WinHelpW exactly as
// before; without it, and with the page present, it opens the page, at the
// topic's section when a context topic is asked for. Where neither exists,
// WinHelpW is called all the same. When nothing can open the page, OpenHelp
// says so, and RequestHelp (framework/dialogs/help_request.h) tells the user,
// with the page's path.
//
// Paths are UTF-16 from the program's module name on, so that a folder of any
// characters holds the help.
#pragma once

#include <windows.h>

#include <string>

// ProgramFile of AppGlobals cut at its last '.' (anywhere in the path; not cut
// without one) with `extension` appended: ".HLP" names the viewer's file,
// ".html" the page.
std::wstring BesideProgram(const wchar_t* extension);
// Whether the path names a file (a folder of that name is none).
bool IsFile(const std::wstring& path);
// The page in the interface's language: in English the page with ".en.html",
// where it is there, else the one with ".html".
std::wstring LocalHelpPage();
// True when the help file is missing and the page is there.
bool HelpPageInUse();
// The page's file URL ("file:///C:/Program%20Files/Pelorum/Indicator.html"),
// with the section "#topic-<topic>" for a topic above 0: the full path (a
// relative one taken from the current folder, without a "\\?\" prefix) in
// UTF-8, every byte but letters, digits, "-._~", the separators and a drive's
// colon percent-encoded; a network path gives "file://server/...".
std::wstring HelpPageUrl(const std::wstring& pagePath, int topic);
// One help request, as WinHelpW takes it, and the context topic it is about
// (0 or less: none). With the page in use the page is opened instead, for
// every command but HELP_QUIT, which has no viewer to close: without a topic
// the shell opens it; with one the system's command for "http" addresses are
// started with the page's URL at the topic's section, and where there is none
// (or it does not start) the shell opens the page. False when that fails as
// well.
bool OpenHelp(HWND window, UINT command, ULONG_PTR data, int topic);
