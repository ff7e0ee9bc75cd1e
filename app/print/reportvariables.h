#pragma once
// The variables the shop's layouts print: the supplier and bank from the
// settings, the customer from the document being printed, the two VAT rate
// captions, the note and the program credit. Any other name is left to the
// report engine (no value).
#include <QDate>
#include <QString>

#include <optional>

class ShopSettings;
class TPrintData;

struct TReportVariables
{
    const ShopSettings &settings;
    const TPrintData &data;
    QString note;     // the note of this print
    QDate today;      // the due date counts from it
    QString appTitle; // "Tarmil 5.2.3.0"

    std::optional<QString> Value(const QString &name) const;
};
