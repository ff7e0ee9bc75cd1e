#pragma once
// The item card: one dialog for a stock item's fields with their validation,
// the price arithmetic and the per-field rights, and its two forms, a new
// item filled with the shop's defaults and an edited item filled from the
// current row of the item list (with a top-up of the quantity). The dialog
// collects and checks; on "&Ok" it writes through the caller's write, whose
// server tests again what another till may have taken meanwhile.
#include "app/catalogue/itemchanges.h"
#include "app/catalogue/itemrules.h"
#include "app/common/dialogbase.h"
#include "data/dm.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class TComboEdit;
class TCurrencyEdit;
class TIntegerComboBox;

class TForm_Polozka : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Polozka(QWidget *parent = nullptr);

    QLabel *Image;
    QLineEdit *Edit_Oznaceni;
    QLineEdit *Edit_Kod;
    QLineEdit *Edit_Polozka;
    QLineEdit *Edit_Specifikace;
    TIntegerComboBox *IntegerComboBox_Zaruka;
    QComboBox *ComboBox_DPH;
    QComboBox *ComboBox_Sklad;
    TComboEdit *ComboEdit_Kategorie;
    QComboBox *ComboBox_Dodavatel;
    TCurrencyEdit *CurrencyEdit_NakupBezDPH;
    TCurrencyEdit *CurrencyEdit_Nakup;
    QLabel *Label_Rabat;
    TIntegerComboBox *IntegerComboBox_Rabat;
    QPushButton *Button_Rabat;
    TCurrencyEdit *CurrencyEdit_Prodej;
    TIntegerComboBox *IntegerComboBox_Sleva;
    TCurrencyEdit *CurrencyEdit_Mnozstvi;
    QComboBox *ComboBox_Jednotka;
    TCurrencyEdit *CurrencyEdit_Zasoba;
    TCurrencyEdit *CurrencyEdit_Minimum;
    QCheckBox *CheckBox_Nasobne;
    QLabel *Label_ZasobaZasoba;
    QLabel *Label_MinimumMinimum;

    // The dialog's values as the item procedures take them, with the values
    // the settings require unique.
    TDMItem Item() const;
    // Writes the card's item; false when it was not written (the write has
    // told the user why). With a write the card writes on "&Ok" and stays
    // open while the write fails; without one "&Ok" only closes it.
    using Write = std::function<bool(const TDMItem &)>;
    void setWrite(Write write) { m_write = std::move(write); }

    // Handlers, in the order ControlsChange runs them.
    void Edit_OznaceniChange(QObject *Sender);
    void Edit_KodChange(QObject *Sender);
    void Edit_PolozkaChange(QObject *Sender);
    void Edit_SpecifikaceChange(QObject *Sender);
    void IntegerComboBox_ZarukaChange(QObject *Sender);
    void ComboBox_DPHChange(QObject *Sender);
    void ComboBox_SkladChange(QObject *Sender);
    void ComboEdit_KategorieChange(QObject *Sender);
    void ComboBox_DodavatelChange(QObject *Sender);
    void CurrencyEdit_NakupBezDPHChange(QObject *Sender);
    void CurrencyEdit_NakupChange(QObject *Sender);
    void IntegerComboBox_RabatChange(QObject *Sender);
    void CurrencyEdit_ProdejChange(QObject *Sender);
    void IntegerComboBox_SlevaChange(QObject *Sender);
    void CurrencyEdit_MnozstviChange(QObject *Sender);
    void ComboBox_JednotkaChange(QObject *Sender);
    void CurrencyEdit_ZasobaChange(QObject *Sender);
    void CurrencyEdit_MinimumChange(QObject *Sender);

    void Button_RabatClick();
    void ComboEdit_KategorieButtonClick();
    void Button_OkClick();

protected:
    // Fills the lists and applies the rights; the derived forms add their values.
    virtual void FormShow();
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The "exists" reason of the derived form for a mark, code or name in the
    // chosen store; the base rule's reason replaces it when it applies.
    virtual QString existingReason(ItemRules::UniqueField, const QString &) { return {}; }
    // The store chosen in the dialog (0 while none).
    int chosenStoreId() const;
    // Selects the entry of a drop-down list equal to the text (none when absent).
    static void selectText(QComboBox *combo, const QString &text);
    // The unit's name behind the amounts; the edit form adds its own label.
    virtual void showUnitName(const QString &name);
    // Off while the edit form loads its row: the item's own minimum and
    // multiples flag are kept, only a unit chosen by the user brings its own.
    bool unitBringsDefaults = true;
    // Whether "&Ok" may close the card: the edit form first looks whether
    // another till changed the item meanwhile.
    virtual bool stillCurrent() { return true; }
    // After a failed write: another till may have taken a label, code or
    // name meanwhile, so the fields are tested again.
    virtual void writeFailed();
    // The stored warranty the card opened with, when the box cannot hold it.
    std::optional<int> keptWarranty;
    int warrantyValue() const;
    QGridLayout *grid;

private:
    void buildControls();
    bool shownOnce = false;
    Write m_write;
};

class TForm_PolozkaNova : public TForm_Polozka
{
    Q_OBJECT
public:
    explicit TForm_PolozkaNova(QWidget *parent = nullptr);

protected:
    void FormShow() override;
    QString existingReason(ItemRules::UniqueField field, const QString &text) override;
    // The proposed label another till took meanwhile makes way for a new one.
    void writeFailed() override;

private:
    QString proposedMark;
};

class TForm_PolozkaEditace : public TForm_Polozka
{
    Q_OBJECT
public:
    explicit TForm_PolozkaEditace(QWidget *parent = nullptr);

    QGroupBox *GroupBox_Doplnit;
    TCurrencyEdit *CurrencyEdit_Doplnit;
    QLabel *Label_DoplnitJednotka;

    void CurrencyEdit_DoplnitChange(QObject *Sender);
    // What the card read of the item, for the write after "&Ok".
    TDMItemOrigin Origin() const { return origin; }

protected:
    // The item is read from the server, not taken from the list's row,
    // which may be older than what other tills sold or changed.
    void FormShow() override;
    void showUnitName(const QString &name) override;
    QString existingReason(ItemRules::UniqueField field, const QString &text) override;
    bool stillCurrent() override;

private:
    void loadValues(const TDMItem &item, const QList<ItemChanges::Value> &values);
    int itemId = 0;
    double storedQuantity = 0;
    TDMItem read;
    TDMItemOrigin origin;
};

// The glyphs of the main window's new-item and edit-item buttons, when it
// has registered them; the card shows them beside its fields.
void SetItemCardGlyphs(const QPixmap &newItem, const QPixmap &editItem);

// The main window's item actions: the card shown modally writes the item on
// "&Ok" through the given write (the edit's with what the card read); false
// when it was cancelled.
bool ShowNewItemCard(QWidget *parent, const TForm_Polozka::Write &write);
bool ShowEditItemCard(QWidget *parent, const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write);
