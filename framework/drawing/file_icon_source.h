// The icon of a file, folder or wildcard pattern, found through the file-type
// associations and the shell (ResolveFileIcon), and TFileIconSource, which
// finds it on first use.
//
// The file icons and the caches (icon_caches.h) stand on each other, as one
// subject in two files: the sources found here are the caches' shared ones,
// and the caches make and keep every file icon source.
#pragma once

#include "framework/drawing/icon_source.h"

// The fallback that stands for the system logo icon (32517).
extern TIconSource* const LogoFallback;

// The source of a path's icon: the shell's icon of the file, the icon that the
// association's DefaultIcon value names, the shell's icon for the type, the
// system icons, and last `fallback` (LogoFallback: the system logo icon).
TIconSource* ResolveFileIcon(const char* path, TIconSource* fallback);

class TFileIconSource : public TIconSource {
public:
    TFileIconSource(bool isPath, const char* path, TIconSource* fallback);
    ~TFileIconSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;
    HICON CreateIcon(int width, int height, TIconSource* fallback) override;

    bool IsPath() const { return PathFlag; }
    const char* Path() const { return FilePath; }
    TIconSource* Fallback() const { return FallbackSource; }
    // The source found on first use; null before.
    TIconSource* Resolved() const { return ResolvedSource; }
    TIconSource* Resolve();
    // Drops the found source if it is `gone`, to be looked for again.
    void Forget(TIconSource* gone)
    {
        if (ResolvedSource == gone)
            ResolvedSource = nullptr;
    }

private:
    bool PathFlag;
    char* FilePath;  // owned
    TIconSource* FallbackSource;
    TIconSource* ResolvedSource;  // a shared source, not owned
};
