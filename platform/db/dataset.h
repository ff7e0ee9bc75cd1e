#pragma once
// A static snapshot of a query's rows with a cursor, the way the screens and
// the data module use it: open, re-query with the same parameters, move,
// locate, filter on the client, clone, bookmark, follow a master, and write a
// changed column back. Grids observe it through data sources (datasource.h).
#include "platform/db/cleanup.h"
#include "platform/db/field.h"
#include "platform/db/pageorder.h"
#include "platform/db/parameter.h"
#include "platform/db/servererror.h"
#include "platform/db/snapshot.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace Db {

class Connection;
class DataSource;
class FilterExpression;
class MasterLink;
struct Param;

enum class DataSetState { Inactive, Browse, Edit };
enum class DataEvent { ActiveChanged, DataSetChanged, DataSetScroll, RecordChanged, LayoutChanged };

enum LocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)

// A row to come back to. It stays valid across a re-query: the row is then
// found again by the dataset's KeyFields (or by all its values).
struct Bookmark
{
    SnapshotPtr snapshot;
    int row = -1;
    std::vector<CellText> key;
    bool IsValid() const { return row >= 0; }
};

class Dataset : public QObject
{
    Q_OBJECT
public:
    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    Connection *GetConnection() const { return m_connection; }
    void SetConnection(Connection *connection) { m_connection = connection; }

    // Setting the SQL closes the dataset; its ":NAME" parameters are listed
    // anew, keeping the values of names that stay.
    const QString &SQL() const { return m_sql; }
    void SetSQL(const QString &sql);
    // The text goes to the server as it is, unprepared: no ":name"
    // parameters, several statements allowed (the SQL console).
    void setPlainSql(const QString &sql);
    std::vector<Parameter> &Params() { return m_params; }
    Parameter *FindParam(const QString &name);
    Parameter &ParamByName(const QString &name); // throws DatabaseError when missing

    // Opening and re-querying throw DatabaseError with the server's error.
    void Open();
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    // Runs the same SQL with the current parameters again; the cursor goes to
    // the first row (callers come back to their row by locating it).
    void Requery();
    // Makes this dataset show the source's current rows; it keeps them when
    // the source re-queries later.
    void Clone(const Dataset &source);
    // Whether the rows may be changed one by one (showSplicedRows): open,
    // browsing, without a client-side filter, read in the connection's
    // present session.
    bool CanSpliceRows() const;
    // Shows rows made from the current ones without the server (a row put in
    // place or taken out), as a re-query followed by a locate would: the
    // observers hear of new rows, the cursor stands on `position` (-1: the
    // first row, as after a re-query that found no row to come back to).
    void showSplicedRows(SnapshotPtr snapshot, int position);
    DataSetState State() const { return m_state; }

    // Reading in pages of this many rows (0, the default: every row at
    // once). Opening reads the first page; a grid asks for the next ones as
    // it scrolls towards the end (FetchMore); whatever needs every row reads
    // the rest first (FetchAll): Last, Next past the rows read, a RecNo or
    // MoveBy beyond them, locating or a bookmark not found among them, a
    // client-side filter. Each page goes on after the last row read, by its
    // values in the statement's order (PageOrder: the text ends with its
    // ORDER BY, or with that of the derived table its outer level reads from,
    // whose terms are columns of the result and end with a key), so rows
    // another session writes meanwhile neither repeat a row nor hide one: a
    // row written after the rows read shows with a later page, one written
    // among them with the next re-query. A statement ending otherwise is
    // read whole. Last reads the last page from the end of the order, as
    // opening reads the first from its start: the rows between are read
    // only when the cursor goes to them (Prior, MoveBy back, FetchBefore),
    // and First reads the first page again.
    void setPageRows(int rows) { m_pageRows = rows; }
    int pageRows() const { return m_pageRows; }
    // The statement is planned for each run's parameter values instead of
    // being prepared once: for a list whose size they change by thousands
    // (a branch of ten rows or the whole store), where a plan made for no
    // values in particular would read the whole store as if it were a few rows.
    void setPlannedEachRun(bool planned) { m_plannedEachRun = planned; }
    bool plannedEachRun() const { return m_plannedEachRun; }
    // Whether rows may be left to read.
    bool CanFetchMore() const { return m_moreRows && Active(); }
    // Whether rows before the first one read may be left to read.
    bool CanFetchBefore() const { return m_moreBefore && Active(); }
    // The page before the first row read.
    void FetchBefore();
    // The next page, every row left. A failure is shown to the user, and the
    // list stays with the rows read.
    void FetchMore();
    void FetchAll();

