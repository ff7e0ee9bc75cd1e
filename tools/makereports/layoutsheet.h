#pragma once
// A design page of a report laid out in millimetres: bands stacked from the
// top of the page, and text, lines, pictures and rich text placed in the band
// laid out last, relative to the printable area's left edge and the band's top.
#include "report/vlbandview.h"
#include "report/vllineview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlreport.h"

#include <QString>

class TvlRichView;

// Millimetres in the layout's pixels (18 pixels make 5 millimetres).
int mmToPixels(double mm);

// Display formats of the shop's documents: money with two decimals and
// grouped thousands, quantities with up to three decimals, whole numbers.
qint32 moneyFormat();
qint32 quantityFormat();
inline const char *const QuantityPicture = "#,##0.###";

struct TextStyle
{
    double size = 9;
    bool bold = false;
    bool italic = false;
    qint32 adjust = adLeft | adVCenter;
    quint16 frame = 0; // TvlFrameEdge bits
    qint32 fill = vlclNone;
    qint32 format = 0; // 0: text
    QString formatText;
    bool stretched = false; // height follows the text (in stretched bands)
    bool wraps = true;      // words wrap; a figure never does, it shrinks to its width

    TextStyle &Size(double points)
    {
        size = points;
        return *this;
    }
    TextStyle &Bold(bool on = true)
    {
        bold = on;
        return *this;
    }
    TextStyle &Italic(bool on = true)
    {
        italic = on;
        return *this;
    }
    TextStyle &Right()
    {
        adjust = (adjust & ~3) | adRight;
        return *this;
    }
    TextStyle &Center()
    {
        adjust = (adjust & ~3) | adCenter;
        return *this;
    }
    TextStyle &Top()
    {
        adjust &= ~(adVCenter | adBottom);
        return *this;
    }
    TextStyle &Bottom()
    {
        adjust = (adjust & ~(adVCenter | adBottom)) | adBottom;
        return *this;
    }
    TextStyle &Framed(quint16 edges = frAll)
    {
        frame = edges;
        return *this;
    }
    TextStyle &Filled(qint32 colour)
    {
        fill = colour;
        return *this;
    }
    // A figure on one line whatever its size: never wrapped, shrunk when wider than its box.
    TextStyle &Figure()
    {
        wraps = false;
        return *this;
    }
    TextStyle &Money()
    {
        format = moneyFormat();
        adjust = (adjust & ~3) | adRight;
        return Figure();
    }
    TextStyle &Quantity()
    {
        format = quantityFormat();
        formatText = QString::fromLatin1(QuantityPicture);
        adjust = (adjust & ~3) | adRight;
        return Figure();
    }
    TextStyle &Stretched()
    {
        stretched = true;
        return *this;
    }
};

class LayoutSheet
{
public:
    // A new design page of the report: paper code, size in millimetres and
    // the same margin on every side.
    LayoutSheet(TvlReport &report, int paperSize, double widthMm, double heightMm, double marginMm);

    TvlPage &Page() { return *m_page; }
    // Width of the printable area in millimetres.
    double ContentWidth() const { return m_contentWidth; }

    // A band below the one laid out before; objects placed after it belong to it.
    TvlBandView *Band(int type, double heightMm, const QString &source = {}, quint16 flags = 0);
    // Text in the current band; name may be empty (a unique one is given).
    TvlMemoView *Text(double x, double y, double w, double h, const QString &text, const TextStyle &style = {},
                      const QString &name = {});
    // A horizontal or vertical line, thickness in pixels.
    TvlLineView *HLine(double x, double y, double w, double thickness = 1);
    TvlLineView *VLine(double x, double y, double h, double thickness = 1);
    // An empty framed rectangle.
    TvlMemoView *Box(double x, double y, double w, double h, double thickness = 1, qint32 fill = vlclNone);
    TvlPictureView *Picture(const QString &name, double x, double y, double w, double h);
    // Rich text the preview fills from a template file when it prints; the
    // placeholder is what the designer shows.
    TvlRichView *RichText(const QString &name, double x, double y, double w, double h, const QString &placeholder);

private:
    TvlView *Place(std::unique_ptr<TvlView> view, double x, double y, double w, double h, const QString &name);

    TvlReport &m_report;
    TvlPage *m_page;
    double m_margin;
    double m_contentWidth;
    double m_nextBandTop;
    double m_bandTop = 0;
};
