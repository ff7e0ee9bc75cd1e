// The store's lock beside other tills: a replace-all import holds its store
// alone and takes no lock per row, whatever the sheet's length; replace-all
// imports of one store, card saves, cancellations and imports queue and
// never deadlock. Each till is a session of its own, racing.
#include "app/spreadsheet/itemimport.h"
#include "data/dm_fixture.h"
#include "importsheet.h"
#include "platform/db/connection.h"

#include <libpq-fe.h>

#include <QMutex>
#include <QThread>

#include <atomic>
#include <barrier>
#include <functional>
#include <thread>

namespace {

// The messages of several tills at once: the removal is confirmed, a failed
// row neither retried nor gone on from; a hook runs at a chosen progress step.
class TillsMessages : public ScriptedMessages
{
public:
    bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) override
    {
        QMutexLocker lock(&m_mutex);
        calls.append({MessageCall::Question, heading, detail, QString(), yesFocused});
        return heading.startsWith(QStringLiteral("Odebrat všechny položky"));
    }
    void showWarning(const QString &heading, const QString &detail, const QString &description) override
    {
        QMutexLocker lock(&m_mutex);
        ScriptedMessages::showWarning(heading, detail, description);
    }
    void showInformation(const QString &heading, const QString &detail, bool autoClose) override
    {
        QMutexLocker lock(&m_mutex);
        ScriptedMessages::showInformation(heading, detail, autoClose);
    }
    void showWait(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        ScriptedMessages::showWait(text);
    }
    void hideWait() override {}
    void showProgress(const QString &) override {}
    void setProgressMaximum(int) override {}
    bool stepProgress(const QString &, int position) override
    {
        if (position == atStep && meanwhile)
            std::exchange(meanwhile, {})();
        return true;
    }
    bool progressInterrupted() const override { return false; }
    void hideProgress() override {}

    QStringList texts(MessageCall::Kind kind)
    {
        QMutexLocker lock(&m_mutex);
        QStringList found;
        for (const MessageCall &call : callsOf(kind))
            found << call.heading + u' ' + call.detail + u' ' + call.description;
        return found;
    }
    // Waits until other tills have shown this many wait windows: a till
    // that connects first may take a while on a busy machine, but less than
    // the server's minute of waiting for a store.
    void awaitWaits(int count)
    {
        for (int waited = 0; waited < 200 && texts(MessageCall::Wait).size() < count; ++waited)
            QThread::msleep(100);
    }
    int atStep = 0;
    std::function<void()> meanwhile;

private:
    QMutex m_mutex;
};

class StoreLocksTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        shopRules.uniqueLabels = shopRules.uniqueCodes = shopRules.uniqueNames = true;
    }
    // Each writer waits outside its transaction, in the wait's own call.
    void expectWaitingOutside(int writers)
    {
        const QString outside =
            QStringList(writers, QStringLiteral("advisory tab_polozka_func_cekat_na_sklady")).join(u'|');
        EXPECT_EQ(lockWaits(writers).toStdString(), outside.toStdString());
    }
    static int backend(TDM &till) { return PQbackendPID(till.MSSQLADOConnection->Connection().handle()); }
    // Rows labelled prefix + number, from first to last (either way).
    static SheetCells sheet(const QString &name, int first, int last)
    {
        QList<ImportRowCells> rows;
        for (int n = first;; n += first <= last ? 1 : -1) {
            ImportRowCells row = itemRow(QStringLiteral("L%1").arg(n));
            row[2] = Variant(name + QString::number(n));
            rows << row;
            if (n == last)
                break;
        }
        return sheetOf(rows);
    }
    QString deadlocks(TillsMessages &messages)
    {
        return messages.texts(MessageCall::Warning).filter(QStringLiteral("40P01")).join(u'\n');
    }
};

} // namespace

// However long its sheet, a replace-all import holds its store's lock and
// no lock per row; the default server's lock table holds a few thousand.
TEST_F(StoreLocksTest, AReplaceAllImportHoldsAFewLocksWhateverItsLength)
{
    newItem(QStringLiteral("OLD"));
    QList<ImportRowCells> rows;
    for (int n = 1; n <= 1200; ++n)
        rows << itemRow(QStringLiteral("R%1").arg(n));
    rows.last()[15] = Variant("a"); // the last row fails: its question comes while the transaction is open
    ScriptedSource source({sheetOf(rows)});
    QString locksHeld;
    TillsMessages messages;
    messages.atStep = 1199;
    messages.meanwhile = [&] {
        locksHeld = scalar(QStringLiteral("SELECT count(*) FILTER (WHERE locktype = 'advisory') || '|' || count(*) "
                                          "FROM pg_locks WHERE pid = %1")
                               .arg(backend(*dm)));
    };
    const ItemImportResult result = ItemImport(*dm, source).Run(true);
    EXPECT_EQ(result.imported, 1199);
    const QStringList counts = locksHeld.split(u'|');
    ASSERT_EQ(counts.size(), 2) << qPrintable(locksHeld);
    EXPECT_LE(counts[0].toInt(), 1) << qPrintable(locksHeld);
    EXPECT_LE(counts[1].toInt(), 100) << qPrintable(locksHeld);
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_polozka WHERE STATE_PLATNOST"), QStringLiteral("1199"));
}

