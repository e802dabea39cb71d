// The program's command line: splitting it into the module path, the arguments
// and the switches of AppGlobals, the help switches, and the look-ups on them.
//
// Every text result is a new owned text written into the caller's slot (the
// slot is not freed first).
#pragma once

// Fills ModulePath, HelpFile, Arguments and Switches of AppGlobals from the
// process's command line. A "/?" or "/help" switch with the help file present
// opens the help file (without it, the help page, when that is there) and ends
// the process with exit code -1.
void ParseCommandLine();

// The splitting part of ParseCommandLine, on a given full command line (the
// program path first): it never ends the process.
void SplitCommandLine(const char* commandLine);

// True when "/?" or "/help" was given and the help file or the help page exists.
bool IsHelpRequested();

void GetModulePath(char*& result);
int GetArgumentCount();
// The argument at a zero-based index; the empty text outside the list.
void GetArgument(char*& result, int index);
// Zero-based index of the first switch named `name` ("/restore"): a switch's
// name is its text up to its first ':'; ASCII letters match in either case.
// -1 when there is none.
int FindSwitch(const char* name);
// The text after the first ':' of the switch at `index`; the empty text when it
// has none or the index lies outside the list.
void GetSwitchValue(char*& result, int index);
