// The server folds texts as the program does, so its narrowing keeps every
// row the program's test keeps; and a shop database is made, and searched,
// on a server without the trigram extension.
#include "data/dm_fixture.h"
#include "data/mssqladoconnection.h"
#include "data/mssqladoquery.h"
#include "platform/db/caseless.h"
#include "platform/db/connection.h"

#include <QFile>
#include <QTemporaryFile>

namespace {

// Every character Qt's fold changes, and every character that folds to the
// same as another: the classes the server must keep together.
QStringList foldedCharacters()
{
    QStringList characters;
    for (char32_t c = 1; c < 0x110000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = QString::fromUcs4(&c, 1);
        if (Db::CaseFolded(text) != text)
            characters << text << Db::CaseFolded(text);
    }
    characters.removeDuplicates();
    return characters;
}

QByteArray textArray(const QStringList &texts)
{
    QStringList quoted;
    for (QString text : texts)
        quoted << u'"' + text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\"")) + u'"';
    return (u'{' + quoted.join(u',') + u'}').toUtf8();
}

} // namespace

// Each character folds on the server to what the program folds it to, and
// for every pair of characters the program's fold makes equal, a value
// holding one (at a word's end, where the database's lower() looks at the
// place) is found by a search for the other.
TEST_F(DataModuleTest, TheServerFoldsEveryCharacterAsTheProgramDoes)
{
    Db::Connection &connection = dm->MSSQLADOConnection->Connection();
    const Db::Result folded = connection.exec(QStringLiteral(
        "SELECT c, func_HLEDANY_TEXT(chr(c)) FROM generate_series(1, 1114111) c WHERE c NOT BETWEEN 55296 AND 57343"));
    ASSERT_TRUE(folded.succeeded()) << qPrintable(dm->LastErrorText());
    QStringList differ;
    for (int row = 0; row < folded.rowCount(); ++row) {
        const char32_t c = folded.cellText(row, 0).toUInt();
        const QString text = QString::fromUcs4(&c, 1);
        if (folded.cellText(row, 1) != Db::CaseFolded(text))
            differ << QString::number(c, 16);
    }
    EXPECT_TRUE(differ.isEmpty()) << qPrintable(differ.join(u' '));

    const QStringList characters = foldedCharacters();
    QStringList values, patterns;
    for (const QString &a : characters)
        for (const QString &b : characters)
            if (Db::CaseFolded(a) == Db::CaseFolded(b)) {
                values << QStringLiteral("10 Α") + a + QStringLiteral(" F");
                patterns << Db::CaselessContainsPattern(QStringLiteral("Α") + b + u' ');
            }
    const Db::Result missed = connection.exec(
        QStringLiteral("SELECT string_agg(v, ' ') FROM unnest(CAST($1 AS text[]), CAST($2 AS text[])) u(v, p)"
                       " WHERE NOT func_HLEDANY_TEXT(v) LIKE p"),
        {Db::Param{textArray(values), false, 0}, Db::Param{textArray(patterns), false, 0}});
    ASSERT_TRUE(missed.succeeded()) << qPrintable(dm->LastErrorText());
    EXPECT_GT(values.size(), 3000);
    EXPECT_EQ(missed.cellText(0, 0), QString()) << "values not found by their pair";
}

namespace {

// The shop's database made on a server whose trigram extension cannot be
// added: its creation fails as PostgreSQL 15 reports a missing extension
// (feature_not_supported), by an event trigger the script's first batch on
// the new database sets up.
class WithoutTrigramsTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        QFile original(QStringLiteral(":/sql/create_database.sql"));
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        QString script = QString::fromUtf8(original.readAll());
        const qsizetype firstBatch = script.indexOf(QLatin1String("\nGO")) + 3;
        script.insert(firstBatch,
                      QStringLiteral("\nCREATE FUNCTION bez_trgm() RETURNS event_trigger LANGUAGE plpgsql AS $$"
                                     " BEGIN RAISE EXCEPTION USING ERRCODE = 'feature_not_supported',"
                                     " MESSAGE = 'extension \"pg_trgm\" is not available'; END $$;\n"
                                     "CREATE EVENT TRIGGER bez_trgm ON ddl_command_start"
                                     " WHEN TAG IN ('CREATE EXTENSION') EXECUTE FUNCTION bez_trgm();\nGO"));
        ASSERT_TRUE(m_script.open());
        m_script.write(script.toUtf8());
        m_script.flush();
        creationScriptFile = m_script.fileName();
        DataModuleTest::SetUp();
    }
    QTemporaryFile m_script;
};

} // namespace

// The database is made whole, without the indexes, and the item search finds
// in an item's column, a line's column and "Vše" as it does with them.
TEST_F(WithoutTrigramsTest, TheShopIsMadeAndSearchedWithoutTheExtension)
{
    EXPECT_EQ(scalar("SELECT count(*) FROM pg_extension WHERE extname = 'pg_trgm'"), "0");
    EXPECT_EQ(scalar("SELECT count(*) FROM pg_indexes WHERE indexname LIKE 'index_hledat%'"), "0");
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    newItem(QStringLiteral("A1"));
    const int id = newItem(QStringLiteral("Kond. 10 μF"));
    dm->AddOrEditBasketRow(id, 0, Currency::fromInt(1), true);
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, document)) << qPrintable(dm->LastErrorText());
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    for (const char *column : {"OZNACENI", "DETAIL_OZNACENI", ""}) {
        items->First();
        const bool found = *column ? items->FindFirstInField(twin, "ID_POLOZKA", "10 µf", twin->FindField(column))
                                   : items->FindFirstInFields(twin, "ID_POLOZKA", "10 µf");
        EXPECT_TRUE(found) << column << ' ' << qPrintable(dm->LastErrorText());
        EXPECT_EQ(currentKey(items, "ID_POLOZKA"), id) << column;
    }
}

// An owner who is no superuser creates a shop without a warning from the
// server: the grants of the shop's functions do not reach the extension's.
TEST_F(DataModuleTest, AnOwnerCreatesTheShopWithoutWarnings)
{
    const QString owner = roleName(QStringLiteral("majitel"));
    const QString shop = owner + QStringLiteral("_db");
    sql(QStringLiteral("CREATE ROLE %1 LOGIN CREATEDB CREATEROLE PASSWORD 'heslo'").arg(owner));
    TMSSQLADOConnection &script = *dm->MSSQLADOConnection;
    script.SplitScript();
    Db::Connection server, created;
    ASSERT_TRUE(server.open(this->server, QStringLiteral("postgres"), owner, QStringLiteral("heslo")));
    ASSERT_TRUE(server.exec(QString(script.Batches().first()).replace(QStringLiteral("%DATABASE%"), shop)).succeeded());
    ASSERT_TRUE(created.open(this->server, shop, owner, QStringLiteral("heslo")));
    QStringList warnings;
    for (qsizetype i = 1; i < script.Batches().size(); ++i) {
        ASSERT_TRUE(created.exec(script.Batches()[i]).succeeded()) << qPrintable(created.lastErrorText());
        for (const Db::ServerError &warning : created.warnings())
            warnings << warning.message;
    }
    const Db::Result trigrams =
        created.exec(QStringLiteral("SELECT count(*) FROM pg_extension WHERE extname = 'pg_trgm'"));
    EXPECT_EQ(trigrams.cellText(0, 0), QStringLiteral("1"));
    created.close();
    EXPECT_EQ(warnings, QStringList());
    server.exec(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(shop));
    server.exec(QStringLiteral("DROP ROLE %1").arg(shop));
}
