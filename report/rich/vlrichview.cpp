#include "report/rich/vlrichview.h"

#include "report/propertystream.h"
#include "report/rich/richlayout.h"
#include "report/rich/rtfreader.h"
#include "report/rich/rtfwriter.h"
#include "report/rich/vlrichform.h"
#include "report/vlparser.h"
#include "report/vlregistry.h"
#include "report/xmlreport.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

namespace {

// Where a stored rich text ends: after its outermost group and the line end
// the writer puts after it; -1 when the group never closes.
qsizetype rtfEnd(const QByteArray &bytes)
{
    int depth = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\') {
            ++i;
            if (i < bytes.size() && bytes.mid(i, 3) == "bin") {
                qsizetype j = i + 3;
                qint64 count = 0;
                while (j < bytes.size() && bytes[j] >= '0' && bytes[j] <= '9' && count < 1'000'000'000)
                    count = count * 10 + (bytes[j++] - '0');
                if (j < bytes.size() && bytes[j] == ' ')
                    ++j;
                i = j + count - 1;
            }
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            qsizetype end = i + 1;
            if (bytes.mid(end, 2) == "\r\n")
                end += 2;
            return end;
        }
    }
    return -1;
}

// The object bar's button: a page with coloured lines of text.
QImage richButton()
{
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRect(4, 2, 16, 20), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(4, 2, 15, 19));
    const QColor colours[] = {Qt::red, Qt::black, Qt::blue, Qt::black, Qt::darkGreen};
    for (int i = 0; i < 5; ++i)
        painter.fillRect(QRect(7, 5 + 3 * i, i % 2 ? 10 : 7, 2), colours[i]);
    return image;
}

} // namespace

QTextDocument *vlCloneRichText(const QTextDocument &source)
{
    QTextDocument *copy = source.clone();
    TvlRichLayout::Prepare(*copy);
    // Pictures live in the document's resources; the copy gets them by name.
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QUrl url(it.fragment().charFormat().toImageFormat().name());
                copy->addResource(QTextDocument::ImageResource, url,
                                  source.resource(QTextDocument::ImageResource, url));
            }
    return copy;
}

TvlRichView::TvlRichView()
{
    NamePrefix = QStringLiteral("Rich");
    ObjectType = otAddIn;
    TvlRichLayout::Prepare(RichEdit);
}

TvlRichView::~TvlRichView() = default;

QByteArray TvlRichView::Rtf() const
{
    return vlWriteRtf(RichEdit);
}

void TvlRichView::SetRtf(const QByteArray &rtf)
{
    vlReadRtf(rtf, RichEdit);
    m_work.reset();
    ResetOutput();
}

void TvlRichView::ResetOutput()
{
    StartPos = LastEnd = PrintedPos = 0;
}

void TvlRichView::Assign(const TvlView &source)
{
    TvlView::Assign(source);
    if (const auto *rich = dynamic_cast<const TvlRichView *>(&source)) {
        SetRtf(rich->Rtf());
        NoExpansion = rich->NoExpansion;
    }
}

void TvlRichView::LoadBlob(const QByteArray &data, bool isNull)
{
    if (isNull || data.isEmpty()) {
        RichEdit.clear();
        m_work.reset();
        ResetOutput();
        return;
    }
    SetRtf(data);
}

void TvlRichView::LoadBlobText(const QString &text, bool isNull)
{
    if (isNull || text.isEmpty()) {
        LoadBlob({}, true);
        return;
    }
    vlReadRtfText(text, RichEdit);
    m_work.reset();
    ResetOutput();
}

int TvlRichView::TextGap() const
{
    return vlRound(FrameWidth / 2) + 2;
}

qreal TvlRichView::TextWidth() const
{
    return std::max(1, Width - 2 * TextGap());
}

QTextDocument &TvlRichView::WorkText()
{
    return m_work ? *m_work : RichEdit;
}

// --- preparing ---------------------------------------------------------------

