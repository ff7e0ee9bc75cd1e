#include "kit/numedit.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kNbsp(QChar(0x00A0));

// A form with the edit and a second field to move the focus to.
struct NumForm
{
    QWidget window;
    TCurrencyEdit *edit = new TCurrencyEdit(&window);
    QLineEdit *other = new QLineEdit(&window);

    NumForm()
    {
        edit->setGeometry(0, 0, 150, 24);
        other->setGeometry(0, 30, 150, 24);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void enter()
    {
        edit->setFocus();
        QApplication::processEvents();
    }
    void leave()
    {
        other->setFocus();
        QApplication::processEvents();
    }
};

} // namespace

TEST(NumEdit, NormalisingAndCountingDecimals)
{
    EXPECT_EQ(TCustomNumEdit::normalizedText(" 1" + kNbsp + "234.5 "), "1234,5");
    EXPECT_EQ(TCustomNumEdit::normalizedText(""), "0");
    EXPECT_EQ(TCustomNumEdit::normalizedText("-"), "-0");
    EXPECT_EQ(TCustomNumEdit::decimalCount("12,345"), 3);
    EXPECT_EQ(TCustomNumEdit::decimalCount("12"), 0);
    EXPECT_EQ(TCustomNumEdit::decimalCount("1,23E5"), 2);
    EXPECT_TRUE(TCustomNumEdit::isValidFloat("-1,5E3"));
    EXPECT_FALSE(TCustomNumEdit::isValidFloat("1 5"));
    EXPECT_FALSE(TCustomNumEdit::isValidFloat("1,2,3"));
}

TEST(NumEdit, RangeClampsBothOrOneSide)
{
    TCurrencyEdit edit;
    edit.setMinValue(10);
    edit.setValue(5);
    EXPECT_EQ(edit.value(), 10);
    edit.setValue(1000);
    EXPECT_EQ(edit.value(), 1000) << "MaxValue 0: no upper limit";
    edit.setMinValue(0);
    edit.setMaxValue(100);
    EXPECT_EQ(edit.value(), 100) << "a new maximum clamps the current value";
    edit.setValue(-5);
    EXPECT_EQ(edit.value(), 0) << "0..100 is a range like any other";
    edit.setMaxValue(-10);
    edit.setValue(-5);
    EXPECT_EQ(edit.value(), -10) << "MinValue 0 above MaxValue: only the maximum holds";
    edit.setValue(-50);
    EXPECT_EQ(edit.value(), -50);
    edit.setMinValue(7);
    edit.setMaxValue(7);
    edit.setValue(-5);
    EXPECT_EQ(edit.value(), -5) << "equal limits mean no range";
}

TEST(NumEdit, RoundsHalvesAwayFromZero)
{
    TCurrencyEdit edit;
    edit.setDecimalPlaces(3);
    edit.setDecimalPlaceRound(true);
    edit.setValue(1.0005);
    EXPECT_DOUBLE_EQ(edit.value(), 1.001);
    edit.setValue(-1.0005);
    EXPECT_DOUBLE_EQ(edit.value(), -1.001);
    edit.setValue(2.0004);
    EXPECT_DOUBLE_EQ(edit.value(), 2.0);
    EXPECT_EQ(edit.text(), "2");
}

TEST(NumEdit, RangeErrorMessageShowsBothBoundsWithDecimals)
{
    TCurrencyEdit edit;
    edit.setMaxValue(100);
    try {
        edit.checkValue(150, true);
        FAIL() << "no error";
    } catch (const ERangeError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Hodnota musí být v rozmezí 0,00 až 100,00."));
    }
    EXPECT_NO_THROW(edit.checkValue(50, true));
}

TEST(NumEdit, TypingFiltersSignDecimalsAndSeparator)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setBeepOnError(false);
    edit->setMaxValue(100);
    form.enter();
    typeText(edit, "-");
    EXPECT_EQ(edit->text(), "") << "no sign when the range is 0..100";
    typeText(edit, "12.345");
    EXPECT_EQ(edit->text(), "12,34") << "'.' becomes ',' and a third decimal is refused";
    typeText(edit, "a");
    EXPECT_EQ(edit->text(), "12,34");

    edit->setMaxValue(0);
    edit->setText("");
    typeText(edit, "-5");
    EXPECT_EQ(edit->text(), "-5") << "without a range any sign is accepted";

    edit->setDecimalPlaces(0);
    edit->setText("");
    typeText(edit, "7,3");
    EXPECT_EQ(edit->text(), "7,") << "the separator is accepted, no digit after it";
}

