#pragma once
// The text forms Variant converts through, with the Czech settings fixed in
// code: decimal comma, dates as day.month.year, times as hours:minutes:seconds.
#include "platform/datetime.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace VariantText {

// "12", "-1,5", "1.5", ",5", "2e3", "1,5E-3" with surrounding blanks; '.' and
// ',' both mark the decimals. Nothing for anything else.
std::optional<double> parseReal(QStringView text);
// Whole decimal numbers only ("-12", " 7 ").
std::optional<qint64> parseInteger(QStringView text);
// General format with 15 significant digits and a decimal comma: "12,5",
// "123", "0,00001", "1E15", "-1,5E-7"; NAN, INF and -INF for the specials.
QString realToText(double value);
// "6.12.2026", "6.12.2026 21:30:15" (the time only when not midnight).
QString dateTimeToText(TDateTime value);
// "6.12.2026", "06.12.26", "6.12.2026 9:05", "6.12.2026 9:05:30", "9:05:30"
// (a time alone is day 0). Two-digit years below 50 are 20xx, others 19xx.
std::optional<TDateTime> parseDateTime(QStringView text);

} // namespace VariantText
