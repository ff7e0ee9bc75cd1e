#include "app/settings/nastaveni.h"
#include "app/settings/oprogramu.h"
#include "app/settings/valuelistgroup.h"
#include "app/settings/zaloha.h"
#include "app/start/appglobals.h"
#include "common/scripted_messages.h"
#include "kit/formstorage.h"
#include "kit/intedit.h"
#include "platform/inifile.h"
#include "platform/paths.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SettingsScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("TARMIL5_HOME", home.path().toUtf8());
        SetAppGlobals();
        form = std::make_unique<TForm_Nastaveni>();
        form->FormStorage->FormPlacementRestore();
    }
    void TearDown() override
    {
        form.reset();
        qunsetenv("TARMIL5_HOME");
    }

    QStringList texts(QListWidget *list) const
    {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }
    void type(TIntegerEdit *entry, const QString &text) { entry->setText(text); }

    QTemporaryDir home;
    ScriptedMessages messages;
    std::unique_ptr<TForm_Nastaveni> form;
};

} // namespace

// Adding appends and selects, the first item of an empty list becomes the
// default; a value already there changes nothing. Removing moves the
// selection to the same place or the one before, and the default follows a
// removed default; an empty list has no default.
TEST_F(SettingsScreenTest, WarrantyListAddsRemovesAndKeepsADefault)
{
    QListWidget *list = form->ListBox_Zaruka;
    EXPECT_EQ(texts(list), QStringList({"0", "6", "12", "24", "36"}));
    EXPECT_EQ(form->IntegerEdit_Zaruka_Vychozi->text(), QStringLiteral("24"));
    EXPECT_FALSE(form->Button_Zaruka_Pridat->isEnabled());

    type(form->IntegerEdit_Zaruka, QStringLiteral("48"));
    EXPECT_TRUE(form->Button_Zaruka_Pridat->isEnabled());
    form->Button_Zaruka_Pridat->click();
    EXPECT_EQ(texts(list).last(), QStringLiteral("48"));
    EXPECT_EQ(list->currentRow(), 5);
    EXPECT_TRUE(form->IntegerEdit_Zaruka->text().isEmpty());
    EXPECT_FALSE(form->Button_Zaruka_Pridat->isEnabled());

    type(form->IntegerEdit_Zaruka, QStringLiteral("12"));
    form->Button_Zaruka_Pridat->click();
    EXPECT_EQ(list->count(), 6);
    EXPECT_EQ(list->currentRow(), 5);
    EXPECT_EQ(form->IntegerEdit_Zaruka->text(), QStringLiteral("12")) << "a refused value stays in the entry";

    // Removing the default moves it to the newly selected item.
    list->setCurrentRow(3);
    form->Button_Zaruka_Odebrat->click();
    EXPECT_EQ(texts(list), QStringList({"0", "6", "12", "36", "48"}));
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(form->IntegerEdit_Zaruka_Vychozi->text(), QStringLiteral("36"));
    EXPECT_TRUE(form->IntegerEdit_Zaruka->text().isEmpty());

    // The last item: the selection goes to the one before; the default stays.
    list->setCurrentRow(4);
    form->Button_Zaruka_Odebrat->click();
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(form->IntegerEdit_Zaruka_Vychozi->text(), QStringLiteral("36"));

    list->setCurrentRow(1);
    form->Button_Zaruka_Vychozi->click();
    EXPECT_EQ(form->defaultWarranty(), 6);

    while (list->count() > 0) {
        list->setCurrentRow(0);
        form->Button_Zaruka_Odebrat->click();
    }
    EXPECT_TRUE(form->IntegerEdit_Zaruka_Vychozi->text().isEmpty());
    EXPECT_FALSE(form->Button_Zaruka_Odebrat->isEnabled());
    EXPECT_FALSE(form->Button_Zaruka_Vychozi->isEnabled());

    type(form->IntegerEdit_Zaruka, QStringLiteral("18"));
    form->Button_Zaruka_Pridat->click();
    EXPECT_EQ(form->defaultWarranty(), 18);
    EXPECT_TRUE(form->Button_Zaruka_Odebrat->isEnabled());
}

