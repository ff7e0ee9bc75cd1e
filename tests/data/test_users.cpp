// Users are login roles in the database's group role; their rights are rows
// keyed by the role's oid.
#include "schema_session.h"

class Users : public DatabaseTest
{
protected:
    int newUser(const QString &role, const QString &password)
    {
        const int id = s->value("SELECT uzivatel_NOVY_UZIVATEL($1, $2)", {role, s->verifier(role, password)}).toInt();
        EXPECT_EQ(s->error(), "") << qPrintable(role);
        return id;
    }
};

TEST_F(Users, NewUserIsAGroupMemberWithEveryRight)
{
    EXPECT_EQ(call("uzivatel_COUNT"), 1); // the owner
    const QString anna = db.roleName("anna");
    const int id = newUser(anna, "Heslo 1");
    EXPECT_EQ(id, s->integer("SELECT oid::integer FROM pg_roles WHERE rolname = $1", {anna}));
    EXPECT_EQ(call("uzivatel_COUNT"), 2);
    EXPECT_EQ(
        s->integer("SELECT count(*) FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = $1 AND STATE_OPRAVNENI", {id}), 71);
    EXPECT_EQ(call("uzivatel_func_USER_EXIST", {anna}), id);
    EXPECT_EQ(call("uzivatel_ID_USER", {anna}), id);
    EXPECT_EQ(call("uzivatel_func_USER_EXIST", {db.name() + "_nikdo"}), 0);
    EXPECT_EQ(text("uzivatel_func_USER", {id}), anna);
    EXPECT_EQ(text("uzivatel_func_USER", {0}), "");
    EXPECT_EQ(text("uzivatel_func_LOGIN_TO_USER", {anna}), anna);
    EXPECT_EQ(text("uzivatel_func_USER_TO_LOGIN", {"postgres_nikdo"}), "");
    EXPECT_EQ(s->value("SELECT concat_ws('|', p_uzivatel, p_skupina, p_login) FROM uzivatel_NACIST_DLE_ID_UZIVATEL($1)",
                       {id}),
              anna + '|' + db.name() + '|' + anna);
    // The new user logs in with the password, works through the group's grants
    // and is the one written into the rows it causes.
    const auto as = db.sessionAs(anna, "Heslo 1");
    EXPECT_EQ(as->value("SELECT uzivatel_func_AKTIVNI_LOGIN() || '|' || uzivatel_func_AKTIVNI_UZIVATEL()"),
              anna + '|' + anna);
    EXPECT_EQ(as->integer("SELECT tab_pokladna_POHYB(11, '0', '0', 100)"), 1);
    EXPECT_EQ(s->value("SELECT UZIVATEL FROM tab_pokladna"), anna);
    EXPECT_EQ(as->integer("SELECT tab_uzivatel_opravneni_OPRAVNENI(5)"), 1);
    s->exec("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI = false WHERE ID_UZIVATEL = $1 AND ID_OPRAVNENI = 5",
            {id});
    EXPECT_EQ(as->integer("SELECT tab_uzivatel_opravneni_OPRAVNENI(5)"), 0);
    s->exec("DELETE FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = $1 AND ID_OPRAVNENI = 6", {id});
    EXPECT_EQ(as->integer("SELECT tab_uzivatel_opravneni_OPRAVNENI(6)"), 0);
    EXPECT_EQ(call("tab_uzivatel_opravneni_OPRAVNENI", {71}), 1); // the owner
}

TEST_F(Users, RefusedNewUsersLeaveNothingBehind)
{
    const QString role = db.roleName("plain");
    s->value("SELECT uzivatel_NOVY_UZIVATEL($1, 'tajne')", {role});
    EXPECT_EQ(s->error(), "50000 Heslo nebylo předáno jako ověřovač SCRAM-SHA-256.");
    s->value("SELECT uzivatel_NOVY_UZIVATEL('', $1)", {s->verifier("x", "y")});
    EXPECT_EQ(s->error(), "50000 Nezadaný uživatel...");
    s->value("SELECT uzivatel_NOVY_UZIVATEL(current_user::varchar, $1)", {s->verifier("x", "y")});
    EXPECT_TRUE(s->error().startsWith("50000 Uživatel \"")) << qPrintable(s->error());
    EXPECT_EQ(s->integer("SELECT count(*) FROM pg_roles WHERE rolname = $1", {role}), 0);
    EXPECT_EQ(call("uzivatel_COUNT"), 1);
    EXPECT_EQ(s->integer("SELECT count(DISTINCT ID_UZIVATEL) FROM tab_uzivatel_opravneni"), 1);
}

