#include "report/vlpreparedpages.h"

#include "report/compressor.h"
#include "report/vlpictureview.h"
#include "report/vlregistry.h"
#include "report/vlreportlayout.h"

const QString TvlEMFPages::DamagedFile = QStringLiteral("Soubor připravené sestavy je poškozený nebo neúplný.");

namespace {

// Bytes of a page header in the file (offset, paper, size, orientation, margins).
constexpr qint64 pageHeaderSize = 16;

void checkPageCount(ByteStream &stream, qint32 count)
{
    if (count < 0 || count > stream.remaining() / pageHeaderSize)
        throw StreamError("page count beyond the file");
}

} // namespace

struct TvlEMFPages::PageHeader
{
    quint16 paperSize = 0;
    qint32 width = 0;
    qint32 height = 0;
    quint8 orientation = 0;
    quint8 useMargins = 0;
    QByteArray data; // up to the next page
};

namespace {

TvlEMFPages::PageHeader readPage(ByteStream &stream)
{
    TvlEMFPages::PageHeader page;
    const qint64 next = stream.readInt32();
    page.paperSize = stream.readUInt16();
    page.width = stream.readInt32();
    page.height = stream.readInt32();
    page.orientation = stream.readUInt8();
    page.useMargins = stream.readUInt8();
    if (next < stream.position() || next > stream.size())
        throw StreamError("page data beyond the file");
    page.data = stream.readBytes(next - stream.position());
    return page;
}

} // namespace

TvlEMFPages::TvlEMFPages() = default;
TvlEMFPages::~TvlEMFPages() = default;

void TvlEMFPages::Clear()
{
    m_pages.clear();
}

TvlPageInfo *TvlEMFPages::Insert(int index, const TvlPage &designPage)
{
    auto info = std::make_unique<TvlPageInfo>();
    info->PaperSize = quint16(designPage.PaperSize);
    info->PaperWidth = designPage.PaperWidth;
    info->PaperHeight = designPage.PaperHeight;
    info->Orientation = quint8(designPage.Orientation);
    info->UseMargins = designPage.UseMargins != 0 ? 1 : 0;
    info->PrnInfo = designPage.PrnInfo;
    info->Stream = std::make_unique<MemoryStream>();
    info->Stream->writeUInt8(vlCurrentVersion);
    if (index < 0 || index >= Count())
        index = Count();
    m_pages.insert(m_pages.begin() + index, std::move(info));
    return m_pages[size_t(index)].get();
}

TvlPageInfo *TvlEMFPages::Add(const TvlPage &designPage)
{
    TvlPageInfo *info = Insert(Count(), designPage);
    if (OnBeginPage)
        OnBeginPage(Count() - 1);
    return info;
}

void TvlEMFPages::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}

// The page's paper on the engine's printer, and that printer's geometry for it.
static void takePrinterInfo(TvlPageInfo &info)
{
    TvlPrinter &printer = vlPrinter();
    printer.SetPrinterInfo(info.PaperSize, info.PaperWidth, info.PaperHeight,
                           info.Orientation ? poLandscape : poPortrait);
    printer.FillPrnInfo(info.PrnInfo);
}

void TvlEMFPages::ApplyPrinter()
{
    for (const auto &info : m_pages)
        takePrinterInfo(*info);
}

TvlPageInfo *TvlEMFPages::AppendRecord(const PageHeader &page)
{
    auto info = std::make_unique<TvlPageInfo>();
    info->PaperSize = page.paperSize;
    info->PaperWidth = page.width;
    info->PaperHeight = page.height;
    info->Orientation = page.orientation ? 1 : 0;
    info->UseMargins = page.useMargins;
    takePrinterInfo(*info);
    info->Stream = std::make_unique<MemoryStream>();
    m_pages.push_back(std::move(info));
    return m_pages.back().get();
}

// --- objects of a page -----------------------------------------------------------

void TvlEMFPages::ReadObjects(TvlPageInfo &info, TvlPage &page)
{
    MemoryStream stream(info.Stream->data());
    if (stream.atEnd())
        return;
    stream.readUInt8(); // version
    while (!stream.atEnd()) {
        const quint8 type = stream.readUInt8();
        const QString className = type == otAddIn ? ReadString(stream) : QString();
        std::unique_ptr<TvlView> view = vlCreateView(type, className);
        if (!view)
            throw StreamError("unknown object type in a prepared page");
        view->StorageMode = smPrepared;
        view->LoadFromStream(stream);
        view->StorageMode = smDesign;
        page.Add(std::move(view));
    }
}

