// The dropped-file operations of the window wrapper, for WM_DROPFILES handlers.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "framework/core/window.h"
#include "framework/settings/text_array.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// The dropped file at `index`, read at its full length so that a long path is
// never cut short.
std::wstring DroppedName(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, &name[0], length + 1);
    name.resize(copied <= length ? copied : length);
    return name;
}

// The extension is the text after the last '.' that follows the last backslash.
bool IsShortcutName(const std::wstring& name)
{
    const size_t dot = name.find_last_of(L".\\");
    return dot != std::wstring::npos && name[dot] == L'.' && lstrcmpiW(name.c_str() + dot + 1, L"lnk") == 0;
}

// The dropped file as the program's text. A dropped shortcut stands for its
// target; one that cannot be read stays itself. Both are read in UTF-16, so
// that a shortcut in a folder of any characters is followed.
char* DroppedFile(HDROP drop, UINT index)
{
    std::wstring name = DroppedName(drop, index);
    TShortcutParts parts;
    if (IsShortcutName(name) && ReadShortcut(name, parts) && !parts.Target.empty())
        name = parts.Target;
    char* text;
    AnsiText(text, name);
    return text;
}

}  // namespace

char* TWindow::GetDroppedFile(HDROP drop) const
{
    SetForegroundWindow(TopLevelAncestor());
    char* name = DroppedFile(drop, 0);
    DragFinish(drop);
    return name;
}

int TWindow::GetDroppedFiles(HDROP drop, TTextArray* files) const
{
    SetForegroundWindow(TopLevelAncestor());
    const int count = static_cast<int>(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    // Counting alone leaves the drop to the caller, who still reads it.
    if (!files)
        return count;
    files->Resize(count);
    for (int i = 0; i < files->Count; ++i) {
        char* name = DroppedFile(drop, static_cast<UINT>(i));
        files->Set(i, name);
        FreeText(name);
    }
    DragFinish(drop);
    return count;
}

bool TWindow::HasExtension(const char* fileName, const TTextArray& extensions)
{
    const int length = static_cast<int>(std::strlen(fileName));
    int dot = -1;
    for (int i = 0; i < length; i += CharLength(length - i, fileName + i)) {
        if (fileName[i] == '\\')
            dot = -1;
        else if (fileName[i] == '.')
            dot = i;
    }
    const char* extension = dot >= 0 ? fileName + dot + 1 : fileName + length;
    for (int i = 0; i < extensions.Count; ++i) {
        if (lstrcmpiW(WideText(extension).c_str(), WideText(extensions.At(i)).c_str()) == 0)
            return true;
    }
    return false;
}
