#include "framework/core/command_line.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "framework/core/help_page.h"
#include "framework/settings/app_globals.h"
#include "framework/util/list.h"
#include "framework/util/module_file.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int TextLength(const char* text)
{
    return static_cast<int>(std::strlen(text));
}

bool IsBlankText(const char* text)
{
    for (; *text; ++text) {
        if (!IsBlank(static_cast<unsigned char>(*text)))
            return false;
    }
    return true;
}

// The byte offset of the last character of a text (by characters, so that the
// trail byte of a double-byte character is never taken for one), -1 when empty.
int LastCharOffset(const char* text)
{
    const int length = TextLength(text);
    int last = -1;
    for (int i = 0; i < length; i += CharLength(length - i, text + i))
        last = i;
    return last;
}

// True when the last character of the text is the single byte `c`.
bool EndsWithChar(const char* text, char c)
{
    const int last = LastCharOffset(text);
    return last >= 0 && text[last] == c && text[last + 1] == '\0';
}

// The offset of the first character `c` (a single byte), -1 when none.
int FindChar(const char* text, char c)
{
    const int length = TextLength(text);
    for (int i = 0; i < length; i += CharLength(length - i, text + i)) {
        if (text[i] == c)
            return i;
    }
    return -1;
}

void AddPiece(TStringList& list, const char* text, int bytes)
{
    TText piece;
    piece.Slot() = NewText(text, bytes);
    list.Add(piece.Get());
}

// Splits the text into runs of blanks, runs of other characters and quoted
// parts. A double-byte character or a CR LF pair is one character, so a trail
// byte never ends a run or opens a quote. An unterminated quote runs to the end.
void Tokenise(const char* text, TStringList& tokens)
{
    const int length = TextLength(text);
    int start = 0;
    bool inQuotes = false;
    bool nonBlankRun = true;
    int i = 0;
    while (i < length) {
        const int step = CharLength(length - i, text + i);
        const bool quote = step == 1 && text[i] == '"';
        if (!inQuotes) {
            if (quote) {
                if (i > start)
                    AddPiece(tokens, text + start, i - start);
                start = i;
                inQuotes = true;
            } else if (IsBlank(static_cast<unsigned char>(text[i])) == nonBlankRun) {
                // The character's blankness differs from the run's: a new run begins.
                if (i > start)
                    AddPiece(tokens, text + start, i - start);
                start = i;
                nonBlankRun = !nonBlankRun;
            }
        } else if (quote) {
            AddPiece(tokens, text + start, i + 1 - start);
            start = i + 1;
            nonBlankRun = i + 1 < length && !IsBlank(static_cast<unsigned char>(text[i + 1]));
            inQuotes = false;
        }
        i += step;
    }
    if (start < length)
        tokens.Add(text + start);
}

// Removes the first token of the list and hands its text over.
char* TakeFirst(TStringList& tokens)
{
    char*& slot = tokens.At(0);
    char* text = slot;
    slot = NewText("");
    tokens.Delete(0);
    return text;
}

// The trimmed token without one pair of enclosing double quotes.
void ModulePathOf(char*& result, const char* token)
{
    TText trimmed;
    StrTrim(trimmed.Slot(), token);
    const char* text = trimmed.Get();
    const int length = TextLength(text);
    if (length >= 2 && text[0] == '"' && EndsWithChar(text, '"'))
        result = NewText(text + 1, length - 2);
    else
        result = NewText(text);
}

// Whether a following token may continue an unquoted argument: it does not
// start a switch, a quoted part or a network path, and holds no drive colon.
bool ContinuesArgument(const char* token)
{
    return token[0] != '/' && token[0] != '"' && FindChar(token, ':') < 0 &&
           !(token[0] == '\\' && token[1] == '\\');
}

void AppendText(TText& text, const char* tail)
{
    char* joined;
    StrConcat(joined, text.Get(), tail);
    text.Set(joined);
    FreeText(joined);
}

// The argument without its blanks at both ends, every leading double quote and
// then every trailing one (a double quote is never a trail byte).
void ArgumentOf(char*& result, const char* token)
{
    TText trimmed;
    StrTrim(trimmed.Slot(), token);
    const char* text = trimmed.Get();
    int first = 0;
    while (text[first] == '"')
        ++first;
    int end = TextLength(text);
    while (end > first && text[end - 1] == '"')
        --end;
    result = NewText(text + first, end - first);
}

