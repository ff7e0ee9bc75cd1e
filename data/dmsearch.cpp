#include "data/dmsearch.h"

#include "data/mssqladoquery.h"
#include "platform/currency.h"
#include "platform/db/snapshot.h"

#include <QHash>

namespace {

enum class Kind { Text, Number, Boolean, CategoryPath };

struct Column
{
    Kind kind;
    bool onLine; // a column of the item's line, else of the item
};

// The item twin's columns as its conditions test them (by their names in the
// statement's "polozka" and "radek").
const QHash<QString, Column> &itemColumns()
{
    static const QHash<QString, Column> columns = [] {
        QHash<QString, Column> c;
        for (const char *name :
             {"PATH_ID_KATEGORIE", "OZNACENI", "KOD", "POLOZKA", "SPECIFIKACE", "SKLAD", "DODAVATEL", "JEDNOTKA"})
            c.insert(QLatin1String(name), {Kind::Text, false});
        for (const char *name : {"ID_POLOZKA", "ID_SKLAD", "ID_KATEGORIE", "ZARUKA", "NAKUP", "PRODEJ", "SLEVA",
                                 "MNOZSTVI", "MINIMUM", "ZASOBA", "DPH"})
            c.insert(QLatin1String(name), {Kind::Number, false});
        c.insert(QStringLiteral("NASOBNE"), {Kind::Boolean, false});
        c.insert(QStringLiteral("KATEGORIE"), {Kind::CategoryPath, false});
        for (const char *name :
             {"DETAIL_OPERACE", "DETAIL_CAS", "DETAIL_DOKLAD_NETISTENY", "DETAIL_DOKLAD_VYTISTENY", "DETAIL_OZNACENI",
              "DETAIL_KOD", "DETAIL_POLOZKA", "DETAIL_SPECIFIKACE", "DETAIL_ODBERATEL", "DETAIL_UZIVATEL"})
            c.insert(QLatin1String(name), {Kind::Text, true});
        for (const char *name : {"DETAIL_NAKUP", "DETAIL_PRODEJ", "DETAIL_SLEVA", "DETAIL_MNOZSTVI"})
            c.insert(QLatin1String(name), {Kind::Number, true});
        c.insert(QStringLiteral("DETAIL_STATE_STAV"), {Kind::Boolean, true});
        return c;
    }();
    return columns;
}

// The search tests a text column for the typed text anywhere in it without
// regard to case, and a number column for equality with the text read as a
// number (a decimal comma or point, or as an amount): the server keeps every
// row that can pass, with a margin for the numbers' rounding.
QString condition(const QString &name, const Column &column, bool number)
{
    const QString value = (column.onLine ? QStringLiteral("radek.") : QStringLiteral("polozka.")) + name;
    switch (column.kind) {
    case Kind::Text:
        // The part of the text without letters stands in the value as typed:
        // looked for first, it spares the lowering of most values. The
        // pattern is what the items' trigram index answers.
        return QStringLiteral("strpos(%1, :JADRO) > 0 AND lower(%1) LIKE lower(:VZOR)").arg(value);
    case Kind::CategoryPath:
        // The path once for each category of the valid items, not per row.
        return QStringLiteral(
            "polozka.ID_KATEGORIE IN (SELECT kategorie.ID_KATEGORIE FROM (SELECT pouzite.ID_KATEGORIE,"
            " tab_kategorie_func_PATH_KATEGORIE(pouzite.ID_KATEGORIE) AS CESTA FROM (SELECT DISTINCT"
            " tab_polozka.ID_KATEGORIE FROM tab_polozka WHERE tab_polozka.STATE_PLATNOST) pouzite OFFSET 0) kategorie"
            " WHERE strpos(kategorie.CESTA, :JADRO) > 0 AND lower(kategorie.CESTA) LIKE lower(:VZOR))");
    case Kind::Number:
        if (!number)
            return QString();
        return QStringLiteral("abs(%1::float8 - :CISLO) <= 0.0001 + abs(:CISLO) * 0.000001 OR "
                              "abs(%1::float8 - :CASTKA) <= 0.0001 + abs(:CASTKA) * 0.000001")
            .arg(value);
    case Kind::Boolean:
        break;
    }
    return QString();
}

// The longest run of the text's digits, blanks and other ASCII characters
// that are no letters: no other character folds to one of them, so a value
// holding the text in any case holds that run as it is typed.
QString caselessCore(const QString &text)
{
    QString best, run;
    for (const QChar c : text + QChar(u'a')) {
        if (c.unicode() < 128 && !c.isLetter()) {
            run += c;
            continue;
        }
        if (run.size() > best.size())
            best = run;
        run.clear();
    }
    return best;
}

// The text anywhere in a value, as a pattern that takes it literally.
QString containsPattern(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + text + u'%';
}

void setNumber(TMSSQLADOQuery &twin, const QString &name, std::optional<double> value)
{
    if (Db::Parameter *p = twin.FindParam(name)) {
        if (value)
            p->SetAsFloat(*value);
        else
            p->Clear();
    }
}

void prepareItemSearch(TMSSQLADOQuery &twin, const QStringList &fieldNames, const QString &text)
{
    bool ok = false;
    const double number = QString(text.trimmed()).replace(u',', u'.').toDouble(&ok);
    const std::optional<Currency> amount = Currency::parse(text.trimmed());
    const bool numeric = ok || amount;
    QStringList onItem, onLine;
    const QStringList names = fieldNames.isEmpty() ? itemColumns().keys() : fieldNames;
    for (const QString &name : names) {
        const auto found = itemColumns().constFind(name.toUpper());
        if (found == itemColumns().constEnd())
            continue;
        const QString tested = condition(found.key(), *found, numeric);
        if (!tested.isEmpty())
            (found->onLine ? onLine : onItem) << u'(' + tested + u')';
    }
    auto joined = [](const QStringList &conditions) {
        return conditions.isEmpty() ? QStringLiteral("false") : conditions.join(QStringLiteral(" OR "));
    };
    twin.FormatParameters().FindParameter(QStringLiteral("%HLEDAT_POLOZKU"))->SetFormatParameterValue(joined(onItem));
    twin.FormatParameters().FindParameter(QStringLiteral("%HLEDAT_RADEK"))->SetFormatParameterValue(joined(onLine));
    twin.SetSQL(twin.ApplyFormatParameters(twin.FormatSQLText()));
    if (Db::Parameter *p = twin.FindParam(QStringLiteral("VZOR")))
        p->SetAsString(containsPattern(text));
    if (Db::Parameter *p = twin.FindParam(QStringLiteral("JADRO")))
        p->SetAsString(caselessCore(text));
    setNumber(twin, QStringLiteral("CISLO"), ok ? std::optional(number) : std::nullopt);
    setNumber(twin, QStringLiteral("CASTKA"), amount ? std::optional(amount->toDouble()) : std::nullopt);
}

// The keys of the documents the list shows, as an array's text.
QByteArray listedDocuments(const TMSSQLADOQuery &list)
{
    QByteArray keys = "{";
    const Db::Field *key = list.FindField(QStringLiteral("ID_DOKLAD"));
    if (list.Active() && key && key->IsBound()) {
        const Db::SnapshotPtr &rows = list.snapshot();
        for (int row = 0; row < rows->rowCount(); ++row) {
            if (rows->isNull(row, key->Index()))
                continue;
            if (keys.size() > 1)
                keys += ',';
            keys += QByteArray::number(rows->integer(row, key->Index()));
        }
    }
    return keys + '}';
}

} // namespace

void SetUpSearchTwins(TMSSQLADOQuery &items, TMSSQLADOQuery &documents, const TMSSQLADOQuery &documentList)
{
    items.SearchPrepare = [](TMSSQLADOQuery &twin, const QStringList &fieldNames, const QString &text) {
        prepareItemSearch(twin, fieldNames, text);
    };
    documents.SearchPrepare = [&documentList](TMSSQLADOQuery &twin, const QStringList &, const QString &) {
        if (Db::Parameter *p = twin.FindParam(QStringLiteral("KLICE")))
            p->SetText(listedDocuments(documentList));
    };
}
