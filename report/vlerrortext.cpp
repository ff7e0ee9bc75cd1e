#include "report/vlerrortext.h"

#include "platform/formaterror.h"
#include "platform/variant.h"
#include "report/vlparser.h"

#include <QHash>
#include <QRegularExpression>
#include <new>

namespace {

QString kindName(const QString &type)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("String"), QStringLiteral("text")},
        {QStringLiteral("Double"), QStringLiteral("číslo")},
        {QStringLiteral("Int64"), QStringLiteral("celé číslo")},
        {QStringLiteral("Currency"), QStringLiteral("částka")},
        {QStringLiteral("Boolean"), QStringLiteral("logická hodnota")},
        {QStringLiteral("Bool"), QStringLiteral("logická hodnota")},
        {QStringLiteral("Date"), QStringLiteral("datum")},
        {QStringLiteral("Null"), QStringLiteral("prázdná hodnota")},
        {QStringLiteral("Empty"), QStringLiteral("nepřiřazená hodnota")},
    };
    return names.value(type, QStringLiteral("hodnota"));
}

QString variantErrorText(const QString &english)
{
    static const QRegularExpression convert(QStringLiteral("type \\((\\w+)\\) into type \\((\\w+)\\)"));
    if (const QRegularExpressionMatch m = convert.match(english); m.hasMatch())
        return QStringLiteral("Hodnotu typu %1 nelze převést na %2.")
            .arg(kindName(m.captured(1)), kindName(m.captured(2)));
    if (english.contains(QLatin1String("Division by zero")))
        return QStringLiteral("Dělení nulou.");
    if (english.contains(QLatin1String("overflow")))
        return QStringLiteral("Výsledek výpočtu je mimo rozsah čísel.");
    return QStringLiteral("Hodnotu nelze převést na potřebný typ.");
}

QString convertErrorText(const QString &english)
{
    static const QRegularExpression invalid(QStringLiteral("^'(.*)' is not a valid (.+)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QHash<QString, QString> kinds = {
        {QStringLiteral("floating point value"), QStringLiteral("platné číslo")},
        {QStringLiteral("integer value"), QStringLiteral("platné celé číslo")},
        {QStringLiteral("date"), QStringLiteral("platné datum")},
        {QStringLiteral("time"), QStringLiteral("platný čas")},
        {QStringLiteral("date and time"), QStringLiteral("platné datum a čas")},
    };
    if (const QRegularExpressionMatch m = invalid.match(english); m.hasMatch())
        return QStringLiteral("Text „%1“ není %2.")
            .arg(vlQuotedExpression(m.captured(1)), kinds.value(m.captured(2), QStringLiteral("platná hodnota")));
    return QStringLiteral("Formát „%1“ nelze použít.").arg(vlQuotedExpression(english.section(u'\'', 1, 1)));
}

} // namespace

QString vlErrorText(const std::exception &error)
{
    if (dynamic_cast<const VariantError *>(&error))
        return variantErrorText(QString::fromUtf8(error.what()));
    if (const auto *convert = dynamic_cast<const ConvertError *>(&error))
        return convertErrorText(convert->message());
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QStringLiteral("Pro výpočet není dost paměti.");
    return QString::fromUtf8(error.what());
}
