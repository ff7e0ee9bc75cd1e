// Pictures of the designer's dialogs for a person to look at: written only
// when TARMIL5_SHOTS names a folder.
#include "platform/printers.h"
#include "report/designer/dialogs/bandeditorform.h"
#include "report/designer/dialogs/bandtypesform.h"
#include "report/designer/dialogs/desoptionsform.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/docoptform.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/dialogs/evform.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/dialogs/geditorform.h"
#include "report/designer/dialogs/hilightform.h"
#include "report/designer/dialogs/pgoptform.h"
#include "report/designer/dialogs/templform.h"
#include "report/metafilebytes.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void shoot(QWidget &widget, const QString &name)
{
    widget.show();
    widget.adjustSize();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    widget.grab().save(QDir(qEnvironmentVariable("TARMIL5_SHOTS")).filePath(name + ".png"));
}

} // namespace

TEST(DialogPictures, EveryDialog)
{
    if (qEnvironmentVariableIsEmpty("TARMIL5_SHOTS"))
        GTEST_SKIP() << "TARMIL5_SHOTS not set";
    vlFreePrinter();
    TvlPage page(9, 2100, 2970, poPortrait);
    page.Margins = {36, 36, 36, 36};
    {
        TvlPgoptForm form;
        form.SetOptions(TvlPageSetup::FromPage(page, vlPrinter()));
        for (int tab = 0; tab < 3; ++tab) {
            form.PageControl1->setCurrentIndex(tab);
            shoot(form, QStringLiteral("pgopt%1").arg(tab));
        }
    }
    {
        TvlDocOptForm form;
        TvlReportSetup o;
        o.Printers = vlPrinter().Printers();
        o.PrinterIndex = 0;
        form.SetOptions(o);
        shoot(form, "docopt");
    }
    {
        TvlDesOptionsForm form;
        shoot(form, "desoptions");
    }
    {
        QList<bool> exists(btCount, false);
        exists[btReportTitle] = exists[btPageHeader] = true;
        TvlBandTypesForm form(exists);
        shoot(form, "bandtypes");
    }
    {
        TvlBandEditorForm form({"Faktury", "Polozky"});
        form.SetSource("25");
        shoot(form, "bandsource");
    }
    {
        auto band = std::make_unique<TvlBandView>();
        band->SetBandType(btMasterData);
        band->Name = "MasterData1";
        page.Add(std::move(band));
        TvlVBandEditorForm form(TvlCrossSources::Read(page, "Faktury"), {"Faktury", "Polozky"});
        shoot(form, "crosssources");
    }
    {
        TvlGroupEditorForm form;
        shoot(form, "group");
    }
    TvlFieldSource source{{"Faktury", "Polozky"}, [](const QString &) { return QStringList{"CISLO", "DATUM"}; }};
    {
        TvlFieldsForm form(source);
        shoot(form, "fields");
    }
    {
        TvlInsertFieldsForm form(source);
        shoot(form, "insertfields");
    }
    {
        TvlMemoView memo;
        memo.Memo = {"Faktura č. [Cislo]", "ze dne [Datum]"};
        memo.Script = {"if [Celkem] > 0 then", "  Visible := 1"};
        TvlEditorForm form;
        form.Object = &memo;
        form.CB1->setChecked(true);
        struct : TvlDialogAnswers
        {
            int MemoEditor(TvlEditorForm &f) override
            {
                shoot(f, "memoeditor");
                return QDialog::Rejected;
            }
        } dialogs;
        vlSetDialogAnswers(&dialogs);
        form.ShowEditor();
        vlSetDialogAnswers(nullptr);
    }
    {
        TvlHilightForm form;
        form.SetOptions({"[Celkem] < 0", 0x0000FF, 0x00FFFF, 2});
        shoot(form, "highlight");
    }
    {
        TvlReport report;
        report.Variables = {"Doklad", " Cislo", " Datum", "Firma", " Nazev"};
        vlSetVariableLines(report, report.Variables);
        TvlEvForm form(report, source);
        form.VarList->setCurrentRow(0);
        shoot(form, "variables");
        TvlVaredForm list;
        list.SetLines(report.Variables);
        shoot(list, "varlist");
    }
    {
        QTemporaryDir dir;
        TvlReport report;
        report.Pages.Add();
        QImage icon(32, 32, QImage::Format_RGB32);
        icon.fill(Qt::darkCyan);
        report.SaveTemplate(dir.filePath("Faktura.vlt"), {"Faktura s logem", "A4 na výšku"}, icon);
        report.SaveTemplate(dir.filePath("dodací list.vlt"), {"Dodací list"}, QImage());
        TvlTemplForm form(dir.path());
        form.LB1->setCurrentRow(1);
        shoot(form, "templates");
        TvlTemplNewForm newForm;
        newForm.Memo1->setPlainText("Moje šablona");
        shoot(newForm, "newtemplate");
    }
    {
        TvlGEditorForm form;
        TvlPicture picture;
        picture.Load(gkMetafile, metafilebytes::emf(true));
        form.SetPicture(picture);
        form.CB1->setChecked(true);
        shoot(form, "pictureeditor");
    }
    vlFreePrinter();
}
