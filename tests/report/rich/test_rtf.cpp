// Reading rich text written by word processors and by our own writer, and
// writing it again byte for byte.
#include "report/rich/rtfreader.h"
#include "report/rich/rtfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

QTextCharFormat formatAt(const QTextDocument &doc, const QString &text)
{
    const int at = int(doc.toPlainText().indexOf(text));
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

QTextBlock blockWith(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().contains(text))
            return b;
    ADD_FAILURE() << "no block with " << text.toStdString();
    return {};
}

QByteArray png(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// What the Windows rich edit control saves for a short Czech letter.
const char richEditCzech[] = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*"
                             "\\fname Arial;}Arial CE;}{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
                             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                             "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
                             "P\\'f8\\'edli\\'9a \\b \\'9elu\\'9dou\\'e8k\\'fd\\b0  k\\'f9\\'f2\\par\r\n"
                             "\\pard\\qc\\i\\fs28 st\\'f8ed\\i0\\par\r\n"
                             "\\pard\\qr\\ul\\cf1 vpravo\\ulnone\\cf0\\par\r\n"
                             "\\pard\\li720\\ri360\\fi-360\\cf2\\f1\\fs24 odsazeno \\'e9\\par\r\n"
                             "}\r\n";

} // namespace

TEST(RtfReader, RichEditTextInCentralEuropeanCodePage)
{
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf(richEditCzech, doc));
    EXPECT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(doc.begin().text(), QStringLiteral("Příliš žluťoučký kůň"));

    const QTextCharFormat bold = formatAt(doc, QStringLiteral("žluťoučký"));
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_EQ(bold.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial CE")});
    EXPECT_EQ(bold.fontPointSize(), 10.0);
    EXPECT_EQ(formatAt(doc, QStringLiteral("kůň")).fontWeight(), QFont::Normal);

    const QTextBlock centre = blockWith(doc, QStringLiteral("střed"));
    EXPECT_EQ(centre.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(formatAt(doc, QStringLiteral("střed")).fontItalic());
    EXPECT_EQ(formatAt(doc, QStringLiteral("střed")).fontPointSize(), 14.0);

    const QTextBlock right = blockWith(doc, QStringLiteral("vpravo"));
    EXPECT_EQ(right.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    const QTextCharFormat red = formatAt(doc, QStringLiteral("vpravo"));
    EXPECT_TRUE(red.fontUnderline());
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));

    // A font of the Western character set decodes its bytes in its own code page.
    const QTextBlock indented = blockWith(doc, QStringLiteral("odsazeno"));
    EXPECT_EQ(indented.text(), QStringLiteral("odsazeno é"));
    EXPECT_DOUBLE_EQ(indented.blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.blockFormat().rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(indented.blockFormat().textIndent(), -24.0);
    EXPECT_EQ(formatAt(doc, QStringLiteral("odsazeno")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(doc, QStringLiteral("odsazeno")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Times New Roman")});
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallbackAndSpecialCharacters)
{
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf("{\\rtf1\\ansi\\ansicpg1252\\uc1 \\u268?esk\\u-10179?\\u-8704? \\uc2\\u382\\'9e\\'9ex"
                          "\\tab a\\line b\\~c\\emdash\\{\\}\\\\ \\ldblquote q\\rdblquote}",
                          doc));
    EXPECT_EQ(doc.toRawText(), QStringLiteral("Česk\U0001F600 žx\ta\u2028b\u00A0c\u2014{}\\ “q”"));
}

TEST(RtfReader, SkipsUnknownAndNestedDestinationsButTakesFieldResults)
{
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf("{\\rtf1{\\info{\\title Nadpis}{\\author X}}{\\stylesheet{\\s0 Normal;}}"
                          "{\\*\\unknowndest {\\nested text}more}{\\header hlavicka}"
                          "A{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt odkaz}}B"
                          "{\\*\\bkmkstart z}{\\pntext\\'b7\\tab}C{\\footnote pozn}}",
                          doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("AodkazBC"));
}

TEST(RtfReader, BulletsOfRichEditAndListsOfOfficeSuites)
{
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                          "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
                          "\\fi-720\\li720 jedna\\par{\\pntext\\f1\\'b7\\tab}dva\\par\\pard tri\\par"
                          "\\pard\\ls1\\ilvl0{\\listtext\\pard\\plain 1.\\tab}prvni\\par"
                          "{\\listtext\\pard\\plain 2.\\tab}druhy\\par}",
                          doc));
    const QTextBlock one = blockWith(doc, QStringLiteral("jedna"));
    const QTextBlock two = blockWith(doc, QStringLiteral("dva"));
    ASSERT_NE(one.textList(), nullptr);
    EXPECT_EQ(one.textList(), two.textList());
    EXPECT_EQ(one.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blockWith(doc, QStringLiteral("tri")).textList(), nullptr);
    const QTextBlock first = blockWith(doc, QStringLiteral("prvni"));
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(first.textList(), blockWith(doc, QStringLiteral("druhy")).textList());
}

TEST(RtfReader, TableOfTwoColumns)
{
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf("{\\rtf1\\ansi\\ansicpg1250 p\\'f8ed\\par"
                          "\\trowd\\trgaph108\\cellx2880\\cellx5760"
                          "\\pard\\intbl Firma\\cell\\pard\\intbl\\qr Tarmil s.r.o.\\cell\\row"
                          "\\trowd\\trgaph108\\cellx2880\\cellx5760"
                          "\\pard\\intbl I\\'c8O\\cell\\pard\\intbl 12345678\\cell\\row"
                          "\\pard po\\par}",
                          doc));
    QTextTable *table = nullptr;
    for (QTextFrame *frame : doc.rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable *>(frame);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    auto cellText = [&](int r, int c) {
        QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
        cursor.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), QStringLiteral("Firma"));
    EXPECT_EQ(cellText(0, 1), QStringLiteral("Tarmil s.r.o."));
    EXPECT_EQ(cellText(1, 0), QStringLiteral("IČO"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("12345678"));
    EXPECT_EQ(table->cellAt(0, 1).firstCursorPosition().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_DOUBLE_EQ(table->format().columnWidthConstraints().value(1).rawValue(), 192.0);
    EXPECT_EQ(blockWith(doc, QStringLiteral("po")).text(), QStringLiteral("po"));
    EXPECT_EQ(doc.begin().text(), QStringLiteral("před"));
}

TEST(RtfReader, PicturesKnownAndPlaceholders)
{
    const QByteArray image = png(4, 3, Qt::red);
    QTextDocument doc;
    ASSERT_TRUE(vlReadRtf("{\\rtf1 A{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450\r\n" + image.toHex() +
                              "}B{\\*\\shppict{\\pict\\emfblip\\picwgoal300\\pichgoal300 0102}}"
                              "{\\nonshppict{\\pict\\wmetafile8 0304}}C}",
                          doc));
    QList<QTextImageFormat> images;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(images.size(), 2); // the alternative of the enhanced metafile is dropped
    EXPECT_DOUBLE_EQ(images[0].width(), 40.0);
    EXPECT_DOUBLE_EQ(images[0].height(), 30.0);
    EXPECT_EQ(doc.resource(QTextDocument::ImageResource, QUrl(images[0].name())).toByteArray(), image);
    // The metafile cannot be shown: a grey placeholder of its size stands for it.
    QImage placeholder;
    placeholder.loadFromData(doc.resource(QTextDocument::ImageResource, QUrl(images[1].name())).toByteArray());
    EXPECT_EQ(placeholder.size(), QSize(20, 20));
    EXPECT_EQ(placeholder.pixelColor(10, 5), QColor(224, 224, 224));
    EXPECT_EQ(doc.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("ABC"));
}

TEST(RtfReader, DamagedAndHostileInputEnds)
{
    QTextDocument doc;
    // Unbalanced groups, a truncated escape, a huge parameter, a group nesting beyond the limit.
    EXPECT_TRUE(vlReadRtf("{\\rtf1 a{\\b b", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ab"));
    EXPECT_TRUE(vlReadRtf("{\\rtf1 x}}}}\\'", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
    EXPECT_TRUE(vlReadRtf("{\\rtf1\\fs99999999999999999 \\cf99999 \\f-5 y\\bin999999999}", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("y"));
    QByteArray deep = "{\\rtf1 z";
    deep += QByteArray(100000, '{') + "hidden" + QByteArray(100000, '}') + "w}";
    EXPECT_TRUE(vlReadRtf(deep, doc));
    EXPECT_TRUE(doc.toPlainText().startsWith(u'z'));
    EXPECT_TRUE(doc.toPlainText().endsWith(u'w'));
    // A picture claiming a size beyond the limit becomes a placeholder.
    QTextDocument small;
    TvlRtfLimits limits;
    limits.MaxPictureSide = 2;
    EXPECT_TRUE(vlReadRtf("{\\rtf1{\\pict\\pngblip " + png(4, 3, Qt::blue).toHex() + "}}", small, nullptr, limits));
    const QString name = QString::fromLatin1(vlRtfImagePrefix) + u'1';
    QImage shown;
    shown.loadFromData(small.resource(QTextDocument::ImageResource, QUrl(name)).toByteArray());
    EXPECT_EQ(shown.pixelColor(8, 3), QColor(224, 224, 224));
    // Text that is no rich text at all is taken as plain text and said so.
    QString error;
    EXPECT_FALSE(vlReadRtf("jen text", doc, &error));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("jen text"));
    EXPECT_FALSE(error.isEmpty());
}

TEST(RtfWriter, RichEditDialectAndEscapes)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor cursor(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies(QStringList{QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    cursor.insertText(QStringLiteral("Kč {x} \\ "), plain);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("€\u0416"), bold);
    EXPECT_EQ(vlWriteRtf(doc),
              QByteArray("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\r\n"
                         "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
                         "\\viewkind4\\uc1\\pard \\f0\\fs20 K\\'e8 \\{x\\} \\\\ \\b\\cf1 \\'80\\u1046?"
                         "\\par\r\n}\r\n"));
}

TEST(RtfWriter, WriteReadWriteGivesTheSameBytes)
{
    // Everything the reader knows, read from foreign writers' text first.
    const QByteArray source =
        QByteArray(richEditCzech).chopped(3) +
        "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\sb120\\sa60\\sl360\\slmult1\\tx1440\\tqr\\tx4320 a\\tab b\\par"
        "\\pard\\ls1{\\listtext 1.\\tab}\\strike\\super c\\nosupersub\\sub d\\nosupersub\\strike0\\highlight2 e\\par"
        "\\pard\\sl-300 f\\line g\\par"
        "\\trowd\\cellx1000\\cellx3000\\pard\\intbl x\\par y\\cell\\pard\\intbl\\cell\\row\\pard z"
        "{\\pict\\pngblip\\picwgoal150\\pichgoal150 " +
        png(2, 2, Qt::green).toHex() + "}\\par}";
    QTextDocument first;
    ASSERT_TRUE(vlReadRtf(source, first));
    const QByteArray written = vlWriteRtf(first);
    QTextDocument second;
    ASSERT_TRUE(vlReadRtf(written, second));
    EXPECT_EQ(vlWriteRtf(second).toStdString(), written.toStdString());
    EXPECT_EQ(second.toPlainText(), first.toPlainText());
    EXPECT_TRUE(written.contains("\\'9elu\\'9dou") || written.contains("\\'9elu\\'9dou\\'e8k\\'fd"));
    EXPECT_TRUE(written.contains("\\trowd"));
    EXPECT_TRUE(written.contains("\\pngblip"));
    EXPECT_TRUE(written.contains("\\pnlvlblt"));
    EXPECT_TRUE(written.contains("\\pndec"));

    // An empty document and one ending in an empty paragraph keep their paragraphs.
    QTextDocument empty;
    const QByteArray none = vlWriteRtf(empty);
    ASSERT_TRUE(vlReadRtf(none, empty));
    EXPECT_EQ(empty.blockCount(), 1);
    EXPECT_EQ(vlWriteRtf(empty), none);
    QTextDocument tableFirst;
    ASSERT_TRUE(vlReadRtf("{\\rtf1\\trowd\\cellx500\\pard\\intbl a\\cell\\row\\pard b\\par}", tableFirst));
    const QByteArray tableBytes = vlWriteRtf(tableFirst);
    ASSERT_TRUE(vlReadRtf(tableBytes, tableFirst));
    EXPECT_EQ(vlWriteRtf(tableFirst).toStdString(), tableBytes.toStdString());

    QTextDocument trailing;
    trailing.setPlainText(QStringLiteral("a\n"));
    QTextDocument back;
    ASSERT_TRUE(vlReadRtf(vlWriteRtf(trailing), back));
    EXPECT_EQ(back.blockCount(), 2);
}
