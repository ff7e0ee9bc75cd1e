#include "kit/glyphs.h"
#include "kit/speedbutton.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Glyphs, GrayedKeepsTransparentAndFaceAndWeighsChannels)
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));   // transparent
    image.setPixel(1, 0, qRgb(192, 192, 192)); // face
    image.setPixel(2, 0, qRgb(200, 100, 50));
    const QImage gray = Glyphs::grayed(image, QColor(255, 0, 255), QColor(192, 192, 192));
    EXPECT_EQ(gray.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(gray.pixel(1, 0) & 0xFFFFFF, 0xC0C0C0u);
    const int g = (200 * 77 + 100 * 150 + 50 * 29) >> 8;
    EXPECT_EQ(qRed(gray.pixel(2, 0)), g);
    EXPECT_EQ(qGreen(gray.pixel(2, 0)), g);
    EXPECT_EQ(qBlue(gray.pixel(2, 0)), g);
}

TEST(Glyphs, CutCellTakesEqualSlicesAndEmbossShiftsHighlight)
{
    QImage strip(12, 2, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setPixel(4, 0, qRgb(0, 0, 0));
    const QImage cell = Glyphs::cutCell(strip, 3, 1);
    EXPECT_EQ(cell.size(), QSize(4, 2));
    EXPECT_EQ(cell.pixel(0, 0) & 0xFFFFFF, 0u);

    const QImage emb = Glyphs::embossed(cell, Qt::white, Qt::gray, Qt::white, Qt::darkGray);
    EXPECT_EQ(QColor(emb.pixel(0, 0)), QColor(Qt::darkGray));
    EXPECT_EQ(QColor(emb.pixel(1, 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(emb.pixel(2, 0)), QColor(Qt::gray));
}

TEST(Glyphs, ShortenStringCutsWithThreePointsOrLeavesFittingText)
{
    const QFontMetrics metrics(QApplication::font());
    const QString text = QStringLiteral("Nákupní cena bez DPH");
    EXPECT_EQ(Glyphs::shortenString(metrics, text, 10000), text);
    const int width = metrics.horizontalAdvance(QStringLiteral("Nákupní c..."));
    const QString cut = Glyphs::shortenString(metrics, text, width);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    EXPECT_LE(metrics.horizontalAdvance(cut), width);
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    // The first step already drops two characters.
    const QString firstStep = text.left(text.size() - 2) + QStringLiteral("...");
    ASSERT_LT(metrics.horizontalAdvance(firstStep), metrics.horizontalAdvance(text));
    EXPECT_EQ(Glyphs::shortenString(metrics, text, metrics.horizontalAdvance(firstStep)), firstStep);
    EXPECT_EQ(Glyphs::shortenString(metrics, text, 0), QStringLiteral("..."));
}

TEST(SpeedButton, LayoutSharesFreeSpaceByMarginAndSpacing)
{
    const QRect client(0, 0, 100, 20);
    const QSize glyph(16, 16), caption(40, 12);
    // Margin and spacing both -1: three equal gaps.
    auto p = TKxSpeedButton::placeGlyphAndCaption(client, glyph, caption, Kx::blGlyphLeft, -1, -1);
    EXPECT_EQ(p.glyph, QPoint(14, 2));
    EXPECT_EQ(p.caption.topLeft(), QPoint(14 + 16 + 14, 4));
    // Margin -1 alone: glyph, spacing and caption centred together.
    p = TKxSpeedButton::placeGlyphAndCaption(client, glyph, caption, Kx::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.glyph.x(), (100 - 60 + 1) / 2);
    EXPECT_EQ(p.caption.left(), p.glyph.x() + 16 + 4);
    // Spacing -1 alone: caption centred in what follows margin and glyph.
    p = TKxSpeedButton::placeGlyphAndCaption(client, glyph, caption, Kx::blGlyphLeft, 3, -1);
    EXPECT_EQ(p.glyph.x(), 3);
    EXPECT_EQ(p.caption.left(), 3 + 16 + (100 - 19 - 40) / 2);
    // Glyph on the right side and no caption: spacing is zero.
    p = TKxSpeedButton::placeGlyphAndCaption(client, glyph, caption, Kx::blGlyphRight, 2, 5);
    EXPECT_EQ(p.glyph.x(), 100 - 2 - 16);
    EXPECT_EQ(p.caption.left(), 100 - 2 - 16 - 5 - 40);
    p = TKxSpeedButton::placeGlyphAndCaption(QRect(0, 0, 25, 25), glyph, QSize(), Kx::blGlyphTop, -1, 1);
    EXPECT_EQ(p.glyph, QPoint(5, 5));
}

TEST(SpeedButton, FlatButtonIsGrayedUntilHovered)
{
    QWidget window;
    TKxSpeedButton button(&window);
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 0));
    glyph.setPixel(0, 3, qRgb(255, 255, 255));
    button.setGlyph(glyph);
    button.setFlat(true);
    window.resize(200, 200);
    button.move(100, 100);
    QCursor::setPos(window.mapToGlobal(QPoint(5, 5)));
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    auto centrePixel = [&] { return QColor(button.grab().toImage().pixel(12, 12)); };
    ASSERT_FALSE(button.mouseInControl());
    const QColor idle = centrePixel();
    EXPECT_EQ(idle.red(), idle.green()) << "gray image while not hovered";

    QSignalSpy entered(&button, &TKxSpeedButton::OnMouseEnter);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_TRUE(button.mouseInControl());
    EXPECT_EQ(centrePixel(), QColor(255, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.mouseInControl());
}

TEST(SpeedButton, GroupKeepsOneButtonDownUnlessAllUpAllowed)
{
    QWidget window;
    TKxSpeedButton a(&window), b(&window), loose(&window);
    a.setGroupIndex(1);
    b.setGroupIndex(1);
    loose.setDownState(true);
    EXPECT_FALSE(loose.isDownState()) << "no group, no down state";
    a.setDownState(true);
    b.setDownState(true);
    EXPECT_FALSE(a.isDownState());
    EXPECT_TRUE(b.isDownState());
    EXPECT_EQ(b.paintState(), TKxSpeedButton::gsExclusive);
    b.setDownState(false);
    EXPECT_TRUE(b.isDownState()) << "the last down button stays down";
    b.setAllowAllUp(true);
    EXPECT_TRUE(a.allowAllUp()) << "siblings copy AllowAllUp";
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_FALSE(b.isDownState());
    QTest::mouseClick(&a, Qt::LeftButton);
    EXPECT_TRUE(a.isDownState());
}

TEST(SpeedButton, TimerRepeatsClicksWhileHeld)
{
    TKxSpeedButton button;
    button.setAllowTimer(true);
    button.setInitPause(400);
    button.setRepeatInterval(20);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::qWait(30);
    EXPECT_EQ(clicks.count(), 0) << "nothing before the initial pause";
    // A loaded machine may be late with the timer: wait for it, not for a fixed time.
    for (int waited = 0; clicks.count() < 2 && waited < 5000; waited += 20)
        QTest::qWait(20);
    EXPECT_GE(clicks.count(), 2);
    QTest::mouseRelease(&button, Qt::LeftButton);
    const int afterRelease = clicks.count();
    QTest::qWait(60);
    EXPECT_EQ(clicks.count(), afterRelease);
    EXPECT_EQ(button.initPause(), 400);
    EXPECT_EQ(TKxSpeedButton().initPause(), 500);
    EXPECT_EQ(TKxSpeedButton().repeatInterval(), 100);
}

TEST(SpeedButton, ModalResultClosesTheDialogAndMenuPressGivesNoClick)
{
    QDialog dialog;
    TKxSpeedButton ok(&dialog);
    ok.setModalResult(QDialog::Accepted);
    dialog.show();
    QTest::mouseClick(&ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dialog.isVisible());

    QWidget window;
    TKxSpeedButton dropper(&window);
    QMenu menu;
    menu.addAction(QStringLiteral("Položka"));
    dropper.setDropDownMenu(&menu);
    QSignalSpy clicks(&dropper, &QAbstractButton::clicked);
    window.show();
    QTimer::singleShot(50, &menu, [&menu] {
        EXPECT_TRUE(menu.isVisible());
        menu.close();
    });
    QTest::mouseClick(&dropper, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(dropper.isDown());
    EXPECT_GE(menu.pos().y(), dropper.mapToGlobal(QPoint(0, dropper.height())).y() - 1)
        << "the menu opens under the button";
}
