#include "platform/currency.h"

#include <cmath>
#include <limits>
#include <ostream>

namespace {

using Wide = __int128;

constexpr Wide kMin = std::numeric_limits<int64_t>::min();
constexpr Wide kMax = std::numeric_limits<int64_t>::max();

int64_t checked(Wide value, const char *what)
{
    if (value < kMin || value > kMax)
        throw CurrencyOverflow(std::string("Currency overflow in ") + what);
    return int64_t(value);
}

// Quotient rounded to the nearest integer, ties to even.
Wide divideHalfEven(Wide num, Wide den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Wide q = num / den;
    Wide r = num % den; // same sign as num
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > den || (twice == den && (q % 2) != 0))
        q += (num < 0) ? -1 : 1;
    return q;
}

bool isGroupSpace(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

} // namespace

Currency Currency::fromInt(int64_t units)
{
    return Currency(checked(Wide(units) * Scale, "conversion from integer"));
}

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw CurrencyOverflow("Currency overflow: not a finite number");
    // nearbyint follows the current rounding mode, which is to nearest, ties
    // to even, unless someone changed it; the long double product matches the
    // FPU's extended precision on x86.
    const long double scaled = std::nearbyint(static_cast<long double>(value) * Scale);
    constexpr long double limit = 9223372036854775808.0L; // 2^63
    if (scaled >= limit || scaled < -limit)
        throw CurrencyOverflow("Currency overflow in conversion from floating point");
    return Currency(static_cast<int64_t>(scaled));
}

std::optional<Currency> Currency::parse(QStringView text)
{
    const QStringView s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    Wide whole = 0;
    int wholeDigits = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            whole = whole * 10 + (c.unicode() - '0');
            ++wholeDigits;
            if (whole > kMax)
                return std::nullopt;
        } else if (isGroupSpace(c) && wholeDigits > 0 && i + 1 < s.size() && s[i + 1].isDigit()) {
            continue;
        } else {
            break;
        }
    }
    // Up to four decimals are exact; the rest only decide the rounding.
    Wide fraction = 0;
    int fractionDigits = 0;
    bool seenSeparator = false;
    int firstDropped = -1;
    bool droppedNonZeroAfterFirst = false;
    if (i < s.size() && (s[i] == u'.' || s[i] == u',')) {
        seenSeparator = true;
        for (++i; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i) {
            const int digit = s[i].unicode() - '0';
            if (fractionDigits < Decimals) {
                fraction = fraction * 10 + digit;
            } else if (firstDropped < 0) {
                firstDropped = digit;
            } else if (digit != 0) {
                droppedNonZeroAfterFirst = true;
            }
            ++fractionDigits;
        }
    }
    if (i != s.size() || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;
    if (seenSeparator && wholeDigits == 0 && fractionDigits == 0)
        return std::nullopt;
    for (int k = std::min(fractionDigits, int(Decimals)); k < Decimals; ++k)
        fraction *= 10;
    Wide value = whole * Scale + fraction;
    if (firstDropped > 5 || (firstDropped == 5 && (droppedNonZeroAfterFirst || value % 2 != 0)))
        ++value;
    if (negative)
        value = -value;
    if (value < kMin || value > kMax)
        return std::nullopt;
    return Currency(int64_t(value));
}

Currency Currency::fromString(QStringView text)
{
    if (auto value = parse(text))
        return *value;
    throw std::invalid_argument("'" + text.toString().toStdString() + "' is not a valid currency value");
}

int64_t Currency::roundUnits() const
{
    return int64_t(divideHalfEven(m_raw, Scale));
}

QString Currency::toString() const
{
    const Wide magnitude = m_raw < 0 ? -Wide(m_raw) : Wide(m_raw);
    const auto whole = static_cast<unsigned long long>(magnitude / Scale);
    int fraction = int(magnitude % Scale);
    QString result = m_raw < 0 ? QStringLiteral("-") : QString();
    result += QString::number(whole);
    if (fraction != 0) {
        int digits = Decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        result += u'.';
        result += QString::number(fraction).rightJustified(digits, u'0');
    }
    return result;
}

Currency Currency::abs() const
{
    return m_raw < 0 ? -*this : *this;
}

Currency Currency::operator-() const
{
    return Currency(checked(-Wide(m_raw), "negation"));
}

Currency &Currency::operator+=(Currency other)
{
    m_raw = checked(Wide(m_raw) + other.m_raw, "addition");
    return *this;
}

Currency &Currency::operator-=(Currency other)
{
    m_raw = checked(Wide(m_raw) - other.m_raw, "subtraction");
    return *this;
}

Currency &Currency::operator*=(int64_t factor)
{
    m_raw = checked(Wide(m_raw) * factor, "multiplication");
    return *this;
}

Currency &Currency::operator*=(Currency other)
{
    m_raw = checked(divideHalfEven(Wide(m_raw) * other.m_raw, Scale), "multiplication");
    return *this;
}

Currency &Currency::operator/=(int64_t divisor)
{
    if (divisor == 0)
        throw CurrencyDivisionByZero("Currency division by zero");
    m_raw = checked(divideHalfEven(m_raw, divisor), "division");
    return *this;
}

Currency &Currency::operator/=(Currency divisor)
{
    if (divisor.m_raw == 0)
        throw CurrencyDivisionByZero("Currency division by zero");
    m_raw = checked(divideHalfEven(Wide(m_raw) * Scale, divisor.m_raw), "division");
    return *this;
}

std::ostream &operator<<(std::ostream &out, Currency value)
{
    return out << value.toString().toStdString();
}
