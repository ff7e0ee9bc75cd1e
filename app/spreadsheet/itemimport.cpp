#include "app/spreadsheet/itemimport.h"

#include "app/spreadsheet/importrules.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <QCoreApplication>

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

// One attempt at a row: read, check, store. False when the row failed (the
// user has been told why).
bool ItemImport::importRow(int record, int sheetRow)
{
    ImportRowCells cells;
    for (int column = 1; column <= ImportColumnCount; ++column)
        cells[size_t(column - 1)] = m_source.Cell(sheetRow, column);
    TDMImportLookups lookups(m_dm, m_dm.IdSklad);
    ImportRowCheck check = CheckImportRow(cells, lookups);
    if (check.failure) {
        ReportImportCellError(record, sheetRow, check.failure->reason, check.failure->column);
        return false;
    }
    check.item.SKLAD = m_dm.CurrentStoreName();
    if (!m_dm.ImportItem(check.item)) {
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Import položky neproběhl..."),
                    m_dm.LastErrorText());
        return false;
    }
    return true;
}

bool ItemImport::finishTransaction(const ItemImportResult &result)
{
    const bool keep = result.completed && !result.stopped && result.imported > 0;
    if (!m_dm.EndTransaction(keep) && keep) {
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Import položek neproběhl..."),
                    m_dm.LastErrorText());
        return false;
    }
    if (!keep)
        ShowInformation(QStringLiteral("Import neproběhl celý..."),
                        QStringLiteral("Položky skladu zůstaly tak, jak byly před importem."));
    return keep;
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
    if (removeExisting) {
        if (!confirmRemoval())
            return result;
        m_dm.BeginTransaction();
        if (!m_dm.RemoveStoreItems(m_dm.IdSklad)) {
            const QString error = m_dm.LastErrorText();
            m_dm.EndTransaction(false);
            ShowWarning(QStringLiteral("Transakce skončila s chybou..."),
                        QStringLiteral("Odebrání všech položek neproběhlo..."), error);
            return result;
        }
    }

    Messages().setProgressMaximum(lastRow);
    int record = 1;
    while (record < lastRow && !Messages().progressInterrupted()) {
        Messages().stepProgress(QStringLiteral(" Importuji záznam [%1]").arg(record), record);
        const int sheetRow = record + 1;
        bool failed = !importRow(record, sheetRow);
        while (failed && ShowQuestion(QStringLiteral("Opakovat import záznamu číslo: %1 ?").arg(record),
                                      QStringLiteral("Excel řádek: %1").arg(sheetRow), false)) {
            // The user may have fixed the row in the file meanwhile.
            if (!m_source.Reload(reason)) {
                ShowWarning(QStringLiteral("Načtení záznamu z Excelu se nezdařilo..."),
                            QStringLiteral("Sešit nelze znovu přečíst..."), reason);
                continue;
            }
            failed = !importRow(record, sheetRow);
        }
        if (!failed)
            ++result.imported;
        ++record;
        if (record >= lastRow || Messages().progressInterrupted())
            break;
        if (failed && !ShowQuestion(QStringLiteral("Pokračovat importem dalšího záznamu číslo: %1 ?").arg(record),
                                    QStringLiteral("Excel řádek: %1").arg(record + 1), false)) {
            result.stopped = true;
            break;
        }
    }
    result.completed = true;
    if (Messages().progressInterrupted())
        result.stopped = true;
    if (removeExisting && !finishTransaction(result))
        result.imported = 0;
    return result;
}
