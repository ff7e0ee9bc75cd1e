#include "data/dmcall.h"

#include "platform/db/servererror.h"

bool TDMCall::learn(const QString &procedure)
{
    m_procedure.SetStoredProcedure(procedure);
    const Db::Connection *connection = m_procedure.GetConnection();
    // Not in the catalog, or the catalog was not read: only the second
    // leaves the server's reason, which a missing parameter must not replace.
    if (m_procedure.Known() || !connection || connection->errors().isEmpty())
        return true;
    m_procedure.CollectErrors();
    return false;
}

void TDMCall::raiseIfLost() const
{
    const Db::Connection *connection = m_procedure.GetConnection();
    if (connection && !connection->errors().isEmpty() && connection->errors().first().connectionLost())
        throw Db::DatabaseError(connection->errors().first());
}

bool TDMCall::prepare(const QString &procedure, const Params &params)
{
    if (!learn(procedure))
        return false;
    try {
        for (const auto &[name, value] : params)
            m_procedure.SetParameter(name, value);
    } catch (const Db::DatabaseError &error) {
        m_procedure.reportFailure(error.error().message, error.error().sqlState);
        return false;
    }
    return true;
}

bool TDMCall::takes(const QString &procedure, const QString &parameter)
{
    if (!learn(procedure)) {
        raiseIfLost();
        return false;
    }
    if (parameter.isEmpty())
        return m_procedure.Parameters().size() > 0;
    return m_procedure.HasParameter(parameter);
}

Variant TDMCall::tryReturnValue(const QString &procedure, const Params &params)
{
    Variant value = Variant::null();
    if (prepare(procedure, params))
        m_procedure.ExecuteReturnValue(value);
    return value;
}

Variant TDMCall::returnValue(const QString &procedure, const Params &params)
{
    const Variant value = tryReturnValue(procedure, params);
    if (value.isNull())
        raiseIfLost();
    return value;
}

bool TDMCall::returnBool(const QString &procedure, const Params &params)
{
    return prepare(procedure, params) && m_procedure.ExecuteReturnBool();
}

bool TDMCall::returnId(const QString &procedure, const Params &params, int &id)
{
    return prepare(procedure, params) && m_procedure.ExecuteReturnId(id);
}

bool TDMCall::callProcedure(const QString &procedure, const Params &params, const QStringList &outputNames,
                            std::vector<Variant> &outputs)
{
    if (!prepare(procedure, params))
        return false;
    try {
        for (const QString &name : outputNames)
            m_procedure.SetOutputParameter(name, Db::FieldType::String);
    } catch (const Db::DatabaseError &error) {
        m_procedure.reportFailure(error.error().message, error.error().sqlState);
        return false;
    }
    if (!m_procedure.ExecuteProcedure())
        return false;
    outputs.clear();
    for (const QString &name : outputNames)
        outputs.push_back(m_procedure.GetParameter(name));
    return true;
}

std::vector<Variant> TDMCall::returnValues(const std::vector<Request> &calls, Db::PipelineMode mode)
{
    std::vector<Variant> values(calls.size(), Variant::null());
    QList<Db::Statement> statements;
    QStringList returnColumns;
    for (const Request &call : calls) {
        Db::Statement statement;
        QString returnColumn;
        if (!prepare(call.procedure, call.params) || !m_procedure.CallStatement(statement, returnColumn))
            return values;
        statements << statement;
        returnColumns << returnColumn;
    }
    Db::Connection *connection = m_procedure.GetConnection();
    if (!connection || statements.isEmpty())
        return values;
    const QList<Db::Result> results = connection->execPipeline(statements, mode);
    for (qsizetype i = 0; i < results.size(); ++i) {
        if (results[i].succeeded())
            values[size_t(i)] = TMSSQLADOStoredProcedure::ReturnValueOf(results[i], returnColumns[i]);
    }
    m_procedure.CollectErrors();
    return values;
}
