#include "report/designer/dialogs/bandeditorform.h"

#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/dialogparts.h"

#include "report/controlutils.h"
#include "report/vldialogbuttons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

void TvlSourceControls::Fill(QComboBox *combo, QLineEdit *edit, QLabel *label, const QStringList &dataSets)
{
    m_combo = combo;
    m_edit = edit;
    m_label = label;
    combo->addItems(vlBandSource::entries(dataSets));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    QObject::connect(combo, &QComboBox::currentIndexChanged, edit, [this] { EnableCount(); });
}

void TvlSourceControls::Show(const QString &value)
{
    QStringList entries;
    for (int i = 0; i < m_combo->count(); ++i)
        entries << m_combo->itemText(i);
    const vlBandSource::Shown shown = vlBandSource::show(value, entries);
    m_combo->setCurrentIndex(int(entries.indexOf(shown.entry)));
    m_edit->setText(shown.count);
    EnableCount();
}

QString TvlSourceControls::Value() const
{
    return vlBandSource::value(m_combo->currentText(), m_edit->text());
}

void TvlSourceControls::EnableCount()
{
    EnableControls({m_edit, m_label}, m_combo->currentText() == vlBandSource::virtualEntry());
}

// --- data band ---------------------------------------------------------------------

TvlBandEditorForm::TvlBandEditorForm(const QStringList &dataSets, QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlBandEditorForm");
    setWindowTitle("Band datový zdroj");
    GB1 = groupBox(this, "GB1", "&Datový zdroj");
    CB1 = new QComboBox(GB1);
    CB1->setObjectName("CB1");
    CB1->setMinimumWidth(220);
    GB1->setFocusProxy(CB1);
    Edit1 = lineEdit(GB1, "Edit1");
    Label2 = label(GB1, "Label2", "&Počet záznamů", Edit1);
    auto *grid = new QGridLayout(GB1);
    grid->addWidget(CB1, 0, 0, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GB1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    m_controls.Fill(CB1, Edit1, Label2, dataSets);
    SetSource({});
}

void TvlBandEditorForm::SetSource(const QString &formatText)
{
    m_controls.Show(formatText);
}

QString TvlBandEditorForm::Source() const
{
    return m_controls.Value();
}

// --- cross band --------------------------------------------------------------------

TvlVBandEditorForm::TvlVBandEditorForm(const TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent)
    : QDialog(parent)
    , m_sources(sources)
{
    using namespace dialogparts;
    setObjectName("TvlVBandEditorForm");
    setWindowTitle("Band datové zdroje");
    GroupBox1 = groupBox(this, "GroupBox1", "Bands");
    LB1 = new QListWidget(GroupBox1);
    LB1->setObjectName("LB1");
    (new QVBoxLayout(GroupBox1))->addWidget(LB1);
    GroupBox2 = groupBox(this, "GroupBox2", "Datový zdroj");
    CB1 = new QComboBox(GroupBox2);
    CB1->setObjectName("CB1");
    CB1->setMinimumWidth(220);
    Edit1 = lineEdit(GroupBox2, "Edit1");
    Label1 = label(GroupBox2, "Label1", "&Počet záznamů", Edit1);
    auto *grid = new QGridLayout(GroupBox2);
    grid->addWidget(CB1, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->setRowStretch(2, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(GroupBox1, 1);
    row->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    m_controls.Fill(CB1, Edit1, Label1, dataSets);
    for (const TvlCrossSources::Band &band : m_sources.Bands)
        LB1->addItem(band.caption);
    // Without bands to give sources to there is nothing to confirm.
    Button1->setVisible(!m_sources.Bands.isEmpty());
    connect(LB1, &QListWidget::currentRowChanged, this, [this] { LB1Click(); });
    connect(CB1, &QComboBox::activated, this, [this] { StoreValue(); });
    connect(Edit1, &QLineEdit::textEdited, this, [this] { StoreValue(); });
    if (LB1->count())
        LB1->setCurrentRow(0);
    else
        m_controls.Show({});
}

void TvlVBandEditorForm::LB1Click()
{
    const int row = LB1->currentRow();
    if (row >= 0 && row < m_sources.Bands.size())
        m_controls.Show(m_sources.Bands.at(row).value);
}

void TvlVBandEditorForm::StoreValue()
{
    const int row = LB1->currentRow();
    if (row >= 0 && row < m_sources.Bands.size())
        m_sources.Bands[row].value = m_controls.Value();
}

// --- group ---------------------------------------------------------------------------

TvlGroupEditorForm::TvlGroupEditorForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlGroupEditorForm");
    setWindowTitle("Skupina");
    GB1 = groupBox(this, "GB1", "&Podmínka");
    Edit1 = lineEdit(GB1, "Edit1");
    Edit1->setMinimumWidth(260);
    GB1->setFocusProxy(Edit1);
    vlSpeedButton1 = speedButton(GB1, "vlSpeedButton1", QStringLiteral("DB"), QStringLiteral("Vložit DB položku"));
    auto *row = new QHBoxLayout(GB1);
    row->addWidget(Edit1, 1);
    row->addWidget(vlSpeedButton1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GB1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    connect(vlSpeedButton1, &QToolButton::clicked, this, [this] { vlSpeedButton1Click(); });
}

void TvlGroupEditorForm::vlSpeedButton1Click()
{
    const QString field = vlDialogAnswers().PickField(this);
    if (!field.isEmpty())
        Edit1->setText(field);
}
