#include "app/settings/databaze.h"

#include "app/settings/settingsstorage.h"
#include "data/dm.h"
#include "kit/formstorage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Databaze *Form_Databaze = nullptr;

namespace {

QCheckBox *checkBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(true);
    return box;
}

} // namespace

TForm_Databaze::TForm_Databaze(QWidget *parent)
    : TForm_Dialog(parent)
{
    setObjectName(QStringLiteral("Form_Databaze"));
    setWindowTitle(QStringLiteral(" Údržba databáze"));

    GroupBox_Udrzba = new QGroupBox(QStringLiteral("Údržba databáze při startu programu"), Bevel);
    GroupBox_Udrzba->setObjectName(QStringLiteral("GroupBox_Udrzba"));
    CheckBox_Reindexace =
        checkBox(QStringLiteral("CheckBox_Reindexace"), QStringLiteral("&Reindexace databáze"), GroupBox_Udrzba);
    CheckBox_Transakcni_Log = checkBox(QStringLiteral("CheckBox_Transakcni_Log"),
                                       QStringLiteral("&Vymazání transakčního logu"), GroupBox_Udrzba);
    CheckBox_Zkraceni =
        checkBox(QStringLiteral("CheckBox_Zkraceni"), QStringLiteral("&Zkrácení databáze"), GroupBox_Udrzba);
    auto *boxes = new QVBoxLayout(GroupBox_Udrzba);
    boxes->addWidget(CheckBox_Reindexace);
    boxes->addWidget(CheckBox_Transakcni_Log);
    boxes->addWidget(CheckBox_Zkraceni);

    auto *info = new QGridLayout;
    int row = 0;
    const auto value = [&](const QString &name, const QString &caption) {
        auto *label = new QLabel(Bevel);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        info->addWidget(new QLabel(caption, Bevel), row, 0);
        info->addWidget(label, row++, 1);
        return label;
    };
    Label_Alokovano = value(QStringLiteral("Label_Alokovano"), QStringLiteral("Databáze má alokováno:"));
    Label_Vyuziva = value(QStringLiteral("Label_Vyuziva"), QStringLiteral("Databáze využívá:"));
    Label_Sklady = value(QStringLiteral("Label_Sklady"), QStringLiteral("Počet skladů:"));
    Label_Polozky = value(QStringLiteral("Label_Polozky"), QStringLiteral("Počet položek v rámci všech skladů:"));
    Label_Doklady = value(QStringLiteral("Label_Doklady"), QStringLiteral("Počet dokladů:"));
    Label_Historie = value(QStringLiteral("Label_Historie"), QStringLiteral("Počet záznamů historie:"));
    Label_Kategorie = value(QStringLiteral("Label_Kategorie"), QStringLiteral("Počet kategorií:"));
    Label_Jednotky = value(QStringLiteral("Label_Jednotky"), QStringLiteral("Počet jednotek:"));
    Label_Kontakty = value(QStringLiteral("Label_Kontakty"), QStringLiteral("Počet kontaktů:"));
    info->addWidget(new QLabel(QStringLiteral("Verze PostgreSQL:"), Bevel), row++, 0, 1, 2);
    Memo = new QPlainTextEdit(Bevel);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setFixedHeight(64);
    info->addWidget(Memo, row, 0, 1, 2);
    info->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(GroupBox_Udrzba);
    layout->addLayout(info);
    Bevel->setMinimumWidth(420);

    FormStorage = NewSettingsStorage(this, QStringLiteral("Database"),
                                     {QStringLiteral("CheckBox_Reindexace.Checked"),
                                      QStringLiteral("CheckBox_Transakcni_Log.Checked"),
                                      QStringLiteral("CheckBox_Zkraceni.Checked")});
    FocusClientFirst(this, {Button_Ok, Button_Storno});
}

void TForm_Databaze::showEvent(QShowEvent *event)
{
    TForm_Dialog::showEvent(event);
    FormActivate();
}

void TForm_Databaze::reject()
{
    FormStorage->FormPlacementRestore();
    TForm_Dialog::reject();
}

void TForm_Databaze::FormActivate()
{
    if (!DM)
        return;
    const auto kb = [](qint64 value) { return QStringLiteral("%1 KB").arg(value); };
    Label_Alokovano->setText(kb(DM->MSSQLADOConnection->DatabaseSizeKB()));
    Label_Vyuziva->setText(kb(DM->MSSQLADOConnection->DatabaseUsedKB()));
    Label_Sklady->setNum(DM->StoreCount());
    Label_Polozky->setNum(DM->ItemCount());
    Label_Doklady->setNum(DM->DocumentCount());
    Label_Historie->setNum(DM->HistoryCount());
    Label_Kategorie->setNum(DM->CategoryCount());
    Label_Jednotky->setNum(DM->UnitCount());
    Label_Kontakty->setNum(DM->ContactCount());
    Memo->setPlainText(DM->MSSQLADOConnection->ServerVersion());
}
