#include "framework/dialogs/version_info.h"

#include <string>

#include "framework/drawing/icon_caches.h"
#include "framework/drawing/standard_icon_source.h"
#include "framework/util/date_format.h"
#include "framework/util/resource_names.h"

TVersionInfo* CurrentVersionInfo = nullptr;

namespace {

// "Pelorum version 1.x", then the build date and time on lines of their own,
// each after its heading and a TAB.
std::string BuildText(const TAppInfo& info)
{
    TText date, time;
    date.Slot() = FormatDate("%元号%%g%年%m%月%d%日", info.BuildDate, true);
    time.Slot() = FormatTime("%午%%h%時%m%分%s%秒", info.BuildTime, true);
    return std::string(info.ProductName) + " version " + info.Version + "\r\n作成日付\t" + date.Get() +
           "\r\n作成時刻\t" + time.Get();
}

}  // namespace

TVersionInfo::TVersionInfo(const TAppInfo& info)
    : Buttons(DockBottom, nullptr),
      InfoGroup(12, 12, "ﾊﾞｰｼﾞｮﾝ情報", nullptr),
      BuildInfo(nullptr, BuildText(info).c_str()),
      CopyrightInfo(nullptr, info.Copyright)
{
    Buttons.Buttons.push_back(TButtonRecord(IDOK, "OK", ResourceIcon(OK_ICON_NAME)));
    BuildInfo.MessageIcon.Icon = ApplicationIcon();
    CopyrightInfo.MessageIcon.Icon = ResourceIcon(BRAMEL_ICON_NAME);
    InfoGroup.SetChildren(&BuildInfo, &CopyrightInfo);
    SetGap(12, 12);
    SetChildren(&Buttons, &InfoGroup);
    CurrentVersionInfo = this;
}

TVersionInfo::~TVersionInfo()
{
    if (CurrentVersionInfo == this)
        CurrentVersionInfo = nullptr;
}
