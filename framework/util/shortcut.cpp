#include "framework/util/shortcut.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// The shell-link object with its file interface, released together.
class TShellLink {
public:
    TShellLink()
    {
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
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

    IShellLinkW* Link() const { return link_; }
    IPersistFile* File()
    {
        if (!file_ && link_ &&
            FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_))))
            file_ = nullptr;
        return file_;
    }

private:
    IShellLinkW* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

// The longest path or argument text a shortcut holds.
const int kLongestPart = 32768;

// One text part read through a getter taking (buffer, size); empty on failure.
template <typename TGetter>
bool ReadPart(std::wstring& part, TGetter get)
{
    part.assign(kLongestPart, L'\0');
    if (FAILED(get(&part[0], kLongestPart))) {
        part.clear();
        return false;
    }
    part.resize(lstrlenW(part.c_str()));
    return true;
}

// The slot's new text: the part in the program's code page.
void StorePart(char** slot, const std::wstring& part)
{
    FreeText(*slot);
    AnsiText(*slot, part);
}

}  // namespace

bool CreateShortcut(const std::wstring& linkPath, const TShortcutParts& parts)
{
    TShellLink shell;
    IPersistFile* file = shell.File();
    // The shell saves to a path of MAX_PATH characters at most.
    if (!file || linkPath.empty() || linkPath.size() >= MAX_PATH)
        return false;
    IShellLinkW* link = shell.Link();
    if (FAILED(link->SetPath(parts.Target.c_str())) || FAILED(link->SetArguments(parts.Arguments.c_str())))
        return false;
    if (!parts.WorkingFolder.empty() && FAILED(link->SetWorkingDirectory(parts.WorkingFolder.c_str())))
        return false;
    if (!parts.IconPath.empty() && FAILED(link->SetIconLocation(parts.IconPath.c_str(), parts.IconIndex)))
        return false;
    const bool existed = GetFileAttributesW(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (FAILED(file->Save(linkPath.c_str(), TRUE))) {
        // Whatever a failed save managed to write is not a shortcut.
        if (!existed)
            DeleteFileW(linkPath.c_str());
        return false;
    }
    return true;
}

bool ReadShortcut(const std::wstring& linkPath, TShortcutParts& parts)
{
    parts = TShortcutParts();
    TShellLink shell;
    IPersistFile* file = shell.File();
    if (!file || linkPath.empty() || FAILED(file->Load(linkPath.c_str(), 0)))
        return false;
    IShellLinkW* link = shell.Link();
    bool ok = ReadPart(parts.Target, [link](wchar_t* buffer, int size) {
        return link->GetPath(buffer, size, nullptr, SLGP_UNCPRIORITY);
    });
    ok = ReadPart(parts.Arguments, [link](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); }) && ok;
    ok = ReadPart(parts.WorkingFolder,
                  [link](wchar_t* buffer, int size) { return link->GetWorkingDirectory(buffer, size); }) && ok;
    int index = 0;
    ok = ReadPart(parts.IconPath,
                  [link, &index](wchar_t* buffer, int size) { return link->GetIconLocation(buffer, size, &index); }) &&
         ok;
    parts.IconIndex = index;
    return ok;
}

bool CreateShortcut(const char* linkPath, const char* target, const char* arguments,
                    const char* iconPath, int iconIndex)
{
    TShortcutParts parts;
    parts.Target = WideText(target);
    parts.Arguments = WideText(arguments);
    parts.IconPath = WideText(iconPath);
    parts.IconIndex = iconIndex;
    return CreateShortcut(WideText(linkPath), parts);
}

bool ReadShortcut(const char* linkPath, char** target, char** arguments, char** iconPath,
                  int* iconIndex)
{
    TShortcutParts parts;
    bool ok = ReadShortcut(WideText(linkPath), parts);
    if (target)
        StorePart(target, parts.Target);
    if (arguments)
        StorePart(arguments, parts.Arguments);
    if (iconPath && iconIndex) {
        StorePart(iconPath, parts.IconPath);
        *iconIndex = parts.IconIndex;
    }
    return ok;
}
