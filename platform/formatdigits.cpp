#include "platform/formatdigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int kReliableDigits = 15;
}

DecimalDigits DecimalDigits::fromDouble(double value)
{
    DecimalDigits d;
    if (std::isnan(value)) {
        d.kind = Kind::NaN;
        return d;
    }
    d.negative = std::signbit(value);
    if (std::isinf(value)) {
        d.kind = Kind::Infinity;
        return d;
    }
    if (value == 0) {
        d.negative = false;
        return d;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    // "d.ddde+XX"
    const char *p = buffer;
    while (p != result.ptr && *p != 'e') {
        if (*p != '.')
            d.digits.push_back(*p);
        ++p;
    }
    const int power = std::atoi(std::string(p + 1, static_cast<const char *>(result.ptr)).c_str());
    d.exponent = power + 1;
    d.normalise();
    return d;
}

DecimalDigits DecimalDigits::fromDoubleCleaned(double value)
{
    DecimalDigits d = fromDouble(value);
    const int count = int(d.digits.size());
    if (count > kReliableDigits && d.exponent < count)
        d.roundAt(std::max(kReliableDigits, d.exponent));
    return d;
}

DecimalDigits DecimalDigits::fromScaled(qint64 value, int scale)
{
    DecimalDigits d;
    d.negative = value < 0;
    // Through unsigned, so the most negative value has a magnitude too.
    quint64 magnitude = d.negative ? 0 - quint64(value) : quint64(value);
    std::string text = std::to_string(magnitude);
    if (magnitude == 0) {
        d.negative = false;
        return d;
    }
    d.exponent = int(text.size()) - scale;
    d.digits = text;
    d.normalise();
    return d;
}

void DecimalDigits::normalise()
{
    size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    digits.erase(0, lead);
    exponent -= int(lead);
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty()) {
        exponent = 0;
        negative = false;
    }
}

void DecimalDigits::roundAt(int count)
{
    if (kind != Kind::Finite || count >= int(digits.size()))
        return;
    if (count < 0) {
        digits.clear();
        normalise();
        return;
    }
    const bool up = digits[size_t(count)] >= '5';
    digits.resize(size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && digits[size_t(i)] == '9') {
            digits[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++exponent;
        } else {
            ++digits[size_t(i)];
        }
    }
    normalise();
}

std::string DecimalDigits::integerText() const
{
    if (exponent <= 0)
        return {};
    std::string text = digits.substr(0, size_t(exponent));
    text.append(size_t(exponent) - text.size(), '0');
    return text;
}

std::string DecimalDigits::fractionText() const
{
    if (exponent >= int(digits.size()))
        return {};
    if (exponent >= 0)
        return digits.substr(size_t(exponent));
    return std::string(size_t(-exponent), '0') + digits;
}
