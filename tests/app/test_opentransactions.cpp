// An error that leaves an action while its transaction is open: the
// transaction ends, rolled back, and the user is told the action was undone.
// Otherwise other tills would wait on the rows it holds, and this till's
// later writes would go into it, reported as saved and never committed.
#include "app/spreadsheet/itemimport.h"
#include "app/start/appglobals.h"
#include "app/start/tarmilapplication.h"
#include "data/dm_fixture.h"
#include "importsheet.h"

#include <QCoreApplication>
#include <QEvent>

#include <stdexcept>

namespace {

// A sheet whose reading fails at a row as a broken workbook's would.
class FailingSource : public ScriptedSource
{
public:
    using ScriptedSource::ScriptedSource;
    Variant Cell(int row, int column) const override
    {
        if (row == failingRow)
            throw std::runtime_error("Buňku nelze přečíst.");
        return ScriptedSource::Cell(row, column);
    }
    int failingRow = 0;
};

// An action that begins a transaction, saves a card and sells, then fails.
class FailingAction : public QObject
{
public:
    explicit FailingAction(std::function<void()> work)
        : m_work(std::move(work))
    {}
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_work();
        throw std::runtime_error("Akce selhala.");
    }

private:
    std::function<void()> m_work;
};

class OpenTransactionsTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        SetAppGlobals();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }
    // What another till sees of the items and documents.
    QString seen()
    {
        return scalar("SELECT (SELECT string_agg(OZNACENI, ',' ORDER BY OZNACENI) FROM tab_polozka "
                      "WHERE STATE_PLATNOST) || '|' || (SELECT count(*) FROM tab_doklad)");
    }
};

} // namespace

TEST_F(OpenTransactionsTest, AnErrorLeavingAnImportRowASaleOrACardSaveUndoesItsTransaction)
{
    const int old = newItem(QStringLiteral("OLD"));

    // A replace-all import whose row reading fails: its removal and rows are undone.
    QList<ImportRowCells> rows;
    for (int n = 1; n <= 700; ++n)
        rows << itemRow(QStringLiteral("R%1").arg(n));
    FailingSource source({sheetOf(rows)});
    source.failingRow = 600;
    messages.answer(true); // remove the store's items
    EXPECT_EQ(ItemImport(*dm, source).Run(true).imported, 0);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).value(0);
    EXPECT_EQ(warning.heading + u' ' + warning.detail + u' ' + warning.description,
              QStringLiteral("Transakce skončila s chybou... Import položek neproběhl, odebrání i importované položky "
                             "byly vráceny... Buňku nelze přečíst."));
    EXPECT_EQ(seen(), QStringLiteral("OLD|0"));

    // An action that saved a card and sold in its transaction, then failed.
    FailingAction action([&] {
        dm->BeginTransaction();
        EXPECT_TRUE(dm->NewItem(itemOf(QStringLiteral("CARD")))) << qPrintable(dm->LastErrorText());
        EXPECT_TRUE(dm->AddOrEditBasketRow(old, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
        int sale = 0;
        EXPECT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, sale)) << qPrintable(dm->LastErrorText());
    });
    QEvent event(QEvent::User);
    EXPECT_FALSE(DeliverGuarded([&] { return QCoreApplication::sendEvent(&action, &event); }));
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().detail,
              QStringLiteral("Akce nebyla dokončena, její změny v databázi byly vráceny, program pokračuje dál..."));
    EXPECT_EQ(seen(), QStringLiteral("OLD|0"));

    // This till's later writes are committed, seen by the others.
    EXPECT_TRUE(dm->NewItem(itemOf(QStringLiteral("LATER")))) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(seen(), QStringLiteral("LATER,OLD|0"));
}
