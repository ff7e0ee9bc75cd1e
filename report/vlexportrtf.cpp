#include "report/vlexportrtf.h"

#include "platform/bytestream.h"
#include "platform/cp1250.h"
#include "report/vlpictureview.h"

#include <QBuffer>
#include <QTemporaryFile>

namespace {

int twipsX(int x)
{
    return vlRound(x / 1.3 * 20);
}

int pictureUnits(int pixels)
{
    return vlRound(pixels * 26.46875);
}

// A device-independent bitmap: header and bottom-up 24-bit rows.
QByteArray dib(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int rowBytes = (image.width() * 3 + 3) & ~3;
    MemoryStream out;
    out.writeUInt32(40);
    out.writeInt32(image.width());
    out.writeInt32(image.height());
    out.writeUInt16(1);
    out.writeUInt16(24);
    out.writeUInt32(0);
    out.writeUInt32(quint32(rowBytes * image.height()));
    for (int i = 0; i < 4; ++i)
        out.writeUInt32(0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar *line = image.constScanLine(y);
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = char(line[3 * x + 2]);
            row[3 * x + 1] = char(line[3 * x + 1]);
            row[3 * x + 2] = char(line[3 * x]);
        }
        out.writeBytes(row);
    }
    return out.data();
}

} // namespace

TvlRTFExportFilter::TvlRTFExportFilter() = default;
TvlRTFExportFilter::~TvlRTFExportFilter() = default;

QString TvlRTFExportFilter::Description() const
{
    return QStringLiteral("Textový soubor Rich (*.rtf)");
}

std::unique_ptr<TvlExportFilter> TvlRTFExportFilter::Create() const
{
    return AskLineHeight(std::make_unique<TvlRTFExportFilter>());
}

void TvlRTFExportFilter::Begin(QIODevice &target)
{
    TvlTextExportFilter::Begin(target);
    auto scratch = std::make_unique<QTemporaryFile>();
    if (scratch->open())
        m_body = std::move(scratch);
    else { // no temporary folder to write in: the body waits in memory
        auto buffer = std::make_unique<QBuffer>();
        buffer->open(QIODevice::ReadWrite);
        m_body = std::move(buffer);
    }
    WriteLatin1("{\\rtf1\\ansi\\ansicpg1250\r\n");
}

void TvlRTFExportFilter::WriteBody(const QByteArray &bytes)
{
    if (m_body)
        m_body->write(bytes);
}

void TvlRTFExportFilter::OnData(int x, int y, TvlView &view)
{
    const auto *picture = dynamic_cast<const TvlPictureView *>(&view);
    if (!picture || picture->Picture.Image().isNull())
        return;
    m_pictures.append({x, y, view.Width, view.Height, picture->Picture.Image()});
}

QByteArray TvlRTFExportFilter::Escape(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t')
            out += "\\tab ";
        else if (u < 0x20)
            continue;
        else if (u < 0x80)
            out += char(u);
        else if (const std::optional<unsigned char> byte = Cp1250::fromUnicode(u))
            out += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    return out;
}

QByteArray TvlRTFExportFilter::Metafile(const QImage &image)
{
    const QByteArray bits = dib(image);
    const qint16 w = qint16(image.width());
    const qint16 h = qint16(image.height());
    MemoryStream records;
    // Window origin and extent, so the picture scales to its frame.
    records.writeUInt32(5);
    records.writeUInt16(0x020B);
    records.writeInt16(0);
    records.writeInt16(0);
    records.writeUInt32(5);
    records.writeUInt16(0x020C);
    records.writeInt16(h);
    records.writeInt16(w);
    // The bitmap stretched to it, copied as it is.
    const quint32 stretchWords = quint32(14 + bits.size() / 2);
    records.writeUInt32(stretchWords);
    records.writeUInt16(0x0F43);
    records.writeUInt32(0x00CC0020);
    records.writeUInt16(0);
    for (qint16 value : {h, w, qint16(0), qint16(0), h, w, qint16(0), qint16(0)})
        records.writeInt16(value);
    records.writeBytes(bits);
    MemoryStream header;
    header.writeUInt16(1);
    header.writeUInt16(9);
    header.writeUInt16(0x0300);
    header.writeUInt32(quint32(9 + records.data().size() / 2 + 3)); // with the closing record
    header.writeUInt16(0);
    header.writeUInt32(stretchWords);
    header.writeUInt16(0);
    return header.data() + records.data();
}

