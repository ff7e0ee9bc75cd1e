#include "report/vlpage.h"

#include "report/papers.h"

void vlSelectPrinter(const QString &name)
{
    TvlPrinter &printer = vlPrinter();
    const int index = printer.Printers().indexOf(name);
    if (index < 0 || index == printer.PrinterIndex())
        return;
    try {
        printer.SetPrinterIndex(index);
    } catch (const EPrinterError &) {
        // The printer stays as it was; what is being loaded still loads.
    }
}

TvlPage::TvlPage(int paperSize, int width, int height, TPrinterOrientation orientation)
{
    ChangePaper(paperSize, width, height, orientation);
}

TvlPage::~TvlPage() = default;

void TvlPage::ChangePaper(int paperSize, int width, int height, TPrinterOrientation orientation)
{
    TvlPrinter &printer = vlPrinter();
    printer.SetPrinterInfo(paperSize, width, height, orientation);
    PaperSize = printer.PaperSize();
    PaperWidth = printer.PaperWidth();
    PaperHeight = printer.PaperHeight();
    Orientation = printer.Orientation();
    printer.FillPrnInfo(PrnInfo);
}

TvlView *TvlPage::Add(std::unique_ptr<TvlView> view)
{
    Objects.push_back(std::move(view));
    return Objects.back().get();
}

void TvlPage::Clear()
{
    Objects.clear();
}

void TvlPage::Delete(int index)
{
    if (index >= 0 && index < Count())
        Objects.erase(Objects.begin() + index);
}

int TvlPage::FindObjectByID(qint32 id) const
{
    for (int i = 0; i < Count(); ++i)
        if (Objects[size_t(i)]->ObjectId == id)
            return i;
    return -1;
}

TvlView *TvlPage::FindObject(const QString &name) const
{
    for (const auto &view : Objects)
        if (view->Name.compare(name, Qt::CaseInsensitive) == 0)
            return view.get();
    return nullptr;
}

int TvlPage::LeftOffset() const
{
    if (!UseMargins)
        return 0;
    return Margins.Left ? Margins.Left : PrnInfo.OffsetX;
}

int TvlPage::TopOffset() const
{
    if (!UseMargins)
        return 0;
    return Margins.Top ? Margins.Top : PrnInfo.OffsetY;
}

int TvlPage::RightEdge() const
{
    if (!UseMargins)
        return PrnInfo.PageWidth;
    if (Margins.Right)
        return PrnInfo.PageWidth - Margins.Right;
    return PrnInfo.OffsetX + PrnInfo.PrintableWidth;
}

int TvlPage::BottomEdge(int pageFooterHeight) const
{
    int bottom;
    if (!UseMargins)
        bottom = PrnInfo.PageHeight;
    else if (Margins.Bottom)
        bottom = PrnInfo.PageHeight - Margins.Bottom;
    else
        bottom = PrnInfo.OffsetY + PrnInfo.PrintableHeight;
    return bottom - pageFooterHeight;
}

void TvlPage::SaveToStream(ByteStream &stream) const
{
    stream.writeInt32(PaperSize);
    stream.writeInt32(PaperWidth);
    stream.writeInt32(PaperHeight);
    stream.writeInt32(Margins.Left);
    stream.writeInt32(Margins.Top);
    stream.writeInt32(Margins.Right);
    stream.writeInt32(Margins.Bottom);
    stream.writeUInt8(quint8(Orientation));
    stream.writeUInt16(PrintOnPreviousPage);
    stream.writeUInt16(UseMargins);
    stream.writeInt32(Columns);
    stream.writeInt32(ColumnGap);
}

void TvlPage::LoadFromStream(ByteStream &stream, int version)
{
    const qint32 paperSize = stream.readInt32();
    const qint32 width = stream.readInt32();
    const qint32 height = stream.readInt32();
    Margins.Left = stream.readInt32();
    Margins.Top = stream.readInt32();
    Margins.Right = stream.readInt32();
    Margins.Bottom = stream.readInt32();
    const auto orientation = stream.readUInt8() ? poLandscape : poPortrait;
    if (version < vlCurrentVersion)
        stream.readBytes(6);
    PrintOnPreviousPage = stream.readUInt16();
    UseMargins = stream.readUInt16();
    Columns = stream.readInt32();
    ColumnGap = stream.readInt32();
    ChangePaper(paperSize, width, height, orientation);
}

TvlPages::TvlPages() = default;
TvlPages::~TvlPages() = default;

void TvlPages::Clear()
{
    m_pages.clear();
}

TvlPage *TvlPages::Add()
{
    m_pages.push_back(std::make_unique<TvlPage>(vlPapers::A4, 2100, 2970, poPortrait));
    return m_pages.back().get();
}

void TvlPages::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}
