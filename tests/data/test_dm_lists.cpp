// The lists' summary labels and the stored sort orders and filters.
#include "data/dm_fixture.h"

#include "data/dmquerydefs.h"
#include "kit/formstorage.h"
#include "platform/inifile.h"

namespace {

QString parameterValue(TMSSQLADOQuery *query, const QString &name)
{
    const TFormatParameter *p = query->FormatParameters().FindParameter(name);
    return p ? p->Value() : QStringLiteral("<none>");
}

void setParameter(TMSSQLADOQuery *query, const QString &name, const QString &value)
{
    query->FormatParameters().FindParameter(name)->SetFormatParameterValue(value);
}

} // namespace

class DataModuleLists : public DataModuleTest
{
protected:
    // A module as the next start of the program makes it: created, its
    // stored list settings restored, logged in, lists opened.
    void restart()
    {
        dm->FormStorage->FormPlacementSave();
        startAgain();
    }
    void startAgain()
    {
        dm = std::make_unique<TDM>();
        dm->FormStorage->FormPlacementRestore();
        ASSERT_TRUE(dm->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
        ASSERT_TRUE(dm->SelectDatabase(TDM::DatabaseName()));
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }
    // Writes a value straight into the settings file, as a hand edit would.
    void editStored(const QString &query, int item, const QString &value)
    {
        IniFile ini(QStringLiteral("Tarmil5.ini"));
        const QString section = QStringLiteral("DM.%1_FormatParameters").arg(query);
        ASSERT_TRUE(ini.valueExists(section, QStringLiteral("Item%1_Value").arg(item))) << qPrintable(section);
        ini.writeString(section, QStringLiteral("Item%1_Value").arg(item), value);
    }
};

TEST_F(DataModuleLists, EmptyListsGiveZeroLabels)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    dm->UpdateCashLabel();
    EXPECT_EQ(screens.labels[TSummaryLabel::Sklad], "Sklad-01 [ položek: 0, celkem: 0,00 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], "0 [ celkem: 0,00 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Doklady], "0 [ celkem: 0,00 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Prodeje], "Celkem: 0,00 Kč [ za hotové: 0,00 Kč, na fakturu: 0,00 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Zisk], "0,00 Kč");
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "0,00 Kč");
}

TEST_F(DataModuleLists, LabelsFollowTheListedRows)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int item = newItem("0001", Currency::fromInt(10), Currency::fromString(u"99.60"));
    EXPECT_EQ(screens.labels[TSummaryLabel::Sklad], "Sklad-01 [ položek: 1, celkem: 498,00 Kč ]");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 10, Currency::fromInt(2), true));
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], "1 [ celkem: 179,28 Kč ]");
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, "-", 5, document)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(screens.labels[TSummaryLabel::Doklady], "1 [ celkem: 99,60 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Prodeje],
              "Celkem: 170,00 Kč [ za hotové: 170,00 Kč, na fakturu: 0,00 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Zisk], "70,40 Kč");
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "170,00 Kč");
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], "0 [ celkem: 0,00 Kč ]");

    ASSERT_TRUE(dm->CancelDocument(document));
    setParameter(dm->MSSQLADOQuery_Doklad, "%WHERE_FILTER", "tab_historie.ID_OPERACE BETWEEN 4 AND 6");
    dm->MSSQLADOQuery_Doklad->RefreshQuery();
    EXPECT_EQ(screens.labels[TSummaryLabel::Doklady], "1 [ celkem: -99,60 Kč ]");
    EXPECT_EQ(screens.labels[TSummaryLabel::Zisk], "-70,40 Kč");
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "0,00 Kč");
}

