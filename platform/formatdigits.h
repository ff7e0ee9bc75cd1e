#pragma once
// A number as a row of decimal digits, the form every number-to-text routine
// works on: rounding happens on these digits, never on binary doubles, so
// 2.675 rounds to 2.68 as the user reads it and money stays exact.
#include <QtGlobal>
#include <string>

struct DecimalDigits
{
    enum class Kind { Finite, NaN, Infinity };

    Kind kind = Kind::Finite;
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty means zero.
    std::string digits;
    // The value is 0.<digits> times ten to this power.
    int exponent = 0;

    // The shortest digits that read back as the same double.
    static DecimalDigits fromDouble(double value);
    // The shortest digits, with binary noise in the 16th and 17th significant
    // digit of a fraction dropped (0.1 + 0.2 is 0.3, 1.15 * 3 is 3.45). Whole
    // numbers keep every digit.
    static DecimalDigits fromDoubleCleaned(double value);
    // Exactly value / 10^scale (money is a count of ten-thousandths).
    static DecimalDigits fromScaled(qint64 value, int scale);

    bool isZero() const { return kind == Kind::Finite && digits.empty(); }
    bool isFinite() const { return kind == Kind::Finite; }
    // Digits left of the decimal point (0 for values below one).
    int integerDigitCount() const { return exponent > 0 ? exponent : 0; }

    // Keeps the first `count` significant digits, a half rounding away from zero.
    void roundAt(int count);
    void roundToDecimals(int decimals) { roundAt(exponent + decimals); }
    void roundToSignificant(int count) { roundAt(count); }

    // The integer part's digits ("" for values below one).
    std::string integerText() const;
    // The fraction's digits without trailing zeros ("" for whole numbers).
    std::string fractionText() const;

private:
    void normalise();
};