void TvlRichView::PrepareText(const TvlRichValueLookup &lookup)
{
    m_work.reset(vlCloneRichText(RichEdit));
    ResetOutput();
    if (NoExpansion || !lookup)
        return;
    for (QTextBlock block = m_work->begin(); block.isValid(); block = block.next()) {
        int from = 0; // index in the paragraph where the scan goes on
        while (true) {
            const QString text = block.text();
            const int open = int(text.indexOf(u'[', from));
            if (open < 0)
                break;
            int start = open + 1, end = 0; // 1-based, as expressions are read
            QString expression;
            try {
                expression = vlText::ReadBracketedName(text, start, end);
            } catch (const TvlParserError &) {
                break; // no closing bracket: the rest stays as it is
            }
            const QString value = lookup(expression);
            QTextCursor cursor(m_work.get());
            cursor.setPosition(block.position() + open + 1);
            const QTextCharFormat format = cursor.charFormat(); // of the "["
            cursor.setPosition(block.position() + open);
            cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
            cursor.insertText(value, format);
            from = open + int(value.size()); // values are not expanded again
        }
    }
}

// --- heights -------------------------------------------------------------------

int TvlRichView::CalcHeight()
{
    if (WorkText().isEmpty())
        return 8;
    TvlRichLayout layout(WorkText(), TextWidth());
    const int height = int(std::ceil(layout.HeightFrom(0) - 0.01));
    LastEnd = layout.End();
    return height < 2 ? 8 : height + 2 * TextGap();
}

int TvlRichView::GetRemainingHeight()
{
    if (WorkText().isEmpty())
        return 8;
    TvlRichLayout layout(WorkText(), TextWidth());
    const int height = int(std::ceil(layout.HeightFrom(PrintedPos) - 0.01));
    return height < 2 ? 8 : height + 2 * TextGap();
}

// --- drawing -------------------------------------------------------------------

