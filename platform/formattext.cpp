#include "platform/formattext.h"

#include "platform/formatcurr.h"
#include "platform/formatfloat.h"

#include <vector>

namespace {

// Significant digits of doubles in fixed, number and currency forms.
constexpr int kFloatPrecision = 15;
constexpr int kMoneyPrecision = 19;
constexpr int kDefaultGeneralPrecision = 15;
constexpr int kExponentDigits = 3;

class Formatter
{
public:
    Formatter(const QString &format, std::initializer_list<FormatArg> args, const FormatSettings &settings)
        : m_format(format)
        , m_args(args)
        , m_settings(settings)
    {}

    QString run();

private:
    [[noreturn]] void invalid() const
    {
        throw ConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(m_format));
    }
    const FormatArg &nextArg()
    {
        if (m_next >= m_args.size())
            throw ConvertError(QStringLiteral("No argument for format '%1'").arg(m_format));
        return m_args[m_next++];
    }
    // Digits, or "*" taking an integer argument; -1 when neither is there.
    int readNumber(qsizetype &i);
    QString convert(QChar type, int precision);
    QString number(const FormatArg &arg, TFloatFormat form, int precision, int digits) const;

    const QString &m_format;
    std::vector<FormatArg> m_args;
    const FormatSettings &m_settings;
    size_t m_next = 0;
};

int Formatter::readNumber(qsizetype &i)
{
    if (i < m_format.size() && m_format[i] == QLatin1Char('*')) {
        ++i;
        const FormatArg &arg = nextArg();
        if (arg.kind() != FormatArg::Kind::Integer)
            invalid();
        return int(arg.integer());
    }
    int value = -1;
    while (i < m_format.size() && m_format[i].isDigit() && m_format[i].unicode() < 128) {
        value = (value < 0 ? 0 : value * 10) + (m_format[i].unicode() - '0');
        if (value > 1000000)
            invalid();
        ++i;
    }
    return value;
}

QString Formatter::number(const FormatArg &arg, TFloatFormat form, int precision, int digits) const
{
    if (arg.kind() == FormatArg::Kind::Money)
        return DecimalToText(currencyDigits(arg.money()), form,
                             form == ffGeneral || form == ffExponent ? precision : kMoneyPrecision, digits, m_settings);
    if (arg.kind() != FormatArg::Kind::Float)
        invalid();
    return DecimalToText(DecimalDigits::fromDouble(arg.floating()), form, precision, digits, m_settings);
}

QString Formatter::convert(QChar type, int precision)
{
    const FormatArg &arg = nextArg();
    switch (type.toLower().unicode()) {
    case 'd': {
        if (arg.kind() != FormatArg::Kind::Integer)
            invalid();
        const qint64 v = arg.integer();
        QString digits = QString::number(v < 0 ? 0 - quint64(v) : quint64(v));
        if (digits.size() < precision)
            digits = digits.rightJustified(precision, QLatin1Char('0'));
        return v < 0 ? QLatin1Char('-') + digits : digits;
    }
    case 'u':
    case 'x': {
        if (arg.kind() != FormatArg::Kind::Integer)
            invalid();
        // Negative values show their two's complement bit pattern.
        const quint64 bits = arg.wide() ? quint64(arg.integer()) : quint64(quint32(arg.integer()));
        QString digits =
            type.toLower() == QLatin1Char('u') ? QString::number(bits) : QString::number(bits, 16).toUpper();
        if (digits.size() < precision)
            digits = digits.rightJustified(precision, QLatin1Char('0'));
        return digits;
    }
    case 'e':
        return number(arg, ffExponent, precision < 0 ? kDefaultGeneralPrecision : precision, kExponentDigits);
    case 'g':
        return number(arg, ffGeneral, precision < 0 ? kDefaultGeneralPrecision : precision, 0);
    case 'f':
        return number(arg, ffFixed, kFloatPrecision, precision < 0 ? 2 : precision);
    case 'n':
        return number(arg, ffNumber, kFloatPrecision, precision < 0 ? 2 : precision);
    case 'm':
        return number(arg, ffCurrency, kFloatPrecision, precision < 0 ? m_settings.CurrencyDecimals : precision);
    case 's':
        if (arg.kind() != FormatArg::Kind::Text)
            invalid();
        return precision >= 0 ? arg.text().left(precision) : arg.text();
    default:
        invalid();
    }
}

QString Formatter::run()
{
    QString out;
    qsizetype i = 0;
    while (i < m_format.size()) {
        const QChar c = m_format[i++];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i < m_format.size() && m_format[i] == QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        int lead = readNumber(i);
        if (i < m_format.size() && m_format[i] == QLatin1Char(':')) {
            // An argument index: the following directives continue from it.
            m_next = size_t(std::max(lead, 0));
            ++i;
            lead = -1;
        }
        bool left = false;
        if (lead < 0 && i < m_format.size() && m_format[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        const int width = lead >= 0 ? lead : readNumber(i);
        int precision = -1;
        if (i < m_format.size() && m_format[i] == QLatin1Char('.')) {
            ++i;
            precision = std::max(readNumber(i), 0);
        }
        if (i >= m_format.size())
            invalid();
        QString text = convert(m_format[i++], precision);
        if (width > text.size())
            text = left ? text.leftJustified(width) : text.rightJustified(width);
        out += text;
    }
    return out;
}

} // namespace

QString Format(const QString &format, std::initializer_list<FormatArg> args, const FormatSettings &settings)
{
    return Formatter(format, args, settings).run();
}
