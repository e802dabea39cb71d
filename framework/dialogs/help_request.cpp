#include "framework/dialogs/help_request.h"

#include <string>

#include "framework/core/help_page.h"
#include "framework/dialogs/message_box.h"
#include "framework/settings/interface_language.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

const char* const UnopenedTextBefore[] = {"ﾍﾙﾌﾟを表示できませんでした。\r\n（",
                                          "The help could not be shown.\r\n(No program opens "};
const char* const UnopenedTextAfter[] = {" を開くｱﾌﾟﾘｹｰｼｮﾝがありません。）", ".)"};
const int ExclamationIcon = 32515;

}  // namespace

void RequestHelp(HWND window, UINT command, ULONG_PTR data, int topic)
{
    if (OpenHelp(window, command, data, topic))
        return;
    // The path stands in double quotes, which the display conversion leaves alone.
    TText path, text;
    AnsiText(path.Slot(), LocalHelpPage());
    StrJoin(text.Slot(), {LocalText(UnopenedTextBefore), "\"", path.Get(), "\"", LocalText(UnopenedTextAfter)});
    ShowMessage(window, "HelpPage", ExclamationIcon, text.Get(), MessageOk);
}
