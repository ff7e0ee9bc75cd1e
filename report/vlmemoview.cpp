#include "report/vlmemoview.h"

#include "report/vltextwidths.h"
#include "report/xmlreport.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

namespace {

int gapX(double frameWidth)
{
    return vlRound(frameWidth / 2) + 2;
}
int gapY(double frameWidth)
{
    return vlRound(frameWidth / 2) / 2 + 1;
}

} // namespace

TvlMemoView::TvlMemoView()
{
    NamePrefix = QStringLiteral("Memo");
    ObjectType = otMemo;
    Flags = mfStretched | mfWordWrap;
}

void TvlMemoView::Assign(const TvlView &source)
{
    TvlView::Assign(source);
    if (auto *memo = dynamic_cast<const TvlMemoView *>(&source)) {
        FontName = memo->FontName;
        FontSize = memo->FontSize;
        FontStyle = memo->FontStyle;
        FontColor = memo->FontColor;
        FontCharset = memo->FontCharset;
        Adjust = memo->Adjust;
        Highlight = memo->Highlight;
        HighlightCondition = memo->HighlightCondition;
        LineSpacing = memo->LineSpacing;
    }
}

void TvlMemoView::ApplyHighlight()
{
    if (m_beforeHighlight.active)
        return;
    m_beforeHighlight = {true, FontStyle, FontColor, FillColor};
    FontStyle = CodeToFontStyles(Highlight.FontStyle);
    FontColor = Highlight.FontColor;
    FillColor = Highlight.FillColor;
}

void TvlMemoView::RemoveHighlight()
{
    if (!m_beforeHighlight.active)
        return;
    FontStyle = m_beforeHighlight.fontStyle;
    FontColor = m_beforeHighlight.fontColor;
    FillColor = m_beforeHighlight.fillColor;
    m_beforeHighlight.active = false;
}

int TvlMemoView::FontPixelHeight() const
{
    // Sizes beyond any sheet of paper are damage, not layout.
    return std::clamp(vlRound(std::clamp(FontSize, 0, 2000) * 96.0 / 72.0), 1, 2667);
}

QFont TvlMemoView::MakeFont(int pixelHeight) const
{
    return vlMemoFont(FontName, pixelHeight, FontStyle);
}

TvlFont TvlMemoView::CanvasFont(int pixelHeight) const
{
    const QFont font = MakeFont(pixelHeight);
    return (Adjust & adRotated) ? vlCreateRotatedFont(font) : TvlFont{font};
}

int TvlMemoView::UsableWidth() const
{
    if (Adjust & adRotated)
        return Height - 2 * gapY(FrameWidth);
    return Width - 2 * gapX(FrameWidth);
}

int TvlMemoView::VerticalGaps() const
{
    return 2 * gapY(FrameWidth);
}

QList<TvlTextLine> TvlMemoView::Layout(const QStringList &text) const
{
    QList<TvlTextLine> lines;
    if (vlIsWrapped(text)) {
        for (const QString &line : text)
            lines.append(vlDecodeTextLine(line));
        return lines;
    }
    const TvlWrapOptions options{UsableWidth(), bool(Flags & mfWordWrap), bool(Flags & mfWordBreak)};
    TvlTextWidths &widths = TvlTextWidths::For(FontName, FontPixelHeight(), FontStyle);
    lines =
        vlWrapText(text, options, [&](const QString &t) { return vlRound(widths.Width(t) + CharSpacing * t.size()); });
    // A line that may not wrap is never cut at the edge either: drawn to the
    // width it has, its letters shrink until it fits.
    if (!(Flags & (mfWordWrap | mfAutoWidth))) {
        const int room = std::max(1, UsableWidth() - 1);
        for (TvlTextLine &line : lines)
            if (line.Width > room)
                FitLine(line, room, widths);
    }
    return lines;
}

