#pragma once
// The record dialogs of the code lists: a unit, a store, a contact and a VAT
// rate. The "new" forms start empty with every rule run once; the "edit"
// forms load the list's current row and keep the list's own ID out of the
// uniqueness tests.
#include "app/common/dialogbase.h"
#include "data/dm.h"

class QLineEdit;
class TComboEdit;
class TCurrencyEdit;
class TRealEdit;

// ---------------------------------------------------------------- unit

class TForm_Jednotka : public TForm_Dialog
{
    Q_OBJECT
public:
    QLineEdit *Edit_Jednotka;
    QLineEdit *Edit_Specifikace;
    TCurrencyEdit *CurrencyEdit_Minimum;

    void Edit_JednotkaChange(QObject *Sender);
    void CurrencyEdit_MinimumChange(QObject *Sender);

protected:
    explicit TForm_Jednotka(QWidget *parent);
    virtual bool nameTaken(const QString &name) = 0;
};

class TForm_JednotkaNova : public TForm_Jednotka
{
    Q_OBJECT
public:
    explicit TForm_JednotkaNova(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->UnitNameExists(name); }
    void showEvent(QShowEvent *event) override;
};

class TForm_JednotkaEditace : public TForm_Jednotka
{
    Q_OBJECT
public:
    explicit TForm_JednotkaEditace(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->UnitNameExistsOther(ownId, name); }
    void showEvent(QShowEvent *event) override;

private:
    int ownId = 0;
};

// ---------------------------------------------------------------- store

class TForm_Sklad : public TForm_Dialog
{
    Q_OBJECT
public:
    QLineEdit *Edit_Sklad;
    TComboEdit *ComboEdit_Kategorie;

    void Edit_SkladChange(QObject *Sender);
    void ComboEdit_KategorieChange(QObject *Sender);
    void ComboEdit_KategorieButtonClick();

protected:
    explicit TForm_Sklad(QWidget *parent);
    virtual bool nameTaken(const QString &name) = 0;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

class TForm_SkladNovy : public TForm_Sklad
{
    Q_OBJECT
public:
    explicit TForm_SkladNovy(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->StoreNameExists(name); }
    void showEvent(QShowEvent *event) override;
};

class TForm_SkladEditace : public TForm_Sklad
{
    Q_OBJECT
public:
    explicit TForm_SkladEditace(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->StoreNameExistsOther(ownId, name); }

private:
    int ownId = 0;
};

// ---------------------------------------------------------------- contact

class TForm_Kontakt : public TForm_Dialog
{
    Q_OBJECT
public:
    QLineEdit *Edit_Kontakt, *Edit_IC, *Edit_DIC, *Edit_Adresa, *Edit_Telefon, *Edit_Mobil, *Edit_Email, *Edit_www,
        *Edit_Osoba, *Edit_Poznamka;

    void Edit_KontaktChange(QObject *Sender);
    TDMContact Contact() const;

protected:
    explicit TForm_Kontakt(QWidget *parent);
    virtual bool nameTaken(const QString &name) = 0;
};

class TForm_KontaktNovy : public TForm_Kontakt
{
    Q_OBJECT
public:
    explicit TForm_KontaktNovy(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->ContactNameExists(name); }
    void showEvent(QShowEvent *event) override;
};

class TForm_KontaktEditace : public TForm_Kontakt
{
    Q_OBJECT
public:
    explicit TForm_KontaktEditace(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override { return DM->ContactNameExistsOther(ownId, name); }

private:
    int ownId = 0;
};

// ---------------------------------------------------------------- VAT

class TForm_DphEditace : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_DphEditace(QWidget *parent = nullptr);
    TRealEdit *RealEdit_Dph;

    void RealEdit_DphChange(QObject *Sender);

protected:
    void showEvent(QShowEvent *event) override;
};
