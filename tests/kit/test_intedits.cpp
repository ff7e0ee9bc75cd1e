#include "kit/intedit.h"
#include "kit/numbertext.h"
#include "kit/realedit.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(NumberText, CandidateTextForTypingBackspaceAndDelete)
{
    using NumberText::KeyAction;
    EXPECT_EQ(NumberText::candidateText("1234", 1, 2, 3, KeyAction::Type, '9'), "194");
    EXPECT_EQ(NumberText::candidateText("1234", 0, 0, 2, KeyAction::Type, '9'), "12934");
    EXPECT_EQ(NumberText::candidateText("1234", 0, 0, 2, KeyAction::Backspace), "134");
    EXPECT_EQ(NumberText::candidateText("1234", 0, 0, 0, KeyAction::Backspace), "1234");
    EXPECT_EQ(NumberText::candidateText("1234", 0, 0, 2, KeyAction::Delete), "124");
    EXPECT_EQ(NumberText::candidateText("1234", 1, 3, 4, KeyAction::Delete), "1");
}

TEST(IntegerEdit, MinimumOneRefusesZeroAndEmptying)
{
    TIntegerEdit edit;
    edit.setMax(9999);
    edit.setMin(1);
    EXPECT_EQ(edit.text(), "1") << "the value was clamped into the new range";
    edit.show();
    edit.setFocus();
    edit.clear();
    typeText(&edit, "0");
    EXPECT_EQ(edit.text(), "");
    typeText(&edit, "5");
    EXPECT_EQ(edit.text(), "5");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "5") << "the text may not become empty";
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "5");
    typeText(&edit, "x-");
    EXPECT_EQ(edit.text(), "5");

    TIntegerEdit free;
    free.show();
    free.setFocus();
    QTest::keyClick(&free, Qt::Key_End);
    QTest::keyClick(&free, Qt::Key_Backspace);
    EXPECT_EQ(free.text(), "") << "with Min 0 the text can be emptied";
}

TEST(IntegerEdit, MaximumRefusesDigitsBeyondItOrBeyond32Bits)
{
    TIntegerEdit edit;
    edit.setMax(100);
    edit.show();
    edit.setFocus();
    edit.clear();
    typeText(&edit, "100");
    EXPECT_EQ(edit.text(), "100");
    typeText(&edit, "0");
    EXPECT_EQ(edit.text(), "100");

    TIntegerEdit unbounded;
    unbounded.show();
    unbounded.setFocus();
    unbounded.clear();
    typeText(&unbounded, "214748364");
    typeText(&unbounded, "7");
    typeText(&unbounded, "0");
    EXPECT_EQ(unbounded.text(), "2147483647") << "one more digit would not convert";
}

TEST(IntegerEdit, ValueClampsAndWritesBackAndMaxComesBeforeMin)
{
    TIntegerEdit edit;
    edit.setMax(100);
    edit.setText("150");
    EXPECT_EQ(edit.value(), 100);
    EXPECT_EQ(edit.text(), "100");
    edit.setText("abc");
    EXPECT_EQ(edit.value(), 0);

    TIntegerEdit zero;
    zero.setZeroEmpty(true);
    zero.setValue(0);
    EXPECT_EQ(zero.text(), "");
    EXPECT_EQ(zero.value(), 0);
    zero.setMax(10);
    zero.setMin(3);
    EXPECT_EQ(zero.value(), 3);
    EXPECT_EQ(zero.text(), "3");

    TIntegerEdit order;
    order.setMin(1); // ignored: above the maximum 0
    EXPECT_EQ(order.min(), 0);
    order.setMax(9999);
    order.setMin(1);
    EXPECT_EQ(order.min(), 1);
    EXPECT_EQ(order.max(), 9999);
}

