// Where the icon of a file type lives: the DefaultIcon values of the file-type
// associations, and the "path,index" form they are written in.
#pragma once

// The extension of a path: the text after its last '.' when that '.' comes
// after the last backslash and is not the last character; else the empty text.
// Points into `path`.
const char* PathExtension(const char* path);

// Writes a new owned text into `result` (not freed first): the DefaultIcon
// value of the path's file type under HKEY_CLASSES_ROOT, or the empty text.
void DefaultIconLocation(char*& result, const char* path);

// Splits "path,index" at the first comma outside double quotes. `path`
// receives a new owned text (not freed first), unquoted and with its
// environment variables expanded; `index` the number after the comma (0 when
// there is none, it is not a number, or it does not fit an int).
void ParseIconLocation(const char* location, char*& path, int& index);
