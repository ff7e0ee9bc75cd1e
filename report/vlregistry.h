#pragma once
// The object factory and the engine's registries: add-in object classes,
// designer tools, export filters and function libraries. Registrations are
// made at start-up; the lists grow as needed.
#include "report/vlview.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <functional>
#include <memory>
#include <stdexcept>

class TvlExportFilter;
class TvlFunctionLibrary;

// An editor of an add-in object; the rich-text editor overrides ShowEditor.
class TvlObjEditorForm : public QDialog
{
public:
    using QDialog::QDialog;
    virtual void ShowEditor(TvlView *view) { (void)view; }
};

using TvlViewFactory = std::function<std::unique_ptr<TvlView>()>;
using TvlEditorFactory = std::function<std::unique_ptr<TvlObjEditorForm>(QWidget *parent)>;

struct TvlAddInObjectInfo
{
    QString ClassName;
    TvlViewFactory Create;
    TvlEditorFactory EditorForm;
    QImage ButtonBmp;
    QString ButtonHint;
};

struct TvlToolsInfo
{
    QString Caption;
    QImage ButtonBmp;
    std::function<void()> OnClick;
};

// What the registries tell a designer that is open when something registers.
class TvlDesignerHooks
{
public:
    virtual ~TvlDesignerHooks() = default;
    virtual void AddObjectButton(const QImage &bitmap, const QString &hint, int tag) = 0;
    virtual void AddToolItem(const TvlToolsInfo &tool) = 0;
};
void vlSetDesignerHooks(TvlDesignerHooks *designer);

// An add-in class name no registration knows.
class EClassNotFound : public std::runtime_error
{
public:
    explicit EClassNotFound(const QString &className);
};

// Creates an object of a type code (0 memo, 1 picture, 2 band, 3 subreport,
// 4 line, 10 the add-in of that exact class name); nullptr for other codes.
// Every object made gets the next object id. Raises EClassNotFound for an
// unknown add-in.
std::unique_ptr<TvlView> vlCreateView(int type, const QString &className = {});
// The id the next object gets.
qint32 vlNextObjectId();

// Appends an add-in class; the designer's button gets the tag 10 + its index.
void vlRegisterAddIn(const TvlAddInObjectInfo &info);
const QList<TvlAddInObjectInfo> &vlAddIns();
void vlRegisterDesignerTool(const TvlToolsInfo &tool);
const QList<TvlToolsInfo> &vlDesignerTools();

// Filters stay owned by their creators, who unregister them when they go.
void vlRegisterExportFilter(TvlExportFilter *filter);
void vlUnregisterExportFilter(TvlExportFilter *filter);
const QList<TvlExportFilter *> &vlExportFilters();

void vlRegisterFunctionLibrary(std::unique_ptr<TvlFunctionLibrary> library);
QList<TvlFunctionLibrary *> vlFunctionLibraries();
