// The program's command line: splitting it into the module path, the arguments
// and the switches of AppGlobals, the help switches, and the look-ups on them;
// and the program's own file, which the command line does not tell.
//
// Every text result is a new owned text written into the caller's slot (the
// slot is not freed first).
#pragma once

#include <string>

// Fills ModulePath, Arguments and Switches of AppGlobals from the process's
// command line, and ProgramFile and HelpFile from the module's file name.
void ParseCommandLine();

// The splitting part of ParseCommandLine, on a given full command line (the
// program path first).
void SplitCommandLine(const char* commandLine);

// ProgramFile of AppGlobals, and HelpFile beside it (see BesideProgram).
void SetProgramFile(const std::wstring& path);

// True when "/?" or "/help" was given and the help file or the help page
// exists beside the program file.
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
