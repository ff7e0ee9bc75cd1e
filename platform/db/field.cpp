#include "platform/db/field.h"

#include "platform/db/assignvariant.h"
#include "platform/db/dataset.h"
#include "platform/formatdate.h"
#include "platform/formatfloat.h"
#include "platform/formatnumber.h"

namespace Db {

Field::Field(Dataset *dataset, const QString &name)
    : m_dataset(dataset)
    , m_name(name)
{}

void Field::bind(int column, const ColumnInfo &info)
{
    m_column = column;
    m_type = info.type;
    m_size = info.size;
}

Qt::Alignment Field::Alignment() const
{
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Currency:
    case FieldType::Float:
        return Qt::AlignRight | Qt::AlignVCenter;
    case FieldType::Boolean:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool Field::cellAt(int row, const char *&data, int &length) const
{
    if (m_column < 0 || row < 0 || !m_dataset->snapshot())
        return false;
    if (row == m_dataset->currentRow()) {
        if (const CellText *edited = m_dataset->pendingValue(m_column)) {
            if (!*edited)
                return false;
            data = (*edited)->constData();
            length = int((*edited)->size());
            return true;
        }
    }
    return m_dataset->snapshot()->cell(row, m_column, data, length);
}

bool Field::IsNullAt(int row) const
{
    const char *data;
    int length;
    return !cellAt(row, data, length);
}

bool Field::IsNull() const
{
    return IsNullAt(m_dataset->currentRow());
}

CellText Field::TextValue() const
{
    const char *data;
    int length;
    if (!cellAt(m_dataset->currentRow(), data, length))
        return std::nullopt;
    return QByteArray(data, length);
}

qint64 Field::AsInteger() const
{
    const char *data;
    int length;
    return cellAt(m_dataset->currentRow(), data, length) ? Decode::integer(m_type, data, length) : 0;
}

double Field::AsFloat() const
{
    const char *data;
    int length;
    return cellAt(m_dataset->currentRow(), data, length) ? Decode::floating(m_type, data, length) : 0.0;
}

Currency Field::AsCurrency() const
{
    const char *data;
    int length;
    return cellAt(m_dataset->currentRow(), data, length) ? Decode::currency(m_type, data, length) : Currency();
}

bool Field::AsBoolean() const
{
    const char *data;
    int length;
    return cellAt(m_dataset->currentRow(), data, length) && Decode::boolean(m_type, data, length);
}

TDateTime Field::AsDateTime() const
{
    const char *data;
    int length;
    if (!cellAt(m_dataset->currentRow(), data, length))
        return 0.0;
    return TextForm::parseDateTime(data, length).value_or(0.0);
}

QByteArray Field::AsBytes() const
{
    const char *data;
    int length;
    return cellAt(m_dataset->currentRow(), data, length) ? Decode::bytes(data, length) : QByteArray();
}

Variant Field::Value() const
{
    if (IsNull())
        return Variant::null();
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return Variant(AsInteger());
    case FieldType::Currency:
        return Variant(AsCurrency());
    case FieldType::Float:
        return Variant(AsFloat());
    case FieldType::Boolean:
        return Variant(AsBoolean());
    case FieldType::DateTime:
        return Variant::fromDateTime(AsDateTime());
    default:
        return Variant(AsString());
    }
}

QString Field::AsString() const
{
    return textOf(m_dataset->currentRow(), false);
}

QString Field::DisplayText() const
{
    return textOf(m_dataset->currentRow(), true);
}

QString Field::StringAt(int row) const
{
    return textOf(row, false);
}

QString Field::DisplayTextAt(int row) const
{
    return textOf(row, true);
}

QString Field::textOf(int row, bool display) const
{
    const char *data;
    int length;
    if (!cellAt(row, data, length))
        return QString();
    const bool pictured = display && !DisplayFormat.isEmpty();
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        if (pictured)
            return FormatFloat(DisplayFormat, double(Decode::integer(m_type, data, length)));
        return QString::fromLatin1(data, length);
    case FieldType::Currency: {
        const DecimalDigits digits =
            DecimalDigits::fromScaled(Decode::currency(m_type, data, length).raw(), Currency::Decimals);
        if (pictured)
            return FormatDecimal(DisplayFormat, digits, 19);
        return DecimalToText(digits, ffGeneral, 19, 0);
    }
    case FieldType::Float: {
        const double value = Decode::floating(m_type, data, length);
        return pictured ? FormatFloat(DisplayFormat, value) : FloatToStr(value);
    }
    case FieldType::Boolean: {
        const bool value = Decode::boolean(m_type, data, length);
        if (display && !DisplayValues.isEmpty()) {
            // "false text;true text"
            const int split = int(DisplayValues.indexOf(u';'));
            if (split < 0)
                return value ? QString() : DisplayValues;
            return value ? DisplayValues.mid(split + 1) : DisplayValues.left(split);
        }
        return value ? QStringLiteral("True") : QStringLiteral("False");
    }
    case FieldType::DateTime: {
        const TDateTime value = TextForm::parseDateTime(data, length).value_or(0.0);
        return pictured ? FormatDateTime(DisplayFormat, value) : DateTimeToStr(value);
    }
    case FieldType::Bytes:
        return QString::fromLatin1(Decode::bytes(data, length).toHex());
    default:
        // A time kept as ISO text (so that it sorts and prints as such)
        // shows in the picture given for it.
        if (pictured)
            if (const auto time = TextForm::parseDateTime(data, length))
                return FormatDateTime(DisplayFormat, *time);
        return QString::fromUtf8(data, length);
    }
}

void Field::write(const CellText &text)
{
    m_dataset->setPendingValue(this, text);
}

void Field::SetAsString(const QString &value)
{
    if (m_type == FieldType::Currency || m_type == FieldType::Float) {
        // Typed with a decimal comma and spaces between thousands.
        if (const auto amount = Currency::parse(value); amount && m_type == FieldType::Currency) {
            write(TextForm::ofCurrency(*amount));
            return;
        }
        QString text = value.trimmed();
        text.replace(u',', u'.');
        text.remove(u' ');
        text.remove(QChar(0x00A0));
        write(text.toLatin1());
        return;
    }
    if (m_type == FieldType::Boolean) {
        const QString t = value.trimmed().toLower();
        write(TextForm::ofBoolean(t == u"true" || t == u"1" || t == u"a" || t == u"ano" || t == u"t"));
        return;
    }
    write(value.toUtf8());
}

void Field::SetAsInteger(qint64 value)
{
    write(m_type == FieldType::Boolean ? TextForm::ofBoolean(value != 0) : QByteArray::number(value));
}

void Field::SetAsFloat(double value)
{
    write(m_type == FieldType::Currency ? TextForm::ofCurrency(Currency::fromDouble(value))
                                        : TextForm::ofDouble(value));
}

void Field::SetAsCurrency(Currency value)
{
    write(TextForm::ofCurrency(value));
}

void Field::SetAsBoolean(bool value)
{
    if (m_type == FieldType::Integer || m_type == FieldType::LargeInt)
        write(value ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
    else
        write(TextForm::ofBoolean(value));
}

void Field::SetAsDateTime(TDateTime value)
{
    write(TextForm::ofDateTime(value));
}

void Field::Clear()
{
    write(std::nullopt);
}

void Field::SetValue(const Variant &value)
{
    AssignVariant(*this, value);
}

} // namespace Db
