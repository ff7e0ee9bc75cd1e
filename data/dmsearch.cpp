#include "data/dmsearch.h"

#include "data/mssqladoquery.h"
#include "platform/currency.h"
#include "platform/db/caseless.h"
#include "platform/db/connection.h"
#include "platform/db/snapshot.h"

#include <QFile>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

// How the program's test reads a column: a text contains the searched text
// ignoring case; a number equals the text read as the column's type (a whole
// number, an amount of four decimals, a floating number as the server
// writes it); a Boolean is never searched.
enum class Kind { Text, Integer, Amount, Floating, Boolean };

// The statements one search runs, each answered by one index or one look-up;
// each of them names the item of each row it finds.
enum class Arm { ItemTexts, Item, LineTexts, LineOperation, LineCustomer, Line };

struct Column
{
    const char *name;
    Kind kind;
    Arm arm;
    // The value tested ("polozka." an item's, "radek." a history line's
    // column), or, with a look-up, the column of the looked-up table.
    const char *value;
    // The rows whose key the look-up finds where "%1" tests its value.
    const char *lookUp = nullptr;
    // The characters its values are written in, where they are few: a text
    // with another is in none of them.
    const char *alphabet = nullptr;
};

// Each category's path from the root, made for all of them in one walk of
// the tree, as tab_kategorie_func_PATH_KATEGORIE makes it for one: names
// joined by a backslash from the root down; "<neplatná>" for a category with
// an empty name or one the root does not reach within 1000 steps.
const char *const Category =
    "polozka.ID_KATEGORIE IN (SELECT kategorie.ID_KATEGORIE FROM (WITH RECURSIVE strom (ID_KATEGORIE, CESTA,"
    " HLOUBKA) AS (SELECT tab_kategorie.ID_KATEGORIE, CAST(tab_kategorie.KATEGORIE AS text), 0 FROM tab_kategorie"
    " WHERE tab_kategorie.ID_KATEGORIE = 1 UNION ALL SELECT tab_kategorie.ID_KATEGORIE, strom.CESTA || '\\' ||"
    " tab_kategorie.KATEGORIE, strom.HLOUBKA + 1 FROM tab_kategorie JOIN strom ON tab_kategorie.ID_NADKATEGORIE ="
    " strom.ID_KATEGORIE WHERE tab_kategorie.ID_KATEGORIE <> 1 AND strom.HLOUBKA < 1000) SELECT"
    " tab_kategorie.ID_KATEGORIE, CASE WHEN tab_kategorie.KATEGORIE = '' OR strom.CESTA IS NULL THEN '<neplatná>'"
    " ELSE strom.CESTA END AS CESTA FROM tab_kategorie LEFT JOIN strom ON strom.ID_KATEGORIE ="
    " tab_kategorie.ID_KATEGORIE) kategorie WHERE %1)";
const char *const Operation =
    "CASE operace.ID WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'"
    " WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury / dodacího listu' WHEN 6 THEN 'Storno [D]odacího"
    " listu' WHEN 7 THEN '[N]ová' WHEN 8 THEN '[I]mport' WHEN 9 THEN '[E]ditace' WHEN 10 THEN '[O]debráno' ELSE '-'"
    " END";

