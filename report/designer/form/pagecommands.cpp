#include "report/designer/form/pagecommands.h"

#include "report/vlreportlayout.h"
#include "report/vlsubreportview.h"

namespace {

constexpr int userPaper = 256;

TvlSubReportView *subReport(TvlView *view)
{
    return view->ObjectType == otSubReport ? static_cast<TvlSubReportView *>(view) : nullptr;
}

} // namespace

QStringList vlPageTabTexts(const TvlReportLayout &report)
{
    QStringList texts;
    for (int i = 0; i < report.Pages.Count(); ++i)
        texts << QStringLiteral("Strana") + QString::number(i + 1);
    for (int p = 0; p < report.Pages.Count(); ++p)
        for (const auto &view : report.Pages[p]->Objects)
            if (TvlSubReportView *sub = subReport(view.get()))
                if (sub->PageIndex >= 0 && sub->PageIndex < texts.size())
                    texts[sub->PageIndex] = sub->Name;
    return texts;
}

bool vlDeletePage(TvlReportLayout &report, int index)
{
    if (index < 0 || index >= report.Pages.Count())
        return false;
    if (report.Pages.Count() == 1) {
        report.Pages[0]->Clear();
        return true;
    }
    report.Pages.Delete(index);
    for (int p = 0; p < report.Pages.Count(); ++p) {
        TvlPage *page = report.Pages[p];
        for (int i = page->Count() - 1; i >= 0; --i)
            if (TvlSubReportView *sub = subReport(page->Object(i))) {
                if (sub->PageIndex == index)
                    page->Delete(i);
                else if (sub->PageIndex > index)
                    --sub->PageIndex;
            }
    }
    return true;
}

int vlPixelsToMm(int pixels)
{
    return pixels * 5 / 18;
}

int vlMmToPixels(int mm)
{
    return mm * 18 / 5;
}

TvlFormPageOptions vlPageOptionsOf(const TvlPage &page, const QList<int> &paperSizes)
{
    TvlFormPageOptions o;
    o.Landscape = page.Orientation == poLandscape;
    o.PaperSize = page.PaperSize;
    o.PaperIndex = int(paperSizes.indexOf(page.PaperSize));
    if (page.PaperSize == userPaper) {
        o.WidthMm = page.PaperWidth / 10;
        o.HeightMm = page.PaperHeight / 10;
    }
    o.MarginMm[0] = vlPixelsToMm(page.Margins.Left);
    o.MarginMm[1] = vlPixelsToMm(page.Margins.Top);
    o.MarginMm[2] = vlPixelsToMm(page.Margins.Right);
    o.MarginMm[3] = vlPixelsToMm(page.Margins.Bottom);
    o.NoMargins = page.UseMargins == 0;
    o.PrintOnPreviousPage = page.PrintOnPreviousPage != 0;
    o.Columns = page.Columns;
    o.ColumnGapMm = vlPixelsToMm(page.ColumnGap);
    return o;
}

void vlApplyPageOptions(TvlPage &page, const TvlFormPageOptions &shown, const TvlFormPageOptions &chosen)
{
    auto pixels = [](int shownMm, int chosenMm, int current) {
        return shownMm == chosenMm ? current : vlMmToPixels(chosenMm);
    };
    page.PrintOnPreviousPage = chosen.PrintOnPreviousPage ? 0xFFFF : 0;
    page.UseMargins = chosen.NoMargins ? 0 : 0xFFFF;
    page.Margins.Left = pixels(shown.MarginMm[0], chosen.MarginMm[0], page.Margins.Left);
    page.Margins.Top = pixels(shown.MarginMm[1], chosen.MarginMm[1], page.Margins.Top);
    page.Margins.Right = pixels(shown.MarginMm[2], chosen.MarginMm[2], page.Margins.Right);
    page.Margins.Bottom = pixels(shown.MarginMm[3], chosen.MarginMm[3], page.Margins.Bottom);
    page.ColumnGap = pixels(shown.ColumnGapMm, chosen.ColumnGapMm, page.ColumnGap);
    page.Columns = chosen.Columns;
    int width = page.PaperWidth, height = page.PaperHeight;
    if (chosen.PaperSize == userPaper) {
        if (shown.PaperSize != userPaper || shown.WidthMm != chosen.WidthMm)
            width = chosen.WidthMm * 10;
        if (shown.PaperSize != userPaper || shown.HeightMm != chosen.HeightMm)
            height = chosen.HeightMm * 10;
    }
    page.ChangePaper(chosen.PaperSize, width, height, chosen.Landscape ? poLandscape : poPortrait);
}
