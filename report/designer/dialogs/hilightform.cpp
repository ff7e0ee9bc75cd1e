#include "report/designer/dialogs/hilightform.h"

#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/dialogparts.h"

#include "platform/colors.h"
#include "report/vldialogbuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A filled square of the colour; a transparent one stays empty with a frame.
QIcon swatch(qint32 color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (color != TvlHilightForm::Transparent)
        painter.fillRect(1, 1, 12, 12, Colors::toQColor(color));
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

TvlHilightForm::TvlHilightForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlHilightForm");
    setWindowTitle("Nastavení zvýraznění");
    GroupBox3 = groupBox(this, "GroupBox3", "&Podmínka");
    Edit1 = lineEdit(GroupBox3, "Edit1");
    Edit1->setMinimumWidth(280);
    GroupBox3->setFocusProxy(Edit1);
    (new QVBoxLayout(GroupBox3))->addWidget(Edit1);
    GroupBox1 = groupBox(this, "GroupBox1", "&Font");
    SpeedButton1 = speedButton(GroupBox1, "SpeedButton1", "&Barva...");
    CB1 = checkBox(GroupBox1, "CB1", "&Tučně");
    CB2 = checkBox(GroupBox1, "CB2", "&Kurzíva");
    CB3 = checkBox(GroupBox1, "CB3", "&Podškrtnuté");
    auto *font = new QVBoxLayout(GroupBox1);
    for (QWidget *w : QList<QWidget *>{SpeedButton1, CB1, CB2, CB3})
        font->addWidget(w);
    GroupBox2 = groupBox(this, "GroupBox2", "Polozadí");
    RB1 = radioButton(GroupBox2, "RB1", "&Průhledné");
    RB2 = radioButton(GroupBox2, "RB2", "&Jiné");
    SpeedButton2 = speedButton(GroupBox2, "SpeedButton2", "&Barva...");
    auto *fill = new QVBoxLayout(GroupBox2);
    for (QWidget *w : QList<QWidget *>{RB1, RB2, SpeedButton2})
        fill->addWidget(w);
    fill->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(GroupBox1);
    row->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox3);
    layout->addLayout(row);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));

    connect(RB1, &QRadioButton::clicked, this, [this] { RB1Click(); });
    connect(RB2, &QRadioButton::clicked, this, [this] { RB1Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    SetOptions({});
}

void TvlHilightForm::SetOptions(const TvlHighlightOptions &o)
{
    Edit1->setText(o.Condition);
    m_fontColor = o.FontColor;
    m_fillColor = o.FillColor;
    CB1->setChecked(o.Style & 2);
    CB2->setChecked(o.Style & 1);
    CB3->setChecked(o.Style & 4);
    (m_fillColor != Transparent ? RB2 : RB1)->setChecked(true);
    RB1Click();
}

TvlHighlightOptions TvlHilightForm::Options() const
{
    TvlHighlightOptions o;
    o.Condition = Edit1->text();
    o.FontColor = m_fontColor;
    o.FillColor = m_fillColor;
    o.Style = quint16((CB1->isChecked() ? 2 : 0) | (CB2->isChecked() ? 1 : 0) | (CB3->isChecked() ? 4 : 0));
    return o;
}

void TvlHilightForm::RB1Click()
{
    SpeedButton2->setEnabled(RB2->isChecked());
    if (RB1->isChecked())
        m_fillColor = Transparent;
    ShowSwatches();
}

void TvlHilightForm::ShowSwatches()
{
    SpeedButton1->setIcon(swatch(m_fontColor));
    SpeedButton2->setIcon(swatch(m_fillColor));
}

void TvlHilightForm::SpeedButton1Click()
{
    if (vlDialogAnswers().Color(m_fontColor, this))
        ShowSwatches();
}

void TvlHilightForm::SpeedButton2Click()
{
    if (vlDialogAnswers().Color(m_fillColor, this))
        ShowSwatches();
}
