#include "report/designer/dialogs/pageoptions.h"

#include "report/papers.h"
#include "report/vlpage.h"

#include <cmath>

namespace {

// The typed value, or the exact one behind it when the user left it as shown.
int keptOrConverted(int typed, int shown, int exact, int (*convert)(int))
{
    return typed == shown ? exact : convert(typed);
}

int mmToTenths(int mm)
{
    return mm * 10;
}

} // namespace

int TvlPageSetup::PixelsToMm(int pixels)
{
    return int(std::lround(pixels * 5.0 / 18.0));
}

TvlPageSetup TvlPageSetup::FromPage(const TvlPage &page, const TvlPrinter &printer)
{
    TvlPageSetup o;
    o.Orientation = page.Orientation;
    o.PaperNames = printer.PaperNames();
    o.PaperCodes = printer.PaperSizes();
    o.PaperIndex = o.PaperCodes.isEmpty() ? -1 : printer.PaperIndexOf(page.PaperSize);
    if (page.PaperSize == vlPapers::CustomPaper) {
        o.WidthMm = int(std::lround(page.PaperWidth / 10.0));
        o.HeightMm = int(std::lround(page.PaperHeight / 10.0));
    }
    const std::array<int, 4> px = {page.Margins.Left, page.Margins.Top, page.Margins.Right, page.Margins.Bottom};
    for (size_t i = 0; i < px.size(); ++i)
        o.MarginsMm[i] = PixelsToMm(px[i]);
    o.NoMargins = page.UseMargins == 0;
    o.PrintOnPreviousPage = page.PrintOnPreviousPage != 0;
    o.Columns = page.Columns;
    o.ColumnGapMm = PixelsToMm(page.ColumnGap);
    o.m_shown = {o.MarginsMm,      px,  o.ColumnGapMm, page.ColumnGap, o.WidthMm, o.HeightMm, page.PaperWidth,
                 page.PaperHeight, true};
    return o;
}

int TvlPageSetup::PaperCode() const
{
    return PaperIndex >= 0 && PaperIndex < PaperCodes.size() ? PaperCodes.at(PaperIndex) : 0;
}

bool TvlPageSetup::CustomSize() const
{
    return PaperCode() == vlPapers::CustomPaper;
}

void TvlPageSetup::ApplyTo(TvlPage &page) const
{
    const Shown &s = m_shown;
    auto margin = [&](int i) {
        return s.valid ? keptOrConverted(MarginsMm[i], s.marginsMm[i], s.marginsPx[i], MmToPixels)
                       : MmToPixels(MarginsMm[i]);
    };
    page.PrintOnPreviousPage = PrintOnPreviousPage ? 0xFFFF : 0;
    page.UseMargins = NoMargins ? 0 : 0xFFFF;
    page.Margins = {margin(Left), margin(Top), margin(Right), margin(Bottom)};
    page.ColumnGap = s.valid ? keptOrConverted(ColumnGapMm, s.gapMm, s.gapPx, MmToPixels) : MmToPixels(ColumnGapMm);
    page.Columns = Columns;
    int code = PaperCode();
    if (code == 0)
        code = page.PaperSize; // no paper chosen: the page keeps its own
    int width = page.PaperWidth;
    int height = page.PaperHeight;
    if (code == vlPapers::CustomPaper) {
        const bool wasCustom = page.PaperSize == vlPapers::CustomPaper && s.valid;
        width = wasCustom ? keptOrConverted(WidthMm, s.widthMm, s.widthTenths, mmToTenths) : mmToTenths(WidthMm);
        height = wasCustom ? keptOrConverted(HeightMm, s.heightMm, s.heightTenths, mmToTenths) : mmToTenths(HeightMm);
    }
    page.ChangePaper(code, width, height, Orientation);
}
