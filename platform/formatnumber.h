#pragma once
// Numbers through display-format pictures such as ",0.00 ", ",0.###" or
// "#,##0.00;(#,##0.00);nula": up to three sections (positive; negative; zero),
// "0" a digit always shown, "#" a digit shown when significant, "." the
// decimal point, "," thousand separators, "E+"/"E-" scientific notation,
// text in single or double quotes and any other character shown as it is.
#include "platform/formatdigits.h"
#include "platform/formatsettings.h"

#include <QString>

QString FormatFloat(const QString &picture, double value, const FormatSettings &settings = czechFormatSettings());

// The same on exact digits (money).
QString FormatDecimal(const QString &picture, const DecimalDigits &value, int generalPrecision,
                      const FormatSettings &settings = czechFormatSettings());
