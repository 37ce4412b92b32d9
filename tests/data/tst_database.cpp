#include "data/cardstore.h"
#include "data/database.h"
#include "data/operatorstore.h"
#include "data/schema.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "support/testenv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Runs body in a child process that then dies without closing anything, as
// a crash or a power cut would leave the database.
void inKilledChild(const std::function<void()> &body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QVERIFY(WIFSIGNALED(status));
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void newDatabaseHasTablesAndAdministrator()
    {
        TestEnv env;
        QVERIFY(QFile::exists(env.path(QStringLiteral("database/database.mdb"))));
        QSqlDatabase db = Database::connection();
        QVERIFY(schema::verify(db).ok());

        auto ops = OperatorStore::all();
        QVERIFY(ops.ok());
        QCOMPARE(ops->size(), 1);
        const OperatorRecord &admin = ops->first();
        QCOMPARE(admin.id, QStringLiteral("0001"));
        QCOMPARE(admin.name, QStringLiteral("系统管理员"));
        QCOMPARE(admin.password, QString());
        for (int f = 1; f <= 13; ++f)
            QVERIFY2(admin.flag(f), qPrintable(QString::number(f)));

        QCOMPARE(TestEnv::scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
        QCOMPARE(TestEnv::scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
        // Nothing left over from building the file.
        QCOMPARE(QDir(env.path(QStringLiteral("database"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("database.mdb")});
    }

    void keysAreUniqueAndFiltersAreIndexed()
    {
        TestEnv env;
        TestEnv::addCard(QStringLiteral("A001"), QStringLiteral("10"));
        QVERIFY(!CardStore::insert(CardRecord{QStringLiteral("A001"), Money(), {}, {}, {}, {}, {}}).ok());
        OperatorRecord op;
        op.id = QStringLiteral("0001");
        QVERIFY(!OperatorStore::insert(op).ok());

        const auto plan = [](const QString &statement) {
            QSqlQuery q(Database::connection());
            q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + statement);
            QString text;
            while (q.next())
                text += q.value(3).toString() + u'\n';
            return text;
        };
        QVERIFY(plan(QStringLiteral("SELECT * FROM \"卡信息\" WHERE \"卡号\" = 'x'")).contains(QStringLiteral("USING INDEX")));
        QVERIFY(plan(QStringLiteral("SELECT * FROM \"流水\" WHERE \"卡号\" = 'x'")).contains(QStringLiteral("USING INDEX")));
        QVERIFY(plan(QStringLiteral("SELECT * FROM \"流水\" WHERE \"日期\" BETWEEN 'a' AND 'b'")).contains(QStringLiteral("USING INDEX")));
        QVERIFY(plan(QStringLiteral("SELECT * FROM \"收款记录\" WHERE \"日期\" BETWEEN 'a' AND 'b'")).contains(QStringLiteral("USING INDEX")));
    }

    // A file that is not this system's database is refused and left exactly as it was.
    void foreignFilesAreRefusedAndUntouched_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("otherSqlite");
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("not a database\n") << false;
        QTest::newRow("access file header") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 19).repeated(200) << false;
        QTest::newRow("truncated sqlite header") << QByteArray("SQLite format 3\x00", 16) << false;
        QTest::newRow("another program's sqlite") << QByteArray() << true;
    }
    void foreignFilesAreRefusedAndUntouched()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, otherSqlite);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("database/database.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("database")));
        if (otherSqlite) {
            {
                QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                other.setDatabaseName(path);
                QVERIFY(other.open());
                QSqlQuery(other).exec(QStringLiteral("CREATE TABLE t (a)"));
                other.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QByteArray before = fileHash(path);
        const Status opened = Database::open(path);
        QVERIFY(!opened.ok());
        QVERIFY(!Database::isOpen());
        QCOMPARE(fileHash(path), before);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("database"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("database.mdb")});
    }

    void reopeningKeepsData()
    {
        TestEnv env;
        TestEnv::addCard(QStringLiteral("K1"), QStringLiteral("12.5"), QStringLiteral("张三"));
        Database::close();
        QVERIFY(Database::open(env.path(QStringLiteral("database/database.mdb"))).ok());
        auto card = CardStore::find(QStringLiteral("K1"));
        QVERIFY(card.ok() && card->has_value());
        QCOMPARE(card.value()->balance.toString(), QStringLiteral("12.5"));
        QCOMPARE(card.value()->name, QStringLiteral("张三"));
    }

    // Quotes, SQL fragments, control characters and long texts are stored and
    // found as typed; the statement never changes.
    void valuesAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote") << QStringLiteral("O'Brien");
        QTest::newRow("sql") << QStringLiteral("x'); DELETE FROM \"卡信息\"; --");
        QTest::newRow("double quotes") << QStringLiteral("\"卡\"\"号\"");
        QTest::newRow("control characters") << QStringLiteral("a\tb\nc\x01" "d");
        QTest::newRow("long") << QString(5000, QChar(u'长'));
        QTest::newRow("wildcards") << QStringLiteral("%_*?");
    }
    void valuesAreStoredAsTyped()
    {
        QFETCH(QString, text);
        TestEnv env;
        TestEnv::addCard(QStringLiteral("other"), QStringLiteral("1"));
        TestEnv::addCard(text, QStringLiteral("2"), text, text, text, text, text);
        auto card = CardStore::find(text);
        QVERIFY(card.ok() && card->has_value());
        QCOMPARE(card.value()->number, text);
        QCOMPARE(card.value()->name, text);
        QCOMPARE(card.value()->remark, text);
        QCOMPARE(CardStore::password(text).value().value(), text);
        QCOMPARE(TestEnv::count(schema::kCards), 2);
        QVERIFY(!CardStore::find(text + u'x').value().has_value());
    }

    void transactionRollsBackUnlessCommitted()
    {
        TestEnv env;
        {
            Transaction t;
            QVERIFY(t.begin().ok());
            TestEnv::addCard(QStringLiteral("T1"), QStringLiteral("5"));
        }
        QCOMPARE(TestEnv::count(schema::kCards), 0);
        {
            Transaction t;
            QVERIFY(t.begin().ok());
            TestEnv::addCard(QStringLiteral("T2"), QStringLiteral("5"));
            QVERIFY(t.commit().ok());
        }
        QCOMPARE(TestEnv::count(schema::kCards), 1);
    }

    // A committed save survives the process dying at once; an uncommitted one
    // is gone at the next open, and the file stays a sound database.
    void crashKeepsCommittedAndDropsUncommitted()
    {
        TestEnv env;
        const QString path = env.path(QStringLiteral("database/database.mdb"));
        Database::close();
        inKilledChild([&] {
            const auto must = [](bool ok) {
                if (!ok)
                    _exit(2);
            };
            must(Database::open(path).ok());
            Transaction committed;
            must(committed.begin().ok());
            must(CardStore::insert(CardRecord{QStringLiteral("C1"), Money::fromYuan(100), {}, {}, {}, {}, {}}).ok());
            must(committed.commit().ok());
            // A transaction big enough to spill into the database file, so
            // that it leaves a hot journal behind.
            must(sql::execute(QStringLiteral("PRAGMA cache_size=5")).ok());
            Transaction open;
            must(open.begin().ok());
            must(CardStore::debit(QStringLiteral("C1"), Money::fromYuan(30)).value());
            for (int i = 0; i < 3000; ++i)
                must(CardStore::insert(CardRecord{QStringLiteral("X%1").arg(i), Money::fromYuan(50), {}, {},
                                                  {}, {}, QString(200, u'备')}).ok());
            must(QFile::exists(path + QStringLiteral("-journal")));
            raise(SIGKILL); // dies with the transaction open
        });
        QVERIFY(QFile::exists(path + QStringLiteral("-journal")));
        const Status reopened = Database::open(path);
        QVERIFY2(reopened.ok(), qPrintable(reopened.errorText()));
        QCOMPARE(TestEnv::count(schema::kCards), 1);
        QCOMPARE(CardStore::find(QStringLiteral("C1")).value()->balance.toString(), QStringLiteral("100"));
        QCOMPARE(TestEnv::scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }

    void datesAndTimesAreStoredInOrder()
    {
        QCOMPARE(Database::dateValue(QDate(2026, 12, 9)).toString(), QStringLiteral("2026-12-09"));
        QCOMPARE(Database::timeValue(QTime(7, 5, 3, 900)).toString(), QStringLiteral("07:05:03"));
        QCOMPARE(Database::toDate(QStringLiteral("2026-12-09")), QDate(2026, 12, 9));
        QCOMPARE(Database::toTime(QStringLiteral("07:05:03")), QTime(7, 5, 3));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
