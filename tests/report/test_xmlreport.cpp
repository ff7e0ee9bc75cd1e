#include "report/propertystream.h"
#include "report/xmlreport.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

QByteArray document(const std::function<void(TvlXmlWriter &)> &write)
{
    MemoryStream stream;
    TvlXmlWriter xml(stream);
    write(xml);
    return stream.data();
}

// Reads the whole document; the error text when it is not well-formed.
QString xmlError(const QByteArray &data)
{
    QXmlStreamReader reader(data);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

TEST(XmlReport, EscapesEverySpecialCharacter)
{
    EXPECT_EQ(vlXmlEscape("a\"b"), "a&#34;b");
    EXPECT_EQ(vlXmlEscape("<&>"), "&#60;&#38;&#62;");
    EXPECT_EQ(vlXmlEscape("1\r\n2\t3"), "1&#13;&#10;2&#9;3");
    EXPECT_EQ(vlXmlEscape("Müller & syn, s.r.o. – 😀"), "Müller &#38; syn, s.r.o. – 😀");
    EXPECT_EQ(vlXmlEscape(QString("x") + QChar(1) + QChar(0xD800)), "x??");
    EXPECT_EQ(vlXmlHex(QByteArray("\x00\xAB\x7F", 3)), "00AB7F");
}

TEST(XmlReport, MillimetresPerAxis)
{
    EXPECT_EQ(vlUnitsToMmX(752), 210); // A4 on the virtual printer
    EXPECT_EQ(vlUnitsToMmY(1071), 297);
    EXPECT_EQ(vlUnitsToMmX(18), 5);
    EXPECT_EQ(vlUnitsToMmY(18), 5);
}

TEST(XmlReport, GeneratedScriptWrapsEachViewsScript)
{
    const QStringList script = vlXmlScript({
        {"Memo1", {"if a then", "  b;"}},
        {"Memo2", {}},
        {"Band1", {"begin", "  c;", "end"}},
    });
    EXPECT_EQ(script, QStringList({
                          "procedure Memo1OnBeforePrint(Sender: TvlxComponent);",
                          "begin",
                          "  with Memo1, Engine do",
                          "  begin",
                          "if a then",
                          "  b;",
                          "  end",
                          "end;",
                          "",
                          "procedure Band1OnBeforePrint(Sender: TvlxComponent);",
                          "begin",
                          "  with Band1, Engine do",
                          "  begin",
                          "  c;",
                          "  end",
                          "end;",
                          "",
                          "begin",
                          "",
                          "end.",
                      }));
    EXPECT_EQ(vlXmlScript({}), QStringList({"begin", "", "end."}));
}

TEST(XmlReport, PropertyDataByteForByteAndBack)
{
    const QByteArray data = vlXmlPropData({"DS"}, {"A=1", "bez"});
    const QByteArray expected = QByteArray("\x08"
                                           "Datasets"
                                           "\x0E"
                                           "\x01"
                                           "\x07"
                                           "DataSet"
                                           "\x0D"
                                           "\x0B"
                                           "DataSetName"
                                           "\x06\x02"
                                           "DS"
                                           "\x00"
                                           "\x00"
                                           "\x09"
                                           "Variables"
                                           "\x0E"
                                           "\x01"
                                           "\x04"
                                           "Name"
                                           "\x06\x01"
                                           "A"
                                           "\x05"
                                           "Value"
                                           "\x06\x01"
                                           "1"
                                           "\x00"
                                           "\x01"
                                           "\x04"
                                           "Name"
                                           "\x06\x00"
                                           "\x05"
                                           "Value"
                                           "\x06\x00"
                                           "\x00"
                                           "\x00",
                                           86);
    EXPECT_EQ(data, expected);

    MemoryStream stream(data);
    TvlPropertyReader reader(stream);
    EXPECT_EQ(reader.ReadName(), "Datasets");
    reader.ReadValueType(vaCollection);
    reader.ReadValueType(vaList);
    EXPECT_EQ(reader.ReadName(), "DataSet");
    reader.ReadValueType(vaNil);
    EXPECT_EQ(reader.ReadName(), "DataSetName");
    EXPECT_EQ(reader.ReadString(), "DS");
    EXPECT_TRUE(reader.EndOfList());
    EXPECT_TRUE(reader.EndOfList());
    EXPECT_EQ(reader.ReadName(), "Variables");
    EXPECT_THROW(reader.ReadString(), StreamError); // a collection is not a string
}

TEST(XmlReport, PropertyValuesRoundTrip)
{
    MemoryStream stream;
    TvlPropertyWriter writer(stream);
    writer.WriteString(QString(300, QChar(0x161))); // š
    writer.WriteInteger(-5);
    writer.WriteInteger(1000);
    writer.WriteInteger(100000);
    writer.WriteBoolean(true);
    writer.WriteIdent("poPortrait");
    writer.WriteBinary(QByteArray("\x01\x02", 2));
    EXPECT_EQ(stream.data().at(0), char(vaLString));

    stream.seek(0);
    TvlPropertyReader reader(stream);
    EXPECT_EQ(reader.ReadString(), QString(300, QChar(0x161)));
    EXPECT_EQ(reader.ReadInteger(), -5);
    EXPECT_EQ(reader.ReadInteger(), 1000);
    EXPECT_EQ(reader.ReadInteger(), 100000);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadIdent(), "poPortrait");
    EXPECT_EQ(reader.ReadBinary(), QByteArray("\x01\x02", 2));
    EXPECT_TRUE(stream.atEnd());
}

