// The dropped-file operations of the window wrapper, for WM_DROPFILES handlers.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <new>

#include "framework/core/window.h"
#include "framework/settings/text_array.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"

namespace {

// The dropped file at `index` as a new owned text. The name is read at its full
// length, so that a long path is never cut short.
char* DroppedName(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    char* buffer = new (std::nothrow) char[length + 1];
    if (!buffer)
        return NewText("");
    buffer[0] = '\0';
    const UINT copied = DragQueryFileA(drop, index, buffer, length + 1);
    buffer[copied <= length ? copied : length] = '\0';
    char* name = NewText(buffer);
    delete[] buffer;
    return name;
}

bool IsShortcutName(const char* name)
{
    // The extension is the text after the last '.' that follows the last backslash.
    const int length = static_cast<int>(std::strlen(name));
    int dot = -1;
    for (int i = 0; i < length; i += CharLength(length - i, name + i)) {
        if (name[i] == '\\')
            dot = -1;
        else if (name[i] == '.')
            dot = i;
    }
    return dot >= 0 && lstrcmpiA(name + dot + 1, "lnk") == 0;
}

// A dropped shortcut stands for its target; one that cannot be read stays itself.
void ResolveShortcut(char*& name)
{
    if (!IsShortcutName(name))
        return;
    char* target = NewText("");
    if (ReadShortcut(name, &target, nullptr, nullptr, nullptr) && target[0] != '\0')
        SetText(name, target);
    FreeText(target);
}

}  // namespace

char* TWindow::GetDroppedFile(HDROP drop) const
{
    SetForegroundWindow(TopLevelAncestor());
    char* name = DroppedName(drop, 0);
    ResolveShortcut(name);
    DragFinish(drop);
    return name;
}

int TWindow::GetDroppedFiles(HDROP drop, TTextArray* files) const
{
    SetForegroundWindow(TopLevelAncestor());
    const int count = static_cast<int>(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
    // Counting alone leaves the drop to the caller, who still reads it.
    if (!files)
        return count;
    files->Resize(count);
    for (int i = 0; i < files->Count; ++i) {
        char* name = DroppedName(drop, static_cast<UINT>(i));
        ResolveShortcut(name);
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
        if (lstrcmpiA(extension, extensions.At(i)) == 0)
            return true;
    }
    return false;
}