void TvlRTFExportFilter::WritePicture(const Picture &picture)
{
    WriteBody("\\pard\\phmrg\\posx" + QByteArray::number(twipsX(picture.x)) + "\\posy" +
              QByteArray::number(picture.y * 20) + "\\absh" + QByteArray::number(picture.height * 20) + "\\absw" +
              QByteArray::number(picture.width * 20) + "{\\pict\\wmetafile8\\picw" +
              QByteArray::number(pictureUnits(picture.width)) + "\\pich" +
              QByteArray::number(pictureUnits(picture.height)) +
              // The picture fills its frame, however big its bitmap is.
              "\\picwgoal" + QByteArray::number(picture.width * 20) + "\\pichgoal" +
              QByteArray::number(picture.height * 20) + " \\picbmp\\picbpp4\r\n");
    const QByteArray hex = Metafile(picture.image).toHex();
    for (int at = 0; at < hex.size(); at += 64)
        WriteBody(hex.mid(at, 64) + "\r\n");
    WriteBody("030000000000}\\par\r\n");
}

int TvlRTFExportFilter::FontIndex(const QString &name)
{
    int index = int(m_fonts.indexOf(name));
    if (index < 0) {
        index = int(m_fonts.size());
        m_fonts << name;
    }
    return index;
}

int TvlRTFExportFilter::ColourIndex(qint32 colour)
{
    if (colour == vlclWhite)
        colour = 0; // white text would vanish on the page
    int index = int(m_colours.indexOf(colour));
    if (index < 0) {
        index = int(m_colours.size());
        m_colours << colour;
    }
    return index + 1;
}

void TvlRTFExportFilter::WriteLine(const Line &line)
{
    QByteArray out = "\\pard";
    for (const TvlExportItem &item : line)
        out += "\\tx" + QByteArray::number(twipsX(item.X));
    out += '{';
    // Each line is a group of its own, so its first piece states everything.
    const TvlExportItem *previous = nullptr;
    for (const TvlExportItem &item : line) {
        out += "\\tab";
        if (item.HasFont) {
            if (!previous || previous->FontName != item.FontName)
                out += "\\f" + QByteArray::number(FontIndex(item.FontName));
            if (!previous || previous->FontSize != item.FontSize)
                out += "\\fs" + QByteArray::number(2 * item.FontSize);
            const int before = previous ? previous->FontStyle : 0;
            const struct
            {
                int bit;
                const char *on, *off;
            } styles[] = {{esItalic, "\\i", "\\i0"}, {esBold, "\\b", "\\b0"}, {esUnderline, "\\ul", "\\ulnone"}};
            for (const auto &style : styles)
                if ((item.FontStyle & style.bit) != (before & style.bit))
                    out += (item.FontStyle & style.bit) ? style.on : style.off;
            const int colour = ColourIndex(item.FontColor);
            if (!previous || ColourIndex(previous->FontColor) != colour)
                out += "\\cf" + QByteArray::number(colour);
            previous = &item;
        }
        out += ' ' + Escape(item.Text);
    }
    out += "\\par}\r\n";
    WriteBody(out);
}

void TvlRTFExportFilter::OnEndPage()
{
    if (m_pageWritten)
        WriteBody("\\page\r\n");
    m_pageWritten = true;
    for (const Picture &picture : m_pictures)
        WritePicture(picture);
    m_pictures.clear();
    const int last = LastLine();
    for (int i = 0; i <= last; ++i)
        WriteLine(Lines()[size_t(i)]);
}

QByteArray TvlRTFExportFilter::Tables() const
{
    QByteArray out;
    QByteArray line;
    const auto add = [&](const QByteArray &entry) {
        if (!line.isEmpty() && line.size() + entry.size() > 255) {
            out += line + "\r\n";
            line.clear();
        }
        line += entry;
    };
    add("{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i)
        add("{\\f" + QByteArray::number(i) + "\\fcharset238 " + Escape(m_fonts[i]) + ";}");
    add("}");
    add("{\\colortbl;");
    for (const qint32 colour : m_colours)
        add("\\red" + QByteArray::number(colour & 0xFF) + "\\green" + QByteArray::number((colour >> 8) & 0xFF) +
            "\\blue" + QByteArray::number((colour >> 16) & 0xFF) + ";");
    add("}");
    return out + line + "\r\n";
}

void TvlRTFExportFilter::Finish()
{
    WriteBody("\\par}");
    Write(Tables());
    if (m_body) {
        m_body->seek(0);
        Write(m_body->readAll());
        m_body.reset(); // the temporary file goes with it
    }
}
