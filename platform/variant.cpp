#include "platform/variant.h"

#include "platform/formatcurr.h"
#include "platform/formatdate.h"
#include "platform/formatfloat.h"
#include "platform/parsedate.h"
#include "platform/parsenumber.h"

#include <cmath>
#include <ostream>

namespace {

qint64 roundHalfEvenToInt(double value)
{
    // nearbyint rounds ties to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw VariantError("Integer overflow in variant conversion");
    return qint64(rounded);
}

std::optional<double> parseReal(const QString &text)
{
    double value = 0;
    return TryStrToFloat(text, value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

Variant Variant::null()
{
    Variant v;
    v.m_value = NullTag{};
    return v;
}

Variant Variant::fromDateTime(TDateTime value)
{
    Variant v;
    v.m_value = DateTimeBox{value};
    return v;
}

QString Variant::typeName(Type type)
{
    switch (type) {
    case Type::Unassigned:
        return QStringLiteral("Empty");
    case Type::Null:
        return QStringLiteral("Null");
    case Type::Int:
        return QStringLiteral("Int64");
    case Type::Double:
        return QStringLiteral("Double");
    case Type::Currency:
        return QStringLiteral("Currency");
    case Type::Bool:
        return QStringLiteral("Boolean");
    case Type::String:
        return QStringLiteral("String");
    case Type::DateTime:
        return QStringLiteral("Date");
    }
    return QStringLiteral("Unknown");
}

bool Variant::isNumeric() const
{
    const Type t = type();
    return t == Type::Int || t == Type::Double || t == Type::Currency;
}

void Variant::throwWrongKind() const
{
    throw VariantError(
        QStringLiteral("Invalid variant access: the value is of type (%1)").arg(typeName(type())).toStdString());
}

void Variant::throwCannotConvert(Type target) const
{
    throw VariantError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                           .arg(typeName(type()), typeName(target))
                           .toStdString());
}

qint64 Variant::toInt() const
{
    switch (type()) {
    case Type::Unassigned:
        return 0;
    case Type::Int:
        return intValue();
    case Type::Double:
        return roundHalfEvenToInt(doubleValue());
    case Type::Currency:
        return currencyValue().roundUnits();
    case Type::Bool:
        return boolValue() ? -1 : 0;
    case Type::DateTime:
        return roundHalfEvenToInt(dateTimeValue());
    case Type::String:
        if (qint64 whole = 0; TryStrToInt64(stringValue(), whole))
            return whole;
        if (const auto real = parseReal(stringValue()))
            return roundHalfEvenToInt(*real);
        break;
    case Type::Null:
        break;
    }
    throwCannotConvert(Type::Int);
}

double Variant::toDouble() const
{
    switch (type()) {
    case Type::Unassigned:
        return 0;
    case Type::Int:
        return double(intValue());
    case Type::Double:
        return doubleValue();
    case Type::Currency:
        return currencyValue().toDouble();
    case Type::Bool:
        return boolValue() ? -1 : 0;
    case Type::DateTime:
        return dateTimeValue();
    case Type::String:
        if (const auto real = parseReal(stringValue()))
            return *real;
        break;
    case Type::Null:
        break;
    }
    throwCannotConvert(Type::Double);
}

Currency Variant::toCurrency() const
{
    try {
        switch (type()) {
        case Type::Unassigned:
            return Currency();
        case Type::Int:
            return Currency::fromInt(intValue());
        case Type::Currency:
            return currencyValue();
        case Type::Bool:
            return Currency::fromInt(boolValue() ? -1 : 0);
        case Type::Double:
        case Type::DateTime:
            return Currency::fromDouble(toDouble());
        case Type::String:
            // Exact decimal first ("0,1" is exactly 0.1), then exponent forms.
            if (Currency exact; TryStrToCurr(stringValue(), exact))
                return exact;
            if (const auto real = parseReal(stringValue()))
                return Currency::fromDouble(*real);
            break;
        case Type::Null:
            break;
        }
    } catch (const CurrencyOverflow &) {
        throw VariantError(
            QStringLiteral("Currency overflow converting variant of type (%1)").arg(typeName(type())).toStdString());
    }
    throwCannotConvert(Type::Currency);
}

bool Variant::toBool() const
{
    switch (type()) {
    case Type::Unassigned:
        return false;
    case Type::Bool:
        return boolValue();
    case Type::Int:
        return intValue() != 0;
    case Type::Double:
        return doubleValue() != 0;
    case Type::Currency:
        return !currencyValue().isZero();
    case Type::DateTime:
        return dateTimeValue() != 0;
    case Type::String: {
        const QString s = stringValue().trimmed();
        if (s.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
        if (const auto real = parseReal(s))
            return *real != 0;
        break;
    }
    case Type::Null:
        break;
    }
    throwCannotConvert(Type::Bool);
}

TDateTime Variant::toDateTime() const
{
    switch (type()) {
    case Type::Unassigned:
        return 0;
    case Type::DateTime:
        return dateTimeValue();
    case Type::Int:
    case Type::Double:
    case Type::Currency:
        return toDouble();
    case Type::String:
        if (TDateTime when = 0; TryStrToDateTime(stringValue(), when))
            return when;
        if (const auto real = parseReal(stringValue()))
            return *real;
        break;
    case Type::Bool:
    case Type::Null:
        break;
    }
    throwCannotConvert(Type::DateTime);
}

QString Variant::toString() const
{
    switch (type()) {
    case Type::Unassigned:
    case Type::Null:
        return QString();
    case Type::Int:
        return QString::number(intValue());
    case Type::Double:
        return FloatToStr(doubleValue());
    case Type::Currency:
        return CurrToStr(currencyValue());
    case Type::Bool:
        return boolValue() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
        return stringValue();
    case Type::DateTime:
        return DateTimeToStr(dateTimeValue());
    }
    return QString();
}

QVariant Variant::toQVariant() const
{
    switch (type()) {
    case Type::Unassigned:
        return QVariant();
    case Type::Null:
        return QVariant::fromValue(nullptr);
    case Type::Int:
        return QVariant(intValue());
    case Type::Double:
        return QVariant(doubleValue());
    case Type::Currency:
        return QVariant::fromValue(currencyValue());
    case Type::Bool:
        return QVariant(boolValue());
    case Type::String:
        return QVariant(stringValue());
    case Type::DateTime:
        return QVariant(DateTimeConv::toQDateTime(dateTimeValue()));
    }
    return QVariant();
}

Variant Variant::fromQVariant(const QVariant &value)
{
    if (!value.isValid())
        return Variant();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return null();
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Variant(value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Variant(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return Variant(value.toDouble());
    case QMetaType::QString:
        return Variant(value.toString());
    case QMetaType::QByteArray:
        return Variant(QString::fromUtf8(value.toByteArray()));
    case QMetaType::QDateTime:
        return fromDateTime(DateTimeConv::fromQDateTime(value.toDateTime()));
    case QMetaType::QDate:
        return fromDateTime(DateTimeConv::fromQDate(value.toDate()));
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        return fromDateTime(DateTimeConv::encodeTime(t.hour(), t.minute(), t.second(), t.msec()));
    }
    default:
        break;
    }
    if (value.typeId() == qMetaTypeId<Currency>())
        return Variant(value.value<Currency>());
    if (value.typeId() == qMetaTypeId<Variant>())
        return value.value<Variant>();
    if (value.canConvert<QString>())
        return Variant(value.toString());
    throw VariantError(QStringLiteral("Could not convert value of type (%1) into a variant")
                           .arg(QString::fromLatin1(value.typeName()))
                           .toStdString());
}

std::ostream &operator<<(std::ostream &out, const Variant &value)
{
    out << Variant::typeName(value.type()).toStdString();
    if (value.isString())
        out << " '" << value.stringValue().toStdString() << "'";
    else if (!value.isEmpty())
        out << ' ' << value.toString().toStdString();
    return out;
}
