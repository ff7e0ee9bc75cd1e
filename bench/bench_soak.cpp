// Several tills at once on one shop, for a bounded time: each does at random
// a sale, a card save, a cancellation, a category move, a plain or a
// replace-all import, or ends another till's session (as a lost network
// would). Prints how often each action was done and refused, and then the
// shop's rules of its data that are broken (the goal is none). The server
// comes from the PG* variables (TARMIL5_TEST_SERVER for the data module);
// the benchmark makes its own database and drops it. Arguments: seconds
// (default 30) and tills (default 4).
#include "common/shop_rules.h"
#include "data/dm.h"
#include "platform/messages.h"
#include "shopdatabase.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

enum Action { Sale, Card, Cancellation, Move, Import, ReplaceAll, Drop, ActionCount };
const std::array<const char *, ActionCount> ActionNames{
    "sale", "card save", "cancellation", "category move", "import", "replace-all import", "dropped session"};
constexpr int Stores = 3;
constexpr int Categories = 8; // two levels under the root: 1 + 4 top + 4 below

std::array<std::atomic<int>, ActionCount> g_done{}, g_refused{}, g_thrown{};
std::atomic<int> g_waits{0};
std::atomic<int> g_serial{0};

// The tills' windows: counted, not shown; questions answer no.
class QuietMessages : public ConsoleMessageService
{
public:
    void showWarning(const QString &, const QString &, const QString &) override {}
    void showInformation(const QString &, const QString &, bool) override {}
    void showWait(const QString &) override { ++g_waits; }
    void showProgress(const QString &) override {}
};

QString value(PGconn *conn, const QString &sql)
{
    PGresult *res = PQexec(conn, sql.toUtf8().constData());
    const QString text = PQresultStatus(res) == PGRES_TUPLES_OK && PQntuples(res) > 0 && !PQgetisnull(res, 0, 0)
                             ? QString::fromUtf8(PQgetvalue(res, 0, 0))
                             : QString();
    PQclear(res);
    return text;
}

QString storeName(int store)
{
    return QStringLiteral("Sklad-%1").arg(store, 2, 10, QChar(u'0'));
}

TDMItem newItem(int store, const QString &category)
{
    const QString label = QStringLiteral("S%1").arg(++g_serial);
    TDMItem item;
    item.OZNACENI = item.KOD = label;
    item.POLOZKA = QStringLiteral("Položka ") + label;
    item.SPECIFIKACE = QStringLiteral("-");
    item.DPH = Currency::fromInt(20);
    item.SKLAD = storeName(store);
    item.KATEGORIE = category;
    item.DODAVATEL = QStringLiteral("-");
    item.NAKUP = Currency::fromInt(50);
    item.PRODEJ = Currency::fromInt(100);
    item.MNOZSTVI = Currency::fromInt(1000);
    item.JEDNOTKA = QStringLiteral("ks");
    item.MINIMUM = Currency::fromInt(1);
    item.OZNACENI_POVINNE = item.KOD_POVINNE = item.POLOZKA_POVINNE = true;
    return item;
}

std::vector<TDMItem> batch(PGconn *reader, int store, int rows)
{
    std::vector<TDMItem> items;
    for (int i = 0; i < rows; ++i)
        items.push_back(newItem(store, value(reader, QStringLiteral("SELECT tab_kategorie_func_PATH_KATEGORIE("
                                                                    "(SELECT ID_KATEGORIE FROM tab_kategorie "
                                                                    "ORDER BY random() LIMIT 1))"))));
    return items;
}

