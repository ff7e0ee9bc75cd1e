#include "report/rich/rtfwriter.h"

#include "platform/cp1250.h"
#include "report/rich/rtfreader.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <cmath>

namespace {

int twips(qreal pixels)
{
    return int(std::lround(pixels * 15));
}

// The character formatting as written; the reader gives back the same.
struct CharState
{
    int font = -1;
    int halfPoints = -1;
    bool bold = false, italic = false, underline = false, strike = false;
    int fg = 0, bg = 0;
    int vertical = 0;
};

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument &document)
        : m_doc(document)
    {}

    QByteArray Write();

private:
    void WriteFrame(const QTextFrame *frame);
    void WriteTable(const QTextTable *table);
    void WriteBlock(const QTextBlock &block, bool inTable);
    void WriteParagraphFormat(const QTextBlock &block, bool inTable);
    void WriteCharFormat(const QTextCharFormat &format);
    void WriteText(const QString &text);
    void WriteImage(const QTextImageFormat &format);
    int FontIndex(const QTextCharFormat &format);
    int ColorIndex(const QColor &color);
    QString FamilyOf(const QTextCharFormat &format) const;

    const QTextDocument &m_doc;
    QByteArray m_body;
    QStringList m_fonts;
    QList<QRgb> m_colors;
    CharState m_char;
    QByteArray m_lastPara; // the paragraph properties last written
};

QString RtfWriter::FamilyOf(const QTextCharFormat &format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_doc.defaultFont().family();
}

int RtfWriter::FontIndex(const QTextCharFormat &format)
{
    const QString family = FamilyOf(format);
    const int index = int(m_fonts.indexOf(family));
    if (index >= 0)
        return index;
    m_fonts.append(family);
    return int(m_fonts.size()) - 1;
}

int RtfWriter::ColorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb() | 0xFF000000;
    const int index = int(m_colors.indexOf(rgb));
    if (index >= 0)
        return index + 1;
    m_colors.append(rgb);
    return int(m_colors.size());
}

void RtfWriter::WriteText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            m_body += '\\';
            m_body += char(u);
        } else if (u == '\t') {
            m_body += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            m_body += "\\line ";
        } else if (u == QChar::ObjectReplacementCharacter || u < 0x20) {
            continue;
        } else if (u < 0x80) {
            m_body += char(u);
        } else if (const auto byte = Cp1250::fromUnicode(u); byte && !c.isSurrogate()) {
            m_body += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
        } else {
            m_body += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
}

void RtfWriter::WriteCharFormat(const QTextCharFormat &format)
{
    CharState target;
    target.font = FontIndex(format);
    const qreal points =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : m_doc.defaultFont().pointSizeF();
    target.halfPoints = std::max(2, int(std::lround(points * 2)));
    target.bold = format.fontWeight() >= QFont::DemiBold;
    target.italic = format.fontItalic();
    target.underline = format.fontUnderline();
    target.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        target.fg = ColorIndex(format.foreground().color());
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        target.bg = ColorIndex(format.background().color());
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        target.vertical = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        target.vertical = -1;

    QByteArray words;
    auto flag = [&](bool now, bool was, const char *on, const char *off) {
        if (now != was)
            words += now ? on : off;
    };
    if (target.font != m_char.font)
        words += "\\f" + QByteArray::number(target.font);
    if (target.halfPoints != m_char.halfPoints)
        words += "\\fs" + QByteArray::number(target.halfPoints);
    flag(target.bold, m_char.bold, "\\b", "\\b0");
    flag(target.italic, m_char.italic, "\\i", "\\i0");
    flag(target.underline, m_char.underline, "\\ul", "\\ulnone");
    flag(target.strike, m_char.strike, "\\strike", "\\strike0");
    if (target.fg != m_char.fg)
        words += "\\cf" + QByteArray::number(target.fg);
    if (target.bg != m_char.bg)
        words += "\\highlight" + QByteArray::number(target.bg);
    if (target.vertical != m_char.vertical)
        words += target.vertical > 0 ? "\\super" : target.vertical < 0 ? "\\sub" : "\\nosupersub";
    if (!words.isEmpty())
        m_body += words + ' ';
    m_char = target;
}

