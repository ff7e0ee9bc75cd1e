#include "app/catalogue/kategorie.h"

#include "app/catalogue/catalogueui.h"
#include "app/catalogue/categoryeditor.h"
#include "app/common/formcontrols.h"
#include "data/dm.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

TForm_Kategorie::TForm_Kategorie(QWidget *parent)
    : TForm_Dialog(parent)
{
    Edit_Kategorie = NewLineEdit(Bevel, QStringLiteral("Edit_Kategorie"), 128);
    Edit_Specifikace = NewLineEdit(Bevel, QStringLiteral("Edit_Specifikace"), 128);
    Edit_Kategorie->setMinimumWidth(280);
    auto *form = new QFormLayout(Bevel);
    form->addRow(BuddyLabel(QStringLiteral("&Kategorie:"), Edit_Kategorie), Edit_Kategorie);
    form->addRow(BuddyLabel(QStringLiteral("&Specifikace:"), Edit_Specifikace), Edit_Specifikace);
    BindChange(Edit_Kategorie, [this](QObject *s) { Edit_KategorieChange(s); });
    ConnectChange(Edit_Specifikace, [this] { ControlsValide(); });
}

void TForm_Kategorie::Edit_KategorieChange(QObject *)
{
    const QString name = Edit_Kategorie->text();
    QString reason;
    if (name.trimmed().isEmpty())
        reason = QStringLiteral("Nezadaná kategorie...");
    else if (nameTaken(name))
        reason = QStringLiteral("Kategorie již existuje...");
    MarkInvalid(Edit_Kategorie, reason);
    ControlsValide();
}

int TForm_Kategorie::selectedId()
{
    return Form_KategorieStromEditace ? Form_KategorieStromEditace->SelectedId() : 0;
}

int TForm_Kategorie::selectedParentId()
{
    if (!Form_KategorieStromEditace || !Form_KategorieStromEditace->Selected())
        return 0;
    return TForm_KategorieStrom::NodeId(Form_KategorieStromEditace->Selected()->parent());
}

TForm_KategorieNova::TForm_KategorieNova(QWidget *parent)
    : TForm_Kategorie(parent)
{
    setObjectName(QStringLiteral("Form_KategorieNova"));
    setWindowTitle(QStringLiteral(" Nová kategorie"));
    Edit_Specifikace->setText(QStringLiteral("-"));
}

bool TForm_KategorieNova::nameTaken(const QString &name)
{
    return DM->CategoryNameExists(selectedId(), name);
}

void TForm_KategorieNova::showEvent(QShowEvent *event)
{
    TForm_Kategorie::showEvent(event);
    ControlsChange();
}

TForm_KategorieEditace::TForm_KategorieEditace(QWidget *parent)
    : TForm_Kategorie(parent)
{
    setObjectName(QStringLiteral("Form_KategorieEditace"));
    setWindowTitle(QStringLiteral(" Editace kategorie"));
    const int id = selectedId();
    QString name, description;
    if (id != 0 && DM->CategoryExists(id) && DM->ReadCategory(id, name, description)) {
        Edit_Kategorie->setText(name);
        Edit_Specifikace->setText(description);
    }
}

bool TForm_KategorieEditace::nameTaken(const QString &name)
{
    const int parentId = selectedParentId();
    return parentId != 0 && DM->CategoryNameExistsOther(parentId, selectedId(), name);
}
