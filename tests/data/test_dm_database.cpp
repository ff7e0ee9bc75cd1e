#include "data/dm_fixture.h"

#include "data/dmprocedures.h"
#include "data/dmquerydefs.h"
#include "kit/formstorage.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using DataModuleDatabase = DataModuleTest;

TEST_F(DataModuleDatabase, CreatedThroughTheProgramPathAndSelected)
{
    EXPECT_EQ(dm->DatabasePresence(), TDatabasePresence::Exists);
    EXPECT_TRUE(dm->DatabaseExists());
    EXPECT_EQ(dm->IdSklad, 1);
    EXPECT_EQ(dm->MSSQLADOConnection->Connection().database(), database);
    EXPECT_EQ(messages.count(MessageCall::Wait), 1);
    EXPECT_EQ(messages.calls.first().heading, "Probíhá vytváření databáze...");
}

TEST_F(DataModuleDatabase, EveryQueryOpens)
{
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    for (TMSSQLADOQuery *query : dm->Queries()) {
        if (query == dm->MSSQLADOQuery_SQL)
            continue;
        const TDMQueryDef *def = FindQueryDef(query->objectName());
        ASSERT_TRUE(def);
        if (!query->Active()) {
            if (query->FindParam("ID_UZIVATEL"))
                query->ParamByName("ID_UZIVATEL").SetAsInteger(10);
            if (def->placeholders.empty())
                EXPECT_NO_THROW(query->Open()) << qPrintable(def->component) << qPrintable(dm->LastErrorText());
            else
                EXPECT_NO_THROW(query->RefreshQuery()) << qPrintable(def->component) << qPrintable(dm->LastErrorText());
        }
        EXPECT_TRUE(query->Active()) << qPrintable(def->component);
        // A twin that finds on the server lists the keys of what it found;
        // its other fields are the columns a search offers.
        for (const TDMFieldDef &field : def->fields) {
            if (!query->SearchDecides || field.name == def->keyField) {
                EXPECT_TRUE(query->FindField(field.name) && query->FindField(field.name)->IsBound())
                    << qPrintable(def->component) << "." << qPrintable(field.name);
            }
        }
    }
    EXPECT_EQ(dm->MSSQLADOQuery_Sestava->RecordCount(), 9);
    EXPECT_EQ(dm->MSSQLADOQuery_PrihlaseniUzivatele->RecordCount(), 1); // this session
}

TEST_F(DataModuleDatabase, BackupFileNameOfTheServerAndDatabase)
{
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(TDM::BackupFileNameAt("SHOP\\SQLEXPRESS", "tarmil5", when),
              "2024-03-05_14-07-09_SHOP_SQLEXPRESS_tarmil5.bak");
    EXPECT_EQ(TDM::BackupFileNameAt("SHOP", "tarmil5", when), "2024-03-05_14-07-09_SHOP_tarmil5.bak");
    EXPECT_EQ(TDM::BackupFileNameAt("A\\B\\C", "x", when), "2024-03-05_14-07-09_A_B_C_x.bak");
    // a socket folder and a port never make folders of the file name
    EXPECT_EQ(TDM::BackupFileNameAt("/run/pg:5433", "x", when), "2024-03-05_14-07-09__run_pg_5433_x.bak");
}

TEST_F(DataModuleDatabase, MaintenanceRunsUnderTheWaitWindow)
{
    EXPECT_TRUE(dm->ReindexAllTables()) << qPrintable(dm->LastErrorText());
    EXPECT_TRUE(dm->TruncateTransactionLog()) << qPrintable(dm->LastErrorText());
    EXPECT_TRUE(dm->ShrinkTarmilDatabase()) << qPrintable(dm->LastErrorText());
    QStringList texts;
    for (const MessageCall &call : messages.callsOf(MessageCall::Wait))
        texts << call.heading;
    EXPECT_EQ(texts, (QStringList{"Probíhá vytváření databáze...", "Probíhá reindexace databáze...",
                                  "Zkrácení transakčního logu...", "Zkrácení databáze..."}));
    EXPECT_FALSE(messages.waitShown());
}