// ASCII letters compare without regard to case; double-byte characters compare
// byte for byte, so a trail byte is never folded.
bool SameSwitchName(const char* switchText, int nameLength, const char* name)
{
    if (TextLength(name) != nameLength)
        return false;
    int i = 0;
    while (i < nameLength) {
        const int step = CharLength(nameLength - i, switchText + i);
        if (step == 1) {
            int a = static_cast<unsigned char>(switchText[i]);
            int b = static_cast<unsigned char>(name[i]);
            if (IsUpperChar(a))
                a += 'a' - 'A';
            if (IsUpperChar(b))
                b += 'a' - 'A';
            if (a != b)
                return false;
        } else if (std::memcmp(switchText + i, name + i, step) != 0) {
            return false;
        }
        i += step;
    }
    return true;
}

}  // namespace

void SplitCommandLine(const char* commandLine)
{
    AppGlobals.Arguments.Clear();
    AppGlobals.Switches.Clear();

    TText line;
    StrTrim(line.Slot(), commandLine ? commandLine : "");
    TStringList tokens;
    Tokenise(line.Get(), tokens);

    FreeText(AppGlobals.ModulePath);
    if (tokens.Count() > 0) {
        TText first;
        first.Slot() = TakeFirst(tokens);
        ModulePathOf(AppGlobals.ModulePath, first.Get());
    } else {
        AppGlobals.ModulePath = NewText("");
    }

    while (tokens.Count() > 0) {
        TText token;
        token.Slot() = TakeFirst(tokens);
        if (IsBlankText(token.Get()))
            continue;
        if (token.Get()[0] == '/') {
            if (tokens.Count() > 0 && !IsBlankText(tokens.At(0)) && EndsWithChar(token.Get(), ':')) {
                // "/name:" directly followed by a quoted value is one switch, quotes kept.
                char* value = TakeFirst(tokens);
                AppendText(token, value);
                FreeText(value);
            }
            TText trimmed;
            StrTrim(trimmed.Slot(), token.Get());
            AppGlobals.Switches.Add(trimmed.Get());
            continue;
        }
        if (token.Get()[0] != '"') {
            // An unquoted path with spaces comes in several tokens: join them again.
            std::string joined(token.Get());
            while (tokens.Count() > 0 && ContinuesArgument(tokens.At(0))) {
                char* next = TakeFirst(tokens);
                joined += next;
                FreeText(next);
            }
            token.Set(joined.c_str());
        }
        TText argument;
        ArgumentOf(argument.Slot(), token.Get());
        AppGlobals.Arguments.Add(argument.Get());
    }
}

void SetProgramFile(const std::wstring& path)
{
    AppGlobals.ProgramFile = path;
    FreeText(AppGlobals.HelpFile);
    AnsiText(AppGlobals.HelpFile, BesideProgram(L".HLP"));
}

bool IsHelpRequested()
{
    if (FindSwitch("/?") < 0 && FindSwitch("/help") < 0)
        return false;
    // Without a program file there is no help file beside it.
    return !AppGlobals.ProgramFile.empty() && (IsFile(BesideProgram(L".HLP")) || HelpPageInUse());
}

void ParseCommandLine()
{
    // Taken in UTF-16 and held in the program's code page: switches and the
    // program's arguments are its own texts. The program's own path, which
    // must stay exact, is the module's (ProgramFile of AppGlobals).
    TText line;
    AnsiText(line.Slot(), GetCommandLineW());
    SplitCommandLine(line.Get());
    // The command line names the program as it was started ("Indicator" found
    // through PATH, say): only the module's name says where it is.
    SetProgramFile(WideModuleFileName(nullptr));
}

void GetModulePath(char*& result)
{
    result = NewText(AppGlobals.ModulePath);
}

int GetArgumentCount()
{
    return AppGlobals.Arguments.Count();
}

void GetArgument(char*& result, int index)
{
    const auto* node = AppGlobals.Arguments.NodeAt(index);
    result = NewText(node ? node->value : "");
}

int FindSwitch(const char* name)
{
    if (!name)
        return -1;
    int index = 0;
    for (const auto* node = AppGlobals.Switches.First(); node; node = node->next, ++index) {
        const char* text = node->value;
        const int colon = FindChar(text, ':');
        const int nameLength = colon >= 0 ? colon : TextLength(text);
        if (SameSwitchName(text, nameLength, name))
            return index;
    }
    return -1;
}

void GetSwitchValue(char*& result, int index)
{
    const auto* node = AppGlobals.Switches.NodeAt(index);
    const char* text = node ? node->value : "";
    const int colon = FindChar(text, ':');
    result = NewText(colon >= 0 ? text + colon + 1 : "");
}
