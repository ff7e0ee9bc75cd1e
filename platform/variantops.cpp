// Comparison and arithmetic of Variant values.
#include "platform/variant.h"

#include <cmath>
#include <limits>

namespace {

using Type = Variant::Type;

// The kind a value takes part in arithmetic as.
enum class Kind { Int, Currency, Double, DateTime };

Kind kindOf(const Variant &v)
{
    switch (v.type()) {
    case Type::Currency:
        return Kind::Currency;
    case Type::Double:
    case Type::String:
        return Kind::Double;
    case Type::DateTime:
        return Kind::DateTime;
    default:
        return Kind::Int; // Int, Bool, Unassigned
    }
}

int sign(auto difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

template <typename T>
int compareValues(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Exact comparison of integers and money on the ten-thousandths scale.
__int128 scaledRaw(const Variant &v)
{
    return v.type() == Type::Currency ? __int128(v.currencyValue().raw()) : __int128(v.toInt()) * Currency::Scale;
}

[[noreturn]] void divisionByZero()
{
    throw VariantError("Division by zero");
}

enum class Op { Add, Sub, Mul, Div };

Variant currencyArithmetic(const Variant &a, const Variant &b, Op op)
{
    try {
        const Currency x = a.toCurrency();
        switch (op) {
        case Op::Add:
            return x + b.toCurrency();
        case Op::Sub:
            return x - b.toCurrency();
        case Op::Mul:
            return b.type() == Type::Currency ? x * b.currencyValue() : x * b.toInt();
        case Op::Div:
            if (b.type() == Type::Currency ? b.currencyValue().isZero() : b.toInt() == 0)
                divisionByZero();
            return b.type() == Type::Currency ? x / b.currencyValue() : x / b.toInt();
        }
    } catch (const CurrencyOverflow &) {
        throw VariantError("Currency overflow in variant arithmetic");
    }
    return Variant();
}

Variant integerArithmetic(qint64 x, qint64 y, Op op)
{
    qint64 result = 0;
    bool overflow = false;
    switch (op) {
    case Op::Add:
        overflow = __builtin_add_overflow(x, y, &result);
        break;
    case Op::Sub:
        overflow = __builtin_sub_overflow(x, y, &result);
        break;
    case Op::Mul:
        overflow = __builtin_mul_overflow(x, y, &result);
        break;
    case Op::Div:
        if (y == 0)
            divisionByZero();
        return double(x) / double(y);
    }
    if (!overflow)
        return result;
    // Past the integer range the result goes on as a real.
    const double dx = double(x), dy = double(y);
    return op == Op::Add ? dx + dy : (op == Op::Sub ? dx - dy : dx * dy);
}

double realArithmetic(double x, double y, Op op)
{
    switch (op) {
    case Op::Add:
        return x + y;
    case Op::Sub:
        return x - y;
    case Op::Mul:
        return x * y;
    case Op::Div:
        if (y == 0)
            divisionByZero();
        return x / y;
    }
    return 0;
}

Variant arithmetic(const Variant &a, const Variant &b, Op op)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    if (a.isUnassigned() && b.isUnassigned())
        return Variant();
    if (op == Op::Add && (a.isString() || b.isString()) && (a.isString() || a.isUnassigned()) &&
        (b.isString() || b.isUnassigned()))
        return a.toString() + b.toString();

    const Kind ka = kindOf(a), kb = kindOf(b);
    if (ka == Kind::DateTime || kb == Kind::DateTime) {
        const double result = realArithmetic(a.toDouble(), b.toDouble(), op);
        // A date moved by a number stays a date; the distance of two dates is a number.
        const bool staysDate = op == Op::Add || (op == Op::Sub && (ka != Kind::DateTime || kb != Kind::DateTime));
        return staysDate ? Variant::fromDateTime(result) : Variant(result);
    }
    if (ka == Kind::Double || kb == Kind::Double)
        return realArithmetic(a.toDouble(), b.toDouble(), op);
    if (ka == Kind::Currency || kb == Kind::Currency)
        return currencyArithmetic(a, b, op);
    return integerArithmetic(a.toInt(), b.toInt(), op);
}

} // namespace

Variant operator+(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Op::Add);
}
Variant operator-(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Op::Sub);
}
Variant operator*(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Op::Mul);
}
Variant operator/(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Op::Div);
}

Variant Variant::operator-() const
{
    switch (type()) {
    case Type::Unassigned:
    case Type::Null:
        return *this;
    case Type::Int:
        if (intValue() == std::numeric_limits<qint64>::min())
            return -double(intValue());
        return -intValue();
    case Type::Currency:
        try {
            return -currencyValue();
        } catch (const CurrencyOverflow &) {
            throw VariantError("Currency overflow in variant arithmetic");
        }
    case Type::DateTime:
        return fromDateTime(-dateTimeValue());
    case Type::Bool:
        return -toInt();
    case Type::Double:
    case Type::String:
        return -toDouble();
    }
    return Variant();
}

Variant Variant::intDiv(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return null();
    const qint64 x = a.toInt(), y = b.toInt();
    if (y == 0)
        divisionByZero();
    if (x == std::numeric_limits<qint64>::min() && y == -1)
        throw VariantError("Integer overflow in variant arithmetic");
    return x / y;
}

Variant Variant::mod(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return null();
    const qint64 x = a.toInt(), y = b.toInt();
    if (y == 0)
        divisionByZero();
    if (y == -1)
        return qint64(0);
    return x % y; // the sign follows the dividend
}

int Variant::compare(const Variant &a, const Variant &b)
{
    // Absent values sort first: Null, then Unassigned.
    if (a.isEmpty() || b.isEmpty()) {
        auto rank = [](const Variant &v) { return v.isNull() ? 0 : (v.isUnassigned() ? 1 : 2); };
        return sign(rank(a) - rank(b));
    }
    if (a.isString() && b.isString())
        return sign(QString::compare(a.stringValue(), b.stringValue(), Qt::CaseSensitive));
    if (a.type() == Type::Bool || b.type() == Type::Bool) {
        // Booleans compare as booleans (false < true) with anything that converts.
        if (a.type() == Type::Bool && b.type() == Type::Bool)
            return compareValues(a.boolValue(), b.boolValue());
        if (a.isString() || b.isString())
            return compareValues(a.toBool(), b.toBool());
    }
    const Kind ka = kindOf(a), kb = kindOf(b);
    const bool exact = (ka == Kind::Int || ka == Kind::Currency) && (kb == Kind::Int || kb == Kind::Currency) &&
                       !a.isString() && !b.isString();
    if (exact)
        return compareValues(scaledRaw(a), scaledRaw(b));
    return compareValues(a.toDouble(), b.toDouble());
}
