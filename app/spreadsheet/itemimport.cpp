#include "app/spreadsheet/itemimport.h"

#include "app/spreadsheet/importbatch.h"
#include "app/spreadsheet/importrules.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "data/dm.h"
#include "platform/db/servererror.h"
#include "platform/messages.h"

#include <QCoreApplication>

#include <exception>

namespace {
const QString UndoneWhole = QStringLiteral("Import položek neproběhl, odebrání i importované položky byly vráceny...");
}

void ReportImportCellError(int record, int sheetRow, const QString &reason, int column)
{
    ShowWarning(QStringLiteral("Importovaný záznam obsahuje chybu..."),
                QStringLiteral("Záznam: %1   Buňka: %2").arg(record).arg(ImportCellName(column, sheetRow)), reason);
}

bool ItemImport::confirmRemoval()
{
    const int count = m_dm.StoreItemCount(m_dm.IdSklad);
    return ShowQuestion(QStringLiteral("Odebrat všechny položky skladu %1 ?").arg(m_dm.CurrentStoreName()),
                        QStringLiteral("Počet odebraných položek: %1").arg(count), false);
}

// One attempt at a row on its own: read, check, store. False when the row
// failed (the user has been told why).
bool ItemImport::importRow(int record, int sheetRow)
{
    ImportRowCells cells;
    try {
        cells = ReadImportRow(m_source, sheetRow);
    } catch (const SheetReadError &error) {
        warnUnread(error.reason);
        return false;
    }
    ImportRowCheck check;
    try {
        TDMImportLookups lookups(m_dm, m_dm.IdSklad);
        check = CheckImportRow(cells, lookups);
    } catch (const VariantError &) { // a lookup that failed gives no value
        warnNotStored(m_dm.LastErrorText());
        return false;
    }
    if (check.failure) {
        ReportImportCellError(record, sheetRow, check.failure->reason, check.failure->column);
        return false;
    }
    check.item.SKLAD = m_dm.CurrentStoreName();
    if (!m_dm.ImportItem(check.item)) {
        stopIfSessionLost();
        reportNotStored(record, sheetRow, check.item);
        return false;
    }
    return true;
}

// The server tests the label, code and name again as it writes them, under
// the locks every writer takes: one another till or import took since the
// row's checks is told as the checks tell a used value; any other refusal
// with the server's text.
void ItemImport::reportNotStored(int record, int sheetRow, const TDMItem &item)
{
    const QString error = m_dm.LastErrorText();
    std::optional<ImportCellFailure> taken;
    try {
        TDMImportLookups lookups(m_dm, m_dm.IdSklad);
        taken = FindTakenImportValue(item, lookups);
    } catch (const VariantError &) { // the test failed too: the write's own reason stands
    }
    if (taken)
        ReportImportCellError(record, sheetRow, taken->reason, taken->column);
    else
        warnNotStored(error);
}

void ItemImport::warnNotStored(const QString &error)
{
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Import položky neproběhl..."), error);
}

void ItemImport::warnUnread(const QString &reason)
{
    ShowWarning(QStringLiteral("Načtení záznamu z Excelu se nezdařilo..."),
                QStringLiteral("Aplikace Excel není spuštěná nebo Excel list není dostupný..."), reason);
}

// After a failed row: retry it as long as the user asks (he may have fixed
// it in the workbook meanwhile), then go on or stop as he says. False when
// the import stops here.
bool ItemImport::afterFailedRow(int record, int lastRow, ItemImportResult &result)
{
    const int sheetRow = record + 1;
    bool failed = true;
    while (failed && ShowQuestion(QStringLiteral("Opakovat import záznamu číslo: %1 ?").arg(record),
                                  QStringLiteral("Excel řádek: %1").arg(sheetRow), false)) {
        QString reason;
        m_reloaded = true;
        if (!m_source.Reload(reason)) {
            ShowWarning(QStringLiteral("Načtení záznamu z Excelu se nezdařilo..."),
                        QStringLiteral("Sešit nelze znovu přečíst..."), reason);
            continue;
        }
        failed = !importRow(record, sheetRow);
    }
    if (!failed)
        ++result.imported;
    const int next = record + 1;
    if (next >= lastRow || Messages().progressInterrupted() || !failed)
        return true;
    if (!ShowQuestion(QStringLiteral("Pokračovat importem dalšího záznamu číslo: %1 ?").arg(next),
                      QStringLiteral("Excel řádek: %1").arg(next + 1), false)) {
        result.stopped = true;
        return false;
    }
    return true;
}

// The session the import holds was lost: nothing more of it runs, and the
// import ends as an error that leaves the rows' walk.
void ItemImport::stopIfSessionLost()
{
    if (m_dm.ActionSessionLost())
        throw Db::DatabaseError(m_dm.MSSQLADOConnection->Connection().lastLoss());
}