bool act(Action action, TDM &dm, PGconn *reader, const std::vector<std::atomic<int>> &pids)
{
    auto *random = QRandomGenerator::global();
    const int store = 1 + int(random->bounded(Stores));
    switch (action) {
    case Sale: {
        const int item = value(reader, "SELECT ID_POLOZKA FROM tab_polozka WHERE STATE_PLATNOST AND MNOZSTVI >= 1 "
                                       "ORDER BY random() LIMIT 1")
                             .toInt();
        int document = 0;
        const bool sold = item && dm.AddOrEditBasketRow(item, 0, Currency::fromInt(1), true) &&
                          dm.SellBasket(1, false, QStringLiteral("-"), 0, document);
        if (!sold && item)
            dm.RemoveBasketRow(item);
        return sold;
    }
    case Card: {
        const int item =
            value(reader, "SELECT ID_POLOZKA FROM tab_polozka WHERE STATE_PLATNOST ORDER BY random() LIMIT 1").toInt();
        TDMItem card;
        TDMItemOrigin origin;
        if (!item || !dm.ReadItem(item, card, origin))
            return false;
        card.PRODEJ = card.PRODEJ + Currency::fromInt(1);
        card.KATEGORIE = value(reader, "SELECT tab_kategorie_func_PATH_KATEGORIE((SELECT ID_KATEGORIE FROM "
                                       "tab_kategorie ORDER BY random() LIMIT 1))");
        card.OZNACENI_POVINNE = card.KOD_POVINNE = card.POLOZKA_POVINNE = true;
        return dm.EditItem(item, card, origin);
    }
    case Cancellation: {
        const int document = value(reader, "SELECT ID_DOKLAD FROM tab_historie WHERE ID_OPERACE BETWEEN 1 AND 3 "
                                           "AND STATE_STAV ORDER BY random() LIMIT 1")
                                 .toInt();
        return document && dm.CancelDocument(document, {true, true, true});
    }
    case Move: {
        const QString pair = value(reader, "SELECT c.ID_KATEGORIE || ' ' || t.ID_KATEGORIE FROM tab_kategorie c, "
                                           "tab_kategorie t WHERE c.ID_KATEGORIE <> 1 ORDER BY random() LIMIT 1");
        const QStringList ids = pair.split(u' ');
        return ids.size() == 2 && dm.MoveCategory(ids[0].toInt(), ids[1].toInt());
    }
    case Import:
        return dm.ImportItems(batch(reader, store, 20)) == 20;
    case ReplaceAll: {
        const std::vector<TDMItem> items = batch(reader, store, 100);
        dm.BeginTransaction();
        const bool ok = dm.RemoveStoreItems(store) && dm.ImportItems(items) == int(items.size());
        return dm.EndTransaction(ok) && ok;
    }
    case Drop: {
        const int pid = pids[size_t(random->bounded(int(pids.size())))];
        return pid && value(reader, QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid)) == u"t";
    }
    case ActionCount:
        break;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int tills = argc > 2 ? std::atoi(argv[2]) : 4;
    const QString database = QStringLiteral("t5soak_%1").arg(QCoreApplication::applicationPid());
    PGconn *setup = CreateShopDatabase(database);
    for (int store = 2; store <= Stores; ++store)
        BenchRun(setup,
                 QStringLiteral("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, '%1')").arg(storeName(store)));
    for (int top = 1; top <= 4; ++top)
        BenchRun(setup, QStringLiteral("SELECT tab_kategorie_NOVA_KATEGORIE(tab_kategorie_NOVA_KATEGORIE(1, 'K%1', "
                                       "'-'), 'P%1', '-')")
                            .arg(top));
    PQfinish(setup);
    qputenv("TARMIL5_DATABASE", database.toUtf8());
    QuietMessages quiet;
    SetMessageService(&quiet);
    {
        TDM loader;
        loader.ConnectServer(qEnvironmentVariable("TARMIL5_TEST_SERVER"), qEnvironmentVariable("PGUSER"),
                             qEnvironmentVariable("PGPASSWORD"));
        loader.SelectDatabase(database);
        PGconn *reader = BenchConnect(database);
        for (int store = 1; store <= Stores; ++store)
            loader.ImportItems(batch(reader, store, 200));
        PQfinish(reader);
    }

    std::vector<std::atomic<int>> pids(static_cast<size_t>(tills));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    // The login is the program's one at a time (its globals): the tills log in in turn.
    std::vector<std::unique_ptr<TDM>> modules;
    for (int t = 0; t < tills; ++t) {
        modules.push_back(std::make_unique<TDM>());
        modules.back()->ConnectServer(qEnvironmentVariable("TARMIL5_TEST_SERVER"), qEnvironmentVariable("PGUSER"),
                                      qEnvironmentVariable("PGPASSWORD"));
        modules.back()->SelectDatabase(database);
        modules.back()->OpenAllQueries(); // as a till has them, written after each write
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < tills; ++t)
        threads.emplace_back([&, t] {
            TDM &dm = *modules[size_t(t)];
            PGconn *reader = BenchConnect(database);
            // Ordinary work is common, a till's whole store replaced or its session lost seldom.
            constexpr std::array<int, ActionCount> Weights{40, 20, 10, 10, 12, 5, 3}; // of 100
            while (std::chrono::steady_clock::now() < end) {
                pids[size_t(t)] = PQbackendPID(dm.MSSQLADOConnection->Connection().handle());
                int pick = int(QRandomGenerator::global()->bounded(100));
                int action = 0;
                while (pick >= Weights[size_t(action)])
                    pick -= Weights[size_t(action++)];
                try {
                    (act(Action(action), dm, reader, pids) ? g_done : g_refused)[size_t(action)]++;
                } catch (const std::exception &error) {
                    // An error no screen would catch: counted, and the till goes on.
                    if (g_thrown[size_t(action)]++ == 0)
                        std::fprintf(stderr, "%s threw: %s\n", ActionNames[size_t(action)], error.what());
                    dm.RollbackOpenTransaction();
                }
            }
            PQfinish(reader);
        });
    for (std::thread &thread : threads)
        thread.join();
    modules.clear();
    SetMessageService(nullptr);

    std::printf("%d tills, %d s, %d categories, %d stores; wait windows: %d\n", tills, seconds, Categories, Stores,
                int(g_waits));
    for (int a = 0; a < ActionCount; ++a)
        std::printf("%-20s done %6d  refused %6d  thrown %4d\n", ActionNames[size_t(a)], int(g_done[size_t(a)]),
                    int(g_refused[size_t(a)]), int(g_thrown[size_t(a)]));
    ShopRules rules;
    rules.uniqueLabels = rules.uniqueCodes = rules.uniqueNames = true;
    const QStringList broken = ShopRuleBreaches(database, rules);
    std::printf("broken rules: %d\n", int(broken.size()));
    for (const QString &rule : broken)
        std::printf("  %s\n", qPrintable(rule.left(400)));
    DropShopDatabase(database);
    return broken.isEmpty() ? 0 : 1;
}