int TvlMemoView::LeastPixelHeight() const
{
    // About half the design size, never below 4 pt (6 pixels at 96 per inch).
    const int design = FontPixelHeight();
    return std::min(design, std::max((design + 1) / 2, 6));
}

void TvlMemoView::FitLine(TvlTextLine &line, int room, TvlTextWidths &widths) const
{
    TvlTextWidths &least = TvlTextWidths::For(FontName, LeastPixelHeight(), FontStyle);
    const auto width = [this](TvlTextWidths &at, const QString &text) {
        return vlRound(at.Width(text) + CharSpacing * text.size());
    };
    QString &text = line.Text;
    if (width(least, text) > room) {
        // Smaller than that no one reads it: it is cut, and "…" says so.
        static const QString mark(QChar(0x2026));
        const QList<qreal> offsets = least.Offsets(text);
        const double markWidth = least.Width(mark) + CharSpacing;
        qsizetype keep = 0;
        while (keep + 1 < text.size() && offsets[keep + 1] + CharSpacing * (keep + 1) + markWidth <= room)
            ++keep;
        // Cut between characters as the reader sees them: never inside a
        // surrogate pair, an accent's sequence or emoji joined into one.
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        QString cut;
        do {
            graphemes.setPosition(keep);
            if (!graphemes.isAtBoundary())
                keep = std::max<qsizetype>(0, graphemes.toPreviousBoundary());
            while (keep > 0 && text[keep - 1].isSpace())
                --keep;
            cut = text.left(keep) + mark;
        } while (width(least, cut) > room && keep-- > 0);
        text = cut;
    }
    line.Width = std::min(room, width(widths, text));
}

int TvlMemoView::GetLineHeight()
{
    return FontPixelHeight() + LineSpacing;
}

int TvlMemoView::CalcHeight()
{
    const QStringList &text = WorkMemo.isEmpty() ? Memo : WorkMemo;
    LineHeight = GetLineHeight();
    return int(Layout(text).size()) * LineHeight + VerticalGaps();
}

int TvlMemoView::GetRemainingHeight()
{
    const QStringList &text = WorkMemo.isEmpty() ? Memo : WorkMemo;
    const int left = std::max(0, int(Layout(text).size()) - LinesPrinted);
    return left * GetLineHeight() + VerticalGaps();
}

QList<TvlMenuOption> TvlMemoView::FillPopupMenu() const
{
    QList<TvlMenuOption> options = TvlView::FillPopupMenu();
    options.append({QStringLiteral("Formát proměnné..."), 0, true, TvlMenuOption::FormatDialog});
    options.append({QStringLiteral("Font..."), 0, true, TvlMenuOption::FontDialog});
    options.append({QStringLiteral("Zarovant slova"), mfWordWrap});
    options.append({QStringLiteral("Automatická velikost"), mfAutoWidth});
    return options;
}

// --- drawing -----------------------------------------------------------------

void TvlMemoView::Draw(TvlCanvas &canvas)
{
    const QList<TvlTextLine> lines = Layout(Memo);
    const qint32 savedLeft = Left, savedWidth = Width;
    if (canvas.Mode == TvlDrawMode::Printing && (Flags & mfAutoWidth) && !(Adjust & adRotated)) {
        int extent = 0;
        for (const TvlTextLine &line : lines)
            extent = std::max(extent, line.Width);
        const int width = extent + vlRound(2 * FrameWidth) + 2;
        if ((Adjust & 3) == adRight)
            Left += Width - width;
        Width = width;
    }
    PrintingToPrinter = canvas.IsPrinter();
    PrepareDrawRect(canvas.Mode);
    DrawBackground(canvas);
    if (canvas.Mode != TvlDrawMode::CountingPages) {
        canvas.SetClipRect(QRect(Left, Top, Width + 1, Height + 1));
        DrawText(canvas, lines);
        canvas.ResetClip();
    }
    DrawFrame(canvas);
    RestoreBounds();
    Left = savedLeft;
    Width = savedWidth;
}

