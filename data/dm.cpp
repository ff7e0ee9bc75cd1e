#include "data/dm.h"

#include "data/dmquerydefs.h"
#include "data/dmscreens.h"
#include "data/dmsearch.h"
#include "kit/formstorage.h"
#include "platform/db/datasource.h"
#include "platform/formattext.h"
#include "platform/messages.h"

#include <QFile>

#include <algorithm>
#include <map>

TDM *DM = nullptr;
QString LoginUzivatel, LoginHeslo, LoginServer;

namespace {

QStringList creationScript()
{
    QFile file(QStringLiteral(":/sql/create_database.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

} // namespace

TDM::TDM(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    if (!DM)
        DM = this;
    MSSQLADOConnection = new TMSSQLADOConnection(this);
    MSSQLADOConnection->setObjectName(QStringLiteral("MSSQLADOConnection"));
    MSSQLADOConnection->SetCreateDatabaseScript(creationScript());
    MSSQLADOStoredProcedure = new TMSSQLADOStoredProcedure(this);
    MSSQLADOStoredProcedure->setObjectName(QStringLiteral("MSSQLADOStoredProcedure"));
    MSSQLADOStoredProcedure->SetConnection(&connection());
    MSSQLADOCommand = new TMSSQLADOCommand(this);
    MSSQLADOCommand->setObjectName(QStringLiteral("MSSQLADOCommand"));
    MSSQLADOCommand->SetConnection(&connection());
    m_call = new TDMCall(*MSSQLADOStoredProcedure);
    connection().setSessionHandler([this](Db::Connection::SessionEvent) { sessionEvent(); });
    connection().setNotificationHandler([this](const QString &channel) { basketNotification(channel); });

    // The members and the definitions are one list by name; a mismatch is
    // the developer's mistake and stops the program before anything runs.
    const std::vector<TDMQueryDef> &defs = DataModuleQueries();
    const QStringList problems = QueryListProblems(QueryMemberNames(), defs);
    if (!problems.isEmpty())
        qFatal("%s", qPrintable(problems.join(QLatin1Char('\n'))));
    TMSSQLADOQuery **members[] = {
#define TARMIL_DM_QUERY_ADDRESS(name) &name,
        TARMIL_DM_QUERIES(TARMIL_DM_QUERY_ADDRESS)
#undef TARMIL_DM_QUERY_ADDRESS
    };
    for (size_t i = 0; i < defs.size(); ++i) {
        *members[i] = createQuery(defs[i]);
        m_queries.push_back(*members[i]);
    }

    auto items = [this](QObject *sender) { MSSQLADOQuery_PolozkaRefreshQuery(sender); };
    auto basket = [this](QObject *sender) { MSSQLADOQuery_ProdejRefreshQuery(sender); };
    auto documents = [this](QObject *sender) { MSSQLADOQuery_DokladRefreshQuery(sender); };
    MSSQLADOQuery_Polozka->OnRefreshQuery = items;
    MSSQLADOQuery_Polozka_Hledat->OnRefreshQuery = items;
    MSSQLADOQuery_Prodej->OnRefreshQuery = basket;
    MSSQLADOQuery_Doklad->OnRefreshQuery = documents;
    MSSQLADOQuery_Doklad_Hledat->OnRefreshQuery = documents;
    SetUpSearchTwins(*MSSQLADOQuery_Polozka_Hledat, *MSSQLADOQuery_Doklad_Hledat, *MSSQLADOQuery_Doklad);

    DataSource_Polozka = new Db::DataSource(this);
    DataSource_Polozka->SetDataSet(MSSQLADOQuery_Polozka);
    DataSource_Doklad = new Db::DataSource(this);
    DataSource_Doklad->SetDataSet(MSSQLADOQuery_Doklad);
    SetDetailMasters(DataSource_Polozka, DataSource_Doklad);

    setupFormStorage();
}

TDM::~TDM()
{
    // The detail queries let go of their masters before the sources go.
    MSSQLADOQuery_PolozkaHistorie->SetMasterSource(nullptr);
    MSSQLADOQuery_DokladDetail->SetMasterSource(nullptr);
    MSSQLADOQuery_DokladDph->SetMasterSource(nullptr);
    connection().setSessionHandler({});
    delete m_call;
    if (DM == this)
        DM = nullptr;
}

Db::Connection &TDM::connection() const
{
    return MSSQLADOConnection->Connection();
}

QStringList TDM::QueryMemberNames()
{
#define TARMIL_DM_QUERY_NAME(name) QStringLiteral(#name),
    return {TARMIL_DM_QUERIES(TARMIL_DM_QUERY_NAME)};
#undef TARMIL_DM_QUERY_NAME
}

QStringList TDM::QueryListProblems(const QStringList &members, const std::vector<TDMQueryDef> &definitions)
{
    QStringList problems;
    const qsizetype count = std::max(members.size(), qsizetype(definitions.size()));
    for (qsizetype i = 0; i < count; ++i) {
        const QString member = i < members.size() ? members[i] : QStringLiteral("(none)");
        const QString defined =
            i < qsizetype(definitions.size()) ? definitions[size_t(i)].component : QStringLiteral("(none)");
        if (member != defined)
            problems << QStringLiteral("list %1: member %2, definition %3").arg(i + 1).arg(member, defined);
    }
    std::map<int, int> uses; // place -> definitions that take it
    int stored = 0;
    for (const TDMQueryDef &def : definitions) {
        if (def.iniPosition != 0) {
            ++uses[def.iniPosition];
            ++stored;
        }
    }
    for (int place = 1; place <= stored; ++place)
        if (uses[place] == 0)
            problems << QStringLiteral("settings file place %1 is not given").arg(place);
    for (const auto &[place, count] : uses)
        if (count > 1)
            problems << QStringLiteral("settings file place %1 is given %2 times").arg(place).arg(count);
    return problems;
}

TMSSQLADOQuery *TDM::createQuery(const TDMQueryDef &def)
{
    auto *query = new TMSSQLADOQuery(this);
    query->setObjectName(def.component);
    query->SetConnection(&connection());
    query->KeyFields = def.keyField;
    const QStringList lines = QueryTemplateLines(def);
    if (def.placeholders.empty()) {
        if (def.component != QLatin1String("MSSQLADOQuery_SQL"))
            query->SetSQL(lines.join(QStringLiteral("\r\n")));
    } else {
        if (!def.lineFilter.isEmpty())
            query->PlaceholderText = [&def](const QString &name, const QString &value) {
                return name == QLatin1String("%WHERE_FILTER") ? ListFilterText(def, value) : value;
            };
        query->FormatParamCheck = false; // stored data: no questions, no rescanning
        query->SetFormatSQL(lines);
        for (const TDMPlaceholderDef &p : def.placeholders) {
            TFormatParameter *parameter = query->FormatParameters().Add();
            parameter->SetName(p.name);
            parameter->SetFormatParameterValue(p.defaultValue);
        }
        query->FormatParamCheck = true;
        // The ordinary parameters exist before the first opening, so the
        // callers can set them.
        query->SetSQL(query->ApplyFormatParameters(query->FormatSQLText()));
    }
    ApplyFieldDefs(def, *query);
    query->setPageRows(def.pageRows);
    query->setPlannedEachRun(def.plannedEachRun);
    query->SetRowsByKeys(def.rowsByKeys);
    return query;
}

void TDM::SetDetailMasters(Db::DataSource *items, Db::DataSource *documents)
{
    MSSQLADOQuery_PolozkaHistorie->SetMasterSource(items);
    MSSQLADOQuery_DokladDetail->SetMasterSource(documents);
    MSSQLADOQuery_DokladDph->SetMasterSource(documents);
}

TMSSQLADOQuery *TDM::QueryByName(const QString &component) const
{
    for (TMSSQLADOQuery *query : Queries())
        if (query->objectName() == component)
            return query;
    return nullptr;
}

QString TDM::LastErrorText() const
{
    return MSSQLADOConnection->LastErrorText();
}

QString TDM::DatabaseName()
{
    return TMSSQLADOConnection::ProgramDatabaseName();
}

// ---------------------------------------------------------------- form storage

void TDM::setupFormStorage()
{
    FormStorage = new TFormStorage(this);
    FormStorage->setObjectName(QStringLiteral("FormStorage"));
    FormStorage->SetIniFileName(QStringLiteral("Tarmil5.ini"));
    FormStorage->SetIniSection(QStringLiteral("DM"));
    FormStorage->SetOptions({});
    std::vector<const TDMQueryDef *> stored;
    for (const TDMQueryDef &def : DataModuleQueries())
        if (def.iniPosition != 0)
            stored.push_back(&def);
    std::sort(stored.begin(), stored.end(),
              [](const TDMQueryDef *a, const TDMQueryDef *b) { return a->iniPosition < b->iniPosition; });
    QStringList props;
    for (const TDMQueryDef *def : stored)
        props << def->component + QStringLiteral(".FormatParameters");
    FormStorage->SetStoredProps(props);
    FormStorage->OnRestorePlacement = [this](TFormPlacement *placement) { sanitizeStoredParameters(placement); };
}

// The settings file is text anyone can edit, and its values become SQL: each
// query keeps exactly its own placeholders, and a value that is not a known
// sort order of the query or not a self-contained condition gives way to the
// default.
void TDM::sanitizeStoredParameters(TFormPlacement *)
{
    for (const TDMQueryDef &def : DataModuleQueries()) {
        if (def.placeholders.empty())
            continue;
        TMSSQLADOQuery *query = QueryByName(def.component);
        std::vector<QString> values;
        for (const TDMPlaceholderDef &p : def.placeholders) {
            const TFormatParameter *restored = query->FormatParameters().FindParameter(p.name);
            const QString value = restored ? restored->Value().trimmed() : QString();
            const bool valid =
                p.name == QLatin1String("%ORDER_BY") ? IsKnownSortOrder(def, value) : IsSelfContainedCondition(value);
            values.push_back(valid ? value : p.defaultValue);
        }
        query->FormatParameters().Clear();
        for (size_t i = 0; i < def.placeholders.size(); ++i) {
            TFormatParameter *parameter = query->FormatParameters().Add();
            parameter->SetName(def.placeholders[i].name);
            parameter->SetFormatParameterValue(values[i]);
        }
    }
}

// Opens a list; when the server refuses a sort order or filter that differs
// from the list's default (one restored from the settings file), the list
// opens with its defaults instead and the user is told.
bool TDM::openList(TMSSQLADOQuery *query)
{
    try {
        query->RefreshQuery();
        return true;
    } catch (const Db::DatabaseError &error) {
        const TDMQueryDef *def = FindQueryDef(query->objectName());
        bool changed = false;
        for (const TDMPlaceholderDef &p : def ? def->placeholders : std::vector<TDMPlaceholderDef>{}) {
            TFormatParameter *parameter = query->FormatParameters().FindParameter(p.name);
            if (parameter && parameter->Value() != p.defaultValue) {
                parameter->SetFormatParameterValue(p.defaultValue);
                changed = true;
            }
        }
        if (!changed) {
            connection().reportError(error.error());
            return false;
        }
        ShowWarning(QStringLiteral("Uložený filtr nebo řazení seznamu nelze použít..."),
                    QStringLiteral("Seznam se otevře s výchozím filtrem a řazením..."), error.text());
        try {
            query->RefreshQuery();
            return true;
        } catch (const Db::DatabaseError &again) {
            connection().reportError(again.error());
            return false;
        }
    }
}

// ---------------------------------------------------------------- summary labels

void TDM::setSummaryLabel(TSummaryLabel label, const QString &text)
{
    if (TDMScreens *screens = DataModuleScreens())
        screens->SetSummaryLabel(label, text);
}

void TDM::MSSQLADOQuery_PolozkaRefreshQuery(QObject *)
{
    if (!DataModuleScreens())
        return;
    TMSSQLADOQuery *items = MSSQLADOQuery_Polozka;
    setSummaryLabel(TSummaryLabel::Sklad,
                    Format(QStringLiteral("%s [ položek: %d, celkem: %m ]"),
                           {CurrentStoreName(), items->RecordCount(), items->SumField("NAKUP_CELKEM")}));
}

void TDM::MSSQLADOQuery_ProdejRefreshQuery(QObject *)
{
    if (!DataModuleScreens())
        return;
    TMSSQLADOQuery *basket = MSSQLADOQuery_Prodej;
    setSummaryLabel(TSummaryLabel::ProdejStatus, Format(QStringLiteral("%d [ celkem: %m ]"),
                                                        {basket->RecordCount(), basket->SumField("PRODEJ_CELKEM")}));
}

void TDM::MSSQLADOQuery_DokladRefreshQuery(QObject *)
{
    if (!DataModuleScreens())
        return;
    TMSSQLADOQuery *documents = MSSQLADOQuery_Doklad;
    std::vector<Currency> sums(3);
    documents->SumFields({"NAKUP_CELKEM", "PRODEJ_HOTOVOST_CELKEM", "PRODEJ_FAKTURA_CELKEM"}, sums);
    const Currency purchase = sums[0], cash = sums[1], invoice = sums[2];
    setSummaryLabel(TSummaryLabel::Doklady,
                    Format(QStringLiteral("%d [ celkem: %m ]"), {documents->RecordCount(), purchase}));
    setSummaryLabel(TSummaryLabel::Prodeje, Format(QStringLiteral("Celkem: %m [ za hotové: %m, na fakturu: %m ]"),
                                                   {cash + invoice, cash, invoice}));
    setSummaryLabel(TSummaryLabel::Zisk, Format(QStringLiteral("%m"), {cash + invoice - purchase}));
}
