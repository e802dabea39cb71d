#include "framework/settings/app_info.h"

#include "framework/util/text.h"

TAppInfo::TAppInfo(const char* buildDate, const char* buildTime, const char* productName, const char* version,
                   const char* copyright, const char* homePage, const char* mailAddress)
    : BuildDate(ParseBuildDate(buildDate ? buildDate : "")),
      BuildTime(ParseBuildTime(buildTime ? buildTime : "")),
      ProductName(NewText(productName)),
      Version(NewText(version)),
      Copyright(NewText(copyright)),
      HomePage(NewText(homePage)),
      MailAddress(NewText(mailAddress))
{
}

TAppInfo::~TAppInfo()
{
    FreeText(ProductName);
    FreeText(Version);
    FreeText(Copyright);
    FreeText(HomePage);
    FreeText(MailAddress);
}
