// Users and their rights through the data module.
#include "data/dm_fixture.h"

class DataModuleUsers : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        dm->MSSQLADOQuery_Uzivatel->RefreshQuery();
    }
    // A second program logged in as the user.
    std::unique_ptr<TDM> loginAs(const QString &user, const QString &password)
    {
        auto other = std::make_unique<TDM>();
        if (!other->ConnectServer(server, user, password) || !other->SelectDatabase(TDM::DatabaseName()))
            return nullptr;
        return other;
    }
    QString lastProcedure() const { return dm->MSSQLADOStoredProcedure->StoredProcedure(); }
};

TEST_F(DataModuleUsers, TheOwnerHoldsEveryRightAndNoOther)
{
    EXPECT_TRUE(dm->HasRight(1));
    EXPECT_TRUE(dm->HasRight(71));
    EXPECT_FALSE(dm->HasRight(72)); // no such right, no row
    sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=5");
    EXPECT_FALSE(dm->HasRight(5));
    EXPECT_EQ(dm->UserCount(), 1);
}

TEST_F(DataModuleUsers, EmptyNamesAskNothing)
{
    dm->UserCount();
    EXPECT_FALSE(dm->UserExists(""));
    EXPECT_EQ(lastProcedure(), "uzivatel_COUNT");
    EXPECT_TRUE(dm->UserExists(qEnvironmentVariable("PGUSER")));
    EXPECT_FALSE(dm->UserExists("nikdo_takovy"));
}

TEST_F(DataModuleUsers, ANewUserLogsInWithRightsAndTheListMovesToIt)
{
    const QString anna = roleName("anna");
    ASSERT_TRUE(dm->NewUser(anna, "tajné heslo")) << qPrintable(dm->LastErrorText());
    const qint64 id = currentKey(dm->MSSQLADOQuery_Uzivatel, "ID_UZIVATEL");
    EXPECT_EQ(dm->MSSQLADOQuery_Uzivatel->FieldByName("LOGIN").AsString(), anna);
    EXPECT_EQ(dm->UserCaption(int(id), true), QStringLiteral("Uživatel (%1 (ID: %2))").arg(anna).arg(id));
    EXPECT_EQ(dm->UserCaption(int(id), false), anna);
    // the password never travelled as text
    EXPECT_TRUE(scalar(QStringLiteral("SELECT rolpassword FROM pg_authid WHERE rolname='%1'").arg(anna))
                    .startsWith("SCRAM-SHA-256$"));

    auto asAnna = loginAs(anna, "tajné heslo");
    ASSERT_TRUE(asAnna);
    EXPECT_TRUE(asAnna->HasRight(3));
    sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false "
                       "WHERE ID_OPRAVNENI=3 AND ID_UZIVATEL=%1")
            .arg(id));
    EXPECT_FALSE(asAnna->HasRight(3)); // asked anew at every call
    EXPECT_TRUE(dm->HasRight(3));
}

TEST_F(DataModuleUsers, AFailedNewUserKeepsTheRow)
{
    const QString anna = roleName("anna");
    ASSERT_TRUE(dm->NewUser(anna, "a"));
    dm->MSSQLADOQuery_Uzivatel->First();
    const qint64 before = currentKey(dm->MSSQLADOQuery_Uzivatel, "ID_UZIVATEL");
    EXPECT_FALSE(dm->NewUser(anna, "b"));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Uzivatel, "ID_UZIVATEL"), before);
}

TEST_F(DataModuleUsers, OwnPasswordNeedsTheOldOneAnothersIsSetByTheOwner)
{
    const QString bob = roleName("bob"), eva = roleName("eva");
    ASSERT_TRUE(dm->NewUser(bob, "staré"));
    ASSERT_TRUE(dm->NewUser(eva, "x"));
    // A forgotten password is reset without it.
    ASSERT_TRUE(dm->ChangeUserPassword(bob, "", "nové")) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->MSSQLADOQuery_Uzivatel->FieldByName("LOGIN").AsString(), eva); // the list keeps its row
    EXPECT_FALSE(loginAs(bob, "staré"));

    auto asBob = loginAs(bob, "nové");
    ASSERT_TRUE(asBob);
    EXPECT_FALSE(asBob->ChangeUserPassword(bob, "špatné", "třetí"));
    EXPECT_EQ(asBob->LastErrorText(), "Původní heslo není správné. [50000]");
    ASSERT_TRUE(asBob->ChangeUserPassword(bob, "nové", "třetí")) << qPrintable(asBob->LastErrorText());
    EXPECT_TRUE(loginAs(bob, "třetí"));
    EXPECT_FALSE(asBob->ChangeUserPassword(eva, "", "cizí"));
    EXPECT_EQ(asBob->LastErrorText(),
              "Heslo jiného uživatele smí nastavit pouze vlastník databáze nebo správce serveru. [50000]");
    EXPECT_TRUE(loginAs(eva, "x"));
}

TEST_F(DataModuleUsers, RemovingAUserLandsOnTheRowBefore)
{
    const QString a = roleName("a"), z = roleName("z");
    ASSERT_TRUE(dm->NewUser(a, "x"));
    ASSERT_TRUE(dm->NewUser(z, "x"));
    TMSSQLADOQuery *users = dm->MSSQLADOQuery_Uzivatel;
    const QList<qint64> ids = keys(users, "ID_UZIVATEL");
    ASSERT_EQ(ids.size(), 3);
    ASSERT_TRUE(users->Locate("LOGIN", z));
    const int position = users->RecNo();
    ASSERT_GT(position, 1); // the names sort a before z
    ASSERT_TRUE(dm->RemoveUser(z)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(currentKey(users, "ID_UZIVATEL"), ids.at(position - 2));
    EXPECT_EQ(dm->UserCount(), 2);
    EXPECT_FALSE(dm->RemoveUser(z));
    EXPECT_FALSE(dm->RemoveUser(qEnvironmentVariable("PGUSER"))); // the one logged in
}

// The users screen ticks rights and the units list toggles whole multiples
// in the lists themselves: the rows write back by their keys.
TEST_F(DataModuleUsers, RightsAreTickedInTheList)
{
    TMSSQLADOQuery *rights = dm->MSSQLADOQuery_Opravneni;
    const qint64 owner = currentKey(dm->MSSQLADOQuery_Uzivatel, "ID_UZIVATEL");
    rights->ParamByName("ID_UZIVATEL").SetAsInteger(owner);
    rights->RefreshQuery();
    ASSERT_EQ(rights->RecordCount(), 71);
    ASSERT_TRUE(rights->Locate("ID_OPRAVNENI", 40));
    rights->Edit();
    rights->FieldByName("STATE_OPRAVNENI").SetAsBoolean(false);
    rights->Post();
    EXPECT_FALSE(dm->HasRight(40));
    EXPECT_TRUE(dm->HasRight(41));

    TMSSQLADOQuery *units = dm->MSSQLADOQuery_Jednotka;
    units->RefreshQuery();
    ASSERT_TRUE(units->Locate("JEDNOTKA", "kg"));
    units->Edit();
    units->FieldByName("NASOBNE").SetAsBoolean(true);
    units->Post();
    EXPECT_TRUE(dm->UnitMultiplesOnly(dm->UnitIdByName("kg")));
}