// The item twin's columns, in the order the search offers them. The line's
// texts of Arm::LineTexts are those tab_historie_func_HLEDANY_TEXT joins
// (the statement takes its index), and no other.
const std::vector<Column> &columns()
{
    static const std::vector<Column> list{
        {"ID_POLOZKA", Kind::Integer, Arm::Item, "polozka.ID_POLOZKA"},
        {"ID_SKLAD", Kind::Integer, Arm::Item, "polozka.ID_SKLAD"},
        {"ID_KATEGORIE", Kind::Integer, Arm::Item, "polozka.ID_KATEGORIE"},
        {"PATH_ID_KATEGORIE", Kind::Text, Arm::Item, "polozka.PATH_ID_KATEGORIE"},
        {"OZNACENI", Kind::Text, Arm::ItemTexts, "polozka.OZNACENI"},
        {"KOD", Kind::Text, Arm::ItemTexts, "polozka.KOD"},
        {"POLOZKA", Kind::Text, Arm::ItemTexts, "polozka.POLOZKA"},
        {"SPECIFIKACE", Kind::Text, Arm::ItemTexts, "polozka.SPECIFIKACE"},
        {"ZARUKA", Kind::Integer, Arm::Item, "polozka.ZARUKA"},
        {"NAKUP", Kind::Amount, Arm::Item, "polozka.NAKUP"},
        {"PRODEJ", Kind::Amount, Arm::Item, "polozka.PRODEJ"},
        {"SLEVA", Kind::Integer, Arm::Item, "polozka.SLEVA"},
        {"MNOZSTVI", Kind::Floating, Arm::Item, "polozka.MNOZSTVI"},
        {"MINIMUM", Kind::Floating, Arm::Item, "polozka.MINIMUM"},
        {"NASOBNE", Kind::Boolean, Arm::Item, "polozka.NASOBNE"},
        {"ZASOBA", Kind::Floating, Arm::Item, "polozka.ZASOBA"},
        {"DPH", Kind::Floating, Arm::Item, "tab_dph.DPH",
         "polozka.ID_DPH IN (SELECT tab_dph.ID_DPH FROM tab_dph WHERE %1)"},
        {"SKLAD", Kind::Text, Arm::Item, "tab_sklad.SKLAD",
         "polozka.ID_SKLAD IN (SELECT tab_sklad.ID_SKLAD FROM tab_sklad WHERE %1)"},
        {"KATEGORIE", Kind::Text, Arm::Item, "kategorie.CESTA", Category},
        {"DODAVATEL", Kind::Text, Arm::Item, "tab_kontakt.KONTAKT",
         "polozka.ID_DODAVATEL IN (SELECT tab_kontakt.ID_KONTAKT FROM tab_kontakt WHERE %1)"},
        {"JEDNOTKA", Kind::Text, Arm::Item, "tab_jednotka.JEDNOTKA",
         "polozka.ID_JEDNOTKA IN (SELECT tab_jednotka.ID_JEDNOTKA FROM tab_jednotka WHERE %1)"},
        {"DETAIL_OPERACE", Kind::Text, Arm::LineOperation, Operation,
         "radek.ID_OPERACE IN (SELECT operace.ID FROM generate_series(0, 11) operace(ID) WHERE %1)"},
        {"DETAIL_CAS", Kind::Text, Arm::Line, "to_char(radek.TIME, 'YYYY-MM-DD HH24:MI:SS')", nullptr, "0123456789-: "},
        {"DETAIL_STATE_STAV", Kind::Boolean, Arm::Line, "radek.STATE_STAV"},
        {"DETAIL_DOKLAD_NETISTENY", Kind::Text, Arm::LineTexts, "radek.DOKLAD_NETISTENY"},
        {"DETAIL_DOKLAD_VYTISTENY", Kind::Text, Arm::LineTexts, "radek.DOKLAD_VYTISTENY"},
        {"DETAIL_OZNACENI", Kind::Text, Arm::LineTexts, "radek.OZNACENI"},
        {"DETAIL_KOD", Kind::Text, Arm::LineTexts, "radek.KOD"},
        {"DETAIL_POLOZKA", Kind::Text, Arm::LineTexts, "radek.POLOZKA"},
        {"DETAIL_SPECIFIKACE", Kind::Text, Arm::LineTexts, "radek.SPECIFIKACE"},
        {"DETAIL_NAKUP", Kind::Amount, Arm::Line, "radek.NAKUP"},
        {"DETAIL_PRODEJ", Kind::Amount, Arm::Line, "radek.PRODEJ"},
        {"DETAIL_SLEVA", Kind::Integer, Arm::Line, "radek.SLEVA"},
        {"DETAIL_MNOZSTVI", Kind::Floating, Arm::Line, "radek.MNOZSTVI"},
        {"DETAIL_ODBERATEL", Kind::Text, Arm::LineCustomer, "tab_kontakt.KONTAKT",
         "radek.ID_ODBERATEL IN (SELECT tab_kontakt.ID_KONTAKT FROM tab_kontakt WHERE %1)"},
        {"DETAIL_UZIVATEL", Kind::Text, Arm::LineTexts, "radek.UZIVATEL"},
    };
    return list;
}

// The text read as each kind of number, as the program's test reads a
// literal for a column of that kind; none where it cannot be one.
struct Numbers
{
    std::optional<qint64> integer;
    std::optional<Currency> amount;
    std::optional<double> floating;
};