TEST_F(DataModuleLists, SortAndFilterSurviveARestart)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    newItem("0002");
    newItem("0001");
    newItem("0003");
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    items->SortByColumn("ID_POLOZKA", &items->FieldByName("KOD"), "%ORDER_BY");
    items->SortByColumn("ID_POLOZKA", &items->FieldByName("KOD"), "%ORDER_BY");
    setParameter(items, "%WHERE_FILTER", "tab_polozka.KOD<>'0002'");
    items->RefreshQuery();
    restart();
    items = dm->MSSQLADOQuery_Polozka;
    EXPECT_EQ(parameterValue(items, "%ORDER_BY"), "tab_polozka.KOD DESC");
    EXPECT_EQ(parameterValue(items, "%WHERE_FILTER"), "tab_polozka.KOD<>'0002'");
    QStringList marks;
    for (qint64 id : keys(items, "ID_POLOZKA"))
        marks << dm->ItemMark(int(id));
    EXPECT_EQ(marks, (QStringList{"0003", "0001"}));
}

TEST_F(DataModuleLists, StoredValuesThatAreNoSortOrFilterGiveWayToDefaults)
{
    dm->FormStorage->FormPlacementSave();
    editStored("MSSQLADOQuery_Polozka", 0, "1=1) OR (1=1"); // leaves its parentheses
    editStored("MSSQLADOQuery_Polozka", 1, "tab_polozka.OZNACENI; DROP TABLE tab_sklad");
    editStored("MSSQLADOQuery_Doklad", 0, "1=1; DELETE FROM tab_doklad"); // a second statement
    editStored("MSSQLADOQuery_Jednotka", 0, "tab_jednotka.NEZNAMY DESC"); // not a column of the list
    editStored("MSSQLADOQuery_Kontakt", 0, "tab_kontakt.IC DESC");        // a column of the list
    dm = std::make_unique<TDM>();
    dm->FormStorage->FormPlacementRestore();
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Polozka, "%WHERE_FILTER"), "1=1");
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Polozka, "%ORDER_BY"), "tab_polozka.OZNACENI");
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Doklad, "%WHERE_FILTER"),
              FindQueryDef("MSSQLADOQuery_Doklad")->defaultValue("%WHERE_FILTER"));
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Jednotka, "%ORDER_BY"), "tab_jednotka.JEDNOTKA");
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Kontakt, "%ORDER_BY"), "tab_kontakt.IC DESC");
}

TEST_F(DataModuleLists, AStoredFilterTheServerRefusesIsDroppedWithAWarning)
{
    dm->FormStorage->FormPlacementSave();
    editStored("MSSQLADOQuery_Polozka", 0, "tab_polozka.NEEXISTUJE = 1");
    startAgain();
    EXPECT_EQ(parameterValue(dm->MSSQLADOQuery_Polozka, "%WHERE_FILTER"), "1=1");
    EXPECT_TRUE(dm->MSSQLADOQuery_Polozka->Active());
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().heading,
              "Uložený filtr nebo řazení seznamu nelze použít...");
    // the next start finds the default in the file and opens without a word
    restart();
    EXPECT_EQ(messages.count(MessageCall::Warning), 1);
}

TEST_F(DataModuleLists, DocumentsOfOneSecondListInTheOrderTheyWereMade)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int item = newItem("1", Currency::fromInt(100));
    // Made in two seconds of today, taking turns.
    QList<qint64> even, odd;
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true));
        int document = 0;
        ASSERT_TRUE(dm->SellBasket(1 + i % 3, false, QStringLiteral("-"), 0, document));
        (document % 2 ? odd : even) << document;
    }
    sql("UPDATE tab_historie SET TIME = date_trunc('day', LOCALTIMESTAMP) + interval '12:00:00' "
        "+ (ID_DOKLAD % 2) * interval '1 second' WHERE ID_DOKLAD > 0");
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    dm->RequeryDocuments();
    EXPECT_EQ(keys(documents, "ID_DOKLAD"), even + odd);
    documents->SortByColumn("ID_DOKLAD", &documents->FieldByName("CAS"), "%ORDER_BY");
    ASSERT_EQ(parameterValue(documents, "%ORDER_BY"), "CAS DESC");
    EXPECT_EQ(keys(documents, "ID_DOKLAD"), odd + even);
}
