#include "platform/varianttext.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace VariantText {

std::optional<double> parseReal(QStringView text)
{
    const QStringView s = text.trimmed();
    // Checked character by character so that only our syntax gets through;
    // from_chars then does the exact decimal-to-binary rounding.
    std::string plain;
    plain.reserve(s.size());
    qsizetype i = 0;
    auto digitsFrom = [&](bool &any) {
        for (; i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9'; ++i) {
            plain += char(s[i].unicode());
            any = true;
        }
    };
    bool mantissaDigits = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-')
            plain += '-';
        ++i;
    }
    digitsFrom(mantissaDigits);
    if (i < s.size() && (s[i] == u'.' || s[i] == u',')) {
        plain += '.';
        ++i;
        digitsFrom(mantissaDigits);
    }
    if (!mantissaDigits)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            plain += char(s[i++].unicode());
        bool exponentDigits = false;
        digitsFrom(exponentDigits);
        if (!exponentDigits)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt; // out of range
    return value;
}

std::optional<qint64> parseInteger(QStringView text)
{
    const QString s = text.trimmed().toString();
    if (s.isEmpty() || s.contains(u' '))
        return std::nullopt;
    bool ok = false;
    const qint64 value = s.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

QString realToText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string sci(buffer, result.ptr);
    const bool negative = sci[0] == '-';
    const size_t ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    std::string digits;
    for (size_t k = negative ? 1 : 0; k < ePos; ++k)
        if (sci[k] != '.')
            digits += sci[k];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -5) {
        out += QChar(digits[0]);
        if (digits.size() > 1)
            out += u',' + QString::fromLatin1(digits.substr(1));
        out += u'E' + QString::number(exponent);
        return out;
    }
    if (exponent >= 0) {
        const size_t whole = size_t(exponent) + 1;
        if (digits.size() <= whole) {
            out += QString::fromLatin1(digits) + QString(int(whole - digits.size()), u'0');
        } else {
            out += QString::fromLatin1(digits.substr(0, whole)) + u',' + QString::fromLatin1(digits.substr(whole));
        }
    } else {
        out += QStringLiteral("0,") + QString(-exponent - 1, u'0') + QString::fromLatin1(digits);
    }
    return out;
}

QString dateTimeToText(TDateTime value)
{
    const QDate date = DateTimeConv::toQDate(value);
    QString text = QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
    const QTime time = DateTimeConv::toQTime(value);
    if (time != QTime(0, 0))
        text += QStringLiteral(" %1:%2:%3").arg(time.hour()).arg(time.minute(), 2, 10, QChar(u'0'))
                    .arg(time.second(), 2, 10, QChar(u'0'));
    return text;
}

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
