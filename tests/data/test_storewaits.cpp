// Every writer of a store's items under the store's lock, beside another
// till's replace-all import (a session of its own holding the store alone):
// category changes, waits for the stores refused, the lock's own edges.
#include "data/dm_fixture.h"
#include "platform/db/connection.h"

#include <QThread>

#include <atomic>
#include <thread>

namespace {

class StoreWaits : public DataModuleTest
{
protected:
    std::unique_ptr<Db::Connection> session()
    {
        auto other = std::make_unique<Db::Connection>();
        EXPECT_TRUE(other->open(server, database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")))
            << qPrintable(other->lastErrorText());
        return other;
    }
    static void run(Db::Connection &session, const QString &statement)
    {
        EXPECT_TRUE(session.exec(statement).succeeded())
            << qPrintable(statement) << qPrintable(session.lastErrorText());
    }
};

} // namespace

// A move beside another till's replace-all import waits outside its
// transaction, holding no item another till sells meanwhile, and is written
// once the import ended: the import's new items follow it too. A removal
// refused meanwhile says why.
TEST_F(StoreWaits, ATreeChangeBesideAReplaceAllImportWaitsOutsideAndEveryPathFollows)
{
    int a = 0, b = 0, d = 0;
    ASSERT_TRUE(dm->NewCategory(1, "A", "-", a) && dm->NewCategory(a, "B", "-", b) && dm->NewCategory(1, "D", "-", d));
    newItem("STARA", Currency::fromInt(10), Currency::fromInt(100), "?\\A\\B");
    sql("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Sklad-02')");
    TDMItem elsewhere = itemOf("JINDE", Currency::fromInt(10), Currency::fromInt(100), "?\\A\\B");
    elsewhere.SKLAD = "Sklad-02";
    ASSERT_TRUE(dm->NewItem(elsewhere)) << qPrintable(dm->LastErrorText());
    const QString elsewhereId = scalar("SELECT max(ID_POLOZKA) FROM tab_polozka");

    std::unique_ptr<Db::Connection> import = session();
    run(*import, "BEGIN");
    run(*import, "SELECT tab_polozka_func_ZAMKNOUT_SKLAD(1, true, true), tab_polozka_ODEBRAT_POLOZKY(1)");
    run(*import, "SELECT tab_polozka_IMPORT_POLOZKY('N' || i, 'N' || i, 'Nová ' || i, '-', 0, 'Sklad-01', '?\\A\\B', "
                 "'-', 20, 50, 100, 0, 10, 0, 'ks', 1, true) FROM generate_series(1, 50) i");

    std::unique_ptr<Db::Connection> other = session();
    run(*other, "SET lock_timeout = '3s'");
    EXPECT_FALSE(other->exec(QStringLiteral("SELECT tab_kategorie_ODEBRAT_KATEGORII(%1)").arg(a)).succeeded());
    const Db::ServerError refusal = other->errors().value(0);
    EXPECT_EQ(refusal.line(), "Jiná pokladna právě importuje položky do skladu s odebráním původních záznamů. [55P03]");
    EXPECT_EQ(refusal.detail, "Sklady (ID): 1");

    std::atomic<bool> moved = false;
    std::thread move([&] { moved = till()->MoveCategory(a, d); });
    EXPECT_EQ(lockWaits(1), "advisory tab_polozka_func_cekat_na_sklady");
    // A sale from the other store goes on meanwhile, on the moved category's item.
    run(*other, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(elsewhereId));
    run(*other, "SELECT tab_prodej_PRODAT(1, false, '-', 0)");
    run(*import, "COMMIT");
    move.join();
    EXPECT_TRUE(moved);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_polozka WHERE STATE_PLATNOST AND "
                                    "starts_with(PATH_ID_KATEGORIE, '1\\%1\\%2\\%3\\')")
                         .arg(d)
                         .arg(a)
                         .arg(b)),
              "51");
}

// An item saved while another till moves its category: the move waits for the
// card's commit, so the path the card worked out does not go stale.
TEST_F(StoreWaits, AnItemSavedBesideAMoveGetsThePathOfItsCategoryAsMoved)
{
    int a = 0, d = 0;
    ASSERT_TRUE(dm->NewCategory(1, "A", "-", a) && dm->NewCategory(1, "D", "-", d));
    std::unique_ptr<Db::Connection> card = session();
    run(*card, "BEGIN");
    run(*card, "SELECT tab_polozka_NOVA_POLOZKA('K', 'K', 'Karta', '-', 0, 'Sklad-01', '?\\A', '-', 20, 50, 100, 0, "
               "10, 0, 'ks', 1, true)");
    std::atomic<bool> moved = false;
    std::thread move([&] { moved = till()->MoveCategory(a, d); });
    EXPECT_EQ(lockWaits(1), "advisory tab_kategorie_presunout_kategorii");
    run(*card, "COMMIT");
    move.join();
    EXPECT_TRUE(moved);
    EXPECT_EQ(scalar("SELECT PATH_ID_KATEGORIE FROM tab_polozka"), QStringLiteral("1\\%1\\%2\\").arg(d).arg(a));
}

