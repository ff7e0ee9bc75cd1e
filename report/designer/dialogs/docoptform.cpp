#include "report/designer/dialogs/docoptform.h"

#include "report/designer/dialogs/dialogparts.h"

#include "report/printer.h"
#include "report/vldialogbuttons.h"
#include "report/vlreport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

TvlReportSetup TvlReportSetup::FromReport(const TvlReport &report, const TvlPrinter &printer)
{
    TvlReportSetup o;
    o.Printers = printer.Printers();
    o.PrinterIndex = o.OldPrinterIndex = printer.PrinterIndex();
    o.AskPrinter = report.KeepCurrentPrinter == 0;
    o.TwoPass = report.TwoPass != 0;
    return o;
}

bool TvlReportSetup::ApplyTo(TvlReport &report, QString *error) const
{
    report.KeepCurrentPrinter = AskPrinter ? 0 : 0xFFFF;
    report.TwoPass = TwoPass ? 0xFFFF : 0;
    if (PrinterIndex < 0 || PrinterIndex == OldPrinterIndex)
        return true;
    try {
        return report.ChangePrinter(OldPrinterIndex, PrinterIndex);
    } catch (const EPrinterError &e) {
        if (error)
            *error = e.text();
        return false;
    }
}

TvlDocOptForm::TvlDocOptForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlDocOptForm");
    setWindowTitle("Nastavení sestavy");
    GroupBox1 = groupBox(this, "GroupBox1", "Tiskárna");
    ComB1 = new QComboBox(GroupBox1);
    ComB1->setObjectName("ComB1");
    ComB1->setMinimumWidth(260);
    CB1 = checkBox(GroupBox1, "CB1", "&Před otevřením zvol tiskárnu");
    auto *printer = new QVBoxLayout(GroupBox1);
    printer->addWidget(ComB1);
    printer->addWidget(CB1);
    GroupBox2 = groupBox(this, "GroupBox2", "Ostatní");
    CB2 = checkBox(GroupBox2, "CB2", "&Zjištění počtu stran sestavy");
    (new QVBoxLayout(GroupBox2))->addWidget(CB2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
}

void TvlDocOptForm::SetOptions(const TvlReportSetup &options)
{
    m_options = options;
    ComB1->clear();
    ComB1->addItems(options.Printers);
    ComB1->setCurrentIndex(options.PrinterIndex);
    CB1->setChecked(options.AskPrinter);
    CB2->setChecked(options.TwoPass);
}

TvlReportSetup TvlDocOptForm::Options() const
{
    TvlReportSetup o = m_options;
    o.PrinterIndex = ComB1->currentIndex();
    o.AskPrinter = CB1->isChecked();
    o.TwoPass = CB2->isChecked();
    return o;
}
