#include "app/layouts/rollpaper.h"

#include "report/printer.h"
#include "report/vlreport.h"

#include <cmath>
#include <memory>

namespace {

constexpr int CustomPaper = 256;
// The sheet a roll document is built on: two metres, more than any receipt.
constexpr int LongSheet = 20000;

int pageUnitsToTenthsOfMm(int units)
{
    return int(std::ceil(units / vlUnitsPerInchY * 254.0));
}

} // namespace

bool IsRollLayout(const TvlReport &report)
{
    if (report.Pages.Count() == 0)
        return false;
    const TvlPage *page = report.Pages[0];
    return page->PaperSize == CustomPaper && page->Orientation == poPortrait && page->PaperWidth <= RollMaxWidth;
}

void CutPagesToContent(TvlReport &report)
{
    TvlEMFPages &pages = report.EMFPages;
    TvlPrinter &printer = vlPrinter();
    for (int i = 0; i < pages.Count(); ++i) {
        int bottom = 0;
        if (!pages.ExportPage(i, [&bottom](TvlView &view) { bottom = std::max(bottom, view.Top + view.Height); }))
            continue;
        TvlPageInfo *info = pages[i];
        const int margin = info->PrnInfo.PageHeight - (info->PrnInfo.OffsetY + info->PrnInfo.PrintableHeight);
        const int height = pageUnitsToTenthsOfMm(bottom + std::max(margin, 0)) + 1;
        if (bottom <= 0 || height >= info->PaperHeight)
            continue;
        info->PaperHeight = height;
        printer.SetPrinterInfo(info->PaperSize, info->PaperWidth, info->PaperHeight,
                               info->Orientation ? poLandscape : poPortrait);
        printer.FillPrnInfo(info->PrnInfo);
    }
}

void FollowRollLength(TvlReport &report)
{
    const char *const installed = "tarmilFollowsRollLength";
    if (report.property(installed).toBool())
        return;
    report.setProperty(installed, true);
    // The design pages' own lengths, kept while a build runs on the long sheet.
    auto lengths = std::make_shared<QList<int>>();
    TvlReport *target = &report;
    const auto beginDoc = report.OnBeginDoc;
    report.OnBeginDoc = [beginDoc, lengths, target] {
        if (beginDoc)
            beginDoc();
        lengths->clear();
        if (!IsRollLayout(*target))
            return;
        for (int i = 0; i < target->Pages.Count(); ++i) {
            TvlPage *page = target->Pages[i];
            lengths->append(page->PaperHeight);
            page->ChangePaper(CustomPaper, page->PaperWidth, LongSheet, page->Orientation);
        }
    };
    const auto endDoc = report.OnEndDoc;
    report.OnEndDoc = [endDoc, lengths, target] {
        if (endDoc)
            endDoc();
        if (lengths->isEmpty())
            return;
        CutPagesToContent(*target);
        for (int i = 0; i < target->Pages.Count() && i < lengths->size(); ++i) {
            TvlPage *page = target->Pages[i];
            page->ChangePaper(CustomPaper, page->PaperWidth, lengths->at(i), page->Orientation);
        }
        lengths->clear();
    };
}
