#include "support/testenv.h"

#include "data/cardstore.h"
#include "data/database.h"
#include "data/dm1frm.h"
#include "data/money.h"
#include "data/operatorstore.h"
#include "shell/apppaths.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

TestEnv::TestEnv(bool createDatabase)
{
    AppPaths::setExeDirForTesting(m_dir.path());
    m_dm = std::make_unique<TDM1>();
    if (createDatabase) {
        const Status opened = m_dm->openDatabase(AppPaths::databaseFile());
        if (!opened)
            qFatal("cannot open test database: %s", qPrintable(opened.errorText()));
    }
}

TestEnv::~TestEnv()
{
    m_dm.reset();
}

void TestEnv::writeSettings(const QByteArray &content) const
{
    QFile f(AppPaths::settingsFile());
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write settings");
    f.write(content);
}

QVariant TestEnv::scalar(const QString &statement, const QVariantList &values)
{
    QSqlQuery q(Database::connection());
    q.prepare(statement);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
    return q.next() ? q.value(0) : QVariant();
}

void TestEnv::exec(const QString &statement, const QVariantList &values)
{
    QSqlQuery q(Database::connection());
    q.prepare(statement);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
}

void TestEnv::addCard(const QString &number, const QString &balance, const QString &name,
                      const QString &password, const QString &sex, const QString &organisation,
                      const QString &remark)
{
    CardRecord card{number, Money::parse(balance).value(), organisation, name, sex, password, remark};
    if (!CardStore::insert(card))
        qFatal("cannot add card");
}

void TestEnv::addOperator(const QString &id, const QString &name, const QString &password,
                          const QList<int> &flags)
{
    OperatorRecord op;
    op.id = id;
    op.name = name;
    op.password = password;
    for (int f : flags)
        op.flags[f - 1] = true;
    if (!OperatorStore::insert(op))
        qFatal("cannot add operator");
}

int TestEnv::count(const QString &table)
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).toInt();
}
