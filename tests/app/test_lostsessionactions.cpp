// A till's action whose server session ends in its middle, before each of
// its statements in turn: the server then holds exactly what it held before
// and the till says the action was undone because the connection was lost,
// or the action went through whole and the till says so. Nothing of it runs
// in autocommit on the session that replaces the lost one.
#include "app/spreadsheet/itemimport.h"
#include "app/start/appglobals.h"
#include "app/start/tarmilapplication.h"
#include "data/dm_fixture.h"
#include "importsheet.h"

#include <memory>

namespace {

const QString Lost = QStringLiteral("Spojení s databázovým serverem bylo přerušeno");

// The import's questions: the store's items go, a failed row is not tried
// again, the rows after it are.
class ImportAnswers : public ScriptedMessages
{
public:
    bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) override
    {
        const bool yes = !heading.startsWith(QStringLiteral("Opakovat"));
        calls.append({MessageCall::Question, heading, detail, {}, yesFocused, yes ? 1 : 0});
        return yes;
    }
};

class LostSessionActions : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        SetAppGlobals();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }
    // What the server holds of the shop, one line.
    QString held()
    {
        return scalar(
            "SELECT md5(concat_ws('|', (SELECT string_agg(concat_ws(':', ID_POLOZKA, OZNACENI, MNOZSTVI, PRODEJ, "
            "STATE_PLATNOST, PATH_ID_KATEGORIE), ',' ORDER BY ID_POLOZKA) FROM tab_polozka), "
            "(SELECT string_agg(concat_ws(':', ID_KATEGORIE, ID_NADKATEGORIE), ',' ORDER BY ID_KATEGORIE) "
            "FROM tab_kategorie), (SELECT count(*) FROM tab_doklad), (SELECT count(*) FROM tab_historie), "
            "(SELECT count(*) || ':' || coalesce(sum(POHYB), 0) FROM tab_pokladna)))");
    }
    // Runs the action with the session ended before its 1st, 2nd, ...
    // statement, until it runs whole before the end comes.
    void sweep(const std::function<void()> &prepare, const std::function<bool()> &act)
    {
        Db::Connection &session = dm->MSSQLADOConnection->Connection();
        for (int n = 1; n < 200; ++n) {
            SCOPED_TRACE(n);
            prepare();
            const QString before = held();
            heard->calls.clear();
            int statements = 0;
            session.setStatementHook([&](const QString &) {
                if (++statements == n)
                    endModuleSession();
            });
            bool done = false;
            DeliverGuarded([&] { return done = act(); });
            session.setStatementHook({});
            QString told = dm->LastErrorText();
            for (const MessageCall &warning : heard->callsOf(MessageCall::Warning))
                told += u'|' + warning.detail + u'|' + warning.description;
            if (done || !dm->WrittenInAction().isEmpty()) {
                EXPECT_NE(held(), before) << "told done, nothing written: " << qPrintable(told);
            } else {
                EXPECT_EQ(held(), before) << "told undone: " << qPrintable(told);
                EXPECT_TRUE(told.contains(Lost) && !told.contains(QStringLiteral("Could not convert")))
                    << qPrintable(told);
            }
            if (statements < n)
                return;
        }
        ADD_FAILURE() << "the action never ran whole";
    }
    ScriptedMessages *heard = &messages; // the messages the user sees
};

} // namespace

TEST_F(LostSessionActions, SaleCardSaveCancellationAndCategoryMoveEndWholeOrUndone)
{
    const int item = newItem(QStringLiteral("PILA"), Currency::fromInt(1000));
    auto fill = [&] {
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
    };
    int document = 0;
    {
        SCOPED_TRACE("sale");
        sweep(fill, [&] { return dm->SellBasket(1, false, QStringLiteral("-"), 0, document); });
    }
    {
        SCOPED_TRACE("card save");
        TDMItem card;
        TDMItemOrigin origin;
        sweep([&] { ASSERT_TRUE(dm->ReadItem(item, card, origin)); },
              [&] {
                  card.PRODEJ = card.PRODEJ + Currency::fromInt(1);
                  return dm->EditItem(item, card, origin);
              });
    }
    {
        SCOPED_TRACE("cancellation");
        sweep(
            [&] {
                fill();
                ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, document));
            },
            [&] {
                return dm->CancelDocument(document, {true, true, true});
            });
    }
    {
        SCOPED_TRACE("category move");
        int a = 0, b = 0, moved = 0;
        ASSERT_TRUE(dm->NewCategory(1, QStringLiteral("A"), QStringLiteral("-"), a));
        ASSERT_TRUE(dm->NewCategory(1, QStringLiteral("B"), QStringLiteral("-"), b));
        ASSERT_TRUE(dm->NewCategory(a, QStringLiteral("C"), QStringLiteral("-"), moved));
        newItem(QStringLiteral("V_C"), Currency::fromInt(1), Currency::fromInt(100), QStringLiteral("?\\A\\C"));
        sweep([] {},
              [&] {
                  const int parent = scalar(QStringLiteral("SELECT ID_NADKATEGORIE FROM tab_kategorie "
                                                           "WHERE ID_KATEGORIE=%1")
                                                .arg(moved))
                                         .toInt();
                  return dm->MoveCategory(moved, parent == a ? b : a);
              });
    }
}

