// Two shops on one server: each shop's database lets in its own users and its
// owner, and no user of the other shop, also after a restore from a backup.
#include "data/mssqladoconnection.h"
#include "schema_session.h"

#include <QTemporaryDir>

namespace {

class TwoShops : public ::testing::Test
{
protected:
    SchemaDatabase a, b;
    std::unique_ptr<Session> ownerA = a.session(), ownerB = b.session();

    // A user made by the shop's own procedure, as its users screen makes one.
    static QString newUser(SchemaDatabase &shop, Session &owner, const QString &suffix)
    {
        const QString role = shop.roleName(suffix);
        owner.value("SELECT uzivatel_NOVY_UZIVATEL($1, $2)", {role, owner.verifier(role, "heslo")});
        EXPECT_EQ(owner.error(), "");
        return role;
    }
};

} // namespace

TEST_F(TwoShops, AUserLogsInToHisOwnShopsDatabaseOnly)
{
    const QString petr = newUser(a, *ownerA, "petr");
    const QString jana = newUser(b, *ownerB, "jana");
    EXPECT_TRUE(a.loginWorks(petr, "heslo"));
    EXPECT_FALSE(b.loginWorks(petr, "heslo"));
    EXPECT_TRUE(b.loginWorks(jana, "heslo"));
    EXPECT_FALSE(a.loginWorks(jana, "heslo"));
    EXPECT_EQ(ownerB->value("SELECT has_database_privilege($1, current_database(), 'CONNECT')", {petr}), "f");
    // A user made later logs in to his shop, and only there.
    const QString pavel = newUser(a, *ownerA, "pavel");
    EXPECT_TRUE(a.loginWorks(pavel, "heslo"));
    EXPECT_FALSE(b.loginWorks(pavel, "heslo"));
}

// The restore makes the database anew: its users come back in with it, the
// other shop's users stay out, and its settings are those of a new database.
TEST_F(TwoShops, ARestoredDatabaseLetsInItsOwnUsersOnly)
{
    const QString petr = newUser(a, *ownerA, "petr");
    const QString jana = newUser(b, *ownerB, "jana");
    QTemporaryDir home, folder;
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    const QString file = folder.filePath(QStringLiteral("zaloha.bak"));
    {
        TMSSQLADOConnection tarmil;
        ASSERT_TRUE(tarmil.ConnectDatabase(qEnvironmentVariable("TARMIL5_TEST_SERVER"), a.name(), TestDatabase::user(),
                                           TestDatabase::password()))
            << qPrintable(tarmil.LastErrorText());
        ASSERT_TRUE(tarmil.BackupDatabase(a.name(), file)) << qPrintable(tarmil.LastErrorText());
        ASSERT_TRUE(tarmil.RestoreDatabase(a.name(), file)) << qPrintable(tarmil.LastErrorText());
    }
    EXPECT_TRUE(a.loginWorks(petr, "heslo"));
    EXPECT_FALSE(a.loginWorks(jana, "heslo"));
    // The restore ended the sessions of the old database.
    ownerA = a.session();
    EXPECT_EQ(ownerA->value("SHOW jit"), "off");
    const QString pavel = newUser(a, *ownerA, "pavel");
    EXPECT_TRUE(a.loginWorks(pavel, "heslo"));
    EXPECT_FALSE(b.loginWorks(pavel, "heslo"));
}
