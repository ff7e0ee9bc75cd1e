#include "platform/formatfloat.h"

#include <algorithm>

namespace {

constexpr int kMaxPrecision = 19;
constexpr int kMaxDecimals = 18;
constexpr int kMaxExponentDigits = 4;

QString specialText(const DecimalDigits &value)
{
    if (value.kind == DecimalDigits::Kind::NaN)
        return QStringLiteral("NAN");
    return value.negative ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString exponentText(int power, bool signAlways, int minDigits)
{
    QString text = QString::number(std::abs(power));
    if (text.size() < minDigits)
        text.prepend(QString(minDigits - text.size(), QLatin1Char('0')));
    if (power < 0)
        text.prepend(QLatin1Char('-'));
    else if (signAlways)
        text.prepend(QLatin1Char('+'));
    return QLatin1Char('E') + text;
}

// "d,ddd" of the digits, padded with zeros to at least minDigits digits.
QString mantissaText(const DecimalDigits &value, int minDigits, QChar decimal)
{
    std::string digits = value.digits.empty() ? std::string("0") : value.digits;
    if (int(digits.size()) < minDigits)
        digits.append(size_t(minDigits) - digits.size(), '0');
    QString text = QString(QLatin1Char(digits[0]));
    if (digits.size() > 1)
        text += decimal + QString::fromLatin1(digits.data() + 1, qsizetype(digits.size() - 1));
    return text;
}

QString generalText(DecimalDigits value, int precision, int expDigits, const FormatSettings &s)
{
    value.roundToSignificant(precision);
    if (value.isZero())
        return QStringLiteral("0");
    const QString sign = value.negative ? QStringLiteral("-") : QString();
    if (value.exponent > precision || value.exponent < -3)
        return sign + mantissaText(value, 1, s.DecimalSeparator) + exponentText(value.exponent - 1, false, expDigits);
    std::string whole = value.integerText();
    const std::string fraction = value.fractionText();
    QString text = sign + (whole.empty() ? QStringLiteral("0") : QString::fromStdString(whole));
    if (!fraction.empty())
        text += s.DecimalSeparator + QString::fromStdString(fraction);
    return text;
}

// Thousand separators between groups of three, counted from the right.
QString groupThousands(const QString &digits, QChar separator)
{
    QString text;
    text.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const qsizetype fromRight = digits.size() - i;
        if (i > 0 && fromRight % 3 == 0)
            text += separator;
        text += digits[i];
    }
    return text;
}

QString fixedText(DecimalDigits value, int precision, int decimals, bool thousands, const FormatSettings &s)
{
    value.roundAt(std::min(precision, value.exponent + decimals));
    if (value.exponent > precision)
        return generalText(value, precision, 0, s);
    QString whole = QString::fromStdString(value.integerText());
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    if (thousands)
        whole = groupThousands(whole, s.ThousandSeparator);
    QString text = value.negative ? QLatin1Char('-') + whole : whole;
    if (decimals > 0) {
        std::string fraction = value.fractionText();
        fraction.resize(size_t(decimals), '0');
        text += s.DecimalSeparator + QString::fromStdString(fraction);
    }
    return text;
}

QString currencyText(DecimalDigits value, int precision, int decimals, const FormatSettings &s)
{
    value.roundAt(std::min(precision, value.exponent + decimals));
    const bool negative = value.negative;
    value.negative = false;
    const QString n = fixedText(value, precision, decimals, true, s);
    const QString &c = s.CurrencyString;
    if (!negative) {
        switch (s.CurrencyFormat) {
        case 0:
            return c + n;
        case 1:
            return n + c;
        case 2:
            return c + QLatin1Char(' ') + n;
        default:
            return n + QLatin1Char(' ') + c;
        }
    }
    switch (s.NegCurrFormat) {
    case 0:
        return QLatin1Char('(') + c + n + QLatin1Char(')');
    case 1:
        return QLatin1Char('-') + c + n;
    case 2:
        return c + QLatin1Char('-') + n;
    case 3:
        return c + n + QLatin1Char('-');
    case 4:
        return QLatin1Char('(') + n + c + QLatin1Char(')');
    case 5:
        return QLatin1Char('-') + n + c;
    case 6:
        return n + QLatin1Char('-') + c;
    case 7:
        return n + c + QLatin1Char('-');
    case 9:
        return QLatin1Char('-') + c + QLatin1Char(' ') + n;
    case 10:
        return n + QLatin1Char(' ') + c + QLatin1Char('-');
    case 11:
        return c + QLatin1Char(' ') + n + QLatin1Char('-');
    case 12:
        return c + QLatin1Char(' ') + QLatin1Char('-') + n;
    case 13:
        return n + QLatin1Char('-') + QLatin1Char(' ') + c;
    case 14:
        return QLatin1Char('(') + c + QLatin1Char(' ') + n + QLatin1Char(')');
    case 15:
        return QLatin1Char('(') + n + QLatin1Char(' ') + c + QLatin1Char(')');
    default:
        return QLatin1Char('-') + n + QLatin1Char(' ') + c;
    }
}

} // namespace

QString DecimalToText(DecimalDigits value, TFloatFormat format, int precision, int digits,
                      const FormatSettings &settings)
{
    if (!value.isFinite())
        return specialText(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    switch (format) {
    case ffGeneral:
        return generalText(value, precision, std::clamp(digits, 0, kMaxExponentDigits), settings);
    case ffExponent: {
        value.roundToSignificant(precision);
        const QString sign = value.negative ? QStringLiteral("-") : QString();
        const int power = value.isZero() ? 0 : value.exponent - 1;
        return sign + mantissaText(value, precision, settings.DecimalSeparator) +
               exponentText(power, true, std::clamp(digits, 0, kMaxExponentDigits));
    }
    case ffFixed:
    case ffNumber:
        return fixedText(value, precision, std::clamp(digits, 0, kMaxDecimals), format == ffNumber, settings);
    case ffCurrency:
        return currencyText(value, precision, std::clamp(digits, 0, kMaxDecimals), settings);
    }
    return {};
}

QString FloatToStr(double value, const FormatSettings &settings)
{
    return DecimalToText(DecimalDigits::fromDouble(value), ffGeneral, 15, 0, settings);
}

QString FloatToStrF(double value, TFloatFormat format, int precision, int digits, const FormatSettings &settings)
{
    return DecimalToText(DecimalDigits::fromDouble(value), format, precision, digits, settings);
}
