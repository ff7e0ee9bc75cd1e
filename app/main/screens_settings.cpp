// Screens of settings and maintenance opened by the main window, and the
// settings' values the window reads. See actions_common.cpp for how a screen
// is wired in.
#include "app/main/tarmilform.h"

#include "app/settings/databaze.h"
#include "app/settings/nastaveni.h"
#include "app/settings/oprogramu.h"
#include "app/settings/shopsettings.h"
#include "app/settings/zaloha.h"
#include "app/start/appglobals.h"
#include "app/start/startuplog.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

QList<QAction *> TForm_Tarmil::PendingSettingsScreens() const
{
    return {};
}

namespace {

// The long-lived settings forms are shown modally over the main window.
void showModal(QDialog *form, QWidget *owner)
{
    if (!form)
        return;
    QWidget *parent = form->parentWidget();
    const Qt::WindowFlags flags = form->windowFlags();
    form->setParent(owner, flags);
    form->exec();
    form->setParent(parent, flags);
}

} // namespace

void TForm_Tarmil::Action_ObchodExecute()
{
    if (!CheckRight(43, QStringLiteral("Funkce nastavení výchozích hodnot Tarmil není dostupná...")))
        return;
    showModal(Form_Nastaveni, this);
}

void TForm_Tarmil::Action_ZalohaExecute()
{
    if (!CheckRight(70, QStringLiteral("Funkce zálohování databáze není dostupná...")))
        return;
    showModal(Form_Zaloha, this);
}

void TForm_Tarmil::Action_DatabazeExecute()
{
    if (!CheckRight(71, QStringLiteral("Funkce údržba databáze není dostupná...")))
        return;
    showModal(Form_Databaze, this);
}

void TForm_Tarmil::Action_OProgramuExecute()
{
    TForm_OProgramu about(this);
    about.exec();
}

bool TForm_Tarmil::BackupOnExit(QString &folder) const
{
    if (!Form_Zaloha || !Form_Zaloha->CheckBox_Zaloha->isChecked())
        return false;
    folder = Form_Zaloha->Edit_Zaloha->text();
    return true;
}

TFlagSettings TForm_Tarmil::FlagSettings() const
{
    const ShopSettings &s = Settings();
    TFlagSettings flags;
    flags.Polozka = s.isFlagged(ItemField::Polozka);
    flags.Kod = s.isFlagged(ItemField::Kod);
    flags.Specifikace = s.isFlagged(ItemField::Specifikace);
    flags.Zaruka = s.isFlagged(ItemField::Zaruka);
    flags.Nakup = s.isFlagged(ItemField::Nakup);
    flags.Prodej = s.isFlagged(ItemField::Prodej);
    flags.Mnozstvi = s.isFlagged(ItemField::Mnozstvi);
    flags.Zasoba = s.isFlagged(ItemField::Zasoba);
    flags.Minimum = s.isFlagged(ItemField::Minimum);
    flags.NedostatecnaZasoba = s.isFlagged(ItemField::NedostatecnaZasoba);
    flags.Color = Colors::toQColor(s.flagColor());
    return flags;
}

bool TForm_Tarmil::PreviewBeforePrint() const
{
    return Settings().previewBeforePrint();
}

void TForm_Tarmil::WriteLogLine(const QString &line)
{
    InitializationLog(line);
}

QString TForm_Tarmil::ApplicationTitle() const
{
    return AppTitle;
}
