#pragma once
// Free SQL text run on the data module's connection: the test of a filter
// condition and the SQL console. Failures are reported by the results; the
// reason stays with the connection.
#include "platform/db/connection.h"
#include "platform/variant.h"

#include <QObject>
#include <QString>

class TMSSQLADOCommand : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString CommandText READ CommandText WRITE SetCommandText)
public:
    explicit TMSSQLADOCommand(QObject *parent = nullptr);

    void SetConnection(Db::Connection *connection) { m_connection = connection; }
    Db::Connection *GetConnection() const { return m_connection; }

    const QString &CommandText() const { return m_text; }
    void SetCommandText(const QString &text) { m_text = text; }

    // Runs the text (one statement or several separated by ";").
    bool ExecuteCommand();
    // Runs it and copies the first column of the first row; value stays
    // unchanged on failure.
    bool ExecuteScalarResult(Variant &value);
    // Rows changed by the last command.
    int RowsAffected() const { return m_rowsAffected; }

private:
    Db::Connection *m_connection = nullptr;
    QString m_text;
    int m_rowsAffected = 0;
};
