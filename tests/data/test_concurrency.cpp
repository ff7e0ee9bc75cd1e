// Several tills on one server: two sessions, explicit transactions, one of
// them waiting on the other's locks.
#include "schema_session.h"

#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <thread>

class TwoTills : public DatabaseTest
{
protected:
    std::unique_ptr<Session> other = db.session();
    QString detail; // of the other session's last call

    // Runs the call on the other session in a thread, waits until the server
    // shows it blocked on a lock, looks at it so, then lets this session commit.
    QString callBlockedUntilCommit(const QString &sql, const QVariantList &params, QString *error,
                                   const std::function<void()> &whileBlocked = {})
    {
        QString result;
        std::thread waiting([&] {
            result = other->value(sql, params);
            *error = other->error();
            detail = other->detail();
        });
        const int pid = other->pid();
        QElapsedTimer timer;
        timer.start();
        bool blocked = false;
        while (!blocked && timer.elapsed() < 10000) {
            blocked = s->value("SELECT wait_event_type FROM pg_stat_activity WHERE pid = $1", {pid}) == "Lock";
            if (!blocked)
                QThread::msleep(10);
        }
        EXPECT_TRUE(blocked);
        if (whileBlocked)
            whileBlocked();
        s->exec("COMMIT");
        waiting.join();
        return result;
    }
};

TEST_F(TwoTills, TheLastUnitsAreSoldOnce)
{
    const int item = newItem("1", "5");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "5", true});
    other->exec("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 5, true)", {item});
    s->exec("BEGIN");
    ASSERT_GT(call("tab_prodej_PRODAT", {1, false, "-", 0}), 0);
    other->exec("BEGIN");
    QString error;
    const QString second = callBlockedUntilCommit("SELECT tab_prodej_PRODAT(1, false, '-', 0)", {}, &error);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(error, "50000 Chyba při zápisu do tab_polozka [záznamy o vyskladnění položek]...");
    EXPECT_EQ(detail, "Na skladě není dost některé z prodávaných položek.\n"
                      "Položka [1] Položka 1: na skladě zbývá 0 ks, prodává se 5 ks.");
    other->exec("ROLLBACK");
    EXPECT_EQ(s->value("SELECT MNOZSTVI FROM tab_polozka"), "0");
    EXPECT_EQ(s->integer("SELECT count(DISTINCT ID_DOKLAD) FROM tab_historie WHERE ID_DOKLAD <> 0"), 1);
    EXPECT_EQ(other->integer("SELECT tab_prodej_POCET()"), 1); // the other basket is kept
}

// Tills selling the same items never wait for each other in a circle: a sale
// locks its items in the order of their keys, whatever its basket's order.
// Here the sale waits on the higher item while it already holds the lower one.
TEST_F(TwoTills, ASaleLocksItsItemsInTheOrderOfTheirKeys)
{
    const int low = newItem("1", "5");
    const int high = newItem("2", "5");
    other->exec("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 1, true)", {high});
    other->exec("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 1, true)", {low});
    s->exec("BEGIN");
    s->exec("SELECT 1 FROM tab_polozka WHERE ID_POLOZKA = $1 FOR UPDATE", {high});
    const auto third = db.session();
    QString error;
    const int doc = callBlockedUntilCommit("SELECT tab_prodej_PRODAT(1, false, '-', 0)", {}, &error, [&] {
                        third->value("SELECT 1 FROM tab_polozka WHERE ID_POLOZKA = $1 FOR UPDATE NOWAIT", {low});
                        EXPECT_EQ(third->sqlState(), "55P03") << qPrintable(third->error());
                    }).toInt();
    EXPECT_EQ(error, "");
    EXPECT_GT(doc, 0);
    EXPECT_EQ(s->column("SELECT MNOZSTVI FROM tab_polozka ORDER BY ID_POLOZKA"), QStringList({"4", "4"}));
}

TEST_F(TwoTills, SimultaneousSalesGetTheirOwnNumbersAndBalances)
{
    const int first = newItem("1", "5", "100");
    const int second = newItem("2", "5", "30");
    call("tab_prodej_PRIDAT_EDITOVAT", {first, 0, "1", true});
    other->exec("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 2, true)", {second});
    s->exec("BEGIN");
    const int doc = call("tab_prodej_PRODAT", {1, true, "-", 0});
    other->exec("BEGIN");
    QString error;
    const int otherDoc = callBlockedUntilCommit("SELECT tab_prodej_PRODAT(1, true, '-', 0)", {}, &error).toInt();
    ASSERT_EQ(error, "");
    other->exec("COMMIT");
    EXPECT_NE(doc, otherDoc);
    EXPECT_EQ(s->column("SELECT DISTINCT right(DOKLAD_NETISTENY, 4) || '/' || right(DOKLAD_VYTISTENY, 4)"
                        " FROM tab_historie WHERE ID_DOKLAD <> 0 ORDER BY 1"),
              QStringList({"0001/0001", "0002/0002"}));
    EXPECT_EQ(s->column("SELECT POHYB || '|' || STAV FROM tab_pokladna ORDER BY ID_POKLADNA"),
              QStringList({"100.0000|100.0000", "60.0000|160.0000"}));
}

