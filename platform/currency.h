#pragma once
// Money as a 64-bit count of ten-thousandths, the same scale as the database's
// numeric(19,4) money columns, so amounts never pass through binary fractions.
// Every rounding is half to even (what the FPU does in its default mode, and
// what the original framework therefore did). Results that do not fit raise
// CurrencyOverflow instead of wrapping.
#include <QMetaType>
#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <stdexcept>

class CurrencyOverflow : public std::overflow_error
{
public:
    using std::overflow_error::overflow_error;
};

class CurrencyDivisionByZero : public std::domain_error
{
public:
    using std::domain_error::domain_error;
};

class Currency
{
public:
    static constexpr int64_t Scale = 10000;
    static constexpr int Decimals = 4;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(int64_t tenThousandths) { return Currency(tenThousandths); }
    static Currency fromInt(int64_t units);
    // Rounds value * 10000 to the nearest integer, ties to even. The product
    // is formed in extended precision where the machine has it (x86), as the
    // FPU did: 0.00005 is slightly above a half and becomes 0.0001.
    static Currency fromDouble(double value);
    // Accepts "1234.5", "-0,25", "1 234,50" (spaces, no-break spaces as
    // thousands separators between digits), an optional sign and surrounding
    // blanks. More than four decimals round half to even. Returns nothing for
    // anything else, including values out of range.
    static std::optional<Currency> parse(QStringView text);
    // Like parse, but throws std::invalid_argument (or CurrencyOverflow).
    static Currency fromString(QStringView text);

    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(Scale); }
    // Whole units towards zero, and to the nearest (ties to even).
    int64_t truncUnits() const { return m_raw / Scale; }
    int64_t roundUnits() const;
    // Shortest plain text with '.' as the decimal point: "1234.5", "-0.0001", "0".
    QString toString() const;

    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }
    Currency abs() const;

    Currency operator-() const;
    Currency &operator+=(Currency other);
    Currency &operator-=(Currency other);
    Currency &operator*=(int64_t factor);
    Currency &operator*=(Currency other);
    Currency &operator/=(int64_t divisor);
    Currency &operator/=(Currency divisor);

    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, int64_t b) { return a *= b; }
    friend Currency operator*(int64_t a, Currency b) { return b *= a; }
    friend Currency operator*(Currency a, Currency b) { return a *= b; }
    friend Currency operator/(Currency a, int64_t b) { return a /= b; }
    friend Currency operator/(Currency a, Currency b) { return a /= b; }

    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
    constexpr explicit Currency(int64_t raw)
        : m_raw(raw)
    {}
    int64_t m_raw = 0;
};

// For diagnostics and test output: the plain text.
std::ostream &operator<<(std::ostream &out, Currency value);

Q_DECLARE_METATYPE(Currency)
