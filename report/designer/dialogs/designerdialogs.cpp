#include "report/designer/dialogs/designerdialogs.h"

#include "report/designer/dialogs/bandeditorform.h"
#include "report/designer/dialogs/bandtypesform.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/dialogs/pgoptform.h"

#include "report/vlpage.h"
#include "report/vlreport.h"

#include <QLineEdit>

namespace {

TvlDesignerDialogs *&installed()
{
    static TvlDesignerDialogs *dialogs = nullptr;
    return dialogs;
}

// Shows a form filled by set and reads it back by get on OK.
template <typename Form, typename Value>
bool ask(Form &form, Value &value, void (Form::*set)(const Value &), Value (Form::*get)() const)
{
    (form.*set)(value);
    if (form.exec() != QDialog::Accepted)
        return false;
    value = (form.*get)();
    return true;
}

} // namespace

TvlDesignerDialogs &vlDesignerDialogs()
{
    static TvlDesignerDialogs standard;
    return installed() ? *installed() : standard;
}

void vlSetDesignerDialogs(TvlDesignerDialogs *dialogs)
{
    installed() = dialogs;
}

bool TvlDesignerDialogs::PageOptions(TvlPageOptions &options, QWidget *parent)
{
    TvlPgoptForm form(parent);
    return ask(form, options, &TvlPgoptForm::SetOptions, &TvlPgoptForm::Options);
}

bool TvlDesignerDialogs::ReportOptions(TvlReportOptions &options, QWidget *parent)
{
    TvlDocOptForm form(parent);
    return ask(form, options, &TvlDocOptForm::SetOptions, &TvlDocOptForm::Options);
}

bool TvlDesignerDialogs::DesignerOptions(TvlDesignerOptions &options, QWidget *parent)
{
    TvlDesOptionsForm form(parent);
    return ask(form, options, &TvlDesOptionsForm::SetOptions, &TvlDesOptionsForm::Options);
}

int TvlDesignerDialogs::BandType(const QList<bool> &typesOnPage, QWidget *parent)
{
    TvlBandTypesForm form(typesOnPage, parent);
    return form.exec() == QDialog::Accepted ? form.BandType() : -1;
}

bool TvlDesignerDialogs::BandSource(QString &formatText, const QStringList &dataSets, QWidget *parent)
{
    TvlBandEditorForm form(dataSets, parent);
    return ask(form, formatText, &TvlBandEditorForm::SetSource, &TvlBandEditorForm::Source);
}

bool TvlDesignerDialogs::CrossSources(TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent)
{
    TvlVBandEditorForm form(sources, dataSets, parent);
    if (sources.Bands.isEmpty()) {
        form.exec(); // shows the empty list; nothing to confirm
        return false;
    }
    if (form.exec() != QDialog::Accepted)
        return false;
    form.StoreValue();
    sources = form.Sources();
    return true;
}

bool TvlDesignerDialogs::GroupCondition(QString &condition, QWidget *parent)
{
    TvlGroupEditorForm form(parent);
    form.Edit1->setText(condition);
    if (form.exec() != QDialog::Accepted)
        return false;
    condition = form.Edit1->text();
    return true;
}

// --- the designer's entry points -----------------------------------------------------

bool vlEditPageOptions(TvlPage &page, QWidget *parent)
{
    TvlPageOptions options = TvlPageOptions::FromPage(page, vlPrinter());
    if (!vlDesignerDialogs().PageOptions(options, parent))
        return false;
    options.ApplyTo(page);
    return true;
}

bool vlEditReportOptions(TvlReport &report, QWidget *parent, QString *error)
{
    TvlReportOptions options = TvlReportOptions::FromReport(report, vlPrinter());
    if (!vlDesignerDialogs().ReportOptions(options, parent))
        return false;
    options.ApplyTo(report, error);
    return true;
}

bool vlEditDesignerOptions(TvlDesignerOptions &options, QWidget *parent)
{
    return vlDesignerDialogs().DesignerOptions(options, parent);
}

int vlChooseBandType(const TvlPage &page, QWidget *parent)
{
    return vlDesignerDialogs().BandType(TvlBandTypesForm::TypesOnPage(page), parent);
}

namespace {

// Asks for a new FormatText and writes it after the undo step.
bool editFormatText(TvlView &band, const TvlRecordUndo &recordUndo, const std::function<bool(QString &)> &askText)
{
    QString text = band.FormatText;
    if (!askText(text))
        return false;
    if (recordUndo)
        recordUndo();
    band.FormatText = text;
    return true;
}

} // namespace

bool vlEditBandSource(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    return editFormatText(band, recordUndo, [parent](QString &text) {
        return vlDesignerDialogs().BandSource(text, vlBandSource::reportDataSets(), parent);
    });
}

bool vlEditCrossSources(TvlView &band, const TvlPage &page, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    return editFormatText(band, recordUndo, [&page, parent](QString &text) {
        TvlCrossSources sources = TvlCrossSources::Read(page, text);
        if (!vlDesignerDialogs().CrossSources(sources, vlBandSource::reportDataSets(), parent))
            return false;
        text = sources.FormatText();
        return true;
    });
}

bool vlEditGroupCondition(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    return editFormatText(band, recordUndo,
                          [parent](QString &text) { return vlDesignerDialogs().GroupCondition(text, parent); });
}

QString TvlDesignerDialogs::PickField(QWidget *parent)
{
    TvlFieldsForm form(TvlFieldSource::Report(), parent);
    form.exec();
    return form.PickedField;
}
