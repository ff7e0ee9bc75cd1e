#pragma once
// What the SQL console does with a statement: its kind by the first
// characters of the upper-cased text, the run on the shop's connection and
// the lines the result memo gets. The text goes to the server as typed: no
// placeholders, no parameters.
#include <QString>
#include <QStringList>

class TDM;

enum class SqlStatementKind { Query, RowCount, Other };

// "SELECT" makes a query; "UPDATE", "INSERT", "DELETE" a change whose rows
// are counted; anything else (leading blanks or comments too) a command.
SqlStatementKind ClassifyStatement(const QString &text);

class SqlConsoleRun
{
public:
    explicit SqlConsoleRun(TDM &dm)
        : m_dm(dm)
    {}
    // Runs the statement and returns the result memo's new lines. A query
    // opens the console query of the data module.
    QStringList Run(const QString &text);

private:
    QStringList failure();
    TDM &m_dm;
};
