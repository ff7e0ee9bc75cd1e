#include "report/designer/dialogs/pgoptform.h"

#include "report/designer/dialogs/dialogparts.h"

#include "report/controlutils.h"
#include "report/vldialogbuttons.h"
#include "report/vltoolbuttons.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A sheet of paper with a letter on it, upright or lying.
QPixmap sheetPicture(bool portrait)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect sheet = portrait ? QRect(10, 2, 28, 40) : QRect(2, 10, 40, 28);
    painter.fillRect(sheet.translated(3, 3), Qt::darkGray);
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(sheet, Qt::AlignCenter, QStringLiteral("A"));
    return pixmap;
}

QLineEdit *numberEdit(QWidget *parent, const char *name)
{
    auto *edit = dialogparts::lineEdit(parent, name);
    edit->setValidator(new QIntValidator(0, 99999, edit));
    edit->setMaximumWidth(70);
    return edit;
}

int number(const QLineEdit *edit)
{
    return edit->text().toInt();
}

} // namespace

TvlPgoptForm::TvlPgoptForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlPgoptForm");
    setWindowTitle("Nastavení strany");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    GroupBox2 = groupBox(TabSheet1, "GroupBox2", "&Orientace");
    RB1 = radioButton(GroupBox2, "RB1", "Na &výšku");
    RB2 = radioButton(GroupBox2, "RB2", "Na &šířku");
    imgPortrait = new QLabel(GroupBox2);
    imgPortrait->setObjectName("imgPortrait");
    imgPortrait->setPixmap(sheetPicture(true));
    imgLandScape = new QLabel(GroupBox2);
    imgLandScape->setObjectName("imgLandScape");
    imgLandScape->setPixmap(sheetPicture(false));
    auto *orientation = new QGridLayout(GroupBox2);
    orientation->addWidget(RB1, 0, 0);
    orientation->addWidget(RB2, 1, 0);
    orientation->addWidget(imgPortrait, 0, 1, 2, 1);
    orientation->addWidget(imgLandScape, 0, 1, 2, 1);
    orientation->setColumnStretch(0, 1);
    GroupBox3 = groupBox(TabSheet1, "GroupBox3", "&Velikost");
    ComB1 = new QComboBox(GroupBox3);
    ComB1->setObjectName("ComB1");
    GroupBox3->setFocusProxy(ComB1);
    E1 = numberEdit(GroupBox3, "E1");
    Label1 = label(GroupBox3, "Label1", "&Délka, mm", E1);
    E2 = numberEdit(GroupBox3, "E2");
    Label2 = label(GroupBox3, "Label2", "&Výška, mm", E2);
    auto *size = new QGridLayout(GroupBox3);
    size->addWidget(ComB1, 0, 0, 1, 2);
    size->addWidget(Label1, 1, 0);
    size->addWidget(E1, 1, 1);
    size->addWidget(Label2, 2, 0);
    size->addWidget(E2, 2, 1);
    auto *paper = new QVBoxLayout(TabSheet1);
    paper->addWidget(GroupBox2);
    paper->addWidget(GroupBox3);
    paper->addStretch();
    PageControl1->addTab(TabSheet1, "Papír");

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    GroupBox4 = groupBox(TabSheet2, "GroupBox4", "Okraje stran");
    E3 = numberEdit(GroupBox4, "E3");
    E4 = numberEdit(GroupBox4, "E4");
    E5 = numberEdit(GroupBox4, "E5");
    E6 = numberEdit(GroupBox4, "E6");
    Label3 = label(GroupBox4, "Label3", "&Vlevo, mm", E3);
    Label4 = label(GroupBox4, "Label4", "&Nahoře, mm", E4);
    Label5 = label(GroupBox4, "Label5", "Vp&ravo, mm", E5);
    Label6 = label(GroupBox4, "Label6", "&Dole, mm", E6);
    CB5 = checkBox(GroupBox4, "CB5", "&Nepoužívat");
    auto *margins = new QGridLayout(GroupBox4);
    // Left and top in the first row, right and bottom in the second: the
    // order the edits take the focus in.
    margins->addWidget(Label3, 0, 0);
    margins->addWidget(E3, 0, 1);
    margins->addWidget(Label4, 0, 2);
    margins->addWidget(E4, 0, 3);
    margins->addWidget(Label5, 1, 0);
    margins->addWidget(E5, 1, 1);
    margins->addWidget(Label6, 1, 2);
    margins->addWidget(E6, 1, 3);
    margins->addWidget(CB5, 2, 0, 1, 4);
    auto *marginTab = new QVBoxLayout(TabSheet2);
    marginTab->addWidget(GroupBox4);
    marginTab->addStretch();
    PageControl1->addTab(TabSheet2, "Okraje");

    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    GroupBox1 = groupBox(TabSheet3, "GroupBox1", "Nastavení");
    CB1 = checkBox(GroupBox1, "CB1", "&Tiskonut na předchozí stranu");
    (new QVBoxLayout(GroupBox1))->addWidget(CB1);
    GroupBox5 = groupBox(TabSheet3, "GroupBox5", "Sloupce");
    Edit1 = numberEdit(GroupBox5, "Edit1");
    Label7 = label(GroupBox5, "Label7", "&Počet", Edit1);
    SB1 = spinButton(GroupBox5, "SB1", true);
    SB2 = spinButton(GroupBox5, "SB2", false);
    E7 = numberEdit(GroupBox5, "E7");
    Label8 = label(GroupBox5, "Label8", "&Mezera mezi sloupci, mm", E7);
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SB1);
    spin->addWidget(SB2);
    auto *columns = new QGridLayout(GroupBox5);
    columns->addWidget(Label7, 0, 0);
    columns->addWidget(Edit1, 0, 1);
    columns->addLayout(spin, 0, 2);
    columns->addWidget(Label8, 1, 0);
    columns->addWidget(E7, 1, 1);
    columns->setColumnStretch(3, 1);
    auto *settings = new QVBoxLayout(TabSheet3);
    settings->addWidget(GroupBox1);
    settings->addWidget(GroupBox5);
    settings->addStretch();
    PageControl1->addTab(TabSheet3, "Nastvení");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));

    connect(RB1, &QRadioButton::clicked, this, [this] { RB1Click(); });
    connect(RB2, &QRadioButton::clicked, this, [this] { RB1Click(); });
    connect(ComB1, &QComboBox::currentIndexChanged, this, [this] { ComB1Change(); });
    connect(CB5, &QCheckBox::clicked, this, [this] { CB5Click(); });
    connect(SB1, &TvlSpeedButton::OnClick, this, [this] { SB1Click(); });
    connect(SB2, &TvlSpeedButton::OnClick, this, [this] { SB2Click(); });
    SetOptions(m_options);
}