QList<TvlTextOutput> TvlMemoView::TextPieces()
{
    TvlTextRecorder recorder;
    recorder.Mode = TvlDrawMode::Printing;
    ScaleX = ScaleY = 1.0;
    OffsX = OffsY = 0;
    Draw(recorder);
    return recorder.Outputs();
}

void TvlMemoView::DrawText(TvlCanvas &canvas, const QList<TvlTextLine> &lines)
{
    const bool rotated = Adjust & adRotated;
    const double step = GetLineHeight() * (rotated ? ScaleX : ScaleY);
    const int textHeight = vlRound(lines.size() * step);
    // Across the lines: y for plain text, x for turned text.
    const int areaStart = rotated ? DrawRect.left() + GapX : DrawRect.top() + GapY;
    const int areaSize = rotated ? DrawRect.width() - 2 * GapX : DrawRect.height() - 2 * GapY;
    int start = areaStart;
    switch (Adjust & (adVCenter | adBottom)) {
    case adVCenter:
        start += (areaSize - textHeight) / 2;
        break;
    case adBottom:
        start = areaStart + areaSize - textHeight;
        break;
    default:
        break;
    }
    canvas.FontColor = FontColor;
    const int span = rotated ? DrawRect.height() - 2 * GapY : DrawRect.width() - 2 * GapX;
    for (int i = 0; i < lines.size(); ++i) {
        const int across = start + vlRound(i * step);
        DrawLine(canvas, lines[i], across, 0, span);
    }
    canvas.SelectFont({canvas.Font}); // level text again for whatever draws next
}

void TvlMemoView::DrawLine(TvlCanvas &canvas, const TvlTextLine &line, int across, int, int span)
{
    const bool rotated = Adjust & adRotated;
    const QString &text = line.Text;
    if (text.isEmpty())
        return;
    const double along = rotated ? ScaleY : ScaleX;
    const int target = vlRound(line.Width * along);
    const double scale = rotated ? ScaleX : ScaleY;
    int pixels = std::max(1, vlRound(FontPixelHeight() * scale));
    // Letters shrink to fit, but never below what can still be read (Layout cut the line to fit that).
    const int least = std::clamp(vlRound(LeastPixelHeight() * scale), 1, pixels);
    const double spacing = CharSpacing * along;
    canvas.SelectFont(CanvasFont(pixels));
    double natural = canvas.TextWidth(text) + spacing * text.size();
    if (natural > target + 0.5 && pixels > least + 1) {
        // Start near the size that fits; widths grow about linearly with the size.
        pixels = std::clamp(int(pixels * std::max(0.0, target / natural)) + 1, least, pixels);
        canvas.SelectFont(CanvasFont(pixels));
        natural = canvas.TextWidth(text) + spacing * text.size();
    }
    while (natural > target + 0.5 && pixels > least) {
        canvas.SelectFont(CanvasFont(--pixels));
        natural = canvas.TextWidth(text) + spacing * text.size();
    }
    QList<qreal> offsets = canvas.CharOffsets(text);
    for (int i = 0; i < offsets.size(); ++i)
        offsets[i] += spacing * i;
    if (text.size() > 1 && std::abs(natural - target) > 0.5)
        for (int i = 0; i < offsets.size(); ++i)
            offsets[i] += (target - natural) * i / (text.size() - 1);
    int width = target;
    int offset = 0; // from the start of the usable span
    switch (Adjust & 3) {
    case adRight:
        offset = span - width - 1;
        break; // ends at right - 1 - GapX
    case adCenter:
        offset = (span - width) / 2;
        break;
    case adJustify: {
        const int spaces = int(text.count(u' '));
        if (line.ParagraphEnd || spaces == 0)
            break;
        const double extra = span - width;
        int seen = 0;
        for (int i = 0; i < text.size(); ++i) {
            offsets[i] += extra * seen / spaces;
            if (text[i] == u' ')
                ++seen;
        }
        break;
    }
    default:
        break;
    }
    if (rotated) {
        const int bottom = DrawRect.top() + DrawRect.height() - 1 - GapY;
        canvas.TextOut(across, bottom - offset, text, offsets);
    } else {
        canvas.TextOut(DrawRect.left() + GapX + offset, across, text, offsets);
    }
}

