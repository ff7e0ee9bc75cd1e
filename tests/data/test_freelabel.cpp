// The label a new item's card proposes in a store of many numbered items: the
// next proposal starts where the last one ended, labels given up since are
// proposed again, and two tills never wait for each other over it.
#include "schema_session.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <atomic>
#include <thread>

namespace {

class FreeLabel : public DatabaseTest
{
protected:
    void SetUp() override
    {
        // Labels 000001 to 002000 in the first store, made in one statement.
        s->script("INSERT INTO tab_sklad (SKLAD, ID_KATEGORIE) VALUES ('Sklad-02', 1);"
                  "INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA,"
                  " PATH_ID_KATEGORIE, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA,"
                  " MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)"
                  " SELECT 1, 1, 1, 3, 2, '1\\', lpad(i::text, 6, '0'), 'K' || i, 'Položka ' || i, '-', 24, 50,"
                  " 100, 0, 10, 0, 1, true FROM generate_series(1, 2000) i;"
                  "ANALYZE tab_polozka");
        ASSERT_EQ(s->error(), "");
    }
    QString proposal(Session &till, int store = 1)
    {
        const QString label = till.value("SELECT tab_polozka_func_OZNACENI_NEJMENSI_VOLNE($1, 6)", {store});
        EXPECT_EQ(till.error(), "");
        return label;
    }
    int itemLabelled(const QString &label)
    {
        return s->integer("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = $1", {label});
    }
};

} // namespace

TEST_F(FreeLabel, NextProposalDoesNotWalkTheNumbersAgain)
{
    EXPECT_EQ(proposal(*s), "002001");
    // The rows each statement of the proposal read, from the server's plans.
    s->logPlans(true);
    newItem("2001");
    s->clearPlans();
    EXPECT_EQ(proposal(*s), "002002");
    int mostRows = 0;
    const QRegularExpression rows("Scan .*on tab_polozka .*actual time=\\S+ rows=(\\d+)");
    for (auto it = rows.globalMatch(s->plans()); it.hasNext();)
        mostRows = std::max(mostRows, it.next().captured(1).toInt());
    EXPECT_GT(s->plans().count("on tab_polozka"), 0);
    EXPECT_LE(mostRows, 10) << qPrintable(s->plans());
}

TEST_F(FreeLabel, LabelsGivenUpAreProposedAgain)
{
    EXPECT_EQ(proposal(*s), "002001");
    s->value("UPDATE tab_polozka SET STATE_PLATNOST = false WHERE OZNACENI = '000700'");
    EXPECT_EQ(proposal(*s), "000700");
    s->value("UPDATE tab_polozka SET OZNACENI = 'A300' WHERE OZNACENI = '000300'");
    EXPECT_EQ(proposal(*s), "000300");
    s->value("UPDATE tab_polozka SET ID_SKLAD = 2 WHERE OZNACENI = '000100'");
    EXPECT_EQ(proposal(*s), "000100");
    EXPECT_EQ(proposal(*s, 2), "000001");
    call("tab_polozka_ODEBRAT_POLOZKU", {itemLabelled("000050")});
    EXPECT_EQ(proposal(*s), "000050");
    // Taken again, one after another: each proposal goes on to the next gap.
    for (const char *label : {"50", "100", "300"})
        newItem(label);
    EXPECT_EQ(proposal(*s), "000700");
    newItem("700");
    EXPECT_EQ(proposal(*s), "002001");
    EXPECT_EQ(call("tab_polozka_ODEBRAT_POLOZKY", {1}), 1);
    EXPECT_EQ(proposal(*s), "000001");
}

// A till removing an item while another opens a new item's card: neither waits,
// and the label comes free once the removal is committed.
TEST_F(FreeLabel, TwoTillsNeitherWaits)
{
    auto other = db.session();
    s->script("SET statement_timeout = '5s'");
    other->script("SET statement_timeout = '5s'");
    EXPECT_EQ(proposal(*s), "002001");
    other->script("BEGIN");
    other->value("SELECT tab_polozka_ODEBRAT_POLOZKU($1)", {itemLabelled("000042")});
    EXPECT_EQ(other->error(), "");
    EXPECT_EQ(proposal(*s), "002001");
    newItem("2001");
    EXPECT_EQ(proposal(*s), "002002");
    other->script("COMMIT");
    EXPECT_EQ(proposal(*s), "000042");
    EXPECT_EQ(proposal(*other), "000042");
}

// Two items with one number (the settings allow a label twice, and "5" and
// "005" are one number) leave no gap: the walk goes past both, and removing
// one of them does not free the number.
TEST_F(FreeLabel, TwoItemsWithOneNumberAreNoGap)
{
    newItem("000005");
    newItem("7");
    const int twin = newItem("0000000009");
    EXPECT_EQ(proposal(*s), "002001");
    call("tab_polozka_ODEBRAT_POLOZKU", {twin});
    EXPECT_EQ(proposal(*s), "002001");
    call("tab_polozka_ODEBRAT_POLOZKU", {itemLabelled("000009")});
    EXPECT_EQ(proposal(*s), "000009");
}

