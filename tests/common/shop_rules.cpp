#include "common/shop_rules.h"

#include <utility>
#include <vector>

namespace {

// Each rule: its name and a query giving the rows that break it as one text,
// NULL when none does.
std::vector<std::pair<QString, QString>> rulesOf(const ShopRules &rules)
{
    std::vector<std::pair<QString, QString>> found{
        // Valid or not: a cancellation brings a removed item back.
        {QStringLiteral("the category path of an item is not its category's"),
         QStringLiteral(R"(WITH RECURSIVE c (ID, CESTA) AS (
                SELECT ID_KATEGORIE, ID_KATEGORIE || '\' FROM tab_kategorie WHERE ID_KATEGORIE = 1
                UNION ALL
                SELECT k.ID_KATEGORIE, c.CESTA || k.ID_KATEGORIE || '\' FROM tab_kategorie k JOIN c ON k.ID_NADKATEGORIE = c.ID)
              SELECT count(*) || ' items, e.g. ' || string_agg(x, ', ') FILTER (WHERE n <= 5)
              FROM (SELECT format('%s in %s: %s, not %s', p.ID_POLOZKA, p.ID_KATEGORIE, p.PATH_ID_KATEGORIE,
                                  coalesce(c.CESTA, 'none')) AS x, row_number() OVER (ORDER BY p.ID_POLOZKA) AS n
                    FROM tab_polozka p LEFT JOIN c ON c.ID = p.ID_KATEGORIE
                    WHERE p.PATH_ID_KATEGORIE IS DISTINCT FROM c.CESTA) b
              HAVING count(*) > 0)")},
        {QStringLiteral("a session left a transaction open"),
         QStringLiteral("SELECT string_agg(pid || ' ' || state || ': ' || left(query, 80), '; ') FROM pg_stat_activity "
                        "WHERE datname = current_database() AND pid <> pg_backend_pid() "
                        "AND state LIKE 'idle in transaction%'")},
        {QStringLiteral("a session holds a lock of the shop (a store's, the category paths', a value's)"),
         QStringLiteral("SELECT string_agg(DISTINCT pid || ' ' || mode, '; ') FROM pg_locks "
                        "WHERE locktype = 'advisory' AND pid <> pg_backend_pid() "
                        "AND database = (SELECT oid FROM pg_database WHERE datname = current_database())")},
    };
    if (!rules.cashBookByHand)
        found.push_back({QStringLiteral("the cash book's balance does not follow from the movements"),
                         QStringLiteral("SELECT count(*) || ' movements, from ' || min(ID_POKLADNA) FROM "
                                        "(SELECT ID_POKLADNA, STAV, POHYB, lag(STAV, 1, 0::numeric) "
                                        "OVER (ORDER BY ID_POKLADNA) AS PRED FROM tab_pokladna) x "
                                        "WHERE STAV <> PRED + POHYB HAVING count(*) > 0")});
    if (!rules.basketLinesMayDangle)
        found.push_back(
            {QStringLiteral("a basket line names an item that does not exist"),
             QStringLiteral("SELECT string_agg(ID_PRODEJ || ' of item ' || ID_POLOZKA, ', ') FROM tab_prodej b "
                            "WHERE NOT EXISTS (SELECT FROM tab_polozka p WHERE p.ID_POLOZKA = b.ID_POLOZKA)")});
    for (const auto &[required, column] :
         {std::pair{rules.uniqueLabels, "OZNACENI"}, {rules.uniqueCodes, "KOD"}, {rules.uniqueNames, "POLOZKA"}})
        if (required)
            found.push_back({QStringLiteral("a required %1 is on two valid items of a store").arg(column),
                             QStringLiteral("SELECT string_agg(ID_SKLAD || ':' || v || ' ' || n || 'x', ', ') FROM "
                                            "(SELECT ID_SKLAD, lower(%1) AS v, count(*) AS n FROM tab_polozka "
                                            "WHERE STATE_PLATNOST AND %1 <> '' GROUP BY 1, 2 HAVING count(*) > 1) d")
                                 .arg(column)});
    return found;
}

} // namespace

QStringList ShopRuleBreaches(PGconn *conn, const ShopRules &rules)
{
    QStringList breaches;
    for (const auto &[rule, query] : rulesOf(rules)) {
        PGresult *res = PQexec(conn, query.toUtf8().constData());
        if (PQresultStatus(res) != PGRES_TUPLES_OK)
            breaches << rule + QStringLiteral(": not checked, ") +
                            QString::fromUtf8(PQresultErrorMessage(res)).trimmed();
        else if (PQntuples(res) > 0 && !PQgetisnull(res, 0, 0))
            breaches << rule + QStringLiteral(": ") + QString::fromUtf8(PQgetvalue(res, 0, 0));
        PQclear(res);
    }
    return breaches;
}

QStringList ShopRuleBreaches(const QString &database, const ShopRules &rules)
{
    const QByteArray name = database.toUtf8();
    const char *keys[] = {"dbname", nullptr};
    const char *values[] = {name.constData(), nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    const QStringList breaches =
        PQstatus(conn) == CONNECTION_OK
            ? ShopRuleBreaches(conn, rules)
            : QStringList{QStringLiteral("not checked: ") + QString::fromUtf8(PQerrorMessage(conn)).trimmed()};
    PQfinish(conn);
    return breaches;
}