TEST_F(Users, NamesAreQuotedNeverExecuted)
{
    const QString odd = db.roleName("x\"; DROP TABLE tab_dph; --");
    const int id = newUser(odd, "a'b\"c");
    EXPECT_GT(id, 0);
    EXPECT_EQ(call("tab_dph_VYCHOZI_ID_DPH"), 3);
    EXPECT_EQ(db.sessionAs(odd, "a'b\"c")->value("SELECT session_user::text"), odd);
}

TEST_F(Users, PasswordChange)
{
    const QString jan = db.roleName("jan");
    const int id = newUser(jan, "staré");
    EXPECT_EQ(s->value("SELECT uzivatel_HESLO_UZIVATEL($1, 'staré', $2)", {jan, s->verifier(jan, "nové")}).toInt(), id);
    EXPECT_TRUE(db.loginWorks(jan, "nové"));
    EXPECT_FALSE(db.loginWorks(jan, "staré"));
    s->value("SELECT uzivatel_HESLO_UZIVATEL($1, '', 'nové')", {jan});
    EXPECT_EQ(s->error(), "50000 Heslo nebylo předáno jako ověřovač SCRAM-SHA-256.");
    // Only users of this database: not some other role of the server.
    s->value("SELECT uzivatel_HESLO_UZIVATEL('postgres', '', $1)", {s->verifier("postgres", "x")});
    EXPECT_EQ(s->error(), "50000 Uživatel \"postgres\" není uživatelem této databáze.");
}

TEST_F(Users, RemovalTakesRightsAndRole)
{
    const QString eva = db.roleName("eva");
    const int id = newUser(eva, "x");
    EXPECT_EQ(call("uzivatel_ODEBRAT_UZIVATELE", {eva}), id);
    EXPECT_EQ(s->integer("SELECT count(*) FROM pg_roles WHERE rolname = $1", {eva}), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = $1", {id}), 0);
    EXPECT_EQ(call("uzivatel_COUNT"), 1);
    s->value("SELECT uzivatel_ODEBRAT_UZIVATELE($1)", {eva});
    EXPECT_TRUE(s->error().startsWith("50000 ")) << qPrintable(s->error());
    s->value("SELECT uzivatel_ODEBRAT_UZIVATELE(current_user::varchar)");
    EXPECT_TRUE(s->error().endsWith("je právě přihlášený...")) << qPrintable(s->error());
    // A login that belongs to another group as well only leaves this database.
    const QString petr = db.roleName("petr");
    const QString other = db.roleName("jina_skupina");
    newUser(petr, "x");
    s->exec(QString("CREATE ROLE \"%1\" NOLOGIN").arg(other));
    s->exec(QString("GRANT \"%1\" TO \"%2\"").arg(other, petr));
    EXPECT_GT(call("uzivatel_ODEBRAT_UZIVATELE", {petr}), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM pg_roles WHERE rolname = $1", {petr}), 1);
    EXPECT_EQ(call("uzivatel_func_USER_EXIST", {petr}), 0);
}

TEST_F(Users, OnlyTheOwnerChangesRights)
{
    const QString petr = db.roleName("petr");
    const int id = newUser(petr, "p");
    auto petrs = db.sessionAs(petr, "p");
    const QString own = QString::number(id);
    petrs->value("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI = false WHERE ID_UZIVATEL = " + own);
    EXPECT_TRUE(petrs->error().startsWith("42501 ")) << qPrintable(petrs->error());
    petrs->value("DELETE FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = " + own);
    EXPECT_TRUE(petrs->error().startsWith("42501 ")) << qPrintable(petrs->error());
    petrs->value("INSERT INTO tab_uzivatel_opravneni (ID_UZIVATEL, ID_OPRAVNENI, STATE_OPRAVNENI) VALUES (" + own +
                 ", 999, true)");
    EXPECT_TRUE(petrs->error().startsWith("42501 ")) << qPrintable(petrs->error());
    // Reading them stays open to everyone; the owner changes them.
    EXPECT_EQ(petrs->integer("SELECT count(*) FROM tab_uzivatel_opravneni WHERE ID_UZIVATEL = " + own), 71);
    s->value("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI = false WHERE ID_OPRAVNENI = 5 AND ID_UZIVATEL = " +
             own);
    EXPECT_EQ(s->error(), "");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_uzivatel_opravneni WHERE STATE_OPRAVNENI AND ID_UZIVATEL = " + own),
              70);
}
