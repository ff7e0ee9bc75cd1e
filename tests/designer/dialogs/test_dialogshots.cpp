// Pictures of the designer's dialogs for a person to look at: written only
// when TARMIL5_SHOTS names a folder.
#include "platform/printers.h"
#include "report/designer/dialogs/bandeditorform.h"
#include "report/designer/dialogs/bandtypesform.h"
#include "report/designer/dialogs/desoptionsform.h"
#include "report/designer/dialogs/docoptform.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/dialogs/pgoptform.h"
#include "report/vlbandview.h"
#include "report/vlpage.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
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
        form.SetOptions(TvlPageOptions::FromPage(page, vlPrinter()));
        for (int tab = 0; tab < 3; ++tab) {
            form.PageControl1->setCurrentIndex(tab);
            shoot(form, QStringLiteral("pgopt%1").arg(tab));
        }
    }
    {
        TvlDocOptForm form;
        TvlReportOptions o;
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
    vlFreePrinter();
}
