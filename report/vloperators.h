#pragma once
// The value side of the expression parser: operators applied to the
// evaluation stack, and the literals of the postfix text.
#include "platform/variant.h"

#include <QChar>
#include <QVarLengthArray>

// The evaluation stack; expressions seldom hold more than a few operands.
using TvlStack = QVarLengthArray<Variant, 8>;
// The longest text an expression may make, in characters (64 MB).
constexpr qsizetype vlMaxTextLength = 32 * 1024 * 1024;
// Applies one operator code to the top entries of the stack.
void vlApplyOperator(QChar op, TvlStack &stack);
// Zero as conditions, NOT and division see it: unset, Null, false, a number
// or numeric text equal to 0. Other texts are not zero.
bool vlIsZero(const Variant &value);
// No value where a number is wanted: unset, Null or an empty (blank) text.
// Operators and numeric functions let it propagate as Null; sums skip it.
bool vlIsNoNumber(const Variant &value);
// A number as the parser writes it: ',' or '.' as the decimal point.
double vlNumberLiteral(const QString &text);
// Same, for number texts that functions hand back.
inline double vlTextToDouble(const QString &text)
{
    return vlNumberLiteral(text);
}
// IF's condition: the value as text, then as a number.
double vlVariantToNumber(const Variant &value);
// %d'...' and %t'...' literals, read with the short date and the time format.
Variant vlDateLiteral(const QString &text);
Variant vlTimeLiteral(const QString &text);
