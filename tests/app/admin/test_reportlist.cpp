// The report list over a real database: where entry files are found, the
// entry dialog's rules, the edit and its rights.
#include "app/admin/form_sestavy.h"
#include "app/admin/reportfile.h"
#include "app/catalogue/screenshots.h"
#include "app/common/formcontrols.h"
#include "app/modal_helper.h"
#include "data/dm_fixture.h"
#include "platform/paths.h"
#include "report/designer/form/designer.h"
#include "report/designer/form/designerform.h"
#include "report/vlbandview.h"
#include "report/vlpreviewform.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"
#include "report/vltoolbuttons.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ReportList : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        QDir().mkpath(Paths::reportsFolder());
    }
    static QString touch(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("layout");
        return path;
    }
    void revoke(int right)
    {
        sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=%1").arg(right));
    }
    std::unique_ptr<TForm_Sestavy> open()
    {
        dm->MSSQLADOQuery_Sestava->RefreshQuery();
        auto window = std::make_unique<TForm_Sestavy>();
        window->DataSourceDataChange();
        return window;
    }
    QString last(MessageCall::Kind kind) const
    {
        const auto calls = messages.callsOf(kind);
        return calls.isEmpty() ? QString() : calls.last().heading;
    }
};

TEST_F(ReportList, FilesAreFoundByFullPathOrInTheReportsFolderNeverInTheCurrentFolder)
{
    const QString inReports = touch(QDir(Paths::reportsFolder()).filePath("uctenka.vlf"));
    EXPECT_EQ(ReportFilePath("uctenka.vlf"), inReports);
    EXPECT_EQ(ReportFilePath("  uctenka.vlf "), inReports);
    EXPECT_EQ(ReportFilePath(inReports), inReports);

    QTemporaryDir elsewhere;
    const QString outside = touch(elsewhere.filePath("faktura.vlf"));
    EXPECT_EQ(ReportFilePath(outside), outside);
    EXPECT_TRUE(ReportFilePath(elsewhere.filePath("chybi.vlf")).isEmpty());

    // A file in the current folder is not the entry's file.
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    EXPECT_TRUE(ReportFilePath("faktura.vlf").isEmpty());
    QDir::setCurrent(before);

    // A relative path with folders starts at the program folder.
    QDir(Paths::programFolder()).mkpath("vlastni");
    const QString own = touch(QDir(Paths::programFolder()).filePath("vlastni/dodaci.vlf"));
    EXPECT_EQ(ReportFilePath("vlastni/dodaci.vlf"), own);
    EXPECT_TRUE(ReportFilePath("").isEmpty());
    EXPECT_TRUE(ReportFilePath(Paths::reportsFolder()).isEmpty()); // a folder is no file
}

