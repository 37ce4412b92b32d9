// 10,000 payments and 10,000 recharges through the code the windows call
// (lookup, checks, password, one transaction with update and journal insert,
// commit), side by side with raw SQLite running the same statements at the
// same durability (rollback journal, synchronous=FULL), on a database of
// 1,000,000 cards and 5,000,000 journal rows.
//
//   bench_transactions [folder] [operations]
//
// The database is generated once into <folder> (default /tmp/vadazored-bench)
// and reused; each run copies it so both sides start from the same file.

#include "data/cardstore.h"
#include "data/database.h"
#include "data/money.h"
#include "transactions/cardpayment.h"
#include "transactions/cardrecharge.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCards = 1'000'000;
constexpr int kJournalRows = 5'000'000;

void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

QByteArray cardNumber(int i)
{
    return QByteArray::number(10'000'000 + i);
}

// The tables come from the program itself; the rows are filled in raw SQLite.
void generate(const QString &path)
{
    std::printf("generating %d cards and %d journal rows in %s ...\n", kCards, kJournalRows, qPrintable(path));
    std::fflush(stdout);
    QElapsedTimer t;
    t.start();
    if (!Database::open(path).ok()) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        std::exit(1);
    }
    Database::close();
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *card = nullptr;
    check(sqlite3_prepare_v2(db,
                             R"(INSERT INTO "卡信息" ("卡号","金额","使用单位","姓名","性别","密码","备注") VALUES (?,?,?,?,?,?,?))",
                             -1, &card, nullptr),
          db, "prepare card");
    for (int i = 0; i < kCards; ++i) {
        const QByteArray number = cardNumber(i);
        sqlite3_bind_text(card, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(card, 2, 1'000'000'000); // 100,000 yuan: enough for every payment
        sqlite3_bind_text(card, 3, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(card, 4, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(card, 5, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(card, 6, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(card, 7, "", -1, SQLITE_STATIC);
        check(sqlite3_step(card), db, "insert card");
        sqlite3_reset(card);
    }
    sqlite3_finalize(card);
    sqlite3_stmt *journal = nullptr;
    check(sqlite3_prepare_v2(db,
                             R"(INSERT INTO "流水" ("实收金额","姓名","性别","备注","卡号","使用单位","操作类别","金额","日期","时间","经手人") VALUES (?,?,?,?,?,?,?,?,?,?,?))",
                             -1, &journal, nullptr),
          db, "prepare journal");
    QRandomGenerator random(42);
    for (int i = 0; i < kJournalRows; ++i) {
        const QByteArray number = cardNumber(int(random.bounded(kCards)));
        const QByteArray date = QDate(2020, 1, 1).addDays(i / 3000).toString(Qt::ISODate).toUtf8();
        sqlite3_bind_int64(journal, 1, -100000);
        sqlite3_bind_text(journal, 2, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 3, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 4, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 5, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(journal, 6, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 7, "刷卡消费", -1, SQLITE_STATIC);
        sqlite3_bind_int64(journal, 8, -100000);
        sqlite3_bind_text(journal, 9, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(journal, 10, "12:00:00", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 11, "0001", -1, SQLITE_STATIC);
        check(sqlite3_step(journal), db, "insert journal");
        sqlite3_reset(journal);
    }
    sqlite3_finalize(journal);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
    std::printf("generated in %.1f s\n", t.elapsed() / 1000.0);
}

struct Figures {
    double payments = 0;   // per second
    double recharges = 0;  // per second
};

Figures runProgram(const QString &path, int operations)
{
    if (!Database::open(path).ok())
        std::exit(1);
    QRandomGenerator random(7);
    Figures f;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < operations; ++i) {
        const QString number = QString::fromLatin1(cardNumber(int(random.bounded(kCards))));
        const auto card = CardStore::find(number);
        if (!card || !card.value())
            std::exit(2);
        const QString balance = card.value()->balance.toString();
        const auto checked = CardPayment::checkSave(balance, QStringLiteral("12.5"));
        const auto password = CardPayment::passwordMatches(number, QString());
        if (!checked || checked->kind != CardPayment::Check::Kind::Ok || !password || !password.value().value_or(false))
            std::exit(3);
        const auto booked = CardPayment::book({number, checked->amount, card.value()->name, card.value()->sex,
                                               card.value()->organisation, QStringLiteral("午餐"), QStringLiteral("0001")},
                                              {});
        if (!booked || booked.value() != CardPayment::Outcome::Paid)
            std::exit(4);
    }
    f.payments = operations / (t.nsecsElapsed() / 1e9);
    t.restart();
    for (int i = 0; i < operations; ++i) {
        const QString number = QString::fromLatin1(cardNumber(int(random.bounded(kCards))));
        const auto card = CardStore::find(number);
        if (!card || !card.value())
            std::exit(2);
        const auto newBalance = CardRecharge::newBalance(card.value()->balance.toString(), QStringLiteral("100"));
        const auto amount = Money::parse(QStringLiteral("100"));
        const auto received = Money::parse(QStringLiteral("80"));
        if (!newBalance || !amount || !received)
            std::exit(3);
        const auto booked = CardRecharge::book({number, amount.value(), received.value(), card.value()->name,
                                                card.value()->sex, card.value()->organisation, QStringLiteral("充值"),
                                                QStringLiteral("0001")},
                                               {});
        if (!booked || booked.value() != CardRecharge::Outcome::Recharged)
            std::exit(4);
    }
    f.recharges = operations / (t.nsecsElapsed() / 1e9);
    Database::close();
    return f;
}

Figures runRaw(const QString &path, int operations)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr), db, "pragma");
    auto prepare = [db](const char *sql) {
        sqlite3_stmt *s = nullptr;
        check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db, sql);
        return s;
    };
    sqlite3_stmt *select = prepare(R"(SELECT "卡号","金额","使用单位","姓名","性别","密码","备注" FROM "卡信息" WHERE "卡号" = ?)");
    sqlite3_stmt *password = prepare(R"(SELECT "密码" FROM "卡信息" WHERE "卡号" = ?)");
    sqlite3_stmt *begin = prepare("BEGIN");
    sqlite3_stmt *commit = prepare("COMMIT");
    sqlite3_stmt *debit = prepare(R"(UPDATE "卡信息" SET "金额" = "金额" - ? WHERE "卡号" = ? AND "金额" >= ?)");
    sqlite3_stmt *credit = prepare(R"(UPDATE "卡信息" SET "金额" = "金额" + ?, "使用单位" = ?, "姓名" = ?, "性别" = ?, "备注" = ? WHERE "卡号" = ?)");
    sqlite3_stmt *journal = prepare(R"(INSERT INTO "流水" ("实收金额","姓名","性别","备注","卡号","使用单位","操作类别","金额","日期","时间","经手人") VALUES (?,?,?,?,?,?,?,?,?,?,?))");
    sqlite3_stmt *collection = prepare(R"(INSERT INTO "收款记录" ("备注","金额","日期","时间","类别","经手人") VALUES (?,?,?,?,?,?))");
    auto run = [db](sqlite3_stmt *s) {
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        check(rc, db, sqlite3_sql(s));
        sqlite3_reset(s);
    };
    auto lookup = [&](const QByteArray &number) {
        sqlite3_bind_text(select, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(select) != SQLITE_ROW)
            std::exit(2);
        sqlite3_reset(select);
    };
    auto insertJournal = [&](const QByteArray &number, qint64 received, qint64 amount, const char *category) {
        const QByteArray date = QDate::currentDate().toString(Qt::ISODate).toUtf8();
        const QByteArray time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
        sqlite3_bind_int64(journal, 1, received);
        sqlite3_bind_text(journal, 2, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 3, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 4, "午餐", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 5, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(journal, 6, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(journal, 7, category, -1, SQLITE_STATIC);
        sqlite3_bind_int64(journal, 8, amount);
        sqlite3_bind_text(journal, 9, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(journal, 10, time.constData(), int(time.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(journal, 11, "0001", -1, SQLITE_STATIC);
        run(journal);
    };

    QRandomGenerator random(7);
    Figures f;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < operations; ++i) {
        const QByteArray number = cardNumber(int(random.bounded(kCards)));
        lookup(number);
        sqlite3_bind_text(password, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        run(password);
        run(begin);
        sqlite3_bind_int64(debit, 1, 125000);
        sqlite3_bind_text(debit, 2, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(debit, 3, 125000);
        run(debit);
        insertJournal(number, -125000, -125000, "刷卡消费");
        run(commit);
    }
    f.payments = operations / (t.nsecsElapsed() / 1e9);
    t.restart();
    for (int i = 0; i < operations; ++i) {
        const QByteArray number = cardNumber(int(random.bounded(kCards)));
        lookup(number);
        run(begin);
        sqlite3_bind_int64(credit, 1, 1000000);
        sqlite3_bind_text(credit, 2, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(credit, 3, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(credit, 4, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(credit, 5, "充值", -1, SQLITE_STATIC);
        sqlite3_bind_text(credit, 6, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        run(credit);
        const QByteArray date = QDate::currentDate().toString(Qt::ISODate).toUtf8();
        const QByteArray time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
        sqlite3_bind_text(collection, 1, "充值", -1, SQLITE_STATIC);
        sqlite3_bind_int64(collection, 2, 800000);
        sqlite3_bind_text(collection, 3, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(collection, 4, time.constData(), int(time.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(collection, 5, "旧卡充值", -1, SQLITE_STATIC);
        sqlite3_bind_text(collection, 6, "0001", -1, SQLITE_STATIC);
        run(collection);
        insertJournal(number, 800000, 1000000, "旧卡充值");
        run(commit);
    }
    f.recharges = operations / (t.nsecsElapsed() / 1e9);
    for (sqlite3_stmt *s : {select, password, begin, commit, debit, credit, journal, collection})
        sqlite3_finalize(s);
    sqlite3_close(db);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/vadazored-bench");
    const int operations = argc > 2 ? std::atoi(argv[2]) : 10'000;
    QDir().mkpath(folder);
    const QString master = folder + QStringLiteral("/transactions-master.mdb");
    if (!QFile::exists(master))
        generate(master);

    const QString programCopy = folder + QStringLiteral("/transactions-program.mdb");
    const QString rawCopy = folder + QStringLiteral("/transactions-raw.mdb");
    for (const QString &copy : {programCopy, rawCopy}) {
        QFile::remove(copy);
        if (!QFile::copy(master, copy))
            return 1;
    }
    std::printf("%d payments and %d recharges, %d cards, %d journal rows, synchronous=FULL, rollback journal\n",
                operations, operations, kCards, kJournalRows);
    const Figures raw = runRaw(rawCopy, operations);
    const Figures program = runProgram(programCopy, operations);
    std::printf("                 raw SQLite    vadazored    ratio (target >= 0.80)\n");
    std::printf("  payments/s    %10.1f   %10.1f    %.2f\n", raw.payments, program.payments, program.payments / raw.payments);
    std::printf("  recharges/s   %10.1f   %10.1f    %.2f\n", raw.recharges, program.recharges, program.recharges / raw.recharges);
    QFile::remove(programCopy);
    QFile::remove(rawCopy);
    return 0;
}
