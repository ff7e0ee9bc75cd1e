#pragma once
// The one object through which the data module calls the database's
// procedures and scalar functions. Writing the name learns the parameter
// list from the server's catalog: "@RETURN_VALUE" first (the function's
// result, or its OUT parameter "return_value"), then "@X" for each
// parameter p_x. Executions catch the server's errors and report failure by
// their result; the error line stays in ADOErrorMessage and the connection.
#include "platform/db/connection.h"
#include "platform/db/snapshot.h"
#include "platform/variant.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <vector>

enum class TParameterDirection { Input, Output, InputOutput, ReturnValue };

struct TProcedureParameter
{
    QString Name;       // "@ID_POLOZKA", "@RETURN_VALUE"
    QString ServerName; // "p_id_polozka"; for the return value its OUT column, if any
    QString TypeName;   // the server's type, for casting the argument
    Db::FieldType DataType = Db::FieldType::Unknown;
    TParameterDirection Direction = TParameterDirection::Input;
    Variant Value;
};

class TMSSQLADOStoredProcedure : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString StoredProcedure READ StoredProcedure WRITE SetStoredProcedure)
    Q_PROPERTY(QString ADOErrorMessage READ ADOErrorMessage)
public:
    explicit TMSSQLADOStoredProcedure(QObject *parent = nullptr);

    void SetConnection(Db::Connection *connection) { m_connection = connection; }
    Db::Connection *GetConnection() const { return m_connection; }

    const QString &StoredProcedure() const { return m_name; }
    // Sets the name and the parameter list the server's catalog gives. A
    // session asks the catalog once per name: the lists learnt stay until the
    // connection opens another session.
    void SetStoredProcedure(const QString &name);
    const QString &ADOErrorMessage() const { return m_errorMessage; }
    const std::vector<TProcedureParameter> &Parameters() const { return m_parameters; }
    // Whether the catalog gave the procedure as set (false: not there, or
    // the catalog could not be asked, the connection's errors saying why).
    bool Known() const { return !m_callName.isEmpty(); }

    // These throw Db::DatabaseError when the name is not in the list.
    void SetParameter(const QString &name, const Variant &value);
    void SetOutputParameter(const QString &name, Db::FieldType dataType);
    Variant GetParameter(const QString &name) const;
    // Whether the procedure as set takes the parameter (the catalog's list).
    bool HasParameter(const QString &name) const { return findParameter(name) != nullptr; }

    // The call as set (name and parameters) as a statement to send with
    // others, and the column of its result that holds "@RETURN_VALUE" (empty:
    // the first); false (reported) when the procedure does not exist.
    bool CallStatement(Db::Statement &statement, QString &returnColumn);
    // "@RETURN_VALUE" as such a statement's result holds it; Null when the
    // statement did not run or failed.
    static Variant ReturnValueOf(const Db::Result &result, const QString &returnColumn);

    bool ExecuteProcedure();
    void ExecuteReturnValue(Variant &value);
    bool ExecuteReturnBool();
    bool ExecuteReturnId(int &id);
    void CollectErrors();
    // Records a failure found on this side (a missing parameter, a result
    // that is not a number) where the server's errors would be: in
    // ADOErrorMessage and in the connection's errors.
    void reportFailure(const QString &message, const QString &sqlState = QString());

private:
    // What the catalog says of a function: its name there, the parameters
    // ("@RETURN_VALUE" first) and whether the result is the one column.
    struct Signature
    {
        QString callName;
        QString callText; // the call's SQL, once made
        std::vector<TProcedureParameter> parameters;
        bool scalarResult = false;
    };
    Signature lookUp(const QString &name) const;
    TProcedureParameter &parameter(const QString &name);
    const TProcedureParameter *findParameter(const QString &name) const;
    // Runs the call; false when the server refused it (errors collected).
    bool execute();
    const QString &callText();
    QList<Db::Param> arguments() const;

    Db::Connection *m_connection = nullptr;
    QString m_name;
    QString m_callName; // the function's name as the catalog has it
    QString m_callText; // the call's SQL, empty until made
    QString m_signatureKey;
    bool m_ownDirections = false; // a caller made an input an output
    std::vector<TProcedureParameter> m_parameters;
    bool m_scalarResult = false; // no OUT parameters: the result is the one column
    QString m_errorMessage;
    QHash<QString, Signature> m_signatures; // by lower-case name; functions found only
    quint64 m_signatureSession = 0;         // the connection's session they came from
};