    void First();
    void Next();
    void Prior();
    void Last();
    int MoveBy(int distance); // returns the distance moved
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    int RecNo() const { return m_pos + 1; } // 1-based, 0 when empty
    void SetRecNo(int recNo);
    // The rows read so far: a list read in pages may have more (CanFetchMore).
    int RecordCount() const { return visibleCount(); }
    bool IsEmpty() const { return visibleCount() == 0; }

    const std::vector<Field *> &Fields() const { return m_fieldList; }
    int FieldCount() const { return int(m_fieldList.size()); }
    Field *FindField(const QString &name) const;
    // Changes whenever the list of fields does, and differs between datasets:
    // a field found under a stamp is the one FindField gives while it holds.
    quint64 FieldsStamp() const { return m_fieldsStamp; }
    Field &FieldByName(const QString &name) const; // throws DatabaseError when missing
    // A field whose display settings are fixed before opening (kept even
    // while the result has no such column).
    Field *AddField(const QString &name);

    // Locates the first row whose field value matches; the cursor stays when
    // none does. Texts are read as the field's kind for an exact match; an
    // empty (Unassigned or Null) value matches nothing.
    bool Locate(const QString &fieldName, const Variant &value, LocateOptions options = {});
    // The row's position in the visible rows, or -1.
    int findRow(const Field &field, const QString &value, LocateOptions options) const;

    // Key columns (";"-separated) that identify a row for bookmarks.
    QString KeyFields;
    Bookmark GetBookmark() const;
    bool GotoBookmark(const Bookmark &bookmark);
    bool BookmarkValid(const Bookmark &bookmark) const;

    // The client-side filter: an expression (filterexpression.h) and/or a
    // predicate called with the dataset standing on the candidate row.
    const QString &Filter() const { return m_filterText; }
    void SetFilter(const QString &text); // throws DatabaseError when unparsable
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool filtered); // throws DatabaseError when unparsable
    void setFilterPredicate(std::function<bool(const Dataset &)> predicate);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Parameters of the same names as the master's fields take their values
    // from the master's current row; the dataset re-opens as the master moves.
    void SetMasterSource(DataSource *source);
    DataSource *MasterSource() const;

    // Changing a column and writing it back as an UPDATE of its base table by
    // the table's primary key; Post throws DatabaseError when the column's
    // table or key is not in the result, or the server refuses.
    void Edit();
    void Post();
    void Cancel();

    // The snapshot row under the cursor, or -1.
    int currentRow() const;
    int snapshotRow(int position) const; // visible position -> snapshot row
    const SnapshotPtr &snapshot() const { return m_snapshot; }
    // Tells the observers that the rows should be shown again.
    void Resync();

signals:
    void beforeOpen();
    void afterOpen();
    void beforeClose();
    void afterClose();
    void afterScroll();
    void dataChange(Db::Field *field);
    void stateChange();

