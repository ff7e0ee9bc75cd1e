#include "platform/colors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

TEST(Colors, ValuesAreBlueGreenRed)
{
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(rgbColor(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(Colors::toQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(Colors::toQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(Colors::toQColor(0x00B9C5CA), QColor(0xCA, 0xC5, 0xB9));
    EXPECT_EQ(Colors::fromQColor(QColor(0xCA, 0xC5, 0xB9)), 0x00B9C5CA);
    EXPECT_EQ(Colors::fromQColor(QColor(255, 0, 0, 128)), clRed); // alpha is dropped
    for (TColor c : {clBlack, clWhite, clOlive, clSkyBlue, TColor(0x123456)})
        EXPECT_EQ(Colors::fromQColor(Colors::toQColor(c)), c);
}

TEST(Colors, NoneIsTransparentAndDefaultIsLeftToTheCaller)
{
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(clDefault, 0x20000000);
    const QColor none = Colors::toQColor(clNone);
    EXPECT_TRUE(none.isValid());
    EXPECT_EQ(none.alpha(), 0);
    EXPECT_FALSE(Colors::toQColor(clDefault).isValid());
    EXPECT_EQ(Colors::fromQColor(QColor()), clNone);
    EXPECT_EQ(Colors::fromQColor(QColor(Qt::transparent)), clNone);
    EXPECT_EQ(Colors::toRGB(clNone), clNone);
}

TEST(Colors, SystemColoursFollowThePalette)
{
    EXPECT_EQ(clBtnFace, TColor(0x8000000F));
    EXPECT_TRUE(Colors::isSystemColor(clWindow));
    EXPECT_FALSE(Colors::isSystemColor(clNone));
    EXPECT_EQ(Colors::systemColorIndex(clInfoBk), 24);

    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    palette.setColor(QPalette::Text, QColor(10, 11, 12));
    EXPECT_EQ(Colors::toQColor(clWindow, palette), QColor(1, 2, 3));
    EXPECT_EQ(Colors::toQColor(clBtnFace, palette), QColor(4, 5, 6));
    EXPECT_EQ(Colors::toQColor(clHighlight, palette), QColor(7, 8, 9));
    EXPECT_EQ(Colors::toQColor(clWindowText, palette), QColor(10, 11, 12));
    // Colours the palette has no role for keep the classic ones.
    EXPECT_EQ(Colors::toQColor(clInactiveCaption, palette), QColor(0xBF, 0xCD, 0xDB));
    EXPECT_EQ(Colors::classicSystemColor(15), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(Colors::classicSystemColor(99), QColor(Qt::black));

    // Without an explicit palette the application's is used.
    EXPECT_EQ(Colors::toQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
    EXPECT_EQ(Colors::toRGB(clBtnFace), Colors::fromQColor(QGuiApplication::palette().color(QPalette::Button)));
    EXPECT_EQ(Colors::toRGB(clRed), clRed);
}

TEST(Colors, NamesAndText)
{
    EXPECT_EQ(Colors::toString(clRed), "clRed");
    EXPECT_EQ(Colors::toString(clBtnFace), "clBtnFace");
    EXPECT_EQ(Colors::toString(clNone), "clNone");
    EXPECT_EQ(Colors::toString(0x00B9C5CA), "$00B9C5CA");
    EXPECT_EQ(Colors::toString(TColor(0x80000019)), "$80000019");
    EXPECT_EQ(Colors::fromString(u"clbtnface"), clBtnFace);
    EXPECT_EQ(Colors::fromString(u" clWindow "), clWindow);
    EXPECT_EQ(Colors::fromString(u"$00B9C5CA"), 0x00B9C5CA);
    EXPECT_EQ(Colors::fromString(u"0x1FFFFFFF"), clNone);
    EXPECT_EQ(Colors::fromString(u"12174794"), 0x00B9C5CA);
    EXPECT_EQ(Colors::fromString(u"-2147483633"), clBtnFace);
    EXPECT_EQ(Colors::fromString(u"$8000000F"), clBtnFace);
    EXPECT_FALSE(Colors::fromString(u"Red").has_value());
    EXPECT_FALSE(Colors::fromString(u"$1FFFFFFFF").has_value());
    EXPECT_FALSE(Colors::fromString(u"").has_value());
    EXPECT_EQ(Colors::toIdent(0x123456), std::nullopt);
    // Every named colour reads back from its name.
    for (TColor c : {clBlack, clMaroon, clAqua, clWhite, clMoneyGreen, clScrollBar, clMenuBar, clDefault, clNone})
        EXPECT_EQ(Colors::fromString(Colors::toString(c)), c);
}