// Two replace-all imports of one store run one after the other, over sheets
// of one set of labels in opposite orders or over sheets of their own: the
// store ends as the later sheet says, and neither deadlocks.
TEST_F(StoreLocksTest, ReplaceAllImportsOfOneStoreQueueAndTheLaterSheetStays)
{
    const auto race = [&](const SheetCells &mine, const SheetCells &theirs) {
        TillsMessages messages;
        std::barrier start(2);
        std::atomic<int> theirImported = -1;
        std::thread thread([&] {
            std::unique_ptr<TDM> other = till();
            ScriptedSource source({theirs});
            start.arrive_and_wait();
            theirImported = ItemImport(*other, source).Run(true).imported;
        });
        ScriptedSource source({mine});
        start.arrive_and_wait();
        const int imported = ItemImport(*dm, source).Run(true).imported;
        thread.join();
        EXPECT_EQ(deadlocks(messages), QString());
        // The later one waited for the store in its wait window, before its transaction wrote anything.
        EXPECT_EQ(messages.texts(MessageCall::Wait).filter(QStringLiteral("import počká na jeho konec")).size(), 1);
        return std::pair(imported, int(theirImported));
    };
    const auto sheets = [&] {
        return scalar("SELECT count(*) || ':' || string_agg(DISTINCT left(POLOZKA, 1), ',') FROM tab_polozka "
                      "WHERE STATE_PLATNOST");
    };
    EXPECT_EQ(race(sheet(QStringLiteral("A"), 1, 600), sheet(QStringLiteral("B"), 600, 1)), std::pair(600, 600));
    const QString afterOverlapping = sheets();
    EXPECT_TRUE(afterOverlapping == u"600:A" || afterOverlapping == u"600:B") << qPrintable(afterOverlapping);

    sql(QStringLiteral("DELETE FROM tab_historie; DELETE FROM tab_polozka"));
    EXPECT_EQ(race(sheet(QStringLiteral("C"), 1, 50), sheet(QStringLiteral("D"), 1001, 1050)), std::pair(50, 50));
    const QString afterDisjoint = sheets();
    EXPECT_TRUE(afterDisjoint == u"50:C" || afterDisjoint == u"50:D") << qPrintable(afterDisjoint);
}

// A card saved while another till replaces its store waits in the wait
// window until the import ended, then is written or refused as the store now
// stands; the import runs to its end.
TEST_F(StoreLocksTest, ACardSavedDuringAReplaceAllImportWaitsAndIsThenWritten)
{
    const int old = newItem(QStringLiteral("OLD"));
    TDMItem oldCard;
    TDMItemOrigin oldOrigin;
    ASSERT_TRUE(dm->ReadItem(old, oldCard, oldOrigin));
    TillsMessages messages;
    std::atomic<bool> taken = true, fresh = false, edited = true;
    QString refusal, freshError;
    std::thread card, edit;
    messages.atStep = 600; // the first batch is written
    messages.meanwhile = [&] {
        card = std::thread([&] {
            std::unique_ptr<TDM> other = till();
            // The label of a later row of the sheet, the name of an earlier one.
            TDMItem item = itemOf(QStringLiteral("L900"));
            item.POLOZKA = QStringLiteral("A10");
            item.OZNACENI_POVINNE = item.KOD_POVINNE = item.POLOZKA_POVINNE = true;
            taken = other->NewItem(item);
            refusal = other->LastErrorText();
            fresh = other->NewItem(itemOf(QStringLiteral("NOVA")));
            freshError = other->LastErrorText();
        });
        edit = std::thread([&] {
            // An item the import removes: refused once the import ended.
            edited = till()->EditItem(old, oldCard, oldOrigin);
        });
        messages.awaitWaits(2);
        QThread::msleep(1500); // the card waits beyond the server's deadlock check
        expectWaitingOutside(2);
    };
    ScriptedSource source({sheet(QStringLiteral("A"), 1, 1000)});
    EXPECT_EQ(ItemImport(*dm, source).Run(true).imported, 1000);
    card.join();
    edit.join();
    EXPECT_FALSE(edited);
    EXPECT_EQ(deadlocks(messages), QString());
    EXPECT_FALSE(taken);
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("Označení položky již existuje..."))) << qPrintable(refusal);
    EXPECT_TRUE(fresh) << qPrintable(freshError);
    EXPECT_EQ(messages.texts(MessageCall::Wait).filter(QStringLiteral("zápis počká na jeho konec")).size(), 2);
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_polozka WHERE STATE_PLATNOST"), QStringLiteral("1001"));
}

