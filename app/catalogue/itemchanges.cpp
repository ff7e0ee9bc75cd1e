#include "app/catalogue/itemchanges.h"

#include <QStringList>

namespace ItemChanges {

namespace {

struct Entry
{
    Value value;
    const char *caption;
    bool (*differs)(const TDMItem &, const TDMItem &);
};

template <auto Member>
bool differs(const TDMItem &a, const TDMItem &b)
{
    return a.*Member != b.*Member;
}

// clang-format off
const Entry entries[] = {
    {Value::Oznaceni, "Označení", differs<&TDMItem::OZNACENI>},
    {Value::Kod, "Kód", differs<&TDMItem::KOD>},
    {Value::Polozka, "Položka", differs<&TDMItem::POLOZKA>},
    {Value::Specifikace, "Specifikace", differs<&TDMItem::SPECIFIKACE>},
    {Value::Zaruka, "Záruka", differs<&TDMItem::ZARUKA>},
    {Value::Dph, "DPH", differs<&TDMItem::DPH>},
    {Value::Sklad, "Sklad", differs<&TDMItem::SKLAD>},
    {Value::Kategorie, "Kategorie", differs<&TDMItem::KATEGORIE>},
    {Value::Dodavatel, "Dodavatel", differs<&TDMItem::DODAVATEL>},
    {Value::Nakup, "Nákup s DPH", differs<&TDMItem::NAKUP>},
    {Value::Prodej, "Prodej", differs<&TDMItem::PRODEJ>},
    {Value::Sleva, "Sleva", differs<&TDMItem::SLEVA>},
    {Value::Jednotka, "Jednotka", differs<&TDMItem::JEDNOTKA>},
    {Value::Zasoba, "Minimální zásoba", differs<&TDMItem::ZASOBA>},
    {Value::Minimum, "Minimum k prodeji", differs<&TDMItem::MINIMUM>},
    {Value::Nasobne, "Násobně", differs<&TDMItem::NASOBNE>},
};
// clang-format on

} // namespace

QList<Value> all()
{
    QList<Value> values;
    for (const Entry &e : entries)
        values << e.value;
    return values;
}

QList<Value> changed(const TDMItem &before, const TDMItem &after)
{
    QList<Value> values;
    for (const Entry &e : entries)
        if (e.differs(before, after))
            values << e.value;
    return values;
}

QString caption(Value value)
{
    for (const Entry &e : entries)
        if (e.value == value)
            return QString::fromUtf8(e.caption);
    return QString();
}

QString captions(const QList<Value> &values)
{
    QStringList texts;
    for (Value value : values)
        texts << caption(value);
    return texts.join(QStringLiteral(", "));
}

} // namespace ItemChanges
