#include "data/dmquerydefs.h"

#include "data/dmsearch.h"

#include "platform/db/dataset.h"

#include <QFile>
#include <QSet>

namespace {

const QString OrderBy = QStringLiteral("%ORDER_BY");
const QString WhereFilter = QStringLiteral("%WHERE_FILTER");

bool isMoneyColumn(const QString &name)
{
    static const QSet<QString> plain{"NAKUP",         "PRODEJ",     "POHYB",    "STAV",           "DETAIL_NAKUP",
                                     "DETAIL_PRODEJ", "DPH1_DPH",   "DPH2_DPH", "SOUCET_POLOZEK", "SLEVA_CASTKA",
                                     "ZAOKROUHLENI",  "DPH_CASTKA", "ZAKLAD"};
    return plain.contains(name) || (name.endsWith("_CELKEM") && name != "POLOZKY_CELKEM");
}

bool isQuantityColumn(const QString &name)
{
    static const QSet<QString> names{"MNOZSTVI", "MINIMUM", "ZASOBA", "MNOZSTVI_SKLAD", "DETAIL_MNOZSTVI"};
    return names.contains(name);
}

// Builds the persistent fields of a query from groups "table: COLUMN COLUMN ...";
// a group without a table lists computed columns.
class FieldList
{
public:
    FieldList(const QString &keyField, bool yesNoMultiples)
        : m_key(keyField)
        , m_yesNo(yesNoMultiples)
    {}

