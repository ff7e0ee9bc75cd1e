// Table and column lists, the report list, the cash book, document numbering
// and the saved filters.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include "data/dmquerydefs.h"
#include "data/rowkeytests.h"
#include "platform/db/sqlparameters.h"
#include "platform/formattext.h"

#include <QRegularExpression>

QString TDM::ListDatabaseTables()
{
    return m_call->returnValue(QStringLiteral("TABLES_OF_DATABASE_LIST")).toString();
}

QString TDM::ListTableFields(const QString &table)
{
    return m_call->returnValue(QStringLiteral("FIELDS_OF_TABLE_LIST"), {{"@TABLE", table}}).toString();
}

QString TDM::CurrentStoreName()
{
    return StoreName(IdSklad);
}

bool TDM::ReportNameExistsOther(int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_sestava_SESTAVA_EXISTUJE_2, {{"@ID_SESTAVA", id}, {"@SESTAVA", name}});
}

bool TDM::EditReportDefinition(int id, const QString &name, const QString &file)
{
    return listWrite(MSSQLADOQuery_Sestava, QStringLiteral("ID_SESTAVA"), [&] {
        return m_call->returnBool(DMProc::tab_sestava_EDITOVAT_SESTAVU,
                                  {{"@ID_SESTAVA", id}, {"@SESTAVA", name}, {"@SOUBOR", file}});
    });
}

std::optional<Currency> TDM::CashBalance()
{
    const Variant value = m_call->tryReturnValue(DMProc::tab_pokladna_func_STAV);
    return value.isNull() ? std::nullopt : std::optional(value.toCurrency());
}

bool TDM::CashDepositWithdrawal(Currency amount)
{
    const bool ok = m_call->returnBool(
        DMProc::tab_pokladna_POHYB,
        {{"@ID_OPERACE", 11}, {"@DOKLAD_NETISTENY", "0"}, {"@DOKLAD_VYTISTENY", "0"}, {"@POHYB", amount}});
    afterWrite(ok, [this] { UpdateCashLabel(); });
    return ok;
}

void TDM::UpdateCashLabel()
{
    // A balance the server did not give leaves the label as it was.
    const std::optional<Currency> balance = DataModuleScreens() ? CashBalance() : std::nullopt;
    if (balance)
        setSummaryLabel(TSummaryLabel::Pokladna, Format(QStringLiteral("%m"), {*balance}));
}

bool TDM::NumberingPrefixExistsOther(int id, const QString &prefix)
{
    return nameTaken(prefix, DMProc::tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE_2,
                     {{"@ID_OZNACENI_DOKLAD", id}, {"@OZNACENI_DOKLAD", prefix}});
}

bool TDM::ReadNumbering(int id, TDMNumbering &series)
{
    std::vector<Variant> v;
    if (!m_call->callProcedure(DMProc::tab_oznaceni_doklad_NACIST_DLE_ID_OZNACENI_DOKLAD, {{"@ID_OZNACENI_DOKLAD", id}},
                               {"@OZNACENI_DOKLAD", "@OZNACENI_ODDELOVAC", "@PORADI_DOKLAD_NETISTENY",
                                "@PORADI_DOKLAD_VYTISTENY", "@PORADI_ZAROVNANI"},
                               v))
        return false;
    if (v[0].isNull()) {
        connection().reportError(QStringLiteral("Řada označení dokladů v databázi není."), QStringLiteral("50000"));
        return false;
    }
    series = {v[0].toString(), v[1].toString(), int(v[2].toInt()), int(v[3].toInt()), int(v[4].toInt())};
    return true;
}

bool TDM::EditNumbering(int id, const QString &prefix, const QString &separator, int nextUnprinted, int nextPrinted,
                        int width, const TDMNumbering *read)
{
    TDMCall::Params params{{"@ID_OZNACENI_DOKLAD", id},
                           {"@OZNACENI_DOKLAD", prefix},
                           {"@OZNACENI_ODDELOVAC", separator},
                           {"@PORADI_DOKLAD_NETISTENY", nextUnprinted},
                           {"@PORADI_DOKLAD_VYTISTENY", nextPrinted},
                           {"@PORADI_ZAROVNANI", width}};
    if (read) {
        params.push_back({"@PORADI_DOKLAD_NETISTENY_PUVODNI", read->nextUnprinted});
        params.push_back({"@PORADI_DOKLAD_VYTISTENY_PUVODNI", read->nextPrinted});
    }
    return listWrite(MSSQLADOQuery_OznaceniDoklad, QStringLiteral("ID_OZNACENI_DOKLAD"),
                     [&] { return m_call->returnBool(DMProc::tab_oznaceni_doklad_EDITOVAT_OZNACENI, params); });
}

int TDM::FilterCount()
{
    return int(m_call->returnValue(DMProc::tab_filtr_POCET).toInt());
}

bool TDM::FilterNameExists(const QString &name)
{
    return nameTaken(name, DMProc::tab_filtr_FILTR_EXISTUJE, {{"@FILTR", name}});
}

bool TDM::FilterNameExistsOther(int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_filtr_FILTR_EXISTUJE_2, {{"@ID_FILTR", id}, {"@FILTR", name}});
}

QString TDM::FilterCaption(int id, bool withCaption)
{
    return caption(QStringLiteral("Filtr (%s (ID: %d))"), DMProc::tab_filtr_func_FILTR, QStringLiteral("@ID_FILTR"), id,
                   withCaption);
}

