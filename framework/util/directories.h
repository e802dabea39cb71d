// The standard directories and the shell's special folders. Every result is a
// new owned text written into `result` (not freed first) that ends in a
// backslash, or the empty text when the system gives no path.
#pragma once

#include <string>

void WindowsDirectory(char*& result);
void SystemDirectory(char*& result);
void CurrentDirectory(char*& result);
// A shell folder by its CSIDL number; the empty text for a folder that does not exist.
void SpecialFolder(char*& result, int folder);

// The same in UTF-16, as the system gives them: a folder whose name has
// characters the program's code page lacks is named exactly.
std::wstring WideWindowsDirectory();
std::wstring WideSystemDirectory();
std::wstring WideCurrentDirectory();
std::wstring WideSpecialFolder(int folder);

// True when the last character of the text (walked by characters, so the trail
// byte of a double-byte character does not count) is a backslash.
bool EndsWithBackslash(const char* text);
// A copy of a non-empty path with a backslash appended unless it ends in one;
// the empty path stays empty.
void WithBackslash(char*& result, const char* path);
