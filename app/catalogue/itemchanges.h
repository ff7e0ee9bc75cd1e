#pragma once
// What another till changed on an item while its card was open: the values
// (the stock aside, which an edit writes as a change) in which two readings
// of the item differ, and the card's captions for them.
#include "data/dm.h"

#include <QList>
#include <QString>

namespace ItemChanges {

enum class Value {
    Oznaceni,
    Kod,
    Polozka,
    Specifikace,
    Zaruka,
    Dph,
    Sklad,
    Kategorie,
    Dodavatel,
    Nakup,
    Prodej,
    Sleva,
    Jednotka,
    Zasoba,
    Minimum,
    Nasobne
};

// Every value, in the card's order.
QList<Value> all();
// The values in which the two readings differ, in the card's order.
QList<Value> changed(const TDMItem &before, const TDMItem &after);
// The card's caption of the value, without its accelerator and colon.
QString caption(Value value);
// The captions joined for a message: "Prodej, Záruka".
QString captions(const QList<Value> &values);

} // namespace ItemChanges
