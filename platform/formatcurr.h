#pragma once
// Money to text, exactly: the digits come from the ten-thousandths themselves,
// never from a double.
#include "platform/currency.h"
#include "platform/formatfloat.h"
#include "platform/formatsettings.h"

#include <QString>

// Display-format pictures as FormatFloat (",0.00 " gives "1 234,50 ").
QString FormatCurr(const QString &picture, Currency value, const FormatSettings &settings = czechFormatSettings());
// Every significant digit: "1234,5", "-0,0001".
QString CurrToStr(Currency value, const FormatSettings &settings = czechFormatSettings());
// The forms of FloatToStrF; Digits as there.
QString CurrToStrF(Currency value, TFloatFormat format, int digits,
                   const FormatSettings &settings = czechFormatSettings());

DecimalDigits currencyDigits(Currency value);
