#include "framework/dialogs/version_info.h"

#include <string>

#include "framework/drawing/icon_caches.h"
#include "framework/drawing/standard_icon_source.h"
#include "framework/settings/interface_language.h"
#include "framework/util/date_format.h"
#include "framework/util/english_date.h"
#include "framework/util/resource_names.h"

TVersionInfo* CurrentVersionInfo = nullptr;

namespace {

// "Pelorum version 1.x", then the build date and time on lines of their own,
// each after its heading and a TAB: in Japanese by era and kanji numbers, in
// English by the Gregorian calendar and a 12-hour clock.
std::string BuildText(const TAppInfo& info, TInterfaceLanguage language)
{
    const bool english = language == LanguageEnglish;
    std::string date, time;
    if (english) {
        date = EnglishDate(info.BuildDate);
        time = EnglishTime(info.BuildTime);
    } else {
        TText japaneseDate, japaneseTime;
        japaneseDate.Slot() = FormatDate("%元号%%g%年%m%月%d%日", info.BuildDate, true);
        japaneseTime.Slot() = FormatTime("%午%%h%時%m%分%s%秒", info.BuildTime, true);
        date = japaneseDate.Get();
        time = japaneseTime.Get();
    }
    return std::string(info.ProductName) + " version " + info.Version + "\r\n" +
           (english ? "Build date" : "作成日付") + "\t" + date + "\r\n" + (english ? "Build time" : "作成時刻") + "\t" +
           time;
}

}  // namespace

TVersionInfo::TVersionInfo(const TAppInfo& info)
    : Buttons(DockBottom, nullptr),
      InfoGroup(12, 12, nullptr, nullptr),
      BuildInfo(nullptr, nullptr),
      CopyrightInfo(nullptr, info.Copyright)
{
    Buttons.Buttons.push_back(TButtonRecord(IDOK, "OK", ResourceIcon(OK_ICON_NAME)));
    BuildInfo.MessageIcon.Icon = ApplicationIcon();
    CopyrightInfo.MessageIcon.Icon = ResourceIcon(BRAMEL_ICON_NAME);
    InfoGroup.SetChildren(&BuildInfo, &CopyrightInfo);
    SetGap(12, 12);
    SetChildren(&Buttons, &InfoGroup);
    buildTexts_[LanguageJapanese] = BuildText(info, LanguageJapanese);
    buildTexts_[LanguageEnglish] = BuildText(info, LanguageEnglish);
    Relabel();
    CurrentVersionInfo = this;
}

void TVersionInfo::Relabel()
{
    InfoGroup.SetCaption(LocalText("ﾊﾞｰｼﾞｮﾝ情報", "Version information"));
    BuildInfo.MessageText.SetText(buildTexts_[InterfaceLanguage()].c_str());
}

TVersionInfo::~TVersionInfo()
{
    if (CurrentVersionInfo == this)
        CurrentVersionInfo = nullptr;
}
