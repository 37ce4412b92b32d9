// Figures for the card list and the new card window on a large card table,
// each beside raw SQLite doing the same work on the same file.
//
//   bench_cards [--cards N] [--regenerate] [folder]
//
// The folder stands in for the executable's folder (default: a folder in the
// system's temporary directory); its database/database.mdb is generated once
// with N cards (default 1,000,000) and reused by later runs.

#include "cards/newcardissue.h"
#include "cards/xinkafafangfrm.h"
#include "data/cardlists.h"
#include "data/database.h"
#include "data/dm1frm.h"
#include "data/money.h"
#include "data/sqllistmodel.h"
#include "shell/apppaths.h"
#include "shell/listgrid.h"
#include "shell/session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDriver>
#include <QTableView>

#include <sqlite3.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "bench_cards: %s %s\n", what, qPrintable(detail));
    std::exit(1);
}

void check(sqlite3 *db, int rc, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(what, QString::fromUtf8(sqlite3_errmsg(db)));
}

QString cardNumber(int i)
{
    return QStringLiteral("62%1").arg(i, 8, 10, QLatin1Char('0'));
}

// One transaction, one prepared insert.
void generate(const QString &path, int cards)
{
    QFile::remove(path);
    if (Status created = Database::open(path); !created)
        fail("cannot create the database:", created.errorText());
    Database::close();

    sqlite3 *db = nullptr;
    check(db, sqlite3_open(path.toUtf8().constData(), &db), "open");
    check(db, sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr),
          "begin");
    sqlite3_stmt *insert = nullptr;
    check(db, sqlite3_prepare_v2(db,
                                 R"(INSERT INTO "卡信息" ("卡号", "金额", "使用单位", "姓名", "性别", "密码", "备注")
                                    VALUES (?, ?, ?, ?, ?, ?, ?))",
                                 -1, &insert, nullptr),
          "prepare insert");
    static const char *const surnames[] = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};
    static const char *const given[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳"};
    std::mt19937 random(20240601);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < cards; ++i) {
        const std::string number = cardNumber(i).toStdString();
        const std::string name = std::string(surnames[random() % 10]) + given[random() % 12] + given[random() % 12];
        const std::string organisation = "单位" + std::to_string(random() % 50);
        const std::string remark = i % 7 == 0 ? "老客户" : "";
        sqlite3_bind_text(insert, 1, number.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 2, sqlite3_int64(random() % 100'000'000)); // up to 10,000 yuan
        sqlite3_bind_text(insert, 3, organisation.c_str(), -1, SQLITE_TRANSIENT);
        if (i % 20 == 0)
            sqlite3_bind_null(insert, 4); // a card without a holder name now and then
        else
            sqlite3_bind_text(insert, 4, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, random() % 2 ? "男" : "女", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 6, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 7, remark.c_str(), -1, SQLITE_TRANSIENT);
        check(db, sqlite3_step(insert), "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    sqlite3_close(db);
    std::printf("generated %d cards in %.0f ms (one transaction, prepared insert)\n", cards, ms(t.nsecsElapsed()));
}

int cardCount(sqlite3 *db)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, R"(SELECT COUNT(*) FROM "卡信息")", -1, &s, nullptr) != SQLITE_OK)
        return -1;
    const int n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : -1;
    sqlite3_finalize(s);
    return n;
}

// The statements the program's connection prepares, as it prepares them.
std::vector<std::string> g_traced;
int traceStatement(unsigned, void *, void *statement, void *)
{
    if (const char *text = sqlite3_sql(static_cast<sqlite3_stmt *>(statement)))
        g_traced.emplace_back(text);
    return 0;
}

sqlite3 *programHandle()
{
    const QVariant v = Database::connection().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        fail("the program's connection is not SQLite");
    return *static_cast<sqlite3 *const *>(v.constData());
}

void printPlan(sqlite3 *db, const std::string &statement)
{
    sqlite3_stmt *s = nullptr;
    check(db, sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + statement).c_str(), -1, &s, nullptr), "plan");
    std::printf("  query plan of: %s\n", statement.c_str());
    while (sqlite3_step(s) == SQLITE_ROW)
        std::printf("    %s\n", reinterpret_cast<const char *>(sqlite3_column_text(s, 3)));
    sqlite3_finalize(s);
}

void section(const char *title)
{
    std::printf("\n== %s\n", title);
}

