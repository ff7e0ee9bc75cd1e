#pragma once
// The shop's settings as the other screens and the document printing read
// them. The settings screen (TForm_Nastaveni) is the one the program uses: it
// registers itself after login, and every getter reads its controls at the
// moment of the call, so a change takes effect at once. Until then, and in
// tests, a MemoryShopSettings with the screen's initial values answers.
#include "platform/colors.h"

#include <QList>
#include <QString>

// Item fields the settings say something about: the required fields of the
// item card and the flagged cells of the item lists.
enum class ItemField {
    Oznaceni,
    Kod,
    Polozka,
    Specifikace,
    Zaruka,
    Nakup,
    Prodej,
    Mnozstvi,
    Zasoba,
    Minimum,
    // Flag only: quantity below the stock level ("Nedostatečná zásoba []").
    NedostatecnaZasoba,
};

// Format of the cash receipt.
enum class ReceiptFormat { A4, A5, Svitek };

// The document kinds that each have a printer of their own.
enum class DocumentPrinter {
    UctenkaA4,
    UctenkaA5,
    UctenkaSvitek,
    Faktura,
    DodaciList,
    Storno,
    PrijmovyDoklad,
};

class ShopSettings
{
public:
    virtual ~ShopSettings() = default;

    // The company, printed as the supplier on documents.
    virtual QString companyName() const = 0;    // Edit_Nazev
    virtual QString companyAddress() const = 0; // Edit_Adresa
    virtual QString companyIc() const = 0;      // Edit_IC
    virtual QString companyDic() const = 0;     // Edit_DIC
    virtual QString companyPhone() const = 0;   // Edit_Telefon
    virtual QString companyEmail() const = 0;   // Edit_Email

    // Bank connection.
    virtual QString bankAccount() const = 0;    // Edit_Ucet
    virtual QString constantSymbol() const = 0; // Edit_KS
    // True: the variable symbol is the invoice's number (CheckBox_VS).
    virtual bool variableSymbolByInvoice() const = 0;
    virtual QString variableSymbol() const = 0; // Edit_VS
    virtual int dueDays() const = 0;            // IntegerComboBox_Splatnost

    // Warranty periods in months and discounts in percent, in list order.
    virtual QList<int> warrantyList() const = 0; // ListBox_Zaruka
    virtual int defaultWarranty() const = 0;     // IntegerEdit_Zaruka_Vychozi
    virtual QList<int> discountList() const = 0; // ListBox_Sleva
    virtual int defaultDiscount() const = 0;     // IntegerEdit_Sleva_Vychozi
    // The discount typed in the box beside the list's add button (not stored
    // between runs; 0 while empty).
    virtual int discountEntry() const = 0; // IntegerEdit_Sleva

    // Required fields of the item card. For Oznaceni and Kod the length
    // applies too: 0 means any non-empty text.
    virtual bool isRequired(ItemField field) const = 0; // CheckBox_*_Povinne
    virtual int oznaceniLength() const = 0;             // IntegerEdit_Oznaceni
    virtual int kodLength() const = 0;                  // IntegerEdit_Kod

    // Which missing or problematic values the item lists flag, and in which
    // colour.
    virtual bool isFlagged(ItemField field) const = 0; // CheckBox_*_Nezadane
    virtual TColor flagColor() const = 0;              // ColorComboBox_Nezadane

    // The mark-up in percent the item card derives a selling price with.
    virtual int defaultMargin() const = 0; // IntegerComboBox_Rabat

    // Printing of documents.
    virtual bool previewBeforePrint() const = 0;     // CheckBox_Nahled
    virtual ReceiptFormat receiptFormat() const = 0; // RadioButton_A4/A5/Svitek
    // Position in the printer list (PrinterComboBox_*.PrinterIndex) and the
    // printer's name; the name is the safer of the two when printers change.
    virtual int printerIndex(DocumentPrinter kind) const = 0;
    virtual QString printerName(DocumentPrinter kind) const = 0;
    virtual QString documentNote() const = 0; // Edit_Poznamka

