#include "report/vlvarform.h"

#include "report/vlinterpreter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The category chosen last, for the whole run.
QString &rememberedCategory()
{
    static QString category;
    return category;
}

} // namespace

const QString TvlVarForm::OtherCategory = QStringLiteral("Jiné");
const QString TvlVarForm::ScriptCategory = QStringLiteral("VL proměnné");

const QStringList &vlSpecialVariableTitles()
{
    static const QStringList titles = {"PAGE#",        "DATE",    "TIME",         "LINE#",
                                       "LINETHROUGH#", "COLUMN#", "CURRENTLINE#", "TOTALPAGES"};
    return titles;
}

const QStringList &vlSpecialVariableNames()
{
    static const QStringList names = {"PAGE#",        "DATE",    "TIME",     "LINE#",
                                      "LINETHROUGH#", "COLUMN#", "CURRENT#", "TOTALPAGES"};
    return names;
}

QString vlSpecialVariableName(const QString &title)
{
    const qsizetype index = vlSpecialVariableTitles().indexOf(title);
    return index < 0 ? title : vlSpecialVariableNames().at(index);
}

TvlVarForm::TvlVarForm(const TvlVariableSource &source, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
{
    setObjectName("TvlVarForm");
    setWindowTitle("Proměnné");
    Label1 = new QLabel("&Kategorie:", this);
    Label1->setObjectName("Label1");
    ValCombo = new QComboBox(this);
    ValCombo->setObjectName("ValCombo");
    Label1->setBuddy(ValCombo);
    ValList = new QListWidget(this);
    ValList->setObjectName("ValList");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ValCombo);
    layout->addWidget(ValList, 1);
    resize(240, 300);

    ValCombo->addItems(source.Categories);
    ValCombo->addItem(OtherCategory);
    ValCombo->addItem(ScriptCategory);
    const int remembered = ValCombo->findText(rememberedCategory());
    ValCombo->setCurrentIndex(remembered >= 0 ? remembered : 0);
    ValComboClick();
    connect(ValCombo, &QComboBox::activated, this, [this] { ValComboClick(); });
    connect(ValList, &QListWidget::itemClicked, this, [this] { accept(); });
    ValList->installEventFilter(this);
}

void TvlVarForm::ValComboClick()
{
    const QString category = ValCombo->currentText();
    ValList->clear();
    if (category == OtherCategory)
        ValList->addItems(vlSpecialVariableTitles());
    else if (category == ScriptCategory) {
        if (m_source.Shared)
            for (int i = 0; i < m_source.Shared->Count(); ++i)
                ValList->addItem(m_source.Shared->GetName(i));
    } else if (m_source.Variables)
        ValList->addItems(m_source.Variables(category));
    if (ValList->count())
        ValList->setCurrentRow(0);
}

QString TvlVarForm::SelectedName() const
{
    const QListWidgetItem *item = ValList->currentItem();
    if (!item)
        return {};
    if (ValCombo->currentText() == OtherCategory)
        return vlSpecialVariableName(item->text());
    return item->text();
}

bool TvlVarForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ValList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TvlVarForm::done(int result)
{
    rememberedCategory() = ValCombo->currentText();
    QDialog::done(result);
}
