#pragma once
// What the printing tests share: print data given by the test.
#include "app/print/printdata.h"

#include <QMap>
#include <QSet>

class FixedPrintData : public TPrintData
{
public:
    QString DocumentField(const QString &column) const override { return document.value(column.toUpper()); }
    QString VatRateText(int id) const override { return rates.value(id); }
    QString StoreName() const override { return store; }
    bool HasRight(int right) const override { return rights.contains(right); }

    QMap<QString, QString> document;
    QMap<int, QString> rates{{1, QStringLiteral("0")}, {2, QStringLiteral("21")}, {3, QStringLiteral("12")}};
    QString store = QStringLiteral("Prodejna Žižkov");
    QSet<int> rights{37, 38, 39};
};
