#include "report/designer/dialogs/dialoganswers.h"

#include "report/designer/dialogs/bandeditorform.h"
#include "report/designer/dialogs/bandtypesform.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/dialogs/evform.h"
#include "report/designer/dialogs/fieldsform.h"
#include "report/designer/dialogs/geditorform.h"
#include "report/designer/dialogs/hilightform.h"
#include "report/designer/dialogs/pgoptform.h"
#include "report/designer/dialogs/templform.h"
#include "report/designer/dialogs/valuesnapshot.h"

#include "platform/colors.h"
#include "report/components.h"
#include "report/vlbuilder.h"
#include "report/vlfmtform.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlpictureview.h"
#include "report/vlreport.h"
#include "report/vlvarform.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>

namespace {

TvlDialogAnswers *&installed()
{
    static TvlDialogAnswers *dialogs = nullptr;
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

TvlDialogAnswers &vlDialogAnswers()
{
    static TvlDialogAnswers standard;
    return installed() ? *installed() : standard;
}

void vlSetDialogAnswers(TvlDialogAnswers *dialogs)
{
    installed() = dialogs;
}

bool TvlDialogAnswers::PageOptions(TvlPageSetup &options, QWidget *parent)
{
    TvlPgoptForm form(parent);
    return ask(form, options, &TvlPgoptForm::SetOptions, &TvlPgoptForm::Options);
}

bool TvlDialogAnswers::ReportOptions(TvlReportSetup &options, QWidget *parent)
{
    TvlDocOptForm form(parent);
    return ask(form, options, &TvlDocOptForm::SetOptions, &TvlDocOptForm::Options);
}

bool TvlDialogAnswers::DesignerOptions(TvlDesignerSetup &options, QWidget *parent)
{
    TvlDesOptionsForm form(parent);
    return ask(form, options, &TvlDesOptionsForm::SetOptions, &TvlDesOptionsForm::Options);
}

int TvlDialogAnswers::BandType(const QList<bool> &typesOnPage, QWidget *parent)
{
    TvlBandTypesForm form(typesOnPage, parent);
    return form.exec() == QDialog::Accepted ? form.BandType() : -1;
}

bool TvlDialogAnswers::BandSource(QString &formatText, const QStringList &dataSets, QWidget *parent)
{
    TvlBandEditorForm form(dataSets, parent);
    return ask(form, formatText, &TvlBandEditorForm::SetSource, &TvlBandEditorForm::Source);
}

bool TvlDialogAnswers::CrossSources(TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent)
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

bool TvlDialogAnswers::GroupCondition(QString &condition, QWidget *parent)
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
    TvlPageSetup options = TvlPageSetup::FromPage(page, vlPrinter());
    if (!vlDialogAnswers().PageOptions(options, parent))
        return false;
    options.ApplyTo(page);
    return true;
}

bool vlEditReportOptions(TvlReport &report, QWidget *parent, QString *error)
{
    TvlReportSetup options = TvlReportSetup::FromReport(report, vlPrinter());
    if (!vlDialogAnswers().ReportOptions(options, parent))
        return false;
    options.ApplyTo(report, error);
    return true;
}

bool vlEditDesignerOptions(TvlDesignerSetup &options, QWidget *parent)
{
    return vlDialogAnswers().DesignerOptions(options, parent);
}

int vlChooseBandType(const TvlPage &page, QWidget *parent)
{
    return vlDialogAnswers().BandType(TvlBandTypesForm::TypesOnPage(page), parent);
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
        return vlDialogAnswers().BandSource(text, vlBandSource::reportDataSets(), parent);
    });
}

bool vlEditCrossSources(TvlView &band, const TvlPage &page, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    return editFormatText(band, recordUndo, [&page, parent](QString &text) {
        TvlCrossSources sources = TvlCrossSources::Read(page, text);
        if (!vlDialogAnswers().CrossSources(sources, vlBandSource::reportDataSets(), parent))
            return false;
        text = sources.FormatText();
        return true;
    });
}

bool vlEditGroupCondition(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    return editFormatText(band, recordUndo,
                          [parent](QString &text) { return vlDialogAnswers().GroupCondition(text, parent); });
}

QString TvlDialogAnswers::PickField(QWidget *parent)
{
    TvlFieldsForm form(TvlFieldSource::Report(), parent);
    form.exec();
    return form.PickedField;
}

