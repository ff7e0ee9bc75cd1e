#pragma once
// Edit masks of the kit's masked edits: "mask;save literals;blank". The mask
// is carried out by the line edit's own input mask, into which it is
// translated here.
//
// Mask characters: L letter, l optional letter, A letter or digit, a optional
// one, C any character, c optional one, 0 digit, 9 optional digit, # optional
// digit or sign, > upper case from here, < lower case, <> no case change,
// \ the next character as it stands, : the time separator, / the date
// separator, _ a space; anything else stands as it is. The second field "0"
// leaves the literals out of the text; the third is the blank character
// (default "_"). The "!" (optional characters as leading blanks) has no
// counterpart in the line edit and is ignored.
#include <QList>
#include <QString>

class TKxEditMask
{
public:
    TKxEditMask() = default;
    explicit TKxEditMask(const QString &editMask);

    bool isEmpty() const { return inputMaskText.isEmpty(); }
    // The same mask in the line edit's input mask syntax.
    QString inputMask() const { return inputMaskText; }
    bool saveLiterals() const { return keepLiterals; }
    QChar blank() const { return blankChar; }
    // The text as it is kept: the shown text (with blanks) less the blanks,
    // and less the literals unless they are saved.
    QString textOf(const QString &displayText) const;

private:
    QString inputMaskText;
    QList<bool> literalAt; // per shown position
    bool keepLiterals = true;
    QChar blankChar = u'_';
};