// A move locks its items in the order of their keys, as a sale does: a sale
// holding one item and then reaching the next never waits for the move in a circle.
TEST_F(StoreWaits, AMoveAndASaleNeverWaitForEachOtherInACircle)
{
    int a = 0, d = 0;
    ASSERT_TRUE(dm->NewCategory(1, "A", "-", a) && dm->NewCategory(1, "D", "-", d));
    const int low = newItem("1", Currency::fromInt(10), Currency::fromInt(100), "?\\A");
    const int high = newItem("2", Currency::fromInt(10), Currency::fromInt(100), "?\\A");
    // The lower item's row now lies after the higher one's: a move walking the rows meets the higher first.
    sql(QStringLiteral("UPDATE tab_polozka SET ZARUKA = 1 WHERE ID_POLOZKA = %1").arg(low));
    std::unique_ptr<Db::Connection> sale = session();
    run(*sale, "BEGIN");
    run(*sale, QStringLiteral("UPDATE tab_polozka SET MNOZSTVI = MNOZSTVI - 1 WHERE ID_POLOZKA = %1").arg(low));
    std::atomic<bool> moved = false;
    std::thread move([&] { moved = till()->MoveCategory(a, d); });
    EXPECT_EQ(lockWaits(1), "transactionid tab_kategorie_presunout_kategorii");
    run(*sale, QStringLiteral("UPDATE tab_polozka SET MNOZSTVI = MNOZSTVI - 1 WHERE ID_POLOZKA = %1").arg(high));
    run(*sale, "COMMIT");
    move.join();
    EXPECT_TRUE(moved);
}

// A write refused for one store waits for that store, not for another one a
// third till is replacing meanwhile.
TEST_F(StoreWaits, AWriteWaitsOnlyForTheStoresItWasRefusedFor)
{
    sql("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Sklad-02')");
    std::unique_ptr<Db::Connection> first = session(), second = session();
    run(*first, "BEGIN");
    run(*first, "SELECT tab_polozka_func_ZAMKNOUT_SKLAD(1, true, true)");
    run(*second, "BEGIN");
    run(*second, "SELECT tab_polozka_func_ZAMKNOUT_SKLAD(2, true, true)");
    std::atomic<bool> written = false, done = false;
    std::thread card([&] {
        written = till()->NewItem(itemOf("KARTA"));
        done = true;
    });
    EXPECT_EQ(lockWaits(1), "advisory tab_polozka_func_cekat_na_sklady");
    run(*first, "COMMIT");
    for (int waited = 0; waited < 500 && !done; ++waited)
        QThread::msleep(20);
    EXPECT_TRUE(done); // while the other store is still held
    run(*second, "COMMIT");
    card.join();
    EXPECT_TRUE(written);
}

// The store's lock refuses flags it is not given, and a replace-all import
// that gave up waiting for ordinary writers says that they held the store.
TEST_F(StoreWaits, TheStoreLockRefusesNullFlagsAndSaysWhatHeldTheStore)
{
    std::unique_ptr<Db::Connection> writer = session(), replacing = session();
    for (const char *flags : {"NULL, false", "false, NULL", "NULL, NULL"}) {
        EXPECT_FALSE(
            writer->exec(QStringLiteral("SELECT tab_polozka_func_ZAMKNOUT_SKLAD(1, %1)").arg(flags)).succeeded());
        EXPECT_TRUE(writer->lastErrorText().startsWith("Zámek skladu nelze vzít... [50000]")) << flags;
    }
    run(*writer, "BEGIN");
    run(*writer, "SELECT tab_polozka_func_SDILET_SKLAD(1)");
    run(*replacing, "SET tarmil.cekani = '300ms'");
    run(*replacing, "BEGIN");
    EXPECT_FALSE(replacing->exec("SELECT tab_polozka_func_ZAMKNOUT_SKLAD(1, true, true)").succeeded());
    EXPECT_TRUE(replacing->lastErrorText().startsWith("Jiná pokladna stále zapisuje položky skladu"))
        << qPrintable(replacing->lastErrorText());
    run(*replacing, "ROLLBACK");
    run(*writer, "COMMIT");
}

// The import's check of a category asks whether the whole path exists.
TEST_F(StoreWaits, AnImportRowOfACategoryThatDoesNotExistIsRefused)
{
    const std::vector<Variant> answers =
        dm->AskImportQuestions(1, {{TDMImportQuestion::Category, "?\\Neexistuje", Currency()},
                                   {TDMImportQuestion::Category, "?", Currency()}});
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].toInt(), 0);
    EXPECT_EQ(answers[1].toInt(), 1);
}
