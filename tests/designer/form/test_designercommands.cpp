// The designer's report commands: the save-changes question around new,
// open and closing, save as by filter, pages and their tabs.
#include "common/screenshot.h"
#include "designerform_fixture.h"
#include "platform/paths.h"
#include "platform/printers.h"
#include "report/designer/form/pagecommands.h"
#include "report/designer/page/designerglobals.h"
#include "report/printer.h"
#include "report/vlbandview.h"
#include "report/vlsubreportview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTimer>

TEST_F(DesignerFormTest, ClosingAsksToSaveChangesAndKeepsTheWorkWhenTheSaveIsCancelled)
{
    form->FormShow(report);
    AddMemo("Memo1");
    form->SetModified(true);

    dialogs.answers = {TvlFormDialogs::Cancel};
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_EQ(dialogs.asked.last(), "Uložit změny na Bez názvu?");

    // Yes on an untitled report opens the save dialog; cancelling it keeps the designer open.
    dialogs.answers = {TvlFormDialogs::Yes};
    dialogs.fileNames = {""};
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_EQ(dialogs.saveDialogs, 1);
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(report.Pages[0]->Count(), 1);

    dialogs.answers = {TvlFormDialogs::No};
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_FALSE(QFile::exists(Path("faktura.vlf")));

    dialogs.answers = {TvlFormDialogs::Yes};
    dialogs.fileNames = {Path("faktura")};
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_TRUE(QFile::exists(Path("faktura.vlf")));
    EXPECT_EQ(form->FileName(), Path("faktura.vlf"));
    form->FormHide();
    EXPECT_EQ(report.FileName, Path("faktura.vlf"));
}

TEST_F(DesignerFormTest, NewAndOpenGoOnOnlyWhenTheChangesAreSavedOrDropped)
{
    report.FileName = Path("sestava.vlf");
    form->FormShow(report);
    AddMemo("Memo1");
    form->SetModified(true);

    dialogs.answers = {TvlFormDialogs::Yes};
    form->FileBtn1Click();
    EXPECT_TRUE(QFile::exists(Path("sestava.vlf"))); // saved under its name, no dialog
    EXPECT_EQ(dialogs.saveDialogs, 0);
    EXPECT_EQ(report.Pages.Count(), 1);
    EXPECT_EQ(report.Pages[0]->Count(), 0);
    EXPECT_EQ(form->FileName(), "Bez názvu");
    EXPECT_FALSE(form->Modified());

    // Open: Yes, then a cancelled save dialog stops before the open dialog.
    form->SetModified(true);
    dialogs.answers = {TvlFormDialogs::Yes};
    dialogs.fileNames = {""};
    form->FileBtn2Click();
    EXPECT_EQ(answers.openDialogs, 0);
    EXPECT_TRUE(form->Modified());

    dialogs.answers = {TvlFormDialogs::Cancel};
    form->FileBtn2Click();
    EXPECT_EQ(answers.openDialogs, 0);

    dialogs.answers = {TvlFormDialogs::No};
    answers.openNames = {Path("sestava.vlf")};
    form->FileBtn2Click();
    EXPECT_EQ(answers.openDialogs, 1);
    EXPECT_EQ(answers.openFolder, Paths::reportsFolder()); // the shop's "Sestavy"
    EXPECT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->windowTitle(), "Editor sestav - sestava.vlf");
}

TEST_F(DesignerFormTest, NewFromTemplateAsksTheSaveQuestionFirst)
{
    TemplateDir = dir.path();
    form->FormShow(report);
    AddMemo("Memo1");
    ASSERT_TRUE(report.SaveTemplate(Path("faktura.vlt"), {"Faktura"}, QImage()));
    report.Pages[0]->Clear();
    form->SetModified(true);

    dialogs.answers = {TvlFormDialogs::Cancel};
    form->N23Click();
    EXPECT_EQ(answers.templateDialogs, 0);

    dialogs.answers = {TvlFormDialogs::No};
    answers.template_ = Path("faktura.vlt");
    form->N23Click();
    EXPECT_EQ(answers.templateDialogs, 1);
    EXPECT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_EQ(form->FileName(), "Bez názvu");
}

