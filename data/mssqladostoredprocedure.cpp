#include "data/mssqladostoredprocedure.h"

#include "platform/db/assignvariant.h"
#include "platform/db/parameter.h"

namespace {

const QString ReturnValueName = QStringLiteral("@RETURN_VALUE");
const QString CallSavepoint = QStringLiteral("tarmil_call");

// "p_id_polozka" -> "@ID_POLOZKA"; names without the prefix keep their own.
QString procedureName(const QString &serverName)
{
    QString name = serverName;
    if (name.startsWith(QStringLiteral("p_"), Qt::CaseInsensitive))
        name = name.mid(2);
    return u'@' + name.toUpper();
}

// The argument in its server text form, converted to the parameter's kind.
Db::Param argument(const TProcedureParameter &p)
{
    if (p.Value.isEmpty())
        return Db::Param::null();
    Db::Parameter text;
    switch (p.DataType) {
    case Db::FieldType::Integer:
    case Db::FieldType::LargeInt:
        text.SetAsInteger(p.Value.toInt());
        break;
    case Db::FieldType::Currency:
        text.SetAsCurrency(p.Value.toCurrency());
        break;
    case Db::FieldType::Float:
        text.SetAsFloat(p.Value.toDouble());
        break;
    case Db::FieldType::Boolean:
        text.SetAsBoolean(p.Value.toBool());
        break;
    case Db::FieldType::DateTime:
        text.SetAsDateTime(p.Value.toDateTime());
        break;
    default:
        Db::AssignVariant(text, p.Value);
        break;
    }
    return text.IsNull() ? Db::Param::null() : Db::Param{*text.Text(), false, 0};
}

} // namespace

TMSSQLADOStoredProcedure::TMSSQLADOStoredProcedure(QObject *parent)
    : QObject(parent)
{}

void TMSSQLADOStoredProcedure::SetStoredProcedure(const QString &name)
{
    m_name = name;
    m_callName.clear();
    m_callText.clear();
    m_parameters.clear();
    m_scalarResult = false;
    if (!m_connection)
        return;
    if (m_signatureSession != m_connection->sessionSerial()) {
        m_signatures.clear();
        m_signatureSession = m_connection->sessionSerial();
    }
    const QString key = name.toLower();
    auto known = m_signatures.constFind(key);
    if (known == m_signatures.cend()) {
        Signature signature = lookUp(name);
        if (signature.callName.isEmpty())
            return; // not there (yet): asked again next time
        known = m_signatures.insert(key, std::move(signature));
    }
    m_callName = known->callName;
    m_callText = known->callText;
    m_signatureKey = key;
    m_ownDirections = false;
    m_parameters = known->parameters;
    m_scalarResult = known->scalarResult;
}

TMSSQLADOStoredProcedure::Signature TMSSQLADOStoredProcedure::lookUp(const QString &name) const
{
    Signature signature;
    // The first function of that name (without regard to case) on the search path.
    static const QString sql = QStringLiteral(
        "SELECT p.proname, format_type(p.prorettype, NULL), a.ord, a.name, COALESCE(a.mode, 'i'), "
        "       format_type(a.type, NULL), a.type, p.prorettype "
        "FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
        "LEFT JOIN LATERAL unnest(COALESCE(p.proallargtypes, p.proargtypes::oid[]), p.proargnames, "
        "                         p.proargmodes) WITH ORDINALITY AS a(type, name, mode, ord) ON true "
        "WHERE lower(p.proname) = lower($1) AND n.nspname = ANY (current_schemas(false)) "
        "  AND p.oid = (SELECT min(q.oid) FROM pg_proc q JOIN pg_namespace m ON m.oid = q.pronamespace "
        "               WHERE lower(q.proname) = lower($1) AND m.nspname = ANY (current_schemas(false))) "
        "ORDER BY a.ord");
    const Db::Result r = m_connection->exec(sql, {Db::Param::of(name)});
    if (!r.hasRows() || r.rowCount() == 0)
        return signature;
    signature.callName = r.cellText(0, 0);
    TProcedureParameter result{ReturnValueName,
                               QString(),
                               r.cellText(0, 1),
                               Db::FieldTypeOf(r.cellText(0, 7).toUInt()),
                               TParameterDirection::ReturnValue,
                               Variant()};
    std::vector<TProcedureParameter> own;
    bool hasOutputs = false;
    for (int row = 0; row < r.rowCount(); ++row) {
        if (r.cellIsNull(row, 2))
            continue; // no arguments at all
        const QString serverName = r.cellText(row, 3);
        const QString mode = r.cellText(row, 4);
        if (mode == u"o" || mode == u"b" || mode == u"t")
            hasOutputs = true;
        if (mode == u"o" && serverName.compare(QStringLiteral("return_value"), Qt::CaseInsensitive) == 0) {
            result.ServerName = serverName;
            result.TypeName = r.cellText(row, 5);
            result.DataType = Db::FieldTypeOf(r.cellText(row, 6).toUInt());
            continue;
        }
        if (mode == u"t" || mode == u"v")
            continue; // table columns and variadics are not called by the program
        TProcedureParameter p;
        p.ServerName = serverName;
        p.Name = serverName.isEmpty() ? QStringLiteral("@P%1").arg(row + 1) : procedureName(serverName);
        p.TypeName = r.cellText(row, 5);
        p.DataType = Db::FieldTypeOf(r.cellText(row, 6).toUInt());
        p.Direction = mode == u"o"   ? TParameterDirection::Output
                      : mode == u"b" ? TParameterDirection::InputOutput
                                     : TParameterDirection::Input;
        own.push_back(p);
    }
    signature.scalarResult = !hasOutputs;
    signature.parameters.push_back(result);
    for (auto &p : own)
        signature.parameters.push_back(std::move(p));
    return signature;
}

