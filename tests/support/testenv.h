#pragma once

#include "data/records.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

class TDM1;

// A folder standing in for the executable's folder, with a data module whose
// database lives in it. Each test function gets a fresh one.
class TestEnv {
public:
    // createDatabase: open (and so create) database/database.mdb at once.
    explicit TestEnv(bool createDatabase = true);
    ~TestEnv();

    QString dir() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    TDM1 *dm() const { return m_dm.get(); }

    void writeSettings(const QByteArray &content) const;

    // Direct reads and writes for arranging and checking a test.
    static QVariant scalar(const QString &statement, const QVariantList &values = {});
    static void exec(const QString &statement, const QVariantList &values = {});
    static void addCard(const QString &number, const QString &balance, const QString &name = QString(),
                        const QString &password = QString(), const QString &sex = QStringLiteral("男"),
                        const QString &organisation = QString(), const QString &remark = QString());
    static void addOperator(const QString &id, const QString &name, const QString &password,
                            const QList<int> &flags);
    static int count(const QString &table);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDM1> m_dm;
};
