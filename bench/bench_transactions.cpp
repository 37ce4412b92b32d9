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
constexpr int kChunk = 50;

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

// The program's side: the code the payment and recharge windows call.
class ProgramSide {
public:
    explicit ProgramSide(const QString &path)
    {
        if (!Database::open(path).ok())
            std::exit(1);
    }
    ~ProgramSide() { Database::close(); }

    void pay(const QString &number)
    {
        const auto card = CardStore::find(number);
        if (!card || !card.value())
            std::exit(2);
        const auto checked = CardPayment::checkSave(card.value()->balance.toString(), QStringLiteral("12.5"));
        const auto password = CardPayment::passwordMatches(number, QString());
        if (!checked || checked->kind != CardPayment::Check::Kind::Ok || !password || !password.value().value_or(false))
            std::exit(3);
        CardRecord holder = *card.value();
        holder.remark = QStringLiteral("午餐");
        const auto booked = CardPayment::book({holder, checked->amount, QStringLiteral("0001")}, {});
        if (!booked || booked.value() != CardPayment::Outcome::Paid)
            std::exit(4);
    }

    void recharge(const QString &number)
    {
        const auto card = CardStore::find(number);
        if (!card || !card.value())
            std::exit(2);
        const auto newBalance = CardRecharge::newBalance(card.value()->balance.toString(), QStringLiteral("100"));
        const auto amount = Money::parse(QStringLiteral("100"));
        const auto received = Money::parse(QStringLiteral("80"));
        if (!newBalance || !amount || !received)
            std::exit(3);
        CardRecord holder = *card.value();
        holder.remark = QStringLiteral("充值");
        const auto booked = CardRecharge::book({holder, amount.value(), received.value(), QStringLiteral("0001")}, {});
        if (!booked || booked.value() != CardRecharge::Outcome::Recharged)
            std::exit(4);
    }
};

// Raw SQLite: the same statements, prepared once, on a second copy of the file.
class RawSide {
public:
    explicit RawSide(const QString &path)
    {
        check(sqlite3_open(path.toUtf8().constData(), &m_db), m_db, "open");
        check(sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr),
              m_db, "pragma");
        m_select = prepare(R"(SELECT "卡号","金额","使用单位","姓名","性别","密码","备注" FROM "卡信息" WHERE "卡号" = ?)");
        m_password = prepare(R"(SELECT "密码" FROM "卡信息" WHERE "卡号" = ?)");
        m_begin = prepare("BEGIN");
        m_commit = prepare("COMMIT");
        m_debit = prepare(R"(UPDATE "卡信息" SET "金额" = "金额" - ? WHERE "卡号" = ? AND "金额" >= ?)");
        m_credit = prepare(R"(UPDATE "卡信息" SET "金额" = "金额" + ?, "使用单位" = ?, "姓名" = ?, "性别" = ?, "备注" = ? WHERE "卡号" = ?)");
        m_journal = prepare(R"(INSERT INTO "流水" ("实收金额","姓名","性别","备注","卡号","使用单位","操作类别","金额","日期","时间","经手人") VALUES (?,?,?,?,?,?,?,?,?,?,?))");
        m_collection = prepare(R"(INSERT INTO "收款记录" ("备注","金额","日期","时间","类别","经手人") VALUES (?,?,?,?,?,?))");
    }
    ~RawSide()
    {
        for (sqlite3_stmt *s : {m_select, m_password, m_begin, m_commit, m_debit, m_credit, m_journal, m_collection})
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }

    void pay(const QByteArray &number)
    {
        lookup(number);
        bindText(m_password, 1, number);
        run(m_password);
        run(m_begin);
        sqlite3_bind_int64(m_debit, 1, 125000);
        bindText(m_debit, 2, number);
        sqlite3_bind_int64(m_debit, 3, 125000);
        run(m_debit);
        insertJournal(number, -125000, -125000, "刷卡消费");
        run(m_commit);
    }

    void recharge(const QByteArray &number)
    {
        lookup(number);
        run(m_begin);
        sqlite3_bind_int64(m_credit, 1, 1000000);
        sqlite3_bind_text(m_credit, 2, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_credit, 3, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_credit, 4, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_credit, 5, "充值", -1, SQLITE_STATIC);
        bindText(m_credit, 6, number);
        run(m_credit);
        const QByteArray date = QDate::currentDate().toString(Qt::ISODate).toUtf8();
        const QByteArray time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
        sqlite3_bind_text(m_collection, 1, "充值", -1, SQLITE_STATIC);
        sqlite3_bind_int64(m_collection, 2, 800000);
        bindText(m_collection, 3, date);
        bindText(m_collection, 4, time);
        sqlite3_bind_text(m_collection, 5, "旧卡充值", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_collection, 6, "0001", -1, SQLITE_STATIC);
        run(m_collection);
        insertJournal(number, 800000, 1000000, "旧卡充值");
        run(m_commit);
    }

