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

    // An item as the card sends it with the settings' defaults: label and
    // name required unique.
    TDMItem cardItem(const QString &mark)
    {
        TDMItem item = itemOf(mark);
        item.OZNACENI_POVINNE = item.POLOZKA_POVINNE = true;
        return item;
    }
    int idOf(const QString &mark)
    {
        return scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '%1' AND STATE_PLATNOST")
                          .arg(mark))
            .toInt();
    }
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
    EXPECT_EQ(missing, QStringList{DMProc::tab_polozka_func_ZAMKNOUT});
}

TEST_F(PreviousBuildTest, TheCardSavesEditsAndProposesLabels)
{
    ASSERT_TRUE(dm->NewItem(cardItem(QStringLiteral("00000001")))) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->SmallestFreeItemMark(dm->IdSklad, 8), QStringLiteral("00000002"));
    const int id = idOf(QStringLiteral("00000001"));
    TDMItem item;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(id, item, origin)) << qPrintable(dm->LastErrorText());
    item.OZNACENI_POVINNE = item.KOD_POVINNE = item.POLOZKA_POVINNE = true;
    item.PRODEJ = Currency::fromInt(120);
    ASSERT_TRUE(dm->EditItem(id, item, origin)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar(QStringLiteral("SELECT PRODEJ FROM tab_polozka WHERE ID_POLOZKA = %1").arg(id)), "120.0000");
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

// A sale and its cancellation with the card's settings on; the database
// cancels as it did (it has no test of the labels an item brings back).
TEST_F(PreviousBuildTest, ASaleIsSoldAndCancelled)
{
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->NewItem(cardItem(QStringLiteral("7"))));
    const int id = idOf(QStringLiteral("7"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(id, 0, Currency::fromInt(2), true)) << qPrintable(dm->LastErrorText());
    int sale = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, sale)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->CancelDocument(sale, {true, true, true})) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar(QStringLiteral("SELECT MNOZSTVI FROM tab_polozka WHERE ID_POLOZKA = %1").arg(id)), "10");
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("PRODEJ_CELKEM")).AsString(), "-200");
}

TEST_F(PreviousBuildTest, TheImportTakesItsRowsAndRefusesAUsedLabel)
{
    ASSERT_TRUE(dm->NewItem(cardItem(QStringLiteral("B"))));
    ScriptedSource source({sheetOf({itemRow("A"), itemRow("B"), itemRow("C")})});
    messages.answer(false); // no retry of record 2
    messages.answer(true);  // go on
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 2);
    const auto warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].description, QStringLiteral("Označení položky, řetězec v databázi již existuje"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(OZNACENI, ',' ORDER BY ID_POLOZKA) FROM tab_polozka")),
              QStringLiteral("B,A,C"));
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