TEST_F(DesignerFormTest, SaveAsTakesTheExtensionOfTheChosenFilter)
{
    TemplateDir = Path("templates");
    ASSERT_TRUE(QDir(dir.path()).mkdir("templates"));
    form->FormShow(report);
    AddMemo("Memo1");
    form->SetModified(true);

    dialogs.filterIndexes = {1, 2, 3, 3};
    dialogs.fileNames = {Path("a.txt"), Path("b.vlf"), Path("c.vlf"), Path("d.vlf")};
    form->N20Click();
    EXPECT_TRUE(QFile::exists(Path("a.vlf")));
    EXPECT_EQ(form->FileName(), Path("a.vlf"));
    EXPECT_TRUE(form->DialogConfirmed());

    form->N20Click();
    EXPECT_TRUE(QFile::exists(Path("b.vl3")));
    EXPECT_EQ(form->FileName(), Path("b.vl3"));
    // Saving again keeps the XML layout the file was saved as.
    QFile::remove(Path("b.vl3"));
    form->FileBtn3Click();
    QFile xml(Path("b.vl3"));
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xml.readAll().trimmed().startsWith("<?xml"));
    EXPECT_FALSE(form->Modified());
    form->SetModified(true);

    // A template goes to the template folder and leaves the title.
    form->N20Click();
    EXPECT_TRUE(QFile::exists(Path("templates/c.vlt")));
    EXPECT_EQ(form->FileName(), Path("b.vl3"));

    answers.descriptionConfirmed = false;
    form->N20Click();
    EXPECT_FALSE(QFile::exists(Path("templates/d.vlt")));
    EXPECT_FALSE(form->DialogConfirmed());
    EXPECT_TRUE(form->Modified()); // save as leaves the flag
}

TEST_F(DesignerFormTest, DeletingAPageDeletesTheSubReportsShowingItAndRenumbersTheOthers)
{
    report.Pages.Add();
    report.Pages.Add();
    auto addSub = [&](int page, const QString &name, int shows) {
        auto view = vlCreateView(otSubReport);
        view->Name = name;
        static_cast<TvlSubReportView *>(view.get())->PageIndex = shows;
        report.Pages[page]->Add(std::move(view));
    };
    addSub(0, "Polozky", 1);
    addSub(0, "Souhrn", 2);
    form->FormShow(report);
    EXPECT_EQ(vlPageTabTexts(report), QStringList({"Strana1", "Polozky", "Souhrn"}));
    EXPECT_EQ(form->Tabs()->tabText(2), "Souhrn");

    form->SetCurPage(1);
    dialogs.answers = {TvlFormDialogs::No};
    form->PgB2Click();
    EXPECT_EQ(report.Pages.Count(), 3);
    EXPECT_EQ(dialogs.asked.last(), "Odebrat tuto stranu?");

    dialogs.answers = {TvlFormDialogs::Yes};
    form->PgB2Click();
    ASSERT_EQ(report.Pages.Count(), 2);
    ASSERT_EQ(report.Pages[0]->Count(), 1);
    EXPECT_EQ(report.Pages[0]->Object(0)->Name, "Souhrn");
    EXPECT_EQ(static_cast<TvlSubReportView *>(report.Pages[0]->Object(0))->PageIndex, 1);
    EXPECT_EQ(form->CurPage(), 0);
    EXPECT_EQ(form->Tabs()->count(), 2);
    EXPECT_EQ(form->Tabs()->tabText(1), "Souhrn");
    EXPECT_TRUE(form->Modified());

    // The only page is cleared instead.
    report.Pages.Delete(1);
    form->SetCurPage(0);
    dialogs.answers = {TvlFormDialogs::Yes};
    form->PgB2Click();
    EXPECT_EQ(report.Pages.Count(), 1);
    EXPECT_EQ(report.Pages[0]->Count(), 0);
}

