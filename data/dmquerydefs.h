#pragma once
// The stored definitions of the data module's list queries: the template kept
// in resources/sql/queries, the placeholders with their default values, the
// ordinary parameters, the key column and the persistent fields with their
// display settings. Also the checks that a placeholder value restored from the
// settings file may go into the SQL at all.
#include <QString>
#include <QStringList>

#include <vector>

namespace Db {
class Dataset;
}

struct TDMFieldDef
{
    QString name;
    QString origin;        // base table for sorting, empty for computed columns
    QString displayFormat; // ",0.###", "0.##", "0.00" or empty
    QString displayValues; // "N;A", "[P]latný;[Z]rušený" or empty
    bool readOnly = false;
};

struct TDMPlaceholderDef
{
    QString name; // "%ORDER_BY", "%WHERE_FILTER"
    QString defaultValue;
};

struct TDMQueryDef
{
    QString component;                           // "MSSQLADOQuery_Polozka"
    QString resource;                            // ":/sql/queries/Polozka.sql"
    QString keyField;                            // column that identifies a row ("ID_POLOZKA")
    std::vector<TDMPlaceholderDef> placeholders; // empty: plain SQL without a template
    QStringList parameters;                      // ":NAME" parameters, without the colon
    std::vector<TDMFieldDef> fields;
    // Its place (from 1) among the collections the form storage keeps in
    // section "DM", in the order they are written; 0: not kept.
    int iniPosition = 0;
    // Whether a write's rows are read by their keys through the statement's
    // :KLICE (TMSSQLADOQuery::SetRowsByKeys); false: the list is only ever
    // re-queried whole.
    bool rowsByKeys = false;
    // Rows read at a time (Db::Dataset::setPageRows); 0: all at once.
    int pageRows = 0;
    // Planned for each run's values (Db::Dataset::setPlannedEachRun).
    bool plannedEachRun = false;
    // The resource of the test over an item's history lines that a
    // "%WHERE_FILTER" naming the lines (NamesHistoryLine) becomes, with the
    // condition in its "%WHERE_FILTER"; empty: the filter goes in as it is.
    QString lineFilter;

    const TDMFieldDef *findField(const QString &name) const;
    QString defaultValue(const QString &placeholder) const;
};

// Every query of the data module, in the module's declaration order.
const std::vector<TDMQueryDef> &DataModuleQueries();
const TDMQueryDef *FindQueryDef(const QString &component);

// The template's text as stored (lines ended by CR LF), or empty when the
// resource is missing.
QStringList QueryTemplateLines(const TDMQueryDef &def);

// Applies the display settings of the definition to the dataset's fields.
void ApplyFieldDefs(const TDMQueryDef &def, Db::Dataset &dataset);

// "%ORDER_BY" values a query accepts: each sortable column of the query (its
// origin and name, or the name alone for a computed column), ascending or
// followed by " DESC", as the column sorting writes them.
bool IsKnownSortOrder(const TDMQueryDef &def, const QString &value);

// A "%WHERE_FILTER" condition stands in parentheses in its template; it may
// not leave them: quotes and parentheses balance, and there is no statement
// separator and no comment outside quoted text. Whether the server accepts
// the condition is found out when the list opens.
bool IsSelfContainedCondition(const QString &condition);

// Whether a condition of the item list can speak of an item's history line:
// it names the table tab_historie, or one of the line's columns without a
// table before it. One that does not is true or false for an item whatever
// its lines are.
bool NamesHistoryLine(const QString &condition);

// The condition as it goes into the list's text: a condition naming a line
// becomes the def's test over each item's lines, any other stays as it is.
QString ListFilterText(const TDMQueryDef &def, const QString &condition);
