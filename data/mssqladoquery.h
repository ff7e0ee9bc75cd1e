#pragma once
// Every list of the program: a dataset whose SQL is built from a template
// with "%NAME" placeholders (sort order, filter condition), with the
// row-keeping, sorting, locating, twin-search and sum operations the data
// module's writes and the screens rely on.
#include "data/formatparameters.h"
#include "platform/currency.h"
#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/db/roworder.h"
#include "platform/db/sqlparameters.h"
#include "platform/variant.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using TOnRefreshQueryEvent = std::function<void(QObject *sender)>;

class TMSSQLADOQuery : public Db::Dataset
{
    Q_OBJECT
    Q_PROPERTY(QStringList FormatSQL READ FormatSQL WRITE SetFormatSQL)
    Q_PROPERTY(QObject *FormatParameters READ FormatParametersObject)
    Q_PROPERTY(bool FormatParamCheck MEMBER FormatParamCheck)
public:
    explicit TMSSQLADOQuery(QObject *parent = nullptr);
    ~TMSSQLADOQuery() override;

    const QStringList &FormatSQL() const { return m_formatSQL; }
    // Copies the lines; with FormatParamCheck, asks before dropping existing
    // parameters and then lists the template's placeholders.
    void SetFormatSQL(const QStringList &lines);
    TFormatParameters &FormatParameters() { return *m_formatParameters; }
    const TFormatParameters &FormatParameters() const { return *m_formatParameters; }
    void SetFormatParameters(const TFormatParameters &parameters) { m_formatParameters->Assign(parameters); }
    QObject *FormatParametersObject() const { return m_formatParameters; }
    bool FormatParamCheck = true;
    // Fired after every refresh and re-query made through this class.
    TOnRefreshQueryEvent OnRefreshQuery;
    // What a placeholder's value (name, value) becomes in the text; unset: the
    // value as it stands.
    std::function<QString(const QString &, const QString &)> PlaceholderText;
    // A placeholder's value as it goes into the text.
    QString PlaceholderValue(const QString &name, const QString &value) const
    {
        return PlaceholderText ? PlaceholderText(name, value) : value;
    }

    // The template's text: its lines, each ended by CR LF.
    QString FormatSQLText() const;
    // The template's placeholders in text order (a name written twice twice).
    QStringList ScanPlaceholders() const;
    void CreateFormatParameters();
    bool FormatParametersComplete() const;
    // The text with the placeholders' values and the key tests of the whole list.
    QString ApplyFormatParameters(const QString &text) const;

    void RefreshQuery();
    void RequeryQuery();
    void RequeryLocate(const QString &fieldName);
    void SortByColumn(const QString &keyFieldName, Db::Field *field, const QString &paramName);
    int SortState(const Db::Field *field) const; // 0 none, 1 ascending, 2 descending

    void SavePosition(const QString &keyFieldName);
    void RestorePosition();
    void LocateOrRestore(const Variant &keyValue);

    bool LocateValue(const QString &fieldName, const Variant &value);
    bool LocateText(const QString &fieldName, const QString &text);
    bool LocateInteger(const QString &fieldName, qint64 number);

    bool FindFirstInField(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value,
                          const Db::Field *field);
    bool FindFirstInFields(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value);
    bool FindNextMatch();
    // Set on a search twin that reads only what a search can answer from:
    // called before the twin opens for a search, with the columns searched
    // (empty: every column) and the text.
    std::function<void(TMSSQLADOQuery &twin, const QStringList &fieldNames, const QString &text)> SearchPrepare;
    // Set on a twin that finds on the server: it lists the key of each row
    // that holds the value, once, of the keys its SearchKeysParameter names
    // (an array), or of all when that is NULL. The search asks it about the
    // rows from the list's current one on, a few at a time, and about the
    // whole list only when they hold none: a value on most rows is found at
    // once, a rare one through the twin's indexes.
    bool SearchDecides = false;
    // The last search could not run (its reason is the connection's last
    // error), rather than finding nothing.
    bool SearchFailed() const { return m_searchFailed; }
    static constexpr const char *SearchKeysParameter = "HLEDAT_KLICE";

    Currency SumField(const QString &fieldName);
    void SumFields(const QStringList &fieldNames, std::vector<Currency> &sums);

