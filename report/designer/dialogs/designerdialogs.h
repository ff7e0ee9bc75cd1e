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

class QWidget;
class TvlMemoView;
class TvlPage;
class TvlPictureView;
class TvlReport;
class TvlView;
struct TvlHighlightOptions;
struct TvlInsertFieldsChoice;
struct TvlMemoText;
struct TvlPictureEdit;

// The answers of the dialogs. The base shows the real dialogs; a test
// derives from it and overrides the dialogs it answers. Each returns true
// for OK with the answer in its argument, false for a cancel.
class TvlDesignerDialogs
{
public:
    virtual ~TvlDesignerDialogs() = default;

    virtual bool PageOptions(TvlPageOptions &options, QWidget *parent);
    virtual bool ReportOptions(TvlReportOptions &options, QWidget *parent);
    virtual bool DesignerOptions(TvlDesignerOptions &options, QWidget *parent);
    // The chosen band type; -1 when cancelled.
    virtual int BandType(const QList<bool> &typesOnPage, QWidget *parent);
    // formatText: the data band's source.
    virtual bool BandSource(QString &formatText, const QStringList &dataSets, QWidget *parent);
    virtual bool CrossSources(TvlCrossSources &sources, const QStringList &dataSets, QWidget *parent);
    virtual bool GroupCondition(QString &condition, QWidget *parent);
    // The field picker: "DataSet.\"Field\"", empty when cancelled.
    virtual QString PickField(QWidget *parent);
};

// The dialogs in use; vlSetDesignerDialogs(nullptr) returns to the real ones.
TvlDesignerDialogs &vlDesignerDialogs();
void vlSetDesignerDialogs(TvlDesignerDialogs *dialogs);

// What changes an object records an undo step first through this (the
// designer records an edit entry of its selection); it may be empty.
using TvlRecordUndo = std::function<void()>;

// Page setup of a page: true when confirmed and written into the page.
bool vlEditPageOptions(TvlPage &page, QWidget *parent = nullptr);
// Report options; the printer change's failure comes back in error (the
// flags are written all the same).
bool vlEditReportOptions(TvlReport &report, QWidget *parent = nullptr, QString *error = nullptr);
bool vlEditDesignerOptions(TvlDesignerOptions &options, QWidget *parent = nullptr);
// The type of a band to insert into the page; -1 when cancelled.
int vlChooseBandType(const TvlPage &page, QWidget *parent = nullptr);
// The editors of a band's FormatText: data source of a data band, sources
// of the bands a cross band spans (on its page), group condition.
bool vlEditBandSource(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
bool vlEditCrossSources(TvlView &band, const TvlPage &page, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
bool vlEditGroupCondition(TvlView &band, const TvlRecordUndo &recordUndo, QWidget *parent = nullptr);
