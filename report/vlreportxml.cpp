// The XML layout of a report (".vl3").
#include "report/components.h"
#include "report/dataset.h"
#include "report/vlreportlayout.h"
#include "report/xmlreport.h"

#include <QFileInfo>

namespace {

TvlDataset *datasetNamed(const QString &name)
{
    return qobject_cast<TvlDataset *>(vlFindComponent(name));
}

} // namespace

void TvlReportLayout::SaveToVL3Stream(ByteStream &stream, const QObject *owner) const
{
    TvlXmlWriter xml(stream);
    QList<TvlXmlScriptedView> scripted;
    for (int p = 0; p < Pages.Count(); ++p)
        for (const auto &view : Pages[p]->Objects)
            if (!view->Script.isEmpty())
                scripted.append({view->Name, view->Script});
    QStringList datasets;
    if (owner)
        vlGetComponents(owner, TvlDataset::staticMetaObject, datasets);
    vlXmlWriteReportStart(xml, vlXmlScript(scripted), vlXmlPropData(datasets, Variables));

    TvlXmlContext context;
    context.DataSetComponent = [](const QString &name) {
        TvlDataset *dataset = datasetNamed(name);
        return dataset ? dataset->objectName() : QString();
    };
    context.DataField = [](const QString &text, QString *dataset, QString *field) {
        const int dot = int(text.lastIndexOf(u'.'));
        if (dot <= 0)
            return false;
        TvlDataset *found = datasetNamed(text.left(dot));
        if (!found)
            return false;
        *dataset = found->objectName();
        *field = text.mid(dot + 1);
        return true;
    };
    for (int p = 0; p < Pages.Count(); ++p) {
        const TvlPage &page = *Pages[p];
        TvlXmlPage description;
        description.orientation = page.Orientation;
        description.pageWidth = page.PrnInfo.PageWidth;
        description.pageHeight = page.PrnInfo.PageHeight;
        description.paperSize = page.PaperSize;
        description.marginLeft = page.LeftOffset();
        description.marginTop = page.TopOffset();
        description.marginRight = page.RightEdge();
        description.marginBottom = page.BottomEdge();
        description.columns = page.Columns;
        description.columnWidth = page.ColumnWidth;
        description.printOnPreviousPage = page.PrintOnPreviousPage != 0;
        const bool hasViews = page.Count() > 0;
        vlXmlWritePageStart(xml, p + 1, description, hasViews);
        context.LeftOffset = page.LeftOffset();
        for (const auto &view : page.Objects) {
            view->PrepareDrawRect(TvlDrawMode::Design); // the gaps the element carries
            view->RestoreBounds();
            view->WriteXmlElement(xml, context);
        }
        vlXmlWritePageEnd(xml, hasViews);
    }
    vlXmlWriteReportEnd(xml);
}

bool TvlReportLayout::SaveToVL3File(const QString &path, QString *error, const QObject *owner) const
{
    const QFileInfo info(path);
    const QString target = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".vl3");
    return vlWriteFile(
        target, [&](ByteStream &stream) { SaveToVL3Stream(stream, owner); }, error);
}
