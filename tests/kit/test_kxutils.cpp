#include "kit/kxutils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(KxUtils, ReplaceAllNeverSearchesTheReplacementAgain)
{
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceAll("1,5,6", ",", "."), "1.5.6");
    EXPECT_EQ(ReplaceAll("abcabc", "bc", ""), "aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("ababab", "aba", "X"), "Xbab");
}

TEST(KxUtils, BlanksAndCharacters)
{
    EXPECT_EQ(RemoveChar("1 000 000", ' '), "1000000");
    EXPECT_EQ(TrimLeadingBlanks("  \tx  "), "\tx  ");
    EXPECT_EQ(TrimTrailingBlanks("  x\t  "), "  x\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(" ž "), "ž");
    EXPECT_EQ(RepeatChar('-', 3), "---");
    EXPECT_EQ(RepeatChar('-', 0), "");
    EXPECT_EQ(RepeatChar('-', -2), "");
}

TEST(KxUtils, WordsSkipEmptyRuns)
{
    EXPECT_EQ(WordAt(2, "a,,b", ","), "b");
    EXPECT_EQ(CountWords("a,,b", ","), 2);
    EXPECT_EQ(CountWords(",, ,", ", "), 0);
    EXPECT_EQ(WordAt(3, "a,,b", ","), "");
    EXPECT_EQ(WordAt(0, "a", ","), "");
    EXPECT_EQ(WordStart(2, "a,,b", ","), 4);
    EXPECT_EQ(WordStart(3, "a,,b", ","), 0);
    const QString pos = "10, 20,300 ,400";
    EXPECT_EQ(CountWords(pos, ", "), 4);
    EXPECT_EQ(WordAt(3, pos, ", "), "300");
    EXPECT_EQ(WordAt(2, "[dgTitles,dgIndicator]", "[], "), "dgIndicator");
}

TEST(KxUtils, XorHexRoundTripsAndToleratesBadPairs)
{
    EXPECT_EQ(XorHexEncode("", "AZ"), "415a");
    EXPECT_EQ(XorHexEncode("", "Kč"), "4bc48d"); // UTF-8 bytes
    EXPECT_EQ(XorHexEncode("\x01", "AB"), "4043");
    EXPECT_EQ(XorHexEncode("ab", "aaa"), "000300");
    for (const QString &key : {QString(), QString("k"), QString("klíč")}) {
        const QString text = "Heslo: žluťoučký kůň 123";
        const QString hex = XorHexEncode(key, text);
        EXPECT_EQ(hex.size(), text.toUtf8().size() * 2);
        EXPECT_EQ(XorHexDecode(key, hex), text);
    }
    EXPECT_EQ(XorHexDecode("", "41zz42"), "A B");
    EXPECT_EQ(XorHexDecode("", "414"), "A"); // the odd digit is ignored
    EXPECT_EQ(XorHexDecode("ab", "0003"), "aa");
}

TEST(KxUtils, FoldersAreCreatedWithTheirParents)
{
    QTemporaryDir dir;
    const QString deep = dir.filePath("Zaloha/2026/prosinec");
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(CreateDirectoryPath(deep + "/"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(CreateDirectoryPath(deep));
    EXPECT_TRUE(CreateDirectoryPath("/"));
    // A short path is created for real, not merely reported.
    EXPECT_TRUE(CreateDirectoryPath(dir.filePath("a")));
    EXPECT_TRUE(DirectoryExists(dir.filePath("a")));
    // A file in the way makes it fail.
    QFile file(dir.filePath("soubor"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(DirectoryExists(file.fileName()));
    EXPECT_FALSE(CreateDirectoryPath(dir.filePath("soubor/pod")));
    EXPECT_FALSE(DirectoryExists(""));
    try {
        CreateDirectoryPath("");
        FAIL() << "an empty name must raise";
    } catch (const EKitError &e) {
        EXPECT_EQ(e.message(), "Unable to create directory");
    }
}

TEST(KxUtils, CursorNumbers)
{
    EXPECT_EQ(KxCursor(crKxHand).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(KxCursor(crKxDrag).shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(KxCursor(1).shape(), Qt::ArrowCursor);
}