// --- printing and records ----------------------------------------------------

void TvlMemoView::Print(ByteStream &stream)
{
    if (!vlIsWrapped(WorkMemo)) {
        const QList<TvlTextLine> lines = Layout(WorkMemo);
        QStringList wrapped;
        wrapped.reserve(lines.size());
        for (const TvlTextLine &line : lines)
            wrapped << vlEncodeTextLine(line);
        WorkMemo = std::move(wrapped);
    }
    m_printingWrapped = true;
    try {
        TvlView::Print(stream);
    } catch (...) {
        m_printingWrapped = false;
        throw;
    }
    m_printingWrapped = false;
}

void TvlMemoView::LoadBlob(const QByteArray &data, bool isNull)
{
    Memo.clear();
    if (!isNull && !data.isEmpty())
        Memo = QString::fromUtf8(data).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
}

void TvlMemoView::WriteTextField(ByteStream &stream, const QStringList &lines)
{
    if (StorageMode != smPrepared) {
        TvlView::WriteTextField(stream, lines);
        return;
    }
    if (m_printingWrapped || lines.isEmpty() || vlIsWrapped(lines)) {
        vlWritePreparedMemo(stream, lines);
        return;
    }
    QStringList wrapped;
    for (const TvlTextLine &line : Layout(lines))
        wrapped << vlEncodeTextLine(line);
    vlWritePreparedMemo(stream, wrapped);
}

void TvlMemoView::ReadTextField(ByteStream &stream, int version, QStringList &lines)
{
    if (StorageMode == smPrepared)
        vlReadPreparedMemo(stream, lines);
    else
        TvlView::ReadTextField(stream, version, lines);
}

void TvlMemoView::SaveToStream(ByteStream &stream)
{
    TvlView::SaveToStream(stream);
    WriteString(stream, FontName);
    stream.writeInt32(FontSize);
    stream.writeUInt16(quint16(FontStylesToCode(FontStyle)));
    stream.writeInt32(FontColor);
    stream.writeInt32(Adjust);
    stream.writeUInt16(FontCharset);
    if (StorageMode == smDesign) {
        stream.writeUInt16(Highlight.FontStyle);
        stream.writeInt32(Highlight.FontColor);
        stream.writeInt32(Highlight.FillColor);
        WriteString(stream, HighlightCondition);
    }
}

void TvlMemoView::LoadFromStream(ByteStream &stream, int version)
{
    TvlView::LoadFromStream(stream, version);
    if (StorageMode != smDesign)
        version = vlCurrentVersion;
    FontName = vlReadVersionedString(stream, version);
    FontSize = stream.readInt32();
    FontStyle = CodeToFontStyles(stream.readUInt16());
    FontColor = stream.readInt32();
    Adjust = stream.readInt32();
    FontCharset = stream.readUInt16();
    if (version < vlCurrentVersion)
        FontCharset = 0; // older files: the default character set
    if (StorageMode == smDesign) {
        Highlight.FontStyle = stream.readUInt16();
        Highlight.FontColor = stream.readInt32();
        Highlight.FillColor = stream.readInt32();
        HighlightCondition = vlReadVersionedString(stream, version);
    }
    if (version <= 21)
        Flags |= mfWordWrap;
}

// --- XML layout --------------------------------------------------------------