    FieldList &add(const QString &origin, const QString &columns)
    {
        for (const QString &name : columns.split(' ', Qt::SkipEmptyParts)) {
            TDMFieldDef f;
            f.name = name;
            f.origin = origin;
            if (isQuantityColumn(name))
                f.displayFormat = QStringLiteral(",0.###");
            else if (name == QLatin1String("DPH"))
                f.displayFormat = QStringLiteral("0.##");
            else if (isMoneyColumn(name))
                f.displayFormat = QStringLiteral("0.00");
            else if (name == QLatin1String("CAS"))
                f.displayFormat = QStringLiteral("d.m.yyyy hh:nn:ss"); // the Czech date and time
            if (name == QLatin1String("STATE_STAV") || name == QLatin1String("DETAIL_STATE_STAV"))
                f.displayValues = QStringLiteral("[Z]rušený;[P]latný"); // false text;true text
            if (m_yesNo && name == QLatin1String("NASOBNE"))
                f.displayValues = QStringLiteral("N;A");
            f.readOnly = name == m_key;
            m_fields.push_back(f);
        }
        return *this;
    }
    std::vector<TDMFieldDef> take() { return std::move(m_fields); }

private:
    QString m_key;
    bool m_yesNo;
    std::vector<TDMFieldDef> m_fields;
};

std::vector<TDMPlaceholderDef> orderOnly(const QString &order)
{
    return {{OrderBy, order}};
}

TDMQueryDef query(const QString &name, const QString &key, std::vector<TDMPlaceholderDef> placeholders,
                  QStringList parameters, FieldList fields, int iniPosition)
{
    TDMQueryDef def;
    def.component = QStringLiteral("MSSQLADOQuery_") + name;
    def.resource = QStringLiteral(":/sql/queries/%1.sql").arg(name);
    def.keyField = key;
    def.placeholders = std::move(placeholders);
    def.parameters = std::move(parameters);
    def.fields = fields.take();
    def.iniPosition = iniPosition;
    return def;
}

const QString ItemColumns =
    QStringLiteral("OZNACENI KOD POLOZKA SPECIFIKACE ZARUKA NAKUP PRODEJ SLEVA MNOZSTVI MINIMUM NASOBNE ZASOBA");
const QString ContactColumns = QStringLiteral("IC DIC ADRESA TELEFON MOBIL EMAIL WWW OSOBA POZNAMKA");

std::vector<TDMQueryDef> buildQueries()
{
    const QString todaysDocuments =
        QStringLiteral("(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND "
                       "date_trunc('day',tab_historie.TIME)=date_trunc('day',LOCALTIMESTAMP)");
    std::vector<TDMQueryDef> q;
    q.push_back(query("Uzivatel", "ID_UZIVATEL", orderOnly("LOGIN"), {},
                      FieldList("ID_UZIVATEL", false).add("uzivatel_SEZNAM", "ID_UZIVATEL UZIVATEL LOGIN SKUPINA"),
                      15));
    q.push_back(query("Opravneni", "ID_OPRAVNENI", orderOnly("tab_uzivatel_opravneni.ID_OPRAVNENI"), {"ID_UZIVATEL"},
                      FieldList("ID_OPRAVNENI", false)
                          .add("tab_uzivatel_opravneni", "ID_UZIVATEL ID_OPRAVNENI STATE_OPRAVNENI")
                          .add("tab_opravneni", "POPIS"),
                      10));
    q.push_back(query("OznaceniDoklad", "ID_OZNACENI_DOKLAD", orderOnly("POPIS_DOKLAD"), {},
                      FieldList("ID_OZNACENI_DOKLAD", false)
                          .add("tab_oznaceni_doklad", "ID_OZNACENI_DOKLAD")
                          .add("", "POPIS_DOKLAD")
                          .add("tab_oznaceni_doklad",
                               "OZNACENI_DOKLAD OZNACENI_ROK OZNACENI_MESIC OZNACENI_DEN "
                               "OZNACENI_ODDELOVAC PORADI_DOKLAD_NETISTENY PORADI_DOKLAD_VYTISTENY PORADI_ZAROVNANI")
                          .add("", "DOKLAD_NETISTENY DOKLAD_VYTISTENY"),
                      11));
    q.push_back(query("Dph", "ID_DPH", orderOnly("POPIS_DPH"), {},
                      FieldList("ID_DPH", false).add("tab_dph", "ID_DPH STATE_VYCHOZI DPH").add("", "POPIS_DPH"), 6));
    q.push_back(query(
        "Sklad", "ID_SKLAD", orderOnly("tab_sklad.SKLAD"), {},
        FieldList("ID_SKLAD", false).add("tab_sklad", "ID_SKLAD ID_KATEGORIE STATE_VYCHOZI SKLAD").add("", "KATEGORIE"),
        14));
    q.push_back(query("Kontakt", "ID_KONTAKT", orderOnly("tab_kontakt.KONTAKT"), {},
                      FieldList("ID_KONTAKT", false)
                          .add("tab_kontakt", "ID_KONTAKT STATE_DODAVATEL STATE_ODBERATEL KONTAKT " + ContactColumns),
                      9));
    q.push_back(query("Jednotka", "ID_JEDNOTKA", orderOnly("tab_jednotka.JEDNOTKA"), {},
                      FieldList("ID_JEDNOTKA", false)
                          .add("tab_jednotka", "ID_JEDNOTKA STATE_VYCHOZI JEDNOTKA SPECIFIKACE MINIMUM NASOBNE"),
                      8));
    q.push_back(query("Polozka", "ID_POLOZKA",
                      {{WhereFilter, QStringLiteral("1=1")}, {OrderBy, QStringLiteral("tab_polozka.OZNACENI")}},
                      {"ID_SKLAD", "PATH_ID_KATEGORIE"},
                      FieldList("ID_POLOZKA", true)
                          .add("tab_polozka", "ID_POLOZKA ID_SKLAD ID_KATEGORIE ID_DODAVATEL ID_DPH ID_JEDNOTKA "
                                              "PATH_ID_KATEGORIE STATE_PLATNOST " +
                                                  ItemColumns)
                          .add("tab_dph", "DPH")
                          .add("tab_sklad", "SKLAD")
                          .add("", "KATEGORIE DODAVATEL")
                          .add("tab_jednotka", "JEDNOTKA")
                          .add("", "NAKUP_CELKEM"),
                      1));
    q.back().lineFilter = QStringLiteral(":/sql/queries/Polozka_Radky.sql");
    // The whole store is read in parallel only by a plan made for it.
    q.back().plannedEachRun = true;
    // A write changes a few items: their rows are read by their keys (the
    // category's path too) through the list's own statement.
    q.back().rowsByKeys = true;
    q.push_back(query("PolozkaHistorie", "ID_HISTORIE", orderOnly("CAS"), {"ID_POLOZKA"},
                      FieldList("ID_HISTORIE", false)
                          .add("tab_historie", "ID_HISTORIE ID_DOKLAD ID_POLOZKA ID_OPERACE REF_ID_DOKLAD")
                          .add("", "OPERACE CAS")
                          .add("tab_historie", "STATE_STAV DOKLAD_NETISTENY DOKLAD_VYTISTENY " + ItemColumns)
                          .add("tab_dph", "DPH")
                          .add("tab_sklad", "SKLAD")
                          .add("", "KATEGORIE DODAVATEL ODBERATEL")
                          .add("tab_jednotka", "JEDNOTKA")
                          .add("tab_historie", "UZIVATEL"),
                      2));
    q.push_back(query("Prodej", "ID_POLOZKA", orderOnly("tab_polozka.OZNACENI"), {},
                      FieldList("ID_PRODEJ", false)
                          .add("tab_prodej", "ID_PRODEJ ID_POLOZKA")
                          .add("tab_polozka", "ID_SKLAD ID_KATEGORIE ID_DPH ID_JEDNOTKA OZNACENI KOD POLOZKA "
                                              "SPECIFIKACE ZARUKA NAKUP PRODEJ")
                          .add("tab_prodej", "SLEVA MNOZSTVI")
                          .add("tab_polozka", "MINIMUM NASOBNE")
                          .add("", "MNOZSTVI_SKLAD")
                          .add("tab_polozka", "STATE_PLATNOST")
                          .add("tab_dph", "DPH")
                          .add("tab_sklad", "SKLAD")
                          .add("", "KATEGORIE DODAVATEL")
                          .add("tab_jednotka", "JEDNOTKA")
                          .add("", "PRODEJ_CELKEM"),
                      3));
    // A basket line changes one row at a time: read by its item in the
    // session's basket through the list's own statement. Its category path comes from
    // tab_kategorie_func_PATH_KATEGORIE, which walks the item's ancestors by
    // their keys from plans the session keeps: a query over the ancestors in
    // the template would cost more to start than the walk itself.
    // Once the session has purged what ended sessions left under its process
    // id (at its first basket call), its rows need no check of their time.
    q.back().rowsByKeys = true;
    q.push_back(query("Doklad", "ID_DOKLAD", {{WhereFilter, todaysDocuments}, {OrderBy, QStringLiteral("CAS")}}, {},
                      FieldList("ID_DOKLAD", false)
                          .add("tab_historie", "ID_DOKLAD")
                          .add("", "CAS")
                          .add("tab_historie", "ID_OPERACE")
                          .add("", "OPERACE")
                          .add("tab_historie", "REF_ID_DOKLAD STATE_STAV DOKLAD_NETISTENY DOKLAD_VYTISTENY")
                          .add("", "ODBERATEL")
                          .add("tab_kontakt", ContactColumns)
                          .add("tab_doklad", "SLEVA")
                          .add("", "POLOZKY_CELKEM NAKUP_CELKEM PRODEJ_HOTOVOST_CELKEM PRODEJ_FAKTURA_CELKEM "
                                   "PRODEJ_CELKEM SOUCET_POLOZEK SLEVA_CASTKA ZAOKROUHLENI DPH_CASTKA "
                                   "DPH1_PRODEJ_CELKEM DPH2_PRODEJ_CELKEM DPH1_DPH DPH2_DPH")
                          .add("tab_historie", "UZIVATEL"),
                      4));
    q.push_back(query("DokladDetail", "ID_HISTORIE", orderOnly("tab_historie.OZNACENI"), {"ID_DOKLAD"},
                      FieldList("ID_HISTORIE", false)
                          .add("tab_historie", "ID_HISTORIE ID_DOKLAD ID_POLOZKA ID_OPERACE ID_DPH OZNACENI KOD "
                                               "POLOZKA SPECIFIKACE ZARUKA")
                          .add("tab_dph", "DPH")
                          .add("tab_sklad", "SKLAD")
                          .add("", "KATEGORIE DODAVATEL ODBERATEL")
                          .add("tab_historie", "NAKUP PRODEJ SLEVA MNOZSTVI")
                          .add("tab_jednotka", "JEDNOTKA")
                          .add("", "NAKUP_CELKEM PRODEJ_CELKEM"),
                      5));
    // The VAT rates of the current document as its pages print them: read
    // only while a document is printed.
    q.push_back(query(
        "DokladDph", "ID_DPH", {}, {"ID_DOKLAD"},
        FieldList("ID_DPH", false).add("tab_doklad", "ID_DOKLAD").add("", "ID_DPH DPH ZAKLAD DPH_CASTKA PRODEJ_CELKEM"),
        0));
    q.push_back(query("SQL", "", {}, {}, FieldList("", false), 0));
    q.push_back(query("Pokladna", "ID_POKLADNA", orderOnly("CAS"), {},
                      FieldList("ID_POKLADNA", false)
                          .add("tab_pokladna", "ID_POKLADNA ID_OPERACE")
                          .add("", "OPERACE CAS DOKLAD_NETISTENY "
                                   "DOKLAD_VYTISTENY")
                          .add("tab_pokladna", "UZIVATEL POHYB STAV"),
                      12));
    // The cash book only grows: it is read a page at a time, so a long one
    // opens as fast as a short one.
    q.back().pageRows = 300;
    q.push_back(query("Filtr", "ID_FILTR", orderOnly("tab_filtr.FILTR"), {},
                      FieldList("ID_FILTR", false).add("tab_filtr", "ID_FILTR FILTR SCRIPT"), 7));
    q.push_back(query("Sestava", "ID_SESTAVA", orderOnly("tab_sestava.SESTAVA"), {},
                      FieldList("ID_SESTAVA", false).add("tab_sestava", "ID_SESTAVA SESTAVA SOUBOR"), 13));
    // The twins are read for each search with its own conditions or keys.
    q.push_back(query("Polozka_Hledat", "ID_POLOZKA",
                      {{QStringLiteral("%HLEDAT"), QStringLiteral("SELECT NULL::integer AS ID_POLOZKA WHERE false")}},
                      {}, FieldList("", false).add("", ItemSearchColumns().join(u' ')), 0));
    q.back().plannedEachRun = true;
    q.push_back(query(
        "Doklad_Hledat", "ID_DOKLAD", {}, {},
        FieldList("", false).add("", "ID_DOKLAD CAS ID_OPERACE OPERACE STATE_STAV DOKLAD_NETISTENY DOKLAD_VYTISTENY "
                                     "ODBERATEL IC DIC ADRESA SLEVA_CELKEM POLOZKY_CELKEM NAKUP_CELKEM PRODEJ_CELKEM "
                                     "DETAIL_OZNACENI DETAIL_KOD DETAIL_POLOZKA DETAIL_SPECIFIKACE DETAIL_NAKUP "
                                     "DETAIL_PRODEJ DETAIL_SLEVA DETAIL_MNOZSTVI DETAIL_UZIVATEL"),
        0));
    q.back().plannedEachRun = true;
    q.push_back(query("PrihlaseniUzivatele", "ID", orderOnly("UZIVATEL"), {},
                      FieldList("ID", false)
                          .add("", "ID UZIVATEL BLOKOVANY PRIHLASEN POSLEDNI_OPERACE "
                                   "OTEVRENE_TRANSAKCE STANICE MAC_ADRESA"),
                      0));
    return q;
}

} // namespace

