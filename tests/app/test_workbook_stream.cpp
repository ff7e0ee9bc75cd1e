// Reading a large .xlsx sheet as a stream, and the reading libraries' errors
// said in Czech.
#include "app/spreadsheet/readerrors.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "python_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// A minimal workbook whose one sheet comes from Python code writing to `out`
// (a file open for writing), with the shared strings given.
const QString WorkbookScript = QStringLiteral(
    "import sys, zipfile\n"
    "method = zipfile.ZIP_STORED if sys.argv[2] == 'stored' else zipfile.ZIP_DEFLATED\n"
    "ns = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'\n"
    "rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'\n"
    "with zipfile.ZipFile(sys.argv[1], 'w', method) as z:\n"
    "    z.writestr('xl/workbook.xml', '<workbook xmlns=\"%s\" xmlns:r=\"%s\"><sheets>"
    "<sheet name=\"L\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>' % (ns, rel))\n"
    "    z.writestr('xl/_rels/workbook.xml.rels', '<Relationships xmlns=\"http://schemas.openxmlformats.org/"
    "package/2006/relationships\"><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>')\n"
    "    z.writestr('xl/sharedStrings.xml', '<sst xmlns=\"%s\"><si><t>Označení</t></si><si><t>sdílený</t></si>"
    "</sst>' % ns)\n"
    "    with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as out:\n"
    "        out.write(('<worksheet xmlns=\"%s\"><sheetData>' % ns).encode())\n"
    "        out.write(b'<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>')\n"
    "        %1\n"
    "        out.write(b'</sheetData></worksheet>')\n");

QString writeWorkbook(const QTemporaryDir &dir, const QString &sheetCode, const QString &method = "deflated")
{
    const QString file = dir.filePath(QStringLiteral("ceník.xlsx"));
    runPython(WorkbookScript.arg(sheetCode), {file, method});
    return file;
}

} // namespace

// A sheet of more than 256 MiB of XML (100,000 rows of long texts): more than
// the reading would ever hold of one part, and read all the same, a row at a
// time, also going back to an earlier row.
TEST(WorkbookStream, ASheetLargerThanAnyPartHeldWholeIsReadRowByRow)
{
    QTemporaryDir dir;
    const QString file = writeWorkbook(
        dir,
        QStringLiteral(
            "text = b'x' * 2900\n"
            "        out.write(b'<row r=\"2\"><c r=\"B2\" t=\"s\"><v>1</v></c><c r=\"C2\"><v>12.5</v></c></row>')\n"
            "        for r in range(3, 100003):\n"
            "            out.write(b'<row r=\"%d\"><c r=\"A%d\" t=\"inlineStr\"><is><t>%d' % (r, r, r) "
            "+ text + b'</t></is></c></row>')"));
    WorkbookFileSource source(file);
    QString reason;
    ASSERT_TRUE(source.Reload(reason)) << qPrintable(reason);
    EXPECT_EQ(source.LastUsedRow(), 100002);
    EXPECT_EQ(source.Cell(1, 1).toString(), QStringLiteral("Označení"));
    EXPECT_EQ(source.Cell(2, 2).toString(), QStringLiteral("sdílený"));
    EXPECT_EQ(source.Cell(2, 3).toDouble(), 12.5);
    EXPECT_TRUE(source.Cell(50000, 1).toString().startsWith(QStringLiteral("50000xxx")));
    EXPECT_TRUE(source.Cell(50000, 2).isUnassigned());
    EXPECT_EQ(source.Cell(100002, 1).toString().size(), 2906);
    EXPECT_EQ(source.Cell(2, 2).toString(), QStringLiteral("sdílený")); // back to an earlier row
    EXPECT_TRUE(source.Cell(100003, 1).isUnassigned());
}

// Rows out of order (no program writes them so, but the format allows a
// reader to meet them) are still found.
TEST(WorkbookStream, RowsOutOfOrderAreFound)
{
    QTemporaryDir dir;
    const QString file = writeWorkbook(
        dir, QStringLiteral("out.write(b'<row r=\"5\"><c r=\"A5\"><v>5</v></c></row><row r=\"3\"><c r=\"A3\"><v>3</v>"
                            "</c></row>')"));
    WorkbookFileSource source(file);
    QString reason;
    ASSERT_TRUE(source.Reload(reason)) << qPrintable(reason);
    EXPECT_EQ(source.LastUsedRow(), 5);
    EXPECT_EQ(source.Cell(3, 1).toInt(), 3);
    EXPECT_EQ(source.Cell(5, 1).toInt(), 5);
}

// What a library's error number means is said in words: "chyba -8" tells
// the user nothing.
TEST(WorkbookReaders, DamageIsSaidInWordsNotAsALibraryNumber)
{
    const QRegularExpression digit(QStringLiteral("\\d"));
    for (int code = -30; code <= 0; ++code)
        EXPECT_FALSE(XlsLibraryReason(code).contains(digit)) << qPrintable(XlsLibraryReason(code));
    for (int code = 0; code <= 40; ++code)
        EXPECT_FALSE(ZipErrorReason(code).contains(digit)) << qPrintable(ZipErrorReason(code));

    // An .xls cut short (a download that broke off).
    QTemporaryDir dir;
    QFile whole(QStringLiteral(TARMIL_APP_TEST_DATA "/price-list-biff5.xls"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = dir.filePath(QStringLiteral("useknutý.xls"));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(whole.read(4000));
    out.close();
    WorkbookFileSource source(cut);
    QString reason;
    EXPECT_FALSE(source.Reload(reason));
    EXPECT_EQ(reason, QStringLiteral("Sešit ve formátu xls nelze přečíst: soubor je poškozený (končí dříve, než "
                                     "jeho obsah)."));

    // An .xlsx whose sheet's bytes were changed after it was written.
    const QString file = writeWorkbook(
        dir, QStringLiteral("out.write(b'<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>Kladivo</t></is></c></row>')"),
        QStringLiteral("stored"));
    QFile changed(file);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    QByteArray bytes = changed.readAll();
    bytes.replace("Kladivo", "Kladiva");
    changed.seek(0);
    changed.write(bytes);
    changed.close();
    WorkbookFileSource damaged(file);
    EXPECT_FALSE(damaged.Reload(reason));
    EXPECT_EQ(reason, QStringLiteral("Sešit nelze přečíst: část xl/worksheets/sheet1.xml: soubor je poškozený "
                                     "(kontrolní součet dat nesouhlasí)."));
}
