#include "report/vlstreams.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

QByteArray memoBytes(const QStringList &lines)
{
    MemoryStream stream;
    WriteMemo(stream, lines);
    return stream.data();
}

QStringList readMemo(const QByteArray &data, int version = vlCurrentVersion, qint64 *end = nullptr)
{
    MemoryStream stream(data);
    QStringList lines{"stará"};
    vlReadVersionedMemo(stream, version, lines);
    if (end)
        *end = stream.position();
    return lines;
}

} // namespace

TEST(ReportEncodings, StringIsLengthBytesAndZero)
{
    MemoryStream stream;
    WriteString(stream, "Kč");
    EXPECT_EQ(stream.data(), bytes({2, 0, 'K', 0xE8, 0}));
    stream.seek(0);
    EXPECT_EQ(ReadString(stream), "Kč");
    EXPECT_TRUE(stream.atEnd());

    MemoryStream empty;
    WriteString(empty, QString());
    EXPECT_EQ(empty.data(), bytes({0, 0, 0}));
}

TEST(ReportEncodings, RepeatedAndEditedStringsWriteTheirOwnBytes)
{
    MemoryStream stream;
    QString name = "Arial";
    WriteString(stream, name);
    WriteString(stream, name);
    name[0] = u'Č'; // the same object, another text
    WriteString(stream, name);
    WriteString(stream, "Arial");
    WriteString(stream, QString());
    EXPECT_EQ(stream.data(), bytes({5,    0,   'A', 'r', 'i', 'a', 'l', 0, 5,   0,   'A', 'r', 'i', 'a', 'l', 0, 5, 0,
                                    0xC8, 'r', 'i', 'a', 'l', 0,   5,   0, 'A', 'r', 'i', 'a', 'l', 0,   0,   0, 0}));
}

TEST(ReportEncodings, MemoOfThreeLinesByteForByte)
{
    const QStringList lines{"a", "", "b"};
    const QByteArray data = memoBytes(lines);
    EXPECT_EQ(data, bytes({3, 0, 1, 0, 'a', 13, 0, 0, 13, 1, 0, 'b', 0}));
    EXPECT_EQ(readMemo(data), lines);
}

TEST(ReportEncodings, EmptyMemoIsThreeZeroBytes)
{
    EXPECT_EQ(memoBytes({}), bytes({0, 0, 0}));
    qint64 end = 0;
    EXPECT_TRUE(readMemo(bytes({0, 0, 0, 0x55}), vlCurrentVersion, &end).isEmpty());
    EXPECT_EQ(end, 3);
}

TEST(ReportEncodings, MemoReaderStopsAtTheZeroNotAtTheCount)
{
    qint64 end = 0;
    // The count says 5, the lines end after two.
    const QStringList lines = readMemo(bytes({5, 0, 1, 0, 'x', 13, 2, 0, 0xC8, 'R', 0, 0x77}), vlCurrentVersion, &end);
    EXPECT_EQ(lines, QStringList({"x", "ČR"}));
    EXPECT_EQ(end, 11);
    // And goes on past a count that is too small.
    EXPECT_EQ(readMemo(bytes({1, 0, 1, 0, 'x', 13, 1, 0, 'y', 0})), QStringList({"x", "y"}));
}

TEST(ReportEncodings, OlderLayoutsOfVersions21And22)
{
    MemoryStream stream(bytes({'P', 0xF8, 0xED, 'b', 'r', 'a', 'm', 0, 'x'}));
    EXPECT_EQ(vlReadVersionedString(stream, 22), "Příbram");
    EXPECT_EQ(stream.position(), 8);

    EXPECT_EQ(readMemo(bytes({'a', 13, 'b', 13, 0}), 21), QStringList({"a", "b"}));
    EXPECT_EQ(readMemo(bytes({'a', 13, 13, 'b', 0}), 21), QStringList({"a", "", "b"}));
    EXPECT_EQ(readMemo(bytes({'a', 13, 0}), 22), QStringList({"a"}));
    EXPECT_TRUE(readMemo(bytes({0}), 21).isEmpty());
    // The same bytes in the current layout are something else entirely.
    MemoryStream current(bytes({1, 0, 'z', 0}));
    EXPECT_EQ(vlReadVersionedString(current, 23), "z");
}

TEST(ReportEncodings, TruncatedDataRaisesStreamError)
{
    MemoryStream s1(bytes({5, 0, 'a', 'b'}));
    EXPECT_THROW(ReadString(s1), StreamError);
    MemoryStream s2(bytes({1, 0, 1, 0, 'a'}));
    QStringList lines;
    EXPECT_THROW(ReadMemo(s2, lines), StreamError);
    MemoryStream s3(bytes({'a', 'b'}));
    EXPECT_THROW(ReadOldString(s3), StreamError);
}

TEST(ReportEncodings, TextsTooLongForTheirLengthAreRefusedWhole)
{
    MemoryStream stream;
    WriteString(stream, QString(65535, 'x'));
    EXPECT_EQ(stream.size(), 65538);

    MemoryStream refused;
    EXPECT_THROW(WriteString(refused, QString(65536, 'x')), EReportFormatError);
    EXPECT_THROW(WriteMemo(refused, {"a", QString(70000, 'y')}), EReportFormatError);
    EXPECT_EQ(refused.size(), 0);

    MemoryStream shortStrings;
    WriteShortString(shortStrings, QString(255, QChar(0x10D))); // č is one byte
    EXPECT_EQ(shortStrings.size(), 256);
    try {
        WriteShortString(shortStrings, QString(256, 'z'));
        FAIL() << "a 256-byte short string was written";
    } catch (const EReportFormatError &error) {
        EXPECT_TRUE(error.text().contains("255")) << error.text().toStdString();
    }
    EXPECT_EQ(shortStrings.size(), 256);
}

TEST(ReportEncodings, FontStyleCode)
{
    EXPECT_EQ(FontStylesToCode(fsBold | fsItalic | fsUnderline), 7);
    EXPECT_EQ(CodeToFontStyles(7), fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(CodeToFontStyles(1), TFontStyles(fsItalic));
    EXPECT_EQ(CodeToFontStyles(2), TFontStyles(fsBold));
    EXPECT_EQ(FontStylesToCode(fsStrikeOut), 0);
    EXPECT_EQ(FontStylesToCode(fsUnderline | fsStrikeOut), 4);
}