private:
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        check(sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr), m_db, sql);
        return s;
    }
    static void bindText(sqlite3_stmt *s, int index, const QByteArray &text)
    {
        sqlite3_bind_text(s, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    void run(sqlite3_stmt *s)
    {
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        check(rc, m_db, sqlite3_sql(s));
        sqlite3_reset(s);
    }
    void lookup(const QByteArray &number)
    {
        bindText(m_select, 1, number);
        if (sqlite3_step(m_select) != SQLITE_ROW)
            std::exit(2);
        sqlite3_reset(m_select);
    }
    void insertJournal(const QByteArray &number, qint64 received, qint64 amount, const char *category)
    {
        const QByteArray date = QDate::currentDate().toString(Qt::ISODate).toUtf8();
        const QByteArray time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
        sqlite3_bind_int64(m_journal, 1, received);
        sqlite3_bind_text(m_journal, 2, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_journal, 3, "男", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_journal, 4, "午餐", -1, SQLITE_STATIC);
        bindText(m_journal, 5, number);
        sqlite3_bind_text(m_journal, 6, "测试单位", -1, SQLITE_STATIC);
        sqlite3_bind_text(m_journal, 7, category, -1, SQLITE_STATIC);
        sqlite3_bind_int64(m_journal, 8, amount);
        bindText(m_journal, 9, date);
        bindText(m_journal, 10, time);
        sqlite3_bind_text(m_journal, 11, "0001", -1, SQLITE_STATIC);
        run(m_journal);
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_select = nullptr, *m_password = nullptr, *m_begin = nullptr, *m_commit = nullptr,
                 *m_debit = nullptr, *m_credit = nullptr, *m_journal = nullptr, *m_collection = nullptr;
};

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
    std::printf("(the two sides run in alternating chunks of %d so that both meet the same disk)\n", kChunk);
    double rawPayNs = 0, programPayNs = 0, rawRechargeNs = 0, programRechargeNs = 0;
    {
        RawSide raw(rawCopy);
        ProgramSide program(programCopy);
        QRandomGenerator rawRandom(7), programRandom(7);
        QElapsedTimer t;
        for (int done = 0; done < operations; done += kChunk) {
            const int n = std::min(kChunk, operations - done);
            t.start();
            for (int i = 0; i < n; ++i)
                raw.pay(cardNumber(int(rawRandom.bounded(kCards))));
            rawPayNs += t.nsecsElapsed();
            t.start();
            for (int i = 0; i < n; ++i)
                program.pay(QString::fromLatin1(cardNumber(int(programRandom.bounded(kCards)))));
            programPayNs += t.nsecsElapsed();
        }
        for (int done = 0; done < operations; done += kChunk) {
            const int n = std::min(kChunk, operations - done);
            t.start();
            for (int i = 0; i < n; ++i)
                raw.recharge(cardNumber(int(rawRandom.bounded(kCards))));
            rawRechargeNs += t.nsecsElapsed();
            t.start();
            for (int i = 0; i < n; ++i)
                program.recharge(QString::fromLatin1(cardNumber(int(programRandom.bounded(kCards)))));
            programRechargeNs += t.nsecsElapsed();
        }
    }
    const double rawPay = operations / (rawPayNs / 1e9), programPay = operations / (programPayNs / 1e9);
    const double rawRecharge = operations / (rawRechargeNs / 1e9), programRecharge = operations / (programRechargeNs / 1e9);
    std::printf("                 raw SQLite    vadazored    ratio (target >= 0.80)\n");
    std::printf("  payments/s    %10.1f   %10.1f    %.2f\n", rawPay, programPay, programPay / rawPay);
    std::printf("  recharges/s   %10.1f   %10.1f    %.2f\n", rawRecharge, programRecharge, programRecharge / rawRecharge);
    QFile::remove(programCopy);
    QFile::remove(rawCopy);
    return 0;
}
