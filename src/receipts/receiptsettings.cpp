#include "receipts/receiptsettings.h"

#include "shell/apppaths.h"
#include "shell/inifile.h"
#include "shell/settingskeys.h"

using namespace settingskeys;

ReceiptSettings ReceiptSettings::read()
{
    const IniFile ini = IniFile::load(AppPaths::settingsFile());
    ReceiptSettings s;
    s.shopName = ini.readString(kSection, kShopName, QString());
    s.footer = IniFile::multiline(ini.readString(kSection, kFooter, QString()));
    s.port = ini.readString(kSection, kPort, QString());
    s.print = ini.readBool(kSection, kPrintReceipts, false);
    s.preview = ini.readString(kSection, kPreview, QStringLiteral("是"));
    s.copies = ini.readString(kSection, kCopies, QStringLiteral("1"));
    s.width = ini.readString(kSection, kWidth, QStringLiteral("76"));
    return s;
}
