#include "report/vlview.h"

#include "platform/formatsettings.h"
#include "report/xmlreport.h"

#include <QRegularExpression>
#include <cmath>

int vlRound(double value)
{
    return int(std::nearbyint(value));
}

qint32 vlDefaultFormat()
{
    return 512 + czechFormatSettings().DecimalSeparator.unicode();
}

TvlView::TvlView()
{
    Format = vlDefaultFormat();
}

TvlView::~TvlView() = default;

void TvlView::LoadBlob(const QByteArray &data, bool isNull)
{
    (void)data, (void)isNull;
}

void TvlView::LoadBlobText(const QString &text, bool isNull)
{
    LoadBlob(text.toUtf8(), isNull);
}

void TvlView::ObjectPrinted(TvlView *view)
{
    (void)view;
}

void TvlView::Assign(const TvlView &source)
{
    Name = source.Name;
    ObjectType = source.ObjectType;
    Selected = source.Selected;
    Left = source.Left;
    Top = source.Top;
    Width = source.Width;
    Height = source.Height;
    Flags = source.Flags;
    FrameTyp = source.FrameTyp;
    FrameWidth = source.FrameWidth;
    FrameColor = source.FrameColor;
    FrameStyle = source.FrameStyle;
    FillColor = source.FillColor;
    Format = source.Format;
    FormatText = source.FormatText;
    Visible = source.Visible;
    Memo = source.Memo;
    Script = source.Script;
}

