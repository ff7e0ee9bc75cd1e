#pragma once
// The category dialog: name and description of one category, for a new
// child of the tree editor's selected node or for that node itself.
#include "app/common/dialogbase.h"

class QLineEdit;

class TForm_Kategorie : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Kategorie(QWidget *parent = nullptr);
    QLineEdit *Edit_Kategorie;
    QLineEdit *Edit_Specifikace;

    void Edit_KategorieChange(QObject *Sender);

protected:
    // "Kategorie již existuje..." when the name is taken where the category goes.
    virtual bool nameTaken(const QString &name) = 0;
    // The tree editor's selected node's ID (0 without an editor).
    static int selectedId();
    static int selectedParentId();
};

class TForm_KategorieNova : public TForm_Kategorie
{
    Q_OBJECT
public:
    explicit TForm_KategorieNova(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override;
    void showEvent(QShowEvent *event) override;
};

class TForm_KategorieEditace : public TForm_Kategorie
{
    Q_OBJECT
public:
    explicit TForm_KategorieEditace(QWidget *parent = nullptr);

protected:
    bool nameTaken(const QString &name) override;
};