// A batch of the import takes the locks of all its labels, codes and names
// at once, before its first row: two tills importing batches of one set of
// labels in opposite orders never deadlock, and each label ends on one item.
TEST_F(StoreLocksTest, BatchesOfOneLabelSetInOppositeOrdersNeverDeadlock)
{
    const auto batch = [](const QString &name, int first, int last) {
        std::vector<TDMItem> items;
        for (int n = first;; n += first <= last ? 1 : -1) {
            TDMItem item = itemOf(QStringLiteral("L%1").arg(n));
            item.POLOZKA = name + QString::number(n);
            items.push_back(item);
            if (n == last)
                break;
        }
        return items;
    };
    QStringList errors;
    for (int round = 0; round < 3; ++round) {
        const int base = round * 1000;
        std::barrier start(2);
        QString theirError;
        std::thread thread([&] {
            std::unique_ptr<TDM> other = till();
            start.arrive_and_wait();
            if (other->ImportItems(batch(QStringLiteral("B"), base + 400, base + 1)) < 400)
                theirError = other->LastErrorText();
        });
        start.arrive_and_wait();
        if (dm->ImportItems(batch(QStringLiteral("A"), base + 1, base + 400)) < 400)
            errors << dm->LastErrorText();
        thread.join();
        errors << theirError;
    }
    EXPECT_TRUE(errors.filter(QStringLiteral("40P01")).isEmpty()) << qPrintable(errors.join(u'\n'));
    EXPECT_EQ(scalar("SELECT count(DISTINCT lower(OZNACENI)) || '|' || count(*) FROM tab_polozka"),
              QStringLiteral("1200|1200"));
}