TEST_F(TwoTills, ADocumentIsCancelledOnce)
{
    const int item = newItem("1", "5", "100");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", true});
    const int doc = call("tab_prodej_PRODAT", {1, false, "-", 0});
    s->exec("BEGIN");
    ASSERT_GT(call("tab_doklad_STORNO", {doc}), 0);
    other->exec("BEGIN");
    QString error;
    const QString second = callBlockedUntilCommit("SELECT tab_doklad_STORNO($1)", {doc}, &error);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(error, "50000 Doklad nelze stornovat [doklad není prodejem nebo už byl stornován]...");
    other->exec("ROLLBACK");
    EXPECT_EQ(s->value("SELECT MNOZSTVI FROM tab_polozka"), "5");
    EXPECT_EQ(text("tab_pokladna_func_STAV"), "0.0000");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_OPERACE = 4"), 1);
}

TEST_F(TwoTills, DefaultSwitchingAtOnceLeavesOneDefault)
{
    s->exec("BEGIN");
    EXPECT_EQ(call("tab_dph_NASTAVENI_VYCHOZI_DPH", {1}), 1);
    other->exec("BEGIN");
    QString error;
    EXPECT_EQ(callBlockedUntilCommit("SELECT tab_dph_NASTAVENI_VYCHOZI_DPH(2)", {}, &error), "2");
    other->exec("COMMIT");
    EXPECT_EQ(s->column("SELECT ID_DPH FROM tab_dph WHERE STATE_VYCHOZI"), QStringList{"2"});
}

TEST_F(TwoTills, CashMovementsAndCashSalesAtOnceKeepTheBalanceExact)
{
    const int item = newItem("1", "5", "100");
    other->exec("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 1, true)", {item});
    // One till puts money in; before it commits the other sells for cash.
    s->exec("BEGIN");
    ASSERT_GT(call("tab_pokladna_POHYB(11, '0', '0', 10)"), 0);
    other->exec("BEGIN");
    QString error;
    const int doc = callBlockedUntilCommit("SELECT tab_prodej_PRODAT(1, false, '-', 0)", {}, &error).toInt();
    ASSERT_EQ(error, "");
    EXPECT_GT(doc, 0);
    other->exec("COMMIT");
    // And the other way round: a sale first, then a withdrawal.
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", true});
    s->exec("BEGIN");
    ASSERT_GT(call("tab_prodej_PRODAT", {1, false, "-", 0}), 0);
    other->exec("BEGIN");
    callBlockedUntilCommit("SELECT tab_pokladna_POHYB(11, '0', '0', -50)", {}, &error);
    ASSERT_EQ(error, "");
    other->exec("COMMIT");
    EXPECT_EQ(s->column("SELECT POHYB || '|' || STAV FROM tab_pokladna ORDER BY ID_POKLADNA"),
              QStringList({"10.0000|10.0000", "100.0000|110.0000", "200.0000|310.0000", "-50.0000|260.0000"}));
    EXPECT_EQ(s->value("SELECT tab_pokladna_func_STAV()::text"), "260.0000");
}

TEST_F(TwoTills, MovingAndCopyingCategoriesAtOnceKeepTheTreeAndTheItemPaths)
{
    // ? > A > B (holding an item), ? > C, ? > D
    const int a = call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "a"});
    const int b = call("tab_kategorie_NOVA_KATEGORIE", {a, "B", "b"});
    const int c = call("tab_kategorie_NOVA_KATEGORIE", {1, "C", "c"});
    const int d = call("tab_kategorie_NOVA_KATEGORIE", {1, "D", "d"});
    newItem("1", "1", "10", "?\\A\\B");
    const auto pathsAgree = [&] {
        return s->integer("SELECT count(*) FROM tab_polozka"
                          " WHERE PATH_ID_KATEGORIE <> tab_kategorie_func_PATH_ID_KATEGORIE(ID_KATEGORIE)") == 0;
    };
    // One session moves A under D; before it commits the other moves B under C.
    s->exec("BEGIN");
    ASSERT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {a, d}), a);
    other->exec("BEGIN");
    QString error;
    EXPECT_EQ(callBlockedUntilCommit("SELECT tab_kategorie_PRESUNOUT_KATEGORII($1, $2)", {b, c}, &error).toInt(), b);
    other->exec("COMMIT");
    EXPECT_EQ(text("tab_kategorie_func_PATH_KATEGORIE", {b}), "?\\C\\B");
    EXPECT_TRUE(pathsAgree());
    // One moves C under D while the other tries D under C: one of them is refused.
    s->exec("BEGIN");
    ASSERT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {c, d}), c);
    other->exec("BEGIN");
    EXPECT_EQ(callBlockedUntilCommit("SELECT tab_kategorie_PRESUNOUT_KATEGORII($1, $2)", {d, c}, &error).toInt(), 0);
    other->exec("COMMIT");
    EXPECT_EQ(text("tab_kategorie_func_PATH_KATEGORIE", {b}), "?\\D\\C\\B");
    // One copies C (with B) under A while the other moves B under A.
    s->exec("BEGIN");
    ASSERT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {c, a}), c);
    other->exec("BEGIN");
    EXPECT_EQ(callBlockedUntilCommit("SELECT tab_kategorie_PRESUNOUT_KATEGORII($1, $2)", {b, a}, &error).toInt(), b);
    other->exec("COMMIT");
    EXPECT_TRUE(pathsAgree());
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_kategorie WHERE ID_NADKATEGORIE IS NULL"), 1);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_kategorie"), 1 + 4 + 2);
    EXPECT_EQ(text("tab_kategorie_func_PATH_KATEGORIE", {b}), "?\\D\\A\\B");
}

