#include "report/vlfmtform.h"
#include "report/vldialogbuttons.h"

#include "report/vlformats.h"
#include "report/vlview.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TvlFmtForm::TvlFmtForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlFmtForm");
    setWindowTitle("Formátování proměnné");
    GroupBox1 = new QGroupBox("Format proměnné", this);
    GroupBox1->setObjectName("GroupBox1");
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox2 = new QComboBox(GroupBox1);
    ComboBox2->setObjectName("ComboBox2");
    Panel1 = new QWidget(GroupBox1);
    Panel1->setObjectName("Panel1");
    Label5 = new QLabel("&Desetinná místa", Panel1);
    Label5->setObjectName("Label5");
    Edit3 = new QLineEdit(Panel1);
    Edit3->setObjectName("Edit3");
    Edit3->setValidator(new QIntValidator(0, 255, Edit3));
    Label5->setBuddy(Edit3);
    Label6 = new QLabel("&Oddělovač", Panel1);
    Label6->setObjectName("Label6");
    SplEdit = new QLineEdit(Panel1);
    SplEdit->setObjectName("SplEdit");
    SplEdit->setMaxLength(1);
    Label6->setBuddy(SplEdit);
    auto *numbers = new QGridLayout(Panel1);
    numbers->setContentsMargins(0, 0, 0, 0);
    numbers->addWidget(Label5, 0, 0);
    numbers->addWidget(Edit3, 0, 1);
    numbers->addWidget(Label6, 1, 0);
    numbers->addWidget(SplEdit, 1, 1);
    Panel2 = new QWidget(GroupBox1);
    Panel2->setObjectName("Panel2");
    Label1 = new QLabel("&Formát", Panel2);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(Panel2);
    Edit1->setObjectName("Edit1");
    Label1->setBuddy(Edit1);
    auto *own = new QHBoxLayout(Panel2);
    own->setContentsMargins(0, 0, 0, 0);
    own->addWidget(Label1);
    own->addWidget(Edit1, 1);
    auto *group = new QGridLayout(GroupBox1);
    group->addWidget(ComboBox1, 0, 0);
    group->addWidget(ComboBox2, 0, 1);
    group->addWidget(Panel1, 1, 0, 1, 2);
    group->addWidget(Panel2, 2, 0, 1, 2);
    group->setRowStretch(3, 1);
    QHBoxLayout *buttons = vlOkCancelButtons(this, Button1, Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    setMinimumSize(340, 200);

    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Click(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Click(); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    connect(SplEdit, &QLineEdit::textChanged, this, [this] { SplEditChange(); });
    SplEdit->installEventFilter(this);
    SetFormat(vlDefaultFormat());
}

void TvlFmtForm::SetFormat(qint32 format, const QString &formatText)
{
    m_format = format;
    m_filling = true;
    ComboBox1->clear();
    ComboBox1->addItems(vlFormatKindNames());
    ComboBox1->setCurrentIndex(vlFormatKind(format));
    ComboBox2->clear();
    ComboBox2->addItems(vlFormatNames(vlFormatKind(format)));
    ComboBox2->setCurrentIndex(vlFormatIndex(format));
    Edit1->setText(formatText);
    m_filling = false;
    ShowPanels();
}

QString TvlFmtForm::FormatText() const
{
    return Edit1->text();
}

void TvlFmtForm::ComboBox1Click()
{
    m_format = vlSetFormatKind(m_format, ComboBox1->currentIndex());
    m_filling = true;
    ComboBox2->clear();
    ComboBox2->addItems(vlFormatNames(ComboBox1->currentIndex()));
    ComboBox2->setCurrentIndex(0);
    m_filling = false;
    ComboBox2Click();
    Edit1->clear();
}

void TvlFmtForm::ComboBox2Click()
{
    m_format = vlSetFormatIndex(m_format, qMax(0, ComboBox2->currentIndex()));
    ShowPanels();
}

void TvlFmtForm::ShowPanels()
{
    const bool own = vlFormatIndex(m_format) == vlCustomFormatIndex;
    const bool number = vlFormatKind(m_format) == fkNumber && !own;
    Panel2->setVisible(own);
    Panel1->setVisible(number);
    if (number) {
        m_filling = true;
        Edit3->setText(QString::number(vlFormatDecimals(m_format)));
        SplEdit->setText(QString(vlFormatSeparator(m_format)));
        m_filling = false;
    }
}

void TvlFmtForm::Edit3Change()
{
    if (!m_filling)
        m_format = vlSetFormatDecimals(m_format, Edit3->text().toInt());
}

void TvlFmtForm::SplEditChange()
{
    if (!m_filling)
        m_format = vlSetFormatSeparator(m_format, SplEdit->text().isEmpty() ? QChar(u',') : SplEdit->text().at(0));
}

void TvlFmtForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SetFormat(m_format, Edit1->text());
}

bool TvlFmtForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SplEdit && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, SplEdit, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