// The server's lock function takes a call's locks in one order, whatever the
// order of its values: two sessions locking one set of values given in
// opposite orders never deadlock.
TEST_F(StoreLocksTest, TheLockFunctionTakesItsLocksInOneOrder)
{
    QStringList values;
    for (int n = 1; n <= 2000; ++n)
        values << QStringLiteral("V%1").arg(n);
    QStringList reversed = values;
    std::reverse(reversed.begin(), reversed.end());
    const auto lock = [&](const QStringList &order, QString &error) {
        Db::Connection session;
        if (!session.open(server, database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"))) {
            error = session.lastErrorText();
            return;
        }
        for (int round = 0; round < 5 && error.isEmpty(); ++round) {
            const Db::Result result = session.exec(
                QStringLiteral("SELECT tab_polozka_func_ZAMKNOUT(1, $1::varchar[], NULL, NULL), pg_sleep(0.05)"),
                {Db::Param::of(Db::Connection::arrayLiteral(order))});
            if (!result.succeeded())
                error = session.lastErrorText();
        }
    };
    QString mine, theirs;
    std::thread thread([&] { lock(reversed, theirs); });
    lock(values, mine);
    thread.join();
    EXPECT_EQ(mine, QString());
    EXPECT_EQ(theirs, QString());
}

// A cancellation that brings a removed item back takes the locks of its
// label, code and name before it tests them: a card saving that label in
// another till's open transaction makes it wait, and it is then refused.
TEST_F(StoreLocksTest, ACancellationLocksTheValuesItBringsBackBeforeTestingThem)
{
    const int sold = newItem(QStringLiteral("VRACENA"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(sold, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
    int sale = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, sale)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->RemoveItem(sold)) << qPrintable(dm->LastErrorText());

    // Another till's card holds the label in its open transaction.
    Db::Connection other;
    ASSERT_TRUE(other.open(server, database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN")).succeeded());
    ASSERT_TRUE(other
                    .exec(QStringLiteral("SELECT tab_polozka_NOVA_POLOZKA('VRACENA', 'K2', 'Jiná', '-', 0, 'Sklad-01', "
                                         "'?', '-', 20, 50, 100, 0, 10, 0, 'ks', 1, false, true)"))
                    .succeeded())
        << qPrintable(other.lastErrorText());
    std::thread commitLater([&] {
        QThread::msleep(700);
        other.exec(QStringLiteral("COMMIT"));
    });
    const bool cancelled = dm->CancelDocument(sale, {true, true, true});
    commitLater.join();
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_polozka WHERE STATE_PLATNOST AND OZNACENI = 'VRACENA'"),
              QStringLiteral("1"));
}

// A sale, a cancellation and the removal of an item of a store another till
// replaces wait in the wait window, outside their transactions (on no item's
// row), and are written once after the import ended (here stopped by its
// user, so undone); a sale from another store goes through meanwhile.
TEST_F(StoreLocksTest, ASaleAndARemovalDuringAReplaceAllImportWaitInTheWaitWindow)
{
    const int sold = newItem(QStringLiteral("PRODANA"));
    const int removed = newItem(QStringLiteral("ODEBRANA"));
    sql(QStringLiteral("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Sklad-02')"));
    TDMItem elsewhere = itemOf(QStringLiteral("JINDE"));
    elsewhere.SKLAD = QStringLiteral("Sklad-02");
    ASSERT_TRUE(dm->NewItem(elsewhere)) << qPrintable(dm->LastErrorText());
    const int elsewhereId = scalar(QStringLiteral("SELECT max(ID_POLOZKA) FROM tab_polozka")).toInt();
    const int returned = newItem(QStringLiteral("VRACENA"));
    int returnedSale = 0;
    ASSERT_TRUE(dm->AddOrEditBasketRow(returned, 0, Currency::fromInt(3), true) &&
                dm->SellBasket(1, false, QStringLiteral("-"), 0, returnedSale))
        << qPrintable(dm->LastErrorText());
    const auto sell = [this](int item, QString &error) {
        std::unique_ptr<TDM> other = till();
        int document = 0;
        const bool ok = other->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true) &&
                        other->SellBasket(1, false, QStringLiteral("-"), 0, document);
        error = other->LastErrorText();
        return ok;
    };

    TillsMessages messages;
    std::atomic<bool> saleWritten = false, removalWritten = false, elsewhereSold = false, cancelled = false;
    QString saleError, removalError, elsewhereError, cancelError;
    std::thread sale, removal, elsewhereSale, cancellation;
    messages.atStep = 600; // the first batch is written
    messages.meanwhile = [&] {
        sale = std::thread([&] { saleWritten = sell(sold, saleError); });
        removal = std::thread([&] {
            std::unique_ptr<TDM> other = till();
            removalWritten = other->RemoveSelectedItems(removed, {});
            removalError = other->LastErrorText();
        });
        cancellation = std::thread([&] {
            std::unique_ptr<TDM> other = till();
            cancelled = other->CancelDocument(returnedSale, {true, true, true});
            cancelError = other->LastErrorText();
        });
        elsewhereSale = std::thread([&] { elsewhereSold = sell(elsewhereId, elsewhereError); });
        for (int waited = 0; waited < 200 && !elsewhereSold; ++waited)
            QThread::msleep(100);
        messages.awaitWaits(3);
        QThread::msleep(1500); // beyond the server's deadlock check
        expectWaitingOutside(3);
    };
    QList<ImportRowCells> rows;
    for (int n = 1; n <= 1000; ++n)
        rows << itemRow(QStringLiteral("R%1").arg(n));
    rows[899][15] = Variant("a"); // a row that fails: its user stops the import
    ScriptedSource source({sheetOf(rows)});
    EXPECT_EQ(ItemImport(*dm, source).Run(true).imported, 0);
    const bool elsewhereSoldDuringImport = elsewhereSold;
    sale.join();
    removal.join();
    elsewhereSale.join();
    cancellation.join();

    EXPECT_TRUE(elsewhereSoldDuringImport) << qPrintable(elsewhereError);
    EXPECT_EQ(messages.texts(MessageCall::Wait).filter(QStringLiteral("zápis počká na jeho konec")).size(), 3);
    EXPECT_EQ(deadlocks(messages), QString());
    EXPECT_TRUE(saleWritten) << qPrintable(saleError);
    EXPECT_TRUE(removalWritten) << qPrintable(removalError);
    EXPECT_TRUE(cancelled) << qPrintable(cancelError);
    EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(p.OZNACENI || ':' || p.MNOZSTVI || ':' || (SELECT count(*) "
                                    "FROM tab_historie h WHERE h.ID_POLOZKA = p.ID_POLOZKA AND h.ID_DOKLAD <> 0), "
                                    "',' ORDER BY p.ID_POLOZKA) FROM tab_polozka p")),
              QStringLiteral("PRODANA:8:1,JINDE:8:1,VRACENA:10:2"));
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_prodej"), QStringLiteral("0"));
}
