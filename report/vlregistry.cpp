#include "report/vlregistry.h"

#include "report/rich/vlrichview.h"
#include "report/vlbandview.h"
#include "report/vlfunctions.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlsubreportview.h"

namespace {

struct Registry
{
    Registry() { addIns.append(vlRichViewInfo()); } // the engine's own add-in
    QList<TvlAddInObjectInfo> addIns;
    QList<TvlToolsInfo> tools;
    QList<TvlExportFilter *> filters;
    std::vector<std::unique_ptr<TvlFunctionLibrary>> libraries;
    TvlDesignerHooks *designer = nullptr;
    qint32 nextObjectId = 0;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

EClassNotFound::EClassNotFound(const QString &className)
    : std::runtime_error((QStringLiteral("Не найден класс ") + className).toStdString())
{}

void vlSetDesignerHooks(TvlDesignerHooks *designer)
{
    registry().designer = designer;
}

std::unique_ptr<TvlView> vlCreateView(int type, const QString &className)
{
    std::unique_ptr<TvlView> view;
    switch (type) {
    case otMemo:
        view = std::make_unique<TvlMemoView>();
        break;
    case otPicture:
        view = std::make_unique<TvlPictureView>();
        break;
    case otBand:
        view = std::make_unique<TvlBandView>();
        break;
    case otSubReport:
        view = std::make_unique<TvlSubReportView>();
        break;
    case otLine:
        view = std::make_unique<TvlLineView>();
        break;
    case otAddIn: {
        for (const TvlAddInObjectInfo &info : registry().addIns)
            if (info.ClassName == className && info.Create) {
                view = info.Create();
                break;
            }
        if (!view)
            throw EClassNotFound(className);
        view->ObjectType = otAddIn;
        break;
    }
    default:
        return nullptr;
    }
    view->ObjectId = registry().nextObjectId++;
    return view;
}

qint32 vlNextObjectId()
{
    return registry().nextObjectId;
}

void vlRegisterAddIn(const TvlAddInObjectInfo &info)
{
    Registry &r = registry();
    r.addIns.append(info);
    if (r.designer)
        r.designer->AddObjectButton(info.ButtonBmp, info.ButtonHint, 10 + int(r.addIns.size()) - 1);
}

const QList<TvlAddInObjectInfo> &vlAddIns()
{
    return registry().addIns;
}

void vlRegisterDesignerTool(const TvlToolsInfo &tool)
{
    Registry &r = registry();
    r.tools.append(tool);
    if (r.designer)
        r.designer->AddToolItem(tool);
}

const QList<TvlToolsInfo> &vlDesignerTools()
{
    return registry().tools;
}

void vlRegisterExportFilter(TvlExportFilter *filter)
{
    if (filter && !registry().filters.contains(filter))
        registry().filters.append(filter);
}

void vlUnregisterExportFilter(TvlExportFilter *filter)
{
    registry().filters.removeAll(filter);
}

const QList<TvlExportFilter *> &vlExportFilters()
{
    return registry().filters;
}

void vlRegisterFunctionLibrary(std::unique_ptr<TvlFunctionLibrary> library)
{
    if (library)
        registry().libraries.push_back(std::move(library));
}

QList<TvlFunctionLibrary *> vlFunctionLibraries()
{
    QList<TvlFunctionLibrary *> list;
    for (const auto &library : registry().libraries)
        list.append(library.get());
    return list;
}