    // A value typed elsewhere (item card, sale dialog) that is not yet in
    // the list is appended to it; a value already there changes nothing.
    virtual void addWarranty(int months) = 0;
    virtual void addDiscount(int percent) = 0;
    // Writes the stored settings to the INI file (section "Nastaveni").
    virtual void save() = 0;
};

// The settings in force; never null (initial values when none is registered).
ShopSettings &Settings();
// Registers settings (not owned); nullptr goes back to the initial values.
// Returns the settings that were set before, so callers can restore them.
ShopSettings *SetShopSettings(ShopSettings *settings);

// The lists' values on each start (the lists themselves are not stored).
QList<int> InitialWarrantyList();
QList<int> InitialDiscountList();

// Settings held in memory, with the settings screen's initial values. Tests
// change them through the public members.
class MemoryShopSettings : public ShopSettings
{
public:
    MemoryShopSettings();

    QString companyName() const override { return nazev; }
    QString companyAddress() const override { return adresa; }
    QString companyIc() const override { return ic; }
    QString companyDic() const override { return dic; }
    QString companyPhone() const override { return telefon; }
    QString companyEmail() const override { return email; }
    QString bankAccount() const override { return ucet; }
    QString constantSymbol() const override { return ks; }
    bool variableSymbolByInvoice() const override { return vsByInvoice; }
    QString variableSymbol() const override { return vs; }
    int dueDays() const override { return splatnost; }
    QList<int> warrantyList() const override { return zaruky; }
    int defaultWarranty() const override { return zarukaVychozi; }
    QList<int> discountList() const override { return slevy; }
    int defaultDiscount() const override { return slevaVychozi; }
    int discountEntry() const override { return slevaZadana; }
    bool isRequired(ItemField field) const override;
    int oznaceniLength() const override { return oznaceniDelka; }
    int kodLength() const override { return kodDelka; }
    bool isFlagged(ItemField field) const override;
    TColor flagColor() const override { return barva; }
    int defaultMargin() const override { return rabat; }
    bool previewBeforePrint() const override { return nahled; }
    ReceiptFormat receiptFormat() const override { return format; }
    int printerIndex(DocumentPrinter kind) const override;
    QString printerName(DocumentPrinter kind) const override;
    QString documentNote() const override { return poznamka; }
    void addWarranty(int months) override;
    void addDiscount(int percent) override;
    void save() override { ++saveCount; }

    void setRequired(ItemField field, bool value);
    void setFlagged(ItemField field, bool value);
    void setPrinter(DocumentPrinter kind, int index, const QString &name);

    QString nazev, adresa, ic, dic, telefon, email;
    QString ucet, ks, vs;
    bool vsByInvoice = true;
    int splatnost = 30;
    QList<int> zaruky;
    int zarukaVychozi = 24;
    QList<int> slevy;
    int slevaVychozi = 0;
    int slevaZadana = 0;
    int oznaceniDelka = 8;
    int kodDelka = 13;
    TColor barva = clRed;
    int rabat = 20;
    bool nahled = true;
    ReceiptFormat format = ReceiptFormat::A5;
    QString poznamka;
    int saveCount = 0;

private:
    static constexpr int fieldCount = int(ItemField::NedostatecnaZasoba) + 1;
    static constexpr int printerCount = int(DocumentPrinter::PrijmovyDoklad) + 1;
    bool required[fieldCount] = {};
    bool flagged[fieldCount] = {};
    int printerIndexes[printerCount] = {};
    QString printerNames[printerCount];
};

// Installs settings for a scope (a test's, or a screen's) and puts the
// previous ones back at its end.
class ScopedShopSettings
{
public:
    explicit ScopedShopSettings(ShopSettings *settings)
        : previous(SetShopSettings(settings))
    {}
    ~ScopedShopSettings() { SetShopSettings(previous); }
    ScopedShopSettings(const ScopedShopSettings &) = delete;
    ScopedShopSettings &operator=(const ScopedShopSettings &) = delete;

private:
    ShopSettings *previous;
};