TEST_F(DataModuleDatabase, BackupIsVerifiedAndRestoresTheData)
{
    const QString file = QDir::temp().filePath(database + ".bak");
    ASSERT_TRUE(dm->NewStore("Pobočka", 1)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->BackupAndVerify(file)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->RemoveStore(dm->StoreIdByName("Pobočka")));
    dm->MSSQLADOConnection->Connection().close();
    ASSERT_TRUE(dm->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
    ASSERT_TRUE(dm->RestoreFromFile(file)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->SelectDatabase(TDM::DatabaseName()));
    EXPECT_NE(dm->StoreIdByName("Pobočka"), 0);
    QFile::remove(file);
}

TEST_F(DataModuleDatabase, BackupOfAMissingFolderFailsWithoutVerifying)
{
    EXPECT_FALSE(dm->BackupAndVerify("/nonexistent-folder/x.bak"));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
}

TEST_F(DataModuleDatabase, OpeningStopsAtTheFirstListThatFails)
{
    shopRules.basketLinesMayDangle = true; // the basket's table is gone
    sql("ALTER TABLE tab_prodej RENAME TO tab_prodej_x");
    EXPECT_FALSE(dm->OpenAllQueries());
    EXPECT_FALSE(dm->MSSQLADOQuery_Polozka->Active());
    EXPECT_FALSE(dm->MSSQLADOQuery_Doklad->Active());
}

TEST_F(DataModuleDatabase, CategoryPathListsTheSubtree)
{
    int food = 0, milk = 0, tools = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Potraviny", "-", food));
    ASSERT_TRUE(dm->NewCategory(food, "Mléčné", "-", milk));
    ASSERT_TRUE(dm->NewCategory(1, "Nářadí", "-", tools));
    ASSERT_TRUE(dm->OpenAllQueries());
    newItem("0001", Currency::fromInt(1), Currency::fromInt(10), "?\\Potraviny");
    newItem("0002", Currency::fromInt(1), Currency::fromInt(10), "?\\Potraviny\\Mléčné");
    newItem("0003", Currency::fromInt(1), Currency::fromInt(10), "?\\Nářadí");
    dm->SetCategoryPath(QStringLiteral("1\\%1\\").arg(food));
    QStringList marks;
    for (qint64 id : keys(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"))
        marks << dm->ItemMark(int(id));
    EXPECT_EQ(marks, (QStringList{"0001", "0002"}));
    dm->SetCategoryPath("1\\");
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 3);
}

TEST_F(DataModuleDatabase, TransactionsCommitOrRollBack)
{
    dm->BeginTransaction();
    ASSERT_TRUE(dm->NewStore("Dočasný", 1));
    EXPECT_FALSE(dm->NewStore("Dočasný", 1)); // refused under a savepoint: the transaction goes on
    EXPECT_FALSE(dm->EndTransaction(false));
    EXPECT_EQ(dm->StoreIdByName("Dočasný"), 0);
    dm->BeginTransaction();
    ASSERT_TRUE(dm->NewStore("Trvalý", 1));
    EXPECT_FALSE(dm->NewStore("Trvalý", 1));
    EXPECT_TRUE(dm->EndTransaction(true));
    EXPECT_NE(dm->StoreIdByName("Trvalý"), 0);
}

// Every column a list defines can sort it, both ways (the lists with
// DISTINCT accept only sort keys among their columns).
TEST_F(DataModuleDatabase, EveryListSortsByEachOfItsColumns)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    for (const TDMQueryDef &def : DataModuleQueries()) {
        TMSSQLADOQuery *query = dm->QueryByName(def.component);
        if (!def.defaultValue("%ORDER_BY").size())
            continue;
        if (query->FindParam("ID_UZIVATEL"))
            query->ParamByName("ID_UZIVATEL").SetAsInteger(10);
        if (!query->Active())
            query->RefreshQuery();
        for (const TDMFieldDef &field : def.fields) {
            for (int click = 0; click < 2; ++click) {
                EXPECT_NO_THROW(query->SortByColumn(def.keyField, &query->FieldByName(field.name), "%ORDER_BY"))
                    << qPrintable(def.component) << "." << qPrintable(field.name) << " "
                    << qPrintable(dm->LastErrorText());
                EXPECT_TRUE(IsKnownSortOrder(def, query->FormatParameters().FindParameter("%ORDER_BY")->Value()));
            }
            EXPECT_EQ(query->SortState(&query->FieldByName(field.name)), 2);
        }
    }
}

TEST_F(DataModuleDatabase, RefreshAllComesBackToEachListsRow)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int a = newItem("0001");
    newItem("0002");
    ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->Locate("ID_POLOZKA", a));
    sql("UPDATE tab_polozka SET POLOZKA = 'Změněná' WHERE OZNACENI = '0001'");
    dm->RefreshAll();
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), a);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("POLOZKA").AsString(), "Změněná");
    EXPECT_EQ(messages.callsOf(MessageCall::Wait).last().heading, "Refresh databáze...");
    EXPECT_FALSE(messages.waitShown());
}

// The module's lists, their definitions and the settings file's order are
// one list: a definition without a member, a member out of order, a place
// in the settings file given twice or skipped are found.
TEST_F(DataModuleDatabase, QueryMembersAndDefinitionsAreOneList)
{
    EXPECT_EQ(TDM::QueryListProblems(TDM::QueryMemberNames(), DataModuleQueries()), QStringList());
    QStringList names;
    for (TMSSQLADOQuery *query : dm->Queries())
        names << query->objectName();
    EXPECT_EQ(names, TDM::QueryMemberNames());
    EXPECT_EQ(dm->QueryByName("MSSQLADOQuery_Prodej"), dm->MSSQLADOQuery_Prodej);
    EXPECT_EQ(dm->FormStorage->StoredProps().join(' ').replace(".FormatParameters", "").replace("MSSQLADOQuery_", ""),
              "Polozka PolozkaHistorie Prodej Doklad DokladDetail Dph Filtr Jednotka Kontakt Opravneni "
              "OznaceniDoklad Pokladna Sestava Sklad Uzivatel");

    QStringList members = TDM::QueryMemberNames();
    std::vector<TDMQueryDef> defs = DataModuleQueries();
    members.swapItemsAt(0, 1);
    members.removeLast();
    defs[1].iniPosition = defs[0].iniPosition;
    EXPECT_EQ(TDM::QueryListProblems(members, defs),
              QStringList({"list 1: member MSSQLADOQuery_Opravneni, definition MSSQLADOQuery_Uzivatel",
                           "list 2: member MSSQLADOQuery_Uzivatel, definition MSSQLADOQuery_Opravneni",
                           "list 20: member (none), definition MSSQLADOQuery_PrihlaseniUzivatele",
                           "settings file place 10 is not given", "settings file place 15 is given 2 times"}));
}

// Every procedure name the module calls is one the creation script makes.
TEST_F(DataModuleDatabase, EveryProcedureTheModuleCallsExists)
{
    ASSERT_GT(DMProc::All().size(), 100);
    for (const QString &name : DMProc::All()) {
        dm->MSSQLADOStoredProcedure->SetStoredProcedure(name);
        EXPECT_FALSE(dm->MSSQLADOStoredProcedure->Parameters().empty()) << qPrintable(name);
    }
}
