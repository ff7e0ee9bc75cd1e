// Catalogue operations: the list writes keep the list's row, the name tests,
// lookups and captions, and the item writes in their transactions.
#include "data/dm_fixture.h"

class DataModuleCatalogue : public DataModuleTest
{
protected:
    QString currentUnit() { return dm->MSSQLADOQuery_Jednotka->FieldByName("JEDNOTKA").AsString(); }
};

TEST_F(DataModuleCatalogue, UnitWritesKeepTheListsRow)
{
    TMSSQLADOQuery *units = dm->MSSQLADOQuery_Jednotka;
    units->RefreshQuery(); // -, h, kg, ks, l, m
    ASSERT_TRUE(units->Locate("JEDNOTKA", "kg"));

    ASSERT_TRUE(dm->NewUnit("bal", "balení", Currency::fromInt(1))) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(currentUnit(), "bal");
    const int bal = int(currentKey(units, "ID_JEDNOTKA"));

    ASSERT_TRUE(dm->EditUnit(bal, "bal", "balík", Currency::fromString(u"0.5")));
    EXPECT_EQ(currentUnit(), "bal");
    EXPECT_EQ(units->FieldByName("SPECIFIKACE").AsString(), "balík");
    EXPECT_EQ(units->FieldByName("MINIMUM").DisplayText(), "0,5");
    EXPECT_EQ(dm->UnitMinimum(bal), Currency::fromString(u"0.5"));

    ASSERT_TRUE(dm->SetDefaultUnit(bal));
    EXPECT_EQ(currentUnit(), "bal");
    EXPECT_EQ(dm->DefaultUnitName(), "bal");
    EXPECT_FALSE(dm->SetDefaultUnit(bal)); // already the default
    EXPECT_EQ(currentUnit(), "bal");

    ASSERT_TRUE(units->Locate("JEDNOTKA", "ks"));
    EXPECT_FALSE(dm->NewUnit("KG", "jiný kilogram", Currency::fromInt(1))); // names ignore case
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_EQ(currentUnit(), "ks");

    ASSERT_TRUE(units->Locate("JEDNOTKA", "bal"));
    ASSERT_TRUE(dm->RemoveUnit(bal));
    EXPECT_EQ(currentUnit(), "-"); // the row before it
}

TEST_F(DataModuleCatalogue, UnitMinimumLosesTheSinglePrecisionNoise)
{
    EXPECT_EQ(dm->UnitMinimum(dm->UnitIdByName("m")), Currency::fromString(u"0.1"));
    EXPECT_EQ(dm->UnitMinimum(dm->UnitIdByName("l")), Currency::fromString(u"0.02"));
    EXPECT_EQ(dm->UnitMinimum(dm->UnitIdByName("kg")), Currency::fromString(u"0.001"));
    EXPECT_FALSE(dm->UnitMultiplesOnly(dm->UnitIdByName("kg")));
    EXPECT_TRUE(dm->UnitMultiplesOnly(dm->UnitIdByName("ks")));
}

TEST_F(DataModuleCatalogue, RemovingAStoreLandsOnTheRowBefore)
{
    TMSSQLADOQuery *stores = dm->MSSQLADOQuery_Sklad;
    stores->RefreshQuery();
    ASSERT_TRUE(dm->NewStore("Sklad-02", 1));
    ASSERT_TRUE(dm->NewStore("Sklad-03", 1));
    EXPECT_EQ(stores->FieldByName("SKLAD").AsString(), "Sklad-03");
    const int second = dm->StoreIdByName("Sklad-02");
    ASSERT_TRUE(stores->Locate("SKLAD", "Sklad-02"));
    ASSERT_TRUE(dm->RemoveStore(second));
    EXPECT_EQ(stores->FieldByName("SKLAD").AsString(), "Sklad-01");
    EXPECT_EQ(dm->StoreCount(), 2);
}

