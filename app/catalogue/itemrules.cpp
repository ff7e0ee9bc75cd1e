#include "app/catalogue/itemrules.h"

#include "platform/currency.h"
#include "platform/formatfloat.h"
#include "platform/parsenumber.h"

namespace ItemRules {

namespace {

QString lengthReason(const QString &text, bool required, int length, const QString &lengthText,
                     const QString &emptyText)
{
    if (!required)
        return {};
    const QString trimmed = text.trimmed();
    if (length != 0)
        return trimmed.length() != length ? lengthText.arg(length) : QString();
    return trimmed.isEmpty() ? emptyText : QString();
}

QString amountReason(double value, bool required, const QString &negative, const QString &zero)
{
    if (value < 0)
        return negative;
    if (value == 0 && required)
        return zero;
    return {};
}

} // namespace

std::optional<double> vatRate(const QString &text)
{
    double value = 0;
    if (text.trimmed().isEmpty() || !TryStrToFloat(text, value))
        return std::nullopt;
    return value;
}

std::optional<double> purchaseWithVat(double withoutVat, const QString &vatText)
{
    if (withoutVat == 0)
        return std::nullopt;
    const std::optional<double> rate = vatRate(vatText);
    if (!rate)
        return std::nullopt;
    return withoutVat * (*rate + 100) / 100;
}

double markedUpPrice(int markup, double purchase)
{
    return (markup + 100) * purchase / 100;
}

QString markupCaption(int markup)
{
    return QStringLiteral("Rabat %1%").arg(markup);
}

double toppedUp(double stored, double topUp)
{
    return stored + topUp;
}

QString vatText(double rate)
{
    return FloatToStrF(rate, ffGeneral, 4, 2);
}

int vatIndex(const QStringList &entries, double rate)
{
    const Currency wanted = Currency::fromDouble(rate);
    for (int i = 0; i < entries.size(); ++i) {
        const std::optional<double> entry = vatRate(entries.at(i));
        if (entry && Currency::fromDouble(*entry) == wanted)
            return i;
    }
    return -1;
}

QString markReason(const QString &text, const ItemCardSettings &settings)
{
    return lengthReason(text, settings.markRequired, settings.markLength,
                        QStringLiteral("Označení položky musí být dlouhé %1 znaků..."),
                        QStringLiteral("Nezadané označení..."));
}

QString codeReason(const QString &text, const ItemCardSettings &settings)
{
    return lengthReason(text, settings.codeRequired, settings.codeLength,
                        QStringLiteral("Kód položky musí být dlouhý %1 znaků..."), QStringLiteral("Nezadaný kód..."));
}

QString nameReason(const QString &text, const ItemCardSettings &settings)
{
    return settings.nameRequired && text.trimmed().isEmpty() ? QStringLiteral("Nezadaná položka...") : QString();
}

QString specifikaceReason(const QString &text, const ItemCardSettings &settings, const QString &formHint)
{
    return settings.specifikaceRequired && text.trimmed().isEmpty() ? formHint : QString();
}

QString blankReason(const QString &text, const QString &reason)
{
    return text.trimmed().isEmpty() ? reason : QString();
}

QString warrantyReason(const QString &text, std::optional<int> kept)
{
    const QString reason = QStringLiteral("Záruka musí být v rozsahu 0 až 100...");
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return reason;
    bool number = false;
    const int months = trimmed.toInt(&number);
    if (number && months > 100 && months != kept)
        return reason;
    return QString();
}

QString purchaseReason(double value, const ItemCardSettings &settings)
{
    return amountReason(value, settings.purchaseRequired, QStringLiteral("Záporná nákupní cena..."),
                        QStringLiteral("Nulová nákupní cena..."));
}

QString saleReason(double value, const ItemCardSettings &settings)
{
    return amountReason(value, settings.saleRequired, QStringLiteral("Záporná prodejní cena..."),
                        QStringLiteral("Nulová prodejní cena..."));
}

QString quantityReason(double value, const ItemCardSettings &settings)
{
    return amountReason(value, settings.quantityRequired, QStringLiteral("Záporné množství..."),
                        QStringLiteral("Nulové množství..."));
}

QString stockReason(double value, const ItemCardSettings &settings)
{
    return amountReason(value, settings.stockRequired, QStringLiteral("Záporná zásoba..."),
                        QStringLiteral("Nulové zásoba..."));
}

QString minimumReason(double value, const ItemCardSettings &settings)
{
    return amountReason(value, settings.minimumRequired, QStringLiteral("Záporné minimum..."),
                        QStringLiteral("Nulové minimum..."));
}

QString existsReason(UniqueField field, bool editing)
{
    switch (field) {
    case UniqueField::Mark:
        return QStringLiteral("Označení položky již existuje...");
    case UniqueField::Code:
        return editing ? QStringLiteral("Existující kód...") : QStringLiteral("Kód již existuje...");
    case UniqueField::Name:
        break;
    }
    return QStringLiteral("Existující položka...");
}

bool isNewListValue(const QStringList &list, const QString &typed)
{
    const QString text = typed.trimmed();
    return !text.isEmpty() && !list.contains(text);
}

} // namespace ItemRules