void RtfWriter::WriteParagraphFormat(const QTextBlock &block, bool inTable)
{
    const QTextBlockFormat f = block.blockFormat();
    QByteArray words = "\\pard";
    if (inTable)
        words += "\\intbl";
    if (const QTextList *list = block.textList()) {
        const QTextListFormat::Style style = list->format().style();
        if (style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
            style == QTextListFormat::ListSquare)
            words += "{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}";
        else
            words += "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent0{\\pntxta.}}";
    }
    const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        words += "\\qc";
    else if (align & Qt::AlignJustify)
        words += "\\qj";
    else if (align & (Qt::AlignRight | Qt::AlignTrailing))
        words += "\\qr";
    auto measure = [&](const char *word, qreal pixels) {
        const int value = twips(pixels);
        if (value != 0)
            words += word + QByteArray::number(value);
    };
    measure("\\li", f.leftMargin());
    measure("\\ri", f.rightMargin());
    measure("\\fi", f.textIndent());
    measure("\\sb", f.topMargin());
    measure("\\sa", f.bottomMargin());
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(f.lineHeight()) != 100)
            words += "\\sl" + QByteArray::number(std::lround(f.lineHeight() * 240 / 100)) + "\\slmult1";
        break;
    case QTextBlockFormat::MinimumHeight:
        measure("\\sl", f.lineHeight());
        break;
    case QTextBlockFormat::FixedHeight:
        measure("\\sl-", f.lineHeight());
        break;
    default:
        break;
    }
    for (const QTextOption::Tab &tab : f.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            words += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            words += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            words += "\\tqdec";
        words += "\\tx" + QByteArray::number(twips(tab.position));
    }
    if (words == m_lastPara && !inTable)
        return;
    m_lastPara = inTable ? QByteArray() : words;
    m_body += words;
    if (!words.endsWith('}'))
        m_body += ' '; // a blank after a group would be text
}

void RtfWriter::WriteImage(const QTextImageFormat &format)
{
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QByteArray data;
    QImage image;
    if (resource.userType() == QMetaType::QByteArray) {
        data = resource.toByteArray();
        image.loadFromData(data);
    } else if (resource.userType() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.userType() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return;
    const bool jpeg = data.startsWith("\xFF\xD8");
    if (!data.startsWith("\x89PNG") && !jpeg) {
        data.clear();
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    const qreal width = format.width() > 0 ? format.width() : image.width();
    const qreal height = format.height() > 0 ? format.height() : image.height();
    m_body += "{\\pict";
    m_body += jpeg ? "\\jpegblip" : "\\pngblip";
    m_body += "\\picw" + QByteArray::number(image.width()) + "\\pich" + QByteArray::number(image.height());
    m_body += "\\picwgoal" + QByteArray::number(twips(width)) + "\\pichgoal" + QByteArray::number(twips(height));
    const QByteArray hex = data.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        m_body += "\r\n" + hex.mid(i, 128);
    m_body += "\r\n}";
}

void RtfWriter::WriteBlock(const QTextBlock &block, bool inTable)
{
    WriteParagraphFormat(block, inTable);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            for (int k = 0; k < fragment.length(); ++k)
                WriteImage(format.toImageFormat());
            continue;
        }
        WriteCharFormat(format);
        WriteText(fragment.text());
    }
}

void RtfWriter::WriteTable(const QTextTable *table)
{
    const QTextTableFormat format = table->format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    for (int r = 0; r < table->rows(); ++r) {
        QByteArray row = "\\trowd\\trgaph30";
        int right = 0;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextLength width = c < widths.size() ? widths[c] : QTextLength();
            right += width.type() == QTextLength::FixedLength ? twips(width.rawValue()) : 1440;
            row += "\\cellx" + QByteArray::number(right);
        }
        m_body += row + "\r\n";
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            bool first = true;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (!it.currentBlock().isValid())
                    continue;
                if (!first)
                    m_body += "\\par\r\n";
                WriteBlock(it.currentBlock(), true);
                first = false;
            }
            m_body += "\\cell ";
        }
        m_body += "\\row\r\n";
    }
    m_lastPara.clear();
}

void RtfWriter::WriteFrame(const QTextFrame *frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child))
                WriteTable(table);
            else
                WriteFrame(child);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (!block.isValid())
            continue;
        WriteBlock(block, false);
        m_body += "\\par\r\n";
    }
}

QByteArray RtfWriter::Write()
{
    WriteFrame(m_doc.rootFrame());
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl";
    if (m_fonts.isEmpty())
        m_fonts.append(m_doc.defaultFont().family());
    for (int i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset238 ";
        const QByteArray saved = m_body;
        m_body.clear();
        WriteText(m_fonts[i]);
        out += m_body + ";}";
        m_body = saved;
    }
    out += "}\r\n";
    if (!m_colors.isEmpty()) {
        out += "{\\colortbl ;";
        for (QRgb rgb : std::as_const(m_colors))
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue" +
                   QByteArray::number(qBlue(rgb)) + ';';
        out += "}\r\n";
    }
    out += "\\viewkind4\\uc1";
    out += m_body;
    out += "}\r\n";
    return out;
}

} // namespace

QByteArray vlWriteRtf(const QTextDocument &document)
{
    return RtfWriter(document).Write();
}