    // The parameter of a list's statement that chooses what it reads: NULL,
    // as every list leaves it, reads the whole list; an array of keys reads
    // the rows of those keys alone. A list whose statement has none is
    // always re-queried whole.
    static constexpr const char *RowKeysParameter = "KLICE";
    // The statement states its tests of the keys by marks (data/rowkeytests.h)
    // that the list's text and each read of rows write out.
    // Whether a write's rows are read through it (else the list is re-queried).
    void SetRowsByKeys(bool byKeys) { m_rowsByKeys = byKeys; }
    // Brings the list up to date after a write that changed at most the row
    // of this key: the row is read by its key and put in its place in the
    // sort order, or taken out when it is gone; the list stays on its row
    // (or the one before it, when that row went), or moves to the key's row
    // with moveToRow, and the refresh event fires, all as a re-query followed
    // by RestorePosition or LocateOrRestore would leave it. False, with the
    // list untouched, when the row cannot be placed so: the caller re-queries.
    bool RefreshRow(const QString &keyFieldName, const Variant &key, bool moveToRow);
    // The same for a write that changed the rows of several keys: they are
    // read together in one statement and put in their places in one pass
    // (so many that the whole list costs less to read: false, and the caller
    // re-queries), and the list moves to moveTo's row when that is listed,
    // else stays on its row or, when that went, on the nearest earlier one
    // still listed (RestorePosition) or (not orEarlier) on the first row
    // (RequeryLocate).
    bool RefreshRows(const QString &keyFieldName, const QList<Variant> &keys, const Variant &moveTo = Variant(),
                     bool orEarlier = true);
    // Has the read of the key's row go with the next statement, in its round
    // trip: the RefreshRow right after that statement then costs none.
    void prefetchRow(const Variant &key);

private:
    QString fillPlaceholders(const QString &text) const;
    void fireRefresh();
    QString sortColumn(const Db::Field *field) const;
    bool searchFailed(const std::exception &error);
    void holdSearchSession(std::optional<Db::SessionHold> &hold, Db::Dataset *searchDataset);
    bool startSearch(Db::Dataset *searchDataset, const QString &keyFieldName, const Variant &value,
                     const QStringList &fieldNames);
    bool filterAndWalk(const QString &filter);
    bool walkToMatch(bool fromFirst);
    bool matchAhead(const Db::Field &key);
    std::optional<int> orderedPosition(const std::vector<qint64> &keys, const Db::Field &key, int position);
    void openTwin(const std::optional<QByteArray> &keys);
    std::optional<Db::RowOrder> rowOrder();
    std::optional<Db::RowOrder> readRowOrder() const;
    bool rowRead(const QList<Variant> &keys, QString &sql, QList<Db::Param> &params);
    Db::Result readRows(const QList<Variant> &keys);
    static int keyRow(const Db::Snapshot &rows, int keyColumn, const QByteArray &keyText);
    static std::vector<int> keyRows(const Db::Snapshot &rows, int keyColumn, const QList<Variant> &keys);
    bool placeRows(const Db::RowOrder &order, const Db::Snapshot &rows, const std::vector<int> &removed,
                   const Db::Snapshot &added, std::vector<std::pair<int, int>> &inserted) const;
    int positionAfter(const Db::Snapshot &before, const Db::Snapshot &after, int keyColumn, const Variant &moveTo,
                      bool orEarlier) const;

    QStringList m_formatSQL;
    TFormatParameters *m_formatParameters;
    Db::Dataset m_positionClone;
    Db::Dataset m_sumClone;
    QString m_savedKeyField;
    bool m_rowsByKeys = false;
    QString m_rowStatementOf;                            // the list's text the row statement was made from
    Db::TranslatedSql m_rowStatement, m_rowStatementOne; // of any keys, of one key
    // The order read from the list's text, for that text and field list.
    std::optional<Db::RowOrder> m_rowOrder;
    QString m_rowOrderOf;
    quint64 m_rowOrderFields = 0;
    // The rows last found to stand in the order the list's text gives.
    std::weak_ptr<const Db::Snapshot> m_orderedRows;
    QPointer<Db::Dataset> m_searchDataset;
    QString m_searchKeyField;
    Variant m_lastMatch;
    bool m_twinWhole = false; // the deciding twin lists the matches of the whole list
    bool m_searchFailed = false;
};

// Keeps a list's row for a scope: the row is saved by its key when the scope
// begins and the list comes back to it (or the nearest earlier row) when the
// scope ends, also when the scope throws.
class TPositionKept
{
public:
    TPositionKept(TMSSQLADOQuery &list, const QString &keyFieldName)
        : m_list(list)
    {
        m_list.SavePosition(keyFieldName);
    }
    ~TPositionKept() noexcept(false)
    {
        Db::RunCleanUp(m_exceptions, [this] { m_list.RestorePosition(); });
    }
    TPositionKept(const TPositionKept &) = delete;
    TPositionKept &operator=(const TPositionKept &) = delete;

private:
    TMSSQLADOQuery &m_list;
    int m_exceptions = std::uncaught_exceptions();
};
