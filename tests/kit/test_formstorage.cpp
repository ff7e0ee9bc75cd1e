#include "kit/formstorage.h"
#include "kit/kxutils.h"
#include "kit/storagefixtures.h"
#include "kit/windowplacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FormStorageTest : public ::testing::Test, public IniFixture
{
protected:
    FormStorageTest()
    {
        form = std::make_unique<TForm_Test>();
        form->setObjectName("Form_Test");
        edit = new QLineEdit(form.get());
        edit->setObjectName("Edit_Zaloha");
        check = new QCheckBox(form.get());
        check->setObjectName("CheckBox_Zaloha");
        storage = new TFormStorage(form.get());
        storage->SetIniFileName(path());
        storage->SetIniSection("Zalohovani");
        storage->SetOptions({});
        storage->SetStoredProps({"CheckBox_Zaloha.Checked", "Edit_Zaloha.Text"});
        storage->OnSavePlacement = [this](TFormPlacement *) { ++saves; };
        storage->OnRestorePlacement = [this](TFormPlacement *) { ++restores; };
    }

    std::unique_ptr<TForm_Test> form;
    QLineEdit *edit;
    QCheckBox *check;
    TFormStorage *storage;
    int saves = 0;
    int restores = 0;
};

} // namespace

TEST_F(FormStorageTest, AFormNeverShownWritesNothing)
{
    edit->setText("/zaloha");
    TFormPlacement::NotifyFormDestroying(form.get());
    form.reset();
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(FormStorageTest, ShowRestoresAndCloseSavesOnce)
{
    put("[Zalohovani]\nCheckBox_Zaloha_Checked=True\nEdit_Zaloha_Text=  /mnt/zaloha  \n");
    form->show();
    EXPECT_EQ(restores, 1);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(edit->text(), "/mnt/zaloha");

    edit->setText("/media/usb");
    form->mayClose = false;
    EXPECT_FALSE(form->close());
    EXPECT_EQ(saves, 0); // the form refused, nothing is saved
    form->mayClose = true;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(storage->Saved());
    TFormPlacement::NotifyFormDestroying(form.get());
    EXPECT_EQ(saves, 1); // already saved at closing
    EXPECT_EQ(content(), "[Zalohovani]\nCheckBox_Zaloha_Checked=True\nEdit_Zaloha_Text=/media/usb\nFormVersion=0\n");
}

TEST_F(FormStorageTest, DestroyedWithoutClosingSavesThenAndSaysSo)
{
    storage->SetOptions(TFormPlacement::fpState);
    form->show();
    TFormPlacement::NotifyFormDestroying(form.get());
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(content().contains("Visible=1\n"));
    EXPECT_FALSE(storage->Destroying());
    // Deleting through the event loop notifies by itself.
    form->hide();
    form->show();
    form->deleteLater();
    form.release();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(saves, 2);
}

TEST_F(FormStorageTest, AnOlderFormVersionRestoresNothingButTheNextSaveWritesEverything)
{
    put("[Zalohovani]\nFormVersion=1\nCheckBox_Zaloha_Checked=True\nEdit_Zaloha_Text=stare\nProhledavat=9\n");
    storage->SetVersion(2);
    storage->StoredValues().Add("Prohledavat", 3);
    edit->setText("nove");
    storage->FormPlacementRestore();
    EXPECT_EQ(restores, 0);
    EXPECT_TRUE(storage->Restored());
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(edit->text(), "nove");
    EXPECT_EQ(storage->StoredValueAt(0)->Value, QVariant(3));
    storage->FormPlacementSave();
    EXPECT_EQ(content(), "[Zalohovani]\nFormVersion=2\nCheckBox_Zaloha_Checked=False\nEdit_Zaloha_Text=nove\n"
                         "Prohledavat=3\n");
    // The same version restores.
    storage->FormPlacementRestore();
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(storage->StoredValueAt(0)->Value, QVariant(QString("3"))); // always a text after restoring
}

TEST_F(FormStorageTest, StoredValuesWithAKeyAreHexInTheFile)
{
    TStoredValue *secret = storage->StoredValues().Add("Heslo", "tajné");
    secret->KeyString = "k";
    storage->StoredValues().Add("Prohledavat", 5);
    storage->SetStoredProps({});
    storage->SetActive(false);
    storage->FormPlacementSave();
    EXPECT_TRUE(content().contains("Heslo=" + XorHexEncode("k", "tajné").toLatin1() + "\n"));
    EXPECT_TRUE(content().contains("Prohledavat=5\n"));
    secret->Value.clear();
    storage->StoredValues().StoredValueAt(1)->OnRestore = [](TStoredValue *, QVariant &v) { v = v.toInt() * 2; };
    storage->FormPlacementRestore();
    EXPECT_EQ(secret->Value, QVariant(QString("tajné")));
    EXPECT_EQ(storage->StoredValueAt(1)->Value, QVariant(10));
    EXPECT_EQ(storage->StoredValues().IndexOf("PROHLEDAVAT"), 1);
    try {
        storage->StoredValueAt(1)->SetName("heslo");
        FAIL() << "duplicate names must raise";
    } catch (const EKitError &e) {
        EXPECT_EQ(e.message(), "String list does not allow duplicates");
    }
}

TEST_F(FormStorageTest, RemovedComponentsAndUnknownPropertiesAreSkipped)
{
    storage->SetStoredProps({"CheckBox_Zaloha.Checked", "Edit_Zaloha.NoSuchProperty", "Ghost.Text", "nonsense"});
    storage->Loaded();
    EXPECT_EQ(storage->StoredProps(), QStringList({"CheckBox_Zaloha.Checked", "Edit_Zaloha.NoSuchProperty"}));
    delete check;
    storage->SetActive(false);
    storage->FormPlacementSave();
    EXPECT_EQ(storage->StoredProps(), QStringList({"Edit_Zaloha.NoSuchProperty"}));
    EXPECT_EQ(content(), "[Zalohovani]\nFormVersion=0\n");
}

TEST_F(FormStorageTest, TwoStoragesOnOneSectionShareTheirKeys)
{
    auto *second = new TFormStorage(form.get());
    second->SetIniFileName(path());
    second->SetIniSection("Zalohovani");
    second->SetActive(false);
    second->SetOptions({});
    second->StoredValues().Add("Edit_Zaloha_Text", "z druhé");
    storage->SetActive(false);
    edit->setText("z první");
    storage->FormPlacementSave();
    second->FormPlacementSave();
    storage->FormPlacementRestore();
    EXPECT_EQ(edit->text(), "z druhé");
}

TEST_F(FormStorageTest, LinksSaveAndLoadInOrderOfRegistration)
{
    QStringList log;
    TIniLink first, second;
    first.OnLinkSave = [&](TIniLink *l) {
        log << "save1";
        ProfileWriteString(l->LinkProfile(), l->LinkSection() + "TKxDBGrid", "KxDBGrid_Polozka.NAZEV", "0,120,1");
    };
    second.OnLinkSave = [&](TIniLink *) { log << "save2"; };
    first.OnLinkLoad = [&](TIniLink *l) {
        log << "load1:" +
                   ProfileReadString(l->LinkProfile(), l->LinkSection() + "TKxDBGrid", "KxDBGrid_Polozka.NAZEV", "");
    };
    second.OnLinkLoad = [&](TIniLink *) { log << "load2"; };
    first.SetPlacement(storage);
    second.SetPlacement(storage);
    EXPECT_EQ(first.LinkSection(), "Zalohovani\\");
    EXPECT_EQ(first.LinkProfile(), nullptr); // closed between passes
    storage->FormPlacementRestore();
    storage->FormPlacementSave();
    storage->FormPlacementRestore();
    EXPECT_EQ(log, QStringList({"load1:", "load2", "save1", "save2", "load1:0,120,1", "load2"}));
    second.SetPlacement(nullptr);
    EXPECT_EQ(storage->Links().size(), 1);
}

TEST_F(FormStorageTest, ActiveControlIsKeptByName)
{
    storage->SetOptions(TFormPlacement::fpActiveControl);
    form->show();
    form->activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    if (form->focusWidget() != edit)
        GTEST_SKIP() << "no focus on this platform";
    form->close();
    EXPECT_TRUE(content().contains("ActiveControl=Edit_Zaloha\n"));
    check->setFocus();
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(form->focusWidget(), edit);
}

TEST(PlacementNames, DefaultSectionsFollowTheOwner)
{
    TForm_Test form;
    auto *edit = new QLineEdit(&form);
    edit->setObjectName("Edit_Uzivatel");
    QObject helper(&form);
    helper.setObjectName("Helper");
    EXPECT_EQ(PlacementDefaultSection(&form), "TForm_Test");
    EXPECT_EQ(PlacementDefaultSection(edit), "TForm_TestEdit_Uzivatel");
    EXPECT_EQ(PlacementDefaultSection(&helper), "TForm_Test.Helper");
    EXPECT_EQ(PlacementDefaultSection(nullptr), "");
    QTemporaryDir home;
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    TFormPlacement placement(&form);
    EXPECT_EQ(placement.IniSection(), "TForm_Test");
    EXPECT_EQ(placement.IniFileName(), home.filePath("Tarmil5.ini"));
    placement.SetUseRegistry(true);
    EXPECT_TRUE(placement.IniFileName().startsWith("Software\\"));
    qunsetenv("TARMIL5_HOME");
}

TEST(PlacementRegistry, RegistryModeKeepsSectionsAsKeysBelowThePlacementsKey)
{
    QTemporaryDir home;
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    {
        QObject owner;
        TFormStorage storage(&owner);
        storage.SetUseRegistry(true);
        storage.SetIniFileName("Software\\Vellum\\Test");
        storage.SetIniSection("Hledat_polozku");
        storage.StoredValues().Add("Prohledavat", "\"3\"");
        storage.SetActive(false);
        storage.FormPlacementSave();
        storage.StoredValueAt(0)->Value.clear();
        storage.FormPlacementRestore();
        EXPECT_EQ(storage.StoredValueAt(0)->Value, QVariant(QString("\"3\"")));
    }
    Registry registry;
    ASSERT_TRUE(registry.openKey("Software\\Vellum\\Test\\Hledat_polozku", false));
    EXPECT_EQ(registry.readInteger("FormVersion", -1), 0);
    qunsetenv("TARMIL5_HOME");
}
