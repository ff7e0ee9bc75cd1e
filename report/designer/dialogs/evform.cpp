#include "report/designer/dialogs/evform.h"

#include "report/designer/dialogs/bandsource.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/dialogparts.h"
#include "report/designer/dialogs/valuesnapshot.h"

#include "report/controlutils.h"
#include "report/vlbuilder.h"
#include "report/vldialogbuttons.h"
#include "report/vlinterpreter.h"
#include "report/vlreport.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The one copy buffer of the run.
TvlValueSnapshot &copyBuffer()
{
    static TvlValueSnapshot buffer;
    return buffer;
}

const int expressionRow = 1 + vlSpecialExpression; // after "[Žádný]"

void selectText(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchFixedString);
    list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
}

} // namespace

const QString TvlEvForm::OtherSource = QStringLiteral("Jiné");
const QString TvlEvForm::EngineSource = QStringLiteral("VL proměnné");

const QStringList &TvlEvForm::SpecialNames()
{
    static const QStringList names = {"PAGE#",        "EXPRESSION", "DATE",         "TIME",      "LINE#",
                                      "LINETHROUGH#", "COLUMN#",    "CURRENTLINE#", "TOTALPAGES"};
    return names;
}

QStringList vlVariableNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines)
        if (line.startsWith(u' '))
            names << line.mid(1);
    return names;
}

void vlSetVariableLines(TvlReport &report, const QStringList &lines)
{
    const QStringList names = vlVariableNames(lines);
    TvlValues &values = report.Values();
    for (int i = values.Count() - 1; i >= 0; --i)
        if (!names.contains(values.Name(i), Qt::CaseInsensitive))
            values.Delete(i);
    report.Variables = lines;
    for (const QString &name : names)
        if (!values.FindVariable(name))
            values.SetName(values.AddValue(), name);
}