Numbers readNumbers(const QString &text, bool allColumns)
{
    Numbers n;
    const QString t = text.trimmed();
    bool ok = false;
    const double d = QString(t).replace(u',', u'.').toDouble(&ok);
    if (ok)
        n.floating = d;
    // "Vše" tests a number column only with a text that is a number.
    if (allColumns && !ok)
        return n;
    bool whole = false;
    const qint64 i = t.toLongLong(&whole);
    if (whole)
        n.integer = i;
    else if (ok && d == double(qint64(d)))
        n.integer = qint64(d);
    n.amount = Currency::parse(t);
    return n;
}

// The longest run of the text's digits, blanks and other ASCII characters
// that are no letters: no other character folds to one of them, so a value
// holding the text in any case holds that run as it is typed. Looked for
// first, it spares the folding of most values read.
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

// The test of a column, or nothing where the text cannot pass it.
QString condition(const Column &column, const QString &text, const Numbers &numbers, const QString &fold)
{
    if (column.alphabet) {
        for (const QChar c : text)
            if (c.unicode() >= 128 || !std::strchr(column.alphabet, char(c.unicode())))
                return QString();
    }
    const QString value = QString::fromUtf8(column.value);
    QString test;
    switch (column.kind) {
    case Kind::Text:
        test = QStringLiteral("strpos(%1, :JADRO) > 0 AND %2(%1) LIKE :VZOR").arg(value, fold);
        break;
    case Kind::Integer:
        if (numbers.integer)
            test = value + QStringLiteral(" = CAST(:CELE AS bigint)");
        break;
    case Kind::Amount:
        if (numbers.amount)
            test = value + QStringLiteral(" = CAST(:CASTKA AS numeric)");
        break;
    case Kind::Floating:
        // The program compares the number the server writes.
        if (numbers.floating)
            test = QStringLiteral("CAST(CAST(%1 AS text) AS float8) = CAST(:CISLO AS float8)").arg(value);
        break;
    case Kind::Boolean:
        break;
    }
    if (test.isEmpty() || !column.lookUp)
        return test;
    return QString::fromUtf8(column.lookUp).arg(test);
}

const char *const Keys = "CAST(:HLEDAT_KLICE AS integer[])";

// One statement of the search: the item of each row of its table where one
// of its columns' tests holds.
QString armStatement(Arm arm, const QStringList &tests)
{
    const QString any = u'(' + tests.join(QStringLiteral(") OR (")) + u')';
    switch (arm) {
    case Arm::ItemTexts:
    case Arm::Item:
        return QStringLiteral("SELECT polozka.ID_POLOZKA FROM tab_polozka polozka WHERE polozka.STATE_PLATNOST"
                              " AND (%1 IS NULL OR polozka.ID_POLOZKA = ANY(%1)) AND (%2)")
            .arg(QLatin1String(Keys), any);
    case Arm::LineTexts:
        // The line's texts joined, as its trigram index holds them: a text
        // is in one of them exactly when it is in the joined one.
        return QStringLiteral("SELECT radek.ID_POLOZKA FROM tab_historie radek WHERE (%1 IS NULL OR"
                              " radek.ID_POLOZKA = ANY(%1)) AND tab_historie_func_HLEDANY_TEXT(radek) LIKE :VZOR"
                              " AND (%2)")
            .arg(QLatin1String(Keys), any);
    case Arm::LineOperation:
    case Arm::LineCustomer:
    case Arm::Line:
        return QStringLiteral("SELECT radek.ID_POLOZKA FROM tab_historie radek WHERE (%1 IS NULL OR"
                              " radek.ID_POLOZKA = ANY(%1)) AND (%2)")
            .arg(QLatin1String(Keys), any);
    }
    return QString();
}

// The fold function as the creation script writes it.
QString foldFunctionOfScript()
{
    static const QString text = [] {
        QFile file(QStringLiteral(":/sql/create_database.sql"));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const QString script = QString::fromUtf8(file.readAll());
        const qsizetype start = script.indexOf(QLatin1String("CREATE FUNCTION func_HLEDANY_TEXT("));
        const qsizetype end = script.indexOf(QLatin1String("\nGO"), start);
        return start < 0 || end < 0 ? QString() : script.mid(start, end - start);
    }();
    return text;
}