void TvlView::SetBounds(int left, int top, int width, int height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void TvlView::CreateUniqueName(const std::function<bool(const QString &)> &taken)
{
    Name.clear();
    for (int n = 1; n <= 10000; ++n) {
        const QString candidate = NamePrefix + QString::number(n);
        if (!taken(candidate)) {
            Name = candidate;
            return;
        }
    }
}

// --- drawing rectangle -------------------------------------------------------

void TvlView::PrepareDrawRect(TvlDrawMode mode)
{
    m_saved = {Left, Top, Width, Height, FrameWidth};
    if (mode != TvlDrawMode::Printing) {
        ScaleX = ScaleY = 1.0;
        OffsX = OffsY = 0;
    }
    const int left = vlRound(Left * ScaleX) + OffsX;
    const int right = vlRound((Left + Width) * ScaleX) + OffsX;
    const int top = vlRound(Top * ScaleY) + OffsY;
    const int bottom = vlRound((Top + Height) * ScaleY) + OffsY;
    Left = left;
    Top = top;
    Width = right - left;
    Height = bottom - top;
    const double w = m_saved.frameWidth;
    FrameWidth = w * ScaleX;
    const int ax = vlRound((w * ScaleX - 1) / 2), bx = vlRound(w * ScaleX / 2);
    const int ay = vlRound((w * ScaleY - 1) / 2), by = vlRound(w * ScaleY / 2);
    int l = left, t = top, r = right, b = bottom;
    if (FrameTyp & frLeft)
        l += ax;
    if (FrameTyp & frTop)
        t += ay;
    if (FrameTyp & frRight)
        r -= bx;
    if (FrameTyp & frBottom)
        b -= by;
    DrawRect = QRect(l, t, r - l, b - t);
    GapX = bx + 2;
    GapY = by / 2 + 1;
}

void TvlView::RestoreBounds()
{
    Left = m_saved.left;
    Top = m_saved.top;
    Width = m_saved.width;
    Height = m_saved.height;
    FrameWidth = m_saved.frameWidth;
}

// --- background and frame ----------------------------------------------------

void TvlView::DrawBackground(TvlCanvas &canvas)
{
    if (canvas.Mode == TvlDrawMode::CountingPages)
        return;
    qint32 colour = FillColor;
    if (colour == vlclNone) {
        if (canvas.Mode == TvlDrawMode::Printing)
            return;
        colour = vlclWhite;
    }
    canvas.Brush = {colour, TvlBrush::Solid};
    canvas.FillRect(QRect(Left, Top, Width, Height));
}

void TvlView::DrawCornerMarks(TvlCanvas &canvas)
{
    if (Width < 1 || Height < 1)
        return;
    canvas.Pen = {0, 1, psSolid};
    const int l = Left, t = Top, r = Left + Width, b = Top + Height;
    canvas.Line(l, t, l + 3, t);
    canvas.Line(l, t, l, t + 3);
    canvas.Line(r - 3, t, r, t);
    canvas.Line(r, t, r, t + 3);
    canvas.Line(l, b, l + 3, b);
    canvas.Line(l, b - 3, l, b);
    canvas.Line(r - 3, b, r, b);
    canvas.Line(r, b - 3, r, b);
}

void TvlView::DrawEdge(TvlCanvas &canvas, int x1, int y1, int x2, int y2, bool vertical)
{
    const int width = std::max(1, vlRound(FrameWidth));
    const int dx = vertical ? 1 : 0, dy = vertical ? 0 : 1;
    if (FrameStyle == psDouble) {
        const int offset = vlRound(FrameWidth);
        canvas.Pen = {FrameColor, width, psSolid};
        canvas.Line(x1 - dx * offset, y1 - dy * offset, x2 - dx * offset, y2 - dy * offset);
        canvas.Line(x1 + dx * offset, y1 + dy * offset, x2 + dx * offset, y2 + dy * offset);
        if (FillColor != vlclNone) {
            canvas.Pen = {FillColor, width, psSolid};
            canvas.Line(x1, y1, x2, y2);
        }
        return;
    }
    if (FrameStyle == psSolid || width == 1) {
        if (FrameStyle != psSolid && FillColor != vlclNone) {
            canvas.Pen = {FillColor, 1, psSolid}; // the gaps show the fill
            canvas.Line(x1, y1, x2, y2);
        }
        canvas.Pen = {FrameColor, width, FrameStyle};
        canvas.Line(x1, y1, x2, y2);
        return;
    }
    // A broken edge thicker than a pixel: parallel one-pixel lines centred on the edge.
    for (int k = 0; k < width; ++k) {
        const int o = k - (width - 1) / 2;
        if (FillColor != vlclNone) {
            canvas.Pen = {FillColor, 1, psSolid};
            canvas.Line(x1 + dx * o, y1 + dy * o, x2 + dx * o, y2 + dy * o);
        }
        canvas.Pen = {FrameColor, 1, FrameStyle};
        canvas.Line(x1 + dx * o, y1 + dy * o, x2 + dx * o, y2 + dy * o);
    }
}

void TvlView::DrawFrame(TvlCanvas &canvas)
{
    if (canvas.Mode == TvlDrawMode::CountingPages)
        return;
    if (canvas.Mode == TvlDrawMode::Design)
        DrawCornerMarks(canvas);
    const int edges = FrameTyp & frAll;
    if (edges == 0)
        return;
    const int l = Left, t = Top, r = Left + Width, b = Top + Height;
    if (edges == frAll && FrameStyle == psSolid) {
        canvas.Pen = {FrameColor, std::max(1, vlRound(FrameWidth)), psSolid};
        canvas.Rectangle(QRect(l, t, Width + 1, Height + 1));
        return;
    }
    if (edges & frRight)
        DrawEdge(canvas, r, t, r, b, true);
    if (edges & frLeft)
        DrawEdge(canvas, l, t, l, b, true);
    if (edges & frBottom)
        DrawEdge(canvas, l, b, r, b, false);
    if (edges & frTop)
        DrawEdge(canvas, l, t, r, t, false);
}

QList<TvlMenuOption> TvlView::FillPopupMenu() const
{
    return {{QStringLiteral("Roztáhnout"), 1}};
}

QRegion TvlView::GetClipRgn(bool withMargin) const
{
    QRect rect(Left, Top, Width + 1, Height + 1);
    if (withMargin) {
        const int m = std::max(1, vlRound(FrameWidth / 2)) + 1;
        rect.adjust(-m, -m, m, m);
    }
    return QRegion(rect);
}

// --- records -----------------------------------------------------------------

qint32 TvlView::EncodeFrameWidth(double width)
{
    if (!(width > 0))
        return 0;
    if (width <= 10 && width == std::floor(width))
        return qint32(width);
    // Thousandths; the reader takes only values above 10 as thousandths.
    const double thousandths = std::min(std::nearbyint(width * 1000), 2147483647.0);
    return std::max<qint32>(11, qint32(thousandths));
}

double TvlView::DecodeFrameWidth(qint32 stored)
{
    if (stored > 10)
        return stored / 1000.0;
    return std::max(0, stored);
}

void TvlView::WriteTextField(ByteStream &stream, const QStringList &lines)
{
    WriteMemo(stream, lines);
}

void TvlView::ReadTextField(ByteStream &stream, int version, QStringList &lines)
{
    vlReadVersionedMemo(stream, version, lines);
}

void TvlView::SaveToStream(ByteStream &stream)
{
    const bool design = StorageMode == smDesign;
    if (design)
        WriteString(stream, Name);
    stream.writeInt32(Left);
    stream.writeInt32(Top);
    stream.writeInt32(Width);
    stream.writeInt32(Height);
    stream.writeUInt16(Flags);
    stream.writeUInt16(FrameTyp);
    stream.writeInt32(EncodeFrameWidth(FrameWidth));
    stream.writeInt32(FrameColor);
    stream.writeUInt16(FrameStyle);
    stream.writeInt32(FillColor);
    if (design) {
        stream.writeInt32(Format);
        WriteString(stream, FormatText);
    }
    WriteTextField(stream, design ? Memo : WorkMemo);
    if (design) {
        WriteMemo(stream, Script);
        stream.writeUInt16(Visible);
    }
}

void TvlView::LoadFromStream(ByteStream &stream, int version)
{
    const bool design = StorageMode == smDesign;
    if (!design)
        version = vlCurrentVersion;
    const bool current = version >= vlCurrentVersion;
    if (design && current)
        Name = ReadString(stream);
    Left = stream.readInt32();
    Top = stream.readInt32();
    Width = stream.readInt32();
    Height = stream.readInt32();
    if (design && (Width < 0 || Height < 0))
        throw EReportFormatError(
            QStringLiteral("Objekt %1 má zápornou velikost (%2 × %3 bodů), sestava je poškozená a nelze ji načíst.")
                .arg(Name.isEmpty() ? NamePrefix : Name)
                .arg(Width)
                .arg(Height));
    Flags = stream.readUInt16();
    FrameTyp = stream.readUInt16();
    FrameWidth = DecodeFrameWidth(stream.readInt32());
    FrameColor = stream.readInt32();
    FrameStyle = stream.readUInt16();
    FillColor = stream.readInt32();
    if (design) {
        Format = stream.readInt32();
        FormatText = vlReadVersionedString(stream, version);
    }
    ReadTextField(stream, version, Memo);
    if (design && current) {
        ReadMemo(stream, Script);
        Visible = stream.readUInt16();
    }
}

void TvlView::Print(ByteStream &stream)
{
    if (!IsVisible())
        return; // invisible objects leave no record in prepared pages
    stream.writeUInt8(ObjectType);
    if (ObjectType == otAddIn)
        WriteString(stream, ClassName());
    const quint8 mode = StorageMode;
    StorageMode = smPrepared;
    SaveToStream(stream);
    StorageMode = mode;
}

// --- XML layout --------------------------------------------------------------

QString TvlView::XmlElementName() const
{
    QString name = ClassName();
    if (name.startsWith(QLatin1String("Tvl")))
        name.insert(3, u'x');
    return name;
}

void TvlView::WriteXmlCommon(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.Attribute(QStringLiteral("Name"), Name);
    xml.Attribute(QStringLiteral("Left"), Left - context.LeftOffset);
    xml.Attribute(QStringLiteral("Top"), Top);
    xml.Attribute(QStringLiteral("Width"), Width);
    xml.Attribute(QStringLiteral("Height"), Height);
    xml.Attribute(QStringLiteral("Color"), FillColor);
    if (!IsVisible())
        xml.Attribute(QStringLiteral("Visible"), QStringLiteral("False"));
    int edges = 0;
    if (FrameTyp & frLeft)
        edges |= 1;
    if (FrameTyp & frRight)
        edges |= 2;
    if (FrameTyp & frTop)
        edges |= 4;
    if (FrameTyp & frBottom)
        edges |= 8;
    xml.Attribute(QStringLiteral("Frame.Typ"), edges);
    xml.Attribute(QStringLiteral("Frame.Width"), QString::number(FrameWidth, 'g', 6));
    xml.Attribute(QStringLiteral("Frame.Color"), FrameColor);
    xml.Attribute(QStringLiteral("Frame.Style"), FrameStyle);
    xml.Attribute(QStringLiteral("GapX"), GapX);
    xml.Attribute(QStringLiteral("GapY"), GapY);
    xml.Attribute(QStringLiteral("Memo.text"), Memo.join(QStringLiteral("\r\n")));
    if (!Script.isEmpty()) {
        const QString handler = Name + QStringLiteral("OnBeforePrint");
        xml.Attribute(QStringLiteral("OnBeforePrint"), handler);
        xml.Attribute(QStringLiteral("OnClick"), handler);
        xml.Attribute(QStringLiteral("OnActivate"), handler);
    }
}

void TvlView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(XmlElementName());
    WriteXmlCommon(xml, context);
    xml.EndEmptyElement();
}

