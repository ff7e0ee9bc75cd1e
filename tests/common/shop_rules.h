#pragma once
// The shop's rules of its data, written once: the tests with several tills,
// the import, sale and category tests and the soak benchmark check them after
// the fact, whatever the interleaving that led there.
#include <QString>
#include <QStringList>

#include <libpq-fe.h>

struct ShopRules
{
    // The values the settings require unique among a store's valid items.
    bool uniqueLabels = false;
    bool uniqueCodes = false;
    bool uniqueNames = false;
    // Where a test itself writes rows by hand that the program never would
    // (an item deleted under a basket line, a cash book filled by SQL, a
    // table dropped), the rule of those rows is not checked.
    bool basketLinesMayDangle = false;
    bool cashBookByHand = false;
};

// Each broken rule as a line naming it and the rows that break it (empty
// when the data keeps every rule), read on the given session; the sessions
// left with a transaction open or a lock of the shop are the others.
QStringList ShopRuleBreaches(PGconn *conn, const ShopRules &rules = {});
// The same on a session of its own of the database (the PG* variables).
QStringList ShopRuleBreaches(const QString &database, const ShopRules &rules = {});