TEST_F(DataModuleCatalogue, NamesLookupsAndCaptions)
{
    dm->StoreCount();
    EXPECT_FALSE(dm->StoreNameExists(""));
    EXPECT_FALSE(dm->ContactNameExists(""));
    EXPECT_FALSE(dm->FilterNameExists(""));
    EXPECT_FALSE(dm->ItemMarkExists(1, ""));
    EXPECT_EQ(dm->MSSQLADOStoredProcedure->StoredProcedure(), "tab_sklad_POCET"); // no call was made
    EXPECT_TRUE(dm->StoreNameExists("sklad-01"));
    EXPECT_FALSE(dm->StoreNameExistsOther(1, "Sklad-01"));
    EXPECT_EQ(dm->StoreIdByName("Neznámý"), 0);
    EXPECT_EQ(dm->StoreIdByName("Sklad-01"), 1);
    EXPECT_EQ(dm->StoreCaption(1, true), "Sklad (Sklad-01 (ID: 1))");
    EXPECT_EQ(dm->StoreCaption(1, false), "Sklad-01");
    EXPECT_EQ(dm->ContactCaption(1, true), "Kontakt (- (ID: 1))");
    EXPECT_EQ(dm->UnitCaption(2, true), "Jednotka (ks (ID: 2))");
    EXPECT_EQ(dm->VatRateText(3, true), "Dph (20 (ID: 3))");
    ASSERT_TRUE(dm->EditVat(2, Currency::fromString(u"12.5")));
    EXPECT_EQ(dm->VatRateText(2, false), "12,5");
    EXPECT_EQ(dm->VatIdByRate(Currency::fromString(u"12.5")), 2);
    EXPECT_EQ(dm->VatIdByRate(Currency::fromInt(99)), 0);
    EXPECT_EQ(dm->DefaultVatRate(), Currency::fromInt(20));
    EXPECT_EQ(dm->VatRateList().split('\r').size(), 3);
    EXPECT_EQ(dm->DefaultStoreId(), 1);
    EXPECT_EQ(dm->CurrentStoreName(), "Sklad-01");
    EXPECT_EQ(dm->DefaultSupplierName(), "-");
}

TEST_F(DataModuleCatalogue, ContactsAndDefaults)
{
    TMSSQLADOQuery *contacts = dm->MSSQLADOQuery_Kontakt;
    contacts->RefreshQuery();
    TDMContact c{"Dodavatel s.r.o.", "12345678", "CZ12345678", "Praha", "1", "2", "a@b.cz", "www", "Jan", "-"};
    ASSERT_TRUE(dm->NewContact(c)) << qPrintable(dm->LastErrorText());
    const int id = int(currentKey(contacts, "ID_KONTAKT"));
    EXPECT_EQ(dm->ContactIdByName("Dodavatel s.r.o."), id);
    c.ADRESA = "Brno";
    ASSERT_TRUE(dm->EditContact(id, c));
    EXPECT_EQ(contacts->FieldByName("ADRESA").AsString(), "Brno");
    ASSERT_TRUE(dm->SetDefaultSupplier(id));
    EXPECT_EQ(dm->DefaultSupplierName(), "Dodavatel s.r.o.");
    EXPECT_EQ(dm->DefaultCustomerName(), "-");
    EXPECT_FALSE(dm->ContactReferenced(id));
    ASSERT_TRUE(dm->RemoveContact(id));
    EXPECT_EQ(dm->ContactCount(), 1);
}

