// The application's version data, which the version-information dialog shows.
// The application defines the one instance, AppInfo, among its static data:
//     TAppInfo AppInfo(__DATE__, __TIME__, "Pelorum", "1.x", copyright, homePage, mailAddress);
#pragma once

#include "framework/util/date_time.h"

struct TAppInfo {
    TDate BuildDate;    // from the compiler's date form, "Mar  8 2000"
    TTime BuildTime;    // from the compiler's time form, "02:23:59"
    char* ProductName;  // owned
    char* Version;      // owned: the version text, "1.x"
    char* Copyright;    // owned: one line
    char* HomePage;     // owned: a URL
    char* MailAddress;  // owned: a "MailTo:" address

    // Null texts become empty texts; a date or time text that cannot be read
    // gives the zero date or time.
    TAppInfo(const char* buildDate, const char* buildTime, const char* productName, const char* version,
             const char* copyright, const char* homePage, const char* mailAddress);
    ~TAppInfo();
    TAppInfo(const TAppInfo&) = delete;
    TAppInfo& operator=(const TAppInfo&) = delete;
};

// Defined by the application.
extern TAppInfo AppInfo;
