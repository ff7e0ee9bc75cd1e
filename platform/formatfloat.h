#pragma once
// Numbers to text in the classic general, exponent, fixed, number and currency
// forms (FloatToStr, FloatToStrF, CurrToStr, CurrToStrF).
#include "platform/formatdigits.h"
#include "platform/formatsettings.h"

#include <QString>

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The digits in the given form. Precision counts significant digits; Digits is
// the minimum exponent width for ffGeneral and ffExponent and the number of
// decimals for the other forms.
QString DecimalToText(DecimalDigits value, TFloatFormat format, int precision, int digits,
                      const FormatSettings &settings = czechFormatSettings());

// Shortest text with 15 significant digits: "1234,5", "1E20", "1E-5".
QString FloatToStr(double value, const FormatSettings &settings = czechFormatSettings());
QString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                    const FormatSettings &settings = czechFormatSettings());
