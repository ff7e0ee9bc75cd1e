#include "platform/parsenumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isGroupSeparator(QChar c, const FormatSettings &s)
{
    return c == s.ThousandSeparator || c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isDecimalMark(QChar c, const FormatSettings &s)
{
    if (c == s.DecimalSeparator)
        return true;
    return (c == QLatin1Char(',') || c == QLatin1Char('.')) && c != s.ThousandSeparator;
}

// Rewrites the number as plain ASCII ("-1234.5e3") or returns false.
bool normalise(const QString &text, const FormatSettings &s, std::string &out, int &integerDigits)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    out.clear();
    integerDigits = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        if (t[i] == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool significant = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c)) {
            out += char(c.unicode());
            ++mantissaDigits;
            significant = significant || c != QLatin1Char('0');
            if (significant)
                ++integerDigits;
        } else if (isGroupSeparator(c, s) && mantissaDigits > 0 && i + 1 < t.size() && isDigit(t[i + 1])) {
            continue;
        } else {
            break;
        }
    }
    if (i < t.size() && isDecimalMark(t[i], s)) {
        out += '.';
        for (++i; i < t.size() && isDigit(t[i]); ++i) {
            out += char(t[i].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        out += 'e';
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            out += char(t[i++].unicode());
        int exponentDigits = 0;
        for (; i < t.size() && isDigit(t[i]); ++i, ++exponentDigits)
            out += char(t[i].unicode());
        if (exponentDigits == 0)
            return false;
    }
    return i == t.size();
}

ConvertError invalid(const QString &text, const char *what)
{
    return ConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

} // namespace

bool TryStrToFloat(const QString &text, double &value, const FormatSettings &settings)
{
    std::string number;
    int integerDigits = 0;
    if (!normalise(text, settings, number, integerDigits))
        return false;
    double result = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (end != number.data() + number.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from zero is zero; too large is an error.
        const size_t e = number.find('e');
        const long power = e == std::string::npos ? 0 : std::stol(number.substr(e + 1));
        if (integerDigits + power > 0)
            return false;
        result = number[0] == '-' ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = result;
    return true;
}

double StrToFloat(const QString &text, const FormatSettings &settings)
{
    double value = 0;
    if (!TryStrToFloat(text, value, settings))
        throw invalid(text, "floating point value");
    return value;
}

bool TryStrToInt64(const QString &text, qint64 &value)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        negative = t[i++] == QLatin1Char('-');
    int base = 10;
    if (i < t.size() && t[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == QLatin1Char('0') &&
               (t[i + 1] == QLatin1Char('x') || t[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == t.size())
        return false;
    quint64 magnitude = 0;
    const quint64 limit =
        base == 16 ? std::numeric_limits<quint64>::max() : quint64(std::numeric_limits<qint64>::max()) + 1;
    for (; i < t.size(); ++i) {
        const int digit = digitValue(t[i]);
        if (digit < 0 || digit >= base)
            return false;
        if (magnitude > (limit - quint64(digit)) / quint64(base))
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    if (base == 10 && !negative && magnitude > quint64(std::numeric_limits<qint64>::max()))
        return false;
    // Hexadecimal digits are a bit pattern, as the classic routines read them.
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

qint64 StrToInt64(const QString &text)
{
    qint64 value = 0;
    if (!TryStrToInt64(text, value))
        throw invalid(text, "integer value");
    return value;
}

bool TryStrToInt(const QString &text, int &value)
{
    qint64 wide = 0;
    if (!TryStrToInt64(text, wide))
        return false;
    const bool hex =
        text.contains(QLatin1Char('$')) || text.contains(QLatin1Char('x')) || text.contains(QLatin1Char('X'));
    if (hex && wide >= 0 && wide <= qint64(std::numeric_limits<quint32>::max())) {
        value = int(quint32(wide));
        return true;
    }
    if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max())
        return false;
    value = int(wide);
    return true;
}

int StrToInt(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw invalid(text, "integer value");
    return value;
}

bool TryStrToCurr(const QString &text, Currency &value, const FormatSettings &settings)
{
    std::string number;
    int integerDigits = 0;
    if (!normalise(text, settings, number, integerDigits))
        return false;
    if (number.find('e') != std::string::npos) {
        // "1,5E3" is rare enough to go through a double.
        double approximate = 0;
        if (!TryStrToFloat(text, approximate, settings))
            return false;
        try {
            value = Currency::fromDouble(approximate);
        } catch (const CurrencyOverflow &) {
            return false;
        }
        return true;
    }
    const auto parsed = Currency::parse(QString::fromLatin1(number.c_str()));
    if (!parsed)
        return false;
    value = *parsed;
    return true;
}

Currency StrToCurr(const QString &text, const FormatSettings &settings)
{
    Currency value;
    if (!TryStrToCurr(text, value, settings))
        throw invalid(text, "floating point value");
    return value;
}