// The item card is saved while another till's sale of the item is not yet
// committed: the save waits for the sale and moves the stock from the figure
// the sale left, so the units sold stay counted.
TEST_F(TwoTills, AnItemSavedDuringASaleKeepsTheSaleInItsStock)
{
    const int item = newItem("1", "10");
    const QString version = text("tab_polozka_func_VERZE", {item});
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "3", true});
    s->exec("BEGIN");
    ASSERT_GT(call("tab_prodej_PRODAT", {1, false, "-", 0}), 0);
    QString error;
    const QString saved = callBlockedUntilCommit(
        "SELECT tab_polozka_EDITOVAT_POLOZKU(p_id_polozka => $1, p_oznaceni => '1', p_kod => '1',"
        " p_polozka => 'Položka 1', p_specifikace => '-', p_zaruka => 24, p_sklad => 'Sklad-01', p_kategorie => '?',"
        " p_dodavatel => '-', p_dph => 20, p_nakup => 50, p_prodej => 120, p_sleva => 0, p_mnozstvi => 11,"
        " p_zasoba => 0, p_jednotka => 'ks', p_minimum => 1, p_nasobne => true, p_mnozstvi_puvodni => 10,"
        " p_verze => $2)",
        {item, version}, &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(saved.toInt(), item);
    // 10 read by the card, 3 sold meanwhile, 1 added on the card.
    EXPECT_EQ(s->value("SELECT MNOZSTVI || '|' || PRODEJ FROM tab_polozka WHERE ID_POLOZKA = $1", {item}),
              "8|120.0000");
}

namespace {
// The item card's write with label, code and name required unique.
const QString UniqueValues = ", p_oznaceni_povinne => true, p_kod_povinne => true, p_polozka_povinne => true";
} // namespace

// With the settings asking for it, a till's write tests the label under a lock
// keyed on the store and the lowercased label: the other till writing the
// same label waits for it and is then refused with the card's message.
// Without the settings two items may share a label.
TEST_F(TwoTills, AWriteOfARequiredLabelWaitsForTheOtherTillAndIsRefused)
{
    s->exec("BEGIN");
    EXPECT_GT(call(newItemCall(UniqueValues), {"Ab-6", "1", "10", "?", "Sklad-01"}), 0);
    other->exec("BEGIN");
    QString error;
    const QString second =
        callBlockedUntilCommit("SELECT " + newItemCall(UniqueValues), {"aB-6", "1", "10", "?", "Sklad-01"}, &error);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(error, "50000 Označení položky již existuje...");
    other->exec("ROLLBACK");
    EXPECT_GT(other->integer("SELECT " + newItemCall(), {"aB-6", "1", "10", "?", "Sklad-01"}), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_polozka WHERE lower(OZNACENI) = 'ab-6'"), 2);
}

// Two tills each proposing a label and writing a new item with it, 50 times
// at the same moment, label and code required unique: no label and no code
// is on two items. A till refused takes the next proposal, as the card does.
TEST_F(TwoTills, FiftyNewItemsFromEachOfTwoTillsAtOnceShareNoLabelOrCode)
{
    struct Till
    {
        Session *session;
        int written = 0;
        QStringList refusals;
    };
    Till tills[2] = {{s.get(), 0, {}}, {other.get(), 0, {}}};
    auto work = [](Till &till) {
        Session &session = *till.session;
        for (int attempt = 0; till.written < 50 && attempt < 500; ++attempt) {
            const QString label = session.value("SELECT tab_polozka_func_OZNACENI_NEJMENSI_VOLNE(1, 8)");
            session.script("BEGIN");
            session.value("SELECT " + newItemCall(UniqueValues), {label, "1", "10", "?", "Sklad-01"});
            if (session.error().isEmpty()) {
                session.script("COMMIT");
                ++till.written;
            } else {
                till.refusals << session.error();
                session.script("ROLLBACK");
            }
        }
    };
    std::thread first(work, std::ref(tills[0]));
    std::thread second(work, std::ref(tills[1]));
    first.join();
    second.join();
    for (const Till &till : tills) {
        EXPECT_EQ(till.written, 50);
        for (const QString &refusal : till.refusals)
            EXPECT_EQ(refusal, "50000 Označení položky již existuje...");
    }
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_polozka"), 100);
    EXPECT_EQ(s->integer("SELECT count(DISTINCT lower(OZNACENI)) FROM tab_polozka"), 100);
    EXPECT_EQ(s->integer("SELECT count(DISTINCT lower(KOD)) FROM tab_polozka"), 100);
}
