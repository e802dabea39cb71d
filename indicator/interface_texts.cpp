#include "indicator/interface_texts.h"

#include <iterator>

#include "framework/core/display_text.h"

namespace {

struct TTextForms {
    const char* japanese;  // as the program's other texts: half-width katakana, widened by DisplayText
    const char* english;
};

// By TInterfaceText.
const TTextForms Texts[] = {
    {"Num Lock", "Num Lock"},
    {"Caps Lock", "Caps Lock"},
    {"Scroll Lock", "Scroll Lock"},
    {"ｵﾝ", "on"},
    {"ｵﾌ", "off"},
    {"画面に表示するﾛｯｸ ｷｰ", "Lock keys shown on screen"},
    {"&N&um Lock", "&N&um Lock"},
    {"&C&aps Lock", "&C&aps Lock"},
    {"&S&croll Lock", "&S&croll Lock"},
    {"Pelorum のｱｲｺﾝはここです", "Pelorum is here"},
    {"ﾛｯｸ ｷｰの状態はこのｱｲｺﾝに表示されます。ﾀｽｸ ﾊﾞｰにいつも表示しておくには:\n"
     "Windows 11 では [設定] > [個人用設定] > [ﾀｽｸ ﾊﾞｰ] > [その他のｼｽﾃﾑ ﾄﾚｲ ｱｲｺﾝ] で Pelorum をｵﾝにします。\n"
     "Windows 10 では、隠れているｲﾝｼﾞｹｰﾀｰ (^) からﾀｽｸ ﾊﾞｰへﾄﾞﾗｯｸﾞします。",
     "This icon shows Num Lock, Caps Lock and Scroll Lock. To keep it on the taskbar:\n"
     "on Windows 11, turn Pelorum on in Settings > Personalization > Taskbar > Other system tray icons;\n"
     "on Windows 10, drag it from the hidden icons (^) onto the taskbar."},
};
static_assert(std::size(Texts) == InterfaceTextCount, "a text for every TInterfaceText");

}  // namespace

const char* InterfaceText(TInterfaceText id)
{
    if (id < 0 || id >= InterfaceTextCount)
        return "";
    return LocalText(Texts[id].japanese, Texts[id].english);
}

void ShownText(TText& result, TInterfaceText id)
{
    DisplayText(result.Slot(), InterfaceText(id));
}

namespace {

const char* KeyName(int key)
{
    return InterfaceText(static_cast<TInterfaceText>(TextNumLock + key));
}

const char* StateWord(bool on)
{
    return InterfaceText(on ? TextLockOn : TextLockOff);
}

}  // namespace

void LockStateText(TText& result, int key, bool on)
{
    TText written;
    StrJoin(written.Slot(), {KeyName(key), " ", StateWord(on)});
    DisplayText(result.Slot(), written.Get());
}

void LockStatesTip(TText& result, int stateIndex)
{
    TText written;
    for (int key = 0; key < LockKeyCount; ++key)
        StrJoin(written.Slot(), {written.Get(), key > 0 ? ", " : "", KeyName(key), ": ",
                                 StateWord((stateIndex & StateIndexBit(key)) != 0)});
    DisplayText(result.Slot(), written.Get());
}
