#include "receipts/receiptsettings.h"
#include "shell/apppaths.h"
#include "shell/inifile.h"
#include "shell/mainwindowsettings.h"
#include "shell/settingskeys.h"
#include "shell/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace settingskeys;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray gbk(const QString &s)
{
    return textcodec::encode(s, textcodec::Encoding::Gbk);
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        AppPaths::setExeDirForTesting(m_dir.path());
        m_path = AppPaths::settingsFile();
        QFile::remove(m_path);
    }

    // A file written in GBK with CRLF by an earlier installation reads
    // correctly, and rewriting one key keeps every other byte and the encoding.
    void gbkFileReadsAndKeepsItsEncoding()
    {
        const QByteArray original = gbk(QStringLiteral("; 旧版本写的设置\r\n"
                                                       "[其他]\r\n"
                                                       "宽度=58\r\n"
                                                       "[程序参数]\r\n"
                                                       "店铺名称=老王饭庄\r\n"
                                                       "宽度=58\r\n"
                                                       "小票尾=欢迎再次光临\r\n"));
        writeAll(m_path, original);
        QVERIFY(!textcodec::isValidUtf8(original));

        const IniFile ini = IniFile::load(m_path);
        QCOMPARE(ini.encoding(), textcodec::Encoding::Gbk);
        QCOMPARE(ini.readString(kSection, kShopName, QString()), QStringLiteral("老王饭庄"));
        QCOMPARE(ini.readString(kSection, kWidth, QString()), QStringLiteral("58"));

        QVERIFY(IniFile::writeString(m_path, kSection, kWidth, QStringLiteral("120")).ok());
        QByteArray expected = original;
        expected.replace(gbk(QStringLiteral("[程序参数]\r\n店铺名称=老王饭庄\r\n宽度=58")),
                         gbk(QStringLiteral("[程序参数]\r\n店铺名称=老王饭庄\r\n宽度=120")));
        QCOMPARE(readAll(m_path), expected);

        // A new key lands in the section, in GBK too.
        QVERIFY(IniFile::writeString(m_path, kSection, kSlogan, QStringLiteral("新品八折")).ok());
        const QByteArray after = readAll(m_path);
        QVERIFY(after.contains(gbk(QStringLiteral("小票尾=欢迎再次光临\r\n广告语=新品八折\r\n"))));
        QCOMPARE(IniFile::load(m_path).readString(kSection, kSlogan, QString()), QStringLiteral("新品八折"));
        QCOMPARE(IniFile::load(m_path).readString(QStringLiteral("其他"), kWidth, QString()),
                 QStringLiteral("58"));
    }

    void newFileIsUtf8()
    {
        QVERIFY(IniFile::writeString(m_path, kSection, kShopName, QStringLiteral("澄溪小馆")).ok());
        QVERIFY(IniFile::writeBool(m_path, kSection, kPrintReceipts, true).ok());
        const QByteArray bytes = readAll(m_path);
        QCOMPARE(bytes, QStringLiteral("[程序参数]\n店铺名称=澄溪小馆\n打印小票=1\n").toUtf8());
    }

    // What is typed comes back as typed: blanks and quotes at the ends,
    // line breaks, SQL-looking text, very long text.
    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QStringLiteral("老王饭庄");
        QTest::newRow("blanks at the ends") << QStringLiteral("  两头有空格  ");
        QTest::newRow("quoted") << QStringLiteral("\"引号\"");
        QTest::newRow("one quote") << QStringLiteral("O'Brien\"");
        QTest::newRow("equals and brackets") << QStringLiteral("a=b [c] ;d");
        QTest::newRow("sql") << QStringLiteral("'); DROP TABLE 卡信息;--");
        QTest::newRow("long") << QString(250, QChar(u'长'));
        QTest::newRow("empty") << QString();
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        QVERIFY(IniFile::writeString(m_path, kSection, kShopName, value).ok());
        QVERIFY(IniFile::writeString(m_path, kSection, kWidth, QStringLiteral("58")).ok());
        const IniFile ini = IniFile::load(m_path);
        QCOMPARE(ini.readString(kSection, kShopName, QStringLiteral("缺省")), value);
        QCOMPARE(ini.readString(kSection, kWidth, QString()), QStringLiteral("58"));
    }

    void lineBreaksStayOnOneLine()
    {
        QVERIFY(IniFile::writeString(m_path, kSection, kFooter, QStringLiteral("第一行\n第二行\r\n第三行")).ok());
        QVERIFY(IniFile::writeString(m_path, kSection, kWidth, QStringLiteral("76")).ok());
        QCOMPARE(readAll(m_path).count('\n'), 3);
        QCOMPARE(ReceiptSettings::read().footer, QStringLiteral("第一行\n第二行\n第三行"));
        QCOMPARE(ReceiptSettings::read().width, QStringLiteral("76"));
    }

    void namesIgnoreCaseAndBlanks()
    {
        writeAll(m_path, QByteArray(" [ 程序参数 ] \n  店铺名称  =  小店  \nKey=Value\n"));
        const IniFile ini = IniFile::load(m_path);
        QCOMPARE(ini.readString(kSection, kShopName, QString()), QStringLiteral("小店"));
        QCOMPARE(ini.readString(kSection, QStringLiteral("KEY"), QString()), QStringLiteral("Value"));
    }

    void readBool_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << false << true;
        QTest::newRow("0") << QByteArray("0") << true << false;
        QTest::newRow("other whole number") << QByteArray("-3") << false << true;
        QTest::newRow("not a number") << QByteArray("yes") << true << true;
        QTest::newRow("not a number, default false") << QByteArray("yes") << false << false;
        QTest::newRow("empty") << QByteArray("") << true << true;
    }
    void readBool()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, fallback);
        QFETCH(bool, expected);
        writeAll(m_path, QStringLiteral("[程序参数]\n打印小票=").toUtf8() + stored + '\n');
        QCOMPARE(IniFile::load(m_path).readBool(kSection, kPrintReceipts, fallback), expected);
    }

    // Each reader has its own defaults for a missing file or key.
    void readersDefaults()
    {
        const MainWindowSettings main = MainWindowSettings::read();
        QCOMPARE(main.shopName, QStringLiteral("澄溪软件工作室"));
        QCOMPARE(main.slogan, QString());
        QCOMPARE(main.background, m_dir.path() + QStringLiteral("/image/001.jpg"));
        const ReceiptSettings receipt = ReceiptSettings::read();
        QCOMPARE(receipt.print, false);
        QCOMPARE(receipt.preview, QStringLiteral("是"));
        QCOMPARE(receipt.copies, QStringLiteral("1"));
        QCOMPARE(receipt.width, QStringLiteral("76"));
        QCOMPARE(receipt.shopName, QString());
        QVERIFY(!QFile::exists(m_path)); // reading never creates the file
    }

    void emptyBackgroundUsesTheDefaultPicture()
    {
        writeAll(m_path, QStringLiteral("[程序参数]\n背景=\n店铺名称=澄溪软件工作室\n").toUtf8());
        QCOMPARE(MainWindowSettings::read().background, m_dir.path() + QStringLiteral("/image/001.jpg"));
    }

    void garbageFileGivesDefaults()
    {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) % 256));
        writeAll(m_path, garbage);
        QCOMPARE(MainWindowSettings::read().shopName, QStringLiteral("澄溪软件工作室"));
        QCOMPARE(ReceiptSettings::read().width, QStringLiteral("76"));
        QCOMPARE(ReceiptSettings::read().print, false);
        // Writing into it keeps the garbage and adds a readable key.
        QVERIFY(IniFile::writeString(m_path, kSection, kShopName, QStringLiteral("新店")).ok());
        QVERIFY(readAll(m_path).startsWith(garbage));
        QCOMPARE(MainWindowSettings::read().shopName, QStringLiteral("新店"));
    }

    void writeFailureIsReported()
    {
        const QString path = m_dir.filePath(QStringLiteral("no-such-folder/myini.ini"));
        QVERIFY(!IniFile::writeString(path, kSection, kShopName, QStringLiteral("x")).ok());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
