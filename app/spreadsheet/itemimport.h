#pragma once
// The item import's run over a sheet: rows 2 to the last used row, each
// checked and stored into the current store, with the user asked to retry,
// skip or stop after a failed row.
//
// With "remove the existing items" the removal and every imported row are one
// transaction, asked for first: the store keeps its items unless the import
// ran to its end and stored at least one row. The store is held alone from
// the removal on (another till's replace-all import of it is waited for), so
// its rows take no lock each, and an error that leaves the rows' walk rolls
// the transaction back.
#include <QString>
#include <QtGlobal>

class SpreadsheetSource;
class TDM;
struct TDMItem;

struct ItemImportResult
{
    int imported = 0;
    int left = 0;           // rows not reached when "&Přerušit" was pressed
    bool stopped = false;   // interrupted, or the user chose not to go on
    bool completed = false; // the rows were walked (nothing refused before the first row)
};

// When the import has the server's statistics of the items table made anew:
// each time the table has doubled since they were last made (taken to be
// when the import began), so that the tests of the next rows are planned on
// its size; a large catalogue is not analysed again for a few rows more.
class ItemStatisticsSchedule
{
public:
    ItemStatisticsSchedule(int itemsAtStart, int firstAfter)
        : m_itemsAtStart(itemsAtStart)
        , m_lastSize(qMax(itemsAtStart, firstAfter / 2))
    {}
    // Whether to refresh now that `imported` rows went in; true moves the mark on.
    bool due(int imported)
    {
        if (m_itemsAtStart + imported < 2 * m_lastSize)
            return false;
        m_lastSize = m_itemsAtStart + imported;
        return true;
    }

private:
    int m_itemsAtStart;
    int m_lastSize;
};

class ItemImport
{
public:
    ItemImport(TDM &dm, SpreadsheetSource &source)
        : m_dm(dm)
        , m_source(source)
    {}
    ItemImportResult Run(bool removeExisting);

    // Rows checked and stored together (see importbatch.h).
    static constexpr int BatchRows = 500;

private:
    bool confirmRemoval();
    int runRows(int lastRow, ItemImportResult &result);
    bool importRow(int record, int sheetRow);
    bool afterFailedRow(int record, int lastRow, ItemImportResult &result);
    void reportNotStored(int record, int sheetRow, const TDMItem &item);
    void warnNotStored(const QString &error);
    void warnUnread(const QString &reason);
    bool finishTransaction(const ItemImportResult &result);
    bool runGuarded(int lastRow, ItemImportResult &result, int &next, bool removeExisting);
    void stopIfSessionLost();
    TDM &m_dm;
    SpreadsheetSource &m_source;
    bool m_reloaded = false; // the source was read again after a failed row
};

void ReportImportCellError(int record, int sheetRow, const QString &reason, int column);