const TProcedureParameter *TMSSQLADOStoredProcedure::findParameter(const QString &name) const
{
    const QString wanted = name.startsWith(u'@') ? name : u'@' + name;
    for (const TProcedureParameter &p : m_parameters) {
        if (p.Name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

TProcedureParameter &TMSSQLADOStoredProcedure::parameter(const QString &name)
{
    if (const TProcedureParameter *p = findParameter(name))
        return const_cast<TProcedureParameter &>(*p);
    throw Db::DatabaseError(QStringLiteral("Parametr „%1“ procedury „%2“ nebyl nalezen.").arg(name, m_name));
}

void TMSSQLADOStoredProcedure::SetParameter(const QString &name, const Variant &value)
{
    parameter(name).Value = value;
}

void TMSSQLADOStoredProcedure::SetOutputParameter(const QString &name, Db::FieldType dataType)
{
    TProcedureParameter &p = parameter(name);
    p.DataType = dataType;
    if (p.Direction == TParameterDirection::Input) {
        p.Direction = TParameterDirection::Output;
        m_callText.clear();
        m_ownDirections = true;
    }
}

Variant TMSSQLADOStoredProcedure::GetParameter(const QString &name) const
{
    if (const TProcedureParameter *p = findParameter(name))
        return p->Value;
    throw Db::DatabaseError(QStringLiteral("Parametr „%1“ procedury „%2“ nebyl nalezen.").arg(name, m_name));
}

// The call's text, made once for the procedure as the catalog has it (and
// again for directions a caller changed).
const QString &TMSSQLADOStoredProcedure::callText()
{
    if (!m_callText.isEmpty())
        return m_callText;
    QStringList arguments;
    for (const TProcedureParameter &p : m_parameters) {
        if (p.Direction == TParameterDirection::Input || p.Direction == TParameterDirection::InputOutput)
            arguments << QStringLiteral("$%1::%2").arg(arguments.size() + 1).arg(p.TypeName);
    }
    m_callText = QStringLiteral("SELECT * FROM %1(%2)")
                     .arg(Db::Connection::quoteIdentifier(m_callName), arguments.join(QStringLiteral(", ")));
    if (!m_ownDirections) {
        const auto known = m_signatures.find(m_signatureKey);
        if (known != m_signatures.end())
            known->callText = m_callText;
    }
    return m_callText;
}

// The arguments of the call as set, in the call text's order.
QList<Db::Param> TMSSQLADOStoredProcedure::arguments() const
{
    QList<Db::Param> params;
    for (const TProcedureParameter &p : m_parameters) {
        if (p.Direction == TParameterDirection::Input || p.Direction == TParameterDirection::InputOutput)
            params << argument(p);
    }
    return params;
}

bool TMSSQLADOStoredProcedure::CallStatement(Db::Statement &statement, QString &returnColumn)
{
    if (!m_connection)
        return false;
    if (m_callName.isEmpty()) {
        reportFailure(QStringLiteral("Procedura „%1“ v databázi neexistuje.").arg(m_name), QStringLiteral("42883"));
        return false;
    }
    statement = Db::Statement{callText(), arguments()};
    // A function with OUT parameters gives them as named columns.
    const TProcedureParameter *result = findParameter(ReturnValueName);
    returnColumn = m_scalarResult
                       ? QString()
                       : (result && !result->ServerName.isEmpty() ? result->ServerName : QStringLiteral("-"));
    return true;
}

Variant TMSSQLADOStoredProcedure::ReturnValueOf(const Db::Result &result, const QString &returnColumn)
{
    if (!result.hasRows())
        return Variant::null();
    const Db::Snapshot rows(result);
    const int column = returnColumn.isEmpty() ? 0 : rows.columnIndex(returnColumn);
    if (rows.rowCount() == 0 || column < 0 || column >= rows.columnCount())
        return Variant::null();
    return rows.value(0, column);
}

bool TMSSQLADOStoredProcedure::execute()
{
    if (!m_connection)
        return false;
    if (m_callName.isEmpty()) {
        m_connection->reportError(QStringLiteral("Procedura „%1“ v databázi neexistuje.").arg(m_name),
                                  QStringLiteral("42883"));
        return false;
    }
    const QList<Db::Param> params = arguments();
    const QString &sql = callText();
    // Inside the data module's transaction a failed call must not abort the
    // whole transaction, so it runs under a savepoint.
    const bool guarded = m_connection->inTransaction();
    if (guarded && !m_connection->savepoint(CallSavepoint))
        return false;
    // The text is the same for every call of a procedure: prepared once per session.
    Db::Result result = m_connection->execPrepared(sql, params);
    if (!result.hasRows()) {
        if (guarded)
            m_connection->rollbackToSavepoint(CallSavepoint);
        return false;
    }
    if (guarded)
        m_connection->releaseSavepoint(CallSavepoint);
    const Db::Snapshot rows(std::move(result));
    for (TProcedureParameter &p : m_parameters) {
        if (p.Direction == TParameterDirection::Input)
            continue;
        const bool scalar = p.Direction == TParameterDirection::ReturnValue && m_scalarResult;
        const int column = scalar ? 0 : (p.ServerName.isEmpty() ? -1 : rows.columnIndex(p.ServerName));
        if (column < 0 || rows.rowCount() == 0)
            p.Value = Variant::null();
        else
            p.Value = rows.value(0, column);
    }
    return true;
}

void TMSSQLADOStoredProcedure::CollectErrors()
{
    if (m_connection && !m_connection->errors().isEmpty())
        m_errorMessage = m_connection->errors().first().line();
}

void TMSSQLADOStoredProcedure::reportFailure(const QString &message, const QString &sqlState)
{
    const Db::ServerError error{message, sqlState};
    m_errorMessage = error.line();
    if (m_connection)
        m_connection->reportError(message, sqlState);
}

bool TMSSQLADOStoredProcedure::ExecuteProcedure()
{
    const bool ok = execute();
    CollectErrors();
    return ok;
}

void TMSSQLADOStoredProcedure::ExecuteReturnValue(Variant &value)
{
    const bool ok = execute();
    CollectErrors();
    value = ok ? GetParameter(ReturnValueName) : Variant::null();
}

bool TMSSQLADOStoredProcedure::ExecuteReturnBool()
{
    const bool ok = execute();
    CollectErrors();
    if (!ok)
        return false;
    try {
        return GetParameter(ReturnValueName).toInt() != 0;
    } catch (const std::exception &e) {
        reportFailure(QString::fromUtf8(e.what()));
        return false;
    }
}

bool TMSSQLADOStoredProcedure::ExecuteReturnId(int &id)
{
    const bool ok = execute();
    CollectErrors();
    if (!ok)
        return false;
    try {
        const Variant value = GetParameter(ReturnValueName);
        if (value.isEmpty())
            return false;
        id = int(value.toInt());
        return id != 0;
    } catch (const std::exception &e) {
        reportFailure(QString::fromUtf8(e.what()));
        return false;
    }
}
