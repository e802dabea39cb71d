#include "framework/drawing/file_icon_source.h"

#include <shellapi.h>

#include <cstring>

#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_location.h"
#include "framework/drawing/module_record.h"
#include "framework/drawing/shell_icon_source.h"
#include "framework/util/directories.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

TIconSource* const LogoFallback = reinterpret_cast<TIconSource*>(static_cast<INT_PTR>(-1));

namespace {

// No drive type has this value: paths on network shares never count as local.
const UINT kNetworkShare = 8738;

UINT DriveTypeOf(const char* path)
{
    if ((path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/'))
        return kNetworkShare;
    if (path[0] != '\0' && path[1] == ':') {
        const wchar_t root[4] = {static_cast<wchar_t>(static_cast<unsigned char>(path[0])), L':', L'\\', L'\0'};
        return GetDriveTypeW(root);
    }
    return GetDriveTypeW(nullptr);
}

bool IsLocalDrive(UINT type)
{
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

bool IsDriveRoot(const char* path)
{
    return path[0] != '\0' && path[1] == ':' && (path[2] == '\0' || (path[2] == '\\' && path[3] == '\0'));
}

// Whether the shell has an icon for the file itself.
bool ShellKnowsFile(const char* path)
{
    SHFILEINFOW info;
    std::memset(&info, 0, sizeof info);
    if (!SHGetFileInfoW(TWideText(path).Get(), FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, SHGFI_ICON))
        return false;
    if (info.hIcon)
        DestroyIcon(info.hIcon);
    return true;
}

bool FileExists(const char* path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(TWideText(path).Get(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

// `location` with its first "%1" replaced by `path`, as a new owned text.
char* ReplacePercentOne(const char* location, const char* path)
{
    const int at = StrFind(location, "%1");
    if (at < 0)
        return NewText(location);
    char* head = NewText(location, at);
    char* withPath;
    StrConcat(withPath, head, path);
    char* result;
    StrConcat(result, withPath, location + at + 2);
    FreeText(head);
    FreeText(withPath);
    return result;
}

}  // namespace

TIconSource* ResolveFileIcon(const char* path, TIconSource* fallback)
{
    char* location;
    DefaultIconLocation(location, path);
    char* iconPath;
    int index = 0;
    ParseIconLocation(location, iconPath, index);
    FreeText(location);

    TIconSource* result = nullptr;
    const bool pattern = std::strchr(path, '*') != nullptr;
    const UINT pathDrive = DriveTypeOf(path);

    // The file's own icon, as the shell draws it.
    if ((iconPath[0] == '\0' || StrFind(iconPath, "%1") >= 0) && !pattern) {
        const bool local = IsLocalDrive(pathDrive) || (pathDrive != kNetworkShare && IsDriveRoot(path));
        if (local && ShellKnowsFile(path))
            result = ShellFileIcon(path);
    }

    // The icon that the association names.
    if (!result && iconPath[0] != '\0') {
        char* replaced = ReplacePercentOne(iconPath, path);
        SetText(iconPath, replaced);
        FreeText(replaced);
        if (IsLocalDrive(DriveTypeOf(iconPath)) && FileExists(iconPath)) {
            const char* extension = PathExtension(iconPath);
            if (std::strcmp(extension, "ico") == 0)
                result = IconFileIcon(iconPath);
            else if (std::strcmp(extension, "bmp") != 0 && LoadModule(iconPath, ModuleAsDataFile))
                result = ModuleIcon(iconPath, index);
        }
    }

    // The shell's icon for the type alone.
    if (!result) {
        HICON icon = ShellTypeIconHandle(path, false);
        if (icon) {
            DestroyIcon(icon);
            result = ShellTypeIcon(path);
        }
    }

    // The association names the file itself, which gives no icon.
    if (!result && std::strcmp(iconPath, path) == 0)
        result = SystemIcon(std::strcmp(PathExtension(path), "exe") == 0 ? 32512 : 32517);

    if (!result)
        result = fallback == LogoFallback ? SystemIcon(32517) : fallback;
    FreeText(iconPath);
    return result;
}

TFileIconSource::TFileIconSource(bool isPath, const char* path, TIconSource* fallback)
    : PathFlag(isPath), FilePath(NewText(path)), FallbackSource(fallback), ResolvedSource(nullptr)
{
}

TFileIconSource::~TFileIconSource()
{
    FreeText(FilePath);
}

TIconSource* TFileIconSource::Resolve()
{
    if (!ResolvedSource)
        ResolvedSource = ResolveFileIcon(FilePath, FallbackSource);
    // A source can never stand in for itself.
    if (ResolvedSource == this)
        ResolvedSource = nullptr;
    return ResolvedSource;
}

HICON TFileIconSource::GetIcon(int kind, TIconSource* fallback)
{
    TIconSource* resolved = Resolve();
    if (resolved)
        return resolved->GetIcon(kind, fallback);
    return FallbackIcon(kind, fallback);
}

HICON TFileIconSource::CreateIcon(int width, int height, TIconSource* fallback)
{
    TIconSource* resolved = Resolve();
    if (resolved)
        return resolved->CreateIcon(width, height, fallback);
    return FallbackCreateIcon(width, height, fallback);
}
