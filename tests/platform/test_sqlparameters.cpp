#include "platform/db/connection.h"
#include "platform/db/sqlparameters.h"

#include <gtest/gtest.h>

using Db::TranslateParameters;

TEST(SqlParameters, NamesBecomeNumberedPlaceholders)
{
    const auto t = TranslateParameters(
        QStringLiteral("SELECT * FROM tab_polozka WHERE ID_SKLAD=:ID_SKLAD AND PATH LIKE :PATH_ID_KATEGORIE"));
    EXPECT_EQ(t.sql, QStringLiteral("SELECT * FROM tab_polozka WHERE ID_SKLAD=$1 AND PATH LIKE $2"));
    EXPECT_EQ(t.names, (QStringList{"ID_SKLAD", "PATH_ID_KATEGORIE"}));
}

TEST(SqlParameters, RepeatedNameSharesOnePlaceholderWithoutRegardToCase)
{
    const auto t = TranslateParameters(QStringLiteral("a=:Id OR b=:ID OR c=:other"));
    EXPECT_EQ(t.sql, QStringLiteral("a=$1 OR b=$1 OR c=$2"));
    EXPECT_EQ(t.names, (QStringList{"Id", "other"}));
}

TEST(SqlParameters, QuotedTextsCastsAndCommentsAreLeftAlone)
{
    const QString sql =
        QStringLiteral("SELECT ':a', 'it''s :b', \"col:c\", x::integer, E'\\':d', $$ :e $$, $f$:g$f$ -- :h\n"
                       "/* :i /* :j */ :k */ , :real");
    const auto t = TranslateParameters(sql);
    EXPECT_EQ(t.names, QStringList{"real"});
    EXPECT_TRUE(t.sql.endsWith(QStringLiteral(", $1")));
    EXPECT_TRUE(t.sql.contains(QStringLiteral("x::integer")));
    EXPECT_TRUE(t.sql.contains(QStringLiteral("':a'")));
}

TEST(SqlParameters, ColonWithoutNameAndAssignmentStayText)
{
    const auto t = TranslateParameters(QStringLiteral("a[1:2] :=  : x"));
    EXPECT_TRUE(t.names.isEmpty());
    EXPECT_EQ(t.sql, QStringLiteral("a[1:2] :=  : x"));
}

TEST(ServerAddress, HostPortAndSocketFolder)
{
    auto a = Db::ServerAddress::parse(QStringLiteral("shop.local:5433"));
    EXPECT_EQ(a.host, QStringLiteral("shop.local"));
    EXPECT_EQ(a.port, QStringLiteral("5433"));
    a = Db::ServerAddress::parse(QStringLiteral("192.168.1.5"));
    EXPECT_EQ(a.host, QStringLiteral("192.168.1.5"));
    EXPECT_TRUE(a.port.isEmpty());
    a = Db::ServerAddress::parse(QStringLiteral("/var/run/postgresql:5432"));
    EXPECT_EQ(a.host, QStringLiteral("/var/run/postgresql"));
    EXPECT_EQ(a.port, QStringLiteral("5432"));
    a = Db::ServerAddress::parse(QStringLiteral("[::1]:6000"));
    EXPECT_EQ(a.host, QStringLiteral("::1"));
    EXPECT_EQ(a.port, QStringLiteral("6000"));
    a = Db::ServerAddress::parse(QStringLiteral("fe80::1"));
    EXPECT_EQ(a.host, QStringLiteral("fe80::1"));
}

TEST(ServerError, LineCarriesNumberOrState)
{
    EXPECT_EQ((Db::ServerError{"Položka neexistuje  ", "50000"}.line()), QStringLiteral("Položka neexistuje [50000]"));
    EXPECT_EQ((Db::ServerError{"relation \"x\" does not exist", "42P01"}.line()),
              QStringLiteral("relation \"x\" does not exist [42P01]"));
    // A user error says why on lines of its own; the server's own details stay out.
    EXPECT_EQ((Db::ServerError{"Prodej neproběhl...", "50000", "Chybí zboží.\nPoložka [1]: 0 ks\n"}.line()),
              QStringLiteral("Prodej neproběhl... [50000]\nChybí zboží.\nPoložka [1]: 0 ks"));
    EXPECT_EQ((Db::ServerError{"duplicate key", "23505", "Key (id)=(1) already exists."}.line()),
              QStringLiteral("duplicate key [23505]"));
    // The code as the server sent it, leading zeros and all.
    EXPECT_EQ((Db::ServerError{"skipping \"x\"", "01000"}.line()), QStringLiteral("skipping \"x\" [01000]"));
}
