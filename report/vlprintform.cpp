#include "report/vlprintform.h"
#include "report/vldialogbuttons.h"

#include "platform/messages.h"
#include "report/printer.h"
#include "report/vlglyphs.h"
#include "report/vltoolbuttons.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::function<bool(QWidget *)> TvlPrintForm::PageSetup = [](QWidget *parent) {
    QPrinter *printer = vlPrinter().Printer();
    if (!printer)
        return false;
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
};

TvlPrintForm::TvlPrintForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlPrintForm");
    setWindowTitle("Tisk");
    const auto named = [](QWidget *w, const char *name) {
        w->setObjectName(name);
        return w;
    };
    GroupBox1 = new QGroupBox("&Tiskárna", this);
    GroupBox1->setObjectName("GroupBox1");
    CB1 = new QComboBox(GroupBox1);
    named(CB1, "CB1");
    CB1->setIconSize(QSize(18, 16));
    PropButton = new QPushButton("&Vlastnosti", GroupBox1);
    named(PropButton, "PropButton");
    auto *printerRow = new QHBoxLayout(GroupBox1);
    printerRow->addWidget(CB1, 1);
    printerRow->addWidget(PropButton);

    Label1 = new QLabel("&Kopie:", this);
    named(Label1, "Label1");
    E1 = new QLineEdit("1", this);
    named(E1, "E1");
    E1->setValidator(new QIntValidator(1, 9999, E1));
    E1->setMaximumWidth(60);
    Label1->setBuddy(E1);
    vlSpeedButton1 = new TvlSpeedButton(this);
    named(vlSpeedButton1, "vlSpeedButton1");
    vlSpeedButton1->SetGlyph(vlGlyph(TvlGlyph::Up));
    vlSpeedButton1->setFixedSize(16, 11);
    vlSpeedButton2 = new TvlSpeedButton(this);
    named(vlSpeedButton2, "vlSpeedButton2");
    vlSpeedButton2->SetGlyph(vlGlyph(TvlGlyph::Down));
    vlSpeedButton2->setFixedSize(16, 11);
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(vlSpeedButton1);
    spin->addWidget(vlSpeedButton2);
    auto *copies = new QHBoxLayout;
    copies->addWidget(Label1);
    copies->addWidget(E1);
    copies->addLayout(spin);
    copies->addStretch();

    GroupBox2 = new QGroupBox("&Stránky", this);
    GroupBox2->setObjectName("GroupBox2");
    RB1 = new QRadioButton("&Všechny", GroupBox2);
    named(RB1, "RB1");
    RB1->setChecked(true);
    RB2 = new QRadioButton("&Aktuální strana", GroupBox2);
    named(RB2, "RB2");
    RB3 = new QRadioButton("&Čísla stránek:", GroupBox2);
    named(RB3, "RB3");
    E2 = new QLineEdit(GroupBox2);
    named(E2, "E2");
    Label2 = new QLabel("Čísla stránek, rozsah stránek, Např.: 1,3,5-12", GroupBox2);
    named(Label2, "Label2");
    auto *pages = new QGridLayout(GroupBox2);
    pages->addWidget(RB1, 0, 0, 1, 2);
    pages->addWidget(RB2, 1, 0, 1, 2);
    pages->addWidget(RB3, 2, 0);
    pages->addWidget(E2, 2, 1);
    pages->addWidget(Label2, 3, 0, 1, 2);

    QHBoxLayout *buttons = vlOkCancelButtons(this, Button1, Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(copies);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    TvlPrinter &printer = vlPrinter();
    m_oldIndex = printer.PrinterIndex();
    if (printer.Printer())
        m_oldLayout = printer.Printer()->pageLayout();
    const QIcon icon(QPixmap::fromImage(TvlButtonGlyph::BuildImage(vlGlyph(TvlGlyph::Printer), 1, TvlGlyphState::Up,
                                                                   QColor(TvlButtonGlyph::DefaultTransparent), {})));
    for (const QString &name : printer.Printers())
        CB1->addItem(icon, name);
    SelectCurrentPrinter();

    connect(CB1, &QComboBox::activated, this, [this] { CB1Click(); });
    connect(PropButton, &QPushButton::clicked, this, [this] { PropButtonClick(); });
    connect(vlSpeedButton1, &TvlSpeedButton::OnClick, this, [this] { vlSpeedButton1Click(); });
    connect(vlSpeedButton2, &TvlSpeedButton::OnClick, this, [this] { vlSpeedButton2Click(); });
    connect(RB3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            E2->setFocus();
    });
    E2->installEventFilter(this);
    setTabOrder(CB1, PropButton);
    setTabOrder(PropButton, E1);
    setTabOrder(E1, RB1);
    setTabOrder(RB1, RB2);
    setTabOrder(RB2, RB3);
    setTabOrder(RB3, E2);
    setTabOrder(E2, Button1);
    setTabOrder(Button1, Button2);
}

void TvlPrintForm::SelectCurrentPrinter()
{
    CB1->setCurrentIndex(vlPrinter().PrinterIndex());
}

int TvlPrintForm::Copies() const
{
    return qMax(1, E1->text().toInt());
}

QString TvlPrintForm::PageList(int currentPage) const
{
    if (RB2->isChecked())
        return QString::number(currentPage);
    if (RB3->isChecked())
        return E2->text();
    return {};
}

bool TvlPrintForm::PrinterChanged() const
{
    return vlPrinter().PrinterIndex() != m_oldIndex;
}

void TvlPrintForm::CB1Click()
{
    const int index = CB1->currentIndex();
    if (index < 0 || index == vlPrinter().PrinterIndex())
        return;
    try {
        vlPrinter().SetPrinterIndex(index);
    } catch (const EPrinterError &error) {
        ShowWarning("Tiskárnu nelze vybrat...", error.text());
        SelectCurrentPrinter();
    }
}

void TvlPrintForm::PropButtonClick()
{
    PageSetup(this);
    SelectCurrentPrinter();
}

void TvlPrintForm::vlSpeedButton1Click()
{
    E1->setText(QString::number(Copies() + 1));
}

void TvlPrintForm::vlSpeedButton2Click()
{
    E1->setText(QString::number(qMax(1, Copies() - 1)));
}

bool TvlPrintForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == E2 && event->type() == QEvent::MouseButtonPress)
        RB3->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TvlPrintForm::done(int result)
{
    if (result != QDialog::Accepted) {
        TvlPrinter &printer = vlPrinter();
        try {
            if (printer.PrinterIndex() != m_oldIndex)
                printer.SetPrinterIndex(m_oldIndex);
        } catch (const EPrinterError &) {
            // the printer went away meanwhile: the one chosen stays
        }
        if (printer.Printer() && printer.PrinterIndex() == m_oldIndex)
            printer.Printer()->setPageLayout(m_oldLayout);
    }
    QDialog::done(result);
}
