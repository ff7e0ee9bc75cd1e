// The till's server session ends under it (a restarted server, a pulled
// cable): the basket belonged to that session. Wherever the till was, it
// then says that the connection was renewed and which basket lines were
// lost, and shows the basket, store and title the server holds.
#include "app/catalogue/codelists.h"
#include "app/main/mainwindow_fixture.h"
#include "app/main/notebook.h"
#include "app/modal_helper.h"

#include <QCoreApplication>
#include <QThread>

namespace {

// A till whose sale dialog and item card meet the lost session while open.
class LosingTill : public ScriptedTarmil
{
public:
    using ScriptedTarmil::ScriptedTarmil;
    std::function<void()> whileOpen;
    void happen()
    {
        if (auto what = std::exchange(whileOpen, nullptr))
            what();
    }

    bool ShowSaleDialog(TSaleChoice &choice) override
    {
        happen();
        return ScriptedTarmil::ShowSaleDialog(choice);
    }
    bool ShowEditItemDialog(int id, const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write) override
    {
        TDMItem read;
        TDMItemOrigin origin;
        DM->ReadItem(id, read, origin);
        happen();
        return write(read, origin);
    }
};

class LostSession : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        window = std::make_unique<LosingTill>(screens);
        window->messagesSeen = &messages;
        for (const char *mark : {"PILA", "KLADIVO", "SROUB"})
            ids << newItem(QString::fromLatin1(mark));
        dm->RefreshAll();
        window->MenuItem_PageClick(1);
    }
    LosingTill &till() { return static_cast<LosingTill &>(*window); }

    // Three lines: the saw twice.
    void fillBasket()
    {
        ASSERT_TRUE(dm->AddOrEditBasketRow(ids[0], 0, Currency::fromInt(2), true));
        ASSERT_TRUE(dm->AddOrEditBasketRow(ids[1], 0, Currency::fromInt(1), true));
        ASSERT_TRUE(dm->AddOrEditBasketRow(ids[2], 0, Currency::fromInt(5), true));
        ASSERT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 3);
    }
    // Lets the event loop run what waits for the action to end.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
    }
    // The action that met the lost session said so, with the server's text.
    void expectFirstWarning(const QString &heading)
    {
        const MessageCall first = messages.callsOf(MessageCall::Warning).value(0);
        EXPECT_EQ(first.heading, heading);
        EXPECT_EQ(first.detail, QStringLiteral("Oprávnění uživatele nelze ověřit..."));
        EXPECT_FALSE(first.description.isEmpty());
    }
    void expectRenewedWithLostBasket()
    {
        const auto warnings = messages.callsOf(MessageCall::Warning);
        const auto renewed = std::count_if(warnings.begin(), warnings.end(), [](const MessageCall &call) {
            return call.heading == QStringLiteral("Spojení s databázovým serverem bylo obnoveno...");
        });
        ASSERT_EQ(renewed, 1) << qPrintable(headings().join(u'|'));
        const MessageCall &last = warnings.last();
        EXPECT_EQ(last.heading, QStringLiteral("Spojení s databázovým serverem bylo obnoveno..."));
        EXPECT_EQ(last.description, QStringLiteral("KLADIVO Položka KLADIVO × 1 ks\n"
                                                   "PILA Položka PILA × 2 ks\n"
                                                   "SROUB Položka SROUB × 5 ks"));
        // What the till shows is the server's: an empty basket, the store.
        const QString serverBasket =
            scalar(QStringLiteral("SELECT count(*) FROM tab_prodej WHERE ID_PROCESS=%1").arg(modulePid()));
        EXPECT_EQ(QString::number(dm->MSSQLADOQuery_Prodej->RecordCount()), serverBasket);
        EXPECT_TRUE(screens.labels[TSummaryLabel::ProdejStatus].startsWith(serverBasket + " ["))
            << qPrintable(screens.labels[TSummaryLabel::ProdejStatus]);
        EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Sklad: Sklad-01 ")))
            << qPrintable(window->windowTitle());
    }

    QList<int> ids;
};

} // namespace

TEST_F(LostSession, TheTillNamesTheLostBasketAndShowsWhatTheServerHolds)
{
    struct Moment
    {
        const char *name;
        std::function<void()> act;
    };
    const std::vector<Moment> moments{
        {"basket open, refresh twice",
         [&] {
             endModuleSession();
             EXPECT_THROW(window->Action_ObnovitExecute(), Db::DatabaseError);
             settle();
             window->Action_ObnovitExecute();
         }},
        {"basket open, another page and back",
         [&] {
             endModuleSession();
             window->MenuItem_PageClick(0);
             EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Sklad: Sklad-01 ")))
                 << qPrintable(window->windowTitle());
             window->MenuItem_PageClick(1);
         }},
        {"sale dialog open",
         [&] {
             till().whileOpen = [&] { endModuleSession(); };
             till().sales.enqueue(TSaleChoice{});
             const QString documents = scalar(QStringLiteral("SELECT count(*) FROM tab_doklad"));
             window->Action_ProdejProdatExecute();
             expectFirstWarning(QStringLiteral("Funkce prodej za hotové není dostupná..."));
             EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_doklad")), documents);
         }},
        {"item card open",
         [&] {
             till().whileOpen = [&] { endModuleSession(); };
             window->MenuItem_PageClick(0);
             toItem(ids[1]);
             window->Action_PolozkaEditaceExecute();
             window->MenuItem_PageClick(1);
         }},
        {"units list open",
         [&] {
             WhenModal([&](QDialog *dialog) {
                 endModuleSession();
                 static_cast<TForm_Jednotky *>(dialog)->Button_OdebratClick();
                 dialog->reject();
             });
             window->Action_JednotkyExecute();
             expectFirstWarning(QStringLiteral("Funkce odebrat jednotku není dostupná..."));
         }},
    };
    for (const Moment &moment : moments) {
        SCOPED_TRACE(moment.name);
        fillBasket();
        messages.calls.clear();
        moment.act();
        settle();
        expectRenewedWithLostBasket();
        // The next add starts the new basket: the saw once, as the server has it.
        window->MenuItem_PageClick(1);
        toItem(ids[0]);
        window->Action_ProdejPridatExecute();
        EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(MNOZSTVI::float8::text, ',') FROM tab_prodej "
                                        "WHERE ID_PROCESS=%1")
                             .arg(modulePid())),
                  QStringLiteral("1"));
        EXPECT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 1);
        ASSERT_TRUE(dm->RemoveBasketRow(ids[0]));
    }
}
