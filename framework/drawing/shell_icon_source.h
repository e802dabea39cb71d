// Icons that the shell gives for a file: TShellFileIconSource asks about the
// file itself, TShellTypeIconSource only about its name (its type), so the
// file need not exist.
#pragma once

#include "framework/drawing/icon_source.h"

class TShellFileIconSource : public TIconSource {
public:
    explicit TShellFileIconSource(const char* path);
    ~TShellFileIconSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;
    const char* Path() const { return FilePath; }

protected:
    virtual HICON AskShell(bool small) const;

    char* FilePath;  // owned
    HICON Small;
    HICON Large;
};

class TShellTypeIconSource : public TShellFileIconSource {
public:
    using TShellFileIconSource::TShellFileIconSource;

protected:
    // A path ending in a backslash is asked as a folder (without the backslash).
    HICON AskShell(bool small) const override;
};

// The shell's icon by attributes alone (SHGFI_USEFILEATTRIBUTES): a path that
// ends in a backslash as a folder without it, any other as a file. Null when
// the shell has none; the caller destroys the icon.
HICON ShellTypeIconHandle(const char* path, bool small);