// What the database offers the search: a database made before its
// functions came in gets the fold for the session, in its temporary schema,
// and has no index of the lines' texts.
struct DatabaseFunctions
{
    QString fold = QStringLiteral("func_HLEDANY_TEXT");
    bool lineTexts = true;
};

DatabaseFunctions databaseFunctions(TMSSQLADOQuery &twin)
{
    DatabaseFunctions functions;
    Db::Connection *connection = twin.GetConnection();
    if (!connection)
        return functions;
    const Db::Result found = connection->exec(
        QStringLiteral("SELECT to_regprocedure('func_hledany_text(text)') IS NOT NULL,"
                       " to_regprocedure('tab_historie_func_hledany_text(tab_historie)') IS NOT NULL"));
    if (!found.succeeded() || found.rowCount() != 1)
        return functions;
    functions.lineTexts = found.cellText(0, 1) == u"t";
    if (found.cellText(0, 0) != u"t") {
        functions.fold = QStringLiteral("pg_temp.func_HLEDANY_TEXT");
        QString create = foldFunctionOfScript();
        connection->exec(create.replace(QLatin1String("CREATE FUNCTION func_HLEDANY_TEXT("),
                                        QLatin1String("CREATE OR REPLACE FUNCTION pg_temp.func_HLEDANY_TEXT(")));
    }
    return functions;
}

void prepareItemSearch(TMSSQLADOQuery &twin, const QStringList &fieldNames, const QString &text)
{
    const Numbers numbers = readNumbers(text, fieldNames.isEmpty());
    const DatabaseFunctions functions = databaseFunctions(twin);
    std::map<Arm, QStringList> tests;
    for (const Column &column : columns()) {
        if (!fieldNames.isEmpty() && !fieldNames.contains(QLatin1String(column.name), Qt::CaseInsensitive))
            continue;
        const QString test = condition(column, text, numbers, functions.fold);
        const Arm arm = column.arm == Arm::LineTexts && !functions.lineTexts ? Arm::Line : column.arm;
        if (!test.isEmpty())
            tests[arm] << test;
    }
    QStringList statements;
    for (const auto &[arm, armTests] : tests)
        statements << armStatement(arm, armTests);
    if (statements.isEmpty())
        statements << QStringLiteral("SELECT NULL::integer AS ID_POLOZKA WHERE false");
    twin.FormatParameters()
        .FindParameter(QStringLiteral("%HLEDAT"))
        ->SetFormatParameterValue(statements.join(QStringLiteral(" UNION ")));
    twin.SetSQL(twin.ApplyFormatParameters(twin.FormatSQLText()));
    if (Db::Parameter *p = twin.FindParam(QStringLiteral("VZOR")))
        p->SetAsString(Db::CaselessContainsPattern(text));
    if (Db::Parameter *p = twin.FindParam(QStringLiteral("JADRO")))
        p->SetAsString(caselessCore(text));
    // A number the text cannot be stays NULL: its tests hold for no row.
    auto set = [&twin](const char *name, auto value, auto assign) {
        if (Db::Parameter *p = twin.FindParam(QLatin1String(name))) {
            p->Clear();
            if (value)
                assign(*p, *value);
        }
    };
    set("CELE", numbers.integer, [](Db::Parameter &p, qint64 v) { p.SetAsInteger(v); });
    set("CASTKA", numbers.amount, [](Db::Parameter &p, Currency v) { p.SetAsCurrency(v); });
    set("CISLO", numbers.floating, [](Db::Parameter &p, double v) { p.SetAsFloat(v); });
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

QStringList ItemSearchColumns()
{
    QStringList names;
    for (const Column &column : columns())
        names << QLatin1String(column.name);
    return names;
}

void SetUpSearchTwins(TMSSQLADOQuery &items, TMSSQLADOQuery &documents, const TMSSQLADOQuery &documentList)
{
    items.SearchPrepare = [](TMSSQLADOQuery &twin, const QStringList &fieldNames, const QString &text) {
        prepareItemSearch(twin, fieldNames, text);
    };
    items.SearchDecides = true;
    documents.SearchPrepare = [&documentList](TMSSQLADOQuery &twin, const QStringList &, const QString &) {
        if (Db::Parameter *p = twin.FindParam(QStringLiteral("KLICE")))
            p->SetText(listedDocuments(documentList));
    };
}
