// The import beside other tills: it tests a batch's labels, codes and names
// and then writes the batch. A till's card or another import saving one of
// them between the two ends on one item all the same: the write takes the
// card's locks and tests again. Each till is a session of its own, racing.
#include "data/dm_fixture.h"

#include <barrier>
#include <functional>
#include <thread>

namespace {

class ImportBesideTills : public DataModuleTest
{
protected:
    // A one-row batch of the import: the tests of its label, code and name,
    // then its write when they were free. True when the row was stored.
    static bool importRow(TDM &till, const TDMItem &row)
    {
        const std::vector<Variant> answers =
            till.AskImportQuestions(till.IdSklad, {{TDMImportQuestion::Mark, row.OZNACENI, Currency()},
                                                   {TDMImportQuestion::Code, row.KOD, Currency()},
                                                   {TDMImportQuestion::Name, row.POLOZKA, Currency()}});
        for (const Variant &answer : answers)
            if (answer.isNull() || answer.toInt() != 0)
                return false;
        return till.ImportItems({row}) == 1;
    }
    // Each round this session and another till (a data module of its own, in
    // a thread) act on the round's label at once.
    void race(int rounds, const std::function<void(TDM &, const TDMItem &)> &otherTill)
    {
        std::barrier roundStarts(2);
        std::thread other([&] {
            TDM till;
            const bool connected =
                till.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) &&
                till.SelectDatabase(TDM::DatabaseName());
            EXPECT_TRUE(connected) << qPrintable(till.LastErrorText());
            for (int round = 0; round < rounds; ++round) {
                roundStarts.arrive_and_wait();
                if (connected)
                    otherTill(till, itemOf(label(round)));
            }
        });
        for (int round = 0; round < rounds; ++round) {
            roundStarts.arrive_and_wait();
            importRow(*dm, itemOf(label(round)));
        }
        other.join();
    }
    QString label(int round) const { return QStringLiteral("%1-%2").arg(prefix).arg(round, 3, 10, QChar(u'0')); }
    QString prefix;
};

} // namespace

TEST_F(ImportBesideTills, RacingACardOrAnotherImportEachLabelEndsOnOneItem)
{
    constexpr int Rounds = 100;
    shopRules.uniqueLabels = shopRules.uniqueCodes = shopRules.uniqueNames = true;
    prefix = QStringLiteral("K");
    race(Rounds, [](TDM &till, TDMItem card) {
        card.OZNACENI_POVINNE = card.POLOZKA_POVINNE = true;
        till.NewItem(card);
    });
    prefix = QStringLiteral("I");
    race(Rounds, [](TDM &till, const TDMItem &row) { importRow(till, row); });
    EXPECT_EQ(scalar("SELECT count(DISTINCT OZNACENI) || '|' || count(*) FROM tab_polozka"),
              QStringLiteral("%1|%1").arg(2 * Rounds));
}