TEST(XmlReport, DocumentLayoutByteForByte)
{
    TvlXmlPage empty;
    empty.pageWidth = 752;
    empty.pageHeight = 1071;
    empty.marginLeft = 18;
    empty.marginTop = 18;
    empty.marginRight = 752 - 18;
    empty.marginBottom = 1071 - 36;
    TvlXmlPage turned = empty;
    turned.orientation = poLandscape;
    turned.columns = 2;
    turned.columnWidth = 300;
    turned.printOnPreviousPage = true;

    const QByteArray data = document([&](TvlXmlWriter &xml) {
        vlXmlWriteReportStart(xml, {"begin", "", "end."}, QByteArray("\x01\xFE", 2));
        vlXmlWritePageStart(xml, 1, empty, false);
        vlXmlWritePageEnd(xml, false);
        vlXmlWritePageStart(xml, 2, turned, true);
        xml.BeginElement("TvlxMemoView");
        xml.Attribute("Name", "Memo1");
        xml.Attribute("Memo.text", "Tom & Jerry \"Kč\"");
        xml.EndEmptyElement();
        vlXmlWritePageEnd(xml, true);
        vlXmlWriteReportEnd(xml);
    });
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<TvlxReport ScriptLanguage=\"PascalScript\" ScriptText.text=\"begin&#13;&#10;&#13;&#10;end.\" "
        "Propdata=\"01FE\">\r\n"
        "<TvlxReportPage Name=\"Page1\" Orientation=\"poPortrait\" PaperWidth=\"210\" PaperHeight=\"297\" "
        "PaperSize=\"9\" LeftMargin=\"5\" RightMargin=\"5\" TopMargin=\"5\" BottomMargin=\"10\" Columns=\"1\" "
        "ColumnWidth=\"0\"/>\r\n"
        "<TvlxReportPage Name=\"Page2\" Orientation=\"poLandscape\" PaperWidth=\"210\" PaperHeight=\"297\" "
        "PaperSize=\"9\" LeftMargin=\"5\" RightMargin=\"5\" TopMargin=\"5\" BottomMargin=\"10\" Columns=\"2\" "
        "ColumnWidth=\"300\" PrintOnPreviousPage=\"True\">\r\n"
        "<TvlxMemoView Name=\"Memo1\" Memo.text=\"Tom &#38; Jerry &#34;Kč&#34;\"/>\r\n"
        "</TvlxReportPage>\r\n"
        "</TvlxReport>\r\n";
    EXPECT_EQ(QString::fromUtf8(data), QString::fromUtf8(expected));

    EXPECT_EQ(xmlError(data), QString());
    QXmlStreamReader reader(data);
    while (!reader.atEnd() && !(reader.isStartElement() && reader.name() == QLatin1String("TvlxMemoView")))
        reader.readNext();
    EXPECT_EQ(reader.attributes().value("Memo.text").toString(), QString("Tom & Jerry \"Kč\""));
}
