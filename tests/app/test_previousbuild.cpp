// A database the previous build created keeps that build's procedures. Every
// call the program makes must work on it as it did then: the main flows run
// here on a database made by that build's own creation script. A flow added
// to the program belongs here too: a fixture below makes such a database.
#include "app/spreadsheet/itemimport.h"
#include "data/dm_fixture.h"
#include "data/dmprocedures.h"
#include "importsheet.h"
#include "layouts/layoutprint.h"

namespace {

const QString PreviousBuildScript = QStringLiteral(TARMIL_APP_TEST_DATA "/previous-build/create_database.sql");

class PreviousBuildTest : public DataModuleTest
{
protected:
    PreviousBuildTest() { creationScriptFile = PreviousBuildScript; }
};

class PreviousBuildPrintTest : public ShopLayoutTest
{
protected:
    PreviousBuildPrintTest() { creationScriptFile = PreviousBuildScript; }
};

} // namespace

// What the program calls that such a database lacks has a way round it in
// the data module; nothing else may be missing.
TEST_F(PreviousBuildTest, EveryProcedureTheProgramCallsIsThereOrHasAWayRound)
{
    QStringList missing;
    for (const QString &procedure : DMProc::All())
        if (scalar(QStringLiteral("SELECT count(*) FROM pg_proc WHERE lower(proname) = lower('%1')").arg(procedure)) ==
            u"0")
            missing << procedure;
    EXPECT_EQ(missing, QStringList({DMProc::tab_polozka_func_CEKAT_NA_SKLADY, DMProc::tab_polozka_func_ZAMKNOUT,
                                    DMProc::tab_polozka_func_ZAMKNOUT_SKLAD}));
}

// The card's new item and edit, the label proposal, a sale and its
// cancellation and the import, with the card's settings on: the database
// tests what it tested then (not the labels a cancellation brings back).
TEST_F(PreviousBuildTest, TheMainFlowsWorkAsTheyDid)
{
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    TDMItem item = itemOf(QStringLiteral("00000001"));
    item.OZNACENI_POVINNE = item.KOD_POVINNE = item.POLOZKA_POVINNE = true;
    ASSERT_TRUE(dm->NewItem(item)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->SmallestFreeItemMark(dm->IdSklad, 8), QStringLiteral("00000002"));
    const int id = scalar(QStringLiteral("SELECT max(ID_POLOZKA) FROM tab_polozka")).toInt();
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(id, item, origin)) << qPrintable(dm->LastErrorText());
    item.OZNACENI_POVINNE = item.KOD_POVINNE = item.POLOZKA_POVINNE = true;
    item.PRODEJ = Currency::fromInt(120);
    ASSERT_TRUE(dm->EditItem(id, item, origin)) << qPrintable(dm->LastErrorText());

    ASSERT_TRUE(dm->AddOrEditBasketRow(id, 0, Currency::fromInt(2), true)) << qPrintable(dm->LastErrorText());
    int sale = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, sale)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->CancelDocument(sale, {true, true, true})) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("PRODEJ_CELKEM")).AsString(), "-240");

    ScriptedSource source({sheetOf({itemRow("A"), itemRow("00000001"), itemRow("C")})});
    messages.answer(false); // no retry of record 2
    messages.answer(true);  // go on
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 2);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).value(0).description,
              QStringLiteral("Označení položky, řetězec v databázi již existuje"));
    EXPECT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(OZNACENI || ':' || PRODEJ || ':' || MNOZSTVI, ',' "
                                    "ORDER BY ID_POLOZKA) FROM tab_polozka")),
              QStringLiteral("00000001:120.0000:10,A:150.5000:3,C:150.5000:3"));
}

// Without the trigram index the item search reads every item and finds what
// it finds on a new database, the pattern's own characters taken as typed.
TEST_F(PreviousBuildTest, TheItemSearchFindsAsOnANewDatabase)
{
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    const int id = newItem(QStringLiteral("A\\_1%"));
    newItem(QStringLiteral("B21"));
    dm->MSSQLADOQuery_Polozka->RequeryQuery();
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    ASSERT_TRUE(
        dm->MSSQLADOQuery_Polozka->FindFirstInField(twin, "ID_POLOZKA", "ka a\\_1%", twin->FindField("POLOZKA")));
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), id);
    EXPECT_FALSE(dm->MSSQLADOQuery_Polozka->FindNextMatch());
}

TEST_F(PreviousBuildPrintTest, AReceiptAndItsCancellationPrint)
{
    const int sale = SellStandardBasket(1);
    const QString number = DocumentNumber();
    const QStringList receipt = PrintDocument(1);
    ASSERT_EQ(receipt.size(), 1);
    EXPECT_TRUE(receipt[0].contains(number)) << qPrintable(receipt[0]);
    ASSERT_TRUE(dm->CancelDocument(sale, {true, false, true})) << qPrintable(dm->LastErrorText());
    const QStringList cancellation = PrintDocument(4);
    ASSERT_EQ(cancellation.size(), 1);
    EXPECT_TRUE(cancellation[0].contains(number)) << qPrintable(cancellation[0]);
    EXPECT_EQ(PrintOverview(false).size(), 1);
}