const TDMFieldDef *TDMQueryDef::findField(const QString &name) const
{
    for (const TDMFieldDef &f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QString TDMQueryDef::defaultValue(const QString &placeholder) const
{
    for (const TDMPlaceholderDef &p : placeholders)
        if (p.name.compare(placeholder, Qt::CaseInsensitive) == 0)
            return p.defaultValue;
    return QString();
}

const std::vector<TDMQueryDef> &DataModuleQueries()
{
    static const std::vector<TDMQueryDef> queries = buildQueries();
    return queries;
}

const TDMQueryDef *FindQueryDef(const QString &component)
{
    for (const TDMQueryDef &def : DataModuleQueries())
        if (def.component == component)
            return &def;
    return nullptr;
}

namespace {

const QString IncludeLine = QStringLiteral("--#include ");

QStringList resourceLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

} // namespace

QStringList QueryTemplateLines(const TDMQueryDef &def)
{
    // A line "--#include Part.sql" stands for the lines of that part of the
    // queries, which several queries share.
    QStringList lines;
    for (const QString &line : resourceLines(def.resource)) {
        if (!line.startsWith(IncludeLine)) {
            lines << line;
            continue;
        }
        const QStringList part =
            resourceLines(QStringLiteral(":/sql/queries/") + line.mid(IncludeLine.size()).trimmed());
        if (part.isEmpty())
            return {};
        lines << part;
    }
    return lines;
}

void ApplyFieldDefs(const TDMQueryDef &def, Db::Dataset &dataset)
{
    for (const TDMFieldDef &f : def.fields) {
        Db::Field *field = dataset.AddField(f.name);
        field->Origin = f.origin;
        field->DisplayFormat = f.displayFormat;
        field->DisplayValues = f.displayValues;
        field->ReadOnly = f.readOnly;
    }
}

bool IsKnownSortOrder(const TDMQueryDef &def, const QString &value)
{
    QString column = value;
    if (column.endsWith(QLatin1String(" DESC")))
        column.chop(5);
    for (const TDMFieldDef &f : def.fields) {
        const QString expected = f.origin.isEmpty() ? f.name : f.origin + QLatin1Char('.') + f.name;
        if (column == expected)
            return true;
    }
    return false;
}

bool IsSelfContainedCondition(const QString &condition)
{
    if (condition.trimmed().isEmpty())
        return false;
    int depth = 0;
    QChar quote;
    for (int i = 0; i < condition.size(); ++i) {
        const QChar c = condition.at(i);
        const QChar next = i + 1 < condition.size() ? condition.at(i + 1) : QChar();
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            quote = c;
        else if (c == QLatin1Char('$') || c == QLatin1Char(';') || c == QLatin1Char('\\'))
            return false; // dollar quoting, statement ends and escapes are never part of a condition
        else if ((c == QLatin1Char('-') && next == QLatin1Char('-')) ||
                 (c == QLatin1Char('/') && next == QLatin1Char('*')))
            return false;
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth < 0)
            return false;
    }
    return quote.isNull() && depth == 0;
}

namespace {

// The columns of a history line (tab_historie).
const QSet<QString> &historyLineColumns()
{
    static const QSet<QString> columns{
        "id_historie",   "id_doklad",    "id_polozka",   "id_operace",       "id_sklad",
        "id_kategorie",  "id_dodavatel", "id_odberatel", "id_dph",           "id_jednotka",
        "ref_id_doklad", "time",         "state_stav",   "doklad_netisteny", "doklad_vytisteny",
        "oznaceni",      "kod",          "polozka",      "specifikace",      "zaruka",
        "nakup",         "prodej",       "sleva",        "mnozstvi",         "zasoba",
        "minimum",       "nasobne",      "uzivatel"};
    return columns;
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

bool NamesHistoryLine(const QString &condition)
{
    const qsizetype n = condition.size();
    QChar before; // the last character outside names, quotes and blanks
    for (qsizetype i = 0; i < n;) {
        const QChar c = condition.at(i);
        QString name;
        if (c == u'\'') { // a text: no names in it
            const qsizetype end = condition.indexOf(u'\'', i + 1);
            i = end < 0 ? n : end + 1;
            before = u'\'';
            continue;
        }
        if (c == u'"') { // a quoted name: as it is written ("" is one quote)
            qsizetype end = i + 1;
            while (end < n && !(condition.at(end) == u'"' && (end + 1 >= n || condition.at(end + 1) != u'"')))
                end += condition.at(end) == u'"' ? 2 : 1;
            name = condition.mid(i + 1, end - i - 1).replace(QStringLiteral("\"\""), QStringLiteral("\""));
            i = end + 1;
        } else if (isNameStart(c)) {
            qsizetype end = i + 1;
            while (end < n && isNamePart(condition.at(end)))
                ++end;
            name = condition.mid(i, end - i).toLower();
            i = end;
        } else {
            if (!c.isSpace())
                before = c;
            ++i;
            continue;
        }
        if (name.compare(QLatin1String("tab_historie"), Qt::CaseInsensitive) == 0)
            return true;
        // A column after "x." is a column of x: of the line only when x names it.
        if (before != u'.' && historyLineColumns().contains(name.toLower()))
            return true;
        before = u'a';
    }
    return false;
}

QString ListFilterText(const TDMQueryDef &def, const QString &condition)
{
    if (def.lineFilter.isEmpty() || !NamesHistoryLine(condition))
        return condition;
    QFile file(def.lineFilter);
    if (!file.open(QIODevice::ReadOnly))
        return condition;
    return QString::fromUtf8(file.readAll()).trimmed().replace(WhereFilter, condition);
}