TEST_F(DataModuleCatalogue, CategoriesAreWrittenWithoutAList)
{
    int food = 0, milk = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Potraviny", "jídlo", food));
    ASSERT_TRUE(dm->NewCategory(food, "Mléčné", "-", milk));
    EXPECT_EQ(dm->CategoryIdPath(milk), QStringLiteral("1\\%1\\%2\\").arg(food).arg(milk));
    EXPECT_EQ(dm->CategoryPathName(milk), "?\\Potraviny\\Mléčné");
    EXPECT_EQ(dm->FindCategoryByPath("?\\Potraviny\\Mléčné"), milk);
    EXPECT_EQ(dm->FindCategoryByPath("?\\Potraviny\\Chybí"), 0);
    EXPECT_EQ(dm->CategoryIdByPath("?\\Potraviny\\Chybí"), food);
    EXPECT_TRUE(dm->CategoryNameExists(1, "potraviny"));
    EXPECT_EQ(dm->SubcategoryCount(1), 1);
    QString name, specifikace;
    ASSERT_TRUE(dm->ReadCategory(food, name, specifikace));
    EXPECT_EQ(name, "Potraviny");
    EXPECT_EQ(specifikace, "jídlo");
    EXPECT_FALSE(dm->MoveCategory(food, milk)); // under its own descendant, and it says so
    EXPECT_TRUE(dm->LastErrorText().startsWith("Kategorii nelze přesunout")) << qPrintable(dm->LastErrorText());
    EXPECT_TRUE(dm->CopyCategory(milk, 1));
    EXPECT_FALSE(dm->CopyCategory(milk, 1)); // a sibling of that name exists now
    ASSERT_TRUE(dm->RenameCategory(milk, "Mléko"));
    ASSERT_TRUE(dm->EditCategory(milk, "Mléko", "čerstvé"));
    ASSERT_TRUE(dm->SetDefaultCategory(food));
    EXPECT_EQ(dm->DefaultCategoryId(), food);
    ASSERT_TRUE(dm->RemoveCategory(food));
    EXPECT_FALSE(dm->CategoryExists(food));
    EXPECT_FALSE(dm->RemoveCategory(food)); // gone meanwhile: said so
    EXPECT_TRUE(dm->LastErrorText().startsWith("Kategorie již v databázi není")) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->CategoryCount(), 2); // the root and the copy
}

TEST_F(DataModuleCatalogue, ANewItemIsFoundWhereTheListShowsIt)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int first = newItem("0001");
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), first);
    // an item the current filter hides leaves the list where it was
    dm->MSSQLADOQuery_Polozka->FormatParameters()
        .FindParameter("%WHERE_FILTER")
        ->SetFormatParameterValue("tab_polozka.KOD<>'0002'");
    dm->MSSQLADOQuery_Polozka->RefreshQuery();
    newItem("0002");
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), first);
    EXPECT_TRUE(dm->ItemMarkExists(1, "0002"));
    EXPECT_FALSE(dm->ItemMarkExistsOther(1, first, "0001"));
    EXPECT_EQ(dm->SmallestFreeItemMark(1, 4), "0003");
    EXPECT_EQ(dm->ItemCount(), 2);
}

TEST_F(DataModuleCatalogue, AnEditedItemStaysCurrentAndARefusedOneRollsBack)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int a = newItem("0001");
    const int b = newItem("0002");
    dm->AddOrEditBasketRow(a, 0, Currency::fromInt(1), true);
    ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->Locate("ID_POLOZKA", a));
    TDMItem item;
    item.OZNACENI = "0001";
    item.KOD = "K-1";
    item.POLOZKA = "Přejmenovaná";
    item.SPECIFIKACE = "-";
    item.DPH = Currency::fromInt(10);
    item.SKLAD = "Sklad-01";
    item.KATEGORIE = "?";
    item.DODAVATEL = "-";
    item.PRODEJ = Currency::fromInt(5);
    item.MNOZSTVI = Currency::fromInt(3);
    item.JEDNOTKA = "ks";
    item.MINIMUM = Currency::fromInt(1);
    ASSERT_TRUE(dm->EditItem(a, item)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), a);
    EXPECT_EQ(dm->MSSQLADOQuery_Prodej->FieldByName("POLOZKA").AsString(), "Přejmenovaná");

    item.SKLAD = "Neexistuje";
    const int logRows = scalar("SELECT count(*) FROM tab_historie").toInt();
    EXPECT_FALSE(dm->EditItem(b, item));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_historie").toInt(), logRows);
    EXPECT_EQ(dm->ItemMark(b), "0002");
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
}

