#pragma once
// Numbers from text. Surrounding blanks are ignored; either "," or "." is the
// decimal mark (unless it is the settings' thousand separator), and blanks and
// non-breaking spaces between digits of the integer part are taken as
// thousand separators, so "1 234,5" and "1234.5" both read. Failures throw
// ConvertError with the classic message; the Try forms return false instead.
#include "platform/currency.h"
#include "platform/formaterror.h"
#include "platform/formatsettings.h"

#include <QString>

double StrToFloat(const QString &text, const FormatSettings &settings = czechFormatSettings());
bool TryStrToFloat(const QString &text, double &value, const FormatSettings &settings = czechFormatSettings());

// Decimal with an optional sign, or hexadecimal after "$" or "0x".
int StrToInt(const QString &text);
bool TryStrToInt(const QString &text, int &value);
qint64 StrToInt64(const QString &text);
bool TryStrToInt64(const QString &text, qint64 &value);

// Exact; more than four decimals round half to even.
Currency StrToCurr(const QString &text, const FormatSettings &settings = czechFormatSettings());
bool TryStrToCurr(const QString &text, Currency &value, const FormatSettings &settings = czechFormatSettings());
