// The cash history of a long book at the keyboard: the rows keep coming as
// the list is paged down; Ctrl+End reads the last page from the end and
// Ctrl+Home the first from the start, the rows between only when gone to.
#include "app/sale/pokladna.h"
#include "kit/dbgrid.h"
#include "till_fixture.h"

#include <QAction>
#include <QTimer>

namespace {

using TillCashHistory = TillTest;

TEST_F(TillCashHistory, ALongBookKeepsComingAsItIsPagedDownAndCtrlEndReachesItsLastMovement)
{
    sql(QStringLiteral("INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, "
                       "UZIVATEL, POHYB, STAV) SELECT 1, timestamp '2026-01-01' + i * interval '1 minute', "
                       "'UCT' || i, '-', 'tester', 10, 10 * i FROM generate_series(1, 2000) AS i"));
    const QString last = scalar(QStringLiteral("SELECT max(ID_POKLADNA) FROM tab_pokladna"));
    const QString first = scalar(QStringLiteral("SELECT min(ID_POKLADNA) FROM tab_pokladna"));
    showWindow(0);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        X11::OnGui([&] { QTimer::singleShot(0, window->Action_Pokladna_Historie, &QAction::trigger); });
        auto *history = static_cast<TForm_PokladnaHistorie *>(X11::WaitForModal("TForm_PokladnaHistorie"));
        ASSERT_TRUE(history);
        TMSSQLADOQuery *book = dm->MSSQLADOQuery_Pokladna;
        auto rows = [&] { return X11::OnGui([&] { return history->KxDBGrid->model()->rowCount(); }); };
        EXPECT_EQ(rows(), 300);
        // A key at a time, each taken before the next goes: a busy machine
        // may hold keys back, and the rows read are checked once it took them.
        for (int i = 0; i < 30 && rows() <= 300; ++i) {
            const int row = X11::OnGui([&] { return book->RecNo(); });
            X11::Input().Key("Next");
            X11::WaitUntil([&] { return book->RecNo() > row || history->KxDBGrid->model()->rowCount() > 300; }, 5000);
        }
        EXPECT_TRUE(X11::WaitUntil([&] { return history->KxDBGrid->model()->rowCount() > 300; }))
            << "paging down reads the next page";
        X11::Screenshot(QStringLiteral("CashHistory-paged-down"));
        // The last page is read from the end, the rows between are not.
        X11::Input().Key("ctrl+End");
        EXPECT_TRUE(X11::WaitUntil([&] { return book->FieldByName("ID_POKLADNA").AsString() == last; }));
        EXPECT_EQ(rows(), 300);
        X11::Screenshot(QStringLiteral("CashHistory-end"));
        // Up from the last page's top reads the page before it, in order.
        X11::OnGui([&] { book->SetRecNo(1); });
        X11::Input().Key("Up");
        EXPECT_TRUE(X11::WaitUntil([&] { return history->KxDBGrid->model()->rowCount() == 600; }));
        EXPECT_EQ(X11::OnGui([&] { return book->FieldByName("ID_POKLADNA").AsInteger(); }), last.toInt() - 300);
        X11::Input().Key("ctrl+Home");
        EXPECT_TRUE(X11::WaitUntil([&] { return book->FieldByName("ID_POKLADNA").AsString() == first; }));
        EXPECT_EQ(rows(), 300);
        X11::Input().Key("Escape");
        EXPECT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
    });
}

} // namespace
