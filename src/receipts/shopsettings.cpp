#include "receipts/shopsettings.h"

#include "shell/apppaths.h"
#include "shell/inifile.h"
#include "shell/settingskeys.h"

using namespace settingskeys;

ShopSettings ShopSettings::read()
{
    const IniFile ini = IniFile::load(AppPaths::settingsFile());
    ShopSettings s;
    s.port = ini.readString(kSection, kPort, QString());
    s.shopName = ini.readString(kSection, kShopName, QString());
    s.slogan = IniFile::multiline(ini.readString(kSection, kSlogan, QString()));
    s.footer = IniFile::multiline(ini.readString(kSection, kFooter, QString()));
    s.background = ini.readString(kSection, kBackground, QString());
    s.copies = ini.readString(kSection, kCopies, QStringLiteral("1"));
    s.printReceipts = ini.readBool(kSection, kPrintReceipts, false);
    s.preview = ini.readString(kSection, kPreview, QStringLiteral("是"));
    s.width = ini.readString(kSection, kWidth, QStringLiteral("58"));
    return s;
}

Status ShopSettings::write() const
{
    IniFile ini = IniFile::load(AppPaths::settingsFile());
    ini.setValue(kSection, kPort, port);
    ini.setValue(kSection, kShopName, shopName);
    ini.setValue(kSection, kSlogan, slogan);
    ini.setValue(kSection, kBackground, background);
    ini.setValue(kSection, kFooter, footer);
    ini.setValue(kSection, kCopies, copies);
    ini.setValue(kSection, kPrintReceipts, printReceipts ? QStringLiteral("1") : QStringLiteral("0"));
    ini.setValue(kSection, kWidth, width);
    ini.setValue(kSection, kPreview, preview);
    return ini.save();
}

Status ShopSettings::writeBackground(const QString &path)
{
    return IniFile::writeString(AppPaths::settingsFile(), kSection, kBackground, path);
}