TEST_F(DesignerFormTest, AddingAPageKeepsItOnlyWhenItsOptionsAreConfirmed)
{
    form->FormShow(report);
    form->PgB1Click();
    EXPECT_EQ(report.Pages.Count(), 1);
    EXPECT_EQ(form->CurPage(), 0);
    EXPECT_FALSE(form->Modified());

    answers.pageOptions = [](TvlPageSetup &o) {
        o.Orientation = poLandscape;
        o.Columns = 2;
        return true;
    };
    form->PgB1Click();
    ASSERT_EQ(report.Pages.Count(), 2);
    EXPECT_EQ(form->CurPage(), 1);
    EXPECT_EQ(report.Pages[1]->Columns, 2);
    EXPECT_EQ(report.Pages[1]->Orientation, poLandscape);
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(form->Tabs()->count(), 2);
}

TEST_F(DesignerFormTest, APreparedPageIsNeverSavedAsTheLayout)
{
    auto band = vlCreateView(otBand);
    static_cast<TvlBandView *>(band.get())->SetBandType(btReportTitle);
    band->SetBounds(0, 20, 700, 40);
    report.Pages[0]->Add(std::move(band));
    AddMemo("Nadpis", 20, 24);
    ASSERT_TRUE(report.SaveToFile(Path("sestava.vlf")));
    const QByteArray layout = [&] {
        QFile file(Path("sestava.vlf"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    report.FileName = Path("sestava.vlf");
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_EQ(report.EMFPages.Count(), 1);

    vlRegisterDesigner(form.get());
    QTimer::singleShot(0, form.get(), [&] {
        form->SetModified(true);
        form->ExitBClick();
    });
    messages.answer(false);                  // the engine's own question about the page
    dialogs.answers = {TvlFormDialogs::Yes}; // were the designer to ask, it would save
    report.EditPreparedPage(0);
    vlRegisterDesigner(nullptr);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(messages.count(MessageCall::Question), 1);
    QFile file(Path("sestava.vlf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), layout);
}

TEST_F(DesignerFormTest, ThePreviewOfTheReportBeingDesignedShowsEveryButtonAndCanPrint)
{
    FixedPrinterBackend::Printer office;
    office.description.name = "kancelar";
    office.description.isDefault = true;
    office.papers = {QPageSize(QPageSize::A4)};
    ScopedPrinterBackend backend(std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{office}));
    vlFreePrinter();
    auto band = vlCreateView(otBand);
    static_cast<TvlBandView *>(band.get())->SetBandType(btReportTitle);
    band->SetBounds(0, 20, 700, 40);
    report.Pages[0]->Add(std::move(band));
    AddMemo("Nadpis", 20, 24);
    report.PreviewButtons = 64; // the program's own preview shows only "Zavřít náhled"

    QStringList hidden, disabled;
    bool previewed = false;
    vlRegisterDesigner(form.get());
    QTimer::singleShot(0, form.get(), [&] {
        QTimer::singleShot(100, [&] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->inherits("TvlPreviewForm") && window->isVisible()) {
                    previewed = true;
                    screenShot("designer-preview");
                    for (const char *name :
                         {"ZoomBtn", "LoadBtn", "SaveBtn", "PrintBtn", "FindBtn", "HelpBtn", "ExitBtn"}) {
                        auto *button = window->findChild<QWidget *>(name);
                        if (!button || !button->isVisible())
                            hidden << name;
                        else if (!button->isEnabled())
                            disabled << name;
                    }
                    window->close();
                }
        });
        form->FileBtn4Click();
        form->ExitBClick();
    });
    report.DesignReport();
    vlRegisterDesigner(nullptr);
    vlFreePrinter();
    EXPECT_TRUE(previewed);
    EXPECT_EQ(hidden, QStringList());
    EXPECT_EQ(disabled, QStringList());
    EXPECT_EQ(report.PreviewButtons, 64);
}
