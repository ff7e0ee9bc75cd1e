#pragma once
// Rows of the item import checked together. Up to a batch's size the rows are
// read, every database question their checks can ask is asked in one round
// trip, and then the checks run row by row in sheet order on those answers.
// A batch ends before the first row that fails a check or cannot be read,
// and before a row whose label, code or name a row earlier in the batch
// already has (its check must see that row stored). So the batch's rows can
// be stored together without any message or question coming out of order.
#include "app/spreadsheet/importrules.h"

#include <deque>
#include <vector>

class SpreadsheetSource;
class TDM;

struct ImportBatch
{
    enum class End {
        Open,        // nothing stopped it (size, last row, a row that must see it stored)
        Failed,      // the next row failed a check: failure
        Unread,      // the next row could not be read: readError
        Interrupted, // "&Přerušit" was pressed before the next row
        Single,      // the questions went unanswered: the next row goes alone
    };
    int first = 0;              // the record number of the first row
    std::vector<TDMItem> items; // the rows from the first on that passed
    End end = End::Open;
    ImportCellFailure failure;
    QString readError;
    int next() const { return first + int(items.size()); }
};

class ImportBatchPlanner
{
public:
    ImportBatchPlanner(TDM &dm, const SpreadsheetSource &source, int storeId, const QString &storeName)
        : m_dm(dm)
        , m_source(source)
        , m_storeId(storeId)
        , m_storeName(storeName)
    {}
    // Records first.. below lastRow, at most maxRows of them. Steps the
    // progress window for each row it checks. Rows read for one batch and
    // left for the next are not read again: a sheet read as a stream would
    // start over for a row behind it.
    ImportBatch plan(int first, int lastRow, int maxRows);
    // The source was read again: the rows read ahead are gone.
    void forgetReadRows();

private:
    void readAhead(int first, int lastRow, int maxRows);

    TDM &m_dm;
    const SpreadsheetSource &m_source;
    int m_storeId;
    QString m_storeName;
    std::deque<ImportRowCells> m_ahead; // records m_aheadFirst..
    int m_aheadFirst = 0;
    QString m_aheadError; // the record after them cannot be read: why
};

// The cells of one sheet row; throws SheetReadError.
ImportRowCells ReadImportRow(const SpreadsheetSource &source, int sheetRow);
