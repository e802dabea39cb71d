// TVersionInfo: the content of the version-information dialog.
//
// The product name and version, the date and time the program was built
// (written once, at construction) and the copyright line, from the
// application's AppInfo, in a group box "ﾊﾞｰｼﾞｮﾝ情報" above an OK button. The
// application constructs one at the start of its main routine and shows it,
// as the only element of a shape, whenever the user asks; while it exists it
// is CurrentVersionInfo.
#pragma once

#include <string>

#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/group_element.h"
#include "framework/dialogs/message_element.h"
#include "framework/settings/app_info.h"

class TVersionInfo : public TGroupElement {
public:
    TButtonsElement Buttons;        // OK (1)
    TGroupElement InfoGroup;        // captioned; BuildInfo above CopyrightInfo
    TMessageElement BuildInfo;      // the application icon: name, version, build date and time
    TMessageElement CopyrightInfo;  // "BRAMEL_ICON": the copyright line

    // The values are copied; `info` need not outlive the content.
    explicit TVersionInfo(const TAppInfo& info = AppInfo);
    ~TVersionInfo() override;

    // The caption and the build text again, in the interface's language.
    void Relabel();

private:
    std::string buildTexts_[2];  // by TInterfaceLanguage
};

// The content that exists, null when there is none.
extern TVersionInfo* CurrentVersionInfo;
