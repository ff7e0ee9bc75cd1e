#pragma once
// A value of one of a few kinds, with the conversions of the original
// framework: Unassigned (nothing was ever given) and Null (a database NULL) are
// distinct; text converts to numbers with '.' or ',' as the decimal point;
// numbers become text in general format with the Czech decimal comma
// ("12,5"); True is -1 as a number; Null propagates through arithmetic. A
// conversion that cannot be made throws VariantError.
#include "platform/currency.h"
#include "platform/datetime.h"

#include <QString>
#include <QVariant>

#include <concepts>
#include <iosfwd>
#include <limits>
#include <stdexcept>
#include <variant>

class VariantError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Variant
{
public:
    // In this order inside the storage as well.
    enum class Type { Unassigned, Null, Int, Double, Currency, Bool, String, DateTime };

    Variant() = default; // Unassigned
    // Any integer type except bool; unsigned values beyond the 64-bit signed
    // range become reals.
    template <std::integral T>
    requires(!std::same_as<T, bool>) Variant(T value)
    {
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(qint64)) {
            if (value > T(std::numeric_limits<qint64>::max())) {
                m_value = double(value);
                return;
            }
        }
        m_value = qint64(value);
    }
    Variant(double value)
        : m_value(value)
    {}
    Variant(Currency value)
        : m_value(value)
    {}
    Variant(bool value)
        : m_value(value)
    {}
    Variant(const QString &value)
        : m_value(value)
    {}
    Variant(const char *utf8)
        : m_value(QString::fromUtf8(utf8))
    {}
    Variant(const char16_t *text)
        : m_value(QString::fromUtf16(text))
    {}
    static Variant null();
    static Variant fromDateTime(TDateTime value);

    Type type() const { return Type(m_value.index()); }
    static QString typeName(Type type); // "Null", "Double", ... as in error texts
    bool isUnassigned() const { return type() == Type::Unassigned; }
    bool isNull() const { return type() == Type::Null; }
    // Unassigned or Null: the value is absent either way.
    bool isEmpty() const { return isUnassigned() || isNull(); }
    bool isNumeric() const; // Int, Double or Currency
    bool isString() const { return type() == Type::String; }

    // Unassigned converts to 0, false, "" and day 0; Null to nothing but "".
    qint64 toInt() const; // reals round half to even
    double toDouble() const;
    Currency toCurrency() const;
    bool toBool() const; // "True"/"False" in any case, or a number (non-zero is true)
    TDateTime toDateTime() const;
    // The value as text; empty for Unassigned and Null.
    QString toString() const;

    // Framework comparison: numbers as numbers (numeric text joins them),
    // text with text by character codes, Unassigned and Null before any value
    // (Null first). Returns <0, 0, >0. Throws when the kinds cannot meet.
    static int compare(const Variant &a, const Variant &b);

    // Same kind and same value (not the framework's loose equality).
    friend bool operator==(const Variant &a, const Variant &b) = default;

    // Arithmetic: Null with anything gives Null; Unassigned counts as 0 (or as
    // "" next to text); two texts concatenate with +; integers stay integers
    // until they would overflow; / always divides as reals (except money by
    // money or by an integer, which stays money). Division by zero throws.
    friend Variant operator+(const Variant &a, const Variant &b);
    friend Variant operator-(const Variant &a, const Variant &b);
    friend Variant operator*(const Variant &a, const Variant &b);
    friend Variant operator/(const Variant &a, const Variant &b);
    Variant operator-() const;
    static Variant intDiv(const Variant &a, const Variant &b);
    static Variant mod(const Variant &a, const Variant &b);

    // Unassigned <-> invalid QVariant, Null <-> nullptr, DateTime <-> QDateTime,
    // Currency as itself; other Qt types by their nearest kind.
    QVariant toQVariant() const;
    static Variant fromQVariant(const QVariant &value);

    // Direct access for code that has checked type(); wrong kinds throw.
    qint64 intValue() const { return get<qint64>(); }
    double doubleValue() const { return get<double>(); }
    Currency currencyValue() const { return get<Currency>(); }
    bool boolValue() const { return get<bool>(); }
    const QString &stringValue() const { return get<QString>(); }
    TDateTime dateTimeValue() const { return get<DateTimeBox>().days; }

private:
    struct NullTag
    {
        bool operator==(const NullTag &) const = default;
    };
    struct DateTimeBox
    {
        TDateTime days = 0;
        bool operator==(const DateTimeBox &) const = default;
    };
    using Storage = std::variant<std::monostate, NullTag, qint64, double, Currency, bool, QString, DateTimeBox>;

    template <typename T>
    const T &get() const
    {
        if (const T *value = std::get_if<T>(&m_value))
            return *value;
        throwWrongKind();
    }
    [[noreturn]] void throwWrongKind() const;
    [[noreturn]] void throwCannotConvert(Type target) const;

    Storage m_value;
};

// For diagnostics and test output: "Int64 42", "String 'abc'", "Null".
std::ostream &operator<<(std::ostream &out, const Variant &value);

Q_DECLARE_METATYPE(Variant)
