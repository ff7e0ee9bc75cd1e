#include "report/vlprintpages.h"

#include "platform/messages.h"
#include "report/printer.h"
#include "report/vlexportfilter.h"
#include "report/vlpreparedpages.h"
#include "report/vlprogressform.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

QList<int> vlSelectPages(const QString &text, int count, bool *ok)
{
    QList<int> result;
    bool valid = true;
    if (text.trimmed().isEmpty()) {
        for (int i = 0; i < count; ++i)
            result << i;
    } else {
        static const QRegularExpression item(QStringLiteral("^\\s*(\\d+)\\s*(?:-\\s*(\\d+)\\s*)?$"));
        for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = item.match(part);
            if (!m.hasMatch()) {
                valid = false;
                continue;
            }
            const int from = m.captured(1).toInt();
            const int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
            for (int page = from; page <= to && page <= count; ++page)
                if (page >= 1)
                    result << page - 1;
        }
    }
    if (ok)
        *ok = valid;
    return result;
}

bool vlPrintPreparedPages(TvlEMFPages &pages, const QList<int> &indexes, int copies, QString *error,
                          const std::function<bool(int page)> &step)
{
    TvlPrinter &engine = vlPrinter();
    QPrinter *printer = engine.Printer();
    if (!printer || indexes.isEmpty())
        return !indexes.isEmpty();
    // Every page prints on its own paper: the device takes a new sheet before the page.
    const auto takePaper = [&engine](const TvlPageInfo &info) {
        const TPrinterOrientation orientation = info.Orientation ? poLandscape : poPortrait;
        if (!engine.IsEqual(info.PaperSize, info.PaperWidth, info.PaperHeight, orientation))
            engine.SetPrinterInfo(info.PaperSize, info.PaperWidth, info.PaperHeight, orientation);
    };
    takePaper(*pages[indexes.first()]);
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer)) {
        if (error)
            *error = engine.IsVirtual()
                         ? QStringLiteral("Není vybrána žádná tiskárna: v systému není nainstalována žádná tiskárna "
                                          "nebo ji tisková služba nenabízí. Sestavu lze prohlížet a exportovat.")
                         : QStringLiteral("Tiskárna „%1“ tisk nepřijala.").arg(engine.PrinterName());
        return false;
    }
    TvlPainterCanvas canvas(painter, true);
    bool first = true;
    for (int copy = 0; copy < qMax(1, copies); ++copy)
        for (const int index : indexes) {
            TvlPageInfo &info = *pages[index];
            if (!first) {
                takePaper(info);
                printer->newPage();
            }
            first = false;
            const QPageLayout layout = printer->pageLayout();
            const int dpi = printer->resolution();
            const QRect area =
                info.UseMargins ? QRect(QPoint(0, 0), layout.fullRectPixels(dpi).size()) : layout.paintRectPixels(dpi);
            info.Visible = true;
            pages.DrawPage(index, canvas, area);
            info.Visible = false;
            pages.DrawPage(index, canvas, {}); // releases the loaded objects
            if (step && !step(index + 1)) {
                printer->abort();
                painter.end();
                if (error)
                    error->clear();
                return false;
            }
        }
    return painter.end();
}

bool vlPrintWithProgress(TvlEMFPages &pages, const QList<int> &indexes, int copies, const QString &title,
                         QString *error)
{
    TvlProgressForm progress(QApplication::activeWindow());
    const QString caption = vlProgressCaption(title, QStringLiteral("Tisk"));
    progress.SetProgress(caption, QStringLiteral("Tisknu stranu:"));
    bool done = false;
    progress.Run(
        [&] {
            done = vlPrintPreparedPages(pages, indexes, copies, error, [&](int page) {
                progress.SetProgress(caption, QStringLiteral("Tisknu stranu:  %1").arg(page));
                QApplication::processEvents();
                return !progress.Cancelled();
            });
        },
        {});
    return done;
}

QString vlProgressCaption(const QString &title, const QString &what)
{
    QString caption = what;
    if (!title.isEmpty())
        caption += QStringLiteral(" - ") + title;
    return caption;
}

bool vlExportWithProgress(TvlEMFPages &pages, const TvlExportFilter &filter, const QString &fileName,
                          const QString &title)
{
    const std::unique_ptr<TvlExportFilter> made = filter.Create();
    if (!made)
        return false;
    TvlProgressForm progress(QApplication::activeWindow());
    const QString caption = vlProgressCaption(title);
    progress.SetProgress(caption, {});
    TvlExportResult result = TvlExportResult::Cancelled;
    QString error;
    progress.Run(
        [&] {
            result = vlWriteExport(
                pages, *made, fileName,
                [&](int page, int count) {
                    progress.SetProgress(caption, QStringLiteral("Zpracovávám stranu: %1/%2").arg(page).arg(count));
                    QApplication::processEvents();
                    return !progress.Cancelled();
                },
                &error);
        },
        {});
    if (result == TvlExportResult::Failed)
        ShowWarning(QStringLiteral("Export sestavy neproběhl..."), error);
    else if (result == TvlExportResult::Done && !error.isEmpty())
        ShowWarning(QStringLiteral("Export sestavy není úplný..."), error);
    return result == TvlExportResult::Done;
}
