#pragma once
// The four code lists: units, stores, contacts and VAT rates.
#include "app/catalogue/codelist.h"
#include "platform/currency.h"

class TForm_Jednotky : public CodeListWindow
{
    Q_OBJECT
public:
    explicit TForm_Jednotky(QWidget *parent = nullptr);
    void DataSourceDataChange() override;
    void Button_PridatClick() override;
    void Button_EditovatClick() override;
    void Button_OdebratClick() override;
    void KxDBGridExClickCheckBox(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify) override;
};

class TForm_Sklady : public CodeListWindow
{
    Q_OBJECT
public:
    explicit TForm_Sklady(QWidget *parent = nullptr);
    void DataSourceDataChange() override;
    void Button_PridatClick() override;
    void Button_EditovatClick() override;
    void Button_OdebratClick() override;
    void KxDBGridExClickCheckBox(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify) override;
};

class TForm_Kontakty : public CodeListWindow
{
    Q_OBJECT
public:
    explicit TForm_Kontakty(QWidget *parent = nullptr);
    void DataSourceDataChange() override;
    void Button_PridatClick() override;
    void Button_EditovatClick() override;
    void Button_OdebratClick() override;
    void KxDBGridExClickCheckBox(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify) override;
};

class TForm_Dph : public CodeListWindow
{
    Q_OBJECT
public:
    explicit TForm_Dph(QWidget *parent = nullptr);
    void DataSourceDataChange() override;
    void Button_EditovatClick() override;
    void KxDBGridExClickCheckBox(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify) override;

private:
    bool confirmRateChange(int id, Currency rate);
};

// The main window's actions: each opens its list's query, shows the list
// modally and closes the query again.
void ShowUnits(QWidget *parent);
void ShowStores(QWidget *parent);
void ShowContacts(QWidget *parent);
void ShowVatRates(QWidget *parent);