private:
    friend class DataSource;
    friend class Field;
    friend class MasterLink;

    int visibleCount() const;
    void execute(bool keepOnFailure);
    // The statement's parameters as bound now; their count.
    int boundParams(QList<Param> &params);
    // The statement, or only the rows after a row (the condition of a
    // PageOrder part and its values), at most `limit` of them (0: all).
    Result run(const QString &condition, const QList<Param> &values, int limit);
    Result runStatement(QString sql, const QList<Param> &values, int limit);
    void readRows(bool all);
    void fetchRows(bool all);
    // Runs a read of rows; a failure is shown, and no more rows are read that way.
    void readGuarded(const std::function<void()> &read, bool &more);
    // The rows of the parts (at most a page, or all), each part's statement
    // made from its condition; none when the table changed meanwhile.
    std::vector<Result> readParts(const std::vector<PageOrder::Part> &parts,
                                  const std::function<QString(const QString &)> &statement, bool all, int &count);
    // The list's statement in the opposite order (rows before the first read).
    void readRowsBefore(bool all);
    void fetchBefore(bool all);
    // Replaces the rows by the last page; false when the list cannot be read so.
    bool readLastPage();
    // The first page read again, after the last was read from the end.
    void readFirstPage();
    // Reads every row left when rows may be; false when there was none to read.
    bool readAllRows() const;
    void install(SnapshotPtr snapshot);
    void bindFields();
    void rebuildVisibleRows();
    void moveTo(int position, bool scrolled);
    void goFirstQuietly(); // after the rows were replaced; observers hear of it otherwise
    void notify(DataEvent event, Field *field = nullptr);
    void masterChanged(bool scrolled);
    bool rowMatchesFilter(int row) const;
    std::vector<CellText> rowKey(const SnapshotPtr &snapshot, int row) const;
    const CellText *pendingValue(int column) const;
    void setPendingValue(Field *field, const CellText &text);
    void writeBack();

    Connection *m_connection = nullptr;
    QString m_sql;
    QString m_translatedSql;
    bool m_plainSql = false;
    quint64 m_rowsSession = 0; // the connection's session that read the rows
    int m_pageRows = 0;
    bool m_plannedEachRun = false;
    bool m_moreRows = false;              // the last page read was full
    bool m_moreBefore = false;            // the rows read begin after the first
    std::optional<PageOrder> m_pageOrder; // how the pages of m_sql follow one another
    QString m_pageOrderOf;
    QStringList m_sqlParamNames;
    std::vector<Parameter> m_params;

    DataSetState m_state = DataSetState::Inactive;
    SnapshotPtr m_snapshot;
    std::vector<std::unique_ptr<Field>> m_fields;
    std::vector<Field *> m_fieldList;
    quint64 m_fieldsStamp = newFieldsStamp();
    static quint64 newFieldsStamp();
    std::vector<QString> m_persistentNames;

    std::vector<int> m_visible; // used only while filtered
    bool m_filterActive = false;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
    int m_evaluatingRow = -1; // the candidate row while a filter predicate runs

    QString m_filterText;
    bool m_filtered = false;
    std::unique_ptr<FilterExpression> m_filterExpression;
    std::function<bool(const Dataset &)> m_filterPredicate;

    int m_disableCount = 0;
    bool m_changedWhileDisabled = false;
    std::vector<DataSource *> m_sources;
    std::unique_ptr<MasterLink> m_masterLink;

    std::map<int, CellText> m_pending; // column -> edited text
};

// Keeps a dataset's controls off for a scope: the grids showing it stay still
// while the scope walks it, and are shown the rows again when it ends, also
// when the walk throws.
class ControlsOff
{
public:
    explicit ControlsOff(Dataset &dataset)
        : m_dataset(dataset)
    {
        m_dataset.DisableControls();
    }
    ~ControlsOff() noexcept(false)
    {
        RunCleanUp(m_exceptions, [this] { m_dataset.EnableControls(); });
    }
    ControlsOff(const ControlsOff &) = delete;
    ControlsOff &operator=(const ControlsOff &) = delete;

private:
    Dataset &m_dataset;
    int m_exceptions = std::uncaught_exceptions();
};

} // namespace Db

Q_DECLARE_OPERATORS_FOR_FLAGS(Db::LocateOptions)
