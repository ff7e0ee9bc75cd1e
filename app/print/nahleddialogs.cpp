#include "app/print/nahleddialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct ExportFormat
{
    const char *text;
    const char *extension;
};

const ExportFormat kFormats[] = {
    {"Textový soubor TXT (*.txt)", ".txt"},
    {"Textový soubor oddělený středníky CSV (*.csv)", ".csv"},
    {"Webová stránka soubor HTM (*.htm)", ".htm"},
    {"Textový soubor RTF (*.rtf)", ".rtf"},
};

} // namespace

TForm_NahledExport::TForm_NahledExport(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Export"));
    RadioGroup_Format = new QGroupBox(QStringLiteral("Export do formátu"), Bevel);
    RadioGroup_Format->setObjectName(QStringLiteral("RadioGroup_Format"));
    auto *items = new QVBoxLayout(RadioGroup_Format);
    int index = 0;
    for (const ExportFormat &format : kFormats) {
        auto *item = new QRadioButton(QString::fromUtf8(format.text), RadioGroup_Format);
        item->setObjectName(QStringLiteral("RadioGroup_Format_%1").arg(index++));
        items->addWidget(item);
        Items << item;
    }
    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(RadioGroup_Format);
    SetItemIndex(3);
}

int TForm_NahledExport::ItemIndex() const
{
    for (int i = 0; i < Items.size(); ++i)
        if (Items[i]->isChecked())
            return i;
    return -1;
}

void TForm_NahledExport::SetItemIndex(int index)
{
    if (index >= 0 && index < Items.size())
        Items[index]->setChecked(true);
}

QString TForm_NahledExport::ItemText() const
{
    const int index = ItemIndex();
    return index >= 0 ? QString::fromUtf8(kFormats[index].text) : QString();
}

QString TForm_NahledExport::Extension() const
{
    const int index = ItemIndex();
    return index >= 0 ? QString::fromLatin1(kFormats[index].extension) : QString();
}

TForm_NahledHledat::TForm_NahledHledat(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Hledat"));
    Edit_Text = new QLineEdit(Bevel);
    Edit_Text->setObjectName(QStringLiteral("Edit_Text"));
    Edit_Text->setMinimumWidth(260);
    Label_Text = new QLabel(QStringLiteral("Hledat text"), Bevel);
    Label_Text->setObjectName(QStringLiteral("Label_Text"));
    Label_Text->setBuddy(Edit_Text);
    CheckBox_Velikost = new QCheckBox(QStringLiteral("Rozlišovat malá a velká písmena"), Bevel);
    CheckBox_Velikost->setObjectName(QStringLiteral("CheckBox_Velikost"));
    GroupBox_Od = new QGroupBox(QStringLiteral("Začít hledat od"), Bevel);
    GroupBox_Od->setObjectName(QStringLiteral("GroupBox_Od"));
    RadioButton_Prvni = new QRadioButton(QStringLiteral("Od první strany"), GroupBox_Od);
    RadioButton_Prvni->setObjectName(QStringLiteral("RadioButton_Prvni"));
    RadioButton_Prvni->setChecked(true);
    RadioButton_Aktualni = new QRadioButton(QStringLiteral("Aktuální strany"), GroupBox_Od);
    RadioButton_Aktualni->setObjectName(QStringLiteral("RadioButton_Aktualni"));
    auto *from = new QVBoxLayout(GroupBox_Od);
    from->addWidget(RadioButton_Prvni);
    from->addWidget(RadioButton_Aktualni);

    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(Label_Text);
    layout->addWidget(Edit_Text);
    layout->addWidget(CheckBox_Velikost);
    layout->addWidget(GroupBox_Od);
}

QString TForm_NahledHledat::Text() const
{
    return Edit_Text->text();
}

bool TForm_NahledHledat::CaseSensitive() const
{
    return CheckBox_Velikost->isChecked();
}

bool TForm_NahledHledat::FromFirstPage() const
{
    return RadioButton_Prvni->isChecked();
}
