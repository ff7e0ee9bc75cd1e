#include "kit/comboedit.h"
#include "kit/editmask.h"
#include "typing.h"

#include <QLocale>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(EditMask, TranslatesIntoTheInputMaskOfTheLineEdit)
{
    // Required and optional characters swap their letters; "0" is the required digit.
    EXPECT_EQ(TKxEditMask(QStringLiteral("000-99")).inputMask(), QStringLiteral("999-00;_"));
    EXPECT_EQ(TKxEditMask(QStringLiteral("LlAaCc#")).inputMask(), QStringLiteral("AaNnXx#;_"));
    EXPECT_EQ(TKxEditMask(QStringLiteral(">L<l<>L")).inputMask(), QStringLiteral(">A<a!A;_"));
    // Characters the input mask reads as its own stand escaped; "\" keeps a mask letter.
    EXPECT_EQ(TKxEditMask(QStringLiteral("H\\0D 0")).inputMask(), QStringLiteral("\\H\\0\\D 9;_"));
    EXPECT_EQ(TKxEditMask(QStringLiteral("0_0")).inputMask(), QStringLiteral("9 9;_"));
    // Save-literals and blank fields; "!" has no counterpart and is dropped.
    const TKxEditMask phone(QStringLiteral("!000 000 000;0;*"));
    EXPECT_EQ(phone.inputMask(), QStringLiteral("999 999 999;*"));
    EXPECT_FALSE(phone.saveLiterals());
    EXPECT_EQ(phone.blank(), u'*');
    EXPECT_TRUE(TKxEditMask(QStringLiteral("00;1")).saveLiterals());
    EXPECT_TRUE(TKxEditMask(QString()).isEmpty());
    EXPECT_TRUE(TKxEditMask(QStringLiteral(";0;_")).isEmpty());
    // Date and time separators come from the locale.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(TKxEditMask(QStringLiteral("00/00 00:00")).inputMask(), QStringLiteral("99.99 99:99;_"));
    QLocale::setDefault(QLocale::c());
}

TEST(EditMask, ComboEditFiltersTypingAndKeepsLiteralsAsAsked)
{
    TComboEdit edit;
    edit.setEditMask(QStringLiteral("000 00;0;_"));
    EXPECT_EQ(edit.inputMask(), QStringLiteral("999 99;_"));
    edit.setFocus();
    edit.setCursorPosition(0);
    typeText(&edit, QStringLiteral("12a345"));
    EXPECT_EQ(edit.displayText(), QStringLiteral("123 45"));
    EXPECT_EQ(edit.text(), QStringLiteral("123 45"));
    // The Text property leaves the literals out.
    EXPECT_EQ(edit.property("Text").toString(), QStringLiteral("12345"));
    // Text given without literals fills the mask.
    edit.setProperty("Text", QStringLiteral("67890"));
    EXPECT_EQ(edit.displayText(), QStringLiteral("678 90"));
    edit.setProperty("Text", QStringLiteral("6"));
    EXPECT_EQ(edit.displayText(), QStringLiteral("6__ __"));
    EXPECT_EQ(edit.property("Text").toString(), QStringLiteral("6"));
    EXPECT_FALSE(edit.hasAcceptableInput());

    // Literals kept: the text is the line edit's own.
    edit.setEditMask(QStringLiteral(">LL-0"));
    edit.clear();
    edit.setCursorPosition(0);
    typeText(&edit, QStringLiteral("čx5"));
    EXPECT_EQ(edit.property("Text").toString(), QStringLiteral("ČX-5"));
    EXPECT_EQ(edit.EditMask(), QStringLiteral(">LL-0"));

    // No mask: a plain edit again.
    edit.setEditMask(QString());
    EXPECT_TRUE(edit.inputMask().isEmpty());
    edit.setText(QStringLiteral("volný text"));
    EXPECT_EQ(edit.property("Text").toString(), QStringLiteral("volný text"));
}
