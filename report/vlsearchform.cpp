#include "report/vlsearchform.h"
#include "report/vldialogbuttons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TvlPreviewSearchForm::TvlPreviewSearchForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlPreviewSearchForm");
    setWindowTitle("Hledat");
    Label1 = new QLabel("Hledat text", this);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Label1->setBuddy(Edit1);
    GroupBox1 = new QGroupBox("Nastavení", this);
    GroupBox1->setObjectName("GroupBox1");
    CB1 = new QCheckBox("&Rozlišovat malá a velká písmena", GroupBox1);
    CB1->setObjectName("CB1");
    (new QVBoxLayout(GroupBox1))->addWidget(CB1);
    GroupBox2 = new QGroupBox("Hledat od", this);
    GroupBox2->setObjectName("GroupBox2");
    RB1 = new QRadioButton("&První strany", GroupBox2);
    RB1->setObjectName("RB1");
    RB1->setChecked(true);
    RB2 = new QRadioButton("&Aktuální strany", GroupBox2);
    RB2->setObjectName("RB2");
    auto *from = new QVBoxLayout(GroupBox2);
    from->addWidget(RB1);
    from->addWidget(RB2);
    QHBoxLayout *buttons = vlOkCancelButtons(this, Button1, Button2);
    auto *options = new QHBoxLayout;
    options->addWidget(GroupBox1);
    options->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(options);
    layout->addLayout(buttons);
}

QString TvlPreviewSearchForm::Text() const
{
    return Edit1->text();
}

bool TvlPreviewSearchForm::CaseSensitive() const
{
    return CB1->isChecked();
}

bool TvlPreviewSearchForm::FromFirstPage() const
{
    return RB1->isChecked();
}

void TvlPreviewSearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}