void TvlPgoptForm::SetOptions(const TvlPageSetup &options)
{
    m_options = options;
    RB1->setChecked(options.Orientation == poPortrait);
    RB2->setChecked(options.Orientation != poPortrait);
    {
        const QSignalBlocker blocker(ComB1);
        ComB1->clear();
        ComB1->addItems(options.PaperNames);
        ComB1->setCurrentIndex(options.PaperIndex);
    }
    E1->setText(QString::number(options.WidthMm));
    E2->setText(QString::number(options.HeightMm));
    QLineEdit *const margins[] = {E3, E4, E5, E6};
    for (int i = 0; i < 4; ++i)
        margins[i]->setText(QString::number(options.MarginsMm[size_t(i)]));
    CB5->setChecked(options.NoMargins);
    CB1->setChecked(options.PrintOnPreviousPage);
    Edit1->setText(QString::number(options.Columns));
    E7->setText(QString::number(options.ColumnGapMm));
    RB1Click();
    ComB1Change();
    CB5Click();
}

TvlPageSetup TvlPgoptForm::Options() const
{
    TvlPageSetup o = m_options;
    o.Orientation = RB1->isChecked() ? poPortrait : poLandscape;
    o.PaperIndex = ComB1->currentIndex();
    o.WidthMm = number(E1);
    o.HeightMm = number(E2);
    const QLineEdit *const margins[] = {E3, E4, E5, E6};
    for (int i = 0; i < 4; ++i)
        o.MarginsMm[size_t(i)] = number(margins[i]);
    o.NoMargins = CB5->isChecked();
    o.PrintOnPreviousPage = CB1->isChecked();
    o.Columns = number(Edit1);
    o.ColumnGapMm = number(E7);
    return o;
}

void TvlPgoptForm::RB1Click()
{
    imgPortrait->setVisible(RB1->isChecked());
    imgLandScape->setVisible(!RB1->isChecked());
}

void TvlPgoptForm::ComB1Change()
{
    TvlPageSetup o = m_options;
    o.PaperIndex = ComB1->currentIndex();
    EnableControls({E1, E2, Label1, Label2}, o.CustomSize());
}

void TvlPgoptForm::CB5Click()
{
    EnableControls({E3, E4, E5, E6, Label3, Label4, Label5, Label6}, !CB5->isChecked());
}

void TvlPgoptForm::SB1Click()
{
    Edit1->setText(QString::number(TvlPageSetup::ColumnsUp(number(Edit1))));
}

void TvlPgoptForm::SB2Click()
{
    Edit1->setText(QString::number(TvlPageSetup::ColumnsDown(number(Edit1))));
}

void TvlPgoptForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    RB1Click();
    ComB1Change();
    CB5Click();
    ComB1->view()->setMinimumWidth(200);
}
