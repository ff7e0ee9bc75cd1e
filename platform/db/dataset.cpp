#include "platform/db/dataset.h"

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/filterexpression.h"
#include "platform/db/sqlparameters.h"

#include <atomic>

namespace Db {

Dataset::Dataset(QObject *parent)
    : QObject(parent)
{}

Dataset::~Dataset()
{
    m_masterLink.reset();
    const std::vector<DataSource *> sources = m_sources;
    m_sources.clear();
    for (DataSource *source : sources) {
        source->m_dataset = nullptr;
        // Observers drop the fields they hold before those are gone.
        source->notifyLinks(DataEvent::ActiveChanged, nullptr);
    }
}

void Dataset::SetSQL(const QString &sql)
{
    Close();
    m_sql = sql;
    m_plainSql = false;
    const TranslatedSql translated = TranslateParameters(sql);
    m_translatedSql = translated.sql;
    m_sqlParamNames = translated.names;
    std::vector<Parameter> params;
    for (const QString &name : translated.names) {
        const Parameter *old = FindParam(name);
        params.push_back(old ? *old : Parameter(name));
    }
    m_params = std::move(params);
}

void Dataset::setPlainSql(const QString &sql)
{
    Close();
    m_sql = sql;
    m_translatedSql = sql;
    m_plainSql = true;
    m_sqlParamNames.clear();
    m_params.clear();
}

Parameter *Dataset::FindParam(const QString &name)
{
    for (Parameter &p : m_params) {
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

Parameter &Dataset::ParamByName(const QString &name)
{
    if (Parameter *p = FindParam(name))
        return *p;
    throw DatabaseError(QStringLiteral("Parametr „%1“ nebyl nalezen.").arg(name));
}

void Dataset::execute(bool keepOnFailure)
{
    if (!m_connection)
        throw DatabaseError(QStringLiteral("Dotaz není připojen k databázi."));
    if (m_pageOrderOf != m_sql) {
        m_pageOrderOf = m_sql;
        m_pageOrder = m_plainSql ? std::nullopt : PageOrder::read(m_sql);
    }
    // A statement whose order this side cannot go on from is read whole.
    const bool paged = m_pageRows > 0 && !m_plainSql && m_pageOrder;
    Result result = m_plainSql ? m_connection->exec(m_translatedSql) : run(QString(), {}, paged ? m_pageRows : 0);
    auto rows = result.succeeded() ? std::make_shared<Db::Snapshot>(std::move(result)) : nullptr;
    if (rows && paged && !m_pageOrder->fits(*rows)) {
        m_pageOrder.reset();
        result = run(QString(), {}, 0);
        rows = result.succeeded() ? std::make_shared<Db::Snapshot>(std::move(result)) : nullptr;
    }
    if (!rows) {
        const ServerError error = m_connection->errors().value(0);
        if (!keepOnFailure && Active())
            Close();
        throw DatabaseError(error);
    }
    m_moreRows = paged && m_pageOrder && rows->rowCount() >= m_pageRows;
    m_moreBefore = false;
    install(std::move(rows));
    m_rowsSession = m_connection->sessionSerial();
}

int Dataset::boundParams(QList<Param> &params)
{
    for (const QString &name : m_sqlParamNames) {
        const Parameter *p = FindParam(name);
        params << (p && !p->IsNull() ? Param{*p->Text(), false, 0} : Param::null());
    }
    return int(params.size());
}

Result Dataset::run(const QString &condition, const QList<Param> &values, int limit)
{
    // A list runs the same statement again and again (re-queries, a detail
    // following its master, its pages): prepared once per session, unless
    // it is planned for each run's values. The console's text may hold
    // several statements and runs as it is.
    return runStatement(condition.isEmpty() ? m_translatedSql : m_pageOrder->statement(m_translatedSql, condition),
                        values, limit);
}

Result Dataset::runStatement(QString sql, const QList<Param> &values, int limit)
{
    QList<Param> params;
    boundParams(params);
    params += values;
    if (limit > 0) {
        params << Param{QByteArray::number(limit), false, 0};
        sql += QStringLiteral("\nLIMIT $") + QString::number(params.size());
    }
    return m_plannedEachRun ? m_connection->exec(sql, params) : m_connection->execPrepared(sql, params);
}

void Dataset::Open()
{
    if (Active())
        return;
    emit beforeOpen();
    if (m_masterLink)
        masterChanged(false);
    execute(false);
    m_state = DataSetState::Browse;
    if (m_filterActive)
        readAllRows(); // a filter chooses among all the rows
    goFirstQuietly();
    emit afterOpen();
    notify(DataEvent::ActiveChanged);
    emit afterScroll();
}

void Dataset::Close()
{
    if (!Active())
        return;
    emit beforeClose();
    m_pending.clear();
    m_state = DataSetState::Inactive;
    m_snapshot.reset();
    m_moreRows = false;
    m_moreBefore = false;
    m_visible.clear();
    m_filterActive = false;
    m_pos = -1;
    m_bof = m_eof = true;
    for (Field *field : m_fieldList)
        field->unbind();
    notify(DataEvent::ActiveChanged);
    emit afterClose();
}

void Dataset::Requery()
{
    if (!Active()) {
        Open();
        return;
    }
    if (m_state == DataSetState::Edit)
        Cancel();
    execute(true);
    goFirstQuietly();
    notify(DataEvent::DataSetChanged);
    emit afterScroll();
}

bool Dataset::CanSpliceRows() const
{
    // Rows read in another server session (the connection was opened again)
    // may be gone: only a re-query tells.
    // A row may not be placed among rows read in part: it could come again
    // with the next page.
    return m_state == DataSetState::Browse && !m_filterActive && !m_filtered && !m_moreRows && !m_moreBefore &&
           m_snapshot && m_connection && m_connection->sessionSerial() == m_rowsSession;
}

void Dataset::showSplicedRows(SnapshotPtr snapshot, int position)
{
    m_snapshot = std::move(snapshot);
    m_pending.clear();
    goFirstQuietly();
    if (position >= 0 && position < visibleCount()) {
        m_pos = position;
        m_bof = m_eof = false;
    }
    notify(DataEvent::DataSetChanged);
    emit afterScroll();
}

void Dataset::goFirstQuietly()
{
    m_pos = visibleCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = visibleCount() == 0;
}

void Dataset::Clone(const Dataset &source)
{
    Close();
    if (!source.Active() || !source.m_snapshot)
        return;
    m_connection = source.m_connection;
    for (const Field *theirs : source.m_fieldList) {
        if (FindField(theirs->FieldName()))
            continue;
        auto field = std::make_unique<Field>(this, theirs->FieldName());
        field->Origin = theirs->Origin;
        field->DisplayFormat = theirs->DisplayFormat;
        field->DisplayValues = theirs->DisplayValues;
        field->DisplayLabel = theirs->DisplayLabel;
        field->DisplayWidth = theirs->DisplayWidth;
        field->Visible = theirs->Visible;
        field->ReadOnly = theirs->ReadOnly;
        m_fieldList.push_back(field.get());
        m_fields.push_back(std::move(field));
        m_fieldsStamp = newFieldsStamp();
    }
    KeyFields = source.KeyFields;
    install(source.m_snapshot);
    m_rowsSession = source.m_rowsSession;
    m_state = DataSetState::Browse;
    goFirstQuietly();
    notify(DataEvent::ActiveChanged);
}

void Dataset::install(SnapshotPtr snapshot)
{
    QStringList before;
    for (const Field *f : m_fieldList)
        before << f->FieldName();
    m_snapshot = std::move(snapshot);
    m_pending.clear();
    bindFields();
    QStringList after;
    for (const Field *f : m_fieldList)
        after << f->FieldName();
    if (m_filtered && !m_filterText.trimmed().isEmpty())
        m_filterExpression = FilterExpression::Parse(m_filterText, *this);
    rebuildVisibleRows();
    if (Active() && before != after)
        notify(DataEvent::LayoutChanged);
}

void Dataset::bindFields()
{
    std::vector<std::unique_ptr<Field>> old = std::move(m_fields);
    m_fields.clear();
    auto takeOld = [&](const QString &name) -> std::unique_ptr<Field> {
        for (auto &f : old) {
            if (f && f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
                return std::move(f);
        }
        return nullptr;
    };
    for (int c = 0; c < m_snapshot->columnCount(); ++c) {
        const ColumnInfo &info = m_snapshot->column(c);
        std::unique_ptr<Field> field = takeOld(info.name);
        if (!field)
            field = std::make_unique<Field>(this, info.name);
        field->bind(c, info);
        m_fields.push_back(std::move(field));
    }
    for (auto &f : old) {
        if (!f)
            continue;
        for (const QString &name : m_persistentNames) {
            if (name.compare(f->FieldName(), Qt::CaseInsensitive) == 0) {
                f->unbind();
                m_fields.push_back(std::move(f));
                break;
            }
        }
    }
    m_fieldList.clear();
    for (auto &f : m_fields)
        m_fieldList.push_back(f.get());
    m_fieldsStamp = newFieldsStamp();
}

namespace {

// Field names compared without regard to case. Reports look fields up for
// every value they print, and names are mostly ASCII: those letters are
// compared here, anything else by Qt.
bool sameFieldName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t c = a.at(i).unicode(), d = b.at(i).unicode();
        if (c == d)
            continue;
        if (c >= 0x80 || d >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        const char16_t lower = c | 0x20;
        if (lower != (d | 0x20) || lower < u'a' || lower > u'z')
            return false;
    }
    return true;
}

} // namespace

quint64 Dataset::newFieldsStamp()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

Field *Dataset::FindField(const QString &name) const
{
    for (Field *f : m_fieldList) {
        if (sameFieldName(f->FieldName(), name))
            return f;
    }
    return nullptr;
}

Field &Dataset::FieldByName(const QString &name) const
{
    if (Field *f = FindField(name))
        return *f;
    throw DatabaseError(QStringLiteral("Pole „%1“ nebylo nalezeno.").arg(name));
}

Field *Dataset::AddField(const QString &name)
{
    m_persistentNames.push_back(name);
    if (Field *existing = FindField(name))
        return existing;
    auto field = std::make_unique<Field>(this, name);
    if (m_snapshot) {
        const int c = m_snapshot->columnIndex(name);
        if (c >= 0)
            field->bind(c, m_snapshot->column(c));
    }
    m_fieldList.push_back(field.get());
    m_fields.push_back(std::move(field));
    m_fieldsStamp = newFieldsStamp();
    return m_fieldList.back();
}

int Dataset::visibleCount() const
{
    if (m_filterActive)
        return int(m_visible.size());
    return m_snapshot ? m_snapshot->rowCount() : 0;
}

int Dataset::snapshotRow(int position) const
{
    if (position < 0 || position >= visibleCount())
        return -1;
    return m_filterActive ? m_visible[size_t(position)] : position;
}

int Dataset::currentRow() const
{
    if (m_evaluatingRow >= 0)
        return m_evaluatingRow;
    return snapshotRow(m_pos);
}

void Dataset::moveTo(int position, bool scrolled)
{
    if (m_state == DataSetState::Edit)
        Post();
    if (position == m_pos)
        return;
    m_pos = position;
    if (scrolled) {
        emit afterScroll();
        notify(DataEvent::DataSetScroll);
    }
}

void Dataset::First()
{
    if (CanFetchBefore())
        readFirstPage();
    moveTo(visibleCount() > 0 ? 0 : -1, true);
    m_bof = true;
    m_eof = visibleCount() == 0;
}

void Dataset::Last()
{
    if (!readLastPage())
        readAllRows();
    moveTo(visibleCount() - 1, true);
    m_eof = true;
    m_bof = visibleCount() == 0;
}

void Dataset::Next()
{
    if (m_pos + 1 >= visibleCount())
        readAllRows();
    if (m_pos + 1 < visibleCount()) {
        moveTo(m_pos + 1, true);
        m_bof = m_eof = false;
    } else {
        m_eof = true;
    }
}

void Dataset::Prior()
{
    if (m_pos <= 0 && CanFetchBefore())
        fetchBefore(false);
    if (m_pos > 0) {
        moveTo(m_pos - 1, true);
        m_bof = m_eof = false;
    } else {
        m_bof = true;
    }
}

int Dataset::MoveBy(int distance)
{
    if (m_pos + distance >= visibleCount())
        readAllRows();
    for (int before = -1; m_pos + distance < 0 && CanFetchBefore() && before != visibleCount();) {
        before = visibleCount();
        fetchBefore(false);
    }
    const int count = visibleCount();
    if (count == 0)
        return 0;
    const int wanted = m_pos + distance;
    const int target = std::clamp(wanted, 0, count - 1);
    const int moved = target - m_pos;
    moveTo(target, true);
    m_eof = wanted > count - 1;
    m_bof = wanted < 0;
    return moved;
}

void Dataset::SetRecNo(int recNo)
{
    if (recNo > visibleCount())
        readAllRows();
    const int count = visibleCount();
    if (count == 0)
        return;
    moveTo(std::clamp(recNo - 1, 0, count - 1), true);
    m_bof = m_eof = false;
}

void Dataset::DisableControls()
{
    ++m_disableCount;
}

void Dataset::EnableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0)
        notify(DataEvent::DataSetChanged);
}

void Dataset::Resync()
{
    notify(DataEvent::DataSetChanged);
}

void Dataset::notify(DataEvent event, Field *field)
{
    if (m_disableCount > 0)
        return;
    const std::vector<DataSource *> sources = m_sources; // a link may detach
    for (DataSource *source : sources)
        source->notifyLinks(event, field);
}

void Dataset::SetMasterSource(DataSource *source)
{
    if (!source) {
        m_masterLink.reset();
        return;
    }
    if (!m_masterLink)
        m_masterLink = std::make_unique<MasterLink>(this);
    m_masterLink->SetDataSource(source);
}

DataSource *Dataset::MasterSource() const
{
    return m_masterLink ? m_masterLink->GetDataSource() : nullptr;
}

void Dataset::masterChanged(bool scrolled)
{
    Dataset *master = m_masterLink ? m_masterLink->DataSet() : nullptr;
    const bool masterHasRow = master && master->Active() && master->currentRow() >= 0;
    bool changed = false;
    for (Parameter &param : m_params) {
        const Field *field = masterHasRow ? master->FindField(param.Name) : nullptr;
        if (!masterHasRow || field) {
            const CellText text = field ? field->TextValue() : CellText();
            if (text != param.Text()) {
                param.SetText(text);
                changed = true;
            }
        }
    }
    if (!Active() || (scrolled && !changed))
        return;
    execute(true);
    goFirstQuietly();
    notify(DataEvent::DataSetChanged);
    emit afterScroll();
}

} // namespace Db
