// Printing prepared pages on the engine's printer.
#include "report/vlprintpages.h"
#include "report/vlprogressform.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

namespace {

// Page numbers past the last page stand for the last page.
QString clampPageNumbers(const QString &list, int pageCount)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QString clamped;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &m : number.globalMatch(list)) {
        clamped += list.mid(done, m.capturedStart() - done);
        const qint64 value = m.captured().toLongLong();
        clamped += value > pageCount ? QString::number(pageCount) : m.captured();
        done = m.capturedEnd();
    }
    return clamped + list.mid(done);
}

} // namespace

bool TvlReport::PrintPreparedReport(const QString &pageList, int copies)
{
    bool valid = false;
    const QList<int> pages = vlSelectPages(clampPageNumbers(pageList, EMFPages.Count()), EMFPages.Count(), &valid);
    if (!valid || pages.isEmpty())
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
    Terminated = false;
    QPainter painter;
    bool started = false, done = true;
    // Inside the engine's progress window, "Storno" ends the job after the page being drawn.
    const bool window = ShowProgress && !OnProgress && qobject_cast<QApplication *>(qApp);
    TvlProgressForm progress(window ? QApplication::activeWindow() : nullptr);
    const QString caption = vlProgressCaption(Title, QStringLiteral("Tisk"));
    progress.SetProgress(caption, QStringLiteral("Tisknu stranu:"));
    const auto printAll = [&] {
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
                QRect target = info.UseMargins ? QRect(QPoint(0, 0), layout.fullRectPixels(dpi).size())
                                               : layout.paintRectPixels(dpi);
                TvlPainterCanvas canvas(painter, true);
                info.Visible = true;
                EMFPages.DrawPage(index, canvas, target);
                info.Visible = false;
                info.Page.reset();
                if (OnProgress) {
                    OnProgress(index + 1);
                } else if (window) {
                    progress.SetProgress(caption, QStringLiteral("Tisknu stranu:  %1").arg(index + 1));
                    QApplication::processEvents();
                }
                if (Terminated)
                    done = false;
            }
            if (!done)
                break;
        }
    };
    if (window)
        progress.Run(printAll, [this] { Terminated = true; });
    else
        printAll();
    if (started) {
        if (!done)
            device->abort();
        painter.end();
    }
    return done;
}
