#include "kit/comboedit.h"
#include "kit/popupwindow.h"
#include "kit/searchedit.h"
#include "typing.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ListPopup : public TPopupWindow
{
public:
    using TPopupWindow::TPopupWindow;
    QVariant getValue() const override { return current; }
    void setValue(const QVariant &value) override { current = value; }
    QVariant current;
};

} // namespace

TEST(ComboEdit, PopupOpensBelowOrAboveAndStaysOnScreen)
{
    const QRect screen(0, 0, 800, 600);
    using E = TCustomComboEdit;
    // Fits below, right-aligned: its right edge lines up with the edit's.
    EXPECT_EQ(E::popupOrigin(QRect(300, 100, 100, 20), QSize(150, 80), screen, E::epaRight), QPoint(250, 120));
    // No room below: opens above the edit.
    EXPECT_EQ(E::popupOrigin(QRect(300, 550, 100, 20), QSize(150, 80), screen, E::epaRight), QPoint(250, 470));
    // Right-aligned near the left edge: starts at the edit's left.
    EXPECT_EQ(E::popupOrigin(QRect(10, 100, 100, 20), QSize(150, 80), screen, E::epaRight), QPoint(10, 120));
    // Left-aligned near the right edge: moved left by the difference, then kept on screen.
    EXPECT_EQ(E::popupOrigin(QRect(700, 100, 100, 20), QSize(150, 80), screen, E::epaLeft), QPoint(650, 120));
    EXPECT_EQ(E::popupOrigin(QRect(780, 100, 20, 20), QSize(300, 80), screen, E::epaLeft), QPoint(500, 120));
}

TEST(ComboEdit, ButtonRaisesEventUnlessReadOnly)
{
    TComboEdit edit;
    QSignalSpy clicks(&edit, &TCustomComboEdit::OnButtonClick);
    edit.resize(120, 24);
    edit.show();
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    edit.setReadOnlyValue(true);
    EXPECT_TRUE(edit.isReadOnly());
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    edit.setButtonAlwaysEnabled(true);
    QTest::mouseClick(edit.button(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    // The click key clicks as well.
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 3);
}

TEST(ComboEdit, ReadOnlyAndDirectInputDecideTyping)
{
    TComboEdit edit;
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "ab");
    EXPECT_EQ(edit.text(), "ab");
    edit.setDirectInput(false);
    QTest::keyClicks(&edit, "c");
    EXPECT_EQ(edit.text(), "ab");
    edit.setDirectInput(true);
    edit.setReadOnlyValue(true);
    QTest::keyClicks(&edit, "c");
    EXPECT_EQ(edit.text(), "ab");
    edit.setReadOnlyValue(false);
    QTest::keyClicks(&edit, "c");
    EXPECT_EQ(edit.text(), "abc");
}

TEST(ComboEdit, ButtonWidthPlacesOrHidesTheButton)
{
    TComboEdit edit;
    edit.resize(150, 24);
    edit.setGlyphKind(TCustomComboEdit::gkEllipsis);
    edit.setButtonWidth(16);
    edit.show();
    EXPECT_TRUE(edit.button()->isVisible());
    EXPECT_EQ(edit.button()->width(), 16);
    EXPECT_LE(edit.button()->geometry().right(), 149);
    EXPECT_GE(edit.button()->geometry().right(), 145);
    EXPECT_EQ(edit.textMargins().right(), 16);
    edit.setButtonWidth(1);
    EXPECT_FALSE(edit.button()->isVisible());
    EXPECT_EQ(edit.textMargins().right(), 0);
}

TEST(ComboEdit, PopupEscKeepsTextAndAcceptingSameValueRaisesNoChange)
{
    QWidget window;
    TComboEdit edit(&window);
    auto *popup = new ListPopup(&edit);
    popup->resize(100, 60);
    edit.setPopup(popup);
    edit.setText("jablko");
    window.show();
    edit.setFocus();
    QSignalSpy changes(&edit, &TCustomComboEdit::OnChange);

    edit.ButtonClick();
    ASSERT_TRUE(edit.popupVisible());
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(edit.isReadOnly()) << "typing is off while the list is open";
    EXPECT_EQ(popup->current.toString(), "jablko");
    popup->current = QStringLiteral("hruška");
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_FALSE(edit.popupVisible());
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.text(), "jablko");
    EXPECT_EQ(changes.count(), 0);

    edit.ButtonClick();
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.text(), "jablko") << "the popup was given the text again";
    EXPECT_EQ(changes.count(), 0) << "same value, no change event";

    edit.ButtonClick();
    popup->current = QStringLiteral("hruška");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.text(), QStringLiteral("hruška"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(edit.isModified());
}

TEST(ComboEdit, EnterAndEscReachTheDialogWithoutPopup)
{
    QDialog dialog;
    TComboEdit edit(&dialog);
    QPushButton ok(QStringLiteral("OK"), &dialog);
    ok.setDefault(true);
    ok.move(0, 40);
    QObject::connect(&ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    edit.setFocus();
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
}

TEST(ComboEdit, ChangeEventsAreQuietWhileLoading)
{
    TComboEdit edit;
    QSignalSpy changes(&edit, &TCustomComboEdit::OnChange);
    edit.beginLoading();
    edit.setText("x");
    edit.endLoading();
    EXPECT_EQ(changes.count(), 0);
    edit.setText("y");
    edit.setText("y");
    EXPECT_EQ(changes.count(), 1);
}

TEST(SearchEdit, StylesFilterTypedCharacters)
{
    TSearchEdit edit;
    edit.show();
    edit.setFocus();
    edit.setSearchEditStyle(TSearchEdit::sesOnlyNumeric);
    QTest::keyClicks(&edit, "1a2");
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "1");

    edit.clear();
    edit.setSearchEditStyle(TSearchEdit::sesOnlyAlfabetic);
    typeText(&edit, QStringLiteral("Čer7ná [ř]"));
    EXPECT_EQ(edit.text(), QStringLiteral("Černář"));

    edit.clear();
    edit.setSearchEditStyle(TSearchEdit::sesAlfaNumeric);
    typeText(&edit, QStringLiteral("Žluť 42!"));
    EXPECT_EQ(edit.text(), QStringLiteral("Žluť42"));

    edit.setSearchEditStyle(TSearchEdit::sesAll);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.selectedText(), edit.text());
    edit.deselect();
    QTest::mouseClick(&edit, Qt::LeftButton);
    EXPECT_EQ(edit.selectedText(), edit.text());
}

TEST(ComboEdit, PopupClosesOnReleaseAndOnFocusLoss)
{
    QWidget window;
    TComboEdit edit(&window);
    QLineEdit other(&window);
    other.move(0, 40);
    auto *popup = new ListPopup(&edit);
    popup->resize(100, 60);
    edit.setPopup(popup);
    window.show();
    QApplication::setActiveWindow(&window);
    edit.setFocus();
    QSignalSpy closes(popup, &TPopupWindow::OnPopupClose);

    edit.ButtonClick();
    popup->current = QStringLiteral("nové");
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(closes.count(), 1);
    EXPECT_TRUE(closes.at(0).at(0).toBool());
    EXPECT_FALSE(edit.popupVisible());
    EXPECT_EQ(edit.text(), QStringLiteral("nové"));

    edit.ButtonClick();
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_FALSE(closes.at(1).at(0).toBool()) << "released outside: not accepted";

    edit.ButtonClick();
    popup->current = QStringLiteral("jiné");
    other.setFocus();
    EXPECT_FALSE(edit.popupVisible());
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(edit.text(), QStringLiteral("nové"));
}