// Other screens read the settings through the interface at the moment they
// need them; a typed warranty or discount joins its list once.
TEST_F(SettingsScreenTest, InterfaceReadsTheControlsAtEachCall)
{
    ScopedShopSettings scope(form.get());
    EXPECT_EQ(Settings().defaultMargin(), 20);
    EXPECT_EQ(Settings().receiptFormat(), ReceiptFormat::A5);
    EXPECT_TRUE(Settings().isRequired(ItemField::Oznaceni));
    EXPECT_EQ(Settings().oznaceniLength(), 8);
    EXPECT_EQ(Settings().kodLength(), 13);
    EXPECT_EQ(Settings().flagColor(), clRed);
    EXPECT_EQ(Settings().discountList(), InitialDiscountList());

    form->Edit_Nazev->setText(QStringLiteral("Papírnictví Na Rohu"));
    form->RadioButton_Svitek->setChecked(true);
    form->CheckBox_Nedostatecna_Zasoba_Nezadane->setChecked(true);
    EXPECT_EQ(Settings().companyName(), QStringLiteral("Papírnictví Na Rohu"));
    EXPECT_EQ(Settings().receiptFormat(), ReceiptFormat::Svitek);
    EXPECT_TRUE(Settings().isFlagged(ItemField::NedostatecnaZasoba));

    Settings().addDiscount(33);
    Settings().addDiscount(33);
    Settings().addWarranty(6);
    EXPECT_EQ(form->ListBox_Sleva->count(), 17);
    EXPECT_EQ(form->ListBox_Zaruka->count(), 5);
}

// "S&torno" and the close box put back what the INI file holds; "&Ok"
// stores the screen; the file always equals the screen afterwards.
TEST_F(SettingsScreenTest, StornoAndCloseBoxUndoEditsOkKeepsThem)
{
    form->show();
    form->Edit_Nazev->setText(QStringLiteral("Železářství"));
    form->CheckBox_VS->setChecked(false);
    form->IntegerComboBox_Rabat->setEditText(QStringLiteral("35"));
    form->Button_Ok->click();
    EXPECT_EQ(form->companyName(), QStringLiteral("Železářství"));
    {
        IniFile ini(Paths::iniFilePath());
        EXPECT_EQ(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Edit_Nazev_Text")),
                  QStringLiteral("Železářství"));
        EXPECT_EQ(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("CheckBox_VS_Checked")),
                  QStringLiteral("False"));
    }

    form->show();
    EXPECT_TRUE(form->Edit_VS->isEnabled()) << "the variable symbol is typed when not by invoice";
    form->Edit_Nazev->setText(QStringLiteral("Překlep"));
    form->CheckBox_VS->setChecked(true);
    EXPECT_FALSE(form->Edit_VS->isEnabled());
    form->Button_Storno->click();
    EXPECT_EQ(form->companyName(), QStringLiteral("Železářství"));
    EXPECT_FALSE(form->variableSymbolByInvoice());
    EXPECT_EQ(form->defaultMargin(), 35);

    form->show();
    form->Edit_Nazev->setText(QStringLiteral("Zavřeno křížkem"));
    form->close();
    EXPECT_EQ(form->companyName(), QStringLiteral("Železářství"));
    IniFile ini(Paths::iniFilePath());
    EXPECT_EQ(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Edit_Nazev_Text")),
              QStringLiteral("Železářství"));
}

