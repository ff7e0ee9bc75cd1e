#pragma once
// Writing a layout as an XML report document (".vl3"): UTF-8 text with CR LF
// line ends, attribute values escaped as character references, binary data as
// upper-case hexadecimal. The report supplies its parts; each view writes its
// own element through the writer.
#include "platform/bytestream.h"
#include "report/printer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// An attribute value with line feeds, carriage returns, tabs, double quotes,
// "<", ">" and "&" as numeric character references. Characters XML cannot
// carry at all (other control characters, lone surrogates) become "?".
QString vlXmlEscape(const QString &text);
// Two upper-case hexadecimal digits per byte.
QByteArray vlXmlHex(const QByteArray &bytes);
// Page units in millimetres, each axis by its own unit.
int vlUnitsToMmX(int units);
int vlUnitsToMmY(int units);

class TvlXmlWriter
{
public:
    explicit TvlXmlWriter(ByteStream &stream)
        : m_stream(stream)
    {}

    void Text(const QString &text); // as it stands, UTF-8
    void LineEnd();
    void Line(const QString &text)
    {
        Text(text);
        LineEnd();
    }
    void BeginElement(const QString &name);                    // "<name"
    void Attribute(const QString &name, const QString &value); // ' name="value"', escaped
    void Attribute(const QString &name, qint64 value);
    void EndEmptyElement();               // "/>" and the line end
    void EndStartTag();                   // ">" and the line end
    void EndElement(const QString &name); // "</name>" and the line end

private:
    ByteStream &m_stream;
};

// A view that has a script, for the generated script.
struct TvlXmlScriptedView
{
    QString name;
    QStringList script;
};

// The script the document carries: one procedure per scripted view, then the
// main block. Lines, to be joined with CR LF.
QStringList vlXmlScript(const QList<TvlXmlScriptedView> &views);
// The report's data set names and variables ("name=value" lines) in the
// component-streaming layout.
QByteArray vlXmlPropData(const QStringList &datasetNames, const QStringList &variables);

// A design page as the document describes it; lengths in page units.
struct TvlXmlPage
{
    TPrinterOrientation orientation = poPortrait;
    int pageWidth = 0;
    int pageHeight = 0;
    int paperSize = 9;
    int marginLeft = 0; // the margins rectangle: left and top edges,
    int marginTop = 0;
    int marginRight = 0; // right and bottom edges (exclusive)
    int marginBottom = 0;
    int columns = 1;
    int columnWidth = 0;
    bool printOnPreviousPage = false;
};

// The declaration and the report element's start tag.
void vlXmlWriteReportStart(TvlXmlWriter &xml, const QStringList &script, const QByteArray &propData);
// The page element (number from 1); left open when it will hold views.
void vlXmlWritePageStart(TvlXmlWriter &xml, int number, const TvlXmlPage &page, bool hasViews);
void vlXmlWritePageEnd(TvlXmlWriter &xml, bool hasViews);
void vlXmlWriteReportEnd(TvlXmlWriter &xml);
