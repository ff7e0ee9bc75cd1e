#include "app/admin/form_skladvybrat.h"

#include "data/dm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QVBoxLayout>

TForm_SkladVybrat::TForm_SkladVybrat(TDM &dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("Form_SkladVybrat"));
    setWindowTitle(QStringLiteral(" Vybrat sklad"));
    ComboBox_Sklad = new QComboBox(this);
    ComboBox_Sklad->setObjectName(QStringLiteral("ComboBox_Sklad"));
    ComboBox_Sklad->setMinimumWidth(280);
    Button_Ok = new QPushButton(QStringLiteral("&Ok [Enter]"), this);
    Button_Ok->setObjectName(QStringLiteral("Button_Ok"));
    Button_Ok->setDefault(true);
    Button_Storno = new QPushButton(QStringLiteral("S&torno [Esc]"), this);
    Button_Storno->setObjectName(QStringLiteral("Button_Storno"));
    connect(Button_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBox_Sklad, &QComboBox::currentIndexChanged, this, [this] { Button_Ok->setEnabled(true); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Ok);
    buttons->addWidget(Button_Storno);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ComboBox_Sklad);
    layout->addLayout(buttons);
}

void TForm_SkladVybrat::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        ComboBox_Sklad->blockSignals(true);
        ComboBox_Sklad->clear();
        for (const QString &line :
             m_dm.StoreList().split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts))
            ComboBox_Sklad->addItem(line.trimmed());
        ComboBox_Sklad->setCurrentIndex(ComboBox_Sklad->findText(m_dm.StoreCaption(m_dm.IdSklad, false)));
        ComboBox_Sklad->blockSignals(false);
        Button_Ok->setEnabled(false);
    }
    QDialog::showEvent(event);
}

QString TForm_SkladVybrat::StoreName() const
{
    return ComboBox_Sklad->currentText();
}