TEST_F(DataModuleCatalogue, SelectedItemsGoTogetherOrNotAtAll)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int a = newItem("0001"), b = newItem("0002"), c = newItem("0003");
    for (int id : {a, b, c})
        dm->AddOrEditBasketRow(id, 0, Currency::fromInt(1), true);
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    std::vector<Db::Bookmark> selected;
    for (int id : {a, b, c}) {
        ASSERT_TRUE(items->Locate("ID_POLOZKA", id));
        selected.push_back(items->GetBookmark());
    }
    // the second vanishes behind the list's back, under its basket line: its removal fails
    shopRules.basketLinesMayDangle = true;
    sql(QStringLiteral("DELETE FROM tab_historie WHERE ID_POLOZKA=%1; DELETE FROM tab_polozka WHERE ID_POLOZKA=%1")
            .arg(b));
    EXPECT_FALSE(dm->RemoveSelectedItems(a, selected));
    EXPECT_TRUE(dm->LastErrorText().startsWith("Chyba při umazávání záznamu z tab_polozka."))
        << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->ItemCount(), 2);
    EXPECT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 2); // the vanished item is no longer listed
    EXPECT_FALSE(messages.waitShown());

    std::vector<Db::Bookmark> two;
    for (int id : {a, c}) {
        ASSERT_TRUE(items->Locate("ID_POLOZKA", id));
        two.push_back(items->GetBookmark());
    }
    ASSERT_TRUE(dm->RemoveSelectedItems(c, two)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(dm->ItemCount(), 0);
    EXPECT_TRUE(dm->MSSQLADOQuery_Prodej->IsEmpty());
}

TEST_F(DataModuleCatalogue, RemovingTheCurrentItemAlone)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int a = newItem("0001");
    const int b = newItem("0002");
    dm->AddOrEditBasketRow(b, 0, Currency::fromInt(1), true);
    ASSERT_TRUE(dm->RemoveSelectedItems(b, {}));
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), a);
    EXPECT_TRUE(dm->MSSQLADOQuery_Prodej->IsEmpty());
    ASSERT_TRUE(dm->RemoveStoreItems(1));
    EXPECT_TRUE(dm->MSSQLADOQuery_Polozka->IsEmpty());
}

TEST_F(DataModuleCatalogue, ImportedAndRefusedNewItems)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    TDMItem item;
    item.OZNACENI = item.KOD = "0100";
    item.POLOZKA = "Dovezená";
    item.SPECIFIKACE = "-";
    item.DPH = Currency::fromInt(20);
    item.SKLAD = "Sklad-01";
    item.KATEGORIE = "?";
    item.DODAVATEL = "-";
    item.JEDNOTKA = "ks";
    ASSERT_TRUE(dm->ImportItem(item)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT ID_OPERACE FROM tab_historie ORDER BY ID_HISTORIE DESC LIMIT 1"), "8");
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 0); // the import refreshes once at its end

    item.OZNACENI = item.KOD = item.POLOZKA = "0101";
    item.JEDNOTKA = "neznámá";
    EXPECT_FALSE(dm->NewItem(item));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_EQ(dm->ItemCount(), 1);
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
}

TEST_F(DataModuleCatalogue, TheSearchTwinFindsItemsByTheirHistory)
{
    ASSERT_TRUE(dm->OpenAllQueries());
    const int a = newItem("0001"), b = newItem("0002");
    dm->AddOrEditBasketRow(b, 0, Currency::fromInt(1), true);
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, "-", 0, document));
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    items->First();
    ASSERT_EQ(currentKey(items, "ID_POLOZKA"), a);
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    EXPECT_TRUE(items->FindFirstInField(twin, "ID_POLOZKA", "čtenka", twin->FindField("DETAIL_OPERACE")))
        << qPrintable(dm->LastErrorText() + twin->SQL());
    EXPECT_EQ(currentKey(items, "ID_POLOZKA"), b);
    EXPECT_FALSE(items->FindNextMatch());
    EXPECT_TRUE(items->FindFirstInFields(twin, "ID_POLOZKA", "Položka 0001"));
    EXPECT_EQ(currentKey(items, "ID_POLOZKA"), a);
}
