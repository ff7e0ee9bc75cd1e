#include "report/vlpictureview.h"

#include "report/xmlreport.h"

#include <QBuffer>
#include <QCache>
#include <QPainter>

namespace {

// Converted metafiles by their bytes: pages of prepared reports are read
// again each time they are shown.
std::shared_ptr<const TvlMetafile> convertedMetafile(const QByteArray &data)
{
    using Entry = std::shared_ptr<const TvlMetafile>;
    static QCache<QByteArray, Entry> cache(32 * 1024); // kilobytes of metafile bytes
    if (Entry *found = cache.object(data))
        return *found;
    auto metafile = std::make_shared<TvlMetafile>();
    Entry entry;
    if (metafile->Load(data))
        entry = metafile;
    cache.insert(data, new Entry(entry), std::max<qsizetype>(1, data.size() / 1024));
    return entry;
}

} // namespace

QSize TvlPicture::Size() const
{
    if (m_kind == gkBitmap || m_kind == gkIcon)
        return m_image.size();
    if (m_kind == gkMetafile)
        return Metafile() ? Metafile()->Size() : QSize(64, 64);
    return {};
}

void TvlPicture::Clear()
{
    m_kind = gkNone;
    m_image = QImage();
    m_data.clear();
    m_metafile.reset();
    m_metafileTried = false;
}

const TvlMetafile *TvlPicture::Metafile() const
{
    // Reading a layout never runs the converters; drawing does, once.
    if (m_kind == gkMetafile && !m_metafileTried) {
        m_metafile = convertedMetafile(m_data);
        m_metafileTried = true;
    }
    return m_metafile.get();
}

void TvlPicture::SetImage(const QImage &image)
{
    Clear();
    if (image.isNull())
        return;
    QBuffer buffer(&m_data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    m_image = image;
    m_kind = gkBitmap;
}

bool TvlPicture::Load(TvlGraphicKind kind, const QByteArray &data)
{
    Clear();
    switch (kind) {
    case gkBitmap:
    case gkIcon: {
        QImage image;
        if (!image.loadFromData(data, kind == gkBitmap ? "BMP" : "ICO"))
            return false;
        m_image = image;
        break;
    }
    case gkMetafile:
        if (data.isEmpty())
            return false;
        break;
    default:
        return false;
    }
    m_kind = kind;
    m_data = data;
    return true;
}

bool TvlPicture::LoadAny(const QByteArray &data)
{
    if (data.startsWith("BM"))
        return Load(gkBitmap, data);
    if (data.startsWith(QByteArray("\0\0\1\0", 4)))
        return Load(gkIcon, data);
    // Placeable or plain Windows metafiles, enhanced metafiles.
    if (data.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)) || data.startsWith(QByteArray("\1\0\t\0", 4)) ||
        (data.size() > 44 && data.mid(40, 4) == " EMF"))
        return Load(gkMetafile, data);
    const QImage image = QImage::fromData(data);
    if (image.isNull()) {
        Clear();
        return false;
    }
    SetImage(image);
    return true;
}

TvlPictureView::TvlPictureView()
{
    NamePrefix = QStringLiteral("Picture");
    ObjectType = otPicture;
    Flags = pfStretched | pfKeepAspect;
}

void TvlPictureView::Assign(const TvlView &source)
{
    TvlView::Assign(source);
    if (auto *picture = dynamic_cast<const TvlPictureView *>(&source))
        Picture = picture->Picture;
}

QList<TvlMenuOption> TvlPictureView::FillPopupMenu() const
{
    QList<TvlMenuOption> options = TvlView::FillPopupMenu();
    options.append({QStringLiteral("Vystředit obrázek"), pfCentered});
    // Keeping the aspect ratio means something only for stretched pictures.
    options.append({QStringLiteral("Zachovat poměr délky a výšky"), pfKeepAspect, bool(Flags & pfStretched)});
    return options;
}

void TvlPictureView::LoadBlob(const QByteArray &data, bool isNull)
{
    if (isNull || data.isEmpty())
        Picture.Clear();
    else
        Picture.LoadAny(data);
}

