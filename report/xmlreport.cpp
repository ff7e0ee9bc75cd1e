#include "report/xmlreport.h"

#include "report/propertystream.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool xmlCanCarry(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

QString vlXmlEscape(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            result += c;
            result += text[++i];
            continue;
        }
        switch (c.unicode()) {
        case '\n':
        case '\r':
        case '\t':
        case '"':
        case '<':
        case '>':
        case '&':
            result += QStringLiteral("&#%1;").arg(c.unicode());
            break;
        default:
            result += xmlCanCarry(c.unicode()) ? c : QChar('?');
        }
    }
    return result;
}

QByteArray vlXmlHex(const QByteArray &bytes)
{
    return bytes.toHex().toUpper();
}

int vlUnitsToMmX(int units)
{
    return qRound(units * 25.4 / vlUnitsPerInchX);
}

int vlUnitsToMmY(int units)
{
    // round(units / 3.77953 x 1.047741935): 25.4 mm per 91.6256 units
    return qRound(units / 3.77953 * 1.047741935);
}

void TvlXmlWriter::Text(const QString &text)
{
    m_stream.writeBytes(text.toUtf8());
}

void TvlXmlWriter::LineEnd()
{
    Text(CrLf);
}

void TvlXmlWriter::BeginElement(const QString &name)
{
    Text(QLatin1Char('<') + name);
}

void TvlXmlWriter::Attribute(const QString &name, const QString &value)
{
    Text(QStringLiteral(" %1=\"%2\"").arg(name, vlXmlEscape(value)));
}

void TvlXmlWriter::Attribute(const QString &name, qint64 value)
{
    Attribute(name, QString::number(value));
}

void TvlXmlWriter::EndEmptyElement()
{
    Line(QStringLiteral("/>"));
}

void TvlXmlWriter::EndStartTag()
{
    Line(QStringLiteral(">"));
}

void TvlXmlWriter::EndElement(const QString &name)
{
    Line(QStringLiteral("</%1>").arg(name));
}

QStringList vlXmlScript(const QList<TvlXmlScriptedView> &views)
{
    QStringList lines;
    for (const TvlXmlScriptedView &view : views) {
        if (view.script.isEmpty())
            continue;
        lines << QStringLiteral("procedure %1OnBeforePrint(Sender: TvlxComponent);").arg(view.name)
              << QStringLiteral("begin") << QStringLiteral("  with %1, Engine do").arg(view.name)
              << QStringLiteral("  begin");
        const QStringList &script = view.script;
        if (script.first() == QLatin1String("begin")) {
            // The script's own block becomes the inner block.
            for (qsizetype i = 1; i + 1 < script.size(); ++i)
                lines << script[i];
            lines << QStringLiteral("  end") << script.last() + QLatin1Char(';');
        } else {
            lines << script << QStringLiteral("  end") << QStringLiteral("end;");
        }
        lines << QString();
    }
    lines << QStringLiteral("begin") << QString() << QStringLiteral("end.");
    return lines;
}

QByteArray vlXmlPropData(const QStringList &datasetNames, const QStringList &variables)
{
    MemoryStream stream;
    TvlPropertyWriter writer(stream);
    writer.WriteName(QStringLiteral("Datasets"));
    writer.WriteValueType(vaCollection);
    for (const QString &name : datasetNames) {
        writer.WriteValueType(vaList);
        writer.WriteName(QStringLiteral("DataSet"));
        writer.WriteValueType(vaNil);
        writer.WriteName(QStringLiteral("DataSetName"));
        writer.WriteString(name);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
    writer.WriteName(QStringLiteral("Variables"));
    writer.WriteValueType(vaCollection);
    for (const QString &line : variables) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        writer.WriteValueType(vaList);
        writer.WriteName(QStringLiteral("Name"));
        writer.WriteString(equals < 0 ? QString() : line.left(equals));
        writer.WriteName(QStringLiteral("Value"));
        writer.WriteString(equals < 0 ? QString() : line.mid(equals + 1));
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
    return stream.data();
}

void vlXmlWriteReportStart(TvlXmlWriter &xml, const QStringList &script, const QByteArray &propData)
{
    xml.Line(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    xml.BeginElement(QStringLiteral("TvlxReport"));
    xml.Attribute(QStringLiteral("ScriptLanguage"), QStringLiteral("PascalScript"));
    xml.Attribute(QStringLiteral("ScriptText.text"), script.join(CrLf));
    xml.Attribute(QStringLiteral("Propdata"), QString::fromLatin1(vlXmlHex(propData)));
    xml.EndStartTag();
}

void vlXmlWritePageStart(TvlXmlWriter &xml, int number, const TvlXmlPage &page, bool hasViews)
{
    xml.BeginElement(QStringLiteral("TvlxReportPage"));
    xml.Attribute(QStringLiteral("Name"), QStringLiteral("Page%1").arg(number));
    xml.Attribute(QStringLiteral("Orientation"),
                  page.orientation == poLandscape ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait"));
    xml.Attribute(QStringLiteral("PaperWidth"), vlUnitsToMmX(page.pageWidth));
    xml.Attribute(QStringLiteral("PaperHeight"), vlUnitsToMmY(page.pageHeight));
    xml.Attribute(QStringLiteral("PaperSize"), page.paperSize);
    xml.Attribute(QStringLiteral("LeftMargin"), vlUnitsToMmX(page.marginLeft));
    xml.Attribute(QStringLiteral("RightMargin"), vlUnitsToMmX(page.pageWidth - page.marginRight));
    xml.Attribute(QStringLiteral("TopMargin"), vlUnitsToMmY(page.marginTop));
    xml.Attribute(QStringLiteral("BottomMargin"), vlUnitsToMmY(page.pageHeight - page.marginBottom));
    xml.Attribute(QStringLiteral("Columns"), page.columns);
    xml.Attribute(QStringLiteral("ColumnWidth"), page.columnWidth);
    if (page.printOnPreviousPage)
        xml.Attribute(QStringLiteral("PrintOnPreviousPage"), QStringLiteral("True"));
    if (hasViews)
        xml.EndStartTag();
    else
        xml.EndEmptyElement();
}

void vlXmlWritePageEnd(TvlXmlWriter &xml, bool hasViews)
{
    if (hasViews)
        xml.EndElement(QStringLiteral("TvlxReportPage"));
}

void vlXmlWriteReportEnd(TvlXmlWriter &xml)
{
    xml.EndElement(QStringLiteral("TvlxReport"));
}
