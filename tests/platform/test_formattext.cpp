#include "format_test_util.h"
#include "platform/formattext.h"

#include <gtest/gtest.h>

TEST(FormatText, TextsOfTheShop)
{
    EXPECT_TEXT(Format("%s [%d]", {"Chyba", 50000}), "Chyba [50000]");
    EXPECT_TEXT(Format("%.4d-%.2d-%.2d_%.2d-%.2d-%.2d_%s_%s.bak",
                       {2024, 3, 5, 14, 7, 9, QString("SHOP_SQLEXPRESS"), "tarmil5"}),
                "2024-03-05_14-07-09_SHOP_SQLEXPRESS_tarmil5.bak");
    EXPECT_TEXT(Format("%s [ položek: %d, celkem: %m ]", {"Hlavní", 12, Currency::fromRaw(12345000)}),
                nb("Hlavní [ položek: 12, celkem: 1_234,50 Kč ]"));
    EXPECT_TEXT(Format("%m", {-1234.5}), nb("-1_234,50 Kč"));
    EXPECT_TEXT(Format("%m", {Currency()}), "0,00 Kč");
    EXPECT_TEXT(Format("Této položky je na skladě pouze %0.2f %s ...", {2.5, "ks"}),
                "Této položky je na skladě pouze 2,50 ks ...");
    EXPECT_TEXT(Format("DPH %s%%:", {"21"}), "DPH 21%:");
    EXPECT_TEXT(Format("\\StringFileInfo\\%.4x%.4x\\", {0x405, 1250}), "\\StringFileInfo\\040504E2\\");
    EXPECT_TEXT(Format("Value must be between %.*f and %.*f", {3, 0.0, 3, 99.5}),
                "Value must be between 0,000 and 99,500");
    EXPECT_TEXT(Format("%d,%d,%d,%d", {-8, -8, 1288, 1032}), "-8,-8,1288,1032");
    EXPECT_TEXT(Format("%d KB", {qint64(8589934592)}), "8589934592 KB");
}

TEST(FormatText, WidthPrecisionAndIndex)
{
    EXPECT_TEXT(Format("[%5d]", {42}), "[   42]");
    EXPECT_TEXT(Format("[%-5d]", {42}), "[42   ]");
    EXPECT_TEXT(Format("[%.3d]", {-5}), "[-005]");
    EXPECT_TEXT(Format("[%*d]", {4, 7}), "[   7]");
    EXPECT_TEXT(Format("[%2.2f]", {3.14159}), "[3,14]");
    EXPECT_TEXT(Format("[%8.2f]", {-3.14159}), "[   -3,14]");
    EXPECT_TEXT(Format("[%.0f]", {2.5}), "[3]");
    EXPECT_TEXT(Format("[%f]", {2.675}), "[2,68]");
    EXPECT_TEXT(Format("[%2.2n]", {1234567.891}), nb("[1_234_567,89]"));
    EXPECT_TEXT(Format("[%n]", {Currency::fromRaw(-12345678)}), nb("[-1_234,57]"));
    EXPECT_TEXT(Format("[%.1m]", {1.25}), "[1,3 Kč]");
    EXPECT_TEXT(Format("[%g]", {1234.5}), "[1234,5]");
    EXPECT_TEXT(Format("[%g]", {1e20}), "[1E20]");
    EXPECT_TEXT(Format("[%.3g]", {1234.5}), "[1,23E3]");
    EXPECT_TEXT(Format("[%e]", {1234.5}), "[1,23450000000000E+003]");
    EXPECT_TEXT(Format("[%.3e]", {-0.5}), "[-5,00E-001]");
    EXPECT_TEXT(Format("[%.3s]", {"abcdef"}), "[abc]");
    EXPECT_TEXT(Format("[%-6s]", {"ab"}), "[ab    ]");
    EXPECT_TEXT(Format("[%s%s]", {'a', QChar(0x10D)}), "[ač]");
    const QString word = QStringLiteral("sklad");
    EXPECT_TEXT(Format("[%s|%s]", {QStringView(word).mid(1, 3), QLatin1StringView("ok")}), "[kla|ok]");
    EXPECT_TEXT(Format("%d %d %d %d", {short(-1), qsizetype(2), size_t(3), 4u}), "-1 2 3 4");
    EXPECT_TEXT(Format("%.1f", {1.25f}), "1,3");
    EXPECT_TEXT(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_TEXT(Format("%x %X %.8x", {255, 255, 255}), "FF FF 000000FF");
    EXPECT_TEXT(Format("%x %u", {-1, -1}), "FFFFFFFF 4294967295");
    EXPECT_TEXT(Format("%x", {qint64(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_TEXT(Format("100%% %s", {"ok"}), "100% ok");
    EXPECT_TEXT(Format("bez argumentů", {}), "bez argumentů");
}

TEST(FormatText, MismatchesRaiseConvertError)
{
    auto messageOf = [](const QString &format, std::initializer_list<FormatArg> args) {
        try {
            Format(format, args);
        } catch (const ConvertError &e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    };
    EXPECT_TEXT(messageOf("%d", {1.5}), "Format '%d' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("%s", {5}), "Format '%s' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("%f", {5}), "Format '%f' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("%d", {Currency()}), "Format '%d' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("%q", {5}), "Format '%q' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("50%", {}), "Format '50%' invalid or incompatible with argument");
    EXPECT_TEXT(messageOf("%s %s", {"a"}), "No argument for format '%s %s'");
    EXPECT_TEXT(messageOf("%*d", {"a", 1}), "Format '%*d' invalid or incompatible with argument");
}
