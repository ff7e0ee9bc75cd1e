#include "app/print/tiskarna.h"

#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "kit/intedit.h"
#include "kit/printercombo.h"
#include "report/printer.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::function<void(QWidget *)> TForm_Tiskarna::PrinterSetup = [](QWidget *parent) {
    if (QPrinter *printer = vlPrinter().Printer()) {
        QPageSetupDialog dialog(printer, parent);
        dialog.exec();
    }
};

TForm_Tiskarna::TForm_Tiskarna(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Tisk"));

    GroupBox_Stranky = new QGroupBox(QStringLiteral("Stránky"), Bevel);
    GroupBox_Stranky->setObjectName(QStringLiteral("GroupBox_Stranky"));
    RadioButton_Vsechny = new QRadioButton(QStringLiteral("&Všechny stránky"), GroupBox_Stranky);
    RadioButton_Vsechny->setObjectName(QStringLiteral("RadioButton_Vsechny"));
    RadioButton_Vsechny->setChecked(true);
    RadioButton_Cisla = new QRadioButton(QStringLiteral("&Čísla stránek"), GroupBox_Stranky);
    RadioButton_Cisla->setObjectName(QStringLiteral("RadioButton_Cisla"));
    Edit_Cisla = new QLineEdit(GroupBox_Stranky);
    Edit_Cisla->setObjectName(QStringLiteral("Edit_Cisla"));
    Edit_Cisla->installEventFilter(this);
    Label_Cisla = new QLabel(QStringLiteral("Čísla stránek, rozsah stránek,"), GroupBox_Stranky);
    Label_Cisla->setObjectName(QStringLiteral("Label_Cisla"));
    Label_Priklad = new QLabel(QStringLiteral("Např.: 1,3,5-12"), GroupBox_Stranky);
    Label_Priklad->setObjectName(QStringLiteral("Label_Priklad"));
    RadioButton_Aktualni = new QRadioButton(QStringLiteral("&Aktuální stránka"), GroupBox_Stranky);
    RadioButton_Aktualni->setObjectName(QStringLiteral("RadioButton_Aktualni"));
    auto *pages = new QGridLayout(GroupBox_Stranky);
    pages->addWidget(RadioButton_Vsechny, 0, 0, 1, 2);
    pages->addWidget(RadioButton_Cisla, 1, 0);
    pages->addWidget(Edit_Cisla, 1, 1);
    pages->addWidget(Label_Cisla, 2, 1);
    pages->addWidget(Label_Priklad, 3, 1);
    pages->addWidget(RadioButton_Aktualni, 4, 0, 1, 2);

    GroupBox_Kopie = new QGroupBox(QStringLiteral("Počet kopií"), Bevel);
    GroupBox_Kopie->setObjectName(QStringLiteral("GroupBox_Kopie"));
    IntegerEdit_Kopie = new TIntegerEdit(GroupBox_Kopie);
    IntegerEdit_Kopie->setObjectName(QStringLiteral("IntegerEdit_Kopie"));
    IntegerEdit_Kopie->setMax(999);
    IntegerEdit_Kopie->setMin(1);
    IntegerEdit_Kopie->setValue(1);
    auto *copies = new QHBoxLayout(GroupBox_Kopie);
    copies->addWidget(IntegerEdit_Kopie);
    copies->addStretch();

    GroupBox_Tiskarna = new QGroupBox(QStringLiteral("Tiskárna"), Bevel);
    GroupBox_Tiskarna->setObjectName(QStringLiteral("GroupBox_Tiskarna"));
    PrinterComboBox = new TPrinterComboBox(GroupBox_Tiskarna);
    PrinterComboBox->setObjectName(QStringLiteral("PrinterComboBox"));
    PrinterComboBox->setMinimumWidth(260);
    Button_Vlastnosti = NewPushButton(GroupBox_Tiskarna, "Button_Vlastnosti", QStringLiteral("Vlastnosti..."));
    auto *printer = new QHBoxLayout(GroupBox_Tiskarna);
    printer->addWidget(PrinterComboBox, 1);
    printer->addWidget(Button_Vlastnosti);

    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(GroupBox_Tiskarna);
    layout->addWidget(GroupBox_Stranky);
    layout->addWidget(GroupBox_Kopie);

    disconnect(Button_Storno, &QPushButton::clicked, nullptr, nullptr);
    connect(Button_Storno, &QPushButton::clicked, this, [this] { done(m_cancelResult); });
    connect(PrinterComboBox, &QComboBox::currentIndexChanged, this, [this] { PrinterComboBoxChange(); });
    connect(Button_Vlastnosti, &QPushButton::clicked, this, [this] { Button_VlastnostiClick(); });
    connect(RadioButton_Cisla, &QRadioButton::clicked, this, [this] { RadioButton_CislaClick(); });
    m_cancelResult = mrNo;
}

void TForm_Tiskarna::showEvent(QShowEvent *event)
{
    FormShow();
    TForm_Dialog::showEvent(event);
}

void TForm_Tiskarna::FormShow()
{
    m_oldIndex = vlPrinter().PrinterIndex();
    if (m_oldIndex < PrinterComboBox->count())
        PrinterComboBox->setPrinterIndex(m_oldIndex);
    PrinterComboBoxChange();
}

bool TForm_Tiskarna::PrinterChanged() const
{
    return PrinterComboBox->count() > 0 && PrinterComboBox->printerIndex() != m_oldIndex;
}

void TForm_Tiskarna::PrinterComboBoxChange()
{
    const bool changed = PrinterChanged();
    Button_Storno->setText(changed ? QStringLiteral("&Zavřít") : QStringLiteral("S&torno"));
    m_cancelResult = changed ? mrYes : mrNo;
}

void TForm_Tiskarna::Button_VlastnostiClick()
{
    const int chosen = PrinterComboBox->printerIndex();
    if (chosen >= 0 && chosen != vlPrinter().PrinterIndex()) {
        try {
            vlPrinter().SetPrinterIndex(chosen);
        } catch (const EPrinterError &) {
            return; // the engine keeps the printer it had; the print reports the error
        }
    }
    if (PrinterSetup)
        PrinterSetup(this);
}

void TForm_Tiskarna::RadioButton_CislaClick()
{
    Edit_Cisla->setFocus();
}

bool TForm_Tiskarna::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit_Cisla && event->type() == QEvent::FocusIn)
        RadioButton_Cisla->setChecked(true);
    return TForm_Dialog::eventFilter(watched, event);
}

QString TForm_Tiskarna::PageList(int currentPage) const
{
    if (RadioButton_Aktualni->isChecked())
        return QString::number(currentPage);
    if (RadioButton_Cisla->isChecked())
        return Edit_Cisla->text().trimmed();
    return {};
}

int TForm_Tiskarna::Copies()
{
    return IntegerEdit_Kopie->value();
}