void TvlMemoView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(XmlElementName());
    WriteXmlCommon(xml, context);
    if (Flags & mfStretched)
        xml.Attribute(QStringLiteral("StretchMode"), QStringLiteral("smMaxHeight"));
    if (!(Flags & mfWordWrap))
        xml.Attribute(QStringLiteral("WordWrap"), QStringLiteral("False"));
    if (Flags & mfAutoWidth)
        xml.Attribute(QStringLiteral("AutoWidth"), QStringLiteral("True"));
    xml.Attribute(QStringLiteral("Font.Name"), FontName);
    xml.Attribute(QStringLiteral("Font.Height"), -FontPixelHeight());
    xml.Attribute(QStringLiteral("Font.Color"), FontColor);
    xml.Attribute(QStringLiteral("Font.Style"), int(FontStyle));
    xml.Attribute(QStringLiteral("LineSpacing"), LineSpacing);
    xml.Attribute(QStringLiteral("CharSpacing"), CharSpacing);
    if (!HighlightCondition.isEmpty()) {
        xml.Attribute(QStringLiteral("Highlight.Condition"), HighlightCondition);
        xml.Attribute(QStringLiteral("Highlight.Font.Style"), Highlight.FontStyle);
        xml.Attribute(QStringLiteral("Highlight.Font.Color"), Highlight.FontColor);
        xml.Attribute(QStringLiteral("Highlight.Color"), Highlight.FillColor);
    }
    static const QStringList numbers = {"%g", "%2.2f", "%2.2n", "%2.2m"};
    static const QStringList dates = {"mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", "dd mmmm yyyy"};
    static const QStringList times = {"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"};
    static const QStringList booleans = {"0;1", "Ne;Ano", "_;x", "Nepravda;Pravda"};
    const int index = vlFormatIndex(Format);
    auto pick = [&](const QStringList &list) { return index >= 0 && index < list.size() ? list[index] : FormatText; };
    switch (vlFormatKind(Format)) {
    case fkNumber:
        xml.Attribute(QStringLiteral("DisplayFormat.Kind"), QStringLiteral("fkNumeric"));
        xml.Attribute(QStringLiteral("DisplayFormat.DecimalSeparator"), QString(vlFormatSeparator(Format)));
        xml.Attribute(QStringLiteral("DisplayFormat.FormatStr"), pick(numbers));
        break;
    case fkDate:
    case fkTime:
        xml.Attribute(QStringLiteral("DisplayFormat.Kind"), QStringLiteral("fkDateTime"));
        xml.Attribute(QStringLiteral("DisplayFormat.FormatStr"), pick(vlFormatKind(Format) == fkDate ? dates : times));
        break;
    case fkBoolean:
        xml.Attribute(QStringLiteral("DisplayFormat.Kind"), QStringLiteral("fkBoolean"));
        xml.Attribute(QStringLiteral("DisplayFormat.FormatStr"), pick(booleans));
        break;
    default:
        break;
    }
    xml.EndEmptyElement();
}

// --- scripts -----------------------------------------------------------------

Variant TvlMemoView::ScriptProperty(TvlScriptProperty property) const
{
    switch (property) {
    case TvlScriptProperty::FontName:
        return Variant(FontName);
    case TvlScriptProperty::FontSize:
        return Variant(qint64(FontSize));
    case TvlScriptProperty::FontStyle:
        return Variant(qint64(FontStylesToCode(FontStyle)));
    case TvlScriptProperty::FontColor:
        return Variant(qint64(FontColor));
    case TvlScriptProperty::Adjust:
        return Variant(qint64(Adjust));
    default:
        return TvlView::ScriptProperty(property);
    }
}

void TvlMemoView::SetScriptProperty(TvlScriptProperty property, const Variant &value)
{
    switch (property) {
    case TvlScriptProperty::FontName:
        FontName = value.toString();
        break;
    case TvlScriptProperty::FontSize:
        FontSize = qint32(value.toInt());
        break;
    case TvlScriptProperty::FontStyle:
        FontStyle = CodeToFontStyles(int(value.toInt()));
        break;
    case TvlScriptProperty::FontColor:
        FontColor = qint32(value.toInt());
        break;
    case TvlScriptProperty::Adjust:
        Adjust = qint32(value.toInt());
        break;
    default:
        TvlView::SetScriptProperty(property, value);
    }
}