QRect TvlPictureView::PictureRect(const QRect &area) const
{
    QSize natural = Picture.Size();
    natural = QSize(vlRound(natural.width() * ScaleX), vlRound(natural.height() * ScaleY));
    QSize size = natural;
    if (Flags & pfStretched) {
        size = area.size();
        if ((Flags & pfKeepAspect) && natural.width() > 0 && natural.height() > 0) {
            const double k = std::min(double(area.width()) / natural.width(), double(area.height()) / natural.height());
            size = QSize(vlRound(natural.width() * k), vlRound(natural.height() * k));
        }
    }
    QRect rect(area.topLeft(), size);
    if (Flags & pfCentered)
        rect.moveTopLeft(
            QPoint(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2));
    return rect;
}

void TvlPictureView::Draw(TvlCanvas &canvas)
{
    PrintingToPrinter = canvas.IsPrinter();
    PrepareDrawRect(canvas.Mode);
    DrawBackground(canvas);
    if (canvas.Mode != TvlDrawMode::CountingPages) {
        canvas.SetClipRect(QRect(Left, Top, Width + 1, Height + 1));
        if (Picture.IsEmpty()) {
            if (canvas.Mode == TvlDrawMode::Design) {
                QFont font(QStringLiteral("Arial"));
                font.setPixelSize(11); // 8 points
                canvas.Font = font;
                canvas.FontColor = 0;
                canvas.TextOut(DrawRect.left() + 2, DrawRect.top() + 2, QStringLiteral("[Obrázek]"));
            }
        } else if (const TvlMetafile *metafile = Picture.Metafile()) {
            const QRect rect = PictureRect(DrawRect);
            if (QPainter *painter = canvas.Painter())
                metafile->Render(*painter, rect);
            else
                canvas.DrawImage(rect, metafile->ToImage(rect.size()));
        } else if (Picture.Kind() == gkMetafile) {
            // A metafile that could not be converted: a crossed box keeps the place visible.
            const QRect rect = PictureRect(DrawRect);
            canvas.Pen = {vlclSilver, 1, psSolid};
            canvas.Rectangle(rect);
            canvas.Line(rect.left(), rect.top(), rect.right(), rect.bottom());
            canvas.Line(rect.left(), rect.bottom(), rect.right(), rect.top());
        } else {
            canvas.DrawImage(PictureRect(DrawRect), Picture.Image());
        }
        canvas.ResetClip();
    }
    DrawFrame(canvas);
    RestoreBounds();
}

void TvlPictureView::SaveToStream(ByteStream &stream)
{
    TvlView::SaveToStream(stream);
    stream.writeUInt8(Picture.Kind());
    const ByteStream::Placeholder end = stream.writePlaceholder(4);
    stream.writeBytes(Picture.Data());
    stream.patch(end, stream.position());
}

void TvlPictureView::LoadFromStream(ByteStream &stream, int version)
{
    TvlView::LoadFromStream(stream, version);
    const auto kind = TvlGraphicKind(stream.readUInt8());
    const qint64 end = stream.readInt32();
    if (end < stream.position() || end > stream.size())
        throw StreamError("picture data beyond the end of the stream");
    const QByteArray data = stream.readBytes(end - stream.position());
    if (!Picture.Load(kind, data))
        Picture.Clear(); // unknown or damaged graphics are skipped
}

void TvlPictureView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(XmlElementName());
    WriteXmlCommon(xml, context);
    if (!Picture.IsEmpty())
        xml.Attribute(QStringLiteral("Picture.Propdata"), QString::fromLatin1(vlXmlHex(Picture.Data())));
    QString dataSet, field;
    if (!Memo.isEmpty() && context.DataField && context.DataField(Memo.first(), &dataSet, &field)) {
        xml.Attribute(QStringLiteral("DataSet"), dataSet);
        xml.Attribute(QStringLiteral("DataField"), field);
    }
    if (!(Flags & pfStretched))
        xml.Attribute(QStringLiteral("Stretched"), QStringLiteral("False"));
    if (Flags & pfCentered)
        xml.Attribute(QStringLiteral("Center"), QStringLiteral("True"));
    if (!(Flags & pfKeepAspect))
        xml.Attribute(QStringLiteral("KeepAspectRatio"), QStringLiteral("False"));
    xml.EndEmptyElement();
}