bool TvlDialogAnswers::InsertFields(TvlInsertFieldsAnswer &choice, QWidget *parent)
{
    TvlInsertFieldsForm form(TvlFieldSource::Report(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    choice = form.Choice();
    return true;
}

bool TvlDialogAnswers::Highlight(TvlHighlightOptions &options, QWidget *parent)
{
    TvlHilightForm form(parent);
    return ask(form, options, &TvlHilightForm::SetOptions, &TvlHilightForm::Options);
}

bool TvlDialogAnswers::Color(qint32 &color, QWidget *parent)
{
    const QColor start = color == TvlHilightForm::Transparent ? QColor(Qt::white) : Colors::toQColor(color);
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid())
        return false;
    color = Colors::fromQColor(chosen);
    return true;
}

int TvlDialogAnswers::MemoEditor(TvlEditorForm &form)
{
    return form.exec();
}

QString TvlDialogAnswers::ChooseVariable(const TvlReport *report, QWidget *parent)
{
    TvlVariableSource source;
    source.Shared = &vlScriptVariables();
    if (report) {
        report->GetCategoryList(source.Categories);
        source.Variables = [report](const QString &category) {
            QStringList categories, names;
            report->GetCategoryList(categories);
            report->GetVarList(int(categories.indexOf(category)), names);
            return names;
        };
    }
    TvlVarForm form(source, parent);
    return form.exec() == QDialog::Accepted ? form.SelectedName() : QString();
}

bool TvlDialogAnswers::Format(qint32 &format, QString &formatText, QWidget *parent)
{
    TvlFmtForm form(parent);
    form.SetFormat(format, formatText);
    if (form.exec() != QDialog::Accepted)
        return false;
    format = form.Format();
    formatText = form.FormatText();
    return true;
}

int TvlDialogAnswers::VariablesEditor(TvlEvForm &form)
{
    return form.exec();
}

bool TvlDialogAnswers::VariableList(QStringList &lines, QWidget *parent)
{
    TvlVaredForm form(parent);
    form.SetLines(lines);
    if (form.exec() != QDialog::Accepted)
        return false;
    lines = form.Lines();
    return true;
}

QString TvlDialogAnswers::Template(const QString &templateDir, QWidget *parent)
{
    TvlTemplForm form(templateDir, parent);
    return form.exec() == QDialog::Accepted ? form.TemplName : QString();
}

bool TvlDialogAnswers::NewTemplate(QStringList &description, QImage &icon, QWidget *parent)
{
    TvlTemplNewForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    description = form.Description();
    icon = form.Icon();
    return true;
}

int TvlDialogAnswers::PictureEditor(TvlGEditorForm &form)
{
    return form.exec();
}

QString TvlDialogAnswers::OpenFile(const QString &filter, QWidget *parent, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, vlQtFileFilter(filter));
}

int TvlDialogAnswers::FontDialog(QFontDialog &dialog)
{
    return dialog.exec();
}

// --- more entry points ---------------------------------------------------------------

QString vlQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        const QString &title = parts.at(i);
        filters << (title.contains(u'(') ? title : title + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

bool vlEditHighlight(TvlMemoView &memo, const TvlRecordUndo &recordUndo, QWidget *parent)
{
    TvlHighlightOptions options{memo.HighlightCondition, memo.Highlight.FontColor, memo.Highlight.FillColor,
                                quint16(memo.Highlight.FontStyle & 7)};
    if (!vlDialogAnswers().Highlight(options, parent))
        return false;
    if (recordUndo)
        recordUndo();
    memo.HighlightCondition = options.Condition;
    memo.Highlight.FontColor = options.FontColor;
    memo.Highlight.FillColor = options.FillColor;
    memo.Highlight.FontStyle = quint16((memo.Highlight.FontStyle & ~7) | options.Style);
    return true;
}

bool ShowVariablesEditor(TvlReport &report, QWidget *parent)
{
    TvlValueSnapshot snapshot;
    snapshot.Take(report);
    const QObject *owner = vlCurrentReportOwner();
    TvlEvForm form(report, TvlFieldSource::Report(), owner ? owner->objectName() : QString(), parent);
    if (vlDialogAnswers().VariablesEditor(form) == QDialog::Accepted)
        return true;
    snapshot.Restore(report);
    return false;
}

QString vlChooseTemplate(const QString &templateDir, QWidget *parent)
{
    return vlDialogAnswers().Template(templateDir, parent);
}

bool vlAskTemplateDescription(QStringList &description, QImage &icon, QWidget *parent)
{
    return vlDialogAnswers().NewTemplate(description, icon, parent);
}

bool vlEditPicture(TvlPictureView &view, const TvlRecordUndo &recordUndo, const std::function<void()> &editText,
                   QWidget *parent)
{
    TvlGEditorForm form(parent);
    form.SetPicture(view.Picture);
    form.EditText = editText;
    if (vlDialogAnswers().PictureEditor(form) != QDialog::Accepted)
        return false;
    if (recordUndo)
        recordUndo();
    view.Picture = form.Picture();
    return true;
}