QString TDM::FilterScript(int id)
{
    return m_call->returnValue(DMProc::tab_filtr_func_SCRIPT, {{"@ID_FILTR", id}}).toString();
}

bool TDM::NewFilter(const QString &name, const QString &condition, int &newId)
{
    return listInsert(MSSQLADOQuery_Filtr, QStringLiteral("ID_FILTR"), [&](int &id) {
        const bool ok = m_call->returnId(DMProc::tab_filtr_NOVY_FILTR, {{"@FILTR", name}, {"@SCRIPT", condition}}, id);
        newId = ok ? id : 0;
        return ok;
    });
}

bool TDM::EditFilter(int id, const QString &name, const QString &condition)
{
    return listWrite(MSSQLADOQuery_Filtr, QStringLiteral("ID_FILTR"), [&] {
        return m_call->returnBool(DMProc::tab_filtr_EDITOVAT_FILTR,
                                  {{"@ID_FILTR", id}, {"@FILTR", name}, {"@SCRIPT", condition}});
    });
}

bool TDM::RemoveFilter(int id)
{
    return listWrite(MSSQLADOQuery_Filtr, QStringLiteral("ID_FILTR"), [&] {
        return m_call->returnBool(DMProc::tab_filtr_ODEBRAT_FILTR, {{"@ID_FILTR", id}});
    });
}

bool TDM::ExecuteSQL(const QString &text)
{
    MSSQLADOCommand->SetCommandText(text);
    return MSSQLADOCommand->ExecuteCommand();
}

// A filter is tested without running it: the list's statement with the
// condition in place is only planned (EXPLAIN), as a single statement, so a
// condition that carries a second statement or writes anything is refused
// before it can take effect.
bool TDM::TestFilterCondition(const QString &condition, TMSSQLADOQuery *list)
{
    if (!IsSelfContainedCondition(condition)) {
        connection().reportError(QStringLiteral("Podmínka filtru musí být jedna úplná podmínka "
                                                "(vyvážené závorky a uvozovky, bez středníku a komentáře)."));
        return false;
    }
    const TDMQueryDef *def = FindQueryDef(list->objectName());
    QString sql = list->FormatSQLText();
    const QString placeholder = QStringLiteral("%WHERE_FILTER");
    sql.replace(placeholder, list->PlaceholderValue(placeholder, condition), Qt::CaseInsensitive);
    sql.replace(QStringLiteral("%ORDER_BY"), def->defaultValue(QStringLiteral("%ORDER_BY")), Qt::CaseInsensitive);
    const Db::TranslatedSql translated = Db::TranslateParameters(StateRowKeyTests(sql, RowKeysRead::WholeList).text);
    QList<Db::Param> nulls;
    for (int i = 0; i < translated.names.size(); ++i)
        nulls << Db::Param::null();
    if (connection().exec(QStringLiteral("EXPLAIN ") + translated.sql, nulls).succeeded())
        return true;
    QList<Db::ServerError> errors = connection().errors();
    if (!errors.isEmpty()) {
        const QString hint = AmbiguousColumnHint(list, errors.first());
        if (!hint.isEmpty())
            errors.prepend({hint, QStringLiteral("50000")});
    }
    connection().setErrors(errors);
    return false;
}

QString TDM::AmbiguousColumnHint(TMSSQLADOQuery *list, const Db::ServerError &error)
{
    static const QRegularExpression quotedName(QStringLiteral("\"([^\"]+)\""));
    static const QRegularExpression tableName(QStringLiteral("\\b(tab_[a-z_]+)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch column = quotedName.match(error.message);
    if (error.sqlState != u"42702" || !column.hasMatch())
        return QString();
    QStringList tables;
    // The tables of the list's text, and of the test over the lines that a
    // condition naming a line becomes.
    const QString placeholder = QStringLiteral("%WHERE_FILTER");
    const QString text =
        list->FormatSQLText() +
        (list->PlaceholderText ? list->PlaceholderText(placeholder, QStringLiteral("tab_historie")) : QString());
    for (auto it = tableName.globalMatch(text); it.hasNext();) {
        const QString table = it.next().captured(1).toLower();
        if (!tables.contains(table))
            tables << table;
    }
    const Db::Result owners = connection().exec(
        QStringLiteral(
            "SELECT string_agg(table_name::text, ', ' ORDER BY array_position($1::text[], table_name::text)) "
            "FROM information_schema.columns WHERE table_schema = current_schema() "
            "AND table_name = ANY ($1::text[]) AND column_name = lower($2)"),
        {Db::Param::of(QLatin1Char('{') + tables.join(QLatin1Char(',')) + QLatin1Char('}')),
         Db::Param::of(column.captured(1))});
    const QString found = owners.hasRows() ? owners.cellText(0, 0) : QString();
    const QString name = column.captured(1).toUpper();
    if (found.isEmpty())
        return QStringLiteral("Sloupec %1 je v seznamu nejednoznačný: uveďte před ním jeho tabulku.").arg(name);
    return QStringLiteral("Sloupec %1 má seznam ve více tabulkách (%2): uveďte před ním tabulku, například %3.%1.")
        .arg(name, found, found.section(QStringLiteral(", "), 0, 0));
}
