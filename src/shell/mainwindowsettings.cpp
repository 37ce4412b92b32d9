#include "shell/mainwindowsettings.h"

#include "shell/apppaths.h"
#include "shell/inifile.h"
#include "shell/settingskeys.h"

using namespace settingskeys;

MainWindowSettings MainWindowSettings::read()
{
    const IniFile ini = IniFile::load(AppPaths::settingsFile());
    MainWindowSettings s;
    s.shopName = ini.readString(kSection, kShopName, kDefaultShopName);
    s.slogan = IniFile::multiline(ini.readString(kSection, kSlogan, QString()));
    s.background = ini.readString(kSection, kBackground, AppPaths::defaultBackground());
    if (s.background.isEmpty())
        s.background = AppPaths::defaultBackground();
    return s;
}
