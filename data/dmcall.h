#pragma once
// The data module's way of calling a procedure or function through its one
// stored-procedure object: the name, the parameters by their "@NAME", one
// execute variant. The object runs each call inside a transaction under a
// savepoint, so a refused call undoes only itself.
#include "data/mssqladostoredprocedure.h"
#include "platform/variant.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class TDMCall
{
public:
    using Params = std::vector<std::pair<QString, Variant>>;

    explicit TDMCall(TMSSQLADOStoredProcedure &procedure)
        : m_procedure(procedure)
    {}

    // The value of "@RETURN_VALUE"; Null when the server refused the call.
    // A call that met a lost session throws Db::DatabaseError with the
    // loss as its reason: its caller has no answer to go on with.
    Variant returnValue(const QString &procedure, const Params &params = {});
    // The same, Null also when the session was lost (the reason is the
    // connection's): for callers that tell a missing answer themselves.
    Variant tryReturnValue(const QString &procedure, const Params &params = {});
    // True when the value is not 0 (false also when the call failed).
    bool returnBool(const QString &procedure, const Params &params = {});
    // True when the value is a non-zero id; id is left alone on failure.
    bool returnId(const QString &procedure, const Params &params, int &id);
    struct Request
    {
        QString procedure;
        Params params;
    };
    // The calls sent together in one round trip (Db::Connection::execPipeline
    // in the given mode) and the value of "@RETURN_VALUE" of each in order:
    // Null for the call that failed and for those after it, which did not run.
    std::vector<Variant> returnValues(const std::vector<Request> &calls, Db::PipelineMode mode);
    // Whether the database's procedure takes the parameter, or exists at all
    // (an empty name). A database made by an earlier version keeps its
    // procedures: a parameter added later is sent only where it is taken. The
    // session asks the catalog once per procedure; a catalog that could not
    // be asked (a lost session) throws as returnValue does.
    bool takes(const QString &procedure, const QString &parameter = QString());
    // Runs a procedure and reads the named output parameters back.
    bool callProcedure(const QString &procedure, const Params &params, const QStringList &outputNames,
                       std::vector<Variant> &outputs);

private:
    // Sets the name and the parameters; false when the procedure does not
    // take one of them (the call is then not made).
    bool prepare(const QString &procedure, const Params &params);
    // Sets the name; false (the server's reason collected) when the catalog
    // could not be asked for the procedure's parameters.
    bool learn(const QString &procedure);
    // Throws the connection's first error when it is a lost session.
    void raiseIfLost() const;

    TMSSQLADOStoredProcedure &m_procedure;
};
