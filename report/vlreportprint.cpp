// Printing prepared pages on the engine's printer.
#include "platform/messages.h"
#include "report/vlreport.h"

#include <QPainter>
#include <QPrinter>

QList<int> vlParsePageList(const QString &list, int pageCount)
{
    QList<int> pages;
    QString text = list;
    text.remove(u' ');
    if (text.isEmpty()) {
        for (int i = 0; i < pageCount; ++i)
            pages << i;
        return pages;
    }
    if (pageCount <= 0)
        return pages;
    for (const QString &item : text.split(u',', Qt::SkipEmptyParts)) {
        const int dash = int(item.indexOf(u'-'));
        bool ok1 = false, ok2 = true;
        int from = (dash < 0 ? item : item.left(dash)).toInt(&ok1);
        int to = dash < 0 ? from : item.mid(dash + 1).toInt(&ok2);
        if (!ok1 || !ok2 || from > to || to < 1)
            continue;
        from = std::clamp(from, 1, pageCount);
        to = std::clamp(to, 1, pageCount);
        for (int page = from; page <= to; ++page)
            pages << page - 1;
    }
    return pages;
}

bool TvlReport::PrintPreparedReport(const QString &pageList, int copies)
{
    const QList<int> pages = vlParsePageList(pageList, EMFPages.Count());
    if (pages.isEmpty())
        return false;
    copies = std::max(1, copies);
    TvlPrinter &printer = vlPrinter();
    QPrinter *device = printer.Printer();
    if (!device)
        return false;
    auto applyPaper = [&printer](const TvlPageInfo &info) {
        printer.SetPrinterInfo(info.PaperSize, info.PaperWidth, info.PaperHeight,
                               info.Orientation ? poLandscape : poPortrait);
    };
    applyPaper(*EMFPages[0]);
    device->setDocName(QStringLiteral("Vellum: ") + (Title.isEmpty() ? Untitled : Title));
    device->setFullPage(true);
    const bool window = ShowProgress && !OnProgress;
    if (window)
        Messages().showProgress(QStringLiteral("Tisknu stranu:"));
    Terminated = false;
    QPainter painter;
    bool started = false, done = true;
    for (int index : pages) {
        for (int copy = 0; copy < copies && done; ++copy) {
            TvlPageInfo &info = *EMFPages[index];
            const bool otherPaper = !printer.IsEqual(info.PaperSize, info.PaperWidth, info.PaperHeight,
                                                     info.Orientation ? poLandscape : poPortrait);
            if (otherPaper)
                applyPaper(info); // the device takes the new sheet from the next page on
            if (!started) {
                if (!painter.begin(device)) {
                    done = false;
                    break;
                }
                started = true;
            } else {
                device->newPage();
            }
            const QPageLayout layout = device->pageLayout();
            const int dpi = device->resolution();
            QRect target =
                info.UseMargins ? QRect(QPoint(0, 0), layout.fullRectPixels(dpi).size()) : layout.paintRectPixels(dpi);
            TvlPainterCanvas canvas(painter, true);
            info.Visible = true;
            EMFPages.DrawPage(index, canvas, target);
            info.Visible = false;
            info.Page.reset();
            if (OnProgress)
                OnProgress(index + 1);
            else if (window && !Messages().stepProgress(QStringLiteral("Tisknu stranu:  %1").arg(index + 1), index + 1))
                Terminated = true;
            if (Terminated)
                done = false;
        }
        if (!done)
            break;
    }
    if (started) {
        if (!done)
            device->abort();
        painter.end();
    }
    if (window)
        Messages().hideProgress();
    return done;
}
