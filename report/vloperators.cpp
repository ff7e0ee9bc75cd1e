#include "report/vloperators.h"

#include "platform/formaterror.h"
#include "platform/parsedate.h"
#include "report/vlparser.h"

#include <cmath>

namespace {

Variant boolean(bool value)
{
    return Variant(qint64(value ? 1 : 0));
}

Variant pop(TvlStack &stack)
{
    if (stack.isEmpty())
        throw TvlParserError("Výraz: operátoru chybí operand.");
    Variant top = std::move(stack.last());
    stack.removeLast();
    return top;
}

// An empty text is no value: where a number is wanted it counts as Null, so
// it propagates as Null does and prints blank, as a field without a value.
bool isBlankText(const Variant &value)
{
    return value.type() == Variant::Type::String && value.stringValue().trimmed().isEmpty();
}

Variant numeric(const Variant &value)
{
    return isBlankText(value) ? Variant::null() : value;
}

} // namespace

bool vlIsNoNumber(const Variant &value)
{
    return value.isNull() || value.isUnassigned() || isBlankText(value);
}

namespace {

qsizetype textLength(const Variant &value)
{
    return value.type() == Variant::Type::String ? value.toString().size() : 0;
}

// Joining texts stops at a size no report needs, before the memory runs out
// (a script that keeps doubling a text would take all of it).
void checkJoinedLength(const Variant &a, const Variant &b)
{
    if (textLength(a) + textLength(b) > vlMaxTextLength)
        throw TvlParserError("Výraz: text by byl delší než 32 milionů znaků.");
}

Variant binary(QChar op, const Variant &a, const Variant &b)
{
    switch (op.unicode()) {
    case 1:
        return boolean(Variant::compare(a, b) >= 0);
    case 2:
        return boolean(Variant::compare(a, b) <= 0);
    case 3:
        return boolean(Variant::compare(a, b) != 0);
    case '>':
        return boolean(Variant::compare(a, b) > 0);
    case '<':
        return boolean(Variant::compare(a, b) < 0);
    case '=':
        return boolean(Variant::compare(a, b) == 0);
    case 4:
    case '+':
        checkJoinedLength(a, b);
        return a + b;
    case 5:
    case '*':
        return a * b;
    case '-':
        return a - b;
    case '/':
        if (a.isNull() || b.isNull())
            return Variant::null();
        return vlIsZero(b) ? Variant(qint64(0)) : a / b;
    case 13:
        if (a.isNull() || b.isNull())
            return Variant::null();
        return vlIsZero(b) ? Variant(qint64(0)) : Variant::mod(a, b);
    default:
        return a;
    }
}

// Two texts concatenate and compare as texts; any other pairing, and every
// other operator, wants numbers.
bool wantsNumbers(QChar op, const Variant &a, const Variant &b)
{
    const ushort u = op.unicode();
    const bool textual = u == '+' || u == 4 || u == 1 || u == 2 || u == 3 || u == '<' || u == '>' || u == '=';
    return !textual || a.type() != Variant::Type::String || b.type() != Variant::Type::String;
}

Variant binaryOf(QChar op, const Variant &a, const Variant &b)
{
    if ((isBlankText(a) || isBlankText(b)) && wantsNumbers(op, a, b))
        return binary(op, numeric(a), numeric(b));
    return binary(op, a, b);
}

Variant unary(QChar op, const Variant &given)
{
    const Variant b = op.unicode() == 11 || op.unicode() == 12 ? given : numeric(given);
    switch (op.unicode()) {
    case 9:
        return -b;
    case 12:
        return boolean(vlIsZero(b));
    case 6:
        return b.isNull() ? b : Variant(std::trunc(b.toDouble()));
    case 7: {
        if (b.isNull())
            return b;
        const double d = b.toDouble();
        return Variant(d - std::trunc(d));
    }
    case 14:
        // Halves go to the even neighbour, as the default rounding mode does.
        return b.isNull() ? b : Variant(qint64(qint32(std::nearbyint(b.toDouble()))));
    case 11:
        return Variant(b.toString());
    default:
        return b;
    }
}

bool isUnary(QChar op)
{
    const ushort u = op.unicode();
    return u == 6 || u == 7 || u == 9 || u == 10 || u == 11 || u == 12 || u == 14;
}

} // namespace

void vlApplyOperator(QChar op, TvlStack &stack)
{
    if (isUnary(op)) {
        const Variant b = pop(stack);
        stack.append(unary(op, b));
        return;
    }
    const Variant b = pop(stack);
    const Variant a = pop(stack);
    stack.append(binaryOf(op, a, b));
}

bool vlIsZero(const Variant &value)
{
    if (value.isEmpty())
        return true;
    if (value.type() == Variant::Type::Bool)
        return !value.toBool();
    if (value.type() == Variant::Type::String) {
        bool ok = false;
        const double d = value.toString().replace(u',', u'.').toDouble(&ok);
        return ok && d == 0.0;
    }
    return value.toDouble() == 0.0;
}

double vlNumberLiteral(const QString &text)
{
    QString plain = text;
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

double vlVariantToNumber(const Variant &value)
{
    if (value.type() == Variant::Type::Bool)
        return value.toBool() ? 1 : 0;
    const QString text = value.toString().trimmed();
    return text.isEmpty() ? 0 : vlNumberLiteral(text);
}

Variant vlDateLiteral(const QString &text)
{
    return Variant::fromDateTime(StrToDate(text));
}

Variant vlTimeLiteral(const QString &text)
{
    return Variant::fromDateTime(StrToTime(text));
}