TvlEvForm::TvlEvForm(TvlReport &report, const TvlFieldSource &source, const QString &ownerName, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_source(source)
    , m_ownerName(ownerName)
{
    using namespace dialogparts;
    setObjectName("TvlEvForm");
    setWindowTitle("Editor proměnných");
    VarCombo = new QComboBox(this);
    VarCombo->setObjectName("VarCombo");
    VarList = new QListWidget(this);
    VarList->setObjectName("VarList");
    Label1 = label(this, "Label1", "&Proměnná", VarCombo);
    ValCombo = new QComboBox(this);
    ValCombo->setObjectName("ValCombo");
    ValList = new QListWidget(this);
    ValList->setObjectName("ValList");
    Label2 = label(this, "Label2", "&Hodnota", ValCombo);
    Edit1 = lineEdit(this, "Edit1");
    Label3 = label(this, "Label3", "&Výraz", Edit1);
    SB1 = speedButton(this, "SB1", "Kopírovat", "Kopírovat proměnné");
    SB2 = speedButton(this, "SB2", "Vložit", "Vložit proměnné");
    Button3 = new QPushButton("&Proměnné...", this);
    Button3->setObjectName("Button3");
    Button3->setAutoDefault(false);
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(VarCombo, 1, 0);
    grid->addWidget(ValCombo, 1, 1);
    grid->addWidget(VarList, 2, 0);
    grid->addWidget(ValList, 2, 1);
    grid->addWidget(Label3, 3, 0, 1, 2);
    grid->addWidget(Edit1, 4, 0, 1, 2);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(SB1);
    bottom->addWidget(SB2);
    bottom->addWidget(Button3);
    QHBoxLayout *buttons = vlOkCancelButtons(this, Button1, Button2);
    bottom->addLayout(buttons, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);
    resize(460, 400);

    connect(VarCombo, &QComboBox::activated, this, [this] { VarComboClick(); });
    connect(VarList, &QListWidget::currentRowChanged, this, [this] { VarListClick(); });
    connect(ValCombo, &QComboBox::activated, this, [this] { ValComboClick(); });
    connect(ValList, &QListWidget::currentRowChanged, this, [this] { UpdateExpression(); });
    connect(ValList, &QListWidget::itemClicked, this, [this] { Store(); });
    connect(SB1, &QToolButton::clicked, this, [this] { SB1Click(); });
    connect(SB2, &QToolButton::clicked, this, [this] { SB2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ValList->installEventFilter(this);
    Edit1->installEventFilter(this);
    Start();
}

void TvlEvForm::Start()
{
    // A variable of the lines without a value entry (a file can hold one)
    // gets an unassigned entry, so that it can be mapped here.
    TvlValues &values = m_report.Values();
    for (const QString &name : vlVariableNames(m_report.Variables))
        if (!values.FindVariable(name))
            values.SetName(values.AddValue(), name);
    QStringList categories;
    m_report.GetCategoryList(categories);
    VarCombo->clear();
    VarCombo->addItems(categories);
    ValCombo->clear();
    ValCombo->addItems(m_source.DataSets);
    ValCombo->addItem(OtherSource);
    ValCombo->addItem(EngineSource);
    VarCombo->setCurrentIndex(VarCombo->count() ? 0 : -1);
    ValCombo->setCurrentIndex(0);
    VarComboClick();
    ValComboClick();
    UpdateExpression();
    SB2->setEnabled(!copyBuffer().IsEmpty());
}

void TvlEvForm::VarComboClick()
{
    QStringList names;
    if (VarCombo->currentIndex() >= 0)
        m_report.GetVarList(VarCombo->currentIndex(), names);
    const QSignalBlocker blocker(VarList);
    VarList->clear();
    VarList->addItems(names);
}

TvlValue *TvlEvForm::SelectedValue() const
{
    const QListWidgetItem *item = VarList->currentItem();
    return item ? m_report.Values().FindVariable(item->text()) : nullptr;
}

void TvlEvForm::VarListClick()
{
    const TvlValue *value = SelectedValue();
    if (!value)
        return;
    switch (value->Kind) {
    case vkDataField: {
        QString dataSet = value->DataSet;
        const qsizetype dot = dataSet.indexOf(u'.');
        if (dot > 0 && !m_ownerName.isEmpty() && dataSet.left(dot).compare(m_ownerName, Qt::CaseInsensitive) == 0 &&
            ValCombo->findText(dataSet) < 0)
            dataSet = dataSet.mid(dot + 1);
        const int index = ValCombo->findText(dataSet);
        if (index >= 0)
            ValCombo->setCurrentIndex(index);
        ValComboClick();
        selectText(ValList, value->Field);
        break;
    }
    case vkSpecial:
        ValCombo->setCurrentText(OtherSource);
        ValComboClick();
        ValList->setCurrentRow(value->OtherKind >= 0 && value->OtherKind < SpecialNames().size() ? 1 + value->OtherKind
                                                                                                 : 0);
        if (value->OtherKind == vlSpecialExpression)
            Edit1->setText(value->Field);
        break;
    case vkExpression:
        ValCombo->setCurrentText(EngineSource);
        ValComboClick();
        selectText(ValList, value->Field);
        break;
    default:
        ValList->setCurrentRow(0);
        break;
    }
    UpdateExpression();
}

void TvlEvForm::ValComboClick()
{
    const QString source = ValCombo->currentText();
    QStringList values{vlBandSource::noneEntry()};
    if (source == OtherSource) {
        values += SpecialNames();
    } else if (source == EngineSource) {
        const TvlVariables &engine = vlScriptVariables();
        for (int i = 0; i < engine.Count(); ++i)
            values << engine.GetName(i);
    } else if (m_source.Fields) {
        values += m_source.Fields(source);
    }
    const QSignalBlocker blocker(ValList);
    ValList->clear();
    ValList->addItems(values);
    ValList->setCurrentRow(0);
    UpdateExpression();
}

bool TvlEvForm::ExpressionChosen() const
{
    return ValCombo->currentText() == OtherSource && ValList->currentRow() == expressionRow;
}

void TvlEvForm::UpdateExpression()
{
    const bool on = ExpressionChosen();
    if (!on)
        Edit1->clear();
    EnableControls({Edit1}, on);
}

void TvlEvForm::Store()
{
    TvlValue *value = SelectedValue();
    if (!value)
        return;
    const int row = ValList->currentRow();
    const QString source = ValCombo->currentText();
    if (row <= 0) {
        value->Kind = vkNotAssigned;
    } else if (source == OtherSource) {
        value->Kind = vkSpecial;
        value->OtherKind = row - 1;
        if (row == expressionRow)
            value->Field = Edit1->text();
    } else if (source == EngineSource) {
        value->Kind = vkExpression;
        value->Field = ValList->item(row)->text();
    } else {
        value->Kind = vkDataField;
        value->DataSet = source;
        value->Field = ValList->item(row)->text();
        value->OtherKind = 0;
    }
}

void TvlEvForm::SB1Click()
{
    copyBuffer().Take(m_report);
    SB2->setEnabled(true);
}

void TvlEvForm::SB2Click()
{
    if (copyBuffer().IsEmpty())
        return;
    copyBuffer().Restore(m_report);
    Start();
}

void TvlEvForm::Button3Click()
{
    QStringList lines = m_report.Variables;
    if (!vlDialogAnswers().VariableList(lines, this))
        return;
    vlSetVariableLines(m_report, lines);
    Start();
}

void TvlEvForm::done(int result)
{
    if (result == Accepted)
        Store();
    QDialog::done(result);
}

bool TvlEvForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ValList || watched == Edit1) && event->type() == QEvent::FocusOut)
        Store();
    return QDialog::eventFilter(watched, event);
}

// --- the variable list -------------------------------------------------------------

TvlVaredForm::TvlVaredForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlVaredForm");
    setWindowTitle("Seznam proměnných");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Label1 = dialogparts::label(this, "Label1", "&Kategorie a proměnné", Memo1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    resize(320, 360);
}

void TvlVaredForm::SetLines(const QStringList &lines)
{
    Memo1->setPlainText(lines.join(u'\n'));
}

QStringList TvlVaredForm::Lines() const
{
    QStringList lines = Memo1->toPlainText().split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}
