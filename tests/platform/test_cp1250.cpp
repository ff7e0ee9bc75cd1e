#include "platform/bytestream.h"
#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

// The C library's own converter serves as an independent reference.
std::optional<char32_t> referenceChar(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-32LE", "CP1250");
    if (cd == iconv_t(-1))
        return std::nullopt;
    char in[1] = {char(byte)};
    unsigned char out[4] = {};
    char *inPtr = in;
    char *outPtr = reinterpret_cast<char *>(out);
    size_t inLeft = 1, outLeft = 4;
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == size_t(-1))
        return std::nullopt;
    return char32_t(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

} // namespace

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    const QByteArray bytes = allBytes();
    const QString text = Cp1250::decode(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Cp1250::encode(text), bytes);
    EXPECT_TRUE(Cp1250::canEncode(text));
    // No two bytes share a character.
    for (int a = 0; a < 256; ++a)
        for (int b = a + 1; b < 256; ++b)
            ASSERT_NE(text[a], text[b]) << a << " " << b;
}

TEST(Cp1250, TableAgreesWithTheSystemConverter)
{
    int compared = 0;
    for (int b = 0; b < 256; ++b) {
        const auto expected = referenceChar(static_cast<unsigned char>(b));
        if (!expected)
            continue; // the undefined bytes
        EXPECT_EQ(char32_t(Cp1250::toUnicode(static_cast<unsigned char>(b))), *expected) << "byte " << b;
        ++compared;
    }
    if (compared == 0)
        GTEST_SKIP() << "no CP1250 converter in the C library";
    EXPECT_EQ(compared, 251);
}

TEST(Cp1250, UndefinedBytesMapToTheirC1Controls)
{
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(Cp1250::toUnicode(b), char16_t(b));
        EXPECT_EQ(Cp1250::fromUnicode(b), b);
    }
    // Other C1 controls are not in the code page.
    EXPECT_FALSE(Cp1250::fromUnicode(0x80).has_value());
    EXPECT_FALSE(Cp1250::fromUnicode(0x9F).has_value());
}

TEST(Cp1250, CzechLettersHaveTheirBytes)
{
    const QString lower = QString::fromUtf8("ěščřžýáíéůúťďňó");
    const QString upper = QString::fromUtf8("ĚŠČŘŽÝÁÍÉŮÚŤĎŇÓ");
    EXPECT_EQ(Cp1250::encode(lower), QByteArray("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9\xFA\x9D\xEF\xF2\xF3"));
    EXPECT_EQ(Cp1250::encode(upper), QByteArray("\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xD9\xDA\x8D\xCF\xD2\xD3"));
    EXPECT_EQ(Cp1250::decode("P\xF8\xED"
                             "li\x9A \x9E"
                             "lu\x9D"
                             "ou\xE8"
                             "k\xFD k\xF9\xF2"),
              QString::fromUtf8("Příliš žluťoučký kůň"));
    EXPECT_EQ(Cp1250::encode(QString::fromUtf8("€ „“ – Kč")), QByteArray("\x80 \x84\x93 \x96 K\xE8"));
}

TEST(Cp1250, MissingCharactersBecomeOneQuestionMarkEach)
{
    // Cyrillic, a Chinese character and an emoji (a surrogate pair).
    const QString text = QString::fromUtf8("aЖ中😀b");
    EXPECT_EQ(Cp1250::encode(text), QByteArray("a???b"));
    EXPECT_FALSE(Cp1250::canEncode(text));
    EXPECT_TRUE(Cp1250::encode(QString()).isEmpty());
    EXPECT_TRUE(Cp1250::decode(QByteArray()).isEmpty());
    // A lone surrogate cannot be written either.
    EXPECT_EQ(Cp1250::encode(QString(QChar(0xD800))), QByteArray("?"));
    // The length known before writing is the length written, short or long.
    for (const QString &line : {text, QString(QChar(0xD800)) + "ž", QString::fromUtf8("Kč 😀 ").repeated(90)}) {
        EXPECT_EQ(Cp1250::encodedLength(line), Cp1250::encode(line).size());
        MemoryStream stream;
        EXPECT_EQ(stream.writeCp1250(line), Cp1250::encode(line).size());
        EXPECT_EQ(stream.data(), Cp1250::encode(line));
    }
}