void TvlRichView::Draw(TvlCanvas &canvas)
{
    // The text is laid out at scale 1 and drawn scaled into the rectangle.
    // The gap is taken in layout units before the rectangle turns into
    // device pixels: scaled twice it pushed the lines past the right edge.
    const int gap = TextGap();
    TvlRichLayout layout(RichEdit, TextWidth());
    const qreal height = std::max(0, Height - 2 * gap);
    const int end = std::max(layout.FitEnd(StartPos, height), StartPos);
    PrintingToPrinter = canvas.IsPrinter();
    PrepareDrawRect(canvas.Mode);
    DrawBackground(canvas);
    if (canvas.Mode != TvlDrawMode::CountingPages && Width > 0 && Height > 0) {
        QPainter *painter = canvas.Painter();
        QImage image;
        QPainter imagePainter;
        QPointF origin(Left, Top);
        if (!painter) {
            // A canvas without a painter gets the text as a picture of the view's size.
            image = QImage(Width, Height, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            imagePainter.begin(&image);
            painter = &imagePainter;
            origin = QPointF(0, 0);
        }
        painter->save();
        const QRectF area(origin, QSizeF(Width + 1, Height + 1));
        painter->setClipRect(area, painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        painter->translate(origin.x() + gap * ScaleX, origin.y() + gap * ScaleY);
        painter->scale(ScaleX, ScaleY);
        painter->setRenderHint(QPainter::TextAntialiasing, true);
        layout.Draw(*painter, QPointF(0, 0), StartPos, end);
        painter->restore();
        if (imagePainter.isActive()) {
            imagePainter.end();
            canvas.DrawImage(QRect(Left, Top, Width, Height), image);
        }
    }
    DrawFrame(canvas);
    RestoreBounds();
}

// --- records -------------------------------------------------------------------

bool TvlRichView::PartLeft() const
{
    return m_work && PrintedPos < m_work->characterCount() - 1;
}

QStringList TvlRichView::ExpressionText() const
{
    if (NoExpansion)
        return {};
    return RichEdit.toPlainText().split(u'\n');
}

void TvlRichView::Print(ByteStream &stream)
{
    if (!m_work)
        PrepareText({});
    const int last = m_work->characterCount() - 1;
    if (PrintedPos >= last)
        PrintedPos = 0; // printed whole before: a new print starts again
    // What fits from where the last part ended goes on this page.
    TvlRichLayout layout(*m_work, TextWidth());
    const int from = PrintedPos;
    int end = layout.FitEnd(from, std::max(0, Height - 2 * TextGap()));
    if (end <= from)
        end = layout.FitEnd(from, 1e9); // not even a line fits: the rest, rather than nothing forever
    LastEnd = end;
    PrintedPos = std::max(end, from + 1);
    if (from == 0 && end >= layout.End()) {
        TvlView::Print(stream);
        return;
    }
    m_part.reset(vlCloneRichText(*m_work));
    QTextCursor cursor(m_part.get());
    // A part ending with a paragraph leaves out the paragraph mark after it.
    const bool paragraphEnd = end > from && end < last && m_part->findBlock(end).position() == end;
    cursor.setPosition(std::clamp(paragraphEnd ? end - 1 : end, 0, last));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setPosition(0);
    cursor.setPosition(std::clamp(from, 0, last), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    TvlView::Print(stream);
    m_part.reset();
}

void TvlRichView::SaveToStream(ByteStream &stream)
{
    TvlView::SaveToStream(stream);
    const QTextDocument &text = StorageMode != smPrepared ? RichEdit : m_part ? *m_part : WorkText();
    const bool hasText = !text.isEmpty();
    stream.writeUInt8(hasText ? 1 : 0);
    const ByteStream::Placeholder end = stream.writePlaceholder(4);
    if (hasText)
        stream.writeBytes(vlWriteRtf(text));
    stream.patch(end, stream.position());
}

void TvlRichView::LoadFromStream(ByteStream &stream, int version)
{
    TvlView::LoadFromStream(stream, version);
    const bool hasText = stream.readUInt8() != 0;
    const qint64 storedEnd = stream.readInt32();
    RichEdit.clear();
    m_work.reset();
    ResetOutput();
    if (!hasText) {
        if (storedEnd == stream.position())
            return;
        if (storedEnd < stream.position() || storedEnd > stream.size())
            throw StreamError("rich text record: end outside the stream");
        stream.seek(storedEnd);
        return;
    }
    // The stored end is an absolute position; a record copied to another
    // offset is found by the end of its rich text instead.
    const qint64 start = stream.position();
    const QByteArray rest = stream.readBytes(stream.remaining());
    const qsizetype length = rtfEnd(rest);
    if (length < 0)
        throw StreamError("rich text record: the text does not end");
    qint64 end = start + length;
    if (storedEnd >= end && storedEnd <= end + 2 && storedEnd <= start + rest.size())
        end = storedEnd; // a closing byte 0 after the text
    vlReadRtf(rest.left(length), RichEdit);
    stream.seek(end);
}

void TvlRichView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(XmlElementName());
    WriteXmlCommon(xml, context);
    MemoryStream property;
    TvlPropertyWriter writer(property);
    writer.WriteName(QStringLiteral("RichEdit"));
    writer.WriteBinary(Rtf());
    xml.Attribute(QStringLiteral("Propdata"), QString::fromLatin1(vlXmlHex(property.data())));
    if (Flags & mfStretched)
        xml.Attribute(QStringLiteral("StretchMode"), QStringLiteral("smMaxHeight"));
    QString dataSet, field;
    if (!Memo.isEmpty() && context.DataField && context.DataField(Memo.first(), &dataSet, &field)) {
        xml.Attribute(QStringLiteral("DataSet"), dataSet);
        xml.Attribute(QStringLiteral("DataField"), field);
    }
    xml.EndEmptyElement();
}

// --- registration ----------------------------------------------------------------

TvlRichObject::TvlRichObject(QObject *parent)
    : QObject(parent)
{
    vlRegisterRichView();
}

TvlAddInObjectInfo vlRichViewInfo()
{
    TvlAddInObjectInfo info;
    info.ClassName = QStringLiteral("TvlRichView");
    info.Create = [] { return std::make_unique<TvlRichView>(); };
    info.EditorForm = [](QWidget *parent) { return std::make_unique<TvlRichForm>(parent); };
    info.ButtonBmp = richButton();
    info.ButtonHint = QStringLiteral("Vložit RichText");
    return info;
}

void vlRegisterRichView()
{
    for (const TvlAddInObjectInfo &info : vlAddIns())
        if (info.ClassName == QLatin1String("TvlRichView"))
            return;
    vlRegisterAddIn(vlRichViewInfo());
}