void row(const QString &what, double program, double raw, const char *unit)
{
    std::printf("  %s program %10.3f %s   raw SQLite %10.3f %s\n", qPrintable(what.leftJustified(40)), program,
                unit, raw, unit);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int cards = 1'000'000;
    bool regenerate = false;
    QString folder = QDir::tempPath() + QStringLiteral("/vadazored-bench");
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--cards") && i + 1 < args.size())
            cards = args[++i].toInt();
        else if (args[i] == QStringLiteral("--regenerate"))
            regenerate = true;
        else
            folder = args[i];
    }
    QDir().mkpath(folder);
    AppPaths::setExeDirForTesting(folder);
    const QString path = AppPaths::databaseFile();
    QDir().mkpath(QFileInfo(path).absolutePath());

    {
        sqlite3 *probe = nullptr;
        int present = -1;
        if (!regenerate && QFile::exists(path) && sqlite3_open_v2(path.toUtf8().constData(), &probe, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
            present = cardCount(probe);
        sqlite3_close(probe);
        if (present != cards)
            generate(path, cards);
        else
            std::printf("using %s with %d cards\n", qPrintable(path), present);
    }

    TDM1 dm;
    if (Status opened = dm.openDatabase(path); !opened)
        fail("cannot open the database:", opened.errorText());
    Session::logIn(QStringLiteral("0001"), QString());
    std::printf("database %s, %.1f MB\n", qPrintable(path), double(QFileInfo(path).size()) / 1e6);

    sqlite3 *raw = nullptr;
    check(raw, sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), "open raw");

    // ------------------------------------------------------------------
    section("card number check on leaving Edit1 (target < 1 ms)");
    {
        constexpr int kLookups = 20000;
        std::mt19937 random(7);
        std::vector<QString> numbers;
        numbers.reserve(kLookups);
        for (int i = 0; i < kLookups; ++i)
            numbers.push_back(i % 2 ? cardNumber(int(random() % unsigned(cards))) // in use
                                    : QStringLiteral("63%1").arg(random() % 100000000)); // free
        // The statement the program runs, as its connection prepares it.
        sqlite3_trace_v2(programHandle(), SQLITE_TRACE_STMT, traceStatement, nullptr);
        g_traced.clear();
        if (!NewCardIssue::numberInUse(numbers[1]).value())
            fail("a generated card was not found");
        sqlite3_trace_v2(programHandle(), 0, nullptr, nullptr);
        if (g_traced.empty())
            fail("no statement traced");
        const std::string statement = g_traced.back();

        QElapsedTimer t;
        t.start();
        int found = 0;
        for (const QString &n : numbers)
            found += NewCardIssue::numberInUse(n).value() ? 1 : 0;
        const qint64 program = t.nsecsElapsed();

        sqlite3_stmt *s = nullptr;
        check(raw, sqlite3_prepare_v2(raw, statement.c_str(), -1, &s, nullptr), "prepare lookup");
        std::vector<std::string> utf8;
        for (const QString &n : numbers)
            utf8.push_back(n.toStdString());
        t.restart();
        int rawFound = 0;
        for (const std::string &n : utf8) {
            sqlite3_bind_text(s, 1, n.c_str(), -1, SQLITE_STATIC);
            rawFound += sqlite3_step(s) == SQLITE_ROW ? 1 : 0;
            sqlite3_reset(s);
        }
        const qint64 rawTime = t.nsecsElapsed();
        sqlite3_finalize(s);
        if (found != rawFound)
            fail("the program and raw SQLite disagree on the lookups");
        std::printf("  %d lookups, half of numbers in use (%d found)\n", kLookups, found);
        row(QStringLiteral("average per lookup"), ms(program) / kLookups, ms(rawTime) / kLookups, "ms");
        printPlan(raw, statement);
    }

    // ------------------------------------------------------------------
    section("opening the new card window with every card listed (target < 1 s, < 300 MB)");
    qint64 openTime = 0;
    QString footerCount, footerSum, firstRows;
    std::unique_ptr<Txinkafafang> window;
    {
        QElapsedTimer t;
        t.start();
        window = std::make_unique<Txinkafafang>();
        window->show();
        window->FormShow();
        QApplication::processEvents(); // lays out and paints the first rows
        SqlListModel *list = DM1->ADOQuery5;
        footerCount = list->footerText(1);
        footerSum = list->footerText(4);
        QTableView *view = window->DBGridEh1->view();
        const int visible = view->rowAt(view->viewport()->height() - 1) + 1;
        for (int r = 0; r < std::max(visible, 1); ++r)
            firstRows += list->text(r, 0) + u' ';
        openTime = t.nsecsElapsed();
        std::printf("  rows %d, visible rows %d, footer: 合计数量 %s, 合计金额 %s\n", list->rowCount(), visible,
                    qPrintable(footerCount), qPrintable(footerSum));
        std::printf("  first rows: %s\n", qPrintable(firstRows.left(80)));
    }
    const long peakAfterOpen = statusKb("VmHWM");

    qint64 rawOpen = 0;
    QString rawCount, rawSum;
    {
        QElapsedTimer t;
        t.start();
        sqlite3_stmt *s = nullptr;
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT COUNT(*), COUNT("姓名"), SUM("金额") FROM "卡信息")", -1, &s, nullptr),
              "prepare footers");
        sqlite3_step(s);
        rawCount = QString::number(sqlite3_column_int64(s, 1));
        rawSum = Money::fromUnits(sqlite3_column_int64(s, 2)).toString();
        sqlite3_finalize(s);
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT "id", "卡号", "姓名", "性别", "使用单位", "金额", "备注" FROM "卡信息" ORDER BY "id" LIMIT 256)", -1, &s, nullptr),
              "prepare first page");
        int n = 0;
        while (sqlite3_step(s) == SQLITE_ROW)
            n += sqlite3_column_bytes(s, 1) > 0;
        sqlite3_finalize(s);
        rawOpen = t.nsecsElapsed();
    }
    if (rawCount != footerCount || rawSum != footerSum)
        fail("footers differ from raw SQLite:", rawCount + u' ' + rawSum);
    row(QStringLiteral("first rows and footer sums"), ms(openTime), ms(rawOpen), "ms");
    std::printf("  peak memory of the process after opening (VmHWM): %.1f MB\n", double(peakAfterOpen) / 1024);

    // ------------------------------------------------------------------
    section("scrolling: the middle and the last rows of the list (figure only)");
    {
        SqlListModel *list = DM1->ADOQuery5;
        QTableView *view = window->DBGridEh1->view();
        for (int target : {cards / 2, cards - 1}) {
            QElapsedTimer t;
            t.start();
            view->scrollTo(list->index(target, 0));
            QApplication::processEvents();
            const QString shown = list->text(target, 0);
            const qint64 program = t.nsecsElapsed();
            t.restart();
            sqlite3_stmt *s = nullptr;
            const std::string page = R"(SELECT "id", "卡号", "姓名", "性别", "使用单位", "金额", "备注" FROM "卡信息" ORDER BY "id" LIMIT 256 OFFSET )"
                + std::to_string(target / SqlListModel::kPageSize * SqlListModel::kPageSize);
            check(raw, sqlite3_prepare_v2(raw, page.c_str(), -1, &s, nullptr), "page");
            while (sqlite3_step(s) == SQLITE_ROW) {
            }
            sqlite3_finalize(s);
            const qint64 rawPage = t.nsecsElapsed();
            row(QStringLiteral("to row %1 (%2)").arg(target).arg(shown), ms(program), ms(rawPage), "ms");
        }
        view->scrollToTop();
    }

    // ------------------------------------------------------------------
    section("refresh (刷新) and a quick search, on the open window");
    {
        QElapsedTimer t;
        t.start();
        window->BitBtn5Click();
        QApplication::processEvents();
        const qint64 refresh = t.nsecsElapsed();
        row(QStringLiteral("refresh: statement re-run, first rows, footers"), ms(refresh), ms(rawOpen), "ms");

        t.restart();
        SqlListModel *list = DM1->ADOQuery5;
        if (!list->open(cardlists::contains(QStringLiteral("姓名"), QStringLiteral("王伟"))))
            fail("search failed");
        QApplication::processEvents();
        const int matches = list->rowCount();
        const qint64 search = t.nsecsElapsed();
        t.restart();
        sqlite3_stmt *s = nullptr;
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT COUNT(*), COUNT("姓名"), SUM("金额") FROM "卡信息" WHERE "姓名" LIKE '%王伟%')", -1, &s, nullptr), "search");
        sqlite3_step(s);
        const int rawMatches = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT "id", "卡号", "姓名", "性别", "使用单位", "金额", "备注" FROM "卡信息" WHERE "姓名" LIKE '%王伟%' ORDER BY "id" LIMIT 256)", -1, &s, nullptr), "search page");
        while (sqlite3_step(s) == SQLITE_ROW) {
        }
        sqlite3_finalize(s);
        const qint64 rawSearch = t.nsecsElapsed();
        if (matches != rawMatches)
            fail("search counts differ");
        std::printf("  姓名 contains 王伟: %d cards\n", matches);
        row(QStringLiteral("search: first rows and footers"), ms(search), ms(rawSearch), "ms");
        if (!list->open(cardlists::all()))
            fail("reopen failed");
    }

    // ------------------------------------------------------------------
    section("find dialog (Ctrl+F): the last card, searched downwards from the first row (figure only)");
    {
        SqlListModel *list = DM1->ADOQuery5;
        SqlListModel::FindRequest request;
        request.text = cardNumber(cards - 1);
        request.column = 0;
        request.match = SqlListModel::Match::WholeField;
        QElapsedTimer t;
        t.start();
        const std::optional<int> found = list->find(request, 0).value();
        const qint64 program = t.nsecsElapsed();
        t.restart();
        sqlite3_stmt *s = nullptr;
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT "id", "卡号" FROM "卡信息" ORDER BY "id")", -1, &s, nullptr), "scan");
        const std::string wanted = request.text.toStdString();
        int position = -1;
        for (int r = 0; sqlite3_step(s) == SQLITE_ROW; ++r) {
            if (wanted == reinterpret_cast<const char *>(sqlite3_column_text(s, 1))) {
                position = r;
                break;
            }
        }
        sqlite3_finalize(s);
        const qint64 rawFind = t.nsecsElapsed();
        if (found.value_or(-1) != position)
            fail("find disagrees with raw SQLite");
        row(QStringLiteral("row %1 found").arg(position), ms(program), ms(rawFind), "ms");
    }

    // ------------------------------------------------------------------
    section("sorting every card by a title click (figure only)");
    {
        SqlListModel *list = DM1->ADOQuery5;
        for (int column : {1, 4}) {
            const QString field = list->columns()[column].field;
            QElapsedTimer t;
            t.start();
            if (!list->toggleSort(column, false))
                fail("sort failed");
            QApplication::processEvents();
            const QString first = list->text(0, column);
            const qint64 program = t.nsecsElapsed();

            t.restart();
            sqlite3_stmt *s = nullptr;
            const std::string order = "SELECT \"id\" FROM \"卡信息\" ORDER BY \"" + field.toStdString() + "\" ASC, \"id\"";
            check(raw, sqlite3_prepare_v2(raw, order.c_str(), -1, &s, nullptr), "sort");
            std::vector<sqlite3_int64> ids;
            ids.reserve(size_t(cards));
            while (sqlite3_step(s) == SQLITE_ROW)
                ids.push_back(sqlite3_column_int64(s, 0));
            sqlite3_finalize(s);
            const qint64 rawSort = t.nsecsElapsed();
            const QString label = QStringLiteral("by %1 (first: %2)").arg(field, first.isEmpty() ? QStringLiteral("-") : first);
            row(label, ms(program), ms(rawSort), "ms");
        }
        if (!list->setSortKeys({}))
            fail("unsort failed");
    }
    std::printf("  peak memory so far (VmHWM): %.1f MB\n", double(statusKb("VmHWM")) / 1024);

    // ------------------------------------------------------------------
    section("for comparison: reading every card into memory, as a list without paging would");
    {
        struct Card {
            std::string number, name, sex, organisation, remark;
            sqlite3_int64 balance;
        };
        const long before = statusKb("VmRSS");
        QElapsedTimer t;
        t.start();
        sqlite3_stmt *s = nullptr;
        check(raw, sqlite3_prepare_v2(raw, R"(SELECT "卡号", "姓名", "性别", "使用单位", "金额", "备注" FROM "卡信息")", -1, &s, nullptr), "all");
        std::vector<Card> all;
        auto text = [&](int c) {
            const unsigned char *p = sqlite3_column_text(s, c);
            return p ? std::string(reinterpret_cast<const char *>(p)) : std::string();
        };
        while (sqlite3_step(s) == SQLITE_ROW)
            all.push_back({text(0), text(1), text(2), text(3), text(5), sqlite3_column_int64(s, 4)});
        sqlite3_finalize(s);
        const qint64 rawAll = t.nsecsElapsed();
        std::printf("  raw SQLite, %zu rows into plain structs: %.0f ms, +%.1f MB resident\n", all.size(), ms(rawAll),
                    double(statusKb("VmRSS") - before) / 1024);
    }

    window.reset();
    sqlite3_close(raw);
    return 0;
}
