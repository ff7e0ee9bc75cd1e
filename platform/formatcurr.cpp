#include "platform/formatcurr.h"

#include "platform/formatnumber.h"

namespace {
// Enough for every digit of the 64-bit count.
constexpr int kCurrencyPrecision = 19;
} // namespace

DecimalDigits currencyDigits(Currency value)
{
    return DecimalDigits::fromScaled(value.raw(), Currency::Decimals);
}

QString FormatCurr(const QString &picture, Currency value, const FormatSettings &settings)
{
    return FormatDecimal(picture, currencyDigits(value), kCurrencyPrecision, settings);
}

QString CurrToStr(Currency value, const FormatSettings &settings)
{
    return DecimalToText(currencyDigits(value), ffGeneral, kCurrencyPrecision, 0, settings);
}

QString CurrToStrF(Currency value, TFloatFormat format, int digits, const FormatSettings &settings)
{
    return DecimalToText(currencyDigits(value), format, kCurrencyPrecision, digits, settings);
}
