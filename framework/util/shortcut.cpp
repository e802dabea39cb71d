#include "framework/util/shortcut.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "framework/util/text.h"

namespace {

// The shell-link object with its file interface, released together.
class TShellLink {
public:
    TShellLink()
    {
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link_))))
            link_ = nullptr;
    }
    ~TShellLink()
    {
        if (file_)
            file_->Release();
        if (link_)
            link_->Release();
    }
    TShellLink(const TShellLink&) = delete;
    TShellLink& operator=(const TShellLink&) = delete;

    bool Created() const { return link_ != nullptr; }
    IShellLinkA* Link() const { return link_; }
    IPersistFile* File()
    {
        if (!file_ && link_ &&
            FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_))))
            file_ = nullptr;
        return file_;
    }

private:
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

// The link path in UTF-16; false when it does not fit in MAX_PATH characters.
bool WidePath(const char* path, WCHAR (&wide)[MAX_PATH + 1])
{
    return path && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) > 0;
}

bool FileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Replaces the slot's text with the buffer's, which holds the empty text when
// the call failed.
void StoreBuffer(char** slot, const char* buffer)
{
    SetText(*slot, buffer);
}

}  // namespace

bool CreateShortcut(const char* linkPath, const char* target, const char* arguments,
                    const char* iconPath, int iconIndex)
{
    TShellLink shell;
    if (!shell.Created())
        return false;
    IPersistFile* file = shell.File();
    if (!file)
        return false;
    IShellLinkA* link = shell.Link();
    if (FAILED(link->SetPath(target ? target : "")) || FAILED(link->SetArguments(arguments ? arguments : "")))
        return false;
    if (iconPath && FAILED(link->SetIconLocation(iconPath, iconIndex)))
        return false;
    WCHAR wide[MAX_PATH + 1];
    if (!WidePath(linkPath, wide))
        return false;
    const bool existed = FileExists(linkPath);
    if (FAILED(file->Save(wide, TRUE))) {
        // Whatever a failed save managed to write is not a shortcut.
        if (!existed)
            DeleteFileA(linkPath);
        return false;
    }
    return true;
}

bool ReadShortcut(const char* linkPath, char** target, char** arguments, char** iconPath,
                  int* iconIndex)
{
    TShellLink shell;
    if (!shell.Created())
        return false;
    IPersistFile* file = shell.File();
    WCHAR wide[MAX_PATH + 1];
    bool ok = file && WidePath(linkPath, wide) && SUCCEEDED(file->Load(wide, 0));
    IShellLinkA* link = shell.Link();
    if (target) {
        char buffer[MAX_PATH + 1] = "";
        if (!ok || FAILED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) {
            buffer[0] = '\0';
            ok = false;
        }
        StoreBuffer(target, buffer);
    }
    if (arguments) {
        char buffer[MAX_PATH + 1] = "";
        if (!ok || FAILED(link->GetArguments(buffer, MAX_PATH))) {
            buffer[0] = '\0';
            ok = false;
        }
        StoreBuffer(arguments, buffer);
    }
    if (iconPath && iconIndex) {
        char buffer[MAX_PATH + 1] = "";
        if (!ok || FAILED(link->GetIconLocation(buffer, MAX_PATH, iconIndex))) {
            buffer[0] = '\0';
            ok = false;
        }
        StoreBuffer(iconPath, buffer);
    }
    return ok;
}
