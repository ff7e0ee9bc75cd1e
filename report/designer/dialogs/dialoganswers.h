#pragma once
// How the designer asks its dialogs. Every dialog is shown through one
// object, which tests replace to answer the dialogs without showing them;
// the functions below fill a dialog from the report's objects, ask it and
// write the answer back, so the designer's commands call only these.
#include "report/designer/dialogs/bandsource.h"
#include "report/designer/dialogs/desoptionsform.h"
#include "report/designer/dialogs/docoptform.h"
#include "report/designer/dialogs/pageoptions.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QFontDialog;
class QWidget;
class TvlEditorForm;
class TvlEvForm;
class TvlGEditorForm;
class TvlMemoView;
class TvlPage;
class TvlPictureView;
class TvlReport;
class TvlView;
struct TvlHighlightOptions;
struct TvlInsertFieldsAnswer;

// The answers of the dialogs. The base shows the real dialogs; a test
// derives from it and overrides the dialogs it answers. Each returns true
// for OK with the answer in its argument, false for a cancel.
class TvlDialogAnswers
{
public:
    virtual ~TvlDialogAnswers() = default;

    virtual bool PageOptions(TvlPageSetup &options, QWidget *parent);
    virtual bool ReportOptions(TvlReportSetup &options, QWidget *parent);
    virtual bool DesignerOptions(TvlDesignerSetup &options, QWidget *parent);
    // The chosen band type; -1 when cancelled.
    virtual int BandType(const QList<bool> &typesOnPage, QWidget *parent);
    // formatText: the data band's source.
    virtual bool BandSource(QString &formatText, const QStringList &dataSets, QWidget *parent);
    virtual bool CrossSources(TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent);
    virtual bool GroupCondition(QString &condition, QWidget *parent);
    // The field picker: "DataSet.\"Field\"", empty when cancelled.
    virtual QString PickField(QWidget *parent);
    virtual bool InsertFields(TvlInsertFieldsAnswer &choice, QWidget *parent);
    virtual bool Highlight(TvlHighlightOptions &options, QWidget *parent);
    // The colour dialog on a colour (0x00BBGGRR).
    virtual bool Color(qint32 &color, QWidget *parent);
    // The memo editor, already loaded with its object: QDialog::Accepted to
    // confirm. The base runs it modally; a test edits the memos and answers.
    virtual int MemoEditor(TvlEditorForm &form);
    // The engine's variable chooser over the report's variables (the special
    // ones alone without a report): the name, empty when cancelled.
    virtual QString ChooseVariable(const TvlReport *report, QWidget *parent);
    // The display format dialog.
    virtual bool Format(qint32 &format, QString &formatText, QWidget *parent);
    // The variables editor on its report, as the memo editor above.
    virtual int VariablesEditor(TvlEvForm &form);
    virtual bool VariableList(QStringList &lines, QWidget *parent);
    // The template list: the chosen file, empty when cancelled.
    virtual QString Template(const QString &templateDir, QWidget *parent);
    virtual bool NewTemplate(QStringList &description, QImage &icon, QWidget *parent);
    // The picture editor, loaded with its picture, as the memo editor above.
    virtual int PictureEditor(TvlGEditorForm &form);
    // A file to open; filter as "Text (*.x)|*.x|Other|*.*", starting in folder
    // (empty: where the last dialog ended). Empty when cancelled.
    virtual QString OpenFile(const QString &filter, QWidget *parent, const QString &folder = QString());
    // The font dialog, opened on its current font.
    virtual int FontDialog(QFontDialog &dialog);
};

// The dialogs in use; vlSetDialogAnswers(nullptr) returns to the real ones.
TvlDialogAnswers &vlDialogAnswers();
void vlSetDialogAnswers(TvlDialogAnswers *dialogs);

// What changes an object records an undo step first through this (the
// designer records an edit entry of its selection); it may be empty.
using TvlRecordUndo = std::function<void()>;

// Page setup of a page: true when confirmed and written into the page.
bool vlEditPageOptions(TvlPage &page, QWidget *parent = nullptr);
// Report options; the printer change's failure comes back in error (the
// flags are written all the same).
bool vlEditReportOptions(TvlReport &report, QWidget *parent = nullptr, QString *error = nullptr);
bool vlEditDesignerOptions(TvlDesignerSetup &options, QWidget *parent = nullptr);
// The type of a band to insert into the page; -1 when cancelled.
int vlChooseBandType(const TvlPage &page, QWidget *parent = nullptr);
// The editors of a band's FormatText: data source of a data band, sources
// of the bands a cross band spans (on its page), group condition.
bool vlEditBandSource(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
bool vlEditCrossSources(TvlView &band, const TvlPage &page, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
bool vlEditGroupCondition(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
// The highlight of a memo: condition, font colour and style, background.
bool vlEditHighlight(TvlMemoView &memo, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
// The variables editor on a report: true when closed with OK; a cancel puts
// back every variable and mapping as they were before.
bool ShowVariablesEditor(TvlReport &report, QWidget *parent = nullptr);
// The template to make a new report from: its file, empty when cancelled.
QString vlChooseTemplate(const QString &templateDir, QWidget *parent = nullptr);
// The description and icon of a report saved as a template.
bool vlAskTemplateDescription(QStringList &description, QImage &icon, QWidget *parent = nullptr);
// The picture of a picture object; editText opens the memo editor on it
// (the data field feeding the picture). On OK the undo step, then the picture.
bool vlEditPicture(TvlPictureView &view, const TvlRecordUndo &recordUndo, const std::function<void()> &editText,
                   QWidget *parent = nullptr);
// A file filter of the form "Text (*.x)|*.x|..." as Qt's file dialogs take it.
QString vlQtFileFilter(const QString &filter);