bool TvlEMFPages::LoadPage(int index)
{
    TvlPageInfo &info = *GetPage(index);
    info.Page = std::make_unique<TvlPage>(info.PaperSize, info.PaperWidth, info.PaperHeight,
                                          info.Orientation ? poLandscape : poPortrait);
    try {
        ReadObjects(info, *info.Page);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void TvlEMFPages::SavePage(int index)
{
    TvlPageInfo &info = *GetPage(index);
    if (!info.Page)
        return;
    auto stream = std::make_unique<MemoryStream>();
    stream->writeUInt8(vlCurrentVersion);
    for (const auto &view : info.Page->Objects) {
        view->WorkMemo = view->Memo;
        view->Print(*stream);
    }
    info.Stream = std::move(stream);
}

void TvlEMFPages::DrawPage(int index, TvlCanvas &canvas, const QRect &rect)
{
    TvlPageInfo &info = *GetPage(index);
    if (!info.Visible) {
        info.Page.reset();
        return;
    }
    if (!info.Page)
        LoadPage(index);
    if (info.PrnInfo.PageWidth <= 0 || info.PrnInfo.PageHeight <= 0)
        return;
    canvas.Mode = TvlDrawMode::Printing;
    const double kx = double(rect.width()) / info.PrnInfo.PageWidth;
    const double ky = double(rect.height()) / info.PrnInfo.PageHeight;
    const QRect clip = canvas.ClipBox();
    for (const auto &view : info.Page->Objects) {
        view->ScaleX = kx;
        view->ScaleY = ky;
        view->OffsX = rect.left();
        view->OffsY = rect.top();
        view->PrintingToPrinter = canvas.IsPrinter();
        if (!canvas.IsPrinter() && clip.isValid()) {
            const QRect area(vlRound(view->Left * kx) + rect.left(), vlRound(view->Top * ky) + rect.top(),
                             vlRound(view->Width * kx), vlRound(view->Height * ky));
            if (!area.adjusted(-10, -10, 10, 10).intersects(clip))
                continue;
        }
        view->Draw(canvas);
    }
}

bool TvlEMFPages::ExportPage(int index, const std::function<void(TvlView &)> &visit)
{
    TvlPageInfo &info = *GetPage(index);
    TvlPage page(info.PaperSize, info.PaperWidth, info.PaperHeight, info.Orientation ? poLandscape : poPortrait);
    bool whole = true;
    try {
        ReadObjects(info, page);
    } catch (const std::exception &) {
        whole = false;
    }
    for (const auto &view : page.Objects)
        visit(*view);
    return whole;
}

// --- the file --------------------------------------------------------------------

void TvlEMFPages::SaveToStream(ByteStream &stream) const
{
    TvlCompressor &compressor = vlCompressor();
    stream.writeUInt8(compressor.Enabled ? 1 : 0);
    WriteString(stream, vlPrinter().PrinterName());
    stream.writeInt32(Count());
    for (const auto &info : m_pages) {
        const ByteStream::Placeholder next = stream.writePlaceholder(4);
        stream.writeUInt16(info->PaperSize);
        stream.writeInt32(info->PaperWidth);
        stream.writeInt32(info->PaperHeight);
        stream.writeUInt8(info->Orientation);
        stream.writeUInt8(info->UseMargins);
        if (compressor.Enabled) {
            MemoryStream source(info->Stream->data());
            compressor.Compress(source, stream);
        } else {
            stream.writeBytes(info->Stream->data());
        }
        stream.patch(next, stream.position());
    }
}

bool TvlEMFPages::LoadFromStream(ByteStream &stream, QString *error)
{
    Clear();
    try {
        const qint64 start = stream.position();
        const quint8 first = stream.readUInt8();
        if (first >= 2 && first <= 254) {
            stream.seek(start);
            ReadOldPages(stream);
        } else {
            ReadPages(stream, first != 0);
        }
        return true;
    } catch (const std::exception &) {
        if (error)
            *error = DamagedFile;
        return false;
    }
}

void TvlEMFPages::ReadPages(ByteStream &stream, bool compressed)
{
    const QString printerName = ReadString(stream);
    if (!KeepCurrentPrinter)
        vlSelectPrinter(printerName);
    const qint32 count = stream.readInt32();
    checkPageCount(stream, count);
    for (qint32 i = 0; i < count; ++i) {
        const TvlEMFPages::PageHeader page = readPage(stream);
        if (compressed && !vlCompressor().Enabled)
            throw StreamError("compressed pages without a compressor");
        TvlPageInfo *info = AppendRecord(page);
        if (compressed) {
            MemoryStream source(page.data);
            vlCompressor().DeCompress(source, *info->Stream);
        } else {
            info->Stream->writeBytes(page.data);
        }
    }
}

// The older layout: each page is one metafile, kept as a page-sized picture.
void TvlEMFPages::ReadOldPages(ByteStream &stream)
{
    QStringList printer;
    ReadOldMemo(stream, printer);
    if (!printer.isEmpty() && !KeepCurrentPrinter)
        vlSelectPrinter(printer.first());
    const qint32 count = stream.readInt32();
    checkPageCount(stream, count);
    for (qint32 i = 0; i < count; ++i) {
        const TvlEMFPages::PageHeader page = readPage(stream);
        TvlPageInfo *info = AppendRecord(page);
        TvlPictureView picture;
        picture.SetBounds(0, 0, info->PrnInfo.PageWidth, info->PrnInfo.PageHeight);
        picture.Flags = pfStretched;
        picture.Picture.Load(gkMetafile, page.data);
        info->Stream->writeUInt8(vlCurrentVersion);
        picture.Print(*info->Stream);
    }
}

bool TvlEMFPages::SaveToFile(const QString &path, QString *error) const
{
    return vlWriteFile(
        path, [this](ByteStream &stream) { SaveToStream(stream); }, error);
}

bool TvlEMFPages::LoadFromFile(const QString &path, QString *error)
{
    try {
        FileStream file(path, FileStream::Read);
        return LoadFromStream(file, error);
    } catch (const StreamError &e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
}
