#include "kit/glyphcache.h"
#include "kit/speedbutton.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A glyph of `count` cells of size w x h on an olive background with a red dot.
QImage glyphBitmap(int w, int h, int count = 1)
{
    QImage image(w * count, h, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 0));
    for (int i = 0; i < count; ++i)
        image.setPixel(i * w + w / 2, h / 2, qRgb(255, 0, 0));
    return image;
}

} // namespace

TEST(GlyphCache, ListReusesTheLowestFreeSlot)
{
    TKxGlyphList list(QSize(4, 4));
    QImage a(4, 4, QImage::Format_RGB32), b = a, c = a;
    a.fill(Qt::red), b.fill(Qt::green), c.fill(Qt::blue);
    EXPECT_EQ(list.Add(a), 0);
    EXPECT_EQ(list.Add(b), 1);
    EXPECT_EQ(list.Add(a), 2);
    list.Delete(1);
    list.Delete(0);
    list.Delete(0); // a free slot stays free
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(list.image(0).isNull());
    EXPECT_EQ(list.Add(c), 0);
    EXPECT_EQ(list.image(0).pixel(0, 0), QColor(Qt::blue).rgb());
    EXPECT_EQ(list.Add(c), 1);
    EXPECT_EQ(list.Add(c), 3);
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.slotCount(), 4);
}

TEST(GlyphCache, ButtonsOfOneSizeShareAListThatGoesWithTheirImages)
{
    ASSERT_EQ(TKxGlyphCache::instance(), nullptr);
    QWidget parent;
    auto first = std::make_unique<TKxSpeedButton>(&parent);
    auto second = std::make_unique<TKxSpeedButton>(&parent);
    auto wide = std::make_unique<TKxSpeedButton>(&parent);
    first->setGlyph(glyphBitmap(16, 16));
    second->setGlyph(glyphBitmap(16, 16, 2));
    second->setNumGlyphs(2);
    wide->setGlyph(glyphBitmap(24, 16));
    TKxGlyphCache *cache = TKxGlyphCache::instance();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->listCount(), 0); // nothing is built before it is drawn

    first->stateImage(TKxSpeedButton::gsUp);
    first->stateImage(TKxSpeedButton::gsDisabled);
    second->stateImage(TKxSpeedButton::gsUp);
    wide->stateImage(TKxSpeedButton::gsUp);
    EXPECT_EQ(cache->listCount(), 2);
    const TKxGlyphList *small = cache->find(QSize(16, 16));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->count(), 3);
    EXPECT_EQ(cache->find(QSize(24, 16))->count(), 1);

    // The image drawn is the one kept in the shared list.
    const QImage up = first->stateImage(TKxSpeedButton::gsUp);
    EXPECT_EQ(up.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0); // the olive background is left out

    // A new glyph gives its slots back; the list of the size no one uses goes.
    wide->setGlyph(glyphBitmap(16, 16));
    EXPECT_EQ(cache->find(QSize(24, 16)), nullptr);
    EXPECT_EQ(cache->listCount(), 1);
    wide->stateImage(TKxSpeedButton::gsUp);
    EXPECT_EQ(small->count(), 4);

    // Enabling and disabling rebuilds: the old images are released.
    first->setEnabled(false);
    EXPECT_EQ(small->count(), 2);

    wide.reset();
    second.reset();
    EXPECT_EQ(TKxGlyphCache::instance(), cache);
    first.reset();
    EXPECT_EQ(TKxGlyphCache::instance(), nullptr); // freed with the last button
}

TEST(SpeedButtonAction, FollowsTheActionAndTriggersItOnClick)
{
    QWidget parent;
    TKxSpeedButton button(&parent);
    QAction action(QStringLiteral("&Uložit"));
    action.setToolTip(QStringLiteral("Uloží doklad"));
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    action.setIcon(QIcon(pixmap));
    button.setAction(&action);

    EXPECT_EQ(button.text(), QStringLiteral("&Uložit"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Uloží doklad"));
    EXPECT_EQ(button.glyph().size(), QSize(16, 16));
    EXPECT_EQ(button.numGlyphs(), 1);
    EXPECT_EQ(button.transparentColor(), QColor(255, 0, 255));
    EXPECT_EQ(button.stateImage(TKxSpeedButton::gsUp).pixel(3, 3), QColor(Qt::blue).rgb());

    action.setText(QStringLiteral("Tisk"));
    action.setEnabled(false);
    EXPECT_EQ(button.text(), QStringLiteral("Tisk"));
    EXPECT_FALSE(button.isEnabled());
    action.setEnabled(true);
    EXPECT_TRUE(button.isEnabled());

    QSignalSpy triggered(&action, &QAction::triggered);
    parent.resize(100, 100);
    parent.show();
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(triggered.count(), 1);

    // An action without an image leaves the glyph as it is.
    TKxSpeedButton plain(&parent);
    const QImage own = glyphBitmap(8, 8);
    plain.setGlyph(own);
    QAction bare(QStringLiteral("Storno"));
    plain.setAction(&bare);
    EXPECT_EQ(plain.glyph(), own);
    EXPECT_EQ(plain.transparentColor(), QColor(128, 128, 0));

    // Unlinked, the button no longer follows.
    button.setAction(nullptr);
    action.setText(QStringLiteral("Jiný"));
    EXPECT_EQ(button.text(), QStringLiteral("Tisk"));
}

TEST(SpeedButtonAction, CheckedActionPutsAGroupedButtonDown)
{
    QWidget parent;
    TKxSpeedButton left(&parent), right(&parent), ungrouped(&parent);
    left.setGroupIndex(1);
    right.setGroupIndex(1);
    left.setAllowAllUp(true);
    QAction a(QStringLiteral("Vlevo")), b(QStringLiteral("Vpravo")), c(QStringLiteral("Sám"));
    for (QAction *action : {&a, &b, &c})
        action->setCheckable(true);
    // Grouped buttons that may all go up match an optional exclusive group.
    QActionGroup actions(nullptr);
    actions.setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actions.addAction(&a);
    actions.addAction(&b);
    left.setAction(&a);
    right.setAction(&b);
    ungrouped.setAction(&c);

    a.setChecked(true);
    EXPECT_TRUE(left.isDownState());
    b.setChecked(true);
    EXPECT_TRUE(right.isDownState());
    EXPECT_FALSE(left.isDownState()); // the group lets the other one go
    EXPECT_FALSE(a.isChecked());
    b.setChecked(false);
    EXPECT_FALSE(right.isDownState());
    c.setChecked(true);
    EXPECT_FALSE(ungrouped.isDownState()); // a button outside a group never stays down

    // Clicking a grouped button with a checkable action keeps both in step.
    parent.resize(200, 100);
    left.setGeometry(0, 0, 25, 25);
    parent.show();
    QTest::mouseClick(&left, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a.isChecked());
    EXPECT_TRUE(left.isDownState());
    QTest::mouseClick(&left, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(a.isChecked());
    EXPECT_FALSE(left.isDownState());
}
