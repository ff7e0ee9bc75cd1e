#include "report/designer/dialogs/desoptionsform.h"

#include "report/designer/dialogs/dialogparts.h"

#include "report/vldialogbuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QGroupBox *column(QGroupBox *box, const QList<QWidget *> &controls)
{
    auto *layout = new QVBoxLayout(box);
    for (QWidget *control : controls)
        layout->addWidget(control);
    layout->addStretch();
    return box;
}

} // namespace

TvlDesOptionsForm::TvlDesOptionsForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlDesOptionsForm");
    setWindowTitle("Nastavení");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    Tab1 = new QWidget;
    Tab1->setObjectName("Tab1");
    GroupBox1 = groupBox(Tab1, "GroupBox1", "Mřížka");
    CB1 = checkBox(GroupBox1, "CB1", "Zobrazit &mřížku");
    CB2 = checkBox(GroupBox1, "CB2", "&Zarovnat k mřížce");
    column(GroupBox1, {CB1, CB2});
    GroupBox4 = groupBox(Tab1, "GroupBox4", "Velikost mřížky");
    RB1 = radioButton(GroupBox4, "RB1", "&4 pixly");
    RB2 = radioButton(GroupBox4, "RB2", "&8 pixlů");
    RB3 = radioButton(GroupBox4, "RB3", "&18 pixlů (5mm)");
    column(GroupBox4, {RB1, RB2, RB3});
    GroupBox2 = groupBox(Tab1, "GroupBox2", "Přesun objektů");
    RB4 = radioButton(GroupBox2, "RB4", "&Nezobrazovat obsah");
    RB5 = radioButton(GroupBox2, "RB5", "&Zobrazovat obsah");
    column(GroupBox2, {RB4, RB5});
    GroupBox3 = groupBox(Tab1, "GroupBox3", "Jednotky sestavy");
    RB6 = radioButton(GroupBox3, "RB6", "&Pixle");
    RB7 = radioButton(GroupBox3, "RB7", "&MM");
    RB8 = radioButton(GroupBox3, "RB8", "&Palce");
    column(GroupBox3, {RB6, RB7, RB8});
    GroupBox5 = groupBox(Tab1, "GroupBox5", "Ostatní");
    CB3 = checkBox(GroupBox5, "CB3", "Barevná &tlačítka");
    CB4 = checkBox(GroupBox5, "CB4", "&Editovat po vložení");
    CB5 = checkBox(GroupBox5, "CB5", "Zobrazovat &popis bandů");
    column(GroupBox5, {CB3, CB4, CB5});
    auto *grid = new QGridLayout(Tab1);
    grid->addWidget(GroupBox1, 0, 0);
    grid->addWidget(GroupBox4, 0, 1);
    grid->addWidget(GroupBox2, 1, 0);
    grid->addWidget(GroupBox3, 1, 1);
    grid->addWidget(GroupBox5, 2, 0, 1, 2);
    PageControl1->addTab(Tab1, "Návrhář");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    SetOptions({});
}

void TvlDesOptionsForm::SetOptions(const TvlDesignerSetup &o)
{
    CB1->setChecked(o.ShowGrid);
    CB2->setChecked(o.GridAlign);
    (o.GridSize == 4 ? RB1 : o.GridSize == 8 ? RB2 : RB3)->setChecked(true);
    (o.MoveContents ? RB5 : RB4)->setChecked(true);
    (o.Units == 1 ? RB7 : o.Units == 2 ? RB8 : RB6)->setChecked(true);
    CB3->setChecked(!o.GrayButtons);
    CB4->setChecked(o.EditAfterInsert);
    CB5->setChecked(o.ShowBandTitles);
}

TvlDesignerSetup TvlDesOptionsForm::Options() const
{
    TvlDesignerSetup o;
    o.ShowGrid = CB1->isChecked();
    o.GridAlign = CB2->isChecked();
    o.GridSize = RB1->isChecked() ? 4 : RB2->isChecked() ? 8 : 18;
    o.MoveContents = !RB4->isChecked();
    o.Units = RB7->isChecked() ? 1 : RB8->isChecked() ? 2 : 0;
    o.GrayButtons = !CB3->isChecked();
    o.EditAfterInsert = CB4->isChecked();
    o.ShowBandTitles = CB5->isChecked();
    return o;
}