TEST_F(ReportList, TheListOnlyEditsAndTheEntryDialogChecksNameAndFile)
{
    touch(QDir(Paths::reportsFolder()).filePath("uctenka.vlf"));
    sql("UPDATE tab_sestava SET SOUBOR='uctenka.vlf'");
    auto list = open();
    EXPECT_FALSE(list->Button_Pridat->isEnabled());
    EXPECT_FALSE(list->Button_Odebrat->isEnabled());
    EXPECT_TRUE(list->Button_Editovat->isEnabled());
    EXPECT_TRUE(list->Button_EditovatSestavu->isEnabled());
    Shoot(list.get(), "sestavy");

    ASSERT_TRUE(dm->MSSQLADOQuery_Sestava->Locate("ID_SESTAVA", 1));
    const QString own = scalar("SELECT SESTAVA FROM tab_sestava WHERE ID_SESTAVA=1");
    const QString other = scalar("SELECT SESTAVA FROM tab_sestava WHERE ID_SESTAVA=2");
    QTemporaryDir elsewhere;
    const QString chosen = touch(elsewhere.filePath("jina.vlf"));
    WhenModal([&](QDialog *d) {
        auto *dialog = dynamic_cast<TForm_SestavaEditace *>(d);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->Edit_Sestava->text(), own);
        EXPECT_EQ(dialog->Edit_Soubor->text(), "uctenka.vlf");
        EXPECT_FALSE(dialog->Button_Ok->isEnabled()); // nothing changed yet
        Shoot(dialog, "sestava_editace");

        dialog->Edit_Sestava->setText(other.toUpper());
        EXPECT_EQ(Hint(dialog->Edit_Sestava), "Existující sestava...");
        dialog->Edit_Sestava->setText("   ");
        EXPECT_EQ(Hint(dialog->Edit_Sestava), "Nezadaný název tiskové sestavy...");
        dialog->Edit_Sestava->setText(own); // its own name is no clash
        EXPECT_FALSE(ShowHint(dialog->Edit_Sestava));

        dialog->Edit_Soubor->setText("");
        EXPECT_EQ(Hint(dialog->Edit_Soubor), "Nezadaný soubor tiskové sestavy...");
        dialog->Edit_Soubor->setText("chybi.vlf");
        EXPECT_EQ(Hint(dialog->Edit_Soubor), "Soubor tiskové sestavy neexistuje...");
        EXPECT_FALSE(dialog->Button_Ok->isEnabled());
        dialog->Edit_Sestava->setText("Účtenka nová");
        dialog->Edit_Soubor->setText(chosen); // a full path is kept as it is
        EXPECT_TRUE(dialog->Button_Ok->isEnabled());
        dialog->Button_Ok->click();
    });
    list->Button_EditovatClick();
    EXPECT_EQ(scalar("SELECT SESTAVA FROM tab_sestava WHERE ID_SESTAVA=1"), "Účtenka nová");
    EXPECT_EQ(scalar("SELECT SOUBOR FROM tab_sestava WHERE ID_SESTAVA=1"), chosen);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(ReportList, RightsGuardRenamingAndTheDesigner)
{
    auto list = open();
    const QString before = scalar("SELECT SESTAVA FROM tab_sestava WHERE ID_SESTAVA=1");
    revoke(44);
    list->Button_EditovatClick(); // no dialog comes up
    EXPECT_EQ(last(MessageCall::Information), "Funkce editace sestavy není dostupná...");
    EXPECT_EQ(messages.calls.last().detail, "Uživatel nemá oprávnění...");
    EXPECT_EQ(scalar("SELECT SESTAVA FROM tab_sestava WHERE ID_SESTAVA=1"), before);

    // Right 45 without 44: the designer opens on the entry's file.
    vlStartDesigner();
    QString title;
    WhenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        EXPECT_TRUE(qobject_cast<TvlDesignerForm *>(dialog));
        dialog->accept();
    });
    const int informations = messages.count(MessageCall::Information);
    list->Button_EditovatSestavuClick();
    vlStopDesigner();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Editor sestav - "))) << qPrintable(title);
    EXPECT_EQ(messages.count(MessageCall::Information), informations);

    revoke(45);
    list->Button_EditovatSestavuClick();
    EXPECT_EQ(last(MessageCall::Information), "Funkce úpravy sestavy není dostupná...");
    EXPECT_EQ(messages.calls.last().detail, "Uživatel nemá oprávnění...");

    sql("DELETE FROM tab_sestava");
    dm->MSSQLADOQuery_Sestava->RefreshQuery();
    list->DataSourceDataChange();
    EXPECT_FALSE(list->Button_Editovat->isEnabled());
    EXPECT_FALSE(list->Button_EditovatSestavu->isEnabled());
}

} // namespace

TEST_F(ReportList, ThePreviewOfTheDesignerOpenedFromTheListShowsThePagesAndReturnsToIt)
{
    // A layout of a title band with a text, named by the first entry.
    TvlReport layout;
    TvlPage *page = layout.Pages.Add();
    auto band = vlCreateView(otBand);
    static_cast<TvlBandView *>(band.get())->SetBandType(btReportTitle);
    band->SetBounds(0, 20, 600, 40);
    page->Add(std::move(band));
    auto memo = vlCreateView(otMemo);
    memo->SetBounds(20, 30, 200, 18);
    memo->Memo = QStringList{QStringLiteral("Přehled prodeje")};
    page->Add(std::move(memo));
    ASSERT_TRUE(layout.SaveToFile(QDir(Paths::reportsFolder()).filePath("nahled.vlf")));
    sql("UPDATE tab_sestava SET SOUBOR='nahled.vlf' WHERE ID_SESTAVA=1");
    auto list = open();
    ASSERT_TRUE(dm->MSSQLADOQuery_Sestava->Locate("ID_SESTAVA", 1));

    vlStartDesigner();
    int pages = 0;
    bool backInTheDesigner = false;
    WhenModal([&](QDialog *dialog) {
        auto *designer = qobject_cast<TvlDesignerForm *>(dialog);
        ASSERT_TRUE(designer);
        // The engine's progress window comes up first while the pages build.
        std::function<void(QDialog *)> onPreview = [&](QDialog *preview) {
            auto *form = qobject_cast<TvlPreviewForm *>(preview);
            if (!form) {
                WhenModal(onPreview);
                return;
            }
            pages = form->AllPages();
            preview->close();
        };
        WhenModal(onPreview);
        QTest::mouseClick(static_cast<TvlSpeedButton *>(designer->Control("FileBtn4")), Qt::LeftButton);
        backInTheDesigner = designer->isVisible() && QApplication::activeModalWidget() == designer;
        designer->accept();
    });
    list->Button_EditovatSestavuClick();
    vlStopDesigner();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(backInTheDesigner);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}