TEST(IntegerComboBox, FiltersTheEditAndClampsLikeTheEdit)
{
    TIntegerComboBox box;
    box.setItems({"30", "60", "90"});
    box.setMax(365);
    EXPECT_EQ(box.currentText(), "0");
    box.show();
    box.lineEdit()->setFocus();
    box.lineEdit()->clear();
    typeText(box.lineEdit(), "4a00");
    EXPECT_EQ(box.currentText(), "40") << "'a' refused, and 400 is above 365";
    box.setCurrentIndex(2);
    EXPECT_EQ(box.value(), 90);
    box.setEditText("1000");
    EXPECT_EQ(box.value(), 365);
    EXPECT_EQ(box.currentText(), "365");
}

TEST(RealEdit, DecimalsAndSeparatorAreFiltered)
{
    TRealEdit edit;
    EXPECT_EQ(edit.text(), "0,00");
    edit.show();
    edit.setFocus();
    edit.clear();
    typeText(&edit, ",");
    EXPECT_EQ(edit.text(), "") << "a lone comma is no number";
    typeText(&edit, "12,34");
    EXPECT_EQ(edit.text(), "12,34");
    typeText(&edit, "5");
    EXPECT_EQ(edit.text(), "12,34") << "no third decimal";
    edit.clear();
    typeText(&edit, "1.5,2,");
    EXPECT_EQ(edit.text(), "15,2") << "'.' and a second comma are refused";
}

TEST(RealEdit, ValueFormatsWithCommaAndIgnoresBadDecimalPlaces)
{
    TRealEdit edit;
    edit.setValue(7.5);
    EXPECT_EQ(edit.text(), "7,50");
    edit.setDecimalPlaces(0);
    edit.setDecimalPlaces(9);
    EXPECT_EQ(edit.decimalPlaces(), 2);
    edit.setDecimalPlaces(3);
    EXPECT_EQ(edit.text(), "7,500");
    edit.setValue(2.675);
    edit.setDecimalPlaces(2);
    EXPECT_EQ(edit.text(), "2,68") << "rounded as the user reads the number";
    edit.setMax(100);
    edit.setText("150,5");
    EXPECT_DOUBLE_EQ(edit.value(), 100);
    EXPECT_EQ(edit.text(), "100,00");
    edit.setZeroEmpty(true);
    edit.setValue(0);
    EXPECT_EQ(edit.text(), "");
    EXPECT_DOUBLE_EQ(edit.value(), 0);
}

TEST(RealEdit, BackspaceRespectsMinimum)
{
    TRealEdit edit;
    edit.setMax(100);
    edit.setMin(1);
    edit.setText("5");
    edit.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "5");
    edit.setText("15");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "1");
}

TEST(IntegerEdit, ChangeEventOnlyOnRealChangesAndNotWhileLoading)
{
    TIntegerEdit edit;
    QSignalSpy changes(&edit, &TIntegerEdit::OnChange);
    edit.beginLoading();
    edit.setText("12");
    edit.endLoading();
    EXPECT_EQ(changes.count(), 0);
    edit.setValue(12);
    EXPECT_EQ(changes.count(), 0);
    edit.setValue(13);
    EXPECT_EQ(changes.count(), 1);
}

TEST(IntegerEdit, PasteMustLeaveANumberInRange)
{
    TIntegerEdit edit;
    edit.setMax(100);
    edit.show();
    edit.setFocus();
    edit.selectAll();
    QApplication::clipboard()->setText(QStringLiteral("12abc"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "0");
    QApplication::clipboard()->setText(QStringLiteral(" 42 "));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "42");
    QApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "42") << "427 is above the maximum";

    TRealEdit real;
    real.show();
    real.setFocus();
    real.selectAll();
    QApplication::clipboard()->setText(QStringLiteral("1.5"));
    QTest::keyClick(&real, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(real.text(), "0,00");
    QApplication::clipboard()->setText(QStringLiteral("21,5"));
    real.selectAll();
    QTest::keyClick(&real, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(real.text(), "21,5");
}

TEST(IntegerEdit, NumberEditsTakeNoDroppedText)
{
    TIntegerEdit integer;
    TRealEdit real;
    TIntegerComboBox combo;
    EXPECT_FALSE(integer.acceptDrops());
    EXPECT_FALSE(real.acceptDrops());
    EXPECT_FALSE(combo.lineEdit()->acceptDrops());
}
