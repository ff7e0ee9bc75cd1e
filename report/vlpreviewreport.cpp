#include "report/vlpreviewreport.h"

#include "platform/messages.h"
#include "report/vlprintpages.h"

bool TvlPreviewReport::PrintPages(const QString &pages, int copies)
{
    TvlEMFPages *own = OwnPages();
    if (!own)
        return false;
    bool ok = false;
    const QList<int> indexes = vlSelectPages(pages, own->Count(), &ok);
    if (!ok || indexes.isEmpty()) {
        ShowWarning(QStringLiteral("Tisk neproběhl..."),
                    QStringLiteral("Čísla stránek „%1“ neurčují žádnou stranu sestavy.").arg(pages));
        return false;
    }
    QString error;
    if (!vlPrintWithProgress(*own, indexes, copies, Title(), &error)) {
        if (!error.isEmpty()) // else the user withdrew the job
            ShowWarning(QStringLiteral("Tisk neproběhl..."), error);
        return false;
    }
    return true;
}

bool TvlPreviewReport::ExportTo(const TvlExportFilter &filter, const QString &fileName)
{
    TvlEMFPages *own = OwnPages();
    return own && vlExportWithProgress(*own, filter, fileName, Title());
}