// The replace-all import of 1,200 rows with a failed row in the middle, its
// question answered to go on: the session ends before each statement, the
// question's answer among them.
TEST_F(LostSessionActions, AReplaceAllImportEndsWholeOrUndone)
{
    newItem(QStringLiteral("OLD"));
    QList<ImportRowCells> rows;
    for (int n = 1; n <= 1200; ++n)
        rows << itemRow(QStringLiteral("R%1").arg(n));
    rows[700][0] = Variant(QStringLiteral("PRILIS_DLOUHE_OZNACENI"));
    ScriptedSource source({sheetOf(rows)});
    ImportAnswers answers;
    heard = &answers;
    sweep([] {}, [&] { return ItemImport(*dm, source).Run(true).imported > 0; });
}

// After any error that leaves an action, the till shows what the server holds
// and says what was written: a sale committed before the error is told as
// written, a card save the error rolled back as undone. The renewal of a
// session whose basket was empty says so once, with the loss's reason.
TEST_F(LostSessionActions, TheMessagesSayWhatTheServerHolds)
{
    const int item = newItem(QStringLiteral("PILA"), Currency::fromInt(100));
    Db::Connection &session = dm->MSSQLADOConnection->Connection();
    auto failAfter = [&](const char *statement) {
        session.setStatementHook([&session, statement, seen = false](const QString &sql) mutable {
            if (seen) {
                session.setStatementHook({});
                throw std::runtime_error("Chyba po zápisu.");
            }
            seen = sql.contains(QLatin1String(statement), Qt::CaseInsensitive);
        });
    };
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true));
    dm->RequeryBasket();
    failAfter("tab_prodej_PRODAT");
    int document = 0;
    DeliverGuarded([&] { return dm->SellBasket(1, false, QStringLiteral("-"), 0, document); });
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().detail,
              QStringLiteral("Akce nebyla dokončena celá. Prodej položek proběhl, doklad je zapsán v databázi... "
                             "Další kroky akce neproběhly, program pokračuje dál..."));
    EXPECT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 0);
    EXPECT_TRUE(screens.labels[TSummaryLabel::ProdejStatus].startsWith(QStringLiteral("0 [")));
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], QStringLiteral("200,00 Kč"));

    TDMItem card;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(item, card, origin));
    card.PRODEJ = Currency::fromInt(300);
    failAfter("BEGIN");
    DeliverGuarded([&] { return dm->EditItem(item, card, origin); });
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().detail,
              QStringLiteral("Akce nebyla dokončena, její změny v databázi byly vráceny, program pokračuje dál..."));
    EXPECT_EQ(scalar(QStringLiteral("SELECT PRODEJ::int FROM tab_polozka WHERE ID_POLOZKA=%1").arg(item)), "100");

    endModuleSession();
    EXPECT_THROW(dm->HasRight(1), Db::DatabaseError);
    dm->reportRenewedSession();
    const MessageCall notice = messages.callsOf(MessageCall::Warning).last();
    EXPECT_EQ(notice.detail, QStringLiteral("Košík byl prázdný, nic se neztratilo..."));
    EXPECT_TRUE(notice.description.startsWith(Lost)) << qPrintable(notice.description);
}

// A plain import keeps each batch it stored; once its session is lost it
// stores no more, on no session, and says how many rows went in.
TEST_F(LostSessionActions, APlainImportStopsWhereItsSessionWasLost)
{
    QList<ImportRowCells> rows;
    for (int n = 1; n <= 1200; ++n)
        rows << itemRow(QStringLiteral("R%1").arg(n));
    ScriptedSource source({sheetOf(rows)});
    int batches = 0;
    dm->MSSQLADOConnection->Connection().setStatementHook([&](const QString &sql) {
        if (sql.contains(QLatin1String("tab_polozka_import_polozky"), Qt::CaseInsensitive) && ++batches == 2)
            endModuleSession();
    });
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, ItemImport::BatchRows);
    dm->MSSQLADOConnection->Connection().setStatementHook({});
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_polozka")), QString::number(ItemImport::BatchRows));
    const MessageCall warning = messages.callsOf(MessageCall::Warning).value(0);
    EXPECT_EQ(warning.detail, QStringLiteral("Import položek byl ukončen, importováno záznamů: 500, další záznamy "
                                             "nebyly importovány..."));
    EXPECT_TRUE(warning.description.startsWith(Lost)) << qPrintable(warning.description);
}
