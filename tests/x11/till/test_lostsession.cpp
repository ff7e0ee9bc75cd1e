// The till's server session ends (a restarted server, a pulled cable) while
// the cashier works at the keyboard: the failure is told, then that the
// connection was renewed and which basket lines were lost, and the till shows
// the basket the server holds.
#include "app/common/messagewindows.h"
#include "app/sale/prodat.h"
#include "till_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

class TillLostSession : public TillTest
{
protected:
    void SetUp() override
    {
        TillTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char *mark : {"PILA", "KLADIVO"})
            ids << newItem(QString::fromLatin1(mark));
        dm->RefreshAll();
    }
    void fillBasket()
    {
        X11::OnGui([&] {
            ASSERT_TRUE(dm->AddOrEditBasketRow(ids[0], 0, Currency::fromInt(2), true));
            ASSERT_TRUE(dm->AddOrEditBasketRow(ids[1], 0, Currency::fromInt(1), true));
        });
    }
    // The warning shown now: its heading and description; closed with Enter.
    std::pair<QString, QString> takeWarning()
    {
        auto *warning = static_cast<TFormWarning *>(X11::WaitForModal("TFormWarning"));
        EXPECT_TRUE(warning) << "no warning";
        if (!warning)
            return {};
        const auto texts = X11::OnGui(
            [&] { return std::pair(warning->LabelWarning->text(), warning->MemoDescription->toPlainText()); });
        X11::Input().Key("Return");
        EXPECT_TRUE(X11::WaitUntil([&] { return QApplication::activeModalWidget() != warning; }));
        return texts;
    }
    void expectRenewedAndTheServersBasket()
    {
        const auto [heading, lost] = takeWarning();
        EXPECT_EQ(heading, QStringLiteral("Spojení s databázovým serverem bylo obnoveno..."));
        EXPECT_EQ(lost, QStringLiteral("KLADIVO Položka KLADIVO × 1 ks\nPILA Položka PILA × 2 ks"));
        EXPECT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
        EXPECT_EQ(X11::OnGui([&] { return window->KxDBGrid_Prodej->model()->rowCount(); }), 0);
        EXPECT_TRUE(X11::OnGui([&] { return window->windowTitle(); }).contains(QStringLiteral("Sklad: Sklad-01 ")));
    }

    QList<int> ids;
};

} // namespace

TEST_F(TillLostSession, TheCashierIsToldWhatTheLostBasketHeldAtTheBasketAndInTheSaleDialog)
{
    showWindow(1);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        {
            SCOPED_TRACE("basket open: Enter on an item adds it");
            fillBasket();
            endModuleSession();
            X11::OnGui([&] { window->KxDBGrid_PolozkaProdej->setFocus(); });
            ASSERT_TRUE(X11::WaitUntil([&] { return window->KxDBGrid_PolozkaProdej->hasFocus(); }));
            X11::Input().Key("Return");
            const auto [failure, reason] = takeWarning();
            EXPECT_EQ(failure, QStringLiteral("Transakce skončila s chybou..."));
            EXPECT_FALSE(reason.isEmpty());
            expectRenewedAndTheServersBasket();
        }
        {
            SCOPED_TRACE("sale dialog open: the keypad's + sells");
            fillBasket();
            X11::OnGui([&] { window->KxDBGrid_Prodej->setFocus(); });
            X11::Input().Key("KP_Add");
            QWidget *sale = X11::WaitForModal("TForm_Prodat");
            ASSERT_TRUE(sale) << "no sale dialog";
            endModuleSession();
            X11::Input().Key("KP_Add");
            const auto [failure, reason] = takeWarning();
            EXPECT_EQ(failure, QStringLiteral("Funkce prodej za hotové není dostupná..."));
            EXPECT_FALSE(reason.isEmpty());
            expectRenewedAndTheServersBasket();
            EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_doklad")), QStringLiteral("0"));
        }
    });
}

// A scanner's code whose first letter meets the lost session: the notice that
// the connection was renewed opens as the scan goes on. The rest of the scan
// and its Enter do not close it; the notice says which keys it took.
TEST_F(TillLostSession, AScanDoesNotAnswerTheNoticeThatOpensUnderIt)
{
    showWindow(1);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        fillBasket();
        endModuleSession();
        X11::OnGui([&] { window->KxDBGrid_PolozkaProdej->setFocus(); });
        ASSERT_TRUE(X11::WaitUntil([&] { return window->KxDBGrid_PolozkaProdej->hasFocus(); }));
        X11::Input().Type(QStringLiteral("P"), 20);
        X11::OnGui([&] { EXPECT_THROW(dm->HasRight(1), Db::DatabaseError); }); // the letter's statement
        X11::Input().Type(QStringLiteral("ILA"), 20);
        X11::Input().Key("Return");
        X11::Settle(1000);
        auto *notice = static_cast<TFormWarning *>(X11::WaitForModal("TFormWarning", 3000));
        ASSERT_TRUE(notice) << "the notice was closed by the scan";
        EXPECT_EQ(X11::OnGui([&] { return notice->LabelWarning->text(); }),
                  QStringLiteral("Spojení s databázovým serverem bylo obnoveno..."));
        EXPECT_TRUE(X11::OnGui([&] { return notice->LabelTypedAhead->isVisible(); }));
        EXPECT_TRUE(X11::OnGui([&] { return notice->LabelTypedAhead->text(); }).contains(QStringLiteral("↵")));
        X11::Screenshot(QStringLiteral("scan-under-notice"));
        X11::Input().Key("Return");
        EXPECT_TRUE(X11::WaitUntil([&] { return QApplication::activeModalWidget() != notice; }));
    });
}