// --- scripts -----------------------------------------------------------------

Variant TvlView::ScriptProperty(TvlScriptProperty property) const
{
    switch (property) {
    case TvlScriptProperty::Left:
        return Variant(qint64(Left));
    case TvlScriptProperty::Top:
        return Variant(qint64(Top));
    case TvlScriptProperty::Width:
        return Variant(qint64(Width));
    case TvlScriptProperty::Height:
        return Variant(qint64(Height));
    case TvlScriptProperty::Flags:
        return Variant(qint64(Flags));
    case TvlScriptProperty::Visible:
        return Variant(IsVisible());
    case TvlScriptProperty::FrameTyp:
        return Variant(qint64(FrameTyp));
    case TvlScriptProperty::FrameWidth:
        return Variant(FrameWidth);
    case TvlScriptProperty::FrameColor:
        return Variant(qint64(FrameColor));
    case TvlScriptProperty::FillColor:
        return Variant(qint64(FillColor));
    case TvlScriptProperty::Text:
        return Variant(Memo.join(QStringLiteral("\r\n")));
    default:
        return Variant(qint64(0));
    }
}

void TvlView::SetScriptProperty(TvlScriptProperty property, const Variant &value)
{
    switch (property) {
    case TvlScriptProperty::Left:
        Left = qint32(value.toInt());
        break;
    case TvlScriptProperty::Top:
        Top = qint32(value.toInt());
        break;
    case TvlScriptProperty::Width:
    case TvlScriptProperty::Height: {
        const qint32 size = qint32(value.toInt());
        const bool width = property == TvlScriptProperty::Width;
        if (size < 0)
            throw std::runtime_error(QStringLiteral("%1 objektu %2 nemůže být záporná (%3).")
                                         .arg(width ? QStringLiteral("Šířka") : QStringLiteral("Výška"), Name)
                                         .arg(size)
                                         .toStdString());
        (width ? Width : Height) = size;
        break;
    }
    case TvlScriptProperty::Flags:
        Flags = quint16(value.toInt());
        break;
    case TvlScriptProperty::Visible:
        Visible = value.toBool() ? 0xFFFF : 0;
        break;
    case TvlScriptProperty::FrameTyp:
        FrameTyp = quint16(value.toInt());
        break;
    case TvlScriptProperty::FrameWidth:
        FrameWidth = value.toDouble();
        break;
    case TvlScriptProperty::FrameColor:
        FrameColor = qint32(value.toInt());
        break;
    case TvlScriptProperty::FillColor:
        FillColor = qint32(value.toInt());
        break;
    case TvlScriptProperty::Text:
        Memo = value.toString().split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
        break;
    default:
        break;
    }
}
