#include "layoutsheet.h"

#include "report/rich/vlrichview.h"
#include "report/vlregistry.h"

#include <cmath>

int mmToPixels(double mm)
{
    return int(std::lround(mm * 18.0 / 5.0));
}

qint32 moneyFormat()
{
    return (fkNumber << 24) | (3 << 16) | (2 << 8) | ',';
}

qint32 quantityFormat()
{
    return (fkNumber << 24) | (4 << 16) | ',';
}

LayoutSheet::LayoutSheet(TvlReport &report, int paperSize, double widthMm, double heightMm, double marginMm)
    : m_report(report)
    , m_page(report.Pages.Add())
    , m_margin(marginMm)
    , m_contentWidth(widthMm - 2 * marginMm - 1) // the page's pixels are a little larger than the layout's
    , m_nextBandTop(marginMm)
{
    m_page->ChangePaper(paperSize, int(std::lround(widthMm * 10)), int(std::lround(heightMm * 10)), poPortrait);
    const int margin = mmToPixels(marginMm);
    m_page->Margins = TvlMargins{margin, margin, margin, margin};
}

TvlBandView *LayoutSheet::Band(int type, double heightMm, const QString &source, quint16 flags)
{
    auto band = vlCreateView(otBand);
    auto *view = static_cast<TvlBandView *>(band.get());
    view->SetBandType(type);
    view->FormatText = source;
    view->Flags = flags;
    m_bandTop = m_nextBandTop;
    m_nextBandTop += heightMm + 3; // a gap the designer shows the band's tab in
    view->SetBounds(0, mmToPixels(m_bandTop), mmToPixels(m_contentWidth + 2 * m_margin), mmToPixels(heightMm));
    m_page->Add(std::move(band));
    m_report.CreateUniqueName(*view);
    return view;
}

TvlView *LayoutSheet::Place(std::unique_ptr<TvlView> view, double x, double y, double w, double h, const QString &name)
{
    const int left = mmToPixels(m_margin + x);
    const int top = mmToPixels(m_bandTop + y);
    view->SetBounds(left, top, mmToPixels(m_margin + x + w) - left, mmToPixels(m_bandTop + y + h) - top);
    TvlView *placed = m_page->Add(std::move(view));
    if (name.isEmpty())
        m_report.CreateUniqueName(*placed);
    else
        placed->Name = name;
    return placed;
}

TvlMemoView *LayoutSheet::Text(double x, double y, double w, double h, const QString &text, const TextStyle &style,
                               const QString &name)
{
    auto view = vlCreateView(otMemo);
    auto *memo = static_cast<TvlMemoView *>(view.get());
    memo->Memo = text.split(u'\n');
    memo->FontSize = int(std::lround(style.size));
    memo->FontStyle = {};
    if (style.bold)
        memo->FontStyle |= fsBold;
    if (style.italic)
        memo->FontStyle |= fsItalic;
    memo->Adjust = style.adjust;
    memo->FrameTyp = style.frame;
    memo->FillColor = style.fill;
    memo->Flags = (style.wraps ? mfWordWrap : 0) | (style.stretched ? mfStretched : 0);
    memo->LineSpacing = 1;
    if (style.format) {
        memo->Format = style.format;
        memo->FormatText = style.formatText;
    }
    return static_cast<TvlMemoView *>(Place(std::move(view), x, y, w, h, name));
}

TvlLineView *LayoutSheet::HLine(double x, double y, double w, double thickness)
{
    auto view = vlCreateView(otLine);
    view->FrameTyp = frTop;
    view->FrameWidth = thickness;
    auto *line = static_cast<TvlLineView *>(Place(std::move(view), x, y, w, 0, {}));
    line->Height = 0;
    return line;
}

TvlLineView *LayoutSheet::VLine(double x, double y, double h, double thickness)
{
    auto view = vlCreateView(otLine);
    view->FrameTyp = frLeft;
    view->FrameWidth = thickness;
    auto *line = static_cast<TvlLineView *>(Place(std::move(view), x, y, 0, h, {}));
    line->Width = 0;
    return line;
}

TvlMemoView *LayoutSheet::Box(double x, double y, double w, double h, double thickness, qint32 fill)
{
    TvlMemoView *box = Text(x, y, w, h, QString(), TextStyle{}.Framed().Filled(fill));
    box->FrameWidth = thickness;
    box->Memo.clear();
    return box;
}

TvlPictureView *LayoutSheet::Picture(const QString &name, double x, double y, double w, double h)
{
    auto view = vlCreateView(otPicture);
    view->Flags = pfStretched | pfKeepAspect;
    return static_cast<TvlPictureView *>(Place(std::move(view), x, y, w, h, name));
}

TvlRichView *LayoutSheet::RichText(const QString &name, double x, double y, double w, double h,
                                   const QString &placeholder)
{
    auto view = vlCreateView(otAddIn, QStringLiteral("TvlRichView"));
    view->Flags = 0; // keeps its height: a template longer than its place is cut
    auto *rich = static_cast<TvlRichView *>(Place(std::move(view), x, y, w, h, name));
    rich->RichEdit.setPlainText(placeholder);
    return rich;
}