// Rows go in by batches (see importbatch.h); a row that fails, and the rows
// after it, are handled one by one as the questions come.
int ItemImport::runRows(int lastRow, ItemImportResult &result)
{
    ImportBatchPlanner planner(m_dm, m_source, m_dm.IdSklad, m_dm.CurrentStoreName());
    int record = 1;
    ItemStatisticsSchedule statistics(m_dm.ItemCount(), BatchRows);
    while (record < lastRow && !Messages().progressInterrupted()) {
        const ImportBatch batch = planner.plan(record, lastRow, BatchRows);
        stopIfSessionLost();
        const int stored = m_dm.ImportItems(batch.items);
        stopIfSessionLost();
        result.imported += stored;
        record += stored;
        if (statistics.due(result.imported))
            m_dm.RefreshItemStatistics();
        bool failed = true;
        if (stored < int(batch.items.size())) {
            reportNotStored(record, record + 1, batch.items[size_t(stored)]);
        } else if (batch.end == ImportBatch::End::Failed) {
            ReportImportCellError(record, record + 1, batch.failure.reason, batch.failure.column);
        } else if (batch.end == ImportBatch::End::Unread) {
            warnUnread(batch.readError);
        } else if (batch.end == ImportBatch::End::Single) {
            failed = !importRow(record, record + 1);
            result.imported += failed ? 0 : 1;
            record += failed ? 0 : 1;
        } else {
            failed = false;
        }
        stopIfSessionLost();
        if (!failed)
            continue;
        m_reloaded = false;
        const bool goOn = afterFailedRow(record, lastRow, result);
        if (m_reloaded)
            planner.forgetReadRows();
        if (!goOn)
            break;
        ++record;
    }
    return record;
}

bool ItemImport::finishTransaction(const ItemImportResult &result)
{
    const bool keep = result.completed && !result.stopped && result.imported > 0;
    const bool lost = m_dm.ActionSessionLost();
    if (!m_dm.EndTransaction(keep) && keep) {
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                    lost ? UndoneWhole : QStringLiteral("Import položek neproběhl..."), m_dm.LastErrorText());
        return false;
    }
    // Only what this import did is known: other tills may have written the
    // store before it began or since it ended.
    if (!keep)
        ShowInformation(QStringLiteral("Import neproběhl celý..."),
                        QStringLiteral("Import byl vrácen celý: neodebral ani nepřidal žádnou položku."));
    return keep;
}

// An error that leaves the rows' walk (a lost session among them) ends the
// import: a replace-all import's transaction with it, the removal and the rows
// undone; a plain import keeps the rows stored before it. The user is told
// which, with the error's text.
bool ItemImport::runGuarded(int lastRow, ItemImportResult &result, int &next, bool removeExisting)
{
    QString error;
    try {
        next = runRows(lastRow, result);
        return true;
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = QStringLiteral("Neznámá chyba.");
    }
    if (!removeExisting) {
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                    QStringLiteral("Import položek byl ukončen, importováno záznamů: %1, další záznamy nebyly "
                                   "importovány...")
                        .arg(result.imported),
                    error);
        return false;
    }
    m_dm.EndTransaction(false);
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), UndoneWhole, error);
    result.imported = 0;
    return false;
}

ItemImportResult ItemImport::Run(bool removeExisting)
{
    ItemImportResult result;
    ProgressWindow progress(QStringLiteral(" Inicializuji"));
    QCoreApplication::processEvents();
    QString reason;
    if (!m_source.Reload(reason)) {
        ShowWarning(QStringLiteral("Otevření sešitu se nezdařilo..."), QStringLiteral("Položky nebyly importovány..."),
                    reason);
        return result;
    }
    const int lastRow = m_source.LastUsedRow();
    // Every write of the import belongs to the session it began in.
    const Db::SessionHold session = m_dm.HoldSession();
    if (removeExisting) {
        if (!confirmRemoval())
            return result;
        if (!m_dm.BeginTransaction() || !m_dm.RemoveStoreItems(m_dm.IdSklad)) {
            const QString error = m_dm.LastErrorText();
            m_dm.EndTransaction(false);
            ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                        QStringLiteral("Odebrání všech položek neproběhlo..."), error);
            return result;
        }
    }

    Messages().setProgressMaximum(lastRow);
    int next = 0;
    if (!runGuarded(lastRow, result, next, removeExisting))
        return result;
    result.completed = true;
    if (Messages().progressInterrupted() && next < lastRow) {
        result.stopped = true;
        result.left = lastRow - next;
    }
    if (removeExisting && !finishTransaction(result))
        result.imported = 0;
    else if (result.left > 0)
        ShowInformation(
            QStringLiteral("Import byl přerušen..."),
            QStringLiteral("Importováno záznamů: %1   Zbývá záznamů: %2").arg(result.imported).arg(result.left));
    return result;
}