// Tills adding and removing the item labelled 5 while others propose a label
// over items 1 to 4: each proposal is the smallest free label of one moment,
// 5 or 6, never empty and never a label another till had then.
using FreeLabelAtOnce = DatabaseTest;

TEST_F(FreeLabelAtOnce, ProposalsWhileOtherTillsTakeAndGiveUpALabel)
{
    for (const char *label : {"0001", "0002", "0003", "0004"})
        newItem(label);
    struct Till
    {
        std::unique_ptr<Session> session;
        int calls = 0;
        QStringList wrong; // proposals other than 5 or 6, and errors
    };
    std::vector<Till> giving(2), proposing(3);
    for (Till &till : giving)
        till.session = db.session();
    for (Till &till : proposing)
        till.session = db.session();
    std::atomic<bool> done = false;
    auto give = [&done](Till &till) {
        for (; till.calls < 5000 && !done; ++till.calls) {
            const QString id = till.session->value("SELECT " + newItemCall(), {"0005", "1", "10", "?", "Sklad-01"});
            till.session->value("SELECT tab_polozka_ODEBRAT_POLOZKU($1)", {id});
            if (!till.session->error().isEmpty())
                till.wrong << till.session->error();
        }
    };
    auto propose = [](Till &till) {
        QElapsedTimer timer;
        timer.start();
        for (; till.calls < 20000 && timer.elapsed() < 4000; ++till.calls) {
            const QString label = till.session->value("SELECT tab_polozka_func_OZNACENI_NEJMENSI_VOLNE(1, 4)");
            if (label != "0005" && label != "0006")
                till.wrong << (label.isNull() ? "NULL " + till.session->error() : label);
        }
    };
    std::vector<std::thread> threads;
    for (Till &till : giving)
        threads.emplace_back(give, std::ref(till));
    for (Till &till : proposing)
        threads.emplace_back(propose, std::ref(till));
    for (size_t i = giving.size(); i < threads.size(); ++i)
        threads[i].join();
    done = true;
    for (size_t i = 0; i < giving.size(); ++i)
        threads[i].join();
    for (const Till &till : giving) {
        EXPECT_GT(till.calls, 10);
        EXPECT_EQ(till.wrong, QStringList());
    }
    for (const Till &till : proposing) {
        EXPECT_GT(till.calls, 100);
        EXPECT_EQ(till.wrong, QStringList()) << till.wrong.size() << " of " << till.calls;
    }
}

// A till moves the one free label among 5 and 7 back and forth (5 is taken
// only while 7 is free, so 6 and 8 are never the smallest free label) while
// others propose: each proposal reads the labels given up and the items of
// one moment, so it is 5 or 7. Another store's many labels given up and not
// proposed since make reading the notes take its time.
TEST_F(FreeLabelAtOnce, AProposalReadsTheNotesAndTheItemsOfOneMoment)
{
    for (const char *label : {"0001", "0002", "0003", "0004", "0005", "0006"})
        newItem(label);
    s->exec(
        "INSERT INTO interni.tab_oznaceni_uvolnene (ID_SKLAD, CISLO) SELECT 2, i FROM generate_series(1, 200000) i");
    s->exec("ANALYZE interni.tab_oznaceni_uvolnene");
    std::atomic<bool> done = false;
    auto mover = db.session();
    QStringList moverErrors;
    std::thread moving([&] {
        int five = mover->integer("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '0005'");
        for (int step = 0; step < 20000 && !done; ++step) {
            // A while with 5 taken, so proposals go on from 7; then 5 goes
            // and 7 is taken in quick steps, while a proposal may be reading.
            QThread::msleep(20);
            mover->value("SELECT tab_polozka_ODEBRAT_POLOZKU($1)", {five});
            const QString seven = mover->value("SELECT " + newItemCall(), {"0007", "1", "10", "?", "Sklad-01"});
            QThread::msleep(10);
            mover->value("SELECT tab_polozka_ODEBRAT_POLOZKU($1)", {seven});
            five = mover->value("SELECT " + newItemCall(), {"0005", "1", "10", "?", "Sklad-01"}).toInt();
            if (!mover->error().isEmpty())
                moverErrors << mover->error();
        }
    });
    auto proposer = db.session();
    QStringList wrong;
    QElapsedTimer timer;
    timer.start();
    int calls = 0;
    for (; calls < 2000 && timer.elapsed() < 4000; ++calls) {
        const QString label = proposer->value("SELECT tab_polozka_func_OZNACENI_NEJMENSI_VOLNE(1, 4)");
        if (label != "0005" && label != "0007")
            wrong << (label.isNull() ? "NULL " + proposer->error() : label);
    }
    done = true;
    moving.join();
    EXPECT_EQ(moverErrors, QStringList());
    EXPECT_GT(calls, 20);
    EXPECT_EQ(wrong, QStringList()) << wrong.size() << " of " << calls;
}