TEST(NumEdit, FocusSwitchesBetweenEditingAndDisplayText)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setDisplayFormat(",0.00 ");
    EXPECT_EQ(edit->text(), "") << "zero with ZeroEmpty edits as an empty text";
    EXPECT_EQ(edit->formattedDisplayText(), "0,00 ");
    edit->setValue(1234.5);
    EXPECT_EQ(edit->text(), "1234,5");
    EXPECT_EQ(edit->formattedDisplayText(), "1" + kNbsp + "234,50 ");

    form.enter();
    edit->selectAll();
    typeText(edit, "99,9");
    EXPECT_DOUBLE_EQ(edit->value(), 99.9);
    EXPECT_EQ(edit->text(), "99,9");
    typeText(edit, ",");
    EXPECT_EQ(edit->text(), "99,9") << "a second separator is refused";
    form.leave();
    EXPECT_EQ(edit->formattedDisplayText(), "99,90 ");
    EXPECT_EQ(edit->cursorPosition(), 0);
}

TEST(NumEdit, ReadingValueWhileTypingKeepsTheTypedSeparator)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    QObject::connect(edit, &TCustomComboEdit::OnChange, edit, [edit] { (void)edit->value(); });
    form.enter();
    typeText(edit, "12,5");
    EXPECT_EQ(edit->text(), "12,5");
    EXPECT_DOUBLE_EQ(edit->value(), 12.5);
}

TEST(NumEdit, LeavingClampsOrReportsWithCheckOnExit)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setMaxValue(100);
    form.enter();
    edit->QLineEdit::setText("150");
    form.leave();
    EXPECT_DOUBLE_EQ(edit->value(), 100);

    edit->setCheckOnExit(true);
    QSignalSpy errors(edit, &TCustomNumEdit::OnRangeError);
    form.enter();
    edit->QLineEdit::setText("150");
    form.leave();
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), QStringLiteral("Hodnota musí být v rozmezí 0,00 až 100,00."));
    EXPECT_EQ(edit->text(), "150") << "the typed text stays for correction";
    QApplication::processEvents();
    EXPECT_TRUE(edit->hasFocus()) << "the focus comes back";
}

TEST(NumEdit, FailedPasteRestoresTheText)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setBeepOnError(false);
    edit->setValue(42);
    form.enter();
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "42");
    EXPECT_EQ(edit->selectedText(), "42");
    QApplication::clipboard()->setText(QStringLiteral("1.5"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(edit->value(), 1.5);
}

TEST(NumEdit, EscRestoresTheValuesText)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setValue(3);
    form.enter();
    edit->end(false);
    typeText(edit, "7");
    EXPECT_EQ(edit->text(), "37");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), "3");
    EXPECT_EQ(edit->selectedText(), "3");
}

TEST(NumEdit, FormatOnEditingGroupsThousandsAndKeepsTheCaret)
{
    NumForm form;
    TCurrencyEdit *edit = form.edit;
    edit->setFormatOnEditing(true);
    form.enter();
    typeText(edit, "1234567");
    EXPECT_EQ(edit->text(), "1" + kNbsp + "234" + kNbsp + "567");
    EXPECT_EQ(edit->cursorPosition(), edit->text().size());
    typeText(edit, ",5");
    EXPECT_EQ(edit->text(), "1" + kNbsp + "234" + kNbsp + "567,5");
    EXPECT_DOUBLE_EQ(edit->value(), 1234567.5);
}

TEST(NumEdit, ChangeEventsOnlyForRealChangesAndNotWhileLoading)
{
    TCurrencyEdit edit;
    QSignalSpy changes(&edit, &TCustomComboEdit::OnChange);
    edit.beginLoading();
    edit.setText("5");
    edit.endLoading();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(edit.value(), 5);
    edit.setValue(5);
    EXPECT_EQ(changes.count(), 0);
    edit.setValue(6);
    EXPECT_EQ(changes.count(), 1);
    edit.Clear();
    EXPECT_EQ(edit.value(), 0);
}

TEST(CurrencyEdit, DefaultsFollowTheCurrencySettings)
{
    TCurrencyEdit edit;
    EXPECT_EQ(edit.displayFormat(), QStringLiteral(",0.00 Kč;-,0.00 Kč"));
    EXPECT_FALSE(edit.isDisplayFormatStored());
    edit.setDisplayFormat(",0.###");
    EXPECT_TRUE(edit.isDisplayFormatStored());
    EXPECT_FALSE(edit.button()->isVisible());
    EXPECT_EQ(edit.alignmentValue(), Kx::taRightJustify);
    edit.setValue(-1234.5);
    edit.setDisplayFormat(QString());
    EXPECT_EQ(edit.formattedDisplayText(), "-1234,5");
    TCustomNumEdit plain;
    EXPECT_EQ(plain.displayFormat(), ",0.##");
    EXPECT_EQ(plain.buttonWidth(), 21);
}
