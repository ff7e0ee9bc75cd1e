#include "platform/varianttext.h"

#include <QRegularExpression>


namespace VariantText {

std::optional<TDateTime> parseDateTime(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(?:(\d{1,2})\.\s*(\d{1,2})\.\s*(\d{2}|\d{4}))?\s*(?:(?<=^|\s)(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const auto match = pattern.match(text.toString());
    if (!match.hasMatch() || (!match.hasCaptured(1) && !match.hasCaptured(4)))
        return std::nullopt;
    TDateTime result = 0;
    if (match.hasCaptured(1)) {
        int year = match.captured(3).toInt();
        if (match.capturedLength(3) == 2)
            year += year < 50 ? 2000 : 1900;
        const QDate date(year, match.captured(2).toInt(), match.captured(1).toInt());
        if (!date.isValid())
            return std::nullopt;
        result = DateTimeConv::fromQDate(date);
    }
    if (match.hasCaptured(4)) {
        const int hour = match.captured(4).toInt();
        const int minute = match.captured(5).toInt();
        const int second = match.hasCaptured(6) ? match.captured(6).toInt() : 0;
        if (hour > 23 || minute > 59 || second > 59)
            return std::nullopt;
        const double fraction = DateTimeConv::encodeTime(hour, minute, second, 0);
        // Before the epoch the time still counts forwards within the day.
        result = result < 0 ? result - fraction : result + fraction;
    }
    return result;
}

} // namespace VariantText