// The stored controls and the tab shown, by the keys of the INI file; the
// lists themselves are not stored.
TEST_F(SettingsScreenTest, StorageKeepsEveryStoredControlButNotTheLists)
{
    form->PageControl->setCurrentWidget(form->TabSheet_Tisk);
    form->FormStorage->FormPlacementSave();
    IniFile ini(Paths::iniFilePath());
    const QStringList keys = ini.keys(QStringLiteral("Nastaveni"));
    for (const char *key : {"PageControl_ActivePage", "Edit_Nazev_Text", "IntegerEdit_Zaruka_Vychozi_Text",
                            "IntegerEdit_Sleva_Vychozi_Text", "CheckBox_Nedostatecna_Zasoba_Nezadane_Checked",
                            "ColorComboBox_Nezadane_ColorValue", "RadioButton_Svitek_Checked",
                            "PrinterComboBox_PrijmovyDoklad_PrinterIndex", "IntegerComboBox_Splatnost_Text"})
        EXPECT_TRUE(keys.contains(QLatin1String(key), Qt::CaseInsensitive)) << key;
    for (const QString &key : keys)
        EXPECT_FALSE(key.startsWith(QLatin1String("ListBox"), Qt::CaseInsensitive)) << qPrintable(key);
    EXPECT_EQ(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("PageControl_ActivePage")),
              QStringLiteral("TabSheet_Tisk"));

    TForm_Nastaveni again;
    again.FormStorage->FormPlacementRestore();
    EXPECT_EQ(again.PageControl->currentWidget(), again.TabSheet_Tisk);
}

// A template that cannot be opened tells which one, where, and why in words.
TEST_F(SettingsScreenTest, TemplateThatCannotBeOpenedIsReported)
{
    QStringList opened;
    form->openFile = [&opened](const QString &path) {
        opened << path;
        return path.endsWith(QLatin1String(".rtf")) ? 0 : 31;
    };
    form->Button_Hlavicka->click();
    EXPECT_EQ(opened.last(), AppPath + QStringLiteral("Hlavicka.rtf"));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    form->Button_Logo->click();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Nelze otevřít logo dokladu..."));
    EXPECT_EQ(messages.calls.last().description,
              QStringLiteral("Pro soubor %1Logo.bmp není v systému nastaven žádný program, který by ho otevřel.")
                  .arg(AppPath));

    // A missing file is named as missing.
    TForm_Nastaveni plain;
    plain.Button_Podpis->click();
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Nelze otevřít podpis dokladu..."));
    EXPECT_EQ(messages.calls.last().description, QStringLiteral("Soubor %1Podpis.bmp neexistuje.").arg(AppPath));
}

// The automatic backup needs an existing folder only while it is chosen;
// "S&torno" brings back the stored values.
TEST_F(SettingsScreenTest, BackupFolderIsCheckedOnlyWhenBackingUpOnExit)
{
    TForm_Zaloha zaloha;
    zaloha.FormStorage->FormPlacementRestore();
    zaloha.show();
    EXPECT_FALSE(zaloha.Edit_Zaloha->isEnabled());
    zaloha.Edit_Zaloha->setText(QStringLiteral("/neexistuje/nikde"));
    EXPECT_TRUE(zaloha.Button_Ok->isEnabled());
    zaloha.CheckBox_Zaloha->setChecked(true);
    EXPECT_TRUE(zaloha.Edit_Zaloha->isEnabled());
    EXPECT_FALSE(zaloha.Button_Ok->isEnabled());
    zaloha.Edit_Zaloha->setText(home.path());
    EXPECT_TRUE(zaloha.Button_Ok->isEnabled());
    zaloha.Button_Ok->click();

    zaloha.show();
    zaloha.CheckBox_Zaloha->setChecked(false);
    zaloha.Edit_Zaloha->setText(QStringLiteral("/jinam"));
    zaloha.Button_Storno->click();
    zaloha.show();
    EXPECT_TRUE(zaloha.CheckBox_Zaloha->isChecked());
    EXPECT_EQ(zaloha.Edit_Zaloha->text(), home.path());
    zaloha.Button_Storno->click();
}

TEST_F(SettingsScreenTest, AboutBoxNamesTheProgramAndTheSystem)
{
    TForm_OProgramu about;
    EXPECT_EQ(about.Label_Aplikace->text(), QStringLiteral("Tarmil 5.2.3.0"));
    EXPECT_EQ(about.Label_OS->text(), QStringLiteral("pro Linux"));
    EXPECT_TRUE(about.Button_Zavrit->isDefault());
}
