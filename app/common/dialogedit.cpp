#include "app/common/dialogedit.h"

#include "app/common/dialogbase.h"
#include "app/common/screenplacement.h"

#include <QAbstractItemModel>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *listButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumWidth(100);
    return button;
}

} // namespace

TForm_DialogEdit::TForm_DialogEdit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    Bevel = new QFrame(this);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    GroupBox = new QGroupBox(this);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    Button_Pridat = listButton(QStringLiteral("Button_Pridat"), QStringLiteral("&Přidat..."), GroupBox);
    Button_Pridat->setDefault(true);
    Button_Editovat = listButton(QStringLiteral("Button_Editovat"), QStringLiteral("&Editovat..."), GroupBox);
    Button_Odebrat = listButton(QStringLiteral("Button_Odebrat"), QStringLiteral("O&debrat"), GroupBox);
    Button_Zavrit = listButton(QStringLiteral("Button_Zavrit"), QStringLiteral("&Zavřít"), GroupBox);
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton *button : {Button_Pridat, Button_Editovat, Button_Odebrat})
        button->setEnabled(false);

    auto *buttons = new QVBoxLayout(GroupBox);
    buttons->addWidget(Button_Pridat);
    buttons->addWidget(Button_Editovat);
    buttons->addWidget(Button_Odebrat);
    buttons->addStretch();
    buttons->addWidget(Button_Zavrit);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Bevel, 1);
    layout->addWidget(GroupBox);
}

void TForm_DialogEdit::SetDataSource(QAbstractItemModel *model, QItemSelectionModel *selection)
{
    const auto changed = [this] { DataSourceDataChange(); };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    if (selection)
        connect(selection, &QItemSelectionModel::currentRowChanged, this, changed);
}

void TForm_DialogEdit::DataSourceDataChange()
{
    Button_Pridat->setEnabled(AddEnabled);
    Button_Editovat->setEnabled(EditEnabled);
    Button_Odebrat->setEnabled(RemoveEnabled);
}

void TForm_DialogEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        FocusClientFirst(this, {Button_Pridat, Button_Editovat, Button_Odebrat, Button_Zavrit});
    }
    CenterOnMainScreen(this);
}
