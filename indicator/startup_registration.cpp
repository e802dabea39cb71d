#include "indicator/startup_registration.h"

#include <shlobj.h>

#include "framework/core/command_line.h"
#include "framework/dialogs/message_box.h"
#include "framework/settings/interface_language.h"
#include "framework/util/directories.h"
#include "framework/settings/app_globals.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

std::wstring StartupShortcutPath;

namespace {

const char ShortcutName[] = "Pelorum(システムトレイに常駐).lnk";
const char RestoreSwitch[] = "/restore";
const int InformationIcon = 32516;

// Each message in Japanese and in English.
const char* const RegisterText[] = {
    "ｼｽﾃﾑ起動時にPelorumを起動する設定を行いました。\r\n"
    "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
    "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）",
    "Pelorum will now start when you sign in to Windows.\r\n"
    "(To undo this, click this program's icon in the notification area\r\n"
    "and choose \"Exit\" on the menu that appears.)"};
const char* const UnregisterTextBefore[] = {"ｼｽﾃﾑ起動時にPelorumを起動する設定を解除します。\r\n（再び ",
                                            "Pelorum will no longer start when you sign in to Windows.\r\n(Run "};
const char* const UnregisterTextAfter[] = {" を実行すれば再設定されます。）", " again to start it with Windows again.)"};

// The folder of a path, with its backslash.
std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

void SetStartupShortcutPath()
{
    StartupShortcutPath = WideSpecialFolder(CSIDL_STARTUP) + WideText(ShortcutName);
}

namespace {

// Asking the shell for the start-up folder takes milliseconds a silent start
// need not spend before its icon shows: the path is found when first used.
const std::wstring& ShortcutPath()
{
    if (StartupShortcutPath.empty())
        SetStartupShortcutPath();
    return StartupShortcutPath;
}

}  // namespace

bool StartedByHand()
{
    return FindSwitch(RestoreSwitch) < 0;
}

void RegisterStartup(HWND owner)
{
    if (!StartedByHand())
        return;
    TShortcutParts parts;
    // The module's full path: the command line's may be relative (started as
    // "Indicator.exe" from a console in its folder), and names nothing at log-on.
    parts.Target = AppGlobals.ProgramFile;
    parts.Arguments = WideText(RestoreSwitch);
    parts.WorkingFolder = FolderOf(parts.Target);
    CreateShortcut(ShortcutPath(), parts);
    ShowMessage(owner, "Register", InformationIcon, LocalText(RegisterText), MessageOk);
}

void UnregisterStartup(HWND owner)
{
    // The path stands in double quotes, which the display conversion leaves
    // alone: the user sees it exactly.
    TText program, text;
    AnsiText(program.Slot(), AppGlobals.ProgramFile);
    StrJoin(text.Slot(), {LocalText(UnregisterTextBefore), "\"", program.Get(), "\"", LocalText(UnregisterTextAfter)});
    ShowMessage(owner, "Unregister", InformationIcon, text.Get(), MessageOk);
    DeleteFileW(ShortcutPath().c_str());
}
